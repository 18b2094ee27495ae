#include "app/application.h"
#include "common/language.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // Chosen before anything is shown: a message of the start is already in the user's language.
    const LanguageChoice language = chooseLanguage(app.arguments().mid(1));
    setUpApplication(app, language.language);
    EditorStart editor(Locations::forApplication());
    switch (editor.start(language.arguments)) {
    case EditorStart::Result::HandedOver:
        return 0;
    case EditorStart::Result::Refused:
        return 1;
    case EditorStart::Result::Running:
        break;
    }
    return app.exec();
}
