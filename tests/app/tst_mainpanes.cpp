#include "app/frmmain.h"
#include "common/colour.h"
#include "dialogkit/valuedialog.h"
#include "dialogs/frmcolor.h"
#include "preview/previewpane.h"
#include "proplist/uadvlist.h"
#include "scriptedprompts.h"
#include "testsupport.h"
#include "validate/problemspanel.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTest>
#include <QTreeWidget>

// The preview pane and the problems panel as the main window wires them: they follow the open
// skin, the edits still open in a dialog, and lead back to the setting in the list.
class TestMainPanes : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void previewFollowsTheSkinAColourBeingPickedAndLeadsToTheRow();
    void problemsLeadToTheirSettingAndSavingSaysHowMany();
    void previewShownOrHiddenIsRemembered();
    void f10ReachesTheMenuBar();

private:
    std::unique_ptr<frmMain> openDefault() {
        auto w = std::make_unique<frmMain>(m_folders->locations());
        w->setPrompts(m_prompts.get());
        w->show();
        w->findChild<QAction*>(QStringLiteral("mnuSkin0"))->trigger();
        return w;
    }
    // The first element drawn for `key`, solid ones only if asked.
    static const PreviewElement* elementOf(frmMain& w, const QString& key, bool solid = false) {
        for (const PreviewElement& e : w.preview()->elementMap()) {
            if (e.key == key && (!solid || e.look == PreviewElement::Solid))
                return &e;
        }
        return nullptr;
    }
    // The colour of the middle of the first solid element drawn for `key`, as the pane shows it.
    static QColor colourIn(frmMain& w, const QString& key) {
        const PreviewElement* e = elementOf(w, key, true);
        return e ? w.preview()->grab().toImage().pixelColor(e->rect.center()) : QColor();
    }
    static QString hotKey(frmMain& w) {
        return w.list()->model()->item(w.list()->hotCategory(), w.list()->hotItem()).ItemKey;
    }

    std::unique_ptr<TestFolders> m_folders;
    std::unique_ptr<ScriptedPrompts> m_prompts;
};

void TestMainPanes::initTestCase() {
    QStandardPaths::setTestModeEnabled(true);
    registerValueDialog(KindColor, [] { return new frmColor(); });
}

void TestMainPanes::init() {
    QSettings().clear();
    m_folders = std::make_unique<TestFolders>();
    QVERIFY(m_folders->isValid());
    QVERIFY(QFile::copy(binDir() + QStringLiteral("/skins/(default).skn"),
                        m_folders->skinsDir() + QStringLiteral("(default).skn")));
    m_prompts = std::make_unique<ScriptedPrompts>();
}

void TestMainPanes::cleanup() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->isVisible() && !qobject_cast<frmMain*>(w))
            w->close();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(m_prompts->pending(), 0);
    m_folders.reset();
}

void TestMainPanes::previewFollowsTheSkinAColourBeingPickedAndLeadsToTheRow() {
    auto w = openDefault();
    QCOMPARE(w->preview()->document(), w->document().get());
    const QColor saved = colourIn(*w, QStringLiteral("Menu_Back"));
    QVERIFY(saved.isValid());

    QVERIFY(
        w->list()->model()->SetData(QStringLiteral("Menu_Back"), qint32(makeColour(10, 200, 30))));
    QCOMPARE(colourIn(*w, QStringLiteral("Menu_Back")), QColor(10, 200, 30));

    // A colour typed into the open picker shows before "Ok", and "Annulla" takes it back.
    w->list()->activateKey(QStringLiteral("Menu_Back"));
    auto* picker = qobject_cast<frmColor*>(QApplication::activeModalWidget()
                                               ? QApplication::activeModalWidget()
                                               : w->findChild<frmColor*>());
    QVERIFY(picker);
    auto* hex = picker->findChild<QLineEdit*>(QStringLiteral("txtHex"));
    hex->setText(QStringLiteral("#FF0080"));
    QTest::keyClick(hex, Qt::Key_Return);
    QCOMPARE(colourIn(*w, QStringLiteral("Menu_Back")), QColor(255, 0, 128));
    QVERIFY(!w->preview()->overlay().isEmpty());
    picker->findChild<QPushButton*>(QStringLiteral("cmdAnnulla"))->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(w->preview()->overlay().isEmpty());
    QCOMPARE(colourIn(*w, QStringLiteral("Menu_Back")), QColor(10, 200, 30));

    // Clicking an element selects its row, scrolled into view, and the row's element is outlined.
    const PreviewElement* caption = elementOf(*w, QStringLiteral("Capt"));
    QVERIFY(caption);
    QTest::mouseClick(w->preview(), Qt::LeftButton, {}, caption->rect.topLeft() + QPoint(2, 2));
    QCOMPARE(hotKey(*w), QStringLiteral("Capt"));
    const tItem& hot = w->list()->model()->item(w->list()->hotCategory(), w->list()->hotItem());
    QVERIFY(w->list()->surface()->rect().contains(hot.Area));
    QCOMPARE(w->preview()->outlinedKey(), QStringLiteral("Capt"));
}

void TestMainPanes::problemsLeadToTheirSettingAndSavingSaysHowMany() {
    auto w = openDefault();
    w->findChild<QAction*>(QStringLiteral("mnuCheck"))->trigger();
    QVERIFY(w->problems()->isVisible());
    // A picture nobody provides is an error; the panel lists it once the document changed.
    QVERIFY(w->list()->model()->SetData(QStringLiteral("Connect"), QStringLiteral("nessuno.bmp")));
    QTRY_VERIFY(w->problems()->errorCount() > 0);
    auto* tree = w->problems()->findChild<QTreeWidget*>();
    const auto rows = tree->findItems(QStringLiteral("Connect"), Qt::MatchExactly, 1);
    QVERIFY(!rows.isEmpty());
    tree->setCurrentItem(rows.first());
    QTest::keyClick(tree, Qt::Key_Return);
    QCOMPARE(hotKey(*w), QStringLiteral("Connect"));

    // Saved all the same, and said so.
    QVERIFY(w->SalvaSkin());
    QVERIFY(!w->document()->isModified());
    QVERIFY(w->statusBar()->currentMessage().contains(QString::number(w->problems()->errorCount()) +
                                                      QStringLiteral(" errori")));
}

void TestMainPanes::previewShownOrHiddenIsRemembered() {
    {
        auto w = openDefault();
        QVERIFY(w->preview()->isVisible());
        const int shownWidth = w->width();
        w->findChild<QAction*>(QStringLiteral("mnuPreview"))->trigger();
        QVERIFY(!w->preview()->isVisible());
        // The list keeps its room; the window gives up the pane's.
        QVERIFY(w->width() < shownWidth);
    }
    auto again = openDefault();
    QVERIFY(!again->preview()->isVisible());
    QVERIFY(!again->findChild<QAction*>(QStringLiteral("mnuPreview"))->isChecked());
}

void TestMainPanes::f10ReachesTheMenuBar() {
    auto w = openDefault();
    QVERIFY(QTest::qWaitForWindowActive(w.get()));
    QTest::keyClick(w.get(), Qt::Key_F10);
    QAction* active = w->menuBar()->activeAction();
    QVERIFY(active && active->menu());
    QCOMPARE(active->menu()->objectName(), QStringLiteral("mnuSkins"));
    QTest::keyClick(w->menuBar(), Qt::Key_Escape);
}

QTEST_MAIN(TestMainPanes)
#include "tst_mainpanes.moc"
