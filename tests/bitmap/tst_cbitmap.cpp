#include "bitmap/cbitmap.h"
#include "bmpfiles.h"
#include "testsupport.h"

#include <QBuffer>
#include <QImage>
#include <QTest>
#include <sys/stat.h>
#include <vector>

using Rows = QList<QList<QRgb>>;
Q_DECLARE_METATYPE(Rows)

namespace {

const QRgb kBlack = qRgb(0, 0, 0);
const QRgb kRed = qRgb(255, 0, 0);
const QRgb kGreen = qRgb(0, 255, 0);
const QRgb kBlue = qRgb(0, 0, 255);
const QList<QRgb> kPalette{kBlack, kRed, kGreen, kBlue};

// A 4 x 3 picture whose every row differs, so a file read upside down or shifted shows.
QList<QList<int>> indexRows(int colours) {
    QList<QList<int>> rows;
    for (int y = 0; y < 3; ++y) {
        QList<int> row;
        for (int x = 0; x < 4; ++x)
            row << (x + 2 * y) % colours;
        rows << row;
    }
    return rows;
}

Rows coloured(const QList<QList<int>>& indexes, const QList<QRgb>& palette) {
    Rows out;
    for (const auto& row : indexes) {
        QList<QRgb> line;
        for (int i : row)
            line << palette[i];
        out << line;
    }
    return out;
}

Rows imageRows(const QImage& image) {
    Rows out;
    for (int y = 0; y < image.height(); ++y) {
        QList<QRgb> line;
        for (int x = 0; x < image.width(); ++x)
            line << (image.pixel(x, y) | 0xFF000000u);
        out << line;
    }
    return out;
}

// Run-length rows, stored bottom-up: each uses the encoded and the absolute mode.
QByteArray rle8(const QList<QList<int>>& rows) {
    QByteArray out;
    for (qsizetype r = rows.size() - 1; r >= 0; --r) {
        const auto& row = rows[r];
        if (r % 2 == 0) {
            for (int i : row)
                out.append(char(1)).append(char(i));
        } else {
            out.append(char(0)).append(char(row.size()));
            for (int i : row)
                out.append(char(i));
        }
        if (r == 0)
            out.append(char(0)).append(char(1)); // end of bitmap
        else
            out.append(char(0)).append(char(0)); // end of line
    }
    return out;
}

QByteArray rle4(const QList<QList<int>>& rows) {
    QByteArray out;
    for (qsizetype r = rows.size() - 1; r >= 0; --r) {
        const auto& row = rows[r]; // four pixels
        if (r % 2 == 0) {
            out.append(char(2)).append(char((row[0] << 4) | row[1]));
            out.append(char(2)).append(char((row[2] << 4) | row[3]));
        } else {
            out.append(char(0)).append(char(4));
            out.append(char((row[0] << 4) | row[1])).append(char((row[2] << 4) | row[3]));
        }
        out.append(char(0)).append(char(r == 0 ? 1 : 0));
    }
    return out;
}

QByteArray uncompressed24(int width, int height, QRgb fill) {
    QList<QList<QRgb>> rows(height, QList<QRgb>(width, fill));
    return buildBmp({width, height, 24, 0, {}, {}, packColourRows(rows, 24)});
}

} // namespace

class TestCBitmap : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void readsEveryVariant_data();
    void readsEveryVariant();
    void scalesByDroppingAndRepeatingPixels();
    void readsOnlyARegularFileAtThePath_data();
    void readsOnlyARegularFileAtThePath();
    void failedLoadKeepsRequestedSize_data();
    void failedLoadKeepsRequestedSize();
    void hostileFilesNeverCrash_data();
    void hostileFilesNeverCrash();
    void pixelsTheFileNeverWroteReadAsZero_data();
    void pixelsTheFileNeverWroteReadAsZero();
    void lifecycle();

private:
    QString path(const QString& name) const { return m_dir.path() + QLatin1Char('/') + name; }
    QTemporaryDir m_dir;
};

void TestCBitmap::init() {
    QVERIFY(m_dir.isValid());
}

