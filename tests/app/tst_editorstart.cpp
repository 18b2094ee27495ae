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
    Locations locations;
    locations.programDir = app.arguments()[2];
    locations.tempDir = app.arguments()[3];
    EditorStart editor(locations, app.arguments()[4]);
    if (editor.start({app.arguments()[5]}) != EditorStart::Result::Running)
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
    void cleanup() {
        QCOMPARE(m_prompts->pending(), 0);
        m_errors.reset();
        m_folders.reset();
    }

    void apriSavesWhereThePackageLivesAndTheMenusOpenPackages();
    void recentListKeepsEightLivePackagesNewestFirst();
    void secondStartHandsOverAndEnds();
    void recoveryCopyFollowsUnsavedChanges();
    void killedEditorsChangesAreOffered_data();
    void killedEditorsChangesAreOffered();

private:
    std::unique_ptr<EditorStart> start(const QStringList& args = {}) {
        auto editor =
            std::make_unique<EditorStart>(m_folders->locations(), recoveryDir(), m_prompts.get());
        if (editor->start(args) != EditorStart::Result::Running)
            return nullptr;
        return editor;
    }
    // A copy of the template outside the skins folder.
    QString outside(const QString& name) {
        const QString path = m_elsewhere->filePath(name);
        return QFile::copy(binDir() + QStringLiteral("/modello.dat"), path) ? path : QString();
    }
    QString recoveryDir() const { return m_elsewhere->filePath(QStringLiteral("recovery")); }
    QString bluPath() const { return m_folders->skinsDir() + QStringLiteral("Blu.skn"); }

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
    QVERIFY(QFile::copy(binDir() + QStringLiteral("/skins/(default).skn"),
                        m_folders->skinsDir() + QStringLiteral("(default).skn")));
    QVERIFY(QFile::copy(binDir() + QStringLiteral("/modello.dat"), bluPath()));
    m_prompts = std::make_unique<ScriptedPrompts>();
    m_errors = std::make_unique<ErrorRecorder>();
}

void TestEditorStart::apriSavesWhereThePackageLivesAndTheMenusOpenPackages() {
    const QString chosen = outside(QStringLiteral("Scelto.skn"));
    auto editor = start();
    frmMain* w = editor->window();
    m_prompts->queuePath(chosen);
    w->findChild<QAction*>(QStringLiteral("mnuOpen"))->trigger();
    // With nothing open the choice starts in the skins folder.
    QCOMPARE(m_prompts->fileCaptions(), QStringList{QStringLiteral("Apri skin")});
    QCOMPARE(m_prompts->fileFolders(), QStringList{m_folders->skinsDir()});
    QCOMPARE(w->skin()->SkinName(), chosen);
    QCOMPARE(w->windowTitle(), QStringLiteral("Tessellary [Scelto.skn][*]"));
    QVERIFY(w->list()->model()->SetData(kKey, QStringLiteral("9")));
    QVERIFY(w->isWindowModified());
    w->findChild<QAction*>(QStringLiteral("mnuSave"))->trigger();
    QVERIFY(!w->isWindowModified());
    QCOMPARE(storedValue(m_folders->locations(), chosen), QStringLiteral("9"));
    // Replaced whole: nothing written beside it, nothing copied into the skins folder.
    QCOMPARE(QDir(m_elsewhere->path()).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("Scelto.skn")});
    QVERIFY(!QFile::exists(m_folders->skinsDir() + QStringLiteral("Scelto.skn")));

    w->OpenPackage(bluPath());
    // A skin made after the start is offered as soon as "Carica" opens.
    QVERIFY(QFile::copy(bluPath(), m_folders->skinsDir() + QStringLiteral("Nuovo.skn")));
    Q_EMIT w->findChild<QMenu*>(QStringLiteral("mnuLoad"))->aboutToShow();
    QVERIFY(w->skinMenuNames().contains(QStringLiteral("Nuovo.skn")));
    // "Recenti" newest first; choosing the older one opens it again.
    Q_EMIT w->findChild<QMenu*>(QStringLiteral("mnuRecent"))->aboutToShow();
    QAction* newer = w->findChild<QAction*>(QStringLiteral("mnuRecent0"));
    QAction* older = w->findChild<QAction*>(QStringLiteral("mnuRecent1"));
    QVERIFY(newer && older);
    QCOMPARE(newer->data().toString(), QFileInfo(bluPath()).canonicalFilePath());
    older->trigger();
    QCOMPARE(w->skin()->SkinName(), chosen);
}

