#include "packagebytes.h"
#include "storage/cbinary.h"
#include "testsupport.h"

#include <QFileInfo>
#include <QProcess>
#include <QTest>

using namespace packagebytes;

// The client settings package "quenlark.ini": first use from the default files, saving again,
// and packages that are broken or hostile.
class TestCBinarySettings : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void firstUseBundlesDefaultFiles();
    void saveRewritesCurrentContents_data();
    void saveRewritesCurrentContents();
    void saveBeforeAnyPackageKeepsContents_data();
    void saveBeforeAnyPackageKeepsContents();
    void fileThatIsNotAPackage();
    void brokenPackages_data();
    void brokenPackages();
    void failedSaveKeepsFilesAndPackage();
};

namespace {

QString programFile(const TestFolders& f, const QString& name) {
    return f.programDir() + u'/' + name;
}

QString packagePath(const TestFolders& f) {
    return f.locations().settingsPackagePath();
}

QStringList plainFiles(const QString& dir) {
    QStringList names = QDir(dir).entryList(QDir::Files | QDir::Hidden);
    names.sort();
    return names;
}

} // namespace

void TestCBinarySettings::firstUseBundlesDefaultFiles() {
    // alias.txt of 10 bytes, trigger.txt missing, config.ini empty: the package holds 10, 0 and
    // 0 bytes, and the three files are there again afterwards, the empty ones empty.
    TestFolders f;
    ErrorRecorder errors;
    QVERIFY(writeFileBytes(programFile(f, QStringLiteral("alias.txt")), "0123456789"));
    QVERIFY(writeFileBytes(programFile(f, QStringLiteral("config.ini")), {}));
    cBinary binary(f.locations());
    QVERIFY(binary.EstraiSettings());
    QCOMPARE(readFileBytes(packagePath(f)),
             settings({{"alias.txt", "0123456789"}, {"trigger.txt", {}}, {"config.ini", {}}}));
    QCOMPARE(readFileBytes(programFile(f, QStringLiteral("alias.txt"))), QByteArray("0123456789"));
    for (const char* name : {"trigger.txt", "config.ini"}) {
        QVERIFY(QFileInfo(programFile(f, QLatin1String(name))).isFile());
        QCOMPARE(QFileInfo(programFile(f, QLatin1String(name))).size(), 0);
    }
    QVERIFY(errors.isEmpty());
}

void TestCBinarySettings::saveRewritesCurrentContents_data() {
    QTest::addColumn<bool>("deleteFiles");
    QTest::newRow("keeping the files") << false;
    QTest::newRow("deleting the files") << true;
}

void TestCBinarySettings::saveRewritesCurrentContents() {
    // The names come from the package, the contents from the folder; a name without a file is
    // packed empty, and the empty file stays unless the files are deleted.
    QFETCH(bool, deleteFiles);
    TestFolders f;
    ErrorRecorder errors;
    QVERIFY(writeFileBytes(packagePath(f),
                           settings({{"mine.cfg", "old"}, {"gone.txt", "was here"}, {"z", "1"}})));
    QVERIFY(writeFileBytes(programFile(f, QStringLiteral("mine.cfg")), "new contents"));
    QVERIFY(writeFileBytes(programFile(f, QStringLiteral("z")), "2"));
    QVERIFY(writeFileBytes(programFile(f, QStringLiteral("alias.txt")), "not listed"));

    cBinary binary(f.locations());
    QVERIFY(binary.SalvaSettings(deleteFiles));
    QCOMPARE(readFileBytes(packagePath(f)),
             settings({{"mine.cfg", "new contents"}, {"gone.txt", {}}, {"z", "2"}}));
    const QStringList expected =
        deleteFiles ? QStringList{QStringLiteral("alias.txt"), QStringLiteral("quenlark.ini")}
                    : QStringList{QStringLiteral("alias.txt"), QStringLiteral("gone.txt"),
                                  QStringLiteral("mine.cfg"), QStringLiteral("quenlark.ini"),
                                  QStringLiteral("z")};
    QCOMPARE(plainFiles(f.programDir()), expected);
    if (!deleteFiles)
        QCOMPARE(readFileBytes(programFile(f, QStringLiteral("mine.cfg"))),
                 QByteArray("new contents"));
    QVERIFY(errors.isEmpty());

    // What was saved unpacks to the same bytes.
    QVERIFY(binary.EstraiSettings());
    QCOMPARE(readFileBytes(programFile(f, QStringLiteral("mine.cfg"))), QByteArray("new contents"));
    QCOMPARE(QFileInfo(programFile(f, QStringLiteral("gone.txt"))).size(), 0);
}

void TestCBinarySettings::saveBeforeAnyPackageKeepsContents_data() {
    QTest::addColumn<bool>("deleteFiles");
    QTest::newRow("keeping the files") << false;
    QTest::newRow("deleting the files") << true;
}

void TestCBinarySettings::saveBeforeAnyPackageKeepsContents() {
    QFETCH(bool, deleteFiles);
    TestFolders f;
    ErrorRecorder errors;
    QVERIFY(writeFileBytes(programFile(f, QStringLiteral("alias.txt")), "A"));
    QVERIFY(writeFileBytes(programFile(f, QStringLiteral("config.ini")), "C"));
    cBinary binary(f.locations());
    QVERIFY(binary.SalvaSettings(deleteFiles));
    QCOMPARE(readFileBytes(packagePath(f)),
             settings({{"alias.txt", "A"}, {"trigger.txt", {}}, {"config.ini", "C"}}));
    QCOMPARE(QFileInfo::exists(programFile(f, QStringLiteral("alias.txt"))), !deleteFiles);
    QCOMPARE(QFileInfo::exists(programFile(f, QStringLiteral("trigger.txt"))), !deleteFiles);
    QVERIFY(errors.isEmpty());
}