void TestCBitmap::readsEveryVariant_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<Rows>("expected");

    const auto two = indexRows(2);
    const auto four = indexRows(4);
    const QList<QRgb> mono{kBlack, kRed};
    QTest::newRow("1-bit palette")
        << buildBmp({4, 3, 1, 0, mono, {}, packIndexedRows(two, 1, false)}) << coloured(two, mono);
    QTest::newRow("4-bit palette")
        << buildBmp({4, 3, 4, 0, kPalette, {}, packIndexedRows(four, 4, false)})
        << coloured(four, kPalette);
    QTest::newRow("8-bit palette")
        << buildBmp({4, 3, 8, 0, kPalette, {}, packIndexedRows(four, 8, false)})
        << coloured(four, kPalette);
    QTest::newRow("8-bit top-down")
        << buildBmp({4, -3, 8, 0, kPalette, {}, packIndexedRows(four, 8, true)})
        << coloured(four, kPalette);
    QTest::newRow("RLE8") << buildBmp({4, 3, 8, 1, kPalette, {}, rle8(four)})
                          << coloured(four, kPalette);
    QTest::newRow("RLE4") << buildBmp({4, 3, 4, 2, kPalette, {}, rle4(four)})
                          << coloured(four, kPalette);

    const Rows colours = coloured(four, kPalette);
    // 16-bit components widen by shifting, as the platform does: 31 reads as 248, 63 as 252.
    const Rows as555 = coloured(four, {kBlack, qRgb(248, 0, 0), qRgb(0, 248, 0), qRgb(0, 0, 248)});
    const Rows as565 = coloured(four, {kBlack, qRgb(248, 0, 0), qRgb(0, 252, 0), qRgb(0, 0, 248)});
    QTest::newRow("16-bit 5-5-5") << buildBmp({4, 3, 16, 0, {}, {}, packColourRows(colours, 16)})
                                  << as555;
    QTest::newRow("16-bit 5-6-5 bit fields")
        << buildBmp({4,
                     3,
                     16,
                     3,
                     {},
                     {0xF800, 0x07E0, 0x001F},
                     [&] {
                         QByteArray out;
                         for (qsizetype r = colours.size() - 1; r >= 0; --r)
                             for (QRgb c : colours[r]) {
                                 const quint16 v =
                                     quint16(((qRed(c) >> 3) << 11) | ((qGreen(c) >> 2) << 5) |
                                             (qBlue(c) >> 3));
                                 out.append(char(v & 0xFF)).append(char(v >> 8));
                             }
                         return out;
                     }()})
        << as565;
    QTest::newRow("24-bit") << buildBmp({4, 3, 24, 0, {}, {}, packColourRows(colours, 24)})
                            << colours;
    QTest::newRow("32-bit") << buildBmp({4, 3, 32, 0, {}, {}, packColourRows(colours, 32)})
                            << colours;
}

void TestCBitmap::readsEveryVariant() {
    QFETCH(QByteArray, file);
    QFETCH(Rows, expected);
    QVERIFY(writeBytes(path("v.bmp"), file));
    cBitmap bmp;
    QVERIFY(bmp.CreateFromBitmap(path("v.bmp"), 4, 3));
    QCOMPARE(bmp.lastResult(), cBitmap::LoadResult::Loaded);
    QCOMPARE(bmp.image().size(), QSize(4, 3));
    QCOMPARE(imageRows(bmp.image()), expected);

    // A side of 0 takes the file's own.
    cBitmap own;
    QVERIFY(own.CreateFromBitmap(path("v.bmp"), 0, 0));
    QCOMPARE(imageRows(own.image()), expected);
}

void TestCBitmap::scalesByDroppingAndRepeatingPixels() {
    // 32 x 32, left half red and right half blue, top half with green rows interleaved: the
    // scaled picture holds only colours of the file, never a blend.
    QList<QList<QRgb>> rows;
    for (int y = 0; y < 32; ++y) {
        QList<QRgb> row;
        for (int x = 0; x < 32; ++x)
            row << (x < 16 ? kRed : kBlue);
        rows << row;
    }
    QVERIFY(
        writeBytes(path("big.bmp"), buildBmp({32, 32, 24, 0, {}, {}, packColourRows(rows, 24)})));
    cBitmap bmp;
    QVERIFY(bmp.CreateFromBitmap(path("big.bmp"), 17, 17));
    QCOMPARE(bmp.Width(), 17);
    QCOMPARE(bmp.Height(), 17);
    const QImage& img = bmp.image();
    QCOMPARE(img.size(), QSize(17, 17));
    for (int y = 0; y < 17; ++y) {
        QCOMPARE(img.pixel(0, y), kRed);
        QCOMPARE(img.pixel(16, y), kBlue);
        for (int x = 0; x < 17; ++x)
            QVERIFY(img.pixel(x, y) == kRed || img.pixel(x, y) == kBlue);
    }

    // Enlarging repeats pixels: 2 x 2 becomes four 2 x 2 blocks.
    const QList<QList<QRgb>> quad{{kRed, kGreen}, {kBlue, kBlack}};
    QVERIFY(
        writeBytes(path("quad.bmp"), buildBmp({2, 2, 24, 0, {}, {}, packColourRows(quad, 24)})));
    QVERIFY(bmp.CreateFromBitmap(path("quad.bmp"), 4, 4));
    QCOMPARE(bmp.image().pixel(1, 1), kRed);
    QCOMPARE(bmp.image().pixel(2, 1), kGreen);
    QCOMPARE(bmp.image().pixel(1, 2), kBlue);
    QCOMPARE(bmp.image().pixel(3, 3), kBlack);
}