void TestEditorStart::recentListKeepsEightLivePackagesNewestFirst() {
    QSettings settings(m_elsewhere->filePath(QStringLiteral("recenti.ini")), QSettings::IniFormat);
    RecentSkins recent(&settings);
    QVERIFY(QDir(m_elsewhere->path()).mkdir(QStringLiteral("sub")));
    const auto open = [&](const char* name) {
        const QString path = m_elsewhere->filePath(QString::fromLatin1(name));
        if (writeFileBytes(QFileInfo(path).absoluteFilePath(), "x"))
            recent.add(path);
    };
    const auto names = [&] {
        QStringList out;
        for (const QString& path : RecentSkins(&settings).paths())
            out << QFileInfo(path).fileName();
        return out;
    };
    // Opened again moves up, gone ones are dropped, one file by two paths is listed once.
    for (const char* name : {"a", "b", "c", "a"})
        open(name);
    QVERIFY(QFile::remove(m_elsewhere->filePath(QStringLiteral("b"))));
    open("sub/../c");
    QCOMPARE(names(), (QStringList{"c", "a"}));
    for (const char* name : {"d", "e", "f", "g", "h", "i", "j", "k"})
        open(name);
    QCOMPARE(names(), (QStringList{"k", "j", "i", "h", "g", "f", "e", "d"}));
}

void TestEditorStart::secondStartHandsOverAndEnds() {
    auto editor = start();
    frmMain* w = editor->window();
    const QString package = outside(QStringLiteral("Dato.skn"));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("TMPDIR"), m_folders->locations().tempDir);
    env.remove(QStringLiteral("XDG_RUNTIME_DIR"));
    // Without a package the window only comes forward; a relative path is the second start's.
    for (const QString& arg : {QString(), QStringLiteral("Dato.skn")}) {
        w->hide();
        QProcess second;
        second.setProcessEnvironment(env);
        second.setWorkingDirectory(m_elsewhere->path());
        second.start(binDir() + QStringLiteral("/tessellary"),
                     arg.isEmpty() ? QStringList{} : QStringList{arg});
        QTRY_COMPARE_WITH_TIMEOUT(second.state(), QProcess::NotRunning, 20000);
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QTRY_VERIFY(w->isVisible());
        QTRY_COMPARE(w->skin() ? w->skin()->SkinName() : QString(), arg.isEmpty() ? arg : package);
    }
}

// A copy exists only while there are unsaved changes: undone, saved or discarded, it goes.
void TestEditorStart::recoveryCopyFollowsUnsavedChanges() {
    auto editor = start({bluPath()});
    frmMain* w = editor->window();
    editor->keeper()->setDelay(20);
    RecoveryStore store(recoveryDir());
    const auto settled = [&] {
        QTest::qWait(100);
        editor->keeper()->waitForDisk();
        QVERIFY(!editor->keeper()->isScheduled());
    };
    settled();
    QVERIFY(!store.copy());
    for (const auto& [then, value] : {std::pair{"undo", "8"}, {"save", "8"}, {"discard", "7"}}) {
        QVERIFY(w->list()->model()->SetData(kKey, QString::fromLatin1(value)));
        QTRY_VERIFY(store.copy().has_value());
        QCOMPARE(store.copy()->skinName, QStringLiteral("Blu.skn"));
        QCOMPARE(storedValue(m_folders->locations(), store.packagePath()), value);
        settled();
        QVERIFY(store.copy());
        if (qstrcmp(then, "undo") == 0) {
            w->Undo();
        } else if (qstrcmp(then, "save") == 0) {
            QVERIFY(w->SalvaSkin());
        } else {
            m_prompts->queueAnswer(UserPrompts::No);
            w->CloseSkin();
        }
        settled();
        QVERIFY2(!store.copy(), then);
    }
}

void TestEditorStart::killedEditorsChangesAreOffered_data() {
    QTest::addColumn<bool>("recover");
    QTest::newRow("Sì") << true;
    QTest::newRow("No") << false;
}

void TestEditorStart::killedEditorsChangesAreOffered() {
    QFETCH(bool, recover);
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--edit"), m_folders->programDir(), m_folders->locations().tempDir,
                 recoveryDir(), bluPath()});
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
    QVERIFY2(shown[0].contains(QRegularExpression(
                 QStringLiteral("^Sono state trovate modifiche non salvate dello skin «Blu\\.skn» "
                                "\\(\\d\\d/\\d\\d/\\d{4} \\d\\d:\\d\\d\\)\\. Recuperarle\\?$"))),
             qPrintable(shown[0]));
    frmMain* w = editor->window();
    if (recover) {
        QCOMPARE(w->windowTitle(), QStringLiteral("Tessellary [Blu.skn][*]"));
        QVERIFY(w->isWindowModified());
        QCOMPARE(w->list()->model()->RetrData(kKey).toString(), QStringLiteral("7"));
        QVERIFY(w->SalvaSkin());
        QCOMPARE(storedValue(m_folders->locations(), bluPath()), QStringLiteral("7"));
    } else {
        QVERIFY(!w->skin());
    }
    QVERIFY(!RecoveryStore(recoveryDir()).copy());
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
