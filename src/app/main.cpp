#include "app/application.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    setUpApplication(app);
    EditorStart editor(Locations::forApplication());
    switch (editor.start(app.arguments().mid(1))) {
    case EditorStart::Result::HandedOver:
        return 0;
    case EditorStart::Result::Refused:
        return 1;
    case EditorStart::Result::Running:
        break;
    }
    return app.exec();
}
