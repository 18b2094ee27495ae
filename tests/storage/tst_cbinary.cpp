#include "packagebytes.h"
#include "storage/cbinary.h"
#include "storage/safefolder.h"
#include "testsupport.h"

#include <QCoreApplication>
#include <QDirIterator>
#include <QFileInfo>
#include <QProcess>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace packagebytes;

// The skin package: its exact bytes, what unpacking tolerates and refuses, and that a failed save
// never costs the old package.
class TestCBinary : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void demoPackageIsByteExact();
    void textEncodings_data();
    void textEncodings();
    void blockLengths();
    void qualifyingNames();
    void repackIsIdentical_data();
    void repackIsIdentical();
    void withoutSignature_data();
    void withoutSignature();
    void missingPackageIsReportedNotCreated();
    void countAboveEntriesKeepsWhatIsThere();
    void brokenCounts_data();
    void brokenCounts();
    void declaredLengthsPastTheEnd_data();
    void declaredLengthsPastTheEnd();
    void unsafeNamesStopUnpacking_data();
    void unsafeNamesStopUnpacking();
    void linkInWorkFolderIsReplacedNotFollowed();
    void takingOverTheWorkFolderKeepsOnlyItsOwnFiles();
    void workingFilesAreNeverReadOrWrittenThroughALink_data();
    void workingFilesAreNeverReadOrWrittenThroughALink();
    void packingLeavesLinksOutAndSaysSo();
    void savingRemovesWhatKilledSavesLeft();
    void workFolderIsOwnerOnly();
    void workFolderLinkIsRefused();
    void workFolderOfAnotherUserIsRefused();
    void oversizedInputRefusedBeforeWriting_data();
    void oversizedInputRefusedBeforeWriting();
    void unsafePackageNameRefused();
    void failedSaveKeepsOldPackage_data();
    void failedSaveKeepsOldPackage();
    void listAndUnpackIntoFolder();
};

namespace {

const QByteArray kDemo = QByteArray::fromHex("0C") + "QuenlarkSkin" + QByteArray::fromHex("04") +
                         "Demo" + QByteArray::fromHex("01000000") + QByteArray::fromHex("08") +
                         "skin.ini" + QByteArray::fromHex("03000000") + "a=1";

QStringList filesIn(const QString& dir) {
    QStringList names =
        QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    names.sort();
    return names;
}

QString writePackage(const TestFolders& f, const QString& name, const QByteArray& bytes) {
    const QString path = f.skinsDir() + name;
    writeFileBytes(path, bytes);
    return path;
}

QString helperPath() {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/storage_savehelper");
}

} // namespace

void TestCBinary::demoPackageIsByteExact() {
    TestFolders f;
    ErrorRecorder errors;
    const QString src = f.programDir() + QStringLiteral("/src");
    QDir().mkpath(src);
    QVERIFY(writeFileBytes(src + QStringLiteral("/skin.ini"), "a=1"));

    cBinary binary(f.locations());
    QVERIFY(binary.CreaSkn(src, {QStringLiteral("skin.ini")}, QStringLiteral("demo.skn"),
                           QStringLiteral("Demo")));
    const QByteArray bytes = readFileBytes(f.skinsDir() + QStringLiteral("demo.skn"));
    QCOMPARE(bytes.size(), 38);
    QCOMPARE(bytes, kDemo);

    QCOMPARE(binary.EstraiTitolo(f.skinsDir() + QStringLiteral("demo.skn")),
             QStringLiteral("Demo"));
    bool usable = false;
    const QString folder = binary.EstraiSkin(f.skinsDir() + QStringLiteral("demo.skn"), &usable);
    QVERIFY(usable);
    QCOMPARE(folder, f.workDir() + u'/');
    QCOMPARE(filesIn(folder), QStringList{QStringLiteral("skin.ini")});
    QCOMPARE(readFileBytes(folder + QStringLiteral("skin.ini")), QByteArray("a=1"));
    QVERIFY(errors.isEmpty());
}

void TestCBinary::textEncodings_data() {
    QTest::addColumn<QString>("title");
    QTest::addColumn<QByteArray>("encoded");
    QTest::newRow("empty") << QString() << QByteArray(1, '\0');
    QTest::newRow("abc") << QStringLiteral("abc") << QByteArray::fromHex("03616263");
    QTest::newRow("città") << QStringLiteral("città") << QByteArray::fromHex("05636974 74E0");
    QTest::newRow("euro") << QStringLiteral("€") << QByteArray::fromHex("0180");
    QTest::newRow("unrepresentable") << QStringLiteral("a\u4E2D")
                                     << QByteArray("\x02"
                                                   "a?");
    QTest::newRow("255") << QString(255, u'x') << (QByteArray(1, char(255)) + QByteArray(255, 'x'));
}

