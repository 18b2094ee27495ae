#include "common/colour.h"
#include "common/numbers.h"
#include "proplist/proplistmodel.h"
#include "skin/skinschema.h"
#include "testsupport.h"

#include <QBuffer>
#include <QTest>

// Writing skin.ini: the exact bytes, the gradient lines, what a failed write leaves behind, and
// that whatever the list writes reads back as the same values.
class TestPropListSalva : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();

    void smallSkinByteForByte();
    void gradientLines_data();
    void gradientLines();
    void lineBreaksInAValueStayOnOneLine();

    void salvaWritesAndClearsModified();
    void failedSalvaKeepsModifiedAndTheOldFile_data();
    void failedSalvaKeepsModifiedAndTheOldFile();
    void writeAllStopsAtAShortWrite();

    void everySchemaItemSurvivesWriteAndRead();

private:
    std::unique_ptr<TestFolders> m_folders;
    QString m_skinDir;
    SkinRef m_skin;
};

namespace {

// Accepts `room` bytes, then refuses like a full disk.
class FullDevice : public QIODevice {
public:
    explicit FullDevice(qint64 room) : m_room(room) { open(QIODevice::WriteOnly); }
    QByteArray written;

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 len) override {
        const qint64 n = qMin(len, m_room - qint64(written.size()));
        if (n <= 0)
            return -1;
        written.append(data, n);
        return n;
    }

private:
    qint64 m_room;
};

} // namespace

void TestPropListSalva::init() {
    m_folders = std::make_unique<TestFolders>();
    QVERIFY(m_folders->isValid());
    m_skinDir = m_folders->workDir() + u'/';
    QVERIFY(QDir().mkpath(m_skinDir));
    m_skin = std::make_shared<cSkin>(m_folders->locations());
    m_skin->setSkinPath(m_skinDir);
}

