#include "app/application.h"
#include "app/frmmain.h"
#include "common/cp1252.h"
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
    void loadShowsPackageInCaptionAndSchemaInList();
    void loadRefusesMissingOrForeignFileKeepingOpenSkin();
    void browseOpensTheWorkingFolderAndNothingWorksWithoutASkin();

    void newSkin_data();
    void newSkin();
    void strayKeyOnReplaceQuestionKeepsPackage_data();
    void strayKeyOnReplaceQuestionKeepsPackage();
    void newSkinFails_data();
    void newSkinFails();

    void saveQuestion_data();
    void saveQuestion();

    void keyboardSaveWritesInfoSectionLastAndPackageReadsBack();
    void failedSaveIsReportedAndKeepsQuestionAlive();

    void annullaStoresNothingAndOfTwoDialogsTheLastOkWins();
    void modificaUndoesAndRedoesNamingTheChange();
    void savingAsksAboutEditsLeftInOpenDialogs_data();
    void savingAsksAboutEditsLeftInOpenDialogs();
    void launchersOpenCaptionedDialogsThatClosingCloses();
    void loadAndNewCloseTheDialogsOfThePreviousSkin();

    void aLockThatNamesNoLiveEditorIsTakenOver_data();
    void aLockThatNamesNoLiveEditorIsTakenOver();

private:
    std::unique_ptr<frmMain> makeWindow() {
        auto w = std::make_unique<frmMain>(m_folders->locations());
        w->setPrompts(m_prompts.get());
        w->resize(420, 640);
        w->show();
        return w;
    }
    std::unique_ptr<frmMain> withBlu() { // a window with Blu.skn open
        auto w = makeWindow();
        loadByName(*w, QStringLiteral("Blu.skn"));
        return w;
    }
    static QAction* action(frmMain& w, const QString& name) { return w.findChild<QAction*>(name); }
    static void loadByName(frmMain& w, const QString& name) {
        const int index = w.skinMenuNames().indexOf(name);
        QVERIFY2(index >= 0, qPrintable(name));
        action(w, QStringLiteral("mnuSkin") + QString::number(index))->trigger();
    }
    static void makeModified(frmMain& w) {
        QVERIFY(w.list()->model()->SetData(QStringLiteral("SpostX"), QStringLiteral("7")));
    }
    // Hovers the item's row and clicks its inline editor, as a user does.
    static void clickEditorOf(frmMain& w, const QString& key, const QString& editorName);
    static QList<QWidget*> openDialogs(const QString& objectName) {
        QList<QWidget*> out;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->objectName() == objectName && w->isVisible())
                out << w;
        }
        return out;
    }
    // Opens the text dialog of `key` and types `typed` over its value.
    static QWidget* typeInDialog(frmMain& w, const QString& key, const QString& typed);
    QString bluPath() const { return m_folders->skinsDir() + QStringLiteral("Blu.skn"); }

    std::unique_ptr<TestFolders> m_folders;
    std::unique_ptr<ErrorRecorder> m_errors;
    std::unique_ptr<ScriptedPrompts> m_prompts;
};

void TestFrmMain::initTestCase() {
    // The recent list lives in the user's settings: a test's own, not the real ones.
    QStandardPaths::setTestModeEnabled(true);
    registerValueDialog(KindNumber, [] { return new frmText(); });
    registerValueDialog(KindString, [] { return new frmText(); });
    registerValueDialog(KindColor, [] { return new frmColor(); });
}

