#include "storage/cbinary.h"
#include "testsupport.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QHash>
#include <QTest>

// Every seed and every input that once broke the readers, replayed through them without the
// fuzzer: the readers must stay inside their folders and agree with each other.
class TestFuzzReplay : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void replay_data();
    void replay();
};

void TestFuzzReplay::replay_data() {
    QTest::addColumn<QString>("input");
    int count = 0;
    for (const char* folder : {"/fuzz/corpus", "/fuzz/regressions"}) {
        QDirIterator it(sourceDir() + QLatin1String(folder), QDir::Files);
        while (it.hasNext()) {
            const QString path = it.next();
            QTest::newRow(qPrintable(QFileInfo(path).dir().dirName() + u'/' + it.fileName()))
                << path;
            ++count;
        }
    }
    if (count == 0)
        QTest::newRow("no inputs") << QString();
}

void TestFuzzReplay::replay() {
    QFETCH(QString, input);
    QVERIFY2(!input.isEmpty(), "no inputs found under fuzz/ (is TESS_SOURCE_DIR set?)");
    const QByteArray bytes = readFileBytes(input);
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

QTEST_GUILESS_MAIN(TestFuzzReplay)
#include "tst_fuzzreplay.moc"