void TestPropListSalva::smallSkinByteForByte() {
    PropListModel m;
    m.LoadingItems();
    m.AddCat(QStringLiteral("(general)"), QStringLiteral("Generali"));
    m.AddItem(QStringLiteral("(general)"), QStringLiteral("T"), QStringLiteral("Title"),
              KindString);
    m.AddItem(QStringLiteral("(general)"), QStringLiteral("I"), QStringLiteral("ImageName"),
              KindFile);
    m.AddCat(QStringLiteral("(image)"), QStringLiteral("Immagini"));
    m.AddItem(QStringLiteral("(image)"), QStringLiteral("M"), QStringLiteral("max.bmp"), KindImage);
    m.AddItem(QStringLiteral("(image)"), QStringLiteral("A"), QStringLiteral("Add"), KindImage,
              true);
    m.AddCat(QStringLiteral("(mask)"), QStringLiteral("Maschere"));
    m.AddItem(QStringLiteral("(mask)"), QStringLiteral("U"), QStringLiteral("UseMasks"), KindBool,
              true);
    m.AddItem(QStringLiteral("(mask)"), QStringLiteral("S"), QStringLiteral("SysMenu_Max"),
              KindMask);
    m.AddCat(QStringLiteral("(button)"), QStringLiteral("Pulsanti"));
    m.AddItem(QStringLiteral("(button)"), QStringLiteral("X"), QStringLiteral("SpostX"),
              KindNumber);
    m.AddItem(QStringLiteral("(button)"), QStringLiteral("B"), QStringLiteral("Button_Up"),
              KindColor, true);
    m.AddCat(QStringLiteral("(window)"), QStringLiteral("Finestra"));
    m.AddItem(QStringLiteral("(window)"), QStringLiteral("C"), QStringLiteral("Capt"), KindGradient,
              true);
    m.AddItem(QStringLiteral("(window)"), QStringLiteral("G"), QStringLiteral("Caption_Bold"),
              KindBool, true);

    m_skin->AddInfo(QStringLiteral("Title"), QStringLiteral("Città"));
    m_skin->AddInfo(QStringLiteral("ImageName"), QStringLiteral("logo.bmp"));
    m_skin->AddInfo(QStringLiteral("UseMasks"), QStringLiteral("1"));
    m_skin->AddInfo(QStringLiteral("SysMenu_Max"), QStringLiteral("m.bmp"));
    m_skin->AddInfo(QStringLiteral("SpostX"), QStringLiteral("3"));
    m_skin->AddInfo(QStringLiteral("Button_Up"), QStringLiteral("-1"));
    m_skin->AddInfo(QStringLiteral("Capt_Count"), QStringLiteral("2"));
    m_skin->AddInfo(QStringLiteral("Capt_Pos<1>"), QStringLiteral("0"));
    m_skin->AddInfo(QStringLiteral("Capt<1>"), QStringLiteral("255"));
    // Numbers stored by the gradient dialog are written in print form.
    m_skin->AddInfo(QStringLiteral("Capt_Pos<2>"), 100);
    m_skin->AddInfo(QStringLiteral("Capt<2>"), -5);
    QVERIFY(m.Ready(m_skin));

    bool ok = false;
    QCOMPARE(m.Salva(&ok), m_skinDir + QStringLiteral("skin.ini"));
    QVERIFY(ok);
    const QByteArray expected = "[parametri]\r\n"
                                "  (general)\r\n"
                                "    Title = Citt\xE0\r\n"
                                "    ImageName = logo.bmp\r\n"
                                "\r\n"
                                "  (image)\r\n"
                                "    Add = \r\n"
                                "\r\n"
                                "  (mask)\r\n"
                                "    UseMasks = -1\r\n"
                                "    SysMenu_Max = m.bmp\r\n"
                                "\r\n"
                                "  (button)\r\n"
                                "    SpostX = 3\r\n"
                                "    Button_Up = -1\r\n"
                                "\r\n"
                                "  (window)\r\n"
                                "    Capt_Count = 2\r\n"
                                "    Capt_Pos<1> = 0\r\n"
                                "    Capt<1> = 255\r\n"
                                "    Capt_Pos<2> =  100 \r\n"
                                "    Capt<2> = -5 \r\n"
                                "    Caption_Bold = 0\r\n"
                                "\r\n";
    QCOMPARE(readFileBytes(m_skinDir + QStringLiteral("skin.ini")), expected);
}

void TestPropListSalva::gradientLines_data() {
    QTest::addColumn<QString>("count");      // the document's Capt_Count, "" for none
    QTest::addColumn<bool>("switchOff");     // switched off in the list before saving
    QTest::addColumn<QByteArray>("written"); // the lines of Capt
    QTest::newRow("switched off writes only the count")
        << "3" << true << QByteArray("    Capt_Count = 0\r\n");
    QTest::newRow("more stops counted than held")
        << "2" << false
        << QByteArray("    Capt_Count = 2\r\n    Capt_Pos<1> = 10\r\n    Capt<1> = 7\r\n"
                      "    Capt_Pos<2> = \r\n    Capt<2> = \r\n");
    QTest::newRow("a hostile count is capped")
        << "2000000000" << false << QByteArray("    Capt_Count = 32767\r\n");
}

void TestPropListSalva::gradientLines() {
    QFETCH(QString, count);
    QFETCH(bool, switchOff);
    QFETCH(QByteArray, written);
    m_skin->AddInfo(QStringLiteral("Capt_Count"), count);
    m_skin->AddInfo(QStringLiteral("Capt_Pos<1>"), QStringLiteral("10"));
    m_skin->AddInfo(QStringLiteral("Capt<1>"), QStringLiteral("7"));
    PropListModel m;
    loadSkinSchema(m, m_skin);
    int c = 0, i = 0;
    QVERIFY(m.findItem(QStringLiteral("Capt"), &c, &i));
    if (switchOff)
        QVERIFY(m.toggleItem(c, i, QImage()));
    const QByteArray text = m.parametersText();
    const qsizetype at = text.indexOf("    Capt_Count");
    QVERIFY(at > 0);
    QVERIFY2(text.mid(at, written.size()) == written, text.mid(at, 200).constData());
    if (count.size() > 5) {
        QCOMPARE(text.count("Capt_Pos<"), 32767);
    }
    // The old stops stay in the document after switching off.
    QCOMPARE(m_skin->RetrInfo(QStringLiteral("Capt_Pos<1>")), QVariant(QStringLiteral("10")));
}