void TestFrmMain::init() {
    m_folders = std::make_unique<TestFolders>();
    QVERIFY(m_folders->isValid());
    // The bundled default skin and template, as the build places them.
    QVERIFY(QFile::copy(binDir() + QStringLiteral("/skins/") + kDefault,
                        m_folders->skinsDir() + kDefault));
    const QString templ = binDir() + QStringLiteral("/modello.dat");
    QVERIFY(QFile::copy(templ, m_folders->locations().templatePath()) &&
            QFile::copy(templ, bluPath()));
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

void TestFrmMain::clickEditorOf(frmMain& w, const QString& key, const QString& editorName) {
    PropListModel* model = w.list()->model();
    int cat = 0, item = 0;
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

QWidget* TestFrmMain::typeInDialog(frmMain& w, const QString& key, const QString& typed) {
    clickEditorOf(w, key, QStringLiteral("cmdMore"));
    QWidget* dialog = openDialogs(QStringLiteral("frmText")).value(0);
    if (auto* edit = dialog ? dialog->findChild<QLineEdit*>(QStringLiteral("txtText")) : nullptr) {
        edit->selectAll();
        QTest::keyClicks(edit, typed);
    }
    return dialog;
}

void TestFrmMain::skinMenuListsPackagesSortedWithoutRegardToCase() {
    QDir skins(m_folders->skinsDir());
    QVERIFY(skins.remove(kDefault) && skins.remove(QStringLiteral("Blu.skn")));
    auto w = makeWindow();
    QCOMPARE(w->skinMenuNames(), QStringList{QStringLiteral("Skin0")});
    QVERIFY(!action(*w, QStringLiteral("mnuSkin0"))->isEnabled());
    // Listed again each time the menu opens.
    for (const char* name : {"Blu.skn", "b.skn", "A.skn", "x.SKN", "x.Skn", "skn", "notes.txt"})
        QVERIFY(writeFileBytes(skins.filePath(QString::fromLatin1(name)), "x"));
    QVERIFY(skins.mkdir(QStringLiteral("cartella.skn")));
    QMenu* load = w->findChild<QMenu*>(QStringLiteral("mnuLoad"));
    Q_EMIT load->aboutToShow();
    QCOMPARE(w->skinMenuNames(), (QStringList{"A.skn", "b.skn", "Blu.skn"}));
    QVERIFY(action(*w, QStringLiteral("mnuSkin0"))->isEnabled());
    QCOMPARE(w->windowTitle(), QStringLiteral("Tessellary"));
    QCOMPARE(load->title(), QStringLiteral("&Carica"));
}

void TestFrmMain::loadShowsPackageInCaptionAndSchemaInList() {
    auto w = withBlu();
    QCOMPARE(w->windowTitle(), QStringLiteral("Tessellary [Blu.skn][*]"));
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
    QVERIFY(writeFileBytes(foreign, "non sono uno skin\r\n"));
    auto w = withBlu();
    makeModified(*w);
    // Neither asks about the open skin's changes: nothing would replace it.
    loadByName(*w, QStringLiteral("appunti.skn"));
    QCOMPARE(m_prompts->shownTexts(),
             QStringList{QStringLiteral("Il file non è un pacchetto skin: ") + foreign});
    QCOMPARE(readFileBytes(foreign), QByteArray("non sono uno skin\r\n"));
    // Removed after the menu was built.
    m_prompts->clearRecord();
    QVERIFY(QFile::remove(m_folders->skinsDir() + kDefault));
    loadByName(*w, kDefault);
    QCOMPARE(m_prompts->shownTexts().size(), 1);
    QVERIFY(m_prompts->shownTexts()[0].startsWith(QStringLiteral("Errore 53: ")));
    QVERIFY(m_errors->isEmpty());
    QVERIFY(!QFile::exists(m_folders->skinsDir() + kDefault));
    QCOMPARE(w->windowTitle(), QStringLiteral("Tessellary [Blu.skn][*]"));
    QCOMPARE(w->list()->model()->RetrData(QStringLiteral("SpostX")).toString(), "7");
}

void TestFrmMain::browseOpensTheWorkingFolderAndNothingWorksWithoutASkin() {
    auto w = makeWindow();
    QString opened;
    frmMain::setOpenFolderHandler([&](const QString& folder) { opened = folder; });
    w->SaveSkin();
    w->EditCredits();
    w->OpenWorkingFolder();
    QVERIFY(opened.isNull());
    QVERIFY(m_prompts->creditsCalls().isEmpty());
    QVERIFY(m_prompts->shownTexts().isEmpty());
    QVERIFY(m_errors->isEmpty());
    loadByName(*w, QStringLiteral("Blu.skn"));
    action(*w, QStringLiteral("mnuBrowse"))->trigger();
    QCOMPARE(opened, w->skin()->SkinPath());
    QCOMPARE(opened, m_folders->workDir() + u'/');
}

void TestFrmMain::newSkin_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("package");
    QTest::addColumn<QString>("existing"); // a package already in the skins folder
    QTest::newRow("without extension") << "Prova"
                                       << "Prova.skn"
                                       << "";
    QTest::newRow("with extension") << "Prova.skn"
                                    << "Prova.skn"
                                    << "";
    QTest::newRow("upper-case extension kept") << "Prova.SKN"
                                               << "Prova.SKN"
                                               << "";
    QTest::newRow("replaces after asking") << "Vecchio"
                                           << "Vecchio.skn"
                                           << "Vecchio.skn";
    QTest::newRow("another spelling, another name") << "vecchio.SKN"
                                                    << "vecchio.SKN"
                                                    << "Vecchio.skn";
}

void TestFrmMain::newSkin() {
    QFETCH(QString, typed);
    QFETCH(QString, package);
    QFETCH(QString, existing);
    QVERIFY(existing.isEmpty() || writeFileBytes(m_folders->skinsDir() + existing, "vecchio"));
    auto w = makeWindow();
    m_prompts->queueText(typed);
    if (existing == package)
        m_prompts->queueAnswer(UserPrompts::Yes);
    action(*w, QStringLiteral("mnuNew"))->trigger();
    QVERIFY(m_prompts->shownTexts().first().startsWith(
        QStringLiteral("Inserisci un nome per il tuo skin\r\nNB: Il nome non corrisponde al "
                       "titolo, ma e' soltanto il nome che verra' dato al file .skn")));
    QCOMPARE(m_prompts->shownTexts().contains(
                 QStringLiteral("Esiste già uno skin con questo nome. Sostituirlo?")),
             existing == package);
    QCOMPARE(w->windowTitle(), QStringLiteral("Tessellary [") + package + QStringLiteral("][*]"));
    QCOMPARE(readFileBytes(m_folders->skinsDir() + package),
             readFileBytes(m_folders->locations().templatePath()));
    QCOMPARE(w->skin()->SkinName(), package);
    QCOMPARE(w->list()->model()->categoryCount(), 12);
}

// The real prompt and question, answered from the keyboard: replacing must be a deliberate
// choice, never what a reflexive Enter, Esc or the frame's close button does.
void TestFrmMain::strayKeyOnReplaceQuestionKeepsPackage_data() {
    QTest::addColumn<QString>("gesture");
    for (const char* gesture : {"Enter", "Esc", "frame"})
        QTest::newRow(gesture) << QString::fromLatin1(gesture);
}

void TestFrmMain::strayKeyOnReplaceQuestionKeepsPackage() {
    QFETCH(QString, gesture);
    const QString existing = m_folders->skinsDir() + QStringLiteral("Vecchio.skn");
    // Not the template's bytes, which a replacement would write back unnoticed.
    const QByteArray before = readFileBytes(m_folders->skinsDir() + kDefault);
    QVERIFY(writeFileBytes(existing, before));
    auto w = makeWindow();
    EditorPrompts real; // what a stray key does to the real boxes is the point
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
    QVERIFY(prompt.answered() && question && question->answered());
    QCOMPARE(asked, QStringLiteral("Esiste già uno skin con questo nome. Sostituirlo?"));
    QVERIFY(!stillOpen);
    QCOMPARE(readFileBytes(existing), before);
    QCOMPARE(w->windowTitle(), QStringLiteral("Tessellary"));
}

void TestFrmMain::newSkinFails_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("noTemplate");
    QTest::addColumn<QString>("told"); // how the second message starts or ends
    QTest::newRow("outside the skins folder")
        << "../fuori" << false << "non è un nome di file valido.";
    QTest::newRow("no template") << "Nuovo" << true << "Errore ";
}

