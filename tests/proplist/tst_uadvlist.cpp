// Drawing, layout, scrolling and hit testing of the property list, checked on grabbed pixels.
#include "uadvlistfixture.h"

#include "common/numbers.h"
#include "proplist/listpictures.h"
#include "skin/skinschema.h"

#include <QFileInfo>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

namespace {

constexpr int W = 300; // surface width used throughout
constexpr int H = 400;

const QRgb kWhite = rgb(255, 255, 255);
const QRgb kBlack = rgb(0, 0, 0);
const QRgb kBlue = rgb(13, 107, 170);
const QRgb kGrey = rgb(230, 230, 230);
const QRgb kRed = rgb(230, 0, 0);
const QRgb kMagenta = rgb(255, 0, 255);
const QRgb kGreen = rgb(0, 200, 0);
const QRgb kMarkRed = rgb(200, 0, 0);

// Row top of item i (1-based) of the first category when it is expanded at offset 0.
int itemTop(int i) {
    return 20 + 18 * (i - 1);
}

} // namespace

class tst_uAdvList : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void emptyListIsWhiteAndCannotScroll();
    void rowsFollowTheLayoutToThePixel();
    void valuesAreDrawnInTheValueColumn();
    void thumbnailsAreKeyedOnTheMaskColour();
    void gradientsWithTooManyStopsDrawWithoutComplaint();
    void brokenPicturesShowTheMarkAndTheRestIsDrawn();
    void pictureChangedOnDiskShowsAtTheNextRepaint();
    void scrollRangeAndScrolling();
    void wheelScrollsThreeSteps();
    void picturesAreDistinctAndSized();
    void bundledDefaultSkinDrawsEveryRow();

private:
    // The schema most drawing tests use: one expanded category with a row of every kind, then
    // two collapsed ones.
    void buildKinds(ListFixture& f);
};

void tst_uAdvList::buildKinds(ListFixture& f) {
    f.skin->AddInfo("Col", 255);
    f.skin->AddInfo("ColOpt", -1);
    f.skin->AddInfo("Capt_Count", 2);
    f.skin->AddInfo("Capt<1>", 255);
    f.skin->AddInfo("Capt_Pos<1>", 0);
    f.skin->AddInfo("Capt<2>", 16711680);
    f.skin->AddInfo("Capt_Pos<2>", 100);
    f.skin->AddInfo("One_Count", 1);
    f.skin->AddInfo("Icon", "pic.bmp");
    f.skin->AddInfo("Btn", "btn.bmp");
    f.skin->AddInfo("Num", 5);
    f.skin->AddInfo("Flag", 1);
    f.skin->AddInfo("MaskColor", 16711935);
    f.skin->AddInfo("Fin", 65280);

    f.list->model()->LoadingItems();
    f.list->model()->AddCat("(a)", "Prima");
    f.list->model()->AddItem("(a)", "Colore", "Col", KindColor);
    f.list->model()->AddItem("(a)", "Colore facoltativo", "ColOpt", KindColor, true);
    f.list->model()->AddItem("(a)", "Sfumatura", "Capt", KindGradient, true);
    f.list->model()->AddItem("(a)", "Sfumatura a un colore", "One", KindGradient);
    f.list->model()->AddItem("(a)", "Immagine", "Icon", KindImage);
    f.list->model()->AddItem("(a)", "Maschera", "Btn", KindMask);
    f.list->model()->AddItem("(a)", "Numero", "Num", KindNumber);
    f.list->model()->AddItem("(a)", "Opzione", "Flag", KindBool);
    f.list->model()->AddItem("(a)", "Colore trasparente", "MaskColor", KindColor);
    f.list->model()->AddCat("(b)", "Seconda");
    f.list->model()->AddItem("(b)", "Testo", "Txt", KindString);
    f.list->model()->AddCat("(c)", "Terza");
    f.list->model()->AddItem("(c)", "Fine", "Fin", KindColor);

    QVERIFY(f.writeBitmap("pic.bmp", cornerPicture(QColor(0, 200, 0), QColor(255, 0, 255),
                                                   QColor(0, 0, 255), QColor(255, 0, 0))));
    QVERIFY(f.writeBitmap("btn.bmp", cornerPicture(QColor(50, 50, 50), QColor(255, 0, 255),
                                                   QColor(1, 2, 3), QColor(200, 100, 0))));
    QVERIFY(f.writeBitmap("p_btn.bmp", cornerPicture(QColor(90, 90, 90), QColor(0, 0, 255),
                                                     QColor(4, 5, 6), QColor(0, 100, 200))));
    f.list->model()->Ready(f.skin);
    f.model()->setExpanded(1, true);
    f.setSurfaceSize(W, H);
    QVERIFY(f.show());
}

