#include "app/application.h"
#include "app/frmmain.h"
#include "common/cp1252.h"
#include "dialogkit/colourpicker.h"
#include "dialogs/editorprompts.h"
#include "dialogs/frmcolor.h"
#include "dialogs/frmtext.h"
#include "modalanswer.h"
#include "proplist/uadvlist.h"
#include "scriptedprompts.h"
#include "storage/cbinary.h"
#include "testsupport.h"

#include <QAction>
#include <QInputDialog>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QSysInfo>
#include <QTest>
#include <optional>

namespace {

const QString kDefault = QStringLiteral("(default).skn");

QString bundledDefault() {
    return binDir() + QStringLiteral("/skins/(default).skn");
}
QString bundledTemplate() {
    return binDir() + QStringLiteral("/modello.dat");
}

// The skin.ini of a package, unpacked into folders of its own.
QByteArray iniOfPackage(const QString& package) {
    TestFolders other;
    cBinary reader(other.locations());
    const QString folder = reader.EstraiSkin(package);
    return readFileBytes(folder + QStringLiteral("skin.ini"));
}

} // namespace

// The main window driven through its menus, its list and the dialogs it starts, with a program
// folder of the test's own.
class TestFrmMain : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void skinMenuListsPackagesSortedWithoutRegardToCase();
    void emptySkinsFolderShowsDisabledPlaceholder();
    void loadShowsPackageInCaptionAndSchemaInList();
    void loadRefusesMissingOrForeignFileKeepingOpenSkin();
    void noSkinOpenMakesSaveCreditsAndBrowseDoNothing();

    void newSkin_data();
    void newSkin();
    void newSkinWithExistingNameAsksBeforeReplacing();
    void strayKeyOnReplaceQuestionKeepsPackage_data();
    void strayKeyOnReplaceQuestionKeepsPackage();
    void newSkinDismissedKeepsOpenSkin();
    void newSkinRefusesNamesOutsideSkinsFolder();
    void newSkinWithoutTemplateEndsWithNoSkin();

    void saveQuestion_data();
    void saveQuestion();
    void closeBoxWithCancelKeepsProgramRunning();

    void saveWritesInfoSectionLastAndPackageReadsBack();
    void failedSaveIsReportedAndKeepsQuestionAlive();
    void keyboardSavesAndClosesLikeTheMenu();
    void editedCreditsAreNotLostOnClose();

    void launcherOpensDialogCaptionedByItem();
    void twoDialogsForOneItemLastOkWins();
    void annullaStoresNothing();
    void modificaUndoesAndRedoesNamingTheChange();
    void savingAsksAboutEditsLeftInOpenDialogs_data();
    void savingAsksAboutEditsLeftInOpenDialogs();
    void closingClosesEveryDialogWithoutStoring();
    void loadAndNewCloseTheDialogsOfThePreviousSkin();

    void openWorkingFolderUsesSkinPath();
    void onlyOneEditorAtATimeUsesTheWorkingFolder();
    void aLockThatNamesNoLiveEditorIsTakenOver_data();
    void aLockThatNamesNoLiveEditorIsTakenOver();

private:
    std::unique_ptr<frmMain> makeWindow();
    QAction* action(frmMain& w, const QString& name);
    void loadByName(frmMain& w, const QString& name);
    void makeModified(frmMain& w);
    // Hovers the item's row and clicks its inline editor, as a user does.
    void clickEditorOf(frmMain& w, const QString& key, const QString& editorName);
    QList<QWidget*> openDialogs(const QString& objectName);

    std::unique_ptr<TestFolders> m_folders;
    std::unique_ptr<ErrorRecorder> m_errors;
    std::unique_ptr<ScriptedPrompts> m_prompts;
};

void TestFrmMain::initTestCase() {
    // The recent list lives in the user's settings: a test's own, not the real ones.
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY2(QFile::exists(bundledDefault()), "the build places the bundled default skin");
    QVERIFY2(QFile::exists(bundledTemplate()), "the build places the template");
    registerValueDialog(KindNumber, [] { return new frmText(); });
    registerValueDialog(KindString, [] { return new frmText(); });
    registerValueDialog(KindColor, [] { return new frmColor(); });
}

void TestFrmMain::init() {
    m_folders = std::make_unique<TestFolders>();
    QVERIFY(m_folders->isValid());
    QVERIFY(QFile::copy(bundledDefault(), m_folders->skinsDir() + kDefault));
    QVERIFY(QFile::copy(bundledTemplate(), m_folders->locations().templatePath()));
    QVERIFY(QFile::copy(bundledTemplate(), m_folders->skinsDir() + QStringLiteral("Blu.skn")));
    m_prompts = std::make_unique<ScriptedPrompts>();
    frmMain::setOpenFolderHandler({});
    m_errors = std::make_unique<ErrorRecorder>();
}

void TestFrmMain::cleanup() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->isWindow() && w->isVisible() && !qobject_cast<frmMain*>(w))
            w->close();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(m_prompts->pending(), 0);
    m_errors.reset();
    m_folders.reset();
}

std::unique_ptr<frmMain> TestFrmMain::makeWindow() {
    auto w = std::make_unique<frmMain>(m_folders->locations());
    w->setPrompts(m_prompts.get());
    w->resize(420, 640);
    w->show();
    return w;
}