void TestFrmMain::newSkinFails() {
    QFETCH(QString, typed);
    QFETCH(bool, noTemplate);
    QFETCH(QString, told);
    QVERIFY(!noTemplate || QFile::remove(m_folders->locations().templatePath()));
    auto w = makeWindow();
    if (noTemplate) // a skin open before ends closed all the same
        loadByName(*w, QStringLiteral("Blu.skn"));
    m_prompts->queueText(typed);
    action(*w, QStringLiteral("mnuNew"))->trigger();
    QCOMPARE(m_prompts->shownTexts().size(), 2); // the prompt, then the refusal or failure
    const QString last = m_prompts->shownTexts().last();
    QVERIFY2(last.startsWith(told) || last.endsWith(told), qPrintable(last));
    QVERIFY(!w->skin());
    QCOMPARE(w->windowTitle(), QStringLiteral("Tessellary"));
    QCOMPARE(w->list()->model()->categoryCount(), 0);
    QVERIFY(!QFile::exists(m_folders->programDir() + QStringLiteral("/fuori.skn")));
    QVERIFY(!QFile::exists(m_folders->skinsDir() + QStringLiteral("Nuovo.skn")));
}

void TestFrmMain::saveQuestion_data() {
    QTest::addColumn<QString>("operation");
    QTest::addColumn<int>("answer");
    for (const char* op : {"close", "load", "new", "exit"}) {
        QTest::addRow("%s yes", op) << QString::fromLatin1(op) << int(UserPrompts::Yes);
        QTest::addRow("%s no", op) << QString::fromLatin1(op) << int(UserPrompts::No);
        QTest::addRow("%s cancel", op) << QString::fromLatin1(op) << int(UserPrompts::Cancel);
    }
}

