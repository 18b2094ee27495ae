#include "bitmap/cbitmap.h"
#include "fuzzchecks.h"
#include "storage/cbinary.h"
#include "testsupport.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QHash>
#include <QTest>

// Every seed of every fuzz target and every input that once broke one, replayed without the
// fuzzer through each target's code: any bytes may reach any reader, so every input goes through
// all of them.
class TestFuzzReplay : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase_data();
    void packageReaders();
    void skinIni();
    void bitmap();
    void packRoundTrip();
};

#define FETCH_INPUT(bytes)                                                                         \
    QFETCH_GLOBAL(QString, input);                                                                 \
    QVERIFY2(!input.isEmpty(), "no inputs found under fuzz/ (is TESS_SOURCE_DIR set?)");           \
    const QByteArray bytes = readFileBytes(input)

void TestFuzzReplay::initTestCase_data() {
    QTest::addColumn<QString>("input");
    const QDir fuzz(sourceDir() + QStringLiteral("/fuzz"));
    int count = 0;
    for (const char* folder : {"corpus", "regressions"}) {
        QDirIterator it(fuzz.filePath(QLatin1String(folder)), QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            QTest::newRow(qPrintable(fuzz.relativeFilePath(path))) << path;
            ++count;
        }
    }
    if (count == 0)
        QTest::newRow("no inputs") << QString();
}

// The readers must stay inside their folders and agree with each other.
void TestFuzzReplay::packageReaders() {
    FETCH_INPUT(bytes);
    TestFolders f;
    ErrorRecorder errors;
    const QString package = f.skinsDir() + QStringLiteral("input.skn");
    QVERIFY(writeFileBytes(package, bytes));
    const bool signed_ = bytes.startsWith(QByteArray("\x0C"
                                                     "QuenlarkSkin"));

    cBinary binary(f.locations());
    const QString title = binary.EstraiTitolo(package);
    QVERIFY(errors.entries.size() <= 1);
    if (!signed_)
        QVERIFY(title.isEmpty() && errors.isEmpty());

    errors.clear();
    QList<cBinary::Voce> voci;
    const cBinary::Esito listed = binary.ElencaVoci(package, &voci);
    QVERIFY(errors.entries.size() <= 1);
    QCOMPARE(listed == cBinary::Esito::Fallito, !errors.isEmpty());
    QCOMPARE(listed == cBinary::Esito::SenzaFirma, !signed_);

    errors.clear();
    bool usable = false;
    QCOMPARE(binary.EstraiSkin(package, &usable), f.workDir() + u'/');
    QVERIFY(usable);
    QVERIFY(errors.entries.size() <= 1);
    // A name the file system cannot take (too long once encoded) fails only when written.
    const bool writeFailed = !errors.isEmpty() && listed != cBinary::Esito::Fallito;
    // Unpacking writes exactly what listing reads, the last of equal names winning, and nothing
    // beside the working folder.
    QHash<QString, qint32> expected;
    for (const cBinary::Voce& voce : voci)
        expected[voce.nome] = voce.lunghezza;
    QDir work(f.workDir());
    const QStringList unpacked =
        work.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    if (!writeFailed)
        QCOMPARE(unpacked.size(), expected.size());
    for (const QString& name : unpacked) {
        const QFileInfo info(work.filePath(name));
        QVERIFY(info.isFile() && !info.isSymLink());
        QVERIFY(expected.contains(name));
        QCOMPARE(info.size(), qint64(expected[name]));
    }
    QCOMPARE(QDir(f.locations().tempDir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("QuenlarkSkin")});

    // The same bytes as a settings package: whatever it names lands in the program folder only.
    errors.clear();
    QVERIFY(writeFileBytes(f.locations().settingsPackagePath(), bytes));
    binary.EstraiSettings();
    QVERIFY(errors.entries.size() <= 1);
    const QStringList programEntries =
        QDir(f.programDir()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QString& name : programEntries)
        QVERIFY2(cBinary::isSafeEntryName(name), qPrintable(name));
    QVERIFY(QFileInfo(f.skinsDir() + QStringLiteral("input.skn")).isFile());
}

void TestFuzzReplay::skinIni() {
    FETCH_INPUT(bytes);
    TestFolders f;
    QCOMPARE(fuzzchecks::checkSkinIni(bytes, f.locations()), QString());
}

void TestFuzzReplay::bitmap() {
    FETCH_INPUT(bytes);
    QCOMPARE(fuzzchecks::checkBitmap(bytes), QString());
    // The bitmap seeds are meant to be valid: a seed the loader refuses teaches the fuzzer little.
    if (input.contains(QLatin1String("/corpus/bitmap/")))
        QVERIFY(cBitmap().CreateFromData(bytes, 0, 0));
}

void TestFuzzReplay::packRoundTrip() {
    FETCH_INPUT(bytes);
    QTemporaryDir scratch;
    QVERIFY(scratch.isValid());
    QCOMPARE(fuzzchecks::checkPackRoundTrip(bytes, scratch.filePath(QStringLiteral("run"))),
             QString());
}

QTEST_GUILESS_MAIN(TestFuzzReplay)
#include "tst_fuzzreplay.moc"
