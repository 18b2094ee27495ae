#include "packagebytes.h"
#include "storage/cbinary.h"
#include "testsupport.h"

#include <QFileInfo>
#include <QProcess>
#include <QTest>

#include <sys/stat.h>

using namespace packagebytes;

// The command line, run as a user's script runs it: exit status, stdout, stderr and the files.
class TestTessellarySkn : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void packWritesWhatCreaSknWrites();
    void packWithoutNamesTakesTheFolder();
    void packFailures_data();
    void packFailures();
    void packNamedFiles_data();
    void packNamedFiles();
    void unpackKeepsWhatItDoesNotWrite_data();
    void unpackKeepsWhatItDoesNotWrite();
    void packageThatIsNoFile_data();
    void packageThatIsNoFile();
    void title_data();
    void title();
    void list();
    void usageErrors_data();
    void usageErrors();
};

namespace {

struct Run {
    int exitCode = -1;
    QByteArray out;
    QString err;
};

Run runCli(const QStringList& args, const QString& workingDirectory = {}) {
    QProcess process;
    process.setWorkingDirectory(workingDirectory);
    process.start(binDir() + QStringLiteral("/tessellary-skn"), args);
    Run run;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.exitCode = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

} // namespace

void TestTessellarySkn::initTestCase() {
    QVERIFY2(QFileInfo(binDir() + QStringLiteral("/tessellary-skn")).isExecutable(),
             "tessellary-skn is not built");
}

void TestTessellarySkn::packWritesWhatCreaSknWrites() {
    TestFolders f;
    ErrorRecorder errors;
    const QString src = f.programDir() + QStringLiteral("/src");
    QDir().mkpath(src);
    QVERIFY(writeFileBytes(src + QStringLiteral("/skin.ini"), "a=1"));
    QVERIFY(writeFileBytes(src + QStringLiteral("/up.bmp"), QByteArray(100, '\x7F')));
    const QStringList names = {QStringLiteral("up.bmp"), QString(), QStringLiteral("missing.bmp"),
                               QStringLiteral("skin.ini")};
    cBinary binary(f.locations());
    QVERIFY(binary.CreaSkn(src, names, QStringLiteral("core.skn"), QStringLiteral("Città")));

    const QString package = f.programDir() + QStringLiteral("/cli.skn");
    const Run run = runCli(QStringList{QStringLiteral("pack"), src, package,
                                       QStringLiteral("--title"), QStringLiteral("Città")} +
                           names);
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.err, QStringLiteral("Attenzione: Nome di file vuoto, ignorato\n"
                                     "Attenzione: File non trovato, non incluso nel pacchetto: "
                                     "missing.bmp\n"));
    QCOMPARE(run.out, QByteArray());
    QCOMPARE(readFileBytes(package), readFileBytes(f.skinsDir() + QStringLiteral("core.skn")));
    QCOMPARE(readFileBytes(package).mid(13, 6), QByteArray("\x05"
                                                           "citt\xE0")
                                                    .replace('c', 'C'));
    QVERIFY(errors.isEmpty());
}