void TestFrmMain::saveQuestion() {
    QFETCH(QString, operation);
    QFETCH(int, answer);
    const bool proceeds = answer != UserPrompts::Cancel;
    const QByteArray before = readFileBytes(bluPath());
    auto w = withBlu();
    makeModified(*w);
    m_prompts->queueAnswer(UserPrompts::Answer(answer));
    bool closed = false;
    if (operation == u"close") {
        action(*w, QStringLiteral("mnuClose"))->trigger();
        closed = !w->skin();
    } else if (operation == u"load") {
        loadByName(*w, kDefault);
        closed = w->skin()->SkinName() == kDefault;
    } else if (operation == u"new") {
        if (proceeds)
            m_prompts->queueText(QStringLiteral("Nuovo"));
        action(*w, QStringLiteral("mnuNew"))->trigger();
        closed = w->skin()->SkinName() == QStringLiteral("Nuovo.skn");
    } else {
        action(*w, QStringLiteral("mnuExit"))->trigger();
        closed = !w->isVisible();
    }
    QCOMPARE(m_prompts->shownTexts().first(),
             QStringLiteral("Salvi le modifiche allo skin corrente?"));
    QCOMPARE(closed, proceeds);
    QCOMPARE(readFileBytes(bluPath()) != before, answer == UserPrompts::Yes);
    if (answer == UserPrompts::Yes)
        QVERIFY(iniOfPackage(bluPath()).contains("    SpostX = 7\r\n"));
    if (!proceeds)
        QVERIFY(w->list()->model()->Modified() && w->skin()->SkinName() == u"Blu.skn");
}

void TestFrmMain::keyboardSaveWritesInfoSectionLastAndPackageReadsBack() {
    auto w = makeWindow();
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w.get()));
    // With nothing open, the shortcut of a disabled entry does nothing.
    QTest::keyClick(w.get(), Qt::Key_S, Qt::ControlModifier);
    QVERIFY(m_errors->isEmpty());
    loadByName(*w, QStringLiteral("Blu.skn"));
    // The credits alone are a change: closing would ask about them.
    m_prompts->queueCredits(QStringLiteral("Anna\r\nBruno\r\n\r\n\r\n"));
    action(*w, QStringLiteral("mnuSCredits"))->trigger();
    QCOMPARE(w->credits(), QStringLiteral("Anna\r\nBruno\r\n\r\n\r\n"));
    QVERIFY(w->list()->model()->Modified());
    QVERIFY(w->list()->model()->SetData(QStringLiteral("Title"), QStringLiteral("Città blu")));
    QVERIFY(w->list()->model()->SetData(QStringLiteral("SpostY"), QStringLiteral("4")));
    QTest::keyClick(w.get(), Qt::Key_S, Qt::ControlModifier);
    QVERIFY(!w->list()->model()->Modified());
    QVERIFY(m_errors->isEmpty());

    const QByteArray ini = iniOfPackage(bluPath());
    QVERIFY(ini.endsWith("[info]\r\nAnna\r\nBruno\r\n\r\n\r\n\r\n"));
    QVERIFY(ini.contains(encodeCp1252(QStringLiteral("    Title = Città blu\r\n"))));
    QCOMPARE(cBinary(m_folders->locations()).EstraiTitolo(bluPath()), QStringLiteral("Città blu"));

    // Closed by keyboard (nothing to ask) and reopened, the skin shows what was saved.
    m_prompts->clearRecord();
    QTest::keySequence(w.get(), QKeySequence::Close);
    QCOMPARE(w->windowTitle(), QStringLiteral("Tessellary"));
    QVERIFY(m_prompts->shownTexts().isEmpty());
    loadByName(*w, QStringLiteral("Blu.skn"));
    QCOMPARE(w->list()->model()->RetrData(QStringLiteral("Title")).toString(), "Città blu");
    QCOMPARE(w->list()->model()->RetrData(QStringLiteral("SpostY")).toInt(), 4);
    QCOMPARE(w->credits(), QStringLiteral("Anna\r\nBruno\r\n\r\n\r\n"));
}

