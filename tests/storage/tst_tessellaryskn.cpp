#include "packagebytes.h"
#include "storage/cbinary.h"
#include "testsupport.h"

#include <QFileInfo>
#include <QProcess>
#include <QTest>

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
    void unpack();
    void unpackFailures_data();
    void unpackFailures();
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

Run runCli(const QStringList& args) {
    QProcess process;
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
    QCOMPARE(run.err, QString());
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

void TestTessellarySkn::unpack() {
    TestFolders f;
    const QString package = f.programDir() + QStringLiteral("/p.skn");
    QVERIFY(writeFileBytes(package, skin("T", {{"skin.ini", "abc"}, {"e.bmp", {}}})));
    const QString dest = f.programDir() + QStringLiteral("/out/skin");
    QDir().mkpath(dest);
    QVERIFY(writeFileBytes(dest + QStringLiteral("/stale.bmp"), "old"));
    const Run run = runCli({QStringLiteral("unpack"), package, dest});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.err, QString());
    QCOMPARE(QDir(dest).entryList(QDir::Files, QDir::Name),
             (QStringList{QStringLiteral("e.bmp"), QStringLiteral("skin.ini")}));
    QCOMPARE(readFileBytes(dest + QStringLiteral("/skin.ini")), QByteArray("abc"));
    // The folder is created when missing.
    const QString fresh = f.programDir() + QStringLiteral("/fresh/one");
    QCOMPARE(runCli({QStringLiteral("unpack"), package, fresh}).exitCode, 0);
    QVERIFY(QFileInfo(fresh + QStringLiteral("/skin.ini")).isFile());
    // Unpacked into the folder that holds it, the package is not emptied away with the rest.
    const QByteArray bytes = readFileBytes(package);
    const Run here = runCli({QStringLiteral("unpack"), package, f.programDir()});
    QCOMPARE(here.exitCode, 0);
    QCOMPARE(here.err, QString());
    QCOMPARE(readFileBytes(package), bytes);
    QCOMPARE(readFileBytes(f.programDir() + QStringLiteral("/skin.ini")), QByteArray("abc"));
    // Nor is it replaced by an entry of its own name.
    const QByteArray named = skin("T", {{"a", "1"}, {"p.skn", "x"}, {"b", "2"}});
    QVERIFY(writeFileBytes(package, named));
    const Run self = runCli({QStringLiteral("unpack"), package, f.programDir()});
    QCOMPARE(self.exitCode, 1);
    QVERIFY2(self.err.startsWith(QStringLiteral("Errore 52: ")), qPrintable(self.err));
    QCOMPARE(readFileBytes(package), named);
    QCOMPARE(readFileBytes(f.programDir() + QStringLiteral("/a")), QByteArray("1"));
    QVERIFY(!QFileInfo::exists(f.programDir() + QStringLiteral("/b")));
}

void TestTessellarySkn::unpackFailures_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("unpacked");
    QTest::newRow("not a package")
        << QByteArray("plain text") << QStringLiteral("Il file non è un pacchetto skin")
        << QStringList();
    QTest::newRow("unsafe name") << skin("T", {{"a", "1"}, {"../x", "2"}})
                                 << QStringLiteral(
                                        "Errore 52: Nome di file non valido nel pacchetto")
                                 << QStringList{QStringLiteral("a")};
    QTest::newRow("count above entries")
        << skin("T", {{"a", "1"}}, 2) << QStringLiteral("Il pacchetto finisce prima")
        << QStringList{QStringLiteral("a")};
    QTest::newRow("missing package")
        << QByteArray() << QStringLiteral("Errore 53:") << QStringList();
}

void TestTessellarySkn::unpackFailures() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    QFETCH(QStringList, unpacked);
    TestFolders f;
    const QString package = f.programDir() + QStringLiteral("/p.skn");
    if (!bytes.isEmpty())
        QVERIFY(writeFileBytes(package, bytes));
    const QString dest = f.programDir() + QStringLiteral("/out");
    const Run run = runCli({QStringLiteral("unpack"), package, dest});
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.startsWith(message), qPrintable(run.err));
    QCOMPARE(run.err.count(u'\n'), 1);
    QCOMPARE(QDir(dest).entryList(QDir::Files, QDir::Name), unpacked);
    QVERIFY(!QFileInfo::exists(f.programDir() + QStringLiteral("/x")));
}

void TestTessellarySkn::title_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("out");
    QTest::addColumn<QString>("message");
    QTest::newRow("title") << skin("Citt\xE0", {}) << 0 << QByteArray("Citt\xC3\xA0\n")
                           << QString();
    QTest::newRow("empty title") << skin("", {{"a", "1"}}) << 0 << QByteArray("\n") << QString();
    QTest::newRow("no signature") << QByteArray("hello") << 0 << QByteArray("\n") << QString();
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
        skin("T", {{"skin.ini", "abc"}, {"e.bmp", {}}, {"\xE8.bmp", QByteArray(300, 'x')}})));
    Run run = runCli({QStringLiteral("list"), package});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.err, QString());
    QCOMPARE(run.out, QByteArray("3\tskin.ini\n0\te.bmp\n300\t\xC3\xA8.bmp\n"));

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