void TestTessellarySkn::packWithoutNamesTakesTheFolder() {
    // "skin.ini" first, then the plain files in byte order of their names ("A" before "b",
    // "z" before the two-byte "è"); hidden files and folders stay out.
    TestFolders f;
    const QString src = f.programDir() + QStringLiteral("/src");
    QDir().mkpath(src + QStringLiteral("/sub"));
    for (const QString& name :
         {QStringLiteral("b.bmp"), QStringLiteral("z.bmp"), QStringLiteral("è.bmp"),
          QStringLiteral("skin.ini"), QStringLiteral("A.bmp"), QStringLiteral(".hidden")})
        QVERIFY(writeFileBytes(src + u'/' + name, name.toUtf8()));
    const QString package = f.programDir() + QStringLiteral("/all.skn");
    const Run run = runCli(
        {QStringLiteral("pack"), src, package, QStringLiteral("--title"), QStringLiteral("T")});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(readFileBytes(package), skin("T", {{"skin.ini", "skin.ini"},
                                                {"A.bmp", "A.bmp"},
                                                {"b.bmp", "b.bmp"},
                                                {"z.bmp", "z.bmp"},
                                                {"\xE8.bmp", "\xC3\xA8.bmp"}}));
    // Packing into the folder itself again does not take the old package in.
    const QString inside = src + QStringLiteral("/self.skn");
    QVERIFY(writeFileBytes(inside, "old package"));
    QCOMPARE(runCli({QStringLiteral("pack"), src, inside, QStringLiteral("--title"),
                     QStringLiteral("T")})
                 .exitCode,
             0);
    QCOMPARE(readFileBytes(inside), readFileBytes(package));
}

void TestTessellarySkn::packFailures_data() {
    QTest::addColumn<QString>("situation");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing folder") << QStringLiteral("nofolder")
                                    << QStringLiteral("Errore 76: Impossibile trovare il percorso");
    QTest::newRow("title of 256") << QStringLiteral("longtitle")
                                  << QStringLiteral("Errore 6: Titolo più lungo di 255");
    QTest::newRow("target in a missing folder")
        << QStringLiteral("notarget")
        << QStringLiteral("Errore 76: Impossibile trovare il percorso");
}

void TestTessellarySkn::packFailures() {
    QFETCH(QString, situation);
    QFETCH(QString, message);
    TestFolders f;
    const QString src = f.programDir() + QStringLiteral("/src");
    QDir().mkpath(src);
    QVERIFY(writeFileBytes(src + QStringLiteral("/skin.ini"), "a=1"));
    const QString package = f.programDir() + QStringLiteral("/p.skn");
    QVERIFY(writeFileBytes(package, "old"));
    QString folder = src;
    QString target = package;
    QString title = QStringLiteral("T");
    if (situation == u"nofolder")
        folder = f.programDir() + QStringLiteral("/none");
    if (situation == u"longtitle")
        title = QString(256, u'x');
    if (situation == u"notarget")
        target = f.programDir() + QStringLiteral("/none/p.skn");
    const Run run =
        runCli({QStringLiteral("pack"), folder, target, QStringLiteral("--title"), title});
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.startsWith(message), qPrintable(run.err));
    QCOMPARE(run.err.count(u'\n'), 1);
    QCOMPARE(readFileBytes(package), QByteArray("old"));
}

void TestTessellarySkn::packNamedFiles_data() {
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QString>("err");
    QTest::addColumn<QByteArray>("package"); // "old" when nothing may be written
    QTest::newRow("hidden file named")
        << QStringList{QStringLiteral("skin.ini"), QStringLiteral(".h")} << QString()
        << skin("T", {{"skin.ini", "a=1"}, {".h", "h"}});
    QTest::newRow("folder named")
        << QStringList{QStringLiteral("skin.ini"), QStringLiteral("sub")}
        << QStringLiteral("Attenzione: Non è un file, non incluso nel pacchetto: sub (è una "
                          "cartella)\n")
        << skin("T", {{"skin.ini", "a=1"}});
    for (const char* name : {"sub/x", "../x"})
        QTest::newRow(name) << QStringList{QStringLiteral("skin.ini"), QString::fromLatin1(name)}
                            << QStringLiteral("Nome di file con una cartella, che nessuna "
                                              "estrazione potrebbe ripristinare: ") +
                                   QString::fromLatin1(name) + u'\n'
                            << QByteArray("old");
}