void tst_uAdvList::emptyListIsWhiteAndCannotScroll() {
    ListFixture f;
    f.list->model()->LoadingItems();
    f.list->model()->Ready(nullptr);
    f.setSurfaceSize(W, H);
    QVERIFY(f.show());
    const QImage img = f.grab();
    QCOMPARE(img.size(), QSize(W, H));
    for (int y = 0; y < H; y += 7)
        for (int x = 0; x < W; x += 7)
            QCOMPARE(rgb(img, x, y), kWhite);
    QVERIFY(!f.scroller()->isEnabled());
}

void tst_uAdvList::rowsFollowTheLayoutToThePixel() {
    ListFixture f;
    buildKinds(f);
    const QImage img = f.grab();

    // The first category row: line 0 white, rows 1..19 blue from x = 0 to W - 1.
    QCOMPARE(rgb(img, 5, 0), kWhite);
    QCOMPARE(rgb(img, 0, 1), kBlue);
    QCOMPARE(rgb(img, 5, 19), kBlue);
    QCOMPARE(f.model()->category(1).Area, QRect(QPoint(0, 1), QPoint(W, 20)));
    // The fold picture of an expanded category at (W - 19, 1).
    QCOMPARE(img.copy(W - 19, 1, 19, 19),
             ListPictures::expandedPicture().convertToFormat(QImage::Format_RGB32));
    // The caption is white, right-aligned, and ends 24 pixels from the right edge.
    int captionRight = -1;
    for (int y = 1; y <= 19; ++y)
        for (int x = 0; x < W - 19; ++x)
            if (qRed(img.pixel(x, y)) > 200 && qGreen(img.pixel(x, y)) > 200)
                captionRight = std::max(captionRight, x);
    QVERIFY2(captionRight <= W - 25 && captionRight >= W - 31,
             qPrintable(QString::number(captionRight)));

    // Item rows: outline white from x = 16 to W - 41, fill inside, 18 pixels apart.
    for (int i = 1; i <= 9; ++i) {
        const int t = itemTop(i);
        const QRgb fill = (i == 2 || i == 3) ? kRed : kGrey; // the optional items are red
        QCOMPARE(f.model()->item(1, i).Area, QRect(QPoint(21, t), QPoint(W - 40, t + 19)));
        QCOMPARE(rgb(img, 16, t + 9), kWhite);
        QCOMPARE(rgb(img, W - 41, t + 9), kWhite);
        QCOMPARE(rgb(img, W - 42, t + 9), fill);
        QCOMPARE(rgb(img, 17, t + 9), fill);
        QCOMPARE(rgb(img, W - 45, t), kWhite); // top line, shared with the row above
        QCOMPARE(rgb(img, W - 45, t + 1), fill);
        QCOMPARE(rgb(img, W - 45, t + 17), fill);
        QCOMPARE(rgb(img, W - 45, t + 18), kWhite); // bottom line, shared with the row below
        QCOMPARE(rgb(img, W - 40, t + 9), kWhite);  // right of the row
        // The kind icon at (0, top + 2); an item without a value shows the not-set icon.
        const QImage icon = f.model()->item(1, i).IsSet
                                ? ListPictures::kindIcon(f.model()->item(1, i).Kind)
                                : ListPictures::notSetIcon();
        QCOMPARE(img.copy(0, t + 2, 16, 16), onWhite(icon));
    }
    QVERIFY(!f.model()->item(1, 2).IsSet);

    // 20 + 18k from one category row to the next; a collapsed one takes 20 with a white line.
    const int second = f.model()->category(2).Area.top();
    const int third = f.model()->category(3).Area.top();
    QCOMPARE(second - f.model()->category(1).Area.top(), 20 + 18 * 9);
    QCOMPARE(third - second, 20);
    QCOMPARE(rgb(img, 100, second - 1), kWhite); // the last item's bottom line
    QCOMPARE(rgb(img, 100, second - 2), kGrey);
    QCOMPARE(rgb(img, 100, second), kBlue);
    QCOMPARE(rgb(img, 5, second + 18), kBlue);
    QCOMPARE(rgb(img, 5, third - 1), kWhite);
    QCOMPARE(rgb(img, 5, third), kBlue);
    QCOMPARE(img.copy(W - 19, third, 19, 19),
             ListPictures::foldedInPicture().convertToFormat(QImage::Format_RGB32));
    // Nothing below the last category.
    QCOMPARE(rgb(img, 5, third + 19), kWhite);
    QCOMPARE(rgb(img, 150, third + 40), kWhite);
}