QAction* TestFrmMain::action(frmMain& w, const QString& name) {
    QAction* a = w.findChild<QAction*>(name);
    if (!a)
        qWarning("no action %s", qPrintable(name));
    return a;
}

void TestFrmMain::loadByName(frmMain& w, const QString& name) {
    const int index = w.skinMenuNames().indexOf(name);
    QVERIFY2(index >= 0, qPrintable(name));
    action(w, QStringLiteral("mnuSkin") + QString::number(index))->trigger();
}

void TestFrmMain::makeModified(frmMain& w) {
    QVERIFY(w.list()->model()->SetData(QStringLiteral("SpostX"), QStringLiteral("7")));
    QVERIFY(w.list()->model()->Modified());
}

void TestFrmMain::clickEditorOf(frmMain& w, const QString& key, const QString& editorName) {
    PropListModel* model = w.list()->model();
    int cat = 0;
    int item = 0;
    QVERIFY(model->findItem(key, &cat, &item));
    model->setExpanded(cat, true);
    QWidget* surface = w.list()->findChild<QWidget*>(QStringLiteral("pctList"));
    QVERIFY(surface);
    surface->repaint(); // the rows' areas are those of the last paint
    QRect area = model->item(cat, item).Area;
    QScrollBar* scroller = w.list()->findChild<QScrollBar*>(QStringLiteral("Scroller"));
    // Scroll until the row is inside the surface.
    while (scroller && (area.bottom() >= surface->height() || area.top() < 0) &&
           scroller->value() < scroller->maximum()) {
        scroller->setValue(scroller->value() + 1);
        surface->repaint();
        area = model->item(cat, item).Area;
    }
    // A move to where the pointer already is produces no event: come from elsewhere.
    QTest::mouseMove(surface, QPoint(1, 1));
    QTest::mouseMove(surface, QPoint(area.left() + 30, area.center().y()));
    QWidget* editor = surface->findChild<QWidget*>(editorName);
    QVERIFY2(editor && editor->isVisible(), qPrintable(editorName));
    QTest::mouseClick(editor, Qt::LeftButton, {}, editor->rect().center());
}

QList<QWidget*> TestFrmMain::openDialogs(const QString& objectName) {
    QList<QWidget*> out;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() == objectName && w->isVisible())
            out << w;
    }
    return out;
}

void TestFrmMain::skinMenuListsPackagesSortedWithoutRegardToCase() {
    QDir skins(m_folders->skinsDir());
    for (const QString& name :
         {QStringLiteral("b.skn"), QStringLiteral("A.skn"), QStringLiteral("x.SKN"),
          QStringLiteral("x.Skn"), QStringLiteral("skn"), QStringLiteral("notes.txt")})
        QVERIFY(writeFileBytes(skins.filePath(name), "x"));
    QVERIFY(skins.mkdir(QStringLiteral("cartella.skn")));
    auto w = makeWindow();
    QCOMPARE(w->skinMenuNames(), (QStringList{kDefault, QStringLiteral("A.skn"),
                                              QStringLiteral("b.skn"), QStringLiteral("Blu.skn")}));
    QCOMPARE(w->windowTitle(), QStringLiteral("Tessellary"));
    QMenu* load = w->findChild<QMenu*>(QStringLiteral("mnuLoad"));
    QVERIFY(load);
    QCOMPARE(load->title(), QStringLiteral("&Carica"));
}

void TestFrmMain::emptySkinsFolderShowsDisabledPlaceholder() {
    QVERIFY(QFile::remove(m_folders->skinsDir() + kDefault));
    QVERIFY(QFile::remove(m_folders->skinsDir() + QStringLiteral("Blu.skn")));
    auto w = makeWindow();
    QCOMPARE(w->skinMenuNames(), QStringList{QStringLiteral("Skin0")});
    QVERIFY(!action(*w, QStringLiteral("mnuSkin0"))->isEnabled());
}

void TestFrmMain::loadShowsPackageInCaptionAndSchemaInList() {
    auto w = makeWindow();
    loadByName(*w, QStringLiteral("Blu.skn"));
    QCOMPARE(w->windowTitle(), QStringLiteral("Tessellary [Blu.skn][*]"));
    QVERIFY(w->skin());
    QCOMPARE(w->skin()->SkinName(), QStringLiteral("Blu.skn"));
    QCOMPARE(w->list()->model()->categoryCount(), 12);
    QCOMPARE(w->list()->model()->category(1).CatKey, QStringLiteral("(general)"));
    QVERIFY(!w->list()->model()->Modified());
    // Opening another skin loads the schema again from scratch.
    loadByName(*w, kDefault);
    QCOMPARE(w->windowTitle(), QStringLiteral("Tessellary [(default).skn][*]"));
    QCOMPARE(w->list()->model()->categoryCount(), 12);
}

