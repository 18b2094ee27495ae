#include "skin/skinschema.h"
#include "storage/cbinary.h"
#include "testsupport.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// tessellary-skn settings and resave, run as a user's script runs them.
class TestSkinCommands : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();

    void settingsListsEverySchemaItem();
    void settingsReadsThePackageOverTheDefault();
    void settingsReportsAnOverflowAndGoesOn();
    void settingsLeavesTheUsersFoldersAlone();
    void resaveWritesCreditsAndKeepsValues();
    void resaveOfTheBundledDefaultChangesNothing();
    void refusals_data();
    void refusals();

private:
    struct Run {
        int status = -1;
        QStringList lines;
        QString errors;
    };
    Run run(const QStringList& args);
    QString makePackage(const QString& name, const QByteArray& skinIni,
                        const QList<std::pair<QString, QByteArray>>& more = {});
    QString lineOf(const Run& r, const QString& key) const;

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QTemporaryDir> m_tmp; // the temporary folder the program sees
    QString m_default;
};

void TestSkinCommands::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    m_tmp = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid() && m_tmp->isValid());
    m_default = makePackage(QStringLiteral("def.skn"),
                            "[parametri]\r\n    Title = Base\r\n    Color = 255\r\n"
                            "    Button_Up = 4\r\n    ImageName = logo.bmp\r\n"
                            "[info]\r\nprima riga\r\nseconda\r\n",
                            {{QStringLiteral("logo.bmp"), "L"}});
}

TestSkinCommands::Run TestSkinCommands::run(const QStringList& args) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("TMPDIR"), m_tmp->path());
    process.setProcessEnvironment(env);
    process.start(binDir() + QStringLiteral("/tessellary-skn"), args);
    Run r;
    if (!process.waitForFinished(60000))
        return r;
    r.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2;
    QString out = QString::fromUtf8(process.readAllStandardOutput());
    if (out.endsWith(u'\n'))
        out.chop(1);
    r.lines = out.isEmpty() ? QStringList() : out.split(u'\n');
    r.errors = QString::fromUtf8(process.readAllStandardError());
    return r;
}

QString TestSkinCommands::makePackage(const QString& name, const QByteArray& skinIni,
                                      const QList<std::pair<QString, QByteArray>>& more) {
    const QString staging = m_dir->path() + QStringLiteral("/src-") + name + u'/';
    QDir().mkpath(staging);
    QStringList files{QStringLiteral("skin.ini")};
    writeFileBytes(staging + QStringLiteral("skin.ini"), skinIni);
    for (const auto& [file, bytes] : more) {
        writeFileBytes(staging + file, bytes);
        files << file;
    }
    Locations locations{m_dir->path(), m_dir->path(), {}};
    cBinary binary(locations);
    const QString path = m_dir->path() + u'/' + name;
    if (!binary.CreaSknAt(staging, files, path, QStringLiteral("pkg")))
        return {};
    QDir(staging).removeRecursively();
    return path;
}

QString TestSkinCommands::lineOf(const Run& r, const QString& key) const {
    for (const QString& line : r.lines) {
        if (line.startsWith(key + u'\t'))
            return line;
    }
    return {};
}

void TestSkinCommands::settingsListsEverySchemaItem() {
    const Run r =
        run({QStringLiteral("settings"), binDir() + QStringLiteral("/skins/(default).skn")});
    QCOMPARE(r.status, 0);
    QVERIFY2(r.errors.isEmpty(), qPrintable(r.errors));
    const auto items = skinSchemaItems();
    QCOMPARE(r.lines.size(), qsizetype(items.size()) + 1);
    for (qsizetype i = 0; i < qsizetype(items.size()); ++i) {
        const QStringList fields = r.lines[i].split(u'\t');
        QCOMPARE(fields.size(), 4);
        QCOMPARE(fields[0], QString::fromUtf8(items[i].key));
        QCOMPARE(fields[1], QString::number(items[i].kind));
        QCOMPARE(fields[2], QStringLiteral("set")); // the default skin sets everything
    }
    QVERIFY(r.lines.last().startsWith(QStringLiteral("credits\t")));
    QVERIFY(!r.lines.last().contains(u'\r'));
}