void TestCBinarySettings::fileThatIsNotAPackage() {
    // Unpacking finds no entries and says nothing; saving would destroy a file that is not ours,
    // so it is refused.
    TestFolders f;
    ErrorRecorder errors;
    const QByteArray foreign("[Quenlark]\r\nserver=example\r\n");
    QVERIFY(writeFileBytes(packagePath(f), foreign));
    QVERIFY(writeFileBytes(programFile(f, QStringLiteral("alias.txt")), "A"));
    cBinary binary(f.locations());
    QVERIFY(binary.EstraiSettings());
    QVERIFY(errors.isEmpty());
    QVERIFY(!binary.SalvaSettings(true));
    QCOMPARE(errors.entries.size(), 1);
    QVERIFY(errors.entries[0].text.contains(QStringLiteral("non è un pacchetto di impostazioni")));
    QCOMPARE(readFileBytes(packagePath(f)), foreign);
    QCOMPARE(readFileBytes(programFile(f, QStringLiteral("alias.txt"))), QByteArray("A"));
}

void TestCBinarySettings::brokenPackages_data() {
    QTest::addColumn<QByteArray>("package");
    QTest::addColumn<QStringList>("unpacked");
    QTest::addColumn<QString>("message"); // "" for none
    QTest::newRow("count above entries")
        << settings({{"a.txt", "1"}}, 4) << QStringList{QStringLiteral("a.txt")} << QString();
    QTest::newRow("data cut short")
        << (settings({{"a.txt", "1"}}, 2) + text("b.txt") + longLE(50) + "abc")
        << QStringList{QStringLiteral("a.txt")}
        << QStringLiteral("Errore 62: Input oltre la fine del file");
    QTest::newRow("unsafe name")
        << settings({{"a.txt", "1"}, {"../escape.txt", "x"}, {"c.txt", "3"}})
        << QStringList{QStringLiteral("a.txt")}
        << QStringLiteral("Errore 52: Nome di file non valido nel pacchetto: ../escape.txt");
    QTest::newRow("names the package itself")
        << settings({{"a.txt", "1"}, {"quenlark.ini", "x"}, {"c.txt", "3"}})
        << QStringList{QStringLiteral("a.txt")}
        << QStringLiteral("Errore 52: Nome di file non valido nel pacchetto: quenlark.ini");
    QTest::newRow("count overflows") << settings({{"a.txt", "1"}}, 0x80000000u) << QStringList()
                                     << QStringLiteral("Errore 6: Overflow");
}

void TestCBinarySettings::brokenPackages() {
    QFETCH(QByteArray, package);
    QFETCH(QStringList, unpacked);
    QFETCH(QString, message);
    TestFolders f;
    ErrorRecorder errors;
    QVERIFY(writeFileBytes(packagePath(f), package));
    cBinary binary(f.locations());
    QCOMPARE(binary.EstraiSettings(), message.isEmpty());
    QCOMPARE(plainFiles(f.programDir()), unpacked + QStringList{QStringLiteral("quenlark.ini")});
    if (message.isEmpty()) {
        QVERIFY(errors.isEmpty());
    } else {
        QCOMPARE(errors.entries.size(), 1);
        QVERIFY2(errors.entries[0].text.startsWith(message), qPrintable(errors.entries[0].text));
    }
    QVERIFY(!QFileInfo::exists(QFileInfo(f.programDir()).path() + QStringLiteral("/escape.txt")));
    QCOMPARE(readFileBytes(packagePath(f)), package);
    if (!message.isEmpty()) {
        // Saving what could not be read whole would drop the rest: refused, nothing deleted.
        QVERIFY(!binary.SalvaSettings(true));
        QCOMPARE(readFileBytes(packagePath(f)), package);
        QCOMPARE(plainFiles(f.programDir()),
                 unpacked + QStringList{QStringLiteral("quenlark.ini")});
    }
}

void TestCBinarySettings::failedSaveKeepsFilesAndPackage() {
    // A full disk while the package is written: the old package stays, and the files that were
    // to be deleted after packing stay too.
    TestFolders f;
    const QByteArray old = settings({{"alias.txt", "old"}});
    QVERIFY(writeFileBytes(packagePath(f), old));
    const QByteArray big(32 * 1024, 'x');
    QVERIFY(writeFileBytes(programFile(f, QStringLiteral("alias.txt")), big));
    QProcess helper;
    helper.start(QCoreApplication::applicationDirPath() + QStringLiteral("/storage_savehelper"),
                 {QStringLiteral("--file-size-limit"), QStringLiteral("4096"),
                  QStringLiteral("salva-settings"), f.programDir(), f.locations().tempDir,
                  QStringLiteral("1")});
    QVERIFY(helper.waitForFinished(60000));
    const QString stderrText = QString::fromLocal8Bit(helper.readAllStandardError());
    QCOMPARE(helper.exitCode(), 1);
    QVERIFY2(stderrText.startsWith(QStringLiteral("Errore 61: Disco pieno")),
             qPrintable(stderrText));
    QCOMPARE(readFileBytes(packagePath(f)), old);
    QCOMPARE(readFileBytes(programFile(f, QStringLiteral("alias.txt"))), big);
    QCOMPARE(plainFiles(f.programDir()),
             (QStringList{QStringLiteral("alias.txt"), QStringLiteral("quenlark.ini")}));
}

QTEST_GUILESS_MAIN(TestCBinarySettings)
#include "tst_cbinarysettings.moc"