void TestFrmMain::loadRefusesMissingOrForeignFileKeepingOpenSkin() {
    const QString foreign = m_folders->skinsDir() + QStringLiteral("appunti.skn");
    const QByteArray notes = "non sono uno skin\r\n";
    QVERIFY(writeFileBytes(foreign, notes));
    auto w = makeWindow();
    loadByName(*w, QStringLiteral("Blu.skn"));
    makeModified(*w);

    // Neither asks about the open skin's changes: nothing would replace it.
    loadByName(*w, QStringLiteral("appunti.skn"));
    QCOMPARE(m_prompts->shownTexts(),
             QStringList{QStringLiteral("Il file non è un pacchetto skin: ") + foreign});
    QCOMPARE(w->windowTitle(), QStringLiteral("Tessellary [Blu.skn][*]"));
    QVERIFY(w->list()->model()->Modified());
    QCOMPARE(readFileBytes(foreign), notes);

    // Removed after the menu was built.
    m_prompts->clearRecord();
    QVERIFY(QFile::remove(m_folders->skinsDir() + kDefault));
    loadByName(*w, kDefault);
    QCOMPARE(m_prompts->shownTexts().size(), 1);
    QVERIFY(m_prompts->shownTexts()[0].startsWith(QStringLiteral("Errore 53: ")));
    QVERIFY(m_errors->isEmpty());
    QVERIFY(!QFile::exists(m_folders->skinsDir() + kDefault));
    QCOMPARE(w->windowTitle(), QStringLiteral("Tessellary [Blu.skn][*]"));
    QCOMPARE(w->list()->model()->RetrData(QStringLiteral("SpostX")).toString(),
             QStringLiteral("7"));
}

void TestFrmMain::noSkinOpenMakesSaveCreditsAndBrowseDoNothing() {
    auto w = makeWindow();
    bool opened = false;
    frmMain::setOpenFolderHandler([&](const QString&) { opened = true; });
    w->SaveSkin();
    w->EditCredits();
    w->OpenWorkingFolder();
    QVERIFY(!opened);
    QVERIFY(m_prompts->creditsCalls().isEmpty());
    QVERIFY(m_prompts->shownTexts().isEmpty());
    QVERIFY(m_errors->isEmpty());
}

void TestFrmMain::newSkin_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("package");
    QTest::newRow("without extension") << "Prova"
                                       << "Prova.skn";
    QTest::newRow("with extension") << "Prova.skn"
                                    << "Prova.skn";
    QTest::newRow("upper-case extension kept") << "Prova.SKN"
                                               << "Prova.SKN";
}

void TestFrmMain::newSkin() {
    QFETCH(QString, typed);
    QFETCH(QString, package);
    auto w = makeWindow();
    m_prompts->queueText(typed);
    action(*w, QStringLiteral("mnuNew"))->trigger();
    QVERIFY(m_prompts->shownTexts().first().startsWith(
        QStringLiteral("Inserisci un nome per il tuo skin\r\nNB: Il nome non corrisponde al "
                       "titolo, ma e' soltanto il nome che verra' dato al file .skn")));
    QCOMPARE(w->windowTitle(), QStringLiteral("Tessellary [") + package + QStringLiteral("][*]"));
    QCOMPARE(readFileBytes(m_folders->skinsDir() + package),
             readFileBytes(m_folders->locations().templatePath()));
    QCOMPARE(w->skin()->SkinName(), package);
    QCOMPARE(w->list()->model()->categoryCount(), 12);
}

void TestFrmMain::newSkinWithExistingNameAsksBeforeReplacing() {
    const QString existing = m_folders->skinsDir() + QStringLiteral("Vecchio.skn");
    QVERIFY(writeFileBytes(existing, "vecchio"));
    auto w = makeWindow();

    m_prompts->queueText(QStringLiteral("Vecchio"));
    m_prompts->queueAnswer(UserPrompts::No);
    action(*w, QStringLiteral("mnuNew"))->trigger();
    QVERIFY(m_prompts->shownTexts().contains(
        QStringLiteral("Esiste già uno skin con questo nome. Sostituirlo?")));
    QCOMPARE(readFileBytes(existing), QByteArray("vecchio"));
    QVERIFY(!w->skin());

    m_prompts->queueText(QStringLiteral("vecchio.SKN")); // another spelling of a new name
    action(*w, QStringLiteral("mnuNew"))->trigger();
    QCOMPARE(w->windowTitle(), QStringLiteral("Tessellary [vecchio.SKN][*]"));

    m_prompts->queueText(QStringLiteral("Vecchio"));
    m_prompts->queueAnswer(UserPrompts::Yes);
    action(*w, QStringLiteral("mnuNew"))->trigger();
    QCOMPARE(readFileBytes(existing), readFileBytes(m_folders->locations().templatePath()));
    QCOMPARE(w->windowTitle(), QStringLiteral("Tessellary [Vecchio.skn][*]"));
}

// The real prompt and question, answered from the keyboard: replacing must be a deliberate
// choice, never what a reflexive Enter, Esc or the frame's close button does.
void TestFrmMain::strayKeyOnReplaceQuestionKeepsPackage_data() {
    QTest::addColumn<QString>("gesture");
    QTest::newRow("Enter") << "Enter";
    QTest::newRow("Esc") << "Esc";
    QTest::newRow("frame") << "frame";
}

