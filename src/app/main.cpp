#include "app/application.h"
#include "app/frmmain.h"
#include "dialogs/messagebox.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    setUpApplication(app);

    const Locations locations = Locations::forApplication();
    WorkFolderLock lock(locations);
    if (!lock.acquire()) {
        MessageBoxErrorReporter reporter(nullptr);
        ScopedErrorReporter scope(&reporter);
        reportMessage(QStringLiteral("Tessellary è già aperto. Un secondo editor userebbe la "
                                     "stessa cartella di lavoro del primo: chiudi l'altro prima."));
        return 1;
    }

    frmMain window(locations);
    MessageBoxErrorReporter reporter(&window);
    ScopedErrorReporter scope(&reporter);
    window.show();
    return app.exec();
}