// The working folder is private, but whatever is planted at a picture's name must not be read
// through: a link could lead to any file of the user's, and a FIFO would hang the editor (a load
// that blocks holds this test up until its time limit).
void TestCBitmap::readsOnlyARegularFileAtThePath_data() {
    QTest::addColumn<QString>("entry");
    QTest::addColumn<int>("result");
    QTest::newRow("plain file") << "file" << int(cBitmap::LoadResult::Loaded);
    QTest::newRow("link to a bitmap") << "link" << int(cBitmap::LoadResult::Missing);
    QTest::newRow("FIFO") << "fifo" << int(cBitmap::LoadResult::Missing);
    QTest::newRow("folder") << "folder" << int(cBitmap::LoadResult::Missing);
    QTest::newRow("file longer than any bitmap")
        << "oversized" << int(cBitmap::LoadResult::TooLarge);
}

void TestCBitmap::readsOnlyARegularFileAtThePath() {
    QFETCH(QString, entry);
    QFETCH(int, result);
    const QString target = path(QStringLiteral("target.bmp"));
    QVERIFY(writeBytes(target, uncompressed24(2, 2, kRed)));
    const QString at = path(entry + QStringLiteral(".bmp"));
    if (entry == u"file") {
        QVERIFY(QFile::copy(target, at));
    } else if (entry == u"link") {
        QVERIFY(QFile::link(target, at));
    } else if (entry == u"fifo") {
        QCOMPARE(::mkfifo(QFile::encodeName(at).constData(), 0600), 0);
    } else if (entry == u"folder") {
        QVERIFY(QDir().mkdir(at));
    } else {
        // A valid bitmap followed by a hole: sparse, so it costs no disk.
        QVERIFY(QFile::copy(target, at));
        QFile file(at);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.resize(cBitmap::kMaxFileBytes + 1));
    }

    cBitmap bmp;
    QCOMPARE(bmp.CreateFromBitmap(at, 2, 2), result == int(cBitmap::LoadResult::Loaded));
    QCOMPARE(int(bmp.lastResult()), result);
    QCOMPARE(bmp.isLoaded(), result == int(cBitmap::LoadResult::Loaded));
}

void TestCBitmap::failedLoadKeepsRequestedSize_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content"); // empty: do not create the file
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("result");

    const auto missing = int(cBitmap::LoadResult::Missing);
    const auto unreadable = int(cBitmap::LoadResult::Unreadable);
    const auto tooLarge = int(cBitmap::LoadResult::TooLarge);
    const auto badSize = int(cBitmap::LoadResult::BadSize);
    QTest::newRow("missing file") << "none.bmp" << QByteArray() << 17 << 17 << missing;
    QTest::newRow("empty name") << "" << QByteArray() << 17 << 17 << missing;
    QTest::newRow("garbage") << "g.bmp" << QByteArray("this is not a picture at all") << 17 << 17
                             << unreadable;
    QImage png(4, 4, QImage::Format_RGB32);
    png.fill(Qt::red);
    QByteArray pngBytes;
    {
        QBuffer buffer(&pngBytes);
        buffer.open(QIODevice::WriteOnly);
        png.save(&buffer, "PNG");
    }
    QTest::newRow("PNG named .bmp") << "p.bmp" << pngBytes << 17 << 17 << unreadable;
    QTest::newRow("file declaring 16384 x 2000")
        << "huge.bmp" << buildBmp({16384, 2000, 24, 0, {}, {}, QByteArray(64, '\x7F')}) << 17 << 17
        << tooLarge;
    QTest::newRow("top-down file declaring 5000 x 5000")
        << "huge2.bmp" << buildBmp({5000, -5000, 8, 0, kPalette, {}, QByteArray(64, '\0')}) << 17
        << 17 << tooLarge;
    QTest::newRow("negative size") << "ok.bmp" << uncompressed24(2, 2, kRed) << -1 << 17 << badSize;
    QTest::newRow("huge requested size")
        << "ok.bmp" << uncompressed24(2, 2, kRed) << 100000 << 100000 << badSize;
    QTest::newRow("requested size over the pixel limit")
        << "ok.bmp" << uncompressed24(2, 2, kRed) << 16000 << 16000 << tooLarge;
}

