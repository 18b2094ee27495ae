#include "skin/cskin.h"
#include "storage/cbinary.h"
#include "testsupport.h"

#include <QBuffer>
#include <QRandomGenerator>
#include <QTest>

// The skin document: the info table, how skin.ini lines are read, and loading a package over
// the default one.
class TestCSkin : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();

    void dividiRiga_data();
    void dividiRiga();
    void laterLinesReplaceEarlierOnesWithoutRegardToCase();
    void credits_data();
    void credits();
    void aLineStartingWithEqualsStopsReading();
    void readsWindows1252();
    void infoTableOrderAndTypes();

    void aHugeLineIsReadLikeAnyOther();
    void binaryGarbageNeverCrashes();

    void chosenPackageOverridesTheDefault();
    void chosenPackageWithoutSkinIniKeepsTheDefaultCredits();
    void loadingTheDefaultItself();
    void missingDefaultIsReportedOnceAndNotCreated();
    void missingDefaultStillEmptiesTheWorkingFolder();
    void missingOrBrokenChosenPackageKeepsTheDefault();
    void unsafeWorkingFolderIsNotRead();

private:
    // Packs `files` (name -> bytes) as the package `name` of the skins folder.
    void makePackage(const QString& name, const QList<std::pair<QString, QByteArray>>& files);
    void read(cSkin& skin, const QByteArray& bytes);

    std::unique_ptr<TestFolders> m_folders;
};

void TestCSkin::init() {
    m_folders = std::make_unique<TestFolders>();
    QVERIFY(m_folders->isValid());
}

void TestCSkin::makePackage(const QString& name,
                            const QList<std::pair<QString, QByteArray>>& files) {
    const QString staging = m_folders->programDir() + QStringLiteral("/staging-") + name + u'/';
    QVERIFY(QDir().mkpath(staging));
    QStringList names;
    for (const auto& [file, bytes] : files) {
        QVERIFY(writeFileBytes(staging + file, bytes));
        names << file;
    }
    cBinary binary(m_folders->locations());
    QVERIFY(binary.CreaSkn(staging, names, name, QStringLiteral("t")));
    QVERIFY(QDir(staging).removeRecursively());
}

void TestCSkin::read(cSkin& skin, const QByteArray& bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    skin.LeggiParametri(&buffer);
}

void TestCSkin::dividiRiga_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::newRow("as written") << "Title = My skin" << true << "Title"
                                << "My skin";
    // The character before "=" is taken for the writer's blank.
    QTest::newRow("no blank before =") << "Title= My skin" << true << "Titl"
                                       << "My skin";
    QTest::newRow("blanks everywhere") << "   Color   =   255   " << true << "Color"
                                       << "255";
    QTest::newRow("= in the value") << "Title = a = b" << true << "Title"
                                    << "a = b";
    QTest::newRow("empty value") << "Add = " << true << "Add"
                                 << "";
    QTest::newRow("one character key") << "a=1" << true << ""
                                       << "1";
    QTest::newRow("= first") << "= 5" << false << ""
                             << "";
}

void TestCSkin::dividiRiga() {
    QFETCH(QString, line);
    QFETCH(bool, ok);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QString k, v;
    QCOMPARE(cSkin::DividiRiga(line, &v, &k), ok);
    if (ok) {
        QCOMPARE(k, key);
        QCOMPARE(v, value);
    }
}

void TestCSkin::laterLinesReplaceEarlierOnesWithoutRegardToCase() {
    cSkin skin(m_folders->locations());
    read(skin, "[parametri]\r\n  (general)\r\n    title = first\r\n    Color = 1\r\n"
               "no equals sign here\r\n\r\n    TITLE = second\r\n");
    QCOMPARE(skin.RetrInfo(QStringLiteral("Title")), QVariant(QStringLiteral("second")));
    // The replaced entry moved to the end, under the key as last written.
    QCOMPARE(skin.keys(), (QStringList{QStringLiteral("Color"), QStringLiteral("TITLE"),
                                       QStringLiteral("credits")}));
}

