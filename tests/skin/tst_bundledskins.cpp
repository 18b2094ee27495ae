#include "common/colour.h"
#include "common/cp1252.h"
#include "common/numbers.h"
#include "proplist/proplistmodel.h"
#include "skin/skinschema.h"
#include "storage/cbinary.h"
#include "testsupport.h"

#include <QCryptographicHash>
#include <QTest>

// The skins the build places beside the programs: complete, loadable without a complaint, with
// a 17 x 17 bitmap for every picture they name, and saved back unchanged.
class TestBundledSkins : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void everyKeyIsSet_data();
    void everyKeyIsSet();
    void picturesAre17x17BitmapsWithTransparency_data();
    void picturesAre17x17BitmapsWithTransparency();
    void packageHoldsExactlyTheListedFiles_data();
    void packageHoldsExactlyTheListedFiles();
    void savingUnchangedGivesTheSameSkinIni_data();
    void savingUnchangedGivesTheSameSkinIni();
    void defaultCaptionHasAtLeastThreeStops();
    void templateIsAPlainerSkinOfItsOwn();

private:
    // Opens a bundled skin as the editor does: the default package, then the chosen one.
    void open(const QString& which);

    std::unique_ptr<TestFolders> m_folders;
    SkinRef m_skin;
    std::unique_ptr<PropListModel> m_list;
    QString m_packagePath;
};

void TestBundledSkins::init() {
    m_folders = std::make_unique<TestFolders>();
    QVERIFY(m_folders->isValid());
    const QString defaultSkin = binDir() + QStringLiteral("/skins/(default).skn");
    const QString templateSkin = binDir() + QStringLiteral("/modello.dat");
    QVERIFY2(QFileInfo::exists(defaultSkin), qPrintable(defaultSkin));
    QVERIFY2(QFileInfo::exists(templateSkin), qPrintable(templateSkin));
    QVERIFY(QFile::copy(defaultSkin, m_folders->skinsDir() + QStringLiteral("(default).skn")));
    // A new skin starts as a copy of the template under the user's name.
    QVERIFY(QFile::copy(templateSkin, m_folders->skinsDir() + QStringLiteral("nuovo.skn")));
}

void TestBundledSkins::open(const QString& which) {
    const QString name = which == QLatin1String("default") ? QStringLiteral("(default).skn")
                                                           : QStringLiteral("nuovo.skn");
    m_packagePath = m_folders->skinsDir() + name;
    ErrorRecorder errors;
    m_skin = std::make_shared<cSkin>(m_folders->locations());
    m_skin->CaricaSkin(name);
    m_list = std::make_unique<PropListModel>();
    loadSkinSchema(*m_list, m_skin);
    QVERIFY2(errors.isEmpty(), qPrintable(errors.texts().join(u'\n')));
}

static void addSkinRows() {
    QTest::addColumn<QString>("which");
    QTest::newRow("default") << QStringLiteral("default");
    QTest::newRow("template") << QStringLiteral("template");
}

void TestBundledSkins::everyKeyIsSet_data() {
    addSkinRows();
}

void TestBundledSkins::everyKeyIsSet() {
    QFETCH(QString, which);
    if (which == QLatin1String("default")) {
        open(which);
    } else {
        // The template alone, as the skin a user starts from, without the default beneath it.
        QVERIFY(QFile::remove(m_folders->skinsDir() + QStringLiteral("(default).skn")));
        QVERIFY(QFile::rename(m_folders->skinsDir() + QStringLiteral("nuovo.skn"),
                              m_folders->skinsDir() + QStringLiteral("(default).skn")));
        open(QStringLiteral("default"));
    }
    for (const SchemaItem& si : skinSchemaItems()) {
        const QString key = QString::fromUtf8(si.key);
        if (key.endsWith(QLatin1String(".bmp"))) {
            QVERIFY2(QFileInfo(m_skin->SkinPath() + key).isFile(), qPrintable(key));
        } else if (si.kind == KindGradient) {
            const int n = int(readNumber(m_skin->RetrInfo(key + QStringLiteral("_Count"))));
            QVERIFY(n >= 2);
            for (int i = 1; i <= n; ++i) {
                QVERIFY(!m_skin->RetrInfo(key + QStringLiteral("_Pos<%1>").arg(i))
                             .toString()
                             .isEmpty());
                QVERIFY(
                    !m_skin->RetrInfo(key + QStringLiteral("<%1>").arg(i)).toString().isEmpty());
            }
        } else {
            QVERIFY2(!m_skin->RetrInfo(key).toString().isEmpty(), qPrintable(key));
        }
        int c = 0, i = 0;
        QVERIFY(m_list->findItem(key, &c, &i));
        QVERIFY2(m_list->item(c, i).IsSet, qPrintable(key));
    }
    QVERIFY(!m_skin->RetrInfo(QStringLiteral("Credits")).toString().isEmpty());
    QVERIFY(!m_list->RetrData(QStringLiteral("Title")).toString().isEmpty());
}

