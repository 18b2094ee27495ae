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
    void mapMatchesPixels_data();
    void mapMatchesPixels();
    void everySettingHasAnElement();
    void captionEndsAndHeight();
    void switchedOffOptionalButtonIsAbsent();
    void hostileSkinRenders_data();
    void hostileSkinRenders();
    void defaultSkinLooksAsBefore();
    void commandLine_data();
    void commandLine();
};

void TestPreviewRenderer::mapMatchesPixels_data() {
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("ratio");
    QTest::addColumn<bool>("masks");
    QTest::newRow("480x360, masks") << QSize(480, 360) << 1 << true;
    QTest::newRow("640x400 x2, pictures") << QSize(640, 400) << 2 << false;
}

// Each colour element is filled with its setting's colour wherever later elements leave it
// visible, each text holds its colour, no element is hidden whole, and the mask colour shows
// nowhere: every picture leaves it out.
void TestPreviewRenderer::mapMatchesPixels() {
    QFETCH(QSize, size);
    QFETCH(int, ratio);
    QFETCH(bool, masks);
    CraftedSkin crafted;
    crafted.set("UseMasks", masks);
    PreviewRenderer renderer;
    PreviewMap map;
    const QImage image = renderer.renderImage(*crafted.document, size, ratio, &map);
    QCOMPARE(image.size(), size * ratio);
    for (qsizetype i = 0; i < map.size(); ++i) {
        const PreviewElement& e = map[i];
        const QRegion visible = visiblePart(map, i);
        QVERIFY2(!visible.isEmpty(), qPrintable(e.key + " is hidden"));
        if (!crafted.colours.contains(e.key))
            continue;
        const QRgb want = toQRgb(crafted.colours[e.key]) | 0xFF000000u;
        if (e.look == PreviewElement::Solid) {
            for (const QRect& r : visible)
                for (int y = r.top() * ratio; y <= r.bottom() * ratio + ratio - 1; ++y)
                    for (int x = r.left() * ratio; x <= r.right() * ratio + ratio - 1; ++x)
                        QVERIFY2(
                            image.pixel(x, y) == want,
                            qPrintable(QStringLiteral("%1 at %2,%3").arg(e.key).arg(x).arg(y)));
        } else if (e.look == PreviewElement::Text) {
            const QRect r(e.rect.topLeft() * ratio, e.rect.size() * ratio);
            bool found = false;
            for (int y = r.top(); y <= r.bottom() && !found; ++y)
                for (int x = r.left(); x <= r.right() && !found; ++x)
                    found = image.pixel(x, y) == want;
            QVERIFY2(found, qPrintable(e.key + " holds no text of its colour"));
        }
    }
    const QRgb mask = toQRgb(CraftedSkin::kMask) | 0xFF000000u;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            QVERIFY(image.pixel(x, y) != mask);
}

// Masks on, then masks off with the window as it opens and maximised: every one of the 62
// settings shows in at least one of them.
void TestPreviewRenderer::everySettingHasAnElement() {
    CraftedSkin crafted;
    PreviewRenderer renderer;
    QSet<QString> seen;
    for (const int pass : {0, 1, 2}) {
        crafted.set("UseMasks", pass == 0);
        PreviewMap map;
        PreviewState state;
        state.maximised = pass == 2;
        renderer.renderImage(*crafted.document, PreviewRenderer::kDefaultSize, 1, &map, {}, state);
        for (const PreviewElement& e : map)
            seen.insert(e.key);
    }
    for (const SchemaItem& it : skinSchemaItems())
        QVERIFY2(seen.contains(QString::fromUtf8(it.key)), it.key);
}

void TestPreviewRenderer::captionEndsAndHeight() {
    CraftedSkin crafted;
    PreviewRenderer renderer;
    PreviewMap map;
    const QImage image = renderer.renderImage(*crafted.document, {480, 360}, 1, &map);
    const auto capt = std::find_if(map.cbegin(), map.cend(),
                                   [](const PreviewElement& e) { return e.key == "Capt"; });
    QVERIFY(capt != map.cend());
    QCOMPARE(capt->caption, QStringLiteral("Sfumatura titolo finestra"));
    QCOMPARE(capt->rect.height(), 24);
    const int y = capt->rect.top();
    QCOMPARE(fromQRgb(image.pixel(capt->rect.left(), y)), CraftedSkin::kFirstStop);
    QCOMPARE(fromQRgb(image.pixel(capt->rect.right(), y)), CraftedSkin::kLastStop);
}

void TestPreviewRenderer::switchedOffOptionalButtonIsAbsent() {
    CraftedSkin crafted;
    crafted.set("Save", QString());
    PreviewRenderer renderer;
    PreviewMap map;
    renderer.renderImage(*crafted.document, {480, 360}, 1, &map);
    QSet<QString> keys;
    for (const PreviewElement& e : map)
        keys.insert(e.key);
    QVERIFY(!keys.contains("Save"));
    QVERIFY(keys.contains("Delete"));
}

void TestPreviewRenderer::hostileSkinRenders_data() {
    QTest::addColumn<QSize>("size");
    QTest::newRow("default size") << QSize(480, 360);
    QTest::newRow("tiny") << QSize(3, 2);
    QTest::newRow("thin") << QSize(900, 20);
}