void TestCBinary::textEncodings() {
    QFETCH(QString, title);
    QFETCH(QByteArray, encoded);
    TestFolders f;
    ErrorRecorder errors;
    cBinary binary(f.locations());
    QVERIFY(binary.CreaSkn(f.programDir(), {}, QStringLiteral("t.skn"), title));
    const QByteArray bytes = readFileBytes(f.skinsDir() + QStringLiteral("t.skn"));
    // The title starts at offset 13 and the count of 0 entries follows right after it.
    QCOMPARE(bytes.mid(13), encoded + longLE(0));
    QCOMPARE(binary.EstraiTitolo(f.skinsDir() + QStringLiteral("t.skn")),
             title.contains(u'\u4E2D') ? QStringLiteral("a?") : title);
    QVERIFY(errors.isEmpty());
}

void TestCBinary::blockLengths() {
    // A 0-byte file is a block of length 0 and unpacks as an empty file, not a one-byte file;
    // a 300-byte file declares 2C 01 00 00.
    TestFolders f;
    ErrorRecorder errors;
    QVERIFY(writeFileBytes(f.programDir() + QStringLiteral("/empty.bmp"), {}));
    const QByteArray big(300, 'z');
    QVERIFY(writeFileBytes(f.programDir() + QStringLiteral("/big.bmp"), big));
    cBinary binary(f.locations());
    QVERIFY(binary.CreaSkn(f.programDir(), {QStringLiteral("empty.bmp"), QStringLiteral("big.bmp")},
                           QStringLiteral("b.skn"), QStringLiteral("T")));
    const QByteArray bytes = readFileBytes(f.skinsDir() + QStringLiteral("b.skn"));
    QCOMPARE(bytes, skin("T", {{"empty.bmp", {}}, {"big.bmp", big}}));
    QVERIFY(bytes.contains(QByteArray("\x09"
                                      "empty.bmp") +
                           longLE(0) +
                           "\x07"
                           "big.bmp" +
                           QByteArray::fromHex("2C010000")));

    const QString folder = binary.EstraiSkin(f.skinsDir() + QStringLiteral("b.skn"));
    QVERIFY(QFileInfo(folder + QStringLiteral("empty.bmp")).isFile());
    QCOMPARE(QFileInfo(folder + QStringLiteral("empty.bmp")).size(), 0);
    QCOMPARE(readFileBytes(folder + QStringLiteral("big.bmp")), big);
    QVERIFY(errors.isEmpty());
}

void TestCBinary::qualifyingNames() {
    // Empty names, missing files, folders and hidden files are left out; the rest keep the
    // order of the list.
    TestFolders f;
    ErrorRecorder errors;
    const QString src = f.programDir();
    QVERIFY(writeFileBytes(src + QStringLiteral("/b.bmp"), "B"));
    QVERIFY(writeFileBytes(src + QStringLiteral("/a.bmp"), "A"));
    QVERIFY(writeFileBytes(src + QStringLiteral("/.hidden"), "H"));
    QDir(src).mkdir(QStringLiteral("sub.bmp"));

    cBinary binary(f.locations());
    QVERIFY(binary.CreaSkn(src, {QString(), QStringLiteral("b.bmp"), QStringLiteral("missing.bmp")},
                           QStringLiteral("three.skn"), QStringLiteral("T")));
    QCOMPARE(readFileBytes(f.skinsDir() + QStringLiteral("three.skn")),
             skin("T", {{"b.bmp", "B"}}));

    QVERIFY(binary.CreaSkn(src,
                           {QStringLiteral("sub.bmp"), QStringLiteral(".hidden"),
                            QStringLiteral("b.bmp"), QStringLiteral("a.bmp")},
                           QStringLiteral("order.skn"), QStringLiteral("T")));
    QCOMPARE(readFileBytes(f.skinsDir() + QStringLiteral("order.skn")),
             skin("T", {{"b.bmp", "B"}, {"a.bmp", "A"}}));
    QVERIFY(errors.isEmpty());
}

void TestCBinary::repackIsIdentical_data() {
    QTest::addColumn<bool>("finalSeparator");
    QTest::newRow("without final separator") << false;
    QTest::newRow("with final separator") << true;
}