void tst_uAdvList::valuesAreDrawnInTheValueColumn() {
    ListFixture f;
    buildKinds(f);
    const QImage img = f.grab();

    // Colour swatch: a 31 x 13 box ending at W - 5, black frame, the colour inside.
    const int t1 = itemTop(1);
    for (const QPoint& corner : {QPoint(W - 36, t1 + 3), QPoint(W - 6, t1 + 3),
                                 QPoint(W - 36, t1 + 15), QPoint(W - 6, t1 + 15)})
        QCOMPARE(rgb(img, corner.x(), corner.y()), kBlack);
    QCOMPARE(rgb(img, W - 35, t1 + 4), rgb(255, 0, 0));
    QCOMPARE(rgb(img, W - 7, t1 + 14), rgb(255, 0, 0));
    QCOMPARE(rgb(img, W - 5, t1 + 9), kWhite);
    QCOMPARE(rgb(img, W - 37, t1 + 9), kWhite);
    QCOMPARE(rgb(img, W - 20, t1 + 2), kWhite);
    QCOMPARE(rgb(img, W - 20, t1 + 16), kWhite);

    // An optional colour that is not set shows no swatch.
    QCOMPARE(rgb(img, W - 20, itemTop(2) + 9), kWhite);
    QCOMPARE(rgb(img, W - 36, itemTop(2) + 3), kWhite);

    // Gradient from red to blue: framed, red at the left end, blue at the right end.
    const int t3 = itemTop(3);
    QCOMPARE(rgb(img, W - 36, t3 + 9), kBlack);
    QCOMPARE(rgb(img, W - 6, t3 + 9), kBlack);
    QCOMPARE(rgb(img, W - 20, t3 + 3), kBlack);
    const QColor left = img.pixelColor(W - 35, t3 + 9);
    const QColor right = img.pixelColor(W - 7, t3 + 9);
    QVERIFY2(left.red() > 230 && left.blue() < 25, qPrintable(left.name()));
    QVERIFY2(right.blue() > 230 && right.red() < 25, qPrintable(right.name()));
    const QColor middle = img.pixelColor(W - 21, t3 + 9);
    QVERIFY(middle.red() > 60 && middle.blue() > 60);

    // A gradient with a single stop: an empty value box without a frame.
    const int t4 = itemTop(4);
    QCOMPARE(rgb(img, W - 36, t4 + 3), kWhite);
    QCOMPARE(rgb(img, W - 20, t4 + 9), kWhite);

    // Numbers and booleans show nothing in the value column.
    for (int i : {7, 8})
        for (int x = W - 39; x < W; x += 3)
            QCOMPARE(rgb(img, x, itemTop(i) + 9), kWhite);
}

