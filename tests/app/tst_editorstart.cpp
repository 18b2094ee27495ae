#include "app/application.h"
#include "app/frmmain.h"
#include "app/recentskins.h"
#include "app/recovery.h"
#include "proplist/proplistmodel.h"
#include "proplist/uadvlist.h"
#include "scriptedprompts.h"
#include "testsupport.h"

#include <QAction>
#include <QMenu>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <cstdio>

namespace {

const QString kKey = QStringLiteral("SpostX");

// A value as a freshly started editor would read it from the package at `path`.
QString storedValue(const Locations& locations, const QString& path) {
    SkinDocument doc(nullptr);
    doc.open(locations, path);
    return doc.value(kKey).toString();
}

// The editor in a process of its own: started on the given folders with a package, it makes one
// edit, says when its recovery copy is on disk, and runs until it is killed.
int runEditingEditor(int argc, char** argv) {
    QApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    setUpApplication(app);
    const QStringList args = app.arguments();
    Locations locations;
    locations.programDir = args[2];
    locations.tempDir = args[3];
    EditorStart editor(locations, args[4]);
    if (editor.start({args[5]}) != EditorStart::Result::Running)
        return 2;
    editor.keeper()->setDelay(50);
    QObject::connect(editor.keeper(), &RecoveryKeeper::written, [] {
        std::puts("scritta");
        std::fflush(stdout);
    });
    editor.window()->list()->model()->SetData(kKey, QStringLiteral("7"));
    return app.exec();
}

} // namespace

class TestEditorStart : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void commandLinePackageOpensAndSavesWhereItLives();
    void apriOpensTheChosenPackage();
    void menusAreListedWhenOpened();
    void recentList_data();
    void recentList();
    void secondStartHandsOverAndEnds_data();
    void secondStartHandsOverAndEnds();
    void recoveryCopyFollowsUnsavedChanges_data();
    void recoveryCopyFollowsUnsavedChanges();
    void killedEditorsChangesAreOffered_data();
    void killedEditorsChangesAreOffered();

private:
    std::unique_ptr<EditorStart> start(const QStringList& args = {});
    QString outside(const QString& name);

    std::unique_ptr<TestFolders> m_folders;
    std::unique_ptr<QTemporaryDir> m_elsewhere;
    std::unique_ptr<ErrorRecorder> m_errors;
    std::unique_ptr<ScriptedPrompts> m_prompts;
};

void TestEditorStart::init() {
    QStandardPaths::setTestModeEnabled(true);
    QSettings(QStringLiteral("Tessellary"), QStringLiteral("Tessellary")).clear();
    m_folders = std::make_unique<TestFolders>();
    m_elsewhere = std::make_unique<QTemporaryDir>();
    const QString skins = m_folders->skinsDir();
    QVERIFY(QFile::copy(binDir() + QStringLiteral("/skins/(default).skn"),
                        skins + QStringLiteral("(default).skn")));
    QVERIFY(QFile::copy(binDir() + QStringLiteral("/modello.dat"), skins + "Blu.skn"));
    m_prompts = std::make_unique<ScriptedPrompts>();
    m_errors = std::make_unique<ErrorRecorder>();
}

void TestEditorStart::cleanup() {
    QCOMPARE(m_prompts->pending(), 0);
    m_errors.reset();
    m_folders.reset();
}

std::unique_ptr<EditorStart> TestEditorStart::start(const QStringList& args) {
    auto editor = std::make_unique<EditorStart>(
        m_folders->locations(), m_elsewhere->filePath(QStringLiteral("recovery")), m_prompts.get());
    if (editor->start(args) != EditorStart::Result::Running)
        return nullptr;
    return editor;
}

QString TestEditorStart::outside(const QString& name) {
    const QString path = m_elsewhere->filePath(name);
    return QFile::copy(binDir() + QStringLiteral("/modello.dat"), path) ? path : QString();
}

void TestEditorStart::commandLinePackageOpensAndSavesWhereItLives() {
    const QString package = outside(QStringLiteral("Fuori.skn"));
    auto editor = start({package});
    QVERIFY(editor);
    frmMain* w = editor->window();
    QCOMPARE(w->windowTitle(), QStringLiteral("Tessellary [Fuori.skn][*]"));
    QVERIFY(w->list()->model()->SetData(kKey, QStringLiteral("9")));
    QVERIFY(w->isWindowModified());
    w->findChild<QAction*>(QStringLiteral("mnuSave"))->trigger();
    QVERIFY(!w->isWindowModified());
    QCOMPARE(storedValue(m_folders->locations(), package), QStringLiteral("9"));
    // Replaced whole: nothing written beside it, nothing copied into the skins folder.
    QCOMPARE(QDir(m_elsewhere->path()).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("Fuori.skn")});
    QVERIFY(!QFile::exists(m_folders->skinsDir() + QStringLiteral("Fuori.skn")));
}

