// Renders the editor as a user sees it after opening the bundled default skin, for the README:
//   tessellary-screenshot OUTPUT.png [--lang en]
// The working folder is a private temporary one, so a running editor is not disturbed.
#include "app/application.h"
#include "app/frmmain.h"
#include "common/language.h"
#include "proplist/uadvlist.h"

#include <QApplication>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTemporaryDir>
#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const LanguageChoice language = chooseLanguage(app.arguments().mid(1));
    if (language.arguments.isEmpty()) {
        std::fprintf(stderr, "uso: tessellary-screenshot FILE.png [--lang en]\n");
        return 1;
    }
    setUpApplication(app);
    // Whatever language setUpApplication chose, the picture is in the one asked for.
    installTranslations(app, language.language, Locations::forApplication());
    QTemporaryDir temp;
    Locations locations = Locations::forApplication();
    locations.tempDir = temp.path();

    frmMain window(locations);
    window.resize(440, 720);
    window.show();
    const int index = window.skinMenuNames().indexOf(QStringLiteral("(default).skn"));
    if (index < 0) {
        std::fprintf(stderr, "(default).skn non trovato\n");
        return 1;
    }
    window.LoadSkin(index);

    // Unfold the first categories and point at an item, as a user exploring the list would.
    PropListModel* model = window.list()->model();
    for (int cat = 1; cat <= model->categoryCount() && cat <= 3; ++cat)
        model->setExpanded(cat, true);
    window.list()->Redraw();
    QWidget* surface = window.list()->findChild<QWidget*>(QStringLiteral("pctList"));
    app.processEvents();
    if (surface) {
        surface->repaint();
        int cat = 0;
        int item = 0;
        if (model->findItem(QStringLiteral("close.bmp"), &cat, &item)) {
            const QRect area = model->item(cat, item).Area;
            const QPointF pos(area.left() + 40, area.center().y());
            QMouseEvent move(QEvent::MouseMove, pos, surface->mapToGlobal(pos), Qt::NoButton,
                             Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(surface, &move);
        }
    }
    app.processEvents();
    const QString output = language.arguments.first();
    if (!window.grab().save(output)) {
        std::fprintf(stderr, "impossibile salvare %s\n", qPrintable(output));
        return 1;
    }
    return 0;
}
