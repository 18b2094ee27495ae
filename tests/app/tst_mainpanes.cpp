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

    void previewFollowsTheSkinAndAColourBeingPicked();
    void clickingAnElementSelectsItsRowAndTheRowIsOutlined();
    void problemsLeadToTheirSettingAndSavingSaysHowMany();
    void previewShownOrHiddenIsRemembered();
    void f10ReachesTheMenuBar();

private:
    std::unique_ptr<frmMain> openDefault();
    QColor colourIn(frmMain& w, const QString& key);

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

std::unique_ptr<frmMain> TestMainPanes::openDefault() {
    auto w = std::make_unique<frmMain>(m_folders->locations());
    w->setPrompts(m_prompts.get());
    w->show();
    w->findChild<QAction*>(QStringLiteral("mnuSkin0"))->trigger();
    return w;
}

// The colour of the middle of the first element drawn for `key`, as the pane shows it.
QColor TestMainPanes::colourIn(frmMain& w, const QString& key) {
    const PreviewMap& map = w.preview()->elementMap();
    const auto it = std::find_if(map.cbegin(), map.cend(), [&](const PreviewElement& e) {
        return e.key == key && e.look == PreviewElement::Solid;
    });
    if (it == map.cend())
        return QColor();
    return w.preview()->grab().toImage().pixelColor(it->rect.center());
}

void TestMainPanes::previewFollowsTheSkinAndAColourBeingPicked() {
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
}

void TestMainPanes::clickingAnElementSelectsItsRowAndTheRowIsOutlined() {
    auto w = openDefault();
    const PreviewMap& map = w->preview()->elementMap();
    const auto caption = std::find_if(map.cbegin(), map.cend(), [](const PreviewElement& e) {
        return e.key == QStringLiteral("Capt");
    });
    QVERIFY(caption != map.cend());
    QTest::mouseClick(w->preview(), Qt::LeftButton, {}, caption->rect.topLeft() + QPoint(2, 2));
    const tItem& hot = w->list()->model()->item(w->list()->hotCategory(), w->list()->hotItem());
    QCOMPARE(hot.ItemKey, QStringLiteral("Capt"));
    QCOMPARE(w->list()->model()->RetrCaption(QStringLiteral("Capt")), hot.Caption);
    // The row lies inside the list's surface, and the preview outlines what the row sets.
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
    QTreeWidgetItem* row = nullptr;
    for (int i = 0; i < tree->topLevelItemCount() && !row; ++i) {
        if (tree->topLevelItem(i)->text(1) == QStringLiteral("Connect"))
            row = tree->topLevelItem(i);
    }
    QVERIFY(row);
    tree->setCurrentItem(row);
    QTest::keyClick(tree, Qt::Key_Return);
    const tItem& hot = w->list()->model()->item(w->list()->hotCategory(), w->list()->hotItem());
    QCOMPARE(hot.ItemKey, QStringLiteral("Connect"));

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
    QVERIFY(w->menuBar()->activeAction());
    QCOMPARE(w->menuBar()->activeAction()->objectName().isEmpty()
                 ? w->menuBar()->activeAction()->menu()->objectName()
                 : w->menuBar()->activeAction()->objectName(),
             QStringLiteral("mnuSkins"));
    QTest::keyClick(w->menuBar(), Qt::Key_Escape);
}

QTEST_MAIN(TestMainPanes)
#include "tst_mainpanes.moc"