void TestEditorStart::apriOpensTheChosenPackage() {
    const QString package = outside(QStringLiteral("Scelto.skn"));
    auto editor = start();
    frmMain* w = editor->window();
    m_prompts->queuePath(package);
    w->findChild<QAction*>(QStringLiteral("mnuOpen"))->trigger();
    // With nothing open the choice starts in the skins folder.
    QCOMPARE(m_prompts->fileCaptions(), QStringList{QStringLiteral("Apri skin")});
    QCOMPARE(m_prompts->fileFolders(), QStringList{m_folders->skinsDir()});
    QCOMPARE(w->skin()->SkinName(), package);
}

void TestEditorStart::menusAreListedWhenOpened() {
    auto editor = start({outside(QStringLiteral("Primo.skn"))});
    frmMain* w = editor->window();
    w->OpenPackage(m_folders->skinsDir() + QStringLiteral("Blu.skn"));
    // A skin made after the start is offered as soon as "Carica" opens.
    QVERIFY(QFile::copy(binDir() + QStringLiteral("/modello.dat"),
                        m_folders->skinsDir() + QStringLiteral("Nuovo.skn")));
    Q_EMIT w->findChild<QMenu*>(QStringLiteral("mnuLoad"))->aboutToShow();
    QVERIFY(w->skinMenuNames().contains(QStringLiteral("Nuovo.skn")));
    // "Recenti" newest first; choosing the older one opens it again.
    Q_EMIT w->findChild<QMenu*>(QStringLiteral("mnuRecent"))->aboutToShow();
    QAction* older = w->findChild<QAction*>(QStringLiteral("mnuRecent1"));
    QVERIFY(older && w->findChild<QAction*>(QStringLiteral("mnuRecent0")));
    QCOMPARE(w->findChild<QAction*>(QStringLiteral("mnuRecent0"))->data().toString(),
             QFileInfo(m_folders->skinsDir() + QStringLiteral("Blu.skn")).canonicalFilePath());
    older->trigger();
    QCOMPARE(w->skin()->SkinName(), m_elsewhere->filePath(QStringLiteral("Primo.skn")));
}

void TestEditorStart::recentList_data() {
    // Steps: "+name" opens the package, "-name" deletes it, "+sub/../name" opens it by another
    // path. Expected: the file names listed, newest first.
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("newest first") << QStringList{"+a", "+b"} << QStringList{"b", "a"};
    QTest::newRow("opened again moves up")
        << QStringList{"+a", "+b", "+c", "+a"} << QStringList{"a", "c", "b"};
    QTest::newRow("gone ones dropped") << QStringList{"+a", "+b", "-a"} << QStringList{"b"};
    QTest::newRow("one file, two paths") << QStringList{"+a", "+sub/../a"} << QStringList{"a"};
    QStringList ten;
    for (char c = 'a'; c <= 'j'; ++c)
        ten << QStringLiteral("+") + QLatin1Char(c);
    QTest::newRow("eight at most") << ten << QStringList{"j", "i", "h", "g", "f", "e", "d", "c"};
}

void TestEditorStart::recentList() {
    QFETCH(QStringList, steps);
    QFETCH(QStringList, expected);
    QSettings settings(m_elsewhere->filePath(QStringLiteral("recenti.ini")), QSettings::IniFormat);
    RecentSkins recent(&settings);
    QDir(m_elsewhere->path()).mkdir(QStringLiteral("sub"));
    for (const QString& step : steps) {
        const QString path = m_elsewhere->filePath(step.mid(1));
        if (step.startsWith(u'-'))
            QFile::remove(path);
        else if (writeFileBytes(QFileInfo(path).absoluteFilePath(), "x"))
            recent.add(path);
    }
    QStringList names;
    for (const QString& path : RecentSkins(&settings).paths())
        names << QFileInfo(path).fileName();
    QCOMPARE(names, expected);
}

void TestEditorStart::secondStartHandsOverAndEnds_data() {
    QTest::addColumn<bool>("withPackage");
    QTest::newRow("with a package") << true;
    QTest::newRow("without one") << false;
}