void tst_uAdvList::thumbnailsAreKeyedOnTheMaskColour() {
    ListFixture f;
    buildKinds(f);
    QImage img = f.grab();

    // The image's 16 x 16 corner at (W - 38, top + 1); magenta is the mask colour.
    const int t5 = itemTop(5);
    QCOMPARE(rgb(img, W - 38, t5 + 1), kWhite); // the mask-coloured pixel is left out
    QCOMPARE(rgb(img, W - 37, t5 + 1), kGreen);
    QCOMPARE(rgb(img, W - 23, t5 + 16), rgb(0, 0, 255));
    QCOMPARE(rgb(img, W - 22, t5 + 8), kWhite);  // column 16 of the file is not copied
    QCOMPARE(rgb(img, W - 30, t5 + 17), kWhite); // nor is row 16

    // Masks: both 17 x 17 pictures copied whole and opaque, side by side.
    const int t6 = itemTop(6);
    QCOMPARE(rgb(img, W - 38, t6 + 1), kMagenta);
    QCOMPARE(rgb(img, W - 30, t6 + 8), rgb(50, 50, 50));
    QCOMPARE(rgb(img, W - 22, t6 + 17), rgb(200, 100, 0));
    QCOMPARE(rgb(img, W - 19, t6 + 1), rgb(0, 0, 255));
    QCOMPARE(rgb(img, W - 4, t6 + 16), rgb(4, 5, 6));
    QCOMPARE(rgb(img, W - 3, t6 + 17), rgb(0, 100, 200));
    QCOMPARE(rgb(img, W - 20, t6 + 9), kWhite); // the two-pixel gap

    // A new mask colour redraws every thumbnail with it.
    QVERIFY(f.list->model()->SetData("MaskColor", 51200)); // green 200
    img = f.grab();
    QCOMPARE(rgb(img, W - 38, t5 + 1), kMagenta);
    QCOMPARE(rgb(img, W - 37, t5 + 1), kWhite);
    QCOMPARE(rgb(img, W - 23, t5 + 16), rgb(0, 0, 255));
}

void tst_uAdvList::gradientsWithTooManyStopsDrawWithoutComplaint() {
    ListFixture f;
    // More stops than the 31-pixel box has columns: red up to the middle, then blue.
    f.skin->AddInfo("Many_Count", 40);
    for (int i = 1; i <= 40; ++i) {
        f.skin->AddInfo(QStringLiteral("Many<%1>").arg(i), i <= 20 ? 255 : 16711680);
        f.skin->AddInfo(QStringLiteral("Many_Pos<%1>").arg(i), (i - 1) * 100 / 39);
    }
    // A count no stop list can have.
    f.skin->AddInfo("Huge_Count", 99999);
    f.list->model()->LoadingItems();
    f.list->model()->AddCat("(a)", "A");
    f.list->model()->AddItem("(a)", "Molti", "Many", KindGradient);
    f.list->model()->AddItem("(a)", "Enorme", "Huge", KindGradient);
    ErrorRecorder errors;
    f.list->model()->Ready(f.skin);
    f.model()->setExpanded(1, true);
    f.setSurfaceSize(W, H);
    QVERIFY(f.show());
    QImage img = f.grab();
    QCOMPARE(rgb(img, W - 36, itemTop(1) + 9), kBlack);
    QCOMPARE(rgb(img, W - 34, itemTop(1) + 9), rgb(255, 0, 0));
    QCOMPARE(rgb(img, W - 8, itemTop(1) + 9), rgb(0, 0, 255));
    QCOMPARE(rgb(img, W - 20, itemTop(2) + 9), kWhite);
    QCOMPARE(rgb(img, W - 36, itemTop(2) + 3), kWhite);
    // The editor paints the same gradient.
    QTest::mouseMove(f.surface(), QPoint(100, itemTop(1) + 9));
    const QImage editor = f.list->findChild<QWidget*>("pctColor")->grab().toImage();
    QCOMPARE(rgb(editor, 2, 6), rgb(255, 0, 0));
    QCOMPARE(rgb(editor, 28, 6), rgb(0, 0, 255));
    QTest::mouseMove(f.surface(), QPoint(100, itemTop(2) + 9));
    QVERIFY(errors.isEmpty());
}