void TestFrmMain::strayKeyOnReplaceQuestionKeepsPackage() {
    QFETCH(QString, gesture);
    const QString existing = m_folders->skinsDir() + QStringLiteral("Vecchio.skn");
    // Not the template's bytes, which a replacement would write back unnoticed.
    const QByteArray before = readFileBytes(m_folders->skinsDir() + kDefault);
    QVERIFY(writeFileBytes(existing, before));
    auto w = makeWindow();
    // The real boxes: what a stray key does to them is the point.
    EditorPrompts real;
    w->setPrompts(&real);

    const auto keyboardOf = [](QWidget* shown) {
        return shown->focusWidget() ? shown->focusWidget() : shown;
    };
    std::optional<ModalAnswer> question;
    QString asked;
    bool stillOpen = false;
    ModalAnswer prompt([&](QWidget* shown) {
        auto* input = qobject_cast<QInputDialog*>(shown);
        QVERIFY(input);
        input->setTextValue(QStringLiteral("Vecchio"));
        question.emplace([&](QWidget* shownBox) {
            auto* box = qobject_cast<QMessageBox*>(shownBox);
            QVERIFY(box);
            asked = box->text();
            if (gesture == u"frame")
                box->close();
            else
                QTest::keyClick(keyboardOf(box),
                                gesture == u"Enter" ? Qt::Key_Return : Qt::Key_Escape);
            // A box the gesture left open must still end, or the test would hang.
            stillOpen = box->isVisible();
            if (stillOpen)
                box->button(QMessageBox::No)->click();
        });
        QTest::keyClick(keyboardOf(input), Qt::Key_Return);
    });
    action(*w, QStringLiteral("mnuNew"))->trigger();

    QVERIFY(prompt.answered());
    QVERIFY(question && question->answered());
    QCOMPARE(asked, QStringLiteral("Esiste già uno skin con questo nome. Sostituirlo?"));
    QVERIFY(!stillOpen);
    QCOMPARE(readFileBytes(existing), before);
    QVERIFY(!w->skin());
    QCOMPARE(w->windowTitle(), QStringLiteral("Tessellary"));
}

void TestFrmMain::newSkinDismissedKeepsOpenSkin() {
    auto w = makeWindow();
    loadByName(*w, QStringLiteral("Blu.skn"));
    const SkinRef before = w->skin();
    m_prompts->queueText(QString());
    action(*w, QStringLiteral("mnuNew"))->trigger();
    QCOMPARE(w->skin(), before);
    QCOMPARE(w->windowTitle(), QStringLiteral("Tessellary [Blu.skn][*]"));
    QCOMPARE(w->list()->model()->categoryCount(), 12);
    QCOMPARE(w->list()->model()->skin(), before);
}

void TestFrmMain::newSkinRefusesNamesOutsideSkinsFolder() {
    auto w = makeWindow();
    m_prompts->queueText(QStringLiteral("../fuori"));
    action(*w, QStringLiteral("mnuNew"))->trigger();
    QVERIFY(!QFile::exists(m_folders->programDir() + QStringLiteral("/fuori.skn")));
    QCOMPARE(m_prompts->shownTexts().size(), 2); // the prompt, then the refusal
    QVERIFY(
        m_prompts->shownTexts().last().endsWith(QStringLiteral("non è un nome di file valido.")));
    QVERIFY(!w->skin());
}

void TestFrmMain::newSkinWithoutTemplateEndsWithNoSkin() {
    QVERIFY(QFile::remove(m_folders->locations().templatePath()));
    auto w = makeWindow();
    loadByName(*w, QStringLiteral("Blu.skn"));
    m_prompts->queueText(QStringLiteral("Nuovo"));
    action(*w, QStringLiteral("mnuNew"))->trigger();
    QCOMPARE(m_prompts->shownTexts().size(), 2); // the prompt, then the failure
    QVERIFY(m_prompts->shownTexts().last().startsWith(QStringLiteral("Errore ")));
    QVERIFY(!w->skin());
    QCOMPARE(w->windowTitle(), QStringLiteral("Tessellary"));
    QCOMPARE(w->list()->model()->categoryCount(), 0);
    QVERIFY(!QFile::exists(m_folders->skinsDir() + QStringLiteral("Nuovo.skn")));
}

void TestFrmMain::saveQuestion_data() {
    QTest::addColumn<QString>("operation");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("saved");
    QTest::addColumn<bool>("proceeds");
    const QStringList operations{QStringLiteral("close"), QStringLiteral("load"),
                                 QStringLiteral("new"), QStringLiteral("window")};
    for (const QString& op : operations) {
        QTest::addRow("%s yes", qPrintable(op)) << op << int(UserPrompts::Yes) << true << true;
        QTest::addRow("%s no", qPrintable(op)) << op << int(UserPrompts::No) << false << true;
        QTest::addRow("%s cancel", qPrintable(op))
            << op << int(UserPrompts::Cancel) << false << false;
    }
}