void TestFrmMain::failedSaveIsReportedAndKeepsQuestionAlive() {
    const QByteArray before = readFileBytes(bluPath());
    auto w = withBlu();
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
    QCOMPARE(readFileBytes(bluPath()), before);
    QVERIFY(w->list()->model()->Modified());
    // Discarding the changes is still possible.
    m_prompts->queueAnswer(UserPrompts::No);
    QVERIFY(w->close());
}

void TestFrmMain::annullaStoresNothingAndOfTwoDialogsTheLastOkWins() {
    auto w = withBlu();
    const QVariant before = w->list()->model()->RetrData(QStringLiteral("SpostX"));
    QWidget* cancelled = typeInDialog(*w, QStringLiteral("SpostX"), QStringLiteral("99"));
    QVERIFY(cancelled);
    QTest::mouseClick(cancelled->findChild<QPushButton*>(QStringLiteral("cmdAnnulla")),
                      Qt::LeftButton);
    QCOMPARE(w->list()->model()->RetrData(QStringLiteral("SpostX")), before);
    QVERIFY(!w->list()->model()->Modified());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    clickEditorOf(*w, QStringLiteral("SpostX"), QStringLiteral("cmdMore"));
    clickEditorOf(*w, QStringLiteral("SpostX"), QStringLiteral("cmdMore"));
    const QList<QWidget*> dialogs = openDialogs(QStringLiteral("frmText"));
    QCOMPARE(dialogs.size(), 2);
    for (int i = 0; i < 2; ++i) {
        auto* edit = dialogs[i]->findChild<QLineEdit*>(QStringLiteral("txtText"));
        edit->selectAll();
        QTest::keyClicks(edit, QString::number(11 * (i + 1)));
    }
    for (int i : {1, 0})
        QTest::mouseClick(dialogs[i]->findChild<QPushButton*>(QStringLiteral("cmdOk")),
                          Qt::LeftButton);
    QCOMPARE(w->list()->model()->RetrData(QStringLiteral("SpostX")).toString(), "11");
    QCOMPARE(w->skin()->RetrInfo(QStringLiteral("SpostX")).toString(), "11");
    QVERIFY(w->list()->model()->Modified());
}

// What each change undoes to is the history's business; here, the menu that drives it.
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
    action(*w, QStringLiteral("mnuClose"))->trigger();
    QVERIFY(!undo->isEnabled() && !redo->isEnabled());
}

void TestFrmMain::savingAsksAboutEditsLeftInOpenDialogs_data() {
    QTest::addColumn<int>("answer");
    QTest::newRow("Sì applies") << int(UserPrompts::Yes);
    QTest::newRow("No drops") << int(UserPrompts::No);
    QTest::newRow("Annulla saves nothing") << int(UserPrompts::Cancel);
}

