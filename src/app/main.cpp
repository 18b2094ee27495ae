#include "app/application.h"
#include "app/frmmain.h"
#include "dialogs/messagebox.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    setUpApplication(app);

    frmMain window(Locations::forApplication());
    MessageBoxErrorReporter reporter(&window);
    ScopedErrorReporter scope(&reporter);
    window.show();
    return app.exec();
}