void TestFrmMain::saveQuestion() {
    QFETCH(QString, operation);
    QFETCH(int, answer);
    QFETCH(bool, saved);
    QFETCH(bool, proceeds);
    const QString package = m_folders->skinsDir() + QStringLiteral("Blu.skn");
    const QByteArray before = readFileBytes(package);
    auto w = makeWindow();
    loadByName(*w, QStringLiteral("Blu.skn"));
    makeModified(*w);

    m_prompts->queueAnswer(UserPrompts::Answer(answer));
    bool closed = false;
    if (operation == QStringLiteral("close")) {
        action(*w, QStringLiteral("mnuClose"))->trigger();
        closed = !w->skin();
    } else if (operation == QStringLiteral("load")) {
        loadByName(*w, kDefault);
        closed = w->skin()->SkinName() == kDefault;
    } else if (operation == QStringLiteral("new")) {
        if (proceeds)
            m_prompts->queueText(QStringLiteral("Nuovo"));
        action(*w, QStringLiteral("mnuNew"))->trigger();
        closed = w->skin()->SkinName() == QStringLiteral("Nuovo.skn");
    } else {
        closed = w->close();
    }
    QCOMPARE(m_prompts->shownTexts().first(),
             QStringLiteral("Salvi le modifiche allo skin corrente?"));
    QCOMPARE(closed, proceeds);
    const QByteArray after = readFileBytes(package);
    QCOMPARE(after != before, saved);
    if (saved)
        QVERIFY(iniOfPackage(package).contains("    SpostX = 7\r\n"));
    if (!proceeds) {
        QVERIFY(w->isVisible());
        QCOMPARE(w->windowTitle(), QStringLiteral("Tessellary [Blu.skn][*]"));
        QVERIFY(w->list()->model()->Modified());
    }
}

void TestFrmMain::closeBoxWithCancelKeepsProgramRunning() {
    auto w = makeWindow();
    loadByName(*w, QStringLiteral("Blu.skn"));
    makeModified(*w);
    m_prompts->queueAnswer(UserPrompts::Cancel);
    action(*w, QStringLiteral("mnuExit"))->trigger();
    QVERIFY(w->isVisible());
    // Without changes nothing is asked and the window closes.
    m_prompts->queueAnswer(UserPrompts::No);
    QVERIFY(w->close());
    QVERIFY(!w->isVisible());
}

void TestFrmMain::saveWritesInfoSectionLastAndPackageReadsBack() {
    auto w = makeWindow();
    loadByName(*w, QStringLiteral("Blu.skn"));
    QVERIFY(w->list()->model()->SetData(QStringLiteral("Title"), QStringLiteral("Città blu")));
    QVERIFY(w->list()->model()->SetData(QStringLiteral("SpostY"), QStringLiteral("4")));
    m_prompts->queueCredits(QStringLiteral("Anna\r\nBruno\r\n\r\n\r\n"));
    action(*w, QStringLiteral("mnuSCredits"))->trigger();
    QCOMPARE(w->credits(), QStringLiteral("Anna\r\nBruno\r\n\r\n\r\n"));
    action(*w, QStringLiteral("mnuSave"))->trigger();
    QVERIFY(!w->list()->model()->Modified());
    QVERIFY(m_errors->isEmpty());

    const QString package = m_folders->skinsDir() + QStringLiteral("Blu.skn");
    const QByteArray ini = iniOfPackage(package);
    QVERIFY(ini.endsWith("[info]\r\nAnna\r\nBruno\r\n\r\n\r\n\r\n"));
    QVERIFY(ini.contains(encodeCp1252(QStringLiteral("    Title = Città blu\r\n"))));
    cBinary titles(m_folders->locations());
    QCOMPARE(titles.EstraiTitolo(package), QStringLiteral("Città blu"));

    // Reopened, the skin shows what was saved.
    m_prompts->clearRecord();
    action(*w, QStringLiteral("mnuClose"))->trigger();
    QVERIFY(m_prompts->shownTexts().isEmpty());
    loadByName(*w, QStringLiteral("Blu.skn"));
    QCOMPARE(w->list()->model()->RetrData(QStringLiteral("Title")).toString(),
             QStringLiteral("Città blu"));
    QCOMPARE(w->list()->model()->RetrData(QStringLiteral("SpostY")).toInt(), 4);
    QCOMPARE(w->credits(), QStringLiteral("Anna\r\nBruno\r\n\r\n\r\n"));
}

void TestFrmMain::keyboardSavesAndClosesLikeTheMenu() {
    auto w = makeWindow();
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w.get()));
    // With nothing open, the shortcut of a disabled entry does nothing.
    QTest::keyClick(w.get(), Qt::Key_S, Qt::ControlModifier);
    QVERIFY(m_errors->isEmpty());

    loadByName(*w, QStringLiteral("Blu.skn"));
    const QString package = m_folders->skinsDir() + QStringLiteral("Blu.skn");
    const QByteArray before = readFileBytes(package);
    QVERIFY(w->list()->model()->SetData(QStringLiteral("Title"), QStringLiteral("Da tastiera")));
    QTest::keyClick(w.get(), Qt::Key_S, Qt::ControlModifier);
    QVERIFY(!w->list()->model()->Modified());
    QVERIFY(readFileBytes(package) != before);
    cBinary titles(m_folders->locations());
    QCOMPARE(titles.EstraiTitolo(package), QStringLiteral("Da tastiera"));

    // Closing by keyboard asks about changes exactly as the menu does.
    makeModified(*w);
    m_prompts->queueAnswer(UserPrompts::Cancel);
    QTest::keySequence(w.get(), QKeySequence::Close);
    QCOMPARE(m_prompts->shownTexts(),
             QStringList{QStringLiteral("Salvi le modifiche allo skin corrente?")});
    QCOMPARE(w->windowTitle(), QStringLiteral("Tessellary [Blu.skn][*]"));
    m_prompts->queueAnswer(UserPrompts::No);
    QTest::keySequence(w.get(), QKeySequence::Close);
    QCOMPARE(w->windowTitle(), QStringLiteral("Tessellary"));
}