void TestPropListSalva::lineBreaksInAValueStayOnOneLine() {
    PropListModel m;
    loadSkinSchema(m, m_skin);
    QVERIFY(m.SetData(QStringLiteral("Title"), QStringLiteral("uno\r\nUseMasks = 0\ndue")));
    const QByteArray text = m.parametersText();
    QVERIFY(text.contains("    Title = uno  UseMasks = 0 due\r\n"));
    QCOMPARE(text.count("UseMasks = "), 2); // the title's and the item's own line
}

void TestPropListSalva::salvaWritesAndClearsModified() {
    PropListModel m;
    loadSkinSchema(m, m_skin);
    QVERIFY(writeFileBytes(m_skinDir + QStringLiteral("skin.ini"), "old contents"));
    QVERIFY(m.SetData(QStringLiteral("Title"), QStringLiteral("Nuovo")));
    ErrorRecorder errors;
    bool ok = false;
    m.Salva(&ok);
    QVERIFY(ok);
    QVERIFY(errors.isEmpty());
    QVERIFY(!m.Modified());
    QCOMPARE(readFileBytes(m_skinDir + QStringLiteral("skin.ini")), m.parametersText());
    // Nothing but skin.ini is left in the folder (no temporary file).
    QCOMPARE(QDir(m_skinDir).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("skin.ini")});
}

void TestPropListSalva::failedSalvaKeepsModifiedAndTheOldFile_data() {
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("errorStart");
    QTest::newRow("missing folder") << "missing"
                                    << "Errore 76: ";
    QTest::newRow("read-only file") << "readonly"
                                    << "Errore 70: ";
    QTest::newRow("skin.ini is a folder") << "folder"
                                          << "Errore ";
    QTest::newRow("no working folder") << "none"
                                       << "Errore 76: ";
}

void TestPropListSalva::failedSalvaKeepsModifiedAndTheOldFile() {
    QFETCH(QString, how);
    QFETCH(QString, errorStart);
    PropListModel m;
    loadSkinSchema(m, m_skin);
    const QString file = m_skinDir + QStringLiteral("skin.ini");
    if (how == QLatin1String("missing")) {
        m_skin->setSkinPath(m_skinDir + QStringLiteral("gone/"));
    } else if (how == QLatin1String("readonly")) {
        QVERIFY(writeFileBytes(file, "old"));
        QVERIFY(QFile::setPermissions(file, QFile::ReadOwner | QFile::ReadUser));
    } else if (how == QLatin1String("folder")) {
        QVERIFY(QDir().mkpath(file));
    } else {
        m_skin->setSkinPath(QString());
    }
    QVERIFY(m.SetData(QStringLiteral("Title"), QStringLiteral("Nuovo")));

    ErrorRecorder errors;
    bool ok = true;
    m.Salva(&ok);
    QVERIFY(!ok);
    QVERIFY(m.Modified());
    QCOMPARE(errors.entries.size(), 1);
    QVERIFY2(errors.entries.first().text.startsWith(errorStart),
             qPrintable(errors.entries.first().text));
    if (how == QLatin1String("readonly")) {
        QCOMPARE(readFileBytes(file), QByteArray("old"));
        QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
    }
    QVERIFY(!QFileInfo::exists(QStringLiteral("skin.ini"))); // never beside the program
    // No temporary file is left behind.
    const QStringList left = QDir(m_skinDir).entryList(QDir::Files | QDir::Hidden);
    QVERIFY2(left.isEmpty() || left == QStringList{QStringLiteral("skin.ini")},
             qPrintable(left.join(u',')));
}