void TestTessellarySkn::packNamedFiles() {
    QFETCH(QStringList, names);
    QFETCH(QString, err);
    QFETCH(QByteArray, package);
    TestFolders f;
    const QString src = f.programDir() + QStringLiteral("/src");
    QDir().mkpath(src + QStringLiteral("/sub"));
    QVERIFY(writeFileBytes(src + QStringLiteral("/skin.ini"), "a=1"));
    QVERIFY(writeFileBytes(src + QStringLiteral("/.h"), "h"));
    const QString target = f.programDir() + QStringLiteral("/p.skn");
    QVERIFY(writeFileBytes(target, "old"));
    const Run run = runCli(QStringList{QStringLiteral("pack"), src, target,
                                       QStringLiteral("--title"), QStringLiteral("T")} +
                           names);
    QCOMPARE(run.exitCode, package == "old" ? 1 : 0);
    QCOMPARE(run.err, err);
    QCOMPARE(readFileBytes(target), package);
}

void TestTessellarySkn::unpackKeepsWhatItDoesNotWrite_data() {
    QTest::addColumn<QByteArray>("bytes");    // empty: no package at all
    QTest::addColumn<QStringList>("options"); // after the package
    QTest::addColumn<QString>("message");     // how stderr begins; empty when it stays empty
    QTest::addColumn<QStringList>("changed");
    const QByteArray two = skin("T", {{"skin.ini", "abc"}, {"e.bmp", {}}});
    const QByteArray clash = skin("T", {{"skin.ini", "abc"}, {"thesis.txt", "new"}});
    const QStringList here{QStringLiteral(".")};
    const QStringList over{QStringLiteral("."), QStringLiteral("--overwrite")};
    const QString kept = QStringLiteral("Errore 58: Esiste già e non viene sostituito: ./");
    QTest::newRow("new names") << two << here << QString()
                               << QStringList{QStringLiteral("e.bmp"), QStringLiteral("skin.ini")};
    QTest::newRow("into a new folder") << two << QStringList{QStringLiteral("new/deeper")}
                                       << QString() << QStringList{QStringLiteral("new")};
    QTest::newRow("a file of that name")
        << clash << here << QStringLiteral("Errore 58: File già esistente: ./thesis.txt")
        << QStringList();
    QTest::newRow("--overwrite") << clash << over << QString()
                                 << QStringList{QStringLiteral("skin.ini"),
                                                QStringLiteral("thesis.txt")};
    QTest::newRow("a folder") << skin("T", {{"a", "1"}, {"sub", "x"}}) << over
                              << kept + QStringLiteral("sub (è una cartella)") << QStringList();
    QTest::newRow("a link") << skin("T", {{"a", "1"}, {"link", "x"}}) << over
                            << kept + QStringLiteral("link (è un collegamento simbolico)")
                            << QStringList();
    QTest::newRow("the package itself")
        << skin("T", {{"a", "1"}, {"p.skn", "x"}}) << over
        << QStringLiteral("Errore 52: Nome di file non valido nel pacchetto: p.skn")
        << QStringList();
    QTest::newRow("missing package")
        << QByteArray() << QStringList{QStringLiteral("new")}
        << QStringLiteral("Errore 53: Impossibile trovare il file: p.skn") << QStringList();
    QTest::newRow("not a package")
        << QByteArray("plain text") << here
        << QStringLiteral("Il file non è un pacchetto skin: p.skn") << QStringList();
    QTest::newRow("unsafe name after a good one")
        << skin("T", {{"a", "1"}, {"../x", "2"}}) << here
        << QStringLiteral("Errore 52: Nome di file non valido nel pacchetto: ../x")
        << QStringList();
    QTest::newRow("count above entries")
        << skin("T", {{"a", "1"}}, 2) << here << QStringLiteral("Il pacchetto finisce prima")
        << QStringList();
}