void TestFrmMain::failedSaveIsReportedAndKeepsQuestionAlive() {
    const QString package = m_folders->skinsDir() + QStringLiteral("Blu.skn");
    const QByteArray before = readFileBytes(package);
    auto w = makeWindow();
    loadByName(*w, QStringLiteral("Blu.skn"));
    makeModified(*w);
    // The working folder disappears behind the editor's back.
    QVERIFY(QDir(w->skin()->SkinPath()).removeRecursively());

    m_prompts->queueAnswer(UserPrompts::Yes);    // save: fails
    m_prompts->queueAnswer(UserPrompts::Cancel); // asked again: stay
    QVERIFY(!w->close());
    QVERIFY(w->isVisible());
    QCOMPARE(m_prompts->shownTexts().size(), 3); // asked, told the failure, asked again
    QCOMPARE(
        m_prompts->shownTexts().count(QStringLiteral("Salvi le modifiche allo skin corrente?")), 2);
    QCOMPARE(readFileBytes(package), before);
    QVERIFY(w->list()->model()->Modified());

    // Discarding the changes is still possible.
    m_prompts->queueAnswer(UserPrompts::No);
    QVERIFY(w->close());
}

void TestFrmMain::editedCreditsAreNotLostOnClose() {
    auto w = makeWindow();
    loadByName(*w, QStringLiteral("Blu.skn"));
    QVERIFY(!w->list()->model()->Modified());
    m_prompts->queueCredits(QStringLiteral("Autore\r\n\r\n\r\n\r\n"));
    action(*w, QStringLiteral("mnuSCredits"))->trigger();
    m_prompts->queueAnswer(UserPrompts::Cancel);
    action(*w, QStringLiteral("mnuClose"))->trigger();
    QVERIFY(w->skin());
    QCOMPARE(m_prompts->shownTexts().last(),
             QStringLiteral("Salvi le modifiche allo skin corrente?"));
    // "Annulla" in the credits dialog changes nothing, so nothing is asked.
    m_prompts->queueAnswer(UserPrompts::Yes);
    action(*w, QStringLiteral("mnuClose"))->trigger();
    QVERIFY(!w->skin());
    QVERIFY(iniOfPackage(m_folders->skinsDir() + QStringLiteral("Blu.skn"))
                .endsWith("[info]\r\nAutore\r\n\r\n\r\n\r\n\r\n"));
}

void TestFrmMain::launcherOpensDialogCaptionedByItem() {
    auto w = makeWindow();
    loadByName(*w, QStringLiteral("Blu.skn"));
    clickEditorOf(*w, QStringLiteral("Title"), QStringLiteral("cmdMore"));
    const QList<QWidget*> dialogs = openDialogs(QStringLiteral("frmText"));
    QCOMPARE(dialogs.size(), 1);
    QCOMPARE(dialogs[0]->windowTitle(), QStringLiteral("Titolo dello skin"));
    QCOMPARE(w->launchers().size(), size_t(1));
    QCOMPARE(w->launchers()[0]->SettName(), QStringLiteral("Title"));

    clickEditorOf(*w, QStringLiteral("List_Back"), QStringLiteral("pctColor"));
    const QList<QWidget*> pickers = openDialogs(QStringLiteral("frmColor"));
    QCOMPARE(pickers.size(), 1);
    QCOMPARE(pickers[0]->windowTitle(), QStringLiteral("Colore Sfondo"));
    QCOMPARE(pickers[0]->parentWidget(), w.get()); // owned by the main window
}

void TestFrmMain::twoDialogsForOneItemLastOkWins() {
    auto w = makeWindow();
    loadByName(*w, QStringLiteral("Blu.skn"));
    clickEditorOf(*w, QStringLiteral("SpostX"), QStringLiteral("cmdMore"));
    clickEditorOf(*w, QStringLiteral("SpostX"), QStringLiteral("cmdMore"));
    const QList<QWidget*> dialogs = openDialogs(QStringLiteral("frmText"));
    QCOMPARE(dialogs.size(), 2);
    const QStringList typed{QStringLiteral("11"), QStringLiteral("22")};
    for (int i = 0; i < 2; ++i) {
        auto* edit = dialogs[i]->findChild<QLineEdit*>(QStringLiteral("txtText"));
        edit->selectAll();
        QTest::keyClicks(edit, typed[i]);
    }
    QTest::mouseClick(dialogs[1]->findChild<QPushButton*>(QStringLiteral("cmdOk")), Qt::LeftButton);
    QTest::mouseClick(dialogs[0]->findChild<QPushButton*>(QStringLiteral("cmdOk")), Qt::LeftButton);
    QCOMPARE(w->list()->model()->RetrData(QStringLiteral("SpostX")).toString(),
             QStringLiteral("11"));
    QCOMPARE(w->skin()->RetrInfo(QStringLiteral("SpostX")).toString(), QStringLiteral("11"));
    QVERIFY(w->list()->model()->Modified());
}

