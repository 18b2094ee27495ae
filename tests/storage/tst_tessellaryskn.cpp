#include "packagebytes.h"
#include "storage/cbinary.h"
#include "testsupport.h"

#include <QFileInfo>
#include <QProcess>
#include <QTest>

#include <sys/stat.h>

using namespace packagebytes;
using namespace Qt::StringLiterals;

// The command line, run as a user's script runs it: exit status, stdout, stderr and the files.
class TestTessellarySkn : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void packWritesWhatCreaSknWrites();
    void pack_data();
    void pack();
    void unpackKeepsWhatItDoesNotWrite_data();
    void unpackKeepsWhatItDoesNotWrite();
    void packageThatIsNoFile_data();
    void packageThatIsNoFile();
    void commands_data();
    void commands();
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
    process.start(binDir() + u"/tessellary-skn"_s, args);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return {};
    return {process.exitCode(), process.readAllStandardOutput(),
            QString::fromUtf8(process.readAllStandardError())};
}

// stderr says why in one line, or stays empty.
void checkRun(const Run& run, int exitCode, const QString& message) {
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2(run.err.startsWith(message), qPrintable(run.err));
    QCOMPARE(run.err.count(u'\n'), message.isEmpty() ? 0 : 1);
}

} // namespace

void TestTessellarySkn::initTestCase() {
    QVERIFY2(QFileInfo(binDir() + u"/tessellary-skn"_s).isExecutable(),
             "tessellary-skn is not built");
}

void TestTessellarySkn::packWritesWhatCreaSknWrites() {
    TestFolders f;
    ErrorRecorder errors;
    const QString src = f.programDir() + u"/src"_s;
    QDir().mkpath(src);
    QVERIFY(writeFileBytes(src + u"/skin.ini"_s, "a=1"));
    QVERIFY(writeFileBytes(src + u"/up.bmp"_s, QByteArray(100, '\x7F')));
    const QStringList names = {"up.bmp", "", "missing.bmp", "skin.ini"};
    cBinary binary(f.locations());
    QVERIFY(binary.CreaSkn(src, names, u"core.skn"_s, u"Città"_s));

    const QString package = f.programDir() + u"/cli.skn"_s;
    const Run run = runCli(QStringList{"pack", src, package, "--title", u"Città"_s} + names);
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.err, u"Attenzione: Nome di file vuoto, ignorato\nAttenzione: File non trovato, "
                      "non incluso nel pacchetto: missing.bmp\n"_s);
    QCOMPARE(run.out, QByteArray());
    QCOMPARE(readFileBytes(package), readFileBytes(f.skinsDir() + u"core.skn"_s));
    QCOMPARE(readFileBytes(package).mid(13, 6), QByteArray("\x05"
                                                           "Citt\xE0"));
    QVERIFY(errors.isEmpty());
}

void TestTessellarySkn::pack_data() {
    // After "pack"; SRC, OUT and NONE stand for paths, IN for a package inside SRC.
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("message");    // how stderr begins; empty when it stays empty
    QTest::addColumn<QByteArray>("package"); // "old" when nothing may be written
    const QStringList srcOut{"SRC", "OUT", "--title", "T"};
    const QString noPath = u"Errore 76: Impossibile trovare il percorso"_s;
    const QByteArray old = "old";
    // No names: "skin.ini" first, then the plain files in byte order of their names ("A" before
    // "b", "z" before the two-byte "è"); hidden files, folders and the old package stay out.
    QTest::newRow("no names, into the folder itself")
        << QStringList{"SRC", "IN", "--title", "T"} << QString()
        << skin("T", {{"skin.ini", "a=1"},
                      {"A.bmp", "A.bmp"},
                      {"b.bmp", "b.bmp"},
                      {"z.bmp", "z.bmp"},
                      {"\xE8.bmp", "\xC3\xA8.bmp"}});
    QTest::newRow("missing folder") << QStringList{"NONE", "OUT", "--title", "T"} << noPath << old;
    QTest::newRow("title of 256") << QStringList{"SRC", "OUT", "--title", QString(256, u'x')}
                                  << u"Errore 6: Titolo più lungo di 255"_s << old;
    QTest::newRow("target in a missing folder")
        << QStringList{"SRC", "NONE/p.skn", "--title", "T"} << noPath << old;
    QTest::newRow("hidden file named") << srcOut + QStringList{"skin.ini", ".h"} << QString()
                                       << skin("T", {{"skin.ini", "a=1"}, {".h", "h"}});
    QTest::newRow("folder named")
        << srcOut + QStringList{"skin.ini", "sub"}
        << u"Attenzione: Non è un file, non incluso nel pacchetto: sub (è una cartella)\n"_s
        << skin("T", {{"skin.ini", "a=1"}});
    for (const QString& name : {u"sub/x"_s, u"../x"_s})
        QTest::newRow(qPrintable(name))
            << srcOut + QStringList{"skin.ini", name}
            << u"Nome di file con una cartella, che nessuna estrazione potrebbe ripristinare: "_s +
                   name + u'\n'
            << old;
}