void TestEditorStart::secondStartHandsOverAndEnds() {
    QFETCH(bool, withPackage);
    auto editor = start();
    frmMain* w = editor->window();
    w->hide();
    QProcess second;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("TMPDIR"), m_folders->locations().tempDir);
    env.remove(QStringLiteral("XDG_RUNTIME_DIR"));
    second.setProcessEnvironment(env);
    // A relative path: the running editor works in a folder of its own.
    second.setWorkingDirectory(m_elsewhere->path());
    const QString package = outside(QStringLiteral("Dato.skn"));
    second.start(binDir() + QStringLiteral("/tessellary"),
                 withPackage ? QStringList{QStringLiteral("Dato.skn")} : QStringList{});
    QTRY_COMPARE_WITH_TIMEOUT(second.state(), QProcess::NotRunning, 20000);
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.exitCode(), 0);
    QTRY_VERIFY(w->isVisible());
    if (withPackage)
        QTRY_COMPARE(w->skin() ? w->skin()->SkinName() : QString(), package);
    else
        QVERIFY(!w->skin());
}

void TestEditorStart::recoveryCopyFollowsUnsavedChanges_data() {
    QTest::addColumn<QString>("then");
    QTest::addColumn<bool>("kept");
    QTest::newRow("nothing changed") << "" << false;
    QTest::newRow("changed") << "change" << true;
    QTest::newRow("saved") << "save" << false;
    QTest::newRow("undone") << "undo" << false;
    QTest::newRow("discarded") << "discard" << false;
}

void TestEditorStart::recoveryCopyFollowsUnsavedChanges() {
    QFETCH(QString, then);
    QFETCH(bool, kept);
    auto editor = start({m_folders->skinsDir() + QStringLiteral("Blu.skn")});
    frmMain* w = editor->window();
    editor->keeper()->setDelay(20);
    RecoveryStore store(m_elsewhere->filePath(QStringLiteral("recovery")));
    if (!then.isEmpty()) {
        QVERIFY(w->list()->model()->SetData(kKey, QStringLiteral("8")));
        QTRY_VERIFY(store.copy().has_value());
        QCOMPARE(store.copy()->skinName, QStringLiteral("Blu.skn"));
        QCOMPARE(storedValue(m_folders->locations(), store.packagePath()), QStringLiteral("8"));
    }
    if (then == u"save") {
        QVERIFY(w->SalvaSkin());
    } else if (then == u"undo") {
        w->Undo();
    } else if (then == u"discard") {
        m_prompts->queueAnswer(UserPrompts::No);
        w->CloseSkin();
    }
    QTest::qWait(100);
    editor->keeper()->waitForDisk();
    QCOMPARE(store.copy().has_value(), kept);
    QCOMPARE(editor->keeper()->isScheduled(), false);
}

void TestEditorStart::killedEditorsChangesAreOffered_data() {
    QTest::addColumn<bool>("recover");
    QTest::newRow("Sì") << true;
    QTest::newRow("No") << false;
}

void TestEditorStart::killedEditorsChangesAreOffered() {
    QFETCH(bool, recover);
    const QString recovery = m_elsewhere->filePath(QStringLiteral("recovery"));
    const QString package = m_folders->skinsDir() + QStringLiteral("Blu.skn");
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--edit"), m_folders->programDir(), m_folders->locations().tempDir,
                 recovery, package});
    QVERIFY(child.waitForStarted());
    QByteArray said;
    QTRY_VERIFY_WITH_TIMEOUT((said += child.readAllStandardOutput()).contains("scritta"), 20000);
    ::kill(pid_t(child.processId()), SIGKILL);
    QVERIFY(child.waitForFinished());

    m_prompts->queueAnswer(recover ? UserPrompts::Yes : UserPrompts::No);
    auto editor = start();
    QVERIFY(editor);
    const QStringList shown = m_prompts->shownTexts();
    QCOMPARE(shown.size(), 1);
    QVERIFY2(QRegularExpression(QStringLiteral("^Sono state trovate modifiche non salvate dello "
                                               "skin «Blu\\.skn» \\(\\d\\d/\\d\\d/\\d{4} "
                                               "\\d\\d:\\d\\d\\)\\. Recuperarle\\?$"))
                 .match(shown.first())
                 .hasMatch(),
             qPrintable(shown.first()));
    frmMain* w = editor->window();
    RecoveryStore store(recovery);
    if (!recover) {
        QVERIFY(!w->skin());
        QVERIFY(!store.copy());
        return;
    }
    QCOMPARE(w->windowTitle(), QStringLiteral("Tessellary [Blu.skn][*]"));
    QVERIFY(w->isWindowModified());
    QCOMPARE(w->list()->model()->RetrData(kKey).toString(), QStringLiteral("7"));
    QVERIFY(w->SalvaSkin());
    QCOMPARE(storedValue(m_folders->locations(), package), QStringLiteral("7"));
    QVERIFY(!store.copy());
}

int main(int argc, char** argv) {
    if (argc == 6 && qstrcmp(argv[1], "--edit") == 0)
        return runEditingEditor(argc, argv);
    QApplication app(argc, argv);
    setUpApplication(app);
    TestEditorStart test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_editorstart.moc"
