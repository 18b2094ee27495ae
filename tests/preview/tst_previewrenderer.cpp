#include "previewfixture.h"
#include "proplist/listpictures.h"
#include "testsupport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QProcess>
#include <QTest>

// The sample window drawn from a skin: what the map says against the pixels, the look of the
// default skin, and the command line that writes both.
class TestPreviewRenderer : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void mapMatchesPixels();
    void hostileSkinRenders();
    void defaultSkinLooksAsBefore();
    void commandLine_data();
    void commandLine();
};

// The first element of `key`, of the given look when one is named.
static const PreviewElement* find(const PreviewMap& map, const QString& key, int look = -1) {
    for (const PreviewElement& e : map)
        if (e.key == key && (look < 0 || e.look == look))
            return &e;
    return nullptr;
}

// Masks on, pictures at twice the size with masks off, and maximised with a button switched off:
// colour elements are filled with their settings' colours wherever later elements leave them
// visible, texts hold theirs, no element is hidden whole or left out, the mask colour shows
// nowhere, and the caption is as high as set and runs from the gradient's first stop to its last.
void TestPreviewRenderer::mapMatchesPixels() {
    CraftedSkin crafted;
    QSet<QString> seen;
    PreviewMap map;
    for (const auto& [size, ratio, maximised] : {std::tuple{QSize(480, 360), 1, false},
                                                 {QSize(640, 400), 2, false},
                                                 {QSize(480, 360), 1, true}}) {
        crafted.set("UseMasks", ratio == 1 && !maximised);
        if (maximised)
            crafted.set("Save", QString());
        map.clear();
        const QImage image = PreviewRenderer().renderImage(*crafted.document, size, ratio, &map, {},
                                                           {maximised, {}});
        QCOMPARE(image.size(), size * ratio);
        for (qsizetype i = 0; i < map.size(); ++i) {
            const PreviewElement& e = map[i];
            seen.insert(e.key);
            const QRegion visible = visiblePart(map, i);
            QVERIFY2(!visible.isEmpty(), qPrintable(e.key + " is hidden"));
            if (!crafted.colours.contains(e.key) || e.look > PreviewElement::Text)
                continue;
            const QRgb want = toQRgb(crafted.colours[e.key]) | 0xFF000000u;
            bool found = false;
            for (const QRect& r : e.look == PreviewElement::Solid ? visible : QRegion(e.rect))
                for (int y = r.top() * ratio; y < (r.bottom() + 1) * ratio; ++y)
                    for (int x = r.left() * ratio; x < (r.right() + 1) * ratio; ++x) {
                        found = found || image.pixel(x, y) == want;
                        QVERIFY2(
                            e.look == PreviewElement::Text || image.pixel(x, y) == want,
                            qPrintable(QStringLiteral("%1 at %2,%3").arg(e.key).arg(x).arg(y)));
                    }
            QVERIFY2(found, qPrintable(e.key + " holds no pixel of its colour"));
        }
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                QVERIFY(image.pixel(x, y) != (toQRgb(CraftedSkin::kMask) | 0xFF000000u));
        const PreviewElement* capt = find(map, "Capt");
        QVERIFY(capt);
        QCOMPARE(capt->caption, QStringLiteral("Sfumatura titolo finestra"));
        QCOMPARE(capt->rect.height(), 24);
        const int y = capt->rect.top() * ratio;
        QCOMPARE(fromQRgb(image.pixel(capt->rect.left() * ratio, y)), CraftedSkin::kFirstStop);
        QCOMPARE(fromQRgb(image.pixel((capt->rect.right() + 1) * ratio - 1, y)),
                 CraftedSkin::kLastStop);
    }
    for (const SchemaItem& it : skinSchemaItems())
        QVERIFY2(seen.contains(QString::fromUtf8(it.key)), it.key);
    QVERIFY(!find(map, "Save") && find(map, "Delete"));
}

// Numbers past every range, a picture that is no bitmap, names leading out of the working folder
// and a gradient of a thousand stops at impossible places: all drawn at any size, the broken
// picture as the list's mark, and the overlay laid over it all without touching the document.
void TestPreviewRenderer::hostileSkinRenders() {
    CraftedSkin crafted;
    for (const auto& [key, value] :
         std::initializer_list<std::pair<const char*, QVariant>>{{"BorderStyle", "1e300"},
                                                                 {"Caption_Height", "1e300"},
                                                                 {"SpostX", "1e300"},
                                                                 {"Border_Width", "1e300"},
                                                                 {"SpostY", -99999},
                                                                 {"Scroller_Transp", "-5e9"},
                                                                 {"Color", "&HFFFFFFFFFFFF"},
                                                                 {"Title", QString(5000, u'\n')},
                                                                 {"Ok", "../../../etc/passwd"},
                                                                 {"ImageName", "/dev/zero"},
                                                                 {"Capt_Count", 1000}})
        crafted.set(key, value);
    const QByteArray garbage = QByteArrayLiteral("BM\xff\xff\xff\xff garbage");
    crafted.writePicture("connect.bmp", &garbage);
    for (int i = 1; i <= 1000; ++i) {
        crafted.set(gradientkeys::positionKey("Capt", i), i % 2 ? "1e999" : "-40000");
        crafted.set(gradientkeys::colourKey("Capt", i), -i);
    }
    PreviewOverlay overlay;
    overlay.setValue("Caption_Height", "-1e308");
    overlay.setPicture("disconnect.bmp", QImage());
    for (const QSize size : {QSize(3, 2), QSize(900, 20), QSize(480, 360)}) {
        PreviewMap map;
        const QImage image =
            PreviewRenderer().renderImage(*crafted.document, size, 1, &map, overlay);
        QCOMPARE(image.size(), size);
        for (const PreviewElement& e : map)
            QVERIFY(QRect(QPoint(), size).contains(e.rect));
        if (size != QSize(480, 360))
            continue;
        const QImage mark = ListPictures::missingPicture(17).convertToFormat(QImage::Format_RGB32);
        for (const char* key : {"Connect", "Disconnect", "Ok"}) {
            const PreviewElement* e = find(map, key, PreviewElement::Picture);
            QVERIFY2(e, key);
            QCOMPARE(image.copy(e->rect), mark);
        }
    }
    QCOMPARE(crafted.document->value("Caption_Height").toString(), QStringLiteral("1e300"));
}