void TestCSkin::credits_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("credits");
    QTest::newRow("lines untrimmed, joined by CR LF")
        << QByteArray("a = 1\r\n  [INFO]  \r\na\r\n b\r\nc\r\n") << "a\r\n b\r\nc";
    QTest::newRow("no final line break") << QByteArray("[info]\r\na\r\n b\r\nc") << "a\r\n b\r\nc";
    QTest::newRow("LF only") << QByteArray("[Info]\nx \ny\n") << "x \r\ny";
    QTest::newRow("empty last line") << QByteArray("[info]\r\nx\r\n\r\n") << "x\r\n";
    QTest::newRow("nothing after [info]") << QByteArray("[info]\r\n") << "";
    QTest::newRow("no [info] line") << QByteArray("a = 1\r\n") << "";
    QTest::newRow("parameters after [info] are credits")
        << QByteArray("[info]\r\nTitle = x\r\n") << "Title = x";
}

void TestCSkin::credits() {
    QFETCH(QByteArray, file);
    QFETCH(QString, credits);
    cSkin skin(m_folders->locations());
    skin.AddInfo(QStringLiteral("Credits"), QStringLiteral("older"));
    read(skin, file);
    QCOMPARE(skin.RetrInfo(QStringLiteral("Credits")), QVariant(credits));
    QCOMPARE(skin.RetrInfo(QStringLiteral("title")), QVariant(QString()));
}

void TestCSkin::aLineStartingWithEqualsStopsReading() {
    cSkin skin(m_folders->locations());
    skin.AddInfo(QStringLiteral("credits"), QStringLiteral("from the default"));
    read(skin, "Title = kept\r\n  = 3\r\nColor = 5\r\n[info]\r\nnew credits\r\n");
    QCOMPARE(skin.RetrInfo(QStringLiteral("Title")), QVariant(QStringLiteral("kept")));
    QCOMPARE(skin.RetrInfo(QStringLiteral("Color")), QVariant(QString()));
    QCOMPARE(skin.RetrInfo(QStringLiteral("Credits")),
             QVariant(QStringLiteral("from the default")));
}

void TestCSkin::readsWindows1252() {
    cSkin skin(m_folders->locations());
    read(skin, "Title = Citt\xE0 \x80 \x81\r\n[info]\r\n\xA9 Io\r\n");
    QCOMPARE(skin.RetrInfo(QStringLiteral("Title")).toString(),
             QStringLiteral("Città € ") + QChar(0x81));
    QCOMPARE(skin.RetrInfo(QStringLiteral("Credits")).toString(), QStringLiteral("© Io"));
}

void TestCSkin::infoTableOrderAndTypes() {
    cSkin skin(m_folders->locations());
    QCOMPARE(skin.RetrInfo(QStringLiteral("missing")).typeId(), int(QMetaType::QString));
    QCOMPARE(skin.RetrInfo(QStringLiteral("missing")).toString(), QString());
    skin.AddInfo(QStringLiteral("A"), 1);
    skin.AddInfo(QStringLiteral("B"), true);
    skin.AddInfo(QStringLiteral("C"), QStringLiteral("x"));
    skin.AddInfo(QStringLiteral("a"), 2.5);
    QCOMPARE(skin.keys(),
             (QStringList{QStringLiteral("B"), QStringLiteral("C"), QStringLiteral("a")}));
    QCOMPARE(skin.RetrInfo(QStringLiteral("A")), QVariant(2.5));
    QCOMPARE(skin.RetrInfo(QStringLiteral("b")), QVariant(true));
    QCOMPARE(skin.RetrInfo(QStringLiteral("b")).typeId(), int(QMetaType::Bool));
}

void TestCSkin::aHugeLineIsReadLikeAnyOther() {
    QByteArray file = "Title = ";
    file += QByteArray(8 * 1024 * 1024, 'x');
    file += "\r\nColor = 7\r\n[info]\r\n";
    file += QByteArray(3 * 1024 * 1024, 'y');
    cSkin skin(m_folders->locations());
    read(skin, file);
    QCOMPARE(skin.RetrInfo(QStringLiteral("Title")).toString().size(), 8 * 1024 * 1024);
    QCOMPARE(skin.RetrInfo(QStringLiteral("Color")), QVariant(QStringLiteral("7")));
    QCOMPARE(skin.RetrInfo(QStringLiteral("Credits")).toString().size(), 3 * 1024 * 1024);
}