void TestSkinCommands::settingsReadsThePackageOverTheDefault() {
    const QString mine =
        makePackage(QStringLiteral("mine.skn"), "    Title = Citt\xE0\r\n    Button_Up = -1\r\n"
                                                "    Caption_Bold = 1\r\n    SpostX = 12.5\r\n"
                                                "[INFO]\r\na\r\n b\r\n");
    const Run r = run({QStringLiteral("settings"), mine, QStringLiteral("--default"), m_default});
    QCOMPARE(r.status, 0);
    QCOMPARE(lineOf(r, QStringLiteral("Title")), QStringLiteral("Title\t3\tset\tCittà"));
    QCOMPARE(lineOf(r, QStringLiteral("Color")), QStringLiteral("Color\t0\tset\t255"));
    QCOMPARE(lineOf(r, QStringLiteral("Button_Up")), QStringLiteral("Button_Up\t0\tunset\t-1"));
    QCOMPARE(lineOf(r, QStringLiteral("Caption_Bold")),
             QStringLiteral("Caption_Bold\t4\tset\ttrue"));
    QCOMPARE(lineOf(r, QStringLiteral("Caption_Italic")),
             QStringLiteral("Caption_Italic\t4\tset\tfalse"));
    QCOMPARE(lineOf(r, QStringLiteral("SpostX")), QStringLiteral("SpostX\t2\tset\t12"));
    QCOMPARE(lineOf(r, QStringLiteral("Capt")), QStringLiteral("Capt\t6\tunset\t-1"));
    QCOMPARE(lineOf(r, QStringLiteral("Add")), QStringLiteral("Add\t1\tunset\t"));
    QCOMPARE(lineOf(r, QStringLiteral("max.bmp")), QStringLiteral("max.bmp\t1\tset\tmax.bmp"));
    QCOMPARE(r.lines.last(), QStringLiteral("credits\ta\\n b"));

    // Without --default the package is read alone.
    const Run alone = run({QStringLiteral("settings"), mine});
    QCOMPARE(alone.status, 0);
    QCOMPARE(lineOf(alone, QStringLiteral("Color")), QStringLiteral("Color\t0\tset\t0"));
    QCOMPARE(lineOf(alone, QStringLiteral("Title")), QStringLiteral("Title\t3\tset\tCittà"));
}

void TestSkinCommands::settingsReportsAnOverflowAndGoesOn() {
    const QString bad =
        makePackage(QStringLiteral("bad.skn"), "    SpostX = 99999\r\n    SpostY = 3\r\n");
    const Run r = run({QStringLiteral("settings"), bad});
    QCOMPARE(r.status, 1);
    QVERIFY2(r.errors.contains(QStringLiteral("Errore 6: Overflow")), qPrintable(r.errors));
    QVERIFY(r.errors.contains(QStringLiteral("SpostX")));
    QCOMPARE(lineOf(r, QStringLiteral("SpostX")), QStringLiteral("SpostX\t2\tset\t0"));
    QCOMPARE(lineOf(r, QStringLiteral("SpostY")), QStringLiteral("SpostY\t2\tset\t3"));
}

