#include "cleanskin.h"
#include "packagebytes.h"
#include "testsupport.h"
#include "validate/skinvalidator.h"

#include <QTest>

// Every rule on a skin opened over a clean default skin, each row changing the skin's own
// skin.ini (its lines override the default's) and files.
class TestSkinValidator : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void rules_data();
    void rules();
};

void TestSkinValidator::rules_data() {
    QTest::addColumn<QByteArray>("lines");
    // "-name" leaves a file out, "name:WxH" puts in a picture, "name:junk" a file of no picture.
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QStringList>("expected"); // "code key"
    QTest::addColumn<QString>("inMessage");
    const auto row = [](const char* name, const QByteArray& lines, const QStringList& files,
                        const QStringList& expected, const QString& inMessage = {}) {
        QTest::newRow(name) << lines << files << expected << inMessage;
    };
    row("clean", {}, {}, {});
    row("pictures left to the default, a pressed mask nowhere", "SysMenu_Min = own.bmp",
        {"-connect.bmp", "-p_sysmenu_max.bmp", "-max.bmp", "own.bmp:17x17", "-sysmenu_min.bmp",
         "-p_sysmenu_min.bmp"},
        {"missing-pressed-mask SysMenu_Max", "missing-picture SysMenu_Min"}, "«p_own.bmp»");
    row("picture nowhere", "Connect = nowhere.bmp", {},
        {"missing-picture Connect", "unused-file connect.bmp"}, "«nowhere.bmp»");
    row("masks off need no pressed twin", "UseMasks = 0\r\nSysMenu_Max = own.bmp",
        {"own.bmp:17x17", "-sysmenu_max.bmp", "-p_sysmenu_max.bmp"}, {});
    row("not a bitmap, sizes, a file nothing names", {},
        {"connect.bmp:junk", "readme.txt:junk", "ok.bmp:20x17", "p_sysmenu_min.bmp:16x16",
         "logo.bmp:40x30"},
        {"unreadable-picture Connect", "unused-file readme.txt", "picture-size Ok",
         "picture-size SysMenu_Min"},
        "20 × 17");
    row("switched off",
        "Add = \r\nBorder_Width = -1\r\nCaption_Height = -1\r\nMenu_Text = -1\r\n"
        "Menu_Back = 0\r\nCapt_Count = 0\r\nCapt<2> = 0",
        {}, {"unused-file add.bmp"});
    row("not 16-bit whole numbers",
        "SpostX = abc\r\nSpostY = 2.5\r\nBorderStyle = 32768\r\nBorder_Width = -32769", {},
        {"invalid-number SpostX", "invalid-number SpostY", "invalid-number BorderStyle",
         "invalid-number Border_Width"},
        "«abc»");
    row("beyond what they mean",
        "Caption_Height = 65\r\nBorder_Width = 9\r\nScroller_Transp = 101\r\n"
        "BorderStyle = 6\r\nSpostX = -9\r\nSpostY = 8",
        {},
        {"number-range Caption_Height", "number-range Border_Width", "number-range Scroller_Transp",
         "number-range BorderStyle", "number-range SpostX"},
        "da 1 a 64");
    row("one stop", "Capt_Count = 1", {}, {"gradient-stops Capt"}, "una sola tappa");
    row("stop missing, positions outside and out of order",
        "Capt_Count = 3\r\nCapt_Pos<1> = 60\r\nCapt_Pos<2> = -5", {},
        {"gradient-stops Capt", "gradient-positions Capt", "gradient-positions Capt"},
        "non ha la tappa 3");
    // Grey 0x949494 on white just passes (3.03:1), 0x969696 just fails (2.95:1).
    row("contrast",
        "Label_Text = 9737364\r\nListView_Text = 9868950\r\nMenu_Text_Sel = 16777215\r\n"
        "Capt<2> = 0",
        {},
        {"low-contrast ListView_Text", "low-contrast ListView_Text", "low-contrast Menu_Text_Sel",
         "low-contrast Capt_Text"},
        "2,95:1");
    row("unknown keys", "Conect = x.bmp\r\nCapt_Pos<9> = 3\r\nSCROLLER_UP = scroller_up.bmp", {},
        {"unknown-key Conect"}, "forse «Connect»");
    row("empty title", "Title =  ", {}, {"empty-title Title"});
    row("title too long", "Title = " + QByteArray(256, 't'), {}, {"title-too-long Title"}, "256");
}

void TestSkinValidator::rules() {
    QFETCH(QByteArray, lines);
    QFETCH(QStringList, files);
    QFETCH(QStringList, expected);
    QFETCH(QString, inMessage);
    TestFolders folders;
    QVERIFY(writeFileBytes(folders.skinsDir() + QStringLiteral("(default).skn"),
                           packagebytes::skin("Predefinito", cleanskin::files())));
    cleanskin::Files own = cleanskin::files();
    own[0].second = "[parametri]\r\n" + lines + "\r\n";
    for (const QString& change : files) {
        const QByteArray name = change.section(u':', 0, 0).remove(u'-').toUtf8();
        own.removeIf([&](const auto& file) { return file.first == name; });
        const QString what = change.section(u':', 1);
        if (what == QLatin1String("junk"))
            own.append({name, "not a picture"});
        else if (!what.isEmpty())
            own.append({name, cleanskin::picture(what.section(u'x', 0, 0).toInt(),
                                                 what.section(u'x', 1).toInt())});
    }
    QVERIFY(writeFileBytes(folders.skinsDir() + QStringLiteral("prova.skn"),
                           packagebytes::skin("Prova", own)));

    SkinDocument document(nullptr);
    QVERIFY(document.open(folders.locations(), QStringLiteral("prova.skn")).ok);
    QStringList found;
    QString messages;
    for (const SkinProblem& problem : validateSkin(document)) {
        found << problem.code + u' ' + problem.key;
        messages += problem.message + u'\n';
    }
    found.sort();
    expected.sort();
    QCOMPARE(found, expected);
    QVERIFY2(messages.contains(inMessage), qPrintable(messages));
}

QTEST_GUILESS_MAIN(TestSkinValidator)
#include "tst_skinvalidator.moc"