void TestFrmMain::savingAsksAboutEditsLeftInOpenDialogs() {
    QFETCH(int, answer);
    auto w = withBlu();
    const QString before = w->list()->model()->RetrData(QStringLiteral("SpostX")).toString();
    const QByteArray package = readFileBytes(bluPath());
    QPointer<QWidget> dialog = typeInDialog(*w, QStringLiteral("SpostX"), QStringLiteral("99"));
    QVERIFY(dialog);
    m_prompts->queueAnswer(UserPrompts::Answer(answer));
    action(*w, QStringLiteral("mnuSave"))->trigger();
    QCOMPARE(m_prompts->shownTexts(),
             QStringList{QStringLiteral(
                 "Ci sono modifiche non confermate negli editor aperti. Applicarle?")});
    QCOMPARE(w->list()->model()->RetrData(QStringLiteral("SpostX")).toString(),
             answer == UserPrompts::Yes ? QStringLiteral("99") : before);
    QTRY_COMPARE(!dialog.isNull() && dialog->isVisible(), answer == UserPrompts::Cancel);
    // Only the applied edit changes the package; Annulla stops the save itself.
    QCOMPARE(readFileBytes(bluPath()) != package, answer == UserPrompts::Yes);
    QVERIFY(!w->list()->model()->Modified());
}

void TestFrmMain::launchersOpenCaptionedDialogsThatClosingCloses() {
    auto w = withBlu();
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
    clickEditorOf(*w, QStringLiteral("SpostX"), QStringLiteral("cmdMore"));
    QCOMPARE(openDialogs(QStringLiteral("frmText")).size(), 2);

    // Closing the skin closes every dialog without storing anything.
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
    auto w = withBlu();
    QPointer<QWidget> dialog = typeInDialog(*w, QStringLiteral("SpostX"), QStringLiteral("5"));
    QVERIFY(dialog);
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
    const SkinRef shown = w->skin();
    m_prompts->queueText(QString());
    action(*w, QStringLiteral("mnuNew"))->trigger();
    QVERIFY(dialog && dialog->isVisible());
    QCOMPARE(w->skin(), shown);
    QCOMPARE(w->list()->model()->skin(), shown);
    QCOMPARE(w->windowTitle(), QStringLiteral("Tessellary [(default).skn][*]"));
    m_prompts->queueText(QStringLiteral("Nuova"));
    action(*w, QStringLiteral("mnuNew"))->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!dialog || !dialog->isVisible());
    QCOMPARE(w->windowTitle(), QStringLiteral("Tessellary [Nuova.skn][*]"));
    QVERIFY(!w->list()->model()->Modified());
}

void TestFrmMain::aLockThatNamesNoLiveEditorIsTakenOver_data() {
    QTest::addColumn<QString>("left");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("taken");
    const QByteArray rest = '\n' + QCoreApplication::applicationName().toUtf8() + '\n' +
                            QSysInfo::machineHostName().toUtf8() + '\n';
    QTest::newRow("crashed editor") << "file"
                                    << "2147483646" + rest << true;
    QTest::newRow("empty file") << "file" << QByteArray() << true;
    QTest::newRow("garbage") << "file" << QByteArray("\x01\x02garbage\n\n\n") << true;
    QTest::newRow("unreadable") << "unreadable" << QByteArray() << true;
    QTest::newRow("folder") << "folder" << QByteArray() << true;
    QTest::newRow("dangling link") << "link" << QByteArray() << true;
    QTest::newRow("running editor")
        << "file" << QByteArray::number(QCoreApplication::applicationPid()) + rest << false;
}

void TestFrmMain::aLockThatNamesNoLiveEditorIsTakenOver() {
    QFETCH(QString, left);
    QFETCH(QByteArray, content);
    QFETCH(bool, taken);
    const QString path = m_folders->locations().lockPath();
    if (left == u"folder")
        QVERIFY(QDir().mkpath(path));
    else if (left == u"link")
        QVERIFY(QFile::link(path + QStringLiteral(".nowhere"), path));
    else
        QVERIFY(writeFileBytes(path, content));
    if (left == u"unreadable")
        QVERIFY(QFile::setPermissions(path, {}));
    {
        WorkFolderLock lock(m_folders->locations());
        QCOMPARE(lock.acquire(), taken);
        QCOMPARE(lock.path(), path);
        // One editor at a time: a lock held refuses the next editor until it is released.
        QVERIFY(!WorkFolderLock(m_folders->locations()).acquire());
    }
    QCOMPARE(WorkFolderLock(m_folders->locations()).acquire(), taken);
    QFile::remove(path);
}

QTEST_MAIN(TestFrmMain)
#include "tst_frmmain.moc"