void TestSkinCommands::settingsLeavesTheUsersFoldersAlone() {
    // A working folder of the editor, with a skin being edited.
    const QString work = m_tmp->path() + QStringLiteral("/QuenlarkSkin");
    QVERIFY(QDir().mkpath(work));
    QVERIFY(writeFileBytes(work + QStringLiteral("/skin.ini"), "in progress"));
    const Run r = run({QStringLiteral("settings"), m_default});
    QCOMPARE(r.status, 0);
    QCOMPARE(readFileBytes(work + QStringLiteral("/skin.ini")), QByteArray("in progress"));
    // Nothing is left behind in the temporary folder, and the package is unchanged.
    QCOMPARE(QDir(m_tmp->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList{QStringLiteral("QuenlarkSkin")});
}

void TestSkinCommands::resaveWritesCreditsAndKeepsValues() {
    const QString mine =
        makePackage(QStringLiteral("mine.skn"),
                    "    Title = Mio\r\n    Aliases = al.bmp\r\n    SysMenu_Max = m.bmp\r\n"
                    "    Capt_Count = 2\r\n    Capt_Pos<1> = 0\r\n    Capt<1> = 5\r\n"
                    "    Capt_Pos<2> = 100\r\n    Capt<2> = 6\r\n[info]\r\nvecchi\r\n",
                    {{QStringLiteral("al.bmp"), "A"},
                     {QStringLiteral("m.bmp"), "M"},
                     {QStringLiteral("p_m.bmp"), "P"},
                     {QStringLiteral("stray.txt"), "not named by the skin"}});
    const Run before =
        run({QStringLiteral("settings"), mine, QStringLiteral("--default"), m_default});
    const Run r = run({QStringLiteral("resave"), mine, QStringLiteral("--default"), m_default,
                       QStringLiteral("--credits"), QStringLiteral("nuovi\ncrediti")});
    QCOMPARE(r.status, 0);
    QVERIFY2(r.errors.isEmpty(), qPrintable(r.errors));

    QList<cBinary::Voce> entries;
    cBinary binary(Locations{m_dir->path(), m_dir->path(), {}});
    QCOMPARE(binary.ElencaVoci(mine, &entries), cBinary::Esito::Completo);
    QStringList names;
    for (const auto& e : entries)
        names << e.nome;
    // The files the list names, in its order; the default's logo is not in this package.
    QCOMPARE(names, (QStringList{QStringLiteral("skin.ini"), QStringLiteral("al.bmp"),
                                 QStringLiteral("m.bmp"), QStringLiteral("p_m.bmp")}));
    QCOMPARE(binary.EstraiTitolo(mine), QStringLiteral("Mio"));

    const QString out = m_dir->path() + QStringLiteral("/out");
    QCOMPARE(binary.EstraiSkinIn(mine, out), cBinary::Esito::Completo);
    const QByteArray ini = readFileBytes(out + QStringLiteral("/skin.ini"));
    QVERIFY(ini.startsWith("[parametri]\r\n  (general)\r\n    Title = Mio\r\n"));
    QVERIFY(ini.contains("    Capt_Count = 2\r\n    Capt_Pos<1> = 0\r\n    Capt<1> = 5\r\n"));
    QVERIFY(ini.endsWith("\r\n\r\n[info]\r\nnuovi\r\ncrediti\r\n"));

    const Run after =
        run({QStringLiteral("settings"), mine, QStringLiteral("--default"), m_default});
    QCOMPARE(after.lines.mid(0, after.lines.size() - 1),
             before.lines.mid(0, before.lines.size() - 1));
    QCOMPARE(after.lines.last(), QStringLiteral("credits\tnuovi\\ncrediti"));

    // Without --credits the credits read are written back.
    QCOMPARE(run({QStringLiteral("resave"), mine}).status, 0);
    QCOMPARE(run({QStringLiteral("settings"), mine}).lines.last(),
             QStringLiteral("credits\tnuovi\\ncrediti"));
}

void TestSkinCommands::resaveOfTheBundledDefaultChangesNothing() {
    const QString copy = m_dir->path() + QStringLiteral("/copy.skn");
    QVERIFY(QFile::copy(binDir() + QStringLiteral("/skins/(default).skn"), copy));
    const QByteArray original = readFileBytes(copy);
    const Run r = run({QStringLiteral("resave"), copy});
    QCOMPARE(r.status, 0);
    QCOMPARE(readFileBytes(copy), original);
}

void TestSkinCommands::refusals_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("message");
    QTest::newRow("no package") << QStringList{QStringLiteral("settings")} << "Uso:";
    QTest::newRow("unknown option")
        << QStringList{QStringLiteral("settings"), QStringLiteral("P"), QStringLiteral("--x")}
        << "Uso:";
    QTest::newRow("credits of settings")
        << QStringList{QStringLiteral("settings"), QStringLiteral("P"), QStringLiteral("--credits"),
                       QStringLiteral("c")}
        << "Uso:";
    QTest::newRow("missing package")
        << QStringList{QStringLiteral("resave"), QStringLiteral("@/absent.skn")} << "Errore 53";
    QTest::newRow("not a package")
        << QStringList{QStringLiteral("resave"), QStringLiteral("@/junk.skn")}
        << "non è un pacchetto";
    QTest::newRow("default not a package")
        << QStringList{QStringLiteral("resave"), QStringLiteral("@/def.skn"),
                       QStringLiteral("--default"), QStringLiteral("@/junk.skn")}
        << "non è un pacchetto";
    QTest::newRow("overflow is not saved")
        << QStringList{QStringLiteral("resave"), QStringLiteral("@/over.skn")} << "Errore 6";
}

void TestSkinCommands::refusals() {
    QFETCH(QStringList, args);
    QFETCH(QString, message);
    QVERIFY(writeFileBytes(m_dir->path() + QStringLiteral("/junk.skn"), "junk"));
    makePackage(QStringLiteral("over.skn"), "    BorderStyle = 70000\r\n");
    for (QString& a : args)
        a.replace(u'@', m_dir->path());
    const QByteArray junkBefore = readFileBytes(m_dir->path() + QStringLiteral("/junk.skn"));
    const QByteArray defBefore = readFileBytes(m_default);
    const QByteArray overBefore = readFileBytes(m_dir->path() + QStringLiteral("/over.skn"));
    const Run r = run(args);
    QCOMPARE(r.status, 1);
    QVERIFY2(r.errors.contains(message), qPrintable(r.errors));
    QCOMPARE(readFileBytes(m_dir->path() + QStringLiteral("/junk.skn")), junkBefore);
    QCOMPARE(readFileBytes(m_default), defBefore);
    QCOMPARE(readFileBytes(m_dir->path() + QStringLiteral("/over.skn")), overBefore);
    QVERIFY(!QFileInfo::exists(m_dir->path() + QStringLiteral("/absent.skn")));
}

QTEST_GUILESS_MAIN(TestSkinCommands)
#include "tst_skincommands.moc"
