#include "common/bitmapfile.h"
#include "common/colour.h"
#include "common/cp1252.h"
#include "common/errors.h"
#include "common/filenames.h"
#include "common/transparentcopy.h"
#include "testsupport.h"

#include <QBuffer>
#include <QImageReader>
#include <QTest>

// The code page, the colour value, the error text, the transparent copy, the plain-file-name
// rule and the bitmap file writer.
class TestCommon : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cp1252RoundTrip();
    void cp1252Unrepresentable();
    void colourComponents();
    void errorText();
    void reporterScopesNest();
    void transparentCopyLeavesKeyOut();
    void transparentCopyClipsAtEdges();
    void plainFileName_data();
    void plainFileName();
    void bitmapFileIs24BitUncompressed();
};

void TestCommon::cp1252RoundTrip() {
    QCOMPARE(encodeCp1252(QStringLiteral("città")), QByteArray("citt\xE0"));
    QCOMPARE(decodeCp1252(QByteArray("citt\xE0")), QStringLiteral("città"));
    // Every byte decodes to one character and encodes back to itself.
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    const QString decoded = decodeCp1252(all);
    QCOMPARE(decoded.size(), 256);
    QCOMPARE(encodeCp1252(decoded), all);
    QCOMPARE(decodeCp1252(QByteArray("\x80")), QString(QChar(0x20AC)));
    QCOMPARE(encodeCp1252(QString(QChar(0x2019))), QByteArray("\x92"));
}

void TestCommon::cp1252Unrepresentable() {
    QCOMPARE(encodeCp1252(QStringLiteral("a\u4E2Db")), QByteArray("a?b"));
    // A character outside the BMP is one character: one '?'.
    QCOMPARE(encodeCp1252(QStringLiteral("x\U0001F600y")), QByteArray("x?y"));
}

void TestCommon::colourComponents() {
    const Colour c = makeColour(1, 2, 3);
    QCOMPARE(c, 0x030201);
    QCOMPARE(colourRed(c), 1);
    QCOMPARE(colourGreen(c), 2);
    QCOMPARE(colourBlue(c), 3);
    QCOMPARE(makeColour(255, 255, 255), 16777215);
    QCOMPARE(toQColor(255), QColor(255, 0, 0));
    QCOMPARE(fromQColor(QColor(0, 0, 255)), 0xFF0000);
}

void TestCommon::errorText() {
    QCOMPARE(errorMessageText(53, QStringLiteral("Impossibile trovare il file")),
             QStringLiteral("Errore 53: Impossibile trovare il file"));
    ErrorRecorder rec;
    reportError(ErrorCode::Overflow);
    QCOMPARE(rec.entries.size(), 1);
    QCOMPARE(rec.entries[0].caption, QStringLiteral("Tessellary"));
    QCOMPARE(rec.entries[0].text, QStringLiteral("Errore 6: Overflow"));
    reportMessage(QStringLiteral("testo"), QStringLiteral("cSfum"));
    QCOMPARE(rec.entries[1].caption, QStringLiteral("cSfum"));
    QCOMPARE(rec.entries[1].text, QStringLiteral("testo"));
}

void TestCommon::reporterScopesNest() {
    ErrorRecorder outer;
    {
        ErrorRecorder inner;
        reportError(ErrorCode::DiskFull);
        QCOMPARE(inner.entries.size(), 1);
    }
    reportError(ErrorCode::DiskFull);
    QCOMPARE(outer.entries.size(), 1);
}

void TestCommon::transparentCopyLeavesKeyOut() {
    QImage src(3, 1, QImage::Format_RGB32);
    src.setPixel(0, 0, qRgb(255, 0, 255)); // the key
    src.setPixel(1, 0, qRgb(1, 2, 3));
    src.setPixel(2, 0, qRgb(255, 0, 254)); // one step away from the key: copied
    QImage dst(3, 1, QImage::Format_RGB32);
    dst.fill(qRgb(9, 9, 9));
    transparentCopy(dst, 0, 0, 99, 99, src, 0, 0, 3, 1, makeColour(255, 0, 255));
    QCOMPARE(QColor(dst.pixel(0, 0)), QColor(9, 9, 9));
    QCOMPARE(QColor(dst.pixel(1, 0)), QColor(1, 2, 3));
    QCOMPARE(QColor(dst.pixel(2, 0)), QColor(255, 0, 254));

    const QImage keyed = keyedImage(src, QRect(0, 0, 3, 1), makeColour(255, 0, 255));
    QCOMPARE(qAlpha(keyed.pixel(0, 0)), 0);
    QCOMPARE(qAlpha(keyed.pixel(1, 0)), 255);
}