// Failures leave the old package as it was.
void TestTessellarySkn::pack() {
    QFETCH(QStringList, args);
    QFETCH(QString, message);
    QFETCH(QByteArray, package);
    TestFolders f;
    const QString src = f.programDir() + u"/src"_s;
    QDir().mkpath(src + u"/sub"_s);
    QVERIFY(writeFileBytes(src + u"/skin.ini"_s, "a=1"));
    for (const QString& name : {u".h"_s, u"b.bmp"_s, u"z.bmp"_s, u"è.bmp"_s, u"A.bmp"_s})
        QVERIFY(writeFileBytes(src + u'/' + name, name == u".h" ? "h" : name.toUtf8()));
    const QString target = (args[1] == u"IN" ? src : f.programDir()) + u"/p.skn"_s;
    QVERIFY(writeFileBytes(target, "old"));
    args[1].replace(u"IN"_s, u"OUT"_s);
    args.replaceInStrings(u"SRC"_s, src)
        .replaceInStrings(u"OUT"_s, target)
        .replaceInStrings(u"NONE"_s, f.programDir() + u"/none"_s);
    checkRun(runCli(QStringList{"pack"} + args), package == "old" ? 1 : 0, message);
    QCOMPARE(readFileBytes(target), package);
}

void TestTessellarySkn::unpackKeepsWhatItDoesNotWrite_data() {
    QTest::addColumn<QByteArray>("bytes");    // empty: no package at all
    QTest::addColumn<QStringList>("options"); // after the package
    QTest::addColumn<QString>("message");     // how stderr begins; empty when it stays empty
    QTest::addColumn<QStringList>("changed");
    const QByteArray two = skin("T", {{"skin.ini", "abc"}, {"e.bmp", {}}});
    const QByteArray clash = skin("T", {{"skin.ini", "abc"}, {"thesis.txt", "new"}});
    const QStringList here{"."};
    const QStringList over{".", "--overwrite"};
    const QString kept = u"Errore 58: Esiste già e non viene sostituito: ./"_s;
    const QString invalid = u"Errore 52: Nome di file non valido nel pacchetto: "_s;
    const auto row = [](const char* name, const QByteArray& bytes, const QStringList& options,
                        const QString& message, const QStringList& changed = {}) {
        QTest::newRow(name) << bytes << options << message << changed;
    };
    row("new names", two, here, {}, {"e.bmp", "skin.ini"});
    row("into a new folder", two, {"new/deeper"}, {}, {"new"});
    row("a file of that name", clash, here, u"Errore 58: File già esistente: ./thesis.txt"_s);
    row("--overwrite", clash, over, {}, {"skin.ini", "thesis.txt"});
    row("a folder", skin("T", {{"a", "1"}, {"sub", "x"}}), over, kept + u"sub (è una cartella)"_s);
    row("a link", skin("T", {{"a", "1"}, {"link", "x"}}), over,
        kept + u"link (è un collegamento simbolico)"_s);
    row("the package itself", skin("T", {{"a", "1"}, {"p.skn", "x"}}), over, invalid + u"p.skn"_s);
    row("missing package", {}, {"new"}, u"Errore 53: Impossibile trovare il file: p.skn"_s);
    row("not a package", "plain text", here, u"Il file non è un pacchetto skin: p.skn"_s);
    row("unsafe name after a good one", skin("T", {{"a", "1"}, {"../x", "2"}}), here,
        invalid + u"../x"_s);
    row("count above entries", skin("T", {{"a", "1"}}, 2), here, u"Il pacchetto finisce prima"_s);
}