void TestFrmMain::annullaStoresNothing() {
    auto w = makeWindow();
    loadByName(*w, QStringLiteral("Blu.skn"));
    const QVariant before = w->list()->model()->RetrData(QStringLiteral("SpostX"));
    clickEditorOf(*w, QStringLiteral("SpostX"), QStringLiteral("cmdMore"));
    QWidget* dialog = openDialogs(QStringLiteral("frmText")).value(0);
    QVERIFY(dialog);
    QTest::keyClicks(dialog->findChild<QLineEdit*>(QStringLiteral("txtText")), "99");
    QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("cmdAnnulla")),
                      Qt::LeftButton);
    QCOMPARE(w->list()->model()->RetrData(QStringLiteral("SpostX")), before);
    QVERIFY(!w->list()->model()->Modified());
}

void TestFrmMain::modificaUndoesAndRedoesNamingTheChange() {
    auto w = makeWindow();
    QAction* undo = action(*w, QStringLiteral("mnuUndo"));
    QAction* redo = action(*w, QStringLiteral("mnuRedo"));
    QVERIFY(!undo->isEnabled() && !redo->isEnabled());
    loadByName(*w, QStringLiteral("Blu.skn"));
    QVERIFY(!undo->isEnabled());
    QVERIFY(w->list()->model()->SetData(QStringLiteral("Color"), 255));
    QCOMPARE(undo->text(), QStringLiteral("&Annulla: Colore principale"));
    QVERIFY(undo->isEnabled());
    QVERIFY(undo->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_Z)));
    QVERIFY(redo->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_Y)));
    QVERIFY(redo->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)));

    undo->trigger();
    QCOMPARE(redo->text(), QStringLiteral("&Ripeti: Colore principale"));
    QCOMPARE(undo->text(), QStringLiteral("&Annulla"));
    // Back at the state it was opened in: closing asks nothing.
    QVERIFY(!w->list()->model()->Modified());
    action(*w, QStringLiteral("mnuClose"))->trigger();
    QVERIFY(m_prompts->shownTexts().isEmpty());
    QVERIFY(!w->skin());
    QVERIFY(!undo->isEnabled() && !redo->isEnabled());
}

void TestFrmMain::savingAsksAboutEditsLeftInOpenDialogs_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("stored"); // what the list holds after the save
    QTest::addColumn<bool>("dialogOpen");
    QTest::newRow("Sì applies") << int(UserPrompts::Yes) << "99" << false;
    QTest::newRow("No drops") << int(UserPrompts::No) << "" << false;
    QTest::newRow("Annulla saves nothing") << int(UserPrompts::Cancel) << "" << true;
}

void TestFrmMain::savingAsksAboutEditsLeftInOpenDialogs() {
    QFETCH(int, answer);
    QFETCH(QString, stored);
    QFETCH(bool, dialogOpen);
    auto w = makeWindow();
    loadByName(*w, QStringLiteral("Blu.skn"));
    const QVariant before = w->list()->model()->RetrData(QStringLiteral("SpostX"));
    const QByteArray package = readFileBytes(m_folders->skinsDir() + QStringLiteral("Blu.skn"));
    clickEditorOf(*w, QStringLiteral("SpostX"), QStringLiteral("cmdMore"));
    QPointer<QWidget> dialog = openDialogs(QStringLiteral("frmText")).value(0);
    QVERIFY(dialog);
    QTest::keyClicks(dialog->findChild<QLineEdit*>(QStringLiteral("txtText")), "99");

    m_prompts->queueAnswer(UserPrompts::Answer(answer));
    action(*w, QStringLiteral("mnuSave"))->trigger();
    QCOMPARE(m_prompts->shownTexts(),
             QStringList{QStringLiteral(
                 "Ci sono modifiche non confermate negli editor aperti. Applicarle?")});
    QCOMPARE(w->list()->model()->RetrData(QStringLiteral("SpostX")).toString(),
             stored.isEmpty() ? before.toString() : stored);
    QTRY_COMPARE(!dialog.isNull() && dialog->isVisible(), dialogOpen);
    // Only the applied edit changes the package; Annulla stops the save itself.
    QCOMPARE(readFileBytes(m_folders->skinsDir() + QStringLiteral("Blu.skn")) != package,
             answer == UserPrompts::Yes);
    QCOMPARE(w->list()->model()->Modified(), false);
}