void TestCommon::transparentCopyClipsAtEdges() {
    QImage src(4, 4, QImage::Format_RGB32);
    src.fill(qRgb(10, 20, 30));
    QImage dst(2, 2, QImage::Format_RGB32);
    dst.fill(Qt::black);
    // Partly outside both images: what lies inside is copied, nothing else is touched.
    transparentCopy(dst, 1, 1, 0, 0, src, 2, 2, 4, 4, 0);
    QCOMPARE(QColor(dst.pixel(1, 1)), QColor(10, 20, 30));
    QCOMPARE(QColor(dst.pixel(0, 0)), QColor(Qt::black));
    transparentCopy(dst, -5, -5, 0, 0, src, -3, -3, 2, 2, 0); // entirely outside
    QCOMPARE(QColor(dst.pixel(0, 0)), QColor(Qt::black));
}

void TestCommon::plainFileName_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("plain");
    QTest::newRow("plain") << QStringLiteral("sfondo.bmp") << true;
    QTest::newRow("spaces, accents, dots") << QStringLiteral(" città..bmp ") << true;
    QTest::newRow("three dots") << QStringLiteral("...") << true;
    QTest::newRow("DEL's neighbour") << QStringLiteral("a\u0080b") << true;
    QTest::newRow("empty") << QString() << false;
    QTest::newRow("dot") << QStringLiteral(".") << false;
    QTest::newRow("dot dot") << QStringLiteral("..") << false;
    QTest::newRow("slash") << QStringLiteral("a/b") << false;
    QTest::newRow("backslash") << QStringLiteral("..\\b") << false;
    QTest::newRow("drive") << QStringLiteral("c:b") << false;
    QTest::newRow("NUL") << QString(QChar(0)) << false;
    QTest::newRow("tab") << QStringLiteral("a\tb") << false;
    QTest::newRow("unit separator") << QStringLiteral("a\x1F") << false;
    QTest::newRow("DEL") << QStringLiteral("a\x7F") << false;
}

void TestCommon::plainFileName() {
    QFETCH(QString, name);
    QFETCH(bool, plain);
    QCOMPARE(isPlainFileName(name), plain);
}

void TestCommon::bitmapFileIs24BitUncompressed() {
    // A translucent picture must still come out as 24 bits, never as 32 with alpha.
    QImage picture(17, 17, QImage::Format_ARGB32);
    picture.fill(qRgba(10, 20, 30, 128));
    picture.setPixel(3, 4, qRgba(200, 100, 50, 0));
    const QByteArray bytes = bitmapFileBytes(picture);
    QVERIFY(bytes.startsWith("BM"));
    const auto le = [&](int at, int size) {
        quint32 v = 0;
        for (int i = size - 1; i >= 0; --i)
            v = (v << 8) | quint8(bytes.at(at + i));
        return v;
    };
    QCOMPARE(le(28, 2), 24u); // bits a pixel
    QCOMPARE(le(30, 4), 0u);  // no compression
    // 17 pixels of 3 bytes padded to 52 a row.
    QCOMPARE(bytes.size(), qsizetype(le(10, 4) + 52 * 17));

    QBuffer buffer;
    buffer.setData(bytes);
    const QImage back = QImageReader(&buffer, "bmp").read();
    QCOMPARE(back.size(), QSize(17, 17));
    QCOMPARE(back.pixel(3, 4) & 0xFFFFFFu, qRgb(200, 100, 50) & 0xFFFFFFu);

    QVERIFY(bitmapFileBytes(QImage()).isEmpty());
}

QTEST_GUILESS_MAIN(TestCommon)
#include "tst_common.moc"