void TestCBitmap::failedLoadKeepsRequestedSize() {
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, result);
    const QString file = name.isEmpty() ? QString() : path(name);
    if (!content.isEmpty())
        QVERIFY(writeBytes(file, content));

    cBitmap bmp;
    QVERIFY(writeBytes(path("ok2.bmp"), uncompressed24(3, 3, kGreen)));
    QVERIFY(bmp.CreateFromBitmap(path("ok2.bmp"), 3, 3));

    // A failing load drops the bitmap held before it.
    QVERIFY(!bmp.CreateFromBitmap(file, width, height));
    QVERIFY(!bmp.isLoaded());
    QVERIFY(bmp.image().isNull());
    QCOMPARE(int(bmp.lastResult()), result);
    QCOMPARE(bmp.Width(), width);
    QCOMPARE(bmp.Height(), height);
}

void TestCBitmap::hostileFilesNeverCrash_data() {
    QTest::addColumn<QByteArray>("file");

    QTest::newRow("declares 100000 x 100000")
        << buildBmp({100000, 100000, 24, 0, {}, {}, QByteArray(64, '\x7F')});
    QTest::newRow("declares 1 x 2^31-1") << buildBmp({1, 0x7FFFFFFF, 8, 0, kPalette, {}, {}});
    QTest::newRow("declares a negative width") << buildBmp({-5, 3, 24, 0, {}, {}, {}});
    QTest::newRow("declares 0 x 0") << buildBmp({0, 0, 24, 0, {}, {}, {}});
    QTest::newRow("bit count 7") << buildBmp({4, 3, 7, 0, {}, {}, QByteArray(12, '\0')});
    QTest::newRow("RLE8 running off the picture") << buildBmp(
        {4, 3, 8, 1, kPalette, {}, QByteArray("\xFF\x01\xFF\x02\x00\x02\xFF\xFF\x00\x01", 10)});
    QTest::newRow("RLE4 absolute run past the data")
        << buildBmp({4, 3, 4, 2, kPalette, {}, QByteArray("\x00\xF0\x12", 3)});
    QTest::newRow("palette index out of range")
        << buildBmp({4, 3, 8, 0, kPalette, {}, QByteArray(48, '\xEE')});

    const QByteArray good =
        buildBmp({20,
                  20,
                  24,
                  0,
                  {},
                  {},
                  packColourRows(QList<QList<QRgb>>(20, QList<QRgb>(20, kBlue)), 24)});
    for (int cut : {2, 14, 20, 53, 54, 100, 600, int(good.size()) - 1})
        QTest::newRow(qPrintable(QStringLiteral("truncated to %1 bytes").arg(cut)))
            << good.left(cut);
    QTest::newRow("pixel offset beyond the end") << [&] {
        QByteArray b = good;
        b[10] = char(0xFF);
        b[11] = char(0xFF);
        b[12] = char(0xFF);
        b[13] = char(0x7F);
        return b;
    }();
}

void TestCBitmap::hostileFilesNeverCrash() {
    QFETCH(QByteArray, file);
    QVERIFY(writeBytes(path("h.bmp"), file));
    cBitmap bmp;
    const bool loaded = bmp.CreateFromBitmap(path("h.bmp"), 17, 17);
    // Either refused, or a picture of exactly the requested size.
    QCOMPARE(bmp.isLoaded(), loaded);
    if (loaded)
        QCOMPARE(bmp.image().size(), QSize(17, 17));
    else
        QVERIFY(bmp.lastResult() != cBitmap::LoadResult::Loaded);
    QCOMPARE(bmp.Width(), 17);
}