void tst_uAdvList::brokenPicturesShowTheMarkAndTheRestIsDrawn() {
    ListFixture f;
    // A file declaring a picture of 100000 x 100000 pixels.
    QByteArray huge("BM");
    const auto le32 = [](QByteArray& b, qint32 v) {
        for (int i = 0; i < 4; ++i)
            b.append(char((v >> (8 * i)) & 0xFF));
    };
    const auto le16 = [](QByteArray& b, qint16 v) {
        b.append(char(v & 0xFF));
        b.append(char((v >> 8) & 0xFF));
    };
    le32(huge, 54 + 64);
    le32(huge, 0);
    le32(huge, 54);
    le32(huge, 40);
    le32(huge, 100000);
    le32(huge, 100000);
    le16(huge, 1);
    le16(huge, 24);
    le32(huge, 0);
    le32(huge, 0);
    le32(huge, 2835);
    le32(huge, 2835);
    le32(huge, 0);
    le32(huge, 0);
    huge.append(64, '\x7f');
    QVERIFY(writeFileBytes(f.work + "huge.bmp", huge));
    QVERIFY(writeFileBytes(f.work + "garbage.bmp", QByteArray(300, '\xA5')));
    QVERIFY(writeFileBytes(f.work + "empty.bmp", QByteArray()));
    QByteArray good;
    {
        QImage ok(17, 17, QImage::Format_RGB32);
        ok.fill(Qt::gray);
        QVERIFY(ok.save(f.work + "whole.bmp", "BMP"));
        good = readFileBytes(f.work + "whole.bmp");
    }
    QVERIFY(writeFileBytes(f.work + "cut.bmp", good.left(good.size() / 3)));
    QVERIFY(QDir().mkpath(f.work + "folder.bmp"));
    QVERIFY(writeFileBytes(f.work + "m.bmp", good)); // its pressed twin is missing

    // A truncated file is read as far as it goes by the bitmap loader, so it shows what it
    // holds rather than the mark; it is listed last and only has to leave the drawing going.
    const QStringList names = {"missing.bmp", "huge.bmp",   "garbage.bmp",
                               "empty.bmp",   "folder.bmp", "cut.bmp"};
    f.list->model()->LoadingItems();
    f.list->model()->AddCat("(a)", "Immagini");
    for (int i = 0; i < names.size(); ++i) {
        const QString key = QStringLiteral("Img%1").arg(i);
        f.skin->AddInfo(key, names[i]);
        f.list->model()->AddItem("(a)", key, key, KindImage);
    }
    f.skin->AddInfo("Msk", "m.bmp");
    f.list->model()->AddItem("(a)", "Maschera", "Msk", KindMask);
    f.skin->AddInfo("Last", 255);
    f.list->model()->AddItem("(a)", "Ultimo", "Last", KindColor);
    ErrorRecorder errors;
    f.list->model()->Ready(f.skin);
    f.model()->setExpanded(1, true);
    f.setSurfaceSize(W, H);
    QVERIFY(f.show());
    const QImage img = f.grab();

    const QImage mark16 = ListPictures::missingPicture(16).convertToFormat(QImage::Format_RGB32);
    const QImage mark17 = ListPictures::missingPicture(17).convertToFormat(QImage::Format_RGB32);
    for (int i = 1; i < names.size(); ++i)
        QVERIFY2(img.copy(W - 38, itemTop(i) + 1, 16, 16) == mark16, qPrintable(names[i - 1]));
    const int tm = itemTop(names.size() + 1);
    QCOMPARE(rgb(img, W - 30, tm + 8), rgb(160, 160, 164)); // the normal mask is there
    QCOMPARE(img.copy(W - 19, tm + 1, 17, 17), mark17);     // the pressed one is missing
    // The row after the broken ones is drawn all the same.
    const int tl = itemTop(names.size() + 2);
    QCOMPARE(rgb(img, W - 20, tl + 9), rgb(255, 0, 0));
    QCOMPARE(rgb(img, W - 45, tl + 9), kGrey);
    // Drawing tells the user nothing.
    QVERIFY(errors.isEmpty());

    // The image editor of a broken picture shows the mark too.
    QTest::mouseMove(f.surface(), QPoint(100, itemTop(2) + 9));
    QCOMPARE(f.list->hotItem(), 2);
    auto* image = f.child<QWidget>("imgImage");
    QVERIFY(image->isVisible());
    QCOMPARE(image->grab().toImage().convertToFormat(QImage::Format_RGB32), mark17);
}