// The package sits among the user's files, unpacked as from a shell in that folder: a document,
// another package, a folder and a link that must all outlive it, whatever happens.
void TestTessellarySkn::unpackKeepsWhatItDoesNotWrite() {
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, options);
    QFETCH(QString, message);
    QFETCH(QStringList, changed);
    TestFolders f;
    const QDir dir(f.programDir() + QStringLiteral("/mine"));
    QVERIFY(dir.mkpath(QStringLiteral("sub")));
    QVERIFY(writeFileBytes(dir.filePath(QStringLiteral("thesis.txt")), "keep"));
    QVERIFY(writeFileBytes(dir.filePath(QStringLiteral("other.skn")), skin("O", {{"a", "o"}})));
    QVERIFY(QFile::link(QStringLiteral("thesis.txt"), dir.filePath(QStringLiteral("link"))));
    if (!bytes.isEmpty())
        QVERIFY(writeFileBytes(dir.filePath(QStringLiteral("p.skn")), bytes));
    const auto contents = [&] {
        QMap<QString, QByteArray> map;
        for (const QFileInfo& info : dir.entryInfoList(QDir::AllEntries | QDir::Hidden |
                                                       QDir::System | QDir::NoDotAndDotDot))
            map[info.fileName()] = info.isSymLink() ? "-> " + info.symLinkTarget().toUtf8()
                                   : info.isDir()   ? QByteArray("folder")
                                                    : readFileBytes(info.filePath());
        return map;
    };
    const QMap<QString, QByteArray> before = contents();
    const Run run = runCli(QStringList{QStringLiteral("unpack"), QStringLiteral("p.skn")} + options,
                           dir.path());
    QCOMPARE(run.exitCode, message.isEmpty() ? 0 : 1);
    QVERIFY2(run.err.startsWith(message), qPrintable(run.err));
    QCOMPARE(run.err.count(u'\n'), message.isEmpty() ? 0 : 1);
    const QMap<QString, QByteArray> after = contents();
    QStringList differ;
    for (const QString& name : QSet<QString>(after.keyBegin(), after.keyEnd()) +
                                   QSet<QString>(before.keyBegin(), before.keyEnd()))
        if (before.value(name, "none") != after.value(name, "none"))
            differ << name;
    differ.sort();
    QCOMPARE(differ, changed);
    if (!changed.isEmpty())
        QCOMPARE(readFileBytes(dir.filePath(options[0]) + QStringLiteral("/skin.ini")), "abc");
}

void TestTessellarySkn::packageThatIsNoFile_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("kind");
    for (const char* command : {"list", "title", "unpack", "settings"})
        for (const char* kind : {"cartella", "pipe", "nome lungo"})
            QTest::addRow("%s, %s", command, kind) << QString::fromLatin1(command) << kind;
}

// Each path carries an escape sequence, which the message must show, not send to the terminal.
void TestTessellarySkn::packageThatIsNoFile() {
    QFETCH(QString, command);
    QFETCH(QString, kind);
    TestFolders f;
    const QString path = f.programDir() + QStringLiteral("/p\x1b[2J") +
                         (kind == u"nome lungo" ? QString(300, u'n') : QString());
    if (kind == u"pipe")
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    else if (kind == u"cartella")
        QVERIFY(QDir().mkdir(path));
    const QString out = f.programDir() + QStringLiteral("/out");
    QStringList args{command, path};
    if (command == u"unpack")
        args << out;
    // A reader that opened the pipe would wait here for a writer that never comes.
    const Run run = runCli(args);
    QCOMPARE(run.exitCode, 1);
    const QString shown = QString(path).replace(u'\x1b', QStringLiteral("\\x1b"));
    QCOMPARE(
        run.err,
        kind == u"nome lungo"
            ? QStringLiteral("Errore 52: Nome troppo lungo per il file system: %1\n").arg(shown)
            : QStringLiteral("Errore 75: Non è un file: %1 (è una %2)\n").arg(shown, kind));
    QVERIFY(!QFileInfo::exists(out));
}