void TestCSkin::binaryGarbageNeverCrashes() {
    QRandomGenerator random(20240611);
    // Garbage without "=" or a line break is one line that is skipped, whatever bytes it holds.
    QByteArray quiet(256 * 1024, '\0');
    for (char& c : quiet) {
        do {
            c = char(random.bounded(256));
        } while (c == '=' || c == '\n');
    }
    cSkin skin(m_folders->locations());
    read(skin, quiet + "\r\nTitle = after\r\n");
    QCOMPARE(skin.RetrInfo(QStringLiteral("Title")), QVariant(QStringLiteral("after")));

    // Anything at all: the reader ends, holding no more entries than the file has lines.
    for (int round = 0; round < 20; ++round) {
        QByteArray any(64 * 1024, '\0');
        for (char& c : any)
            c = char(random.bounded(256));
        cSkin other(m_folders->locations());
        read(other, any);
        QVERIFY(other.keys().size() <= any.count('\n') + 2);
    }
}

void TestCSkin::chosenPackageOverridesTheDefault() {
    makePackage(QStringLiteral("(default).skn"),
                {{QStringLiteral("skin.ini"),
                  "[parametri]\r\n    Title = Base\r\n    Color = 1\r\n    OnlyDefault = yes\r\n"
                  "[info]\r\nbase credits\r\n"},
                 {QStringLiteral("base.bmp"), "B"}});
    makePackage(QStringLiteral("mine.skn"),
                {{QStringLiteral("skin.ini"),
                  "[parametri]\r\n    title = Mine\r\n    Color = 2\r\n[INFO]\r\n a\r\nb\r\n"},
                 {QStringLiteral("mine.bmp"), "M"}});
    ErrorRecorder errors;
    cSkin skin(m_folders->locations());
    skin.CaricaSkin(QStringLiteral("mine.skn"));
    QVERIFY(errors.isEmpty());
    QVERIFY(skin.workFolderUsable());
    QCOMPARE(skin.SkinName(), QStringLiteral("mine.skn"));
    QCOMPARE(skin.SkinPath(), m_folders->workDir() + u'/');
    QCOMPARE(skin.RetrInfo(QStringLiteral("Title")), QVariant(QStringLiteral("Mine")));
    QCOMPARE(skin.RetrInfo(QStringLiteral("Color")), QVariant(QStringLiteral("2")));
    QCOMPARE(skin.RetrInfo(QStringLiteral("OnlyDefault")), QVariant(QStringLiteral("yes")));
    QCOMPARE(skin.RetrInfo(QStringLiteral("Credits")), QVariant(QStringLiteral(" a\r\nb")));
    // The working folder holds the chosen package's files only.
    QCOMPARE(QDir(skin.SkinPath()).entryList(QDir::Files, QDir::Name),
             (QStringList{QStringLiteral("mine.bmp"), QStringLiteral("skin.ini")}));
}

void TestCSkin::chosenPackageWithoutSkinIniKeepsTheDefaultCredits() {
    makePackage(QStringLiteral("(default).skn"),
                {{QStringLiteral("skin.ini"), "Title = Base\r\n[info]\r\nbase credits\r\n"}});
    makePackage(QStringLiteral("bare.skn"), {{QStringLiteral("x.bmp"), "X"}});
    makePackage(QStringLiteral("noinfo.skn"), {{QStringLiteral("skin.ini"), "Title = N\r\n"}});
    cSkin bare(m_folders->locations());
    bare.CaricaSkin(QStringLiteral("bare.skn"));
    QCOMPARE(bare.RetrInfo(QStringLiteral("Title")), QVariant(QStringLiteral("Base")));
    QCOMPARE(bare.RetrInfo(QStringLiteral("credits")), QVariant(QStringLiteral("base credits")));
    cSkin noInfo(m_folders->locations());
    noInfo.CaricaSkin(QStringLiteral("noinfo.skn"));
    QCOMPARE(noInfo.RetrInfo(QStringLiteral("Title")), QVariant(QStringLiteral("N")));
    QCOMPARE(noInfo.RetrInfo(QStringLiteral("credits")), QVariant(QString()));
}

void TestCSkin::loadingTheDefaultItself() {
    makePackage(QStringLiteral("(default).skn"),
                {{QStringLiteral("skin.ini"), "Title = Base\r\n"}, {QStringLiteral("a.bmp"), "A"}});
    cSkin skin(m_folders->locations());
    skin.CaricaSkin(QStringLiteral("(default).skn"));
    QCOMPARE(skin.SkinName(), QStringLiteral("(default).skn"));
    QCOMPARE(skin.RetrInfo(QStringLiteral("Title")), QVariant(QStringLiteral("Base")));
    QCOMPARE(QDir(skin.SkinPath()).entryList(QDir::Files).size(), 2);
}