void TestFrmMain::closingClosesEveryDialogWithoutStoring() {
    auto w = makeWindow();
    loadByName(*w, QStringLiteral("Blu.skn"));
    clickEditorOf(*w, QStringLiteral("SpostX"), QStringLiteral("cmdMore"));
    clickEditorOf(*w, QStringLiteral("Title"), QStringLiteral("cmdMore"));
    clickEditorOf(*w, QStringLiteral("List_Back"), QStringLiteral("pctColor"));
    QCOMPARE(openDialogs(QStringLiteral("frmText")).size(), 2);
    QCOMPARE(openDialogs(QStringLiteral("frmColor")).size(), 1);
    QSignalSpy closing(w.get(), &frmMain::Closing);
    action(*w, QStringLiteral("mnuClose"))->trigger();
    QCOMPARE(closing.size(), 1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(openDialogs(QStringLiteral("frmText")).isEmpty());
    QVERIFY(openDialogs(QStringLiteral("frmColor")).isEmpty());
    QVERIFY(m_prompts->shownTexts().isEmpty()); // nothing was modified

    // Closing the window closes what is open too.
    loadByName(*w, QStringLiteral("Blu.skn"));
    clickEditorOf(*w, QStringLiteral("Title"), QStringLiteral("cmdMore"));
    QVERIFY(w->close());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(openDialogs(QStringLiteral("frmText")).isEmpty());
}

void TestFrmMain::loadAndNewCloseTheDialogsOfThePreviousSkin() {
    auto w = makeWindow();
    loadByName(*w, QStringLiteral("Blu.skn"));
    clickEditorOf(*w, QStringLiteral("SpostX"), QStringLiteral("cmdMore"));
    QPointer<QWidget> dialog = openDialogs(QStringLiteral("frmText")).value(0);
    QVERIFY(dialog);
    auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("txtText"));
    edit->selectAll();
    QTest::keyClicks(edit, "5");

    // Cancelling the question about the unconfirmed edit leaves everything, the dialog
    // included, as it was.
    makeModified(*w);
    m_prompts->queueAnswer(UserPrompts::Cancel);
    loadByName(*w, kDefault);
    QVERIFY(dialog && dialog->isVisible());
    m_prompts->queueAnswer(UserPrompts::No); // drop the unconfirmed edit
    m_prompts->queueAnswer(UserPrompts::No); // and the unsaved changes
    loadByName(*w, kDefault);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!dialog || !dialog->isVisible());
    // The edit meant for the other skin went nowhere.
    QCOMPARE(w->skin()->SkinName(), kDefault);
    QVERIFY(!w->list()->model()->Modified());

    // New does the same once it has a name; a dismissed prompt keeps skin and dialog.
    clickEditorOf(*w, QStringLiteral("Title"), QStringLiteral("cmdMore"));
    dialog = openDialogs(QStringLiteral("frmText")).value(0);
    QVERIFY(dialog);
    m_prompts->queueText(QString());
    action(*w, QStringLiteral("mnuNew"))->trigger();
    QVERIFY(dialog && dialog->isVisible());
    m_prompts->queueText(QStringLiteral("Nuova"));
    action(*w, QStringLiteral("mnuNew"))->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!dialog || !dialog->isVisible());
    QCOMPARE(w->windowTitle(), QStringLiteral("Tessellary [Nuova.skn][*]"));
    QVERIFY(!w->list()->model()->Modified());
}

void TestFrmMain::openWorkingFolderUsesSkinPath() {
    auto w = makeWindow();
    loadByName(*w, QStringLiteral("Blu.skn"));
    QString opened;
    frmMain::setOpenFolderHandler([&](const QString& folder) { opened = folder; });
    action(*w, QStringLiteral("mnuBrowse"))->trigger();
    QCOMPARE(opened, w->skin()->SkinPath());
    QCOMPARE(opened, m_folders->workDir() + u'/');
}

void TestFrmMain::onlyOneEditorAtATimeUsesTheWorkingFolder() {
    const Locations locations = m_folders->locations();
    {
        WorkFolderLock first(locations);
        QVERIFY(first.acquire());
        WorkFolderLock second(locations);
        QVERIFY(!second.acquire());
    }
    // Once the first editor has ended, the next one starts.
    WorkFolderLock next(locations);
    QVERIFY(next.acquire());
}

void TestFrmMain::aLockThatNamesNoLiveEditorIsTakenOver_data() {
    QTest::addColumn<QString>("left");
    QTest::addColumn<bool>("taken");
    QTest::newRow("crashed editor") << "dead" << true;
    QTest::newRow("empty file") << "empty" << true;
    QTest::newRow("garbage") << "garbage" << true;
    QTest::newRow("unreadable") << "unreadable" << true;
    QTest::newRow("folder") << "folder" << true;
    QTest::newRow("dangling link") << "link" << true;
    QTest::newRow("running editor") << "live" << false;
}

void TestFrmMain::aLockThatNamesNoLiveEditorIsTakenOver() {
    QFETCH(QString, left);
    QFETCH(bool, taken);
    const QString path = m_folders->locations().lockPath();
    const QByteArray host = QSysInfo::machineHostName().toUtf8();
    if (left == u"dead" || left == u"live") {
        const QByteArray pid = left == u"dead"
                                   ? QByteArray("2147483646")
                                   : QByteArray::number(QCoreApplication::applicationPid());
        QVERIFY(writeFileBytes(path, pid + '\n' + QCoreApplication::applicationName().toUtf8() +
                                         '\n' + host + '\n'));
    } else if (left == u"empty") {
        QVERIFY(writeFileBytes(path, {}));
    } else if (left == u"garbage") {
        QVERIFY(writeFileBytes(path, "\x01\x02garbage\n\n\n"));
    } else if (left == u"unreadable") {
        QVERIFY(writeFileBytes(path, {}));
        QVERIFY(QFile::setPermissions(path, {}));
    } else if (left == u"folder") {
        QVERIFY(QDir().mkpath(path));
    } else {
        QVERIFY(QFile::link(path + QStringLiteral(".nowhere"), path));
    }
    {
        WorkFolderLock lock(m_folders->locations());
        QCOMPARE(lock.acquire(), taken);
        QCOMPARE(lock.path(), path);
    }
    QFile::remove(path);
}

QTEST_MAIN(TestFrmMain)
#include "tst_frmmain.moc"