void tst_uAdvList::pictureChangedOnDiskShowsAtTheNextRepaint() {
    ListFixture f;
    buildKinds(f);
    const int t5 = itemTop(5);
    QCOMPARE(rgb(f.grab(), W - 30, t5 + 8), kGreen);
    // The bitmap editor rewrites the file right away: same size, other pixels.
    QVERIFY(f.writeBitmap("pic.bmp", cornerPicture(QColor(10, 20, 30), QColor(255, 0, 255),
                                                   QColor(0, 0, 255), QColor(255, 0, 0))));
    f.list->Redraw();
    QCOMPARE(rgb(f.grab(), W - 30, t5 + 8), rgb(10, 20, 30));
    QVERIFY(f.writeBitmap("pic.bmp", cornerPicture(QColor(40, 50, 60), QColor(255, 0, 255),
                                                   QColor(0, 0, 255), QColor(255, 0, 0))));
    f.list->Redraw();
    QCOMPARE(rgb(f.grab(), W - 30, t5 + 8), rgb(40, 50, 60));
    // A file that disappears shows the mark.
    QVERIFY(QFile::remove(f.work + "pic.bmp"));
    f.list->Redraw();
    QCOMPARE(rgb(f.grab(), W - 38, t5 + 1), kMarkRed);
}

void tst_uAdvList::scrollRangeAndScrolling() {
    ListFixture f;
    // Five categories of ten items: 5 x 20 + 50 x 18 = 1000 pixels of rows, plus the last line.
    f.list->model()->LoadingItems();
    for (int c = 1; c <= 5; ++c) {
        const QString cat = QStringLiteral("(c%1)").arg(c);
        f.list->model()->AddCat(cat, cat);
        for (int i = 1; i <= 10; ++i) {
            const QString key = QStringLiteral("K%1_%2").arg(c).arg(i);
            f.skin->AddInfo(key, 255 * c);
            f.list->model()->AddItem(cat, key, key, KindColor);
        }
    }
    f.list->model()->Ready(f.skin);
    f.setSurfaceSize(W, H);
    QVERIFY(f.show());
    QVERIFY(!f.scroller()->isEnabled()); // 100 pixels of folded categories fit
    for (int c = 1; c <= 5; ++c)
        f.model()->setExpanded(c, true);
    QVERIFY(f.scroller()->isEnabled());
    QCOMPARE(f.scroller()->maximum(), 61);

    f.scroller()->setValue(61);
    QCOMPARE(f.list->offset(), -610);
    QCOMPARE(f.model()->category(1).Area.top(), 1 - 610);
    QCOMPARE(f.model()->category(5).Area.top(), 801 - 610);
    QImage img = f.grab();
    QCOMPARE(rgb(img, 5, 191), kBlue);
    QCOMPARE(rgb(img, 5, 190), kWhite);
    QCOMPARE(rgb(img, W - 45, 190 - 9), kGrey); // an item of category 4 above it

    // Hit testing follows the scrolled rows.
    const uAdvList::Hit hit = f.list->HitTest(QPoint(100, 191 + 19 + 5));
    QCOMPARE(hit.cat, 5);
    QCOMPARE(hit.item, 1);

    // Folding everything: the content fits again, the bar is disabled and goes back to the top.
    for (int c = 1; c <= 5; ++c)
        f.model()->setExpanded(c, false);
    QVERIFY(!f.scroller()->isEnabled());
    QCOMPARE(f.list->offset(), 0);
    QCOMPARE(f.model()->category(1).Area.top(), 1);
    img = f.grab();
    QCOMPARE(rgb(img, 5, 1), kBlue);

    // Four categories open, the fifth folded: 821 pixels in 400 give (421 \ 10) + 1.
    for (int c = 1; c <= 4; ++c)
        f.model()->setExpanded(c, true);
    QCOMPARE(f.scroller()->maximum(), 43);
}