void TestPropListSalva::writeAllStopsAtAShortWrite() {
    const QByteArray bytes(10000, 'x');
    FullDevice roomy(20000);
    QVERIFY(PropListModel::writeAll(&roomy, bytes));
    QCOMPARE(roomy.written, bytes);
    FullDevice full(4096);
    QVERIFY(!PropListModel::writeAll(&full, bytes));
    FullDevice none(0);
    QVERIFY(!PropListModel::writeAll(&none, QByteArray("a")));
    QVERIFY(PropListModel::writeAll(&none, QByteArray()));
}

void TestPropListSalva::everySchemaItemSurvivesWriteAndRead() {
    PropListModel m;
    loadSkinSchema(m, m_skin);
    // A distinct value for every item, from the values each kind can hold.
    int n = 0;
    for (const SchemaItem& si : skinSchemaItems()) {
        const QString key = QString::fromUtf8(si.key);
        ++n;
        QVariant v;
        switch (si.kind) {
        case KindColor:
            v = makeColour(n, 2 * n, 255 - n);
            break;
        case KindNumber:
            v = n * 97 - 3000;
            break;
        case KindBool:
            v = n % 2 == 0;
            break;
        case KindString:
            v = QStringLiteral("Città = d'arte €");
            break;
        case KindGradient:
            v = 0;
            m_skin->AddInfo(key + QStringLiteral("_Count"), 3);
            for (int s = 1; s <= 3; ++s) {
                m_skin->AddInfo(key + QStringLiteral("_Pos<%1>").arg(s), (s - 1) * 50);
                m_skin->AddInfo(key + QStringLiteral("<%1>").arg(s), s * 1000);
            }
            break;
        default:
            v = key.endsWith(QLatin1String(".bmp")) ? key : QStringLiteral("f%1.bmp").arg(n);
            break;
        }
        QVERIFY(m.SetData(key, v));
    }
    // Two optional items switched off by value.
    QVERIFY(m.SetData(QStringLiteral("Menu_Back"), -1));
    QVERIFY(m.SetData(QStringLiteral("Save"), QString()));
    bool ok = false;
    const QString path = m.Salva(&ok);
    QVERIFY(ok);

    auto reread = std::make_shared<cSkin>(m_folders->locations());
    reread->setSkinPath(m_skinDir);
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    reread->LeggiParametri(&f);
    PropListModel back;
    loadSkinSchema(back, reread);
    for (int c = 1; c <= m.categoryCount(); ++c) {
        for (int i = 1; i <= m.itemCount(c); ++i) {
            const tItem& want = m.item(c, i);
            const tItem& got = back.item(c, i);
            QCOMPARE(got.ItemKey, want.ItemKey);
            QCOMPARE(got.ItemValue.toString(), want.ItemValue.toString());
            const bool switchedOff =
                want.ItemKey == QLatin1String("Menu_Back") || want.ItemKey == QLatin1String("Save");
            QVERIFY2(got.IsSet == !switchedOff, qPrintable(want.ItemKey));
        }
    }
    for (int s = 1; s <= 3; ++s) {
        QCOMPARE(readNumber(reread->RetrInfo(QStringLiteral("Capt_Pos<%1>").arg(s))),
                 double((s - 1) * 50));
        QCOMPARE(readNumber(reread->RetrInfo(QStringLiteral("Capt<%1>").arg(s))), s * 1000.0);
    }
    QCOMPARE(reread->RetrInfo(QStringLiteral("Credits")), QVariant(QString()));
}

QTEST_GUILESS_MAIN(TestPropListSalva)
#include "tst_proplistmodel_salva.moc"