void TestCSkin::missingDefaultIsReportedOnceAndNotCreated() {
    makePackage(QStringLiteral("mine.skn"), {{QStringLiteral("skin.ini"), "Title = Mine\r\n"}});
    ErrorRecorder errors;
    cSkin skin(m_folders->locations());
    skin.CaricaSkin(QStringLiteral("mine.skn"));
    QCOMPARE(errors.entries.size(), 1);
    QVERIFY(errors.entries.first().text.contains(QStringLiteral("(default).skn")));
    QVERIFY(!QFileInfo::exists(m_folders->skinsDir() + QStringLiteral("(default).skn")));
    QCOMPARE(skin.RetrInfo(QStringLiteral("Title")), QVariant(QStringLiteral("Mine")));
}

void TestCSkin::missingDefaultStillEmptiesTheWorkingFolder() {
    QVERIFY(QDir().mkpath(m_folders->workDir()));
    QVERIFY(
        writeFileBytes(m_folders->workDir() + QStringLiteral("/skin.ini"), "Title = Stale\r\n"));
    ErrorRecorder errors;
    cSkin skin(m_folders->locations());
    skin.CaricaSkin(QStringLiteral("(default).skn"));
    QCOMPARE(errors.entries.size(), 1);
    QCOMPARE(skin.SkinPath(), m_folders->workDir() + u'/');
    QVERIFY(QDir(skin.SkinPath()).entryList(QDir::Files).isEmpty());
    QCOMPARE(skin.RetrInfo(QStringLiteral("Title")), QVariant(QString()));
    QVERIFY(!QFileInfo::exists(m_folders->skinsDir() + QStringLiteral("(default).skn")));
}

void TestCSkin::missingOrBrokenChosenPackageKeepsTheDefault() {
    makePackage(QStringLiteral("(default).skn"),
                {{QStringLiteral("skin.ini"), "Title = Base\r\n[info]\r\nc\r\n"}});
    QVERIFY(writeFileBytes(m_folders->skinsDir() + QStringLiteral("junk.skn"), "not a package"));
    for (const QString& name : {QStringLiteral("junk.skn"), QStringLiteral("absent.skn")}) {
        ErrorRecorder errors;
        cSkin skin(m_folders->locations());
        skin.CaricaSkin(name);
        QCOMPARE(skin.RetrInfo(QStringLiteral("Title")), QVariant(QStringLiteral("Base")));
        QCOMPARE(skin.RetrInfo(QStringLiteral("credits")), QVariant(QStringLiteral("c")));
        // The working folder was emptied for the chosen package.
        QVERIFY(QDir(skin.SkinPath()).entryList(QDir::Files).isEmpty());
        QCOMPARE(skin.SkinName(), name);
    }
}

void TestCSkin::unsafeWorkingFolderIsNotRead() {
    makePackage(QStringLiteral("(default).skn"),
                {{QStringLiteral("skin.ini"), "Title = Base\r\n"}});
    const QString elsewhere = m_folders->programDir() + QStringLiteral("/elsewhere");
    QVERIFY(QDir().mkpath(elsewhere));
    QVERIFY(writeFileBytes(elsewhere + QStringLiteral("/keep.txt"), "mine"));
    QVERIFY(QFile::link(elsewhere, m_folders->workDir()));
    ErrorRecorder errors;
    cSkin skin(m_folders->locations());
    skin.CaricaSkin(QStringLiteral("(default).skn"));
    QVERIFY(!skin.workFolderUsable());
    QVERIFY(!errors.isEmpty());
    // Kept for the messages of whatever later cannot be written there.
    QVERIFY(skin.workFolderRefusal().contains(QStringLiteral("collegamento simbolico")));
    QCOMPARE(skin.RetrInfo(QStringLiteral("Title")), QVariant(QString()));
    QCOMPARE(skin.SkinPath(), QString());
    QCOMPARE(readFileBytes(elsewhere + QStringLiteral("/keep.txt")), QByteArray("mine"));
}

QTEST_GUILESS_MAIN(TestCSkin)
#include "tst_cskin.moc"