void TestBundledSkins::picturesAre17x17BitmapsWithTransparency_data() {
    addSkinRows();
}

void TestBundledSkins::picturesAre17x17BitmapsWithTransparency() {
    QFETCH(QString, which);
    open(which);
    const QRgb mask =
        toQRgb(toInt32Clamped(readNumber(m_skin->RetrInfo(QStringLiteral("MaskColor")))));
    QSet<QByteArray> seen;
    const QStringList files = m_list->GetFilesList();
    for (const QString& name : files) {
        if (name == QLatin1String("skin.ini"))
            continue;
        const QByteArray bytes = readFileBytes(m_skin->SkinPath() + name);
        QVERIFY2(bytes.startsWith("BM"), qPrintable(name));
        const auto le16 = [&](int at) {
            return quint8(bytes[at]) | quint8(bytes[at + 1]) << 8;
        };
        QCOMPARE(le16(28), 24); // 24-bit
        QCOMPARE(le16(30), 0);  // uncompressed
        QImage image;
        QVERIFY(image.loadFromData(bytes, "BMP"));
        QCOMPARE(image.size(), QSize(17, 17));

        int transparent = 0;
        QSet<QRgb> colours;
        for (int y = 0; y < 17; ++y) {
            for (int x = 0; x < 17; ++x) {
                const QRgb p = image.pixel(x, y) | 0xFF000000;
                transparent += p == (mask | 0xFF000000) ? 1 : 0;
                colours.insert(p);
            }
        }
        // Something is drawn, cut out with the mask colour: at least the corners of a whole
        // button, the background of a glyph.
        QVERIFY2(colours.size() >= 2, qPrintable(name));
        QVERIFY2(transparent >= 4 && transparent < 17 * 17 - 8, qPrintable(name));
        // No picture is a copy of another one.
        const QByteArray hash = QCryptographicHash::hash(bytes, QCryptographicHash::Sha1);
        QVERIFY2(!seen.contains(hash), qPrintable(name));
        seen.insert(hash);
    }
    // Every mask comes with its pressed variant.
    for (const SchemaItem& si : skinSchemaItems()) {
        if (si.kind != KindMask)
            continue;
        const QString base = m_list->RetrData(QString::fromUtf8(si.key)).toString();
        QVERIFY(files.contains(base));
        QVERIFY(files.contains(QStringLiteral("p_") + base));
    }
}

void TestBundledSkins::packageHoldsExactlyTheListedFiles_data() {
    addSkinRows();
}

void TestBundledSkins::packageHoldsExactlyTheListedFiles() {
    QFETCH(QString, which);
    open(which);
    QList<cBinary::Voce> entries;
    cBinary binary(m_folders->locations());
    QCOMPARE(binary.ElencaVoci(m_packagePath, &entries), cBinary::Esito::Completo);
    QStringList names;
    for (const cBinary::Voce& v : entries)
        names << v.nome;
    QCOMPARE(names, m_list->GetFilesList());
}

void TestBundledSkins::savingUnchangedGivesTheSameSkinIni_data() {
    addSkinRows();
}

void TestBundledSkins::savingUnchangedGivesTheSameSkinIni() {
    QFETCH(QString, which);
    open(which);
    const QByteArray original = readFileBytes(m_skin->SkinPath() + QStringLiteral("skin.ini"));
    bool ok = false;
    m_list->Salva(&ok);
    QVERIFY(ok);
    const QByteArray saved = m_list->parametersText() + "[info]\r\n" +
                             encodeCp1252(m_skin->RetrInfo(QStringLiteral("Credits")).toString()) +
                             "\r\n";
    QCOMPARE(saved, original);
}

void TestBundledSkins::defaultCaptionHasAtLeastThreeStops() {
    open(QStringLiteral("default"));
    const int n = int(readNumber(m_skin->RetrInfo(QStringLiteral("Capt_Count"))));
    QVERIFY(n >= 3);
    QSet<int> colours;
    double last = -1;
    for (int i = 1; i <= n; ++i) {
        const double pos = readNumber(m_skin->RetrInfo(QStringLiteral("Capt_Pos<%1>").arg(i)));
        QVERIFY(pos > last && pos <= 100);
        last = pos;
        colours.insert(int(readNumber(m_skin->RetrInfo(QStringLiteral("Capt<%1>").arg(i)))));
    }
    QCOMPARE(colours.size(), n);
}

void TestBundledSkins::templateIsAPlainerSkinOfItsOwn() {
    open(QStringLiteral("template"));
    const QString title = m_list->RetrData(QStringLiteral("Title")).toString();
    const QVariant upTemplate = m_list->RetrData(QStringLiteral("Button_Up"));
    open(QStringLiteral("default"));
    QVERIFY(title != m_list->RetrData(QStringLiteral("Title")).toString());
    QVERIFY(upTemplate != m_list->RetrData(QStringLiteral("Button_Up")));
}

QTEST_GUILESS_MAIN(TestBundledSkins)
#include "tst_bundledskins.moc"