void tst_uAdvList::wheelScrollsThreeSteps() {
    ListFixture f;
    f.list->model()->LoadingItems();
    f.list->model()->AddCat("(a)", "A");
    for (int i = 1; i <= 60; ++i)
        f.list->model()->AddItem("(a)", QString::number(i), QStringLiteral("N%1").arg(i), KindNumber);
    f.list->model()->Ready(f.skin);
    f.model()->setExpanded(1, true);
    f.setSurfaceSize(W, 200);
    QVERIFY(f.show());
    QVERIFY(f.scroller()->isEnabled());

    const auto wheel = [&](int delta) {
        const QPointF pos(50, 50);
        QWheelEvent ev(pos, f.surface()->mapToGlobal(pos), QPoint(), QPoint(0, delta), Qt::NoButton,
                       Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(f.surface(), &ev);
    };
    wheel(-120);
    QCOMPARE(f.scroller()->value(), 3);
    QCOMPARE(f.list->offset(), -30);
    // A fine-grained wheel adds up to whole steps.
    wheel(-20);
    QCOMPARE(f.scroller()->value(), 3);
    wheel(-20);
    QCOMPARE(f.scroller()->value(), 4);
    wheel(240);
    QCOMPARE(f.scroller()->value(), 0);
    wheel(120);
    QCOMPARE(f.scroller()->value(), 0);
}

void tst_uAdvList::picturesAreDistinctAndSized() {
    QList<QImage> icons;
    for (int k = 0; k < 8; ++k)
        icons << ListPictures::kindIcon(k);
    icons << ListPictures::notSetIcon();
    for (int i = 0; i < icons.size(); ++i) {
        QCOMPARE(icons[i].size(), QSize(16, 16));
        for (int j = i + 1; j < icons.size(); ++j)
            QVERIFY2(icons[i] != icons[j], qPrintable(QStringLiteral("%1 %2").arg(i).arg(j)));
    }
    QCOMPARE(ListPictures::expandedPicture().size(), QSize(19, 19));
    QCOMPARE(ListPictures::foldedInPicture().size(), QSize(19, 19));
    QVERIFY(ListPictures::expandedPicture() != ListPictures::foldedInPicture());
    QCOMPARE(ListPictures::placeholderPicture().size(), QSize(17, 17));
}

void tst_uAdvList::bundledDefaultSkinDrawsEveryRow() {
    ListFixture f;
    const QString bundled = binDir() + "/skins/(default).skn";
    QVERIFY2(QFileInfo(bundled).isFile(), qPrintable(bundled));
    QVERIFY(QFile::copy(bundled, f.folders.skinsDir() + "(default).skn"));
    ErrorRecorder errors;
    f.skin->CaricaSkin("(default).skn");
    loadSkinSchema(*f.list->model(), f.skin);
    for (int c = 1; c <= f.model()->categoryCount(); ++c)
        f.model()->setExpanded(c, true);
    f.setSurfaceSize(W, 1400);
    QVERIFY(f.show());
    QVERIFY(!f.scroller()->isEnabled()); // all of it fits
    const QImage img = f.grab();
    QVERIFY(errors.isEmpty());

    const QImage mark16 = ListPictures::missingPicture(16).convertToFormat(QImage::Format_RGB32);
    const QImage mark17 = ListPictures::missingPicture(17).convertToFormat(QImage::Format_RGB32);
    int pictures = 0;
    int swatches = 0;
    for (int c = 1; c <= f.model()->categoryCount(); ++c) {
        QCOMPARE(rgb(img, 3, f.model()->category(c).Area.top() + 5), kBlue);
        for (int i = 1; i <= f.model()->itemCount(c); ++i) {
            const tItem& it = f.model()->item(c, i);
            QVERIFY2(it.IsSet, qPrintable(it.ItemKey)); // the default skin sets everything
            const int t = it.Area.top();
            if (it.Kind == KindImage) {
                QVERIFY2(img.copy(W - 38, t + 1, 16, 16) != mark16, qPrintable(it.ItemKey));
                ++pictures;
            } else if (it.Kind == KindMask) {
                QVERIFY2(img.copy(W - 38, t + 1, 17, 17) != mark17, qPrintable(it.ItemKey));
                QVERIFY2(img.copy(W - 19, t + 1, 17, 17) != mark17, qPrintable(it.ItemKey));
                ++pictures;
            } else if (it.Kind == KindColor) {
                const QColor colour = toQColor(toInt32Clamped(readNumber(it.ItemValue)));
                QCOMPARE(img.pixelColor(W - 20, t + 9), colour);
                ++swatches;
            }
        }
    }
    QVERIFY(pictures > 0 && swatches > 0);
}

QTEST_MAIN(tst_uAdvList)
#include "tst_uadvlist.moc"