void TestTessellarySkn::title_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("out");
    QTest::addColumn<QString>("message");
    QTest::newRow("title") << skin("Citt\xE0", {}) << 0 << QByteArray("Citt\xC3\xA0\n")
                           << QString();
    QTest::newRow("empty title") << skin("", {{"a", "1"}}) << 0 << QByteArray("\n") << QString();
    QTest::newRow("control characters") << skin("a\x1b[2J\\b\x81\r\n", {}) << 0
                                        << QByteArray("a\\x1b[2J\\\\b\\x81\\r\\n\n") << QString();
    QTest::newRow("no signature") << QByteArray("hello") << 1 << QByteArray()
                                  << QStringLiteral("Il file non è un pacchetto skin: ");
    QTest::newRow("title cut short")
        << (text("QuenlarkSkin") + "\x09"
                                   "abc")
        << 1 << QByteArray() << QStringLiteral("Errore 62: Input oltre la fine del file");
    QTest::newRow("missing") << QByteArray() << 1 << QByteArray()
                             << QStringLiteral("Errore 53: Impossibile trovare il file");
}

void TestTessellarySkn::title() {
    QFETCH(QByteArray, bytes);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, out);
    QFETCH(QString, message);
    TestFolders f;
    const QString package = f.programDir() + QStringLiteral("/p.skn");
    if (!bytes.isEmpty())
        QVERIFY(writeFileBytes(package, bytes));
    const Run run = runCli({QStringLiteral("title"), package});
    QCOMPARE(run.exitCode, exitCode);
    QCOMPARE(run.out, out);
    if (message.isEmpty())
        QCOMPARE(run.err, QString());
    else
        QVERIFY2(run.err.startsWith(message), qPrintable(run.err));
}

void TestTessellarySkn::list() {
    TestFolders f;
    const QString package = f.programDir() + QStringLiteral("/p.skn");
    QVERIFY(writeFileBytes(
        package,
        skin("T", {{"skin.ini", "abc"}, {"e\x81.bmp", {}}, {"\xE8.bmp", QByteArray(300, 'x')}})));
    Run run = runCli({QStringLiteral("list"), package});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.err, QString());
    QCOMPARE(run.out, QByteArray("3\tskin.ini\n0\te\\x81.bmp\n300\t\xC3\xA8.bmp\n"));

    // A broken entry: the ones before it are listed, then the failure.
    QVERIFY(writeFileBytes(package, skin("T", {{"a", "1"}}, 2) + text("b") + longLE(99)));
    run = runCli({QStringLiteral("list"), package});
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(run.out, QByteArray("1\ta\n"));
    QVERIFY2(run.err.startsWith(QStringLiteral("Errore 62: ")), qPrintable(run.err));
}

void TestTessellarySkn::usageErrors_data() {
    QTest::addColumn<QStringList>("args");
    QTest::newRow("nothing") << QStringList();
    QTest::newRow("unknown command") << QStringList{QStringLiteral("explode")};
    QTest::newRow("pack without title")
        << QStringList{QStringLiteral("pack"), QStringLiteral("a"), QStringLiteral("b")};
    QTest::newRow("pack with title elsewhere")
        << QStringList{QStringLiteral("pack"), QStringLiteral("--title"), QStringLiteral("T"),
                       QStringLiteral("a"), QStringLiteral("b")};
    QTest::newRow("unpack with one argument")
        << QStringList{QStringLiteral("unpack"), QStringLiteral("a")};
    QTest::newRow("title with two arguments")
        << QStringList{QStringLiteral("title"), QStringLiteral("a"), QStringLiteral("b")};
    QTest::newRow("list without arguments") << QStringList{QStringLiteral("list")};
}

void TestTessellarySkn::usageErrors() {
    QFETCH(QStringList, args);
    const Run run = runCli(args);
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(run.out, QByteArray());
    QVERIFY2(run.err.contains(QStringLiteral("Uso:")), qPrintable(run.err));
}

QTEST_GUILESS_MAIN(TestTessellarySkn)
#include "tst_tessellaryskn.moc"