void TestCBinary::repackIsIdentical() {
    QFETCH(bool, finalSeparator);
    TestFolders f;
    ErrorRecorder errors;
    QByteArray binaryData;
    for (int i = 0; i < 256; ++i)
        binaryData.append(char(i));
    const Entries list = {{"skin.ini", "[Skin]\r\nTitle=x\r\n"},
                          {"z.bmp", binaryData},
                          {"empty.bmp", {}},
                          {"a\xE0.bmp", "accent"}};
    const QByteArray original = skin("Il mio tema \xE8 bello", list);
    const QString path = writePackage(f, QStringLiteral("orig.skn"), original);

    cBinary binary(f.locations());
    QString folder = binary.EstraiSkin(path);
    QVERIFY(folder.endsWith(u'/'));
    if (!finalSeparator)
        folder.chop(1);
    QStringList names;
    for (const auto& entry : list)
        names << QString::fromLatin1(entry.first);
    const QString title = binary.EstraiTitolo(path);
    QCOMPARE(title, QStringLiteral("Il mio tema è bello"));
    QVERIFY(binary.CreaSkn(folder, names, QStringLiteral("copy.skn"), title));
    QCOMPARE(readFileBytes(f.skinsDir() + QStringLiteral("copy.skn")), original);
    QVERIFY(errors.isEmpty());
}

void TestCBinary::withoutSignature_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("empty file") << QByteArray();
    QTest::newRow("one byte") << QByteArray("\x0C");
    QTest::newRow("other case") << skin("T", {{"x", "1"}}).replace("QuenlarkSkin", "quenlarkskin");
    QTest::newRow("settings package") << settings({{"x", "1"}});
    QTest::newRow("text file") << QByteArray("[Skin]\r\nTitle=x\r\n");
}

void TestCBinary::withoutSignature() {
    QFETCH(QByteArray, bytes);
    TestFolders f;
    ErrorRecorder errors;
    QDir().mkpath(f.workDir());
    QVERIFY(writeFileBytes(f.workDir() + QStringLiteral("/old.bmp"), "old"));
    const QString path = writePackage(f, QStringLiteral("x.skn"), bytes);

    cBinary binary(f.locations());
    bool usable = false;
    QCOMPARE(binary.EstraiSkin(path, &usable), f.workDir() + u'/');
    QVERIFY(usable);
    QVERIFY(filesIn(f.workDir()).isEmpty());
    QCOMPARE(binary.EstraiTitolo(path), QString());
    QVERIFY2(errors.isEmpty(), qPrintable(errors.texts().join(u'\n')));
    QCOMPARE(readFileBytes(path), bytes);
}

void TestCBinary::missingPackageIsReportedNotCreated() {
    TestFolders f;
    ErrorRecorder errors;
    const QString path = f.skinsDir() + QStringLiteral("none.skn");
    cBinary binary(f.locations());
    QCOMPARE(binary.EstraiTitolo(path), QString());
    QCOMPARE(errors.texts(),
             QStringList{QStringLiteral("Errore 53: Impossibile trovare il file: ") + path});
    errors.clear();
    binary.EstraiSkin(path);
    QCOMPARE(errors.entries.size(), 1);
    QCOMPARE(errors.entries[0].caption, QStringLiteral("Tessellary"));
    QVERIFY(!QFileInfo::exists(path));

    // A pipe named like a package would block a reader that opened it.
    errors.clear();
    const QString pipe = f.skinsDir() + QStringLiteral("pipe.skn");
    QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    QCOMPARE(binary.EstraiTitolo(pipe), QString());
    QCOMPARE(errors.texts(),
             QStringList{QStringLiteral("Errore 75: Non è un file: %1 (è una pipe)").arg(pipe)});
}