// The package sits among the user's files, unpacked as from a shell in that folder: a document,
// another package, a folder and a link that must all outlive it, whatever happens.
void TestTessellarySkn::unpackKeepsWhatItDoesNotWrite() {
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, options);
    QFETCH(QString, message);
    QFETCH(QStringList, changed);
    TestFolders f;
    const QDir dir(f.programDir() + u"/mine"_s);
    QVERIFY(dir.mkpath(u"sub"_s));
    QVERIFY(writeFileBytes(dir.filePath(u"thesis.txt"_s), "keep"));
    QVERIFY(writeFileBytes(dir.filePath(u"other.skn"_s), skin("O", {{"a", "o"}})));
    QVERIFY(QFile::link(u"thesis.txt"_s, dir.filePath(u"link"_s)));
    if (!bytes.isEmpty())
        QVERIFY(writeFileBytes(dir.filePath(u"p.skn"_s), bytes));
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
    checkRun(runCli(QStringList{"unpack", "p.skn"} + options, dir.path()),
             message.isEmpty() ? 0 : 1, message);
    const QMap<QString, QByteArray> after = contents();
    QStringList differ;
    for (const QString& name : QSet<QString>(after.keyBegin(), after.keyEnd()) +
                                   QSet<QString>(before.keyBegin(), before.keyEnd()))
        if (before.value(name, "none") != after.value(name, "none"))
            differ << name;
    differ.sort();
    QCOMPARE(differ, changed);
    if (!changed.isEmpty())
        QCOMPARE(readFileBytes(dir.filePath(options[0]) + u"/skin.ini"_s), "abc");
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
    const QString path =
        f.programDir() + u"/p\x1b[2J"_s + (kind == u"nome lungo" ? QString(300, u'n') : QString());
    if (kind == u"pipe")
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    else if (kind == u"cartella")
        QVERIFY(QDir().mkdir(path));
    const QString out = f.programDir() + u"/out"_s;
    // A reader that opened the pipe would wait here for a writer that never comes.
    const Run run =
        runCli(command == u"unpack" ? QStringList{command, path, out} : QStringList{command, path});
    QCOMPARE(run.exitCode, 1);
    const QString shown = QString(path).replace(u'\x1b', u"\\x1b"_s);
    QCOMPARE(run.err, kind == u"nome lungo"
                          ? u"Errore 52: Nome troppo lungo per il file system: %1\n"_s.arg(shown)
                          : u"Errore 75: Non è un file: %1 (è una %2)\n"_s.arg(shown, kind));
    QVERIFY(!QFileInfo::exists(out));
}

void TestTessellarySkn::commands_data() {
    QTest::addColumn<QStringList>("args"); // PKG stands for the package's path
    QTest::addColumn<QByteArray>("bytes"); // the package; empty: none
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("out");
    QTest::addColumn<QString>("message"); // how stderr begins, or *what it holds; empty: nothing
    const auto row = [](const char* name, const QStringList& args, const QByteArray& bytes,
                        int exitCode, const QByteArray& out, const QString& message) {
        QTest::newRow(name) << args << bytes << exitCode << out << message;
    };
    const QStringList title{"title", "PKG"};
    const QStringList list{"list", "PKG"};
    row("title", title, skin("Citt\xE0", {}), 0, "Citt\xC3\xA0\n", {});
    row("empty title", title, skin("", {{"a", "1"}}), 0, "\n", {});
    row("title's control characters", title, skin("a\x1b[2J\\b\x81\r\n", {}), 0,
        "a\\x1b[2J\\\\b\\x81\\r\\n\n", {});
    row("title, no signature", title, "hello", 1, {}, u"Il file non è un pacchetto skin: "_s);
    row("title cut short", title, text("QuenlarkSkin") + "\x09" + "abc", 1, {},
        u"Errore 62: Input oltre la fine del file"_s);
    row("title, missing", title, {}, 1, {}, u"Errore 53: Impossibile trovare il file"_s);
    row("list", list, skin("T", {{"skin.ini", "abc"}, {"e\x81.bmp", {}}, {"\xE8.bmp", {300, 'x'}}}),
        0, "3\tskin.ini\n0\te\\x81.bmp\n300\t\xC3\xA8.bmp\n", {});
    // A broken entry: the ones before it are listed, then the failure.
    row("list, broken entry", list, skin("T", {{"a", "1"}}, 2) + text("b") + longLE(99), 1,
        "1\ta\n", u"Errore 62: "_s);
    const QString usage = u"*Uso:"_s;
    row("nothing", {}, {}, 1, {}, usage);
    row("unknown command", {"explode"}, {}, 1, {}, usage);
    row("pack without title", {"pack", "a", "b"}, {}, 1, {}, usage);
    row("pack with title elsewhere", {"pack", "--title", "T", "a", "b"}, {}, 1, {}, usage);
    row("unpack with one argument", {"unpack", "a"}, {}, 1, {}, usage);
    row("title with two arguments", {"title", "a", "b"}, {}, 1, {}, usage);
    row("list without arguments", {"list"}, {}, 1, {}, usage);
}

void TestTessellarySkn::commands() {
    QFETCH(QStringList, args);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    TestFolders f;
    const QString package = f.programDir() + u"/p.skn"_s;
    if (!bytes.isEmpty())
        QVERIFY(writeFileBytes(package, bytes));
    const Run run = runCli(args.replaceInStrings(u"PKG"_s, package));
    QTEST(run.exitCode, "exitCode");
    QTEST(run.out, "out");
    if (message.isEmpty())
        QCOMPARE(run.err, QString());
    else if (message.startsWith(u'*'))
        QVERIFY2(run.err.contains(message.mid(1)), qPrintable(run.err));
    else
        QVERIFY2(run.err.startsWith(message), qPrintable(run.err));
}

QTEST_GUILESS_MAIN(TestTessellarySkn)
#include "tst_tessellaryskn.moc"