// A file whose pixel data stops early, or a run-length file that ends before its last row,
// leaves part of the picture unwritten. Those pixels must read as a zeroed bitmap shows them
// (palette entry 0, or black), never as whatever memory the picture happened to get.
void TestCBitmap::pixelsTheFileNeverWroteReadAsZero_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("writtenRows"); // bottom rows the file fills
    QTest::addColumn<QRgb>("written");
    QTest::addColumn<QRgb>("zero");

    const QList<QRgb> palette{kGreen, kRed, kBlue, kBlack};
    const QList<QList<int>> indexes(17, QList<int>(17, 1));
    const QByteArray rgb =
        buildBmp({17, 17, 24, 0, {}, {}, packColourRows(Rows(17, QList<QRgb>(17, kRed)), 24)});
    QTest::newRow("24-bit cut after 5 rows") << rgb.left(54 + 52 * 5) << 5 << kRed << kBlack;
    const QByteArray indexed8 =
        buildBmp({17, 17, 8, 0, palette, {}, packIndexedRows(indexes, 8, false)});
    QTest::newRow("8-bit cut after 3 rows")
        << indexed8.left(indexed8.size() - 20 * 14) << 3 << kRed << kGreen;
    const QByteArray indexed1 =
        buildBmp({17, 17, 1, 0, palette.mid(0, 2), {}, packIndexedRows(indexes, 1, false)});
    QTest::newRow("1-bit cut after 2 rows")
        << indexed1.left(indexed1.size() - 4 * 15) << 2 << kRed << kGreen;
    QTest::newRow("RLE8 ending after the first row")
        << buildBmp({17, 17, 8, 1, palette, {}, QByteArray("\x11\x01\x00\x01", 4)}) << 1 << kRed
        << kGreen;
    QTest::newRow("RLE4 ending after the first row")
        << buildBmp({17, 17, 4, 2, palette, {}, QByteArray("\x11\x11\x00\x01", 4)}) << 1 << kRed
        << kGreen;
}

void TestCBitmap::pixelsTheFileNeverWroteReadAsZero() {
    QFETCH(QByteArray, file);
    QFETCH(int, writtenRows);
    QFETCH(QRgb, written);
    QFETCH(QRgb, zero);
    QVERIFY(writeBytes(path("short.bmp"), file));
    for (int round = 0; round < 3; ++round) {
        // Leave freed memory of every size a 17 x 17 picture takes full of a pattern.
        {
            std::vector<QByteArray> junk;
            for (int size = 64; size <= 1600; size += 4)
                junk.emplace_back(size, char(0xA5));
        }
        cBitmap bmp;
        QVERIFY(bmp.CreateFromBitmap(path("short.bmp"), 0, 0));
        const QImage& image = bmp.image();
        QCOMPARE(image.size(), QSize(17, 17));
        for (int y = 0; y < 17; ++y) {
            const QRgb expected = y >= 17 - writtenRows ? written : zero;
            for (int x = 0; x < 17; ++x)
                QCOMPARE(image.pixel(x, y) | 0xFF000000u, expected);
        }
    }
}

void TestCBitmap::lifecycle() {
    QVERIFY(writeBytes(path("a.bmp"), uncompressed24(2, 2, kRed)));
    QVERIFY(writeBytes(path("b.bmp"), uncompressed24(2, 2, kBlue)));

    cBitmap bmp;
    bmp.Destroy(); // nothing held: nothing happens
    QVERIFY(!bmp.isLoaded());

    QVERIFY(bmp.CreateFromBitmap(path("a.bmp"), 2, 2));
    std::weak_ptr<QImage> first = bmp.hBmp();
    QVERIFY(bmp.CreateFromBitmap(path("b.bmp"), 2, 2));
    QVERIFY(first.expired()); // the first bitmap was freed before the second was loaded
    QCOMPARE(bmp.image().pixel(0, 0), kBlue);

    std::weak_ptr<QImage> second = bmp.hBmp();
    bmp.Destroy();
    QVERIFY(second.expired());
    QVERIFY(!bmp.hBmp());
    bmp.Destroy();
    QVERIFY(!bmp.isLoaded());
    QCOMPARE(bmp.Width(), 2); // the sizes stay as requested
}

QTEST_GUILESS_MAIN(TestCBitmap)
#include "tst_cbitmap.moc"