// Numbers past every range, a picture that is no bitmap, names leading out of the working folder
// and a gradient of a thousand stops at impossible places: all drawn, the broken picture as the
// list's mark, and the overlay laid over it all without touching the document.
void TestPreviewRenderer::hostileSkinRenders() {
    QFETCH(QSize, size);
    CraftedSkin crafted;
    for (const char* key : {"BorderStyle", "Caption_Height", "SpostX", "Border_Width"})
        crafted.set(key, "1e300");
    crafted.set("SpostY", -99999);
    crafted.set("Scroller_Transp", "-5e9");
    crafted.set("Color", "&HFFFFFFFFFFFF");
    crafted.set("Title", QString(5000, u'\n'));
    crafted.set("Ok", "../../../etc/passwd");
    crafted.set("ImageName", "/dev/zero");
    const QByteArray garbage = QByteArrayLiteral("BM\xff\xff\xff\xff garbage");
    crafted.writePicture("connect.bmp", &garbage);
    crafted.set("Capt_Count", 1000);
    for (int i = 1; i <= 1000; ++i) {
        crafted.set(gradientkeys::positionKey("Capt", i), i % 2 ? "1e999" : "-40000");
        crafted.set(gradientkeys::colourKey("Capt", i), -i);
    }
    PreviewOverlay overlay;
    overlay.setValue("Caption_Height", "-1e308");
    overlay.setPicture("disconnect.bmp", QImage());
    PreviewRenderer renderer;
    PreviewMap map;
    const QImage image = renderer.renderImage(*crafted.document, size, 1, &map, overlay);
    QCOMPARE(image.size(), size);
    QCOMPARE(crafted.document->value("Caption_Height").toString(), QStringLiteral("1e300"));
    for (const PreviewElement& e : map)
        QVERIFY(QRect(QPoint(), size).contains(e.rect));
    if (size != QSize(480, 360))
        return;
    const QImage mark = ListPictures::missingPicture(17).convertToFormat(QImage::Format_RGB32);
    for (const char* key : {"Connect", "Disconnect", "Ok"}) {
        const auto e = std::find_if(map.cbegin(), map.cend(), [key](const PreviewElement& e) {
            return e.key == key && e.look == PreviewElement::Picture;
        });
        QVERIFY2(e != map.cend(), key);
        QCOMPARE(image.copy(e->rect), mark);
    }
}

// The look of the bundled default skin, against the image kept beside this test. Texts are left
// out of the comparison: their rasterising depends on the host's font engine.
void TestPreviewRenderer::defaultSkinLooksAsBefore() {
    TestFolders folders;
    QVERIFY(QFile::copy(binDir() + "/skins/(default).skn",
                        folders.skinsDir() + folders.locations().defaultSkinName()));
    SkinDocument document(nullptr);
    QVERIFY(document.open(folders.locations(), folders.locations().defaultSkinName()).ok);
    PreviewRenderer renderer;
    PreviewMap map;
    QImage image = renderer.renderImage(document, PreviewRenderer::kDefaultSize, 1, &map);
    const QString goldenPath = sourceDir() + "/tests/preview/data/default-skin.png";
    if (qEnvironmentVariableIsSet("TESS_UPDATE_GOLDEN"))
        QVERIFY(image.save(goldenPath));
    QImage golden = QImage(goldenPath).convertToFormat(QImage::Format_RGB32);
    QCOMPARE(golden.size(), image.size());
    image.setDevicePixelRatio(1);
    for (QImage* img : {&image, &golden}) {
        QPainter p(img);
        for (const PreviewElement& e : map)
            if (e.look == PreviewElement::Text)
                p.fillRect(e.rect, Qt::black);
    }
    QVERIFY(image == golden);
}

void TestPreviewRenderer::commandLine_data() {
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("status");
    QTest::addColumn<QSize>("pixels");
    QTest::newRow("scaled, with the map")
        << QStringList{"--size", "300x200", "--scale", "2", "--map", "MAP"} << 0 << QSize(600, 400);
    QTest::newRow("defaults") << QStringList{} << 0 << QSize(480, 360);
    QTest::newRow("bad size") << QStringList{"--size", "300"} << 1 << QSize();
    QTest::newRow("bad scale") << QStringList{"--scale", "0"} << 1 << QSize();
    QTest::newRow("unknown option") << QStringList{"--colour"} << 1 << QSize();
    QTest::newRow("not a package") << QStringList{"NOTSKIN"} << 1 << QSize();
}

// Run as a script runs it, with no display and no platform named.
void TestPreviewRenderer::commandLine() {
    QFETCH(QStringList, options);
    QFETCH(int, status);
    QFETCH(QSize, pixels);
    QTemporaryDir out;
    const QString png = out.filePath("out.png");
    const QString mapPath = out.filePath("map.json");
    QString package = binDir() + "/skins/(default).skn";
    if (options.removeAll("NOTSKIN")) {
        package = out.filePath("skin.skn");
        QVERIFY(writeFileBytes(package, "[parametri]\r\n"));
    }
    options.replaceInStrings(QRegularExpression("^MAP$"), mapPath);
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("DISPLAY");
    env.remove("QT_QPA_PLATFORM");
    env.insert("TMPDIR", out.path());
    process.setProcessEnvironment(env);
    process.start(binDir() + "/tessellary-skn", QStringList{"preview", package, png} + options);
    QVERIFY(process.waitForFinished(60000));
    const QString errors = QString::fromUtf8(process.readAllStandardError());
    QCOMPARE(process.exitCode(), status);
    if (status != 0) {
        QVERIFY2(!errors.trimmed().isEmpty(), "a refusal says why");
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