void TestCBinary::countAboveEntriesKeepsWhatIsThere() {
    TestFolders f;
    ErrorRecorder errors;
    const QString path =
        writePackage(f, QStringLiteral("short.skn"), skin("T", {{"a", "1"}, {"b", "22"}}, 3));
    cBinary binary(f.locations());
    const QString folder = binary.EstraiSkin(path);
    QCOMPARE(filesIn(folder), (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
    QCOMPARE(readFileBytes(folder + QStringLiteral("b")), QByteArray("22"));
    QVERIFY(errors.isEmpty());
    QList<cBinary::Voce> voci;
    QCOMPARE(binary.ElencaVoci(path, &voci), cBinary::Esito::Incompleto);
    QCOMPARE(voci.size(), 2);
}

void TestCBinary::brokenCounts_data() {
    QTest::addColumn<quint32>("count");
    QTest::addColumn<QString>("message");
    QTest::newRow("00 00 00 80 overflows") << 0x80000000u << QStringLiteral("Errore 6: Overflow");
    QTest::newRow("FF FF FF FF overflows") << 0xFFFFFFFFu << QStringLiteral("Errore 6: Overflow");
    QTest::newRow("32768") << 32768u << QStringLiteral("Errore 6: Il pacchetto dichiara 32768");
    QTest::newRow("2147483647") << 2147483647u << QStringLiteral("Errore 6: Il pacchetto dichiara");
}

void TestCBinary::brokenCounts() {
    QFETCH(quint32, count);
    QFETCH(QString, message);
    TestFolders f;
    ErrorRecorder errors;
    const QString path = writePackage(f, QStringLiteral("c.skn"), skin("T", {{"a", "1"}}, count));
    cBinary binary(f.locations());
    const QString folder = binary.EstraiSkin(path);
    QVERIFY(filesIn(folder).isEmpty());
    QCOMPARE(errors.entries.size(), 1);
    QVERIFY2(errors.entries[0].text.startsWith(message), qPrintable(errors.entries[0].text));
    // The title is still readable: only the entries are broken.
    errors.clear();
    QCOMPARE(binary.EstraiTitolo(path), QStringLiteral("T"));
    QVERIFY(errors.isEmpty());
}

void TestCBinary::declaredLengthsPastTheEnd_data() {
    QTest::addColumn<QByteArray>("tail");
    // Each tail follows a good first entry, in a package declaring two entries.
    QTest::newRow("name longer than the rest") << QByteArray("\xC8"
                                                             "abc");
    QTest::newRow("data length 2147483647") << (text("b") + QByteArray::fromHex("FFFFFF7F") + "xy");
    QTest::newRow("data length past the end") << (text("b") + longLE(1000) + "xy");
    QTest::newRow("data length cut") << (text("b") + QByteArray::fromHex("0500"));
    QTest::newRow("data length overflows") << (text("b") + QByteArray::fromHex("00000080") + "xy");
}

void TestCBinary::declaredLengthsPastTheEnd() {
    QFETCH(QByteArray, tail);
    TestFolders f;
    ErrorRecorder errors;
    const QString path =
        writePackage(f, QStringLiteral("t.skn"), skin("T", {{"a", "1"}}, 2) + tail);
    cBinary binary(f.locations());
    const QString folder = binary.EstraiSkin(path);
    QCOMPARE(filesIn(folder), QStringList{QStringLiteral("a")});
    QCOMPARE(errors.entries.size(), 1);
    QVERIFY(errors.entries[0].text.startsWith(QStringLiteral("Errore ")));
    QVERIFY(errors.entries[0].text.contains(path));
}

void TestCBinary::unsafeNamesStopUnpacking_data() {
    QTest::addColumn<QByteArray>("name");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("dot") << QByteArray(".");
    QTest::newRow("dot dot") << QByteArray("..");
    QTest::newRow("parent") << QByteArray("../evil");
    QTest::newRow("absolute") << QByteArray("/tmp/evil");
    QTest::newRow("folder part") << QByteArray("sub/evil");
    QTest::newRow("backslash") << QByteArray("..\\evil");
    QTest::newRow("drive") << QByteArray("C:evil");
    QTest::newRow("nul") << QByteArray("evil\0.txt", 9);
    QTest::newRow("newline") << QByteArray("evil\n");
}

void TestCBinary::unsafeNamesStopUnpacking() {
    QFETCH(QByteArray, name);
    TestFolders f;
    ErrorRecorder errors;
    const QString path = writePackage(f, QStringLiteral("u.skn"),
                                      skin("T", {{"first", "1"}, {name, "bad"}, {"after", "2"}}));
    cBinary binary(f.locations());
    const QString folder = binary.EstraiSkin(path);
    QCOMPARE(filesIn(folder), QStringList{QStringLiteral("first")});
    QCOMPARE(errors.entries.size(), 1);
    QVERIFY2(errors.entries[0].text.startsWith(
                 QStringLiteral("Errore 52: Nome di file non valido nel pacchetto: ")),
             qPrintable(errors.entries[0].text));
    // Nothing landed beside the working folder.
    QCOMPARE(filesIn(f.locations().tempDir), QStringList{QStringLiteral("QuenlarkSkin")});
    QVERIFY(!QFileInfo::exists(QStringLiteral("/tmp/evil")) ||
            readFileBytes(QStringLiteral("/tmp/evil")) != "bad");
}

void TestCBinary::linkInWorkFolderIsReplacedNotFollowed() {
    TestFolders f;
    ErrorRecorder errors;
    const QString outside = f.programDir() + QStringLiteral("/outside.txt");
    QVERIFY(writeFileBytes(outside, "precious"));
    QDir().mkpath(f.workDir());
    // A link with an entry's name, and one named like a hidden file that emptying leaves.
    QVERIFY(QFile::link(outside, f.workDir() + QStringLiteral("/skin.ini")));
    QVERIFY(QFile::link(outside, f.workDir() + QStringLiteral("/.keep")));
    const QString path =
        writePackage(f, QStringLiteral("l.skn"), skin("T", {{"skin.ini", "new"}, {".keep", "x"}}));
    cBinary binary(f.locations());
    const QString folder = binary.EstraiSkin(path);
    QCOMPARE(readFileBytes(outside), QByteArray("precious"));
    for (const char* name : {"skin.ini", ".keep"}) {
        const QFileInfo info(folder + QLatin1String(name));
        QVERIFY(!info.isSymLink());
        QVERIFY(info.isFile());
    }
    QCOMPARE(readFileBytes(folder + QStringLiteral("skin.ini")), QByteArray("new"));
    QVERIFY(errors.isEmpty());
}

void TestCBinary::takingOverTheWorkFolderKeepsOnlyItsOwnFiles() {
    TestFolders f;
    ErrorRecorder errors;
    const QString work = f.workDir();
    const QString canary = f.programDir() + QStringLiteral("/canary.txt");
    QVERIFY(writeFileBytes(canary, "precious"));
    // What another user could plant while the folder was open to all, and what killed processes
    // leave: hidden files of ours and a live process's temporary file stay.
    QDir().mkpath(work + QStringLiteral("/sub"));
    QVERIFY(QFile::link(canary, work + QStringLiteral("/sub/inner.bmp")));
    QVERIFY(QFile::link(canary, work + QStringLiteral("/pic.bmp")));
    QVERIFY(QFile::link(f.programDir(), work + QStringLiteral("/folder.bmp")));
    QCOMPARE(::mkfifo(QFile::encodeName(work + QStringLiteral("/fifo.bmp")).constData(), 0600), 0);
    const QString live = QStringLiteral(".tess-%1-live").arg(QCoreApplication::applicationPid());
    for (const QString& name :
         {QStringLiteral("plain.bmp"), QStringLiteral(".hidden"), live,
          QStringLiteral(".tess-2147483646-dead"), QStringLiteral(".tess-unversioned")})
        QVERIFY(writeFileBytes(work + u'/' + name, "x"));
    const QString path = writePackage(f, QStringLiteral("e.skn"), skin("T", {{"new.bmp", "n"}}));
    cBinary binary(f.locations());
    binary.EstraiSkin(path);
    QCOMPARE(filesIn(work),
             (QStringList{QStringLiteral(".hidden"), live, QStringLiteral("new.bmp")}));
    QCOMPARE(readFileBytes(canary), QByteArray("precious"));
    QVERIFY(errors.isEmpty());
}

void TestCBinary::workFolderIsOwnerOnly() {
    TestFolders f;
    ErrorRecorder errors;
    const QString path = writePackage(f, QStringLiteral("o.skn"), skin("T", {{"a", "1"}}));
    cBinary binary(f.locations());
    binary.EstraiSkin(path);
    struct stat st {};
    QCOMPARE(::stat(QFile::encodeName(f.workDir()).constData(), &st), 0);
    QCOMPARE(st.st_mode & 0777, mode_t(0700));
    // A folder of ours left open to others is closed again.
    QCOMPARE(::chmod(QFile::encodeName(f.workDir()).constData(), 0777), 0);
    binary.EstraiSkin(path);
    QCOMPARE(::stat(QFile::encodeName(f.workDir()).constData(), &st), 0);
    QCOMPARE(st.st_mode & 0777, mode_t(0700));
    QVERIFY(errors.isEmpty());
}

void TestCBinary::workFolderLinkIsRefused() {
    TestFolders f;
    ErrorRecorder errors;
    const QString elsewhere = f.programDir() + QStringLiteral("/elsewhere");
    QDir().mkpath(elsewhere);
    QVERIFY(writeFileBytes(elsewhere + QStringLiteral("/keep.txt"), "keep"));
    QVERIFY(QFile::link(elsewhere, f.workDir()));
    const QString path = writePackage(f, QStringLiteral("s.skn"), skin("T", {{"evil", "x"}}));
    cBinary binary(f.locations());
    bool usable = true;
    QCOMPARE(binary.EstraiSkin(path, &usable), f.workDir() + u'/');
    QVERIFY(!usable);
    QCOMPARE(filesIn(elsewhere), QStringList{QStringLiteral("keep.txt")});
    QCOMPARE(errors.entries.size(), 1);
    QVERIFY(errors.entries[0].text.contains(QStringLiteral("collegamento simbolico")));
    QVERIFY(QFileInfo(f.workDir()).isSymLink());
}

void TestCBinary::workFolderOfAnotherUserIsRefused() {
    if (::geteuid() != 0)
        QSKIP("giving a folder to another user needs root");
    TestFolders f;
    ErrorRecorder errors;
    QDir().mkpath(f.workDir());
    QVERIFY(writeFileBytes(f.workDir() + QStringLiteral("/theirs.bmp"), "t"));
    QCOMPARE(::chown(QFile::encodeName(f.workDir()).constData(), 65534, 65534), 0);
    const QString path = writePackage(f, QStringLiteral("s.skn"), skin("T", {{"evil", "x"}}));
    cBinary binary(f.locations());
    bool usable = true;
    binary.EstraiSkin(path, &usable);
    QVERIFY(!usable);
    QCOMPARE(filesIn(f.workDir()), QStringList{QStringLiteral("theirs.bmp")});
    QCOMPARE(errors.entries.size(), 1);
    QVERIFY(errors.entries[0].text.contains(QStringLiteral("altro utente")));
}

void TestCBinary::oversizedInputRefusedBeforeWriting_data() {
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("copies");
    QTest::addColumn<QString>("message");
    QTest::newRow("title of 256") << QString(256, u'x') << 1
                                  << QStringLiteral("Errore 6: Titolo più lungo di 255 caratteri");
    QTest::newRow("32768 entries")
        << QStringLiteral("T") << 32768 << QStringLiteral("Errore 6: Troppi file per un pacchetto");
}

void TestCBinary::oversizedInputRefusedBeforeWriting() {
    QFETCH(QString, title);
    QFETCH(int, copies);
    QFETCH(QString, message);
    TestFolders f;
    ErrorRecorder errors;
    QVERIFY(writeFileBytes(f.programDir() + QStringLiteral("/a"), "1"));
    const QString path = writePackage(f, QStringLiteral("old.skn"), kDemo);
    cBinary binary(f.locations());
    QVERIFY(!binary.CreaSkn(f.programDir(), QStringList(copies, QStringLiteral("a")),
                            QStringLiteral("old.skn"), title));
    QCOMPARE(errors.entries.size(), 1);
    QVERIFY2(errors.entries[0].text.startsWith(message), qPrintable(errors.entries[0].text));
    QCOMPARE(readFileBytes(path), kDemo);
    QCOMPARE(filesIn(f.skinsDir()), QStringList{QStringLiteral("old.skn")});
    // 32767 copies of one name are still a package.
    if (copies > 1) {
        errors.clear();
        QVERIFY(binary.CreaSkn(f.programDir(), QStringList(copies - 1, QStringLiteral("a")),
                               QStringLiteral("old.skn"), title));
        QCOMPARE(readFileBytes(path).mid(15, 4), longLE(32767));
        QVERIFY(errors.isEmpty());
    }
}

void TestCBinary::unsafePackageNameRefused() {
    TestFolders f;
    ErrorRecorder errors;
    QVERIFY(writeFileBytes(f.programDir() + QStringLiteral("/a"), "1"));
    cBinary binary(f.locations());
    QVERIFY(!binary.CreaSkn(f.programDir(), {QStringLiteral("a")}, QStringLiteral("../out.skn"),
                            QStringLiteral("T")));
    QVERIFY(!QFileInfo::exists(f.programDir() + QStringLiteral("/out.skn")));
    QCOMPARE(errors.entries.size(), 1);
    QVERIFY(errors.entries[0].text.startsWith(QStringLiteral("Errore 52: ")));
}

void TestCBinary::failedSaveKeepsOldPackage_data() {
    QTest::addColumn<QString>("failure");
    QTest::addColumn<QString>("message");
    QTest::newRow("short write") << QStringLiteral("limit")
                                 << QStringLiteral("Errore 61: Disco pieno");
    QTest::newRow("unreadable source file")
        << QStringLiteral("unreadable") << QStringLiteral("Errore 70: Autorizzazione negata");
    QTest::newRow("read-only skins folder")
        << QStringLiteral("readonly") << QStringLiteral("Errore 70: Autorizzazione negata");
    QTest::newRow("missing skins folder")
        << QStringLiteral("noskins")
        << QStringLiteral("Errore 76: Impossibile trovare il percorso");
}

// The save runs in a child process: a file size limit there gives a real short write, and a test
// run as root gives up there the privilege that would let it read and write regardless of the
// permissions.
void TestCBinary::failedSaveKeepsOldPackage() {
    QFETCH(QString, failure);
    QFETCH(QString, message);
    TestFolders f;
    const QString src = f.programDir() + QStringLiteral("/src");
    QDir().mkpath(src);
    QByteArray big(64 * 1024, '\0');
    for (int i = 0; i < big.size(); ++i)
        big[i] = char(i * 7);
    QVERIFY(writeFileBytes(src + QStringLiteral("/skin.ini"), "a=2"));
    QVERIFY(writeFileBytes(src + QStringLiteral("/big.bmp"), big));
    const QString package = writePackage(f, QStringLiteral("demo.skn"), kDemo);

    QStringList args;
    if (failure == u"limit")
        args << QStringLiteral("--file-size-limit") << QStringLiteral("4096");
    args << QStringLiteral("--no-dac-override");
    if (failure == u"unreadable")
        QVERIFY(QFile::setPermissions(src + QStringLiteral("/big.bmp"), {}));
    if (failure == u"readonly")
        QVERIFY(QFile::setPermissions(f.skinsDir(), QFile::ReadOwner | QFile::ExeOwner));
    if (failure == u"noskins") {
        QFile::remove(package);
        QVERIFY(QDir(f.skinsDir()).removeRecursively());
    }
    args << QStringLiteral("crea") << f.programDir() << f.locations().tempDir << src
         << QStringLiteral("demo.skn") << QStringLiteral("Demo 2") << QStringLiteral("skin.ini")
         << QStringLiteral("big.bmp");

    QProcess helper;
    helper.start(helperPath(), args);
    QVERIFY(helper.waitForFinished(60000));
    const QString stderrText = QString::fromLocal8Bit(helper.readAllStandardError());
    QFile::setPermissions(f.skinsDir(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QVERIFY2(helper.exitStatus() == QProcess::NormalExit, qPrintable(stderrText));
    QCOMPARE(helper.exitCode(), 1);
    const QStringList lines = stderrText.trimmed().split(u'\n');
    QCOMPARE(lines.size(), 1);
    QVERIFY2(lines[0].startsWith(message), qPrintable(stderrText));

    if (failure == u"noskins") {
        QVERIFY(!QFileInfo::exists(f.skinsDir()));
        return;
    }
    QCOMPARE(readFileBytes(package), kDemo);
    QCOMPARE(filesIn(f.skinsDir()), QStringList{QStringLiteral("demo.skn")});

    // The same helper without the obstacle saves, so the failure above was the obstacle's.
    QFile::setPermissions(src + QStringLiteral("/big.bmp"), QFile::ReadOwner | QFile::WriteOwner);
    args.removeAll(QStringLiteral("--file-size-limit"));
    args.removeAll(QStringLiteral("4096"));
    helper.start(helperPath(), args);
    QVERIFY(helper.waitForFinished(60000));
    QCOMPARE(helper.exitCode(), 0);
    QCOMPARE(readFileBytes(package), skin("Demo 2", {{"skin.ini", "a=2"}, {"big.bmp", big}}));
}

void TestCBinary::workingFilesAreNeverReadOrWrittenThroughALink_data() {
    QTest::addColumn<QString>("operation");
    QTest::addColumn<int>("expected");
    QTest::newRow("read") << "read" << ELOOP;
    QTest::newRow("append") << "append" << ELOOP;
    QTest::newRow("write replaces the link") << "write" << 0;
}

void TestCBinary::workingFilesAreNeverReadOrWrittenThroughALink() {
    QFETCH(QString, operation);
    QFETCH(int, expected);
    TestFolders f;
    const QString canary = f.programDir() + QStringLiteral("/canary.txt");
    QVERIFY(writeFileBytes(canary, "precious"));
    QDir().mkpath(f.workDir());
    const QString path = f.workDir() + QStringLiteral("/skin.ini");
    QVERIFY(QFile::link(canary, path));
    QByteArray read;
    int err = -1;
    if (operation == u"read")
        err = SafeFolder::readFileAt(path, &read, 1 << 20);
    else if (operation == u"append")
        err = SafeFolder::appendFileAt(path, "more");
    else
        err = SafeFolder::writeFileAt(path, "new");
    QCOMPARE(err, expected);
    QVERIFY(read.isEmpty());
    QCOMPARE(readFileBytes(canary), QByteArray("precious"));
    if (operation == u"write") {
        QVERIFY(!QFileInfo(path).isSymLink());
        QCOMPARE(readFileBytes(path), QByteArray("new"));
    }
}

void TestCBinary::packingLeavesLinksOutAndSaysSo() {
    TestFolders f;
    ErrorRecorder errors;
    const QString src = f.programDir() + QStringLiteral("/src");
    QDir().mkpath(src);
    QVERIFY(writeFileBytes(f.programDir() + QStringLiteral("/secret.txt"), "secret"));
    QVERIFY(writeFileBytes(src + QStringLiteral("/skin.ini"), "a=1"));
    QVERIFY(QFile::link(f.programDir() + QStringLiteral("/secret.txt"),
                        src + QStringLiteral("/evil.bmp")));
    cBinary binary(f.locations());
    QVERIFY(binary.CreaSkn(src, {QStringLiteral("skin.ini"), QStringLiteral("evil.bmp")},
                           QStringLiteral("l.skn"), QStringLiteral("T")));
    QCOMPARE(readFileBytes(f.skinsDir() + QStringLiteral("l.skn")),
             skin("T", {{"skin.ini", "a=1"}}));
    QCOMPARE(errors.entries.size(), 1);
    QVERIFY(errors.texts()[0].contains(QStringLiteral("evil.bmp")));
}

void TestCBinary::savingRemovesWhatKilledSavesLeft() {
    TestFolders f;
    ErrorRecorder errors;
    const QString skins = f.skinsDir();
    // A process id no system hands out: what its saves left is a dead process's.
    QVERIFY(writeFileBytes(skins + QStringLiteral(".tess-2147483646-half"), "half a package"));
    QDir().mkpath(skins + QStringLiteral("tessellary-2147483646-AbCdEf/program"));
    const QString live = QStringLiteral(".tess-%1-mine").arg(QCoreApplication::applicationPid());
    QVERIFY(writeFileBytes(skins + live, "being written"));
    QVERIFY(writeFileBytes(skins + QStringLiteral(".tess-notes.txt"), "the user's"));
    QVERIFY(writeFileBytes(f.programDir() + QStringLiteral("/skin.ini"), "a=1"));
    cBinary binary(f.locations());
    QVERIFY(binary.CreaSkn(f.programDir(), {QStringLiteral("skin.ini")}, QStringLiteral("s.skn"),
                           QStringLiteral("T")));
    QCOMPARE(filesIn(skins),
             (QStringList{live, QStringLiteral(".tess-notes.txt"), QStringLiteral("s.skn")}));
    QVERIFY(errors.isEmpty());
}

void TestCBinary::listAndUnpackIntoFolder() {
    TestFolders f;
    ErrorRecorder errors;
    const QString path =
        writePackage(f, QStringLiteral("p.skn"), skin("T", {{"skin.ini", "abc"}, {"e", {}}}));
    cBinary binary(f.locations());
    QList<cBinary::Voce> voci;
    QCOMPARE(binary.ElencaVoci(path, &voci), cBinary::Esito::Completo);
    QCOMPARE(voci.size(), 2);
    QCOMPARE(voci[0].nome, QStringLiteral("skin.ini"));
    QCOMPARE(voci[0].lunghezza, 3);
    QCOMPARE(voci[1].lunghezza, 0);

    const QString out = f.programDir() + QStringLiteral("/out/deeper");
    QCOMPARE(binary.EstraiSkinIn(path, out), cBinary::Esito::Completo);
    QCOMPARE(filesIn(out), (QStringList{QStringLiteral("e"), QStringLiteral("skin.ini")}));
    QVERIFY(!QFileInfo::exists(f.workDir()));
    QVERIFY(errors.isEmpty());
}

QTEST_GUILESS_MAIN(TestCBinary)
#include "tst_cbinary.moc"
