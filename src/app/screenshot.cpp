// Renders the editor as a user sees it after opening the bundled default skin, for the README:
//   tessellary-screenshot OUTPUT.png [--lang en]
// The working folder is a private temporary one, so a running editor is not disturbed.
#include "app/application.h"
#include "app/frmmain.h"
#include "common/language.h"
#include "proplist/uadvlist.h"

#include <QApplication>
#include <QCoreApplication>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTemporaryDir>
#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const LanguageChoice language = chooseLanguage(app.arguments().mid(1));
    setUpApplication(app, language.language);
    if (language.arguments.isEmpty()) {
        std::fprintf(stderr, "%s\n",
                     qPrintable(QCoreApplication::translate(
                         "Screenshot", "uso: tessellary-screenshot FILE.png [--lang en]")));
        return 1;
    }
    QTemporaryDir temp;
    Locations locations = Locations::forApplication();
    locations.tempDir = temp.path();

    frmMain window(locations);
    // Room for the list and the preview beside it at its natural size.
    window.resize(440 + 500, 720);
    window.show();
    const int index = window.skinMenuNames().indexOf(QStringLiteral("(default).skn"));
    if (index < 0) {
        std::fprintf(stderr, "%s\n",
                     qPrintable(QCoreApplication::translate("Screenshot", "%1 non trovato")
                                    .arg(QStringLiteral("(default).skn"))));
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
        std::fprintf(
            stderr, "%s\n",
            qPrintable(
                QCoreApplication::translate("Screenshot", "impossibile salvare %1").arg(output)));
        return 1;
    }
    return 0;
}
