#include "bitmap/cbitmap.h"
#include "bitmap/cdevicecontext.h"
#include "bmpfiles.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray plain(int width, int height, QRgb fill) {
    return buildBmp({width,
                     height,
                     24,
                     0,
                     {},
                     {},
                     packColourRows(QList<QList<QRgb>>(height, QList<QRgb>(width, fill)), 24)});
}

const Colour kInvalid = cDeviceContext::kInvalidColour;

} // namespace

class TestCDeviceContext : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void freshContextHasOneBlackPixel();
    void readsTheSelectedBitmap();
    void freeBmpRestoresTheInitialSurfaceNotTheFirstSelected();
    void setBmpBeforeCreateChangesNothing();
    void emptyBitmapSelectsNothing();
    void destroyAndRecreate();
    void drawingReachesTheBitmapAndOutlivesIt();

private:
    QString path(const QString& name) const { return m_dir.path() + QLatin1Char('/') + name; }
    QTemporaryDir m_dir;
};

void TestCDeviceContext::initTestCase() {
    QVERIFY(m_dir.isValid());
    QVERIFY(writeBytes(path("red3x2.bmp"), plain(3, 2, qRgb(255, 0, 0))));
    QVERIFY(writeBytes(path("blue5x5.bmp"), plain(5, 5, qRgb(0, 0, 255))));
}

void TestCDeviceContext::freshContextHasOneBlackPixel() {
    cDeviceContext dc;
    QVERIFY(!dc.hDC());
    QCOMPARE(dc.GetPixel(0, 0), kInvalid);
    QVERIFY(!dc.SetPixel(0, 0, 0));

    dc.Create();
    QVERIFY(dc.hDC());
    QCOMPARE(dc.GetPixel(0, 0), Colour(0));
    QCOMPARE(dc.GetPixel(1, 0), kInvalid);
    QCOMPARE(dc.GetPixel(0, 1), kInvalid);
    QCOMPARE(dc.GetPixel(-1, 0), kInvalid);
    QCOMPARE(kInvalid, Colour(-1)); // 0xFFFFFFFF as a signed colour value
    QVERIFY(dc.transparentBackground());
    QCOMPARE(dc.brushStyle(), Qt::NoBrush);
    QCOMPARE(dc.font().pixelSize(), 6);
}

void TestCDeviceContext::readsTheSelectedBitmap() {
    cDeviceContext dc;
    dc.Create();
    cBitmap bmp;
    QVERIFY(bmp.CreateFromBitmap(path("red3x2.bmp"), 3, 2));
    dc.SetBmp(bmp);
    // The editor reads one column and one row beyond the picture: those are invalid.
    for (int y = 0; y <= 2; ++y)
        for (int x = 0; x <= 3; ++x)
            QCOMPARE(dc.GetPixel(x, y), (x < 3 && y < 2) ? makeColour(255, 0, 0) : kInvalid);
}

void TestCDeviceContext::freeBmpRestoresTheInitialSurfaceNotTheFirstSelected() {
    cDeviceContext dc;
    dc.Create();
    cBitmap first;
    cBitmap second;
    QVERIFY(first.CreateFromBitmap(path("red3x2.bmp"), 3, 2));
    QVERIFY(second.CreateFromBitmap(path("blue5x5.bmp"), 5, 5));
    dc.SetBmp(first);
    dc.SetBmp(second);
    QCOMPARE(dc.GetPixel(4, 4), makeColour(0, 0, 255));
    dc.FreeBmp();
    QCOMPARE(dc.GetPixel(0, 0), Colour(0));
    QCOMPARE(dc.GetPixel(1, 0), kInvalid);
    // The initial surface stays remembered: selecting and freeing again returns to it.
    dc.SetBmp(first);
    QCOMPARE(dc.GetPixel(2, 1), makeColour(255, 0, 0));
    dc.FreeBmp();
    QCOMPARE(dc.GetPixel(2, 1), kInvalid);
    QCOMPARE(dc.GetPixel(0, 0), Colour(0));
}

void TestCDeviceContext::setBmpBeforeCreateChangesNothing() {
    cDeviceContext dc;
    cBitmap bmp;
    QVERIFY(bmp.CreateFromBitmap(path("red3x2.bmp"), 3, 2));
    dc.SetBmp(bmp);
    dc.FreeBmp();
    QVERIFY(!dc.hDC());
    QCOMPARE(dc.GetPixel(0, 0), kInvalid);
    // Nor was anything remembered: after Create the first selection is remembered as usual.
    dc.Create();
    dc.SetBmp(bmp);
    dc.FreeBmp();
    QCOMPARE(dc.GetPixel(0, 0), Colour(0));
}

void TestCDeviceContext::emptyBitmapSelectsNothing() {
    cDeviceContext dc;
    dc.Create();
    cBitmap missing;
    QVERIFY(!missing.CreateFromBitmap(path("nothing.bmp"), 17, 17));
    dc.SetBmp(missing);
    QCOMPARE(dc.GetPixel(0, 0), Colour(0));
    QCOMPARE(dc.GetPixel(16, 16), kInvalid);

    cBitmap red;
    QVERIFY(red.CreateFromBitmap(path("red3x2.bmp"), 3, 2));
    dc.SetBmp(red);
    dc.SetBmp(missing); // the red picture stays selected
    QCOMPARE(dc.GetPixel(1, 1), makeColour(255, 0, 0));
    dc.FreeBmp();
    QCOMPARE(dc.GetPixel(1, 1), kInvalid);
}

void TestCDeviceContext::destroyAndRecreate() {
    cDeviceContext dc;
    dc.Destroy(); // nothing to destroy
    dc.Create();
    cBitmap a;
    cBitmap b;
    QVERIFY(a.CreateFromBitmap(path("red3x2.bmp"), 3, 2));
    QVERIFY(b.CreateFromBitmap(path("blue5x5.bmp"), 5, 5));
    dc.SetBmp(a);
    // Create on a live context starts afresh: the remembered surface is the new default one,
    // not the red picture.
    dc.Create();
    QCOMPARE(dc.GetPixel(0, 0), Colour(0));
    dc.SetBmp(b);
    dc.FreeBmp();
    QCOMPARE(dc.GetPixel(1, 0), kInvalid);

    dc.Destroy();
    QVERIFY(!dc.hDC());
    QCOMPARE(dc.GetPixel(0, 0), kInvalid);
    dc.FreeBmp(); // the remembered surface went with the context
    QVERIFY(!dc.hDC());
    dc.Destroy();
    QVERIFY(!dc.hDC());
}

void TestCDeviceContext::drawingReachesTheBitmapAndOutlivesIt() {
    cDeviceContext dc;
    dc.Create();
    auto bmp = std::make_unique<cBitmap>();
    QVERIFY(bmp->CreateFromBitmap(path("red3x2.bmp"), 3, 2));
    dc.SetBmp(*bmp);
    QVERIFY(dc.SetPixel(1, 1, makeColour(0, 255, 0)));
    QVERIFY(!dc.SetPixel(3, 1, 0));
    QCOMPARE(bmp->image().pixel(1, 1) | 0xFF000000u, qRgb(0, 255, 0));

    // A selected bitmap stays usable through the context after its owner let it go.
    bmp.reset();
    QCOMPARE(dc.GetPixel(1, 1), makeColour(0, 255, 0));
    QCOMPARE(dc.hDC()->size(), QSize(3, 2));
}

QTEST_GUILESS_MAIN(TestCDeviceContext)
#include "tst_cdevicecontext.moc"