// The look of the bundled default skin, against the image kept beside this test. Texts are left
// out of the comparison: their rasterising depends on the host's font engine.
void TestPreviewRenderer::defaultSkinLooksAsBefore() {
    TestFolders folders;
    const QString name = folders.locations().defaultSkinName();
    QVERIFY(QFile::copy(binDir() + "/skins/(default).skn", folders.skinsDir() + name));
    SkinDocument document(nullptr);
    QVERIFY(document.open(folders.locations(), name).ok);
    PreviewMap map;
    QImage image = PreviewRenderer().renderImage(document, PreviewRenderer::kDefaultSize, 1, &map);
    const QString goldenPath = sourceDir() + "/tests/preview/data/default-skin.png";
    if (qEnvironmentVariableIsSet("TESS_UPDATE_GOLDEN"))
        QVERIFY(image.save(goldenPath));
    QImage golden = QImage(goldenPath).convertToFormat(QImage::Format_RGB32);
    image.setDevicePixelRatio(1);
    for (const PreviewElement& e : map)
        for (QImage* img : {&image, &golden})
            if (e.look == PreviewElement::Text)
                QPainter(img).fillRect(e.rect, Qt::black);
    QVERIFY(image == golden);
}

void TestPreviewRenderer::commandLine_data() {
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QSize>("pixels"); // empty: refused
    QTest::newRow("scaled, with the map")
        << QStringList{"--size", "300x200", "--scale", "2", "--map", "MAP"} << QSize(600, 400);
    QTest::newRow("defaults") << QStringList{} << QSize(480, 360);
    for (const QStringList& refused :
         {QStringList{"--size", "300"}, {"--scale", "0"}, {"--colour"}, {"NOTSKIN"}})
        QTest::newRow(qPrintable(refused.join(u' '))) << refused << QSize();
}

// Run as a script runs it, with no display and no platform named.
void TestPreviewRenderer::commandLine() {
    QFETCH(QStringList, options);
    QFETCH(QSize, pixels);
    QTemporaryDir out;
    const QString png = out.filePath("out.png");
    const QString mapPath = out.filePath("map.json");
    const QString notSkin = out.filePath("skin.skn");
    QVERIFY(writeFileBytes(notSkin, "[parametri]\r\n"));
    const QString package =
        options.removeAll("NOTSKIN") ? notSkin : binDir() + "/skins/(default).skn";
    options.replaceInStrings(QRegularExpression("^MAP$"), mapPath);
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("DISPLAY");
    env.remove("QT_QPA_PLATFORM");
    env.insert("TMPDIR", out.path());
    process.setProcessEnvironment(env);
    process.start(binDir() + "/tessellary-skn", QStringList{"preview", package, png} + options);
    QVERIFY(process.waitForFinished(60000));
    QCOMPARE(process.exitCode(), pixels.isEmpty() ? 1 : 0);
    if (pixels.isEmpty()) {
        QVERIFY2(!process.readAllStandardError().trimmed().isEmpty(), "a refusal says why");
        QVERIFY(!QFile::exists(png));
        return;
    }
    QCOMPARE(QImage(png).size(), pixels);
    if (!options.contains("--map"))
        return;
    QHash<QString, QString> captions;
    for (const SchemaItem& it : skinSchemaItems())
        captions.insert(QString::fromUtf8(it.key), QString::fromUtf8(it.caption));
    const QJsonArray map = QJsonDocument::fromJson(readFileBytes(mapPath)).array();
    QVERIFY(map.size() > 62);
    for (const QJsonValue& v : map) {
        const QJsonObject o = v.toObject();
        QCOMPARE(o["caption"].toString(), captions.value(o["key"].toString(), "?"));
        const QJsonArray r = o["rect"].toArray();
        QVERIFY(QRect(QPoint(), pixels)
                    .contains(QRect(r[0].toInt(), r[1].toInt(), r[2].toInt(), r[3].toInt())));
    }
}

QTEST_MAIN(TestPreviewRenderer)
#include "tst_previewrenderer.moc"
