#include "bitmap/picturebox.h"
#include "bitmap/ueditor.h"

#include <QPainter>
#include <QSignalSpy>
#include <QTest>

namespace {

const Colour kWhite = makeColour(255, 255, 255);
const Colour kRed = makeColour(255, 0, 0);
const Colour kBlue = makeColour(0, 0, 255);
const Colour kGreen = makeColour(0, 255, 0);
const Colour kMagenta = makeColour(255, 0, 255);
const Colour kExtra = makeColour(1, 2, 3); // marks the column and row that are never shown

// A W x H picture of one colour, plus the extra column and row.
ColourArray picture(int w, int h, Colour fill) {
    ColourArray a(w + 1, QList<Colour>(h + 1, fill));
    for (int x = 0; x <= w; ++x)
        a[x][h] = kExtra;
    for (int y = 0; y <= h; ++y)
        a[w][y] = kExtra;
    return a;
}

Colour grabbed(const QImage& image, int x, int y) {
    return fromQRgb(image.pixel(x, y));
}

} // namespace

class TestUEditor : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void drawsCellsAndEighteenGridLines();
    void cellSizeFollowsTheShorterSideDownToNothing();
    void buttonsPaintTheirColours_data();
    void buttonsPaintTheirColours();
    void dragPaintsEveryCellCrossed();
    void pointJustLeftOfTheGridMapsToColumnZero();
    void previewShowsMaskPixelsInViewColourAndRedrawsOnChange();
    void drawImageWritesExactlyWTimesH();
    void lineTool();
    void fillToolStaysInsideTheFourConnectedArea();
    void eyedropperTakesTheButtonsColour();
    void undoAndRedoWholeStrokes_data();
    void undoAndRedoWholeStrokes();
    void mirroredAndConstrainedShapes_data();
    void mirroredAndConstrainedShapes();
    void centredGridGrowsInWholePixels_data();
    void centredGridGrowsInWholePixels();

private:
    QPoint centre(int x, int y) const { return m_editor->cellRect(x, y).center(); }
    std::unique_ptr<QWidget> m_window;
    uEditor* m_editor = nullptr;
    PictureBox* m_preview = nullptr;
};

void TestUEditor::init() {
    m_window = std::make_unique<QWidget>();
    m_window->resize(400, 340);
    m_editor = new uEditor(m_window.get());
    m_editor->setObjectName(QStringLiteral("uEditor"));
    m_editor->setGeometry(5, 5, 300, 300);
    m_preview = new PictureBox(m_window.get());
    m_preview->setGeometry(320, 5, 21, 21);
    m_editor->Init(picture(17, 17, kWhite));
    m_editor->setLeftColor(kRed);
    m_editor->setRightColor(kBlue);
    m_editor->SetPreviewBox(m_preview, kMagenta);
    m_editor->setViewColor(kGreen);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    m_editor->Draw();
}

void TestUEditor::cleanup() {
    m_window.reset();
    m_editor = nullptr;
    m_preview = nullptr;
}

void TestUEditor::drawsCellsAndEighteenGridLines() {
    QCOMPARE(m_editor->cellSize(), 17);
    ColourArray a = picture(17, 17, kWhite);
    a[2][3] = kRed;
    m_editor->Init(a);
    m_editor->Draw();
    // Cells inside their lines; the lines leave out their end points; beyond, the background.
    QImage expected(300, 300, QImage::Format_RGB32);
    expected.fill(toQRgb(uEditor::kBackground));
    QPainter p(&expected);
    p.fillRect(0, 0, 289, 289, toQColor(kWhite));
    p.fillRect(2 * 17, 3 * 17, 17, 17, toQColor(kRed));
    for (int i = 0; i <= 17; ++i) {
        p.fillRect(i * 17, 0, 1, 289, toQColor(uEditor::kGridPen));
        p.fillRect(0, i * 17, 289, 1, toQColor(uEditor::kGridPen));
    }
    p.end();
    QCOMPARE(m_editor->grab().toImage().convertToFormat(QImage::Format_RGB32), expected);
}

void TestUEditor::cellSizeFollowsTheShorterSideDownToNothing() {
    m_editor->resize(400, 300); // wider: the height decides
    m_editor->Init(picture(17, 10, kWhite));
    m_editor->Draw();
    QCOMPARE(m_editor->cellSize(), 300 / 10);
    m_editor->resize(170, 300); // taller: the width decides
    m_editor->Draw();
    QCOMPARE(m_editor->cellSize(), 170 / 17);

    // Too small for a cell: nothing painted, and a click neither paints nor hangs.
    m_editor->resize(10, 10);
    m_editor->Draw();
    QCOMPARE(m_editor->cellSize(), 0);
    QCOMPARE(grabbed(m_editor->grab().toImage(), 0, 0), uEditor::kBackground);
    QSignalSpy down(m_editor, &uEditor::MouseDown);
    QTest::mouseClick(m_editor, Qt::LeftButton, {}, QPoint(2, 2));
    QCOMPARE(down.count(), 1);
    QCOMPARE(m_editor->pixel(0, 0), kWhite);
    QCOMPARE(m_editor->cellAt(QPointF(2, 2)), QPoint(-1, -1));

    // An empty array and a single element show nothing either.
    m_editor->resize(300, 300);
    for (const ColourArray& a : {ColourArray{}, ColourArray{{kRed}}}) {
        m_editor->Init(a);
        m_editor->Draw();
        QCOMPARE(m_editor->cellSize(), 0);
    }

    // Before Init: no grid, the preview keeps its background, nothing is drawn out.
    uEditor fresh(m_window.get());
    fresh.setGeometry(0, 0, 50, 50);
    PictureBox box(m_window.get());
    box.resize(21, 21);
    box.setBackColor(kBlue);
    fresh.SetPreviewBox(&box, kMagenta);
    fresh.Draw();
    QVERIFY(!fresh.hasGrid() && box.point(1, 1) == kBlue && fresh.pixel(0, 0) == kColourNotSet);
    QImage dest(4, 4, QImage::Format_RGB32);
    dest.fill(Qt::black);
    fresh.DrawImage(&dest);
    QCOMPARE(fromQRgb(dest.pixel(0, 0)), 0);
}

void TestUEditor::buttonsPaintTheirColours_data() {
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<Colour>("expected");
    QTest::newRow("left") << Qt::LeftButton << kRed;
    QTest::newRow("right") << Qt::RightButton << kBlue;
    QTest::newRow("middle paints nothing") << Qt::MiddleButton << kWhite;
}

void TestUEditor::buttonsPaintTheirColours() {
    QFETCH(Qt::MouseButton, button);
    QFETCH(Colour, expected);
    QSignalSpy down(m_editor, &uEditor::MouseDown);
    QTest::mouseClick(m_editor, button, {}, centre(4, 6));
    QCOMPARE(down.count(), 1);
    QCOMPARE(m_editor->pixel(4, 6), expected);
    QCOMPARE(m_editor->pixel(5, 6), kWhite);
    const QImage shot = m_editor->grab().toImage();
    QCOMPARE(grabbed(shot, centre(4, 6).x(), centre(4, 6).y()), expected);

    // A button colour of -1 paints nothing.
    m_editor->setLeftColor(kColourNotSet);
    m_editor->setRightColor(kColourNotSet);
    QTest::mouseClick(m_editor, button, {}, centre(8, 8));
    QCOMPARE(m_editor->pixel(8, 8), kWhite);
}

void TestUEditor::dragPaintsEveryCellCrossed() {
    QTest::mousePress(m_editor, Qt::LeftButton, {}, centre(1, 2));
    for (int x = 2; x <= 5; ++x)
        QTest::mouseMove(m_editor, centre(x, 2));
    QTest::mouseRelease(m_editor, Qt::LeftButton, {}, centre(5, 2));
    for (int x = 0; x <= 6; ++x)
        QCOMPARE(m_editor->pixel(x, 2), x >= 1 && x <= 5 ? kRed : kWhite);
    // Moving with no button held paints nothing.
    QTest::mouseMove(m_editor, centre(7, 2));
    QCOMPARE(m_editor->pixel(7, 2), kWhite);

    // Nor does a drag with both buttons held.
    QTest::mousePress(m_editor, Qt::LeftButton, {}, centre(1, 1));
    QCOMPARE(m_editor->pixel(1, 1), kRed);
    QTest::mousePress(m_editor, Qt::RightButton, {}, centre(1, 1));
    QCOMPARE(m_editor->pixel(1, 1), kRed);
    for (int x = 2; x <= 4; ++x)
        QTest::mouseMove(m_editor, centre(x, 1));
    QTest::mouseRelease(m_editor, Qt::RightButton, {}, centre(4, 1));
    QTest::mouseRelease(m_editor, Qt::LeftButton, {}, centre(4, 1));
    for (int x = 2; x <= 4; ++x)
        QCOMPARE(m_editor->pixel(x, 1), kWhite);
}

void TestUEditor::pointJustLeftOfTheGridMapsToColumnZero() {
    // 16.5 rounds to 16 and 17.5 to 18; column 17 is never shown.
    for (const auto& [x, column] :
         {std::pair{-5.0, 0}, {-16.4, 0}, {-17.0, -1}, {16.5, 0}, {17.5, 1}, {289.0, -1}})
        QCOMPARE(m_editor->cellAt(QPointF(x, 8)), column < 0 ? QPoint(-1, -1) : QPoint(column, 0));

    // Dragging out of the control to the left keeps painting column 0.
    QTest::mousePress(m_editor, Qt::RightButton, {}, centre(2, 3));
    QTest::mouseMove(m_editor, QPoint(-5, centre(2, 3).y()));
    QTest::mouseMove(m_editor, QPoint(-5, centre(2, 4).y()));
    QTest::mouseMove(m_editor, QPoint(-30, centre(2, 5).y()));
    QTest::mouseRelease(m_editor, Qt::RightButton, {}, QPoint(-30, centre(2, 5).y()));
    QCOMPARE(m_editor->pixel(2, 3), kBlue);
    QCOMPARE(m_editor->pixel(0, 3), kBlue);
    QCOMPARE(m_editor->pixel(0, 4), kBlue);
    QCOMPARE(m_editor->pixel(0, 5), kWhite);
}

void TestUEditor::previewShowsMaskPixelsInViewColourAndRedrawsOnChange() {
    QTest::mouseClick(m_editor, Qt::LeftButton, {}, centre(3, 3));
    QCOMPARE(m_preview->point(4, 4), kRed);
    QCOMPARE(m_preview->point(1, 1), kWhite);

    m_preview->setBackColor(kWhite);
    ColourArray a = picture(17, 17, kMagenta);
    a[16][16] = kBlue;
    m_editor->Init(a);
    m_editor->Draw();
    QVERIFY(m_preview->point(1, 1) == kGreen && m_preview->point(17, 17) == kBlue);
    // The picture sits one pixel in; the margin and the extra column are not drawn.
    QVERIFY(m_preview->point(0, 0) == kWhite && m_preview->point(18, 5) == kWhite);
    QCOMPARE(m_preview->picture().size(), QSize(19, 19));

    // A changed view colour shows only at the next redraw; a click on a cell that already has
    // the colour raises MouseDown but redraws nothing.
    QSignalSpy down(m_editor, &uEditor::MouseDown);
    m_editor->setViewColor(kBlue);
    m_editor->setLeftColor(kMagenta);
    QTest::mouseClick(m_editor, Qt::LeftButton, {}, centre(0, 0));
    QCOMPARE(down.count(), 1);
    QCOMPARE(m_preview->point(1, 1), kGreen);
    m_editor->setLeftColor(kRed);
    QTest::mouseClick(m_editor, Qt::LeftButton, {}, centre(0, 0));
    QCOMPARE(down.count(), 2);
    QVERIFY(m_preview->point(1, 1) == kRed && m_preview->point(2, 1) == kBlue);
    const QImage shot = m_preview->grab().toImage();
    QCOMPARE(grabbed(shot, 2, 2), kRed); // inside the one-pixel frame
    QCOMPARE(grabbed(shot, 3, 2), kBlue);
}

void TestUEditor::drawImageWritesExactlyWTimesH() {
    ColourArray a = picture(17, 17, kWhite);
    a[16][0] = kRed;
    a[0][16] = kBlue;
    m_editor->Init(a);
    const QRgb sentinel = qRgb(7, 7, 7);
    QImage dest(20, 20, QImage::Format_RGB32), expected(20, 20, QImage::Format_RGB32);
    dest.fill(sentinel);
    expected.fill(sentinel);
    QPainter(&expected).fillRect(0, 0, 17, 17, toQColor(kWhite));
    expected.setPixel(16, 0, toQRgb(kRed));
    expected.setPixel(0, 16, toQRgb(kBlue));
    m_editor->DrawImage(&dest);
    QCOMPARE(dest, expected);

    // A smaller destination takes what fits.
    QImage small(5, 5, QImage::Format_RGB32);
    small.fill(sentinel);
    m_editor->DrawImage(&small);
    QCOMPARE(fromQRgb(small.pixel(4, 4)), kWhite);
}

void TestUEditor::lineTool() {
    m_editor->setTool(uEditor::Tool::Line);
    QSignalSpy down(m_editor, &uEditor::MouseDown);
    QTest::mousePress(m_editor, Qt::LeftButton, {}, centre(1, 1));
    QTest::mouseMove(m_editor, centre(3, 4));
    QTest::mouseMove(m_editor, centre(7, 3));
    // While dragging the line shows but the picture is not changed yet.
    QCOMPARE(m_editor->pixel(4, 2), kWhite);
    QCOMPARE(grabbed(m_editor->grab().toImage(), centre(4, 2).x(), centre(4, 2).y()), kRed);
    QTest::mouseRelease(m_editor, Qt::LeftButton, {}, centre(7, 3));
    QCOMPARE(down.count(), 1);
    QCOMPARE(m_editor->pixel(4, 2), kRed);

    // The right button draws in its colour; an end outside the grid stays on its edge.
    QTest::mousePress(m_editor, Qt::RightButton, {}, centre(10, 10));
    QTest::mouseMove(m_editor, QPoint(299, centre(10, 10).y()));
    QTest::mouseRelease(m_editor, Qt::RightButton, {}, QPoint(299, centre(10, 10).y()));
    for (int x = 10; x <= 17; ++x)
        QCOMPARE(m_editor->pixel(x, 10), x < 17 ? kBlue : kExtra);

    // A second button during the drag drops the line.
    QTest::mousePress(m_editor, Qt::LeftButton, {}, centre(0, 15));
    QTest::mousePress(m_editor, Qt::RightButton, {}, centre(5, 15));
    QTest::mouseRelease(m_editor, Qt::RightButton, {}, centre(5, 15));
    QTest::mouseRelease(m_editor, Qt::LeftButton, {}, centre(5, 15));
    for (int x = 0; x <= 5; ++x)
        QCOMPARE(m_editor->pixel(x, 15), kWhite);
}

void TestUEditor::fillToolStaysInsideTheFourConnectedArea() {
    // A closed blue square from (2,2) to (6,6) with a diagonal gap at a corner only.
    ColourArray a = picture(17, 17, kWhite);
    for (int i = 2; i <= 6; ++i)
        a[i][2] = a[i][6] = a[2][i] = a[6][i] = kBlue;
    a[6][6] = kWhite; // touches the inside only diagonally
    m_editor->Init(a);
    m_editor->Draw();
    m_editor->setTool(uEditor::Tool::Fill);
    QSignalSpy down(m_editor, &uEditor::MouseDown);
    QTest::mouseClick(m_editor, Qt::LeftButton, {}, centre(4, 4));
    QCOMPARE(down.count(), 1);
    for (int x = 3; x <= 5; ++x)
        for (int y = 3; y <= 5; ++y)
            QCOMPARE(m_editor->pixel(x, y), kRed);
    QCOMPARE(m_editor->pixel(6, 6), kWhite);
    QCOMPARE(m_editor->pixel(0, 0), kWhite);
    QCOMPARE(m_editor->pixel(2, 2), kBlue);
    QCOMPARE(m_preview->point(5, 5), kRed);

    // The outside, right button: everything white, but not the extra row and column.
    QTest::mouseClick(m_editor, Qt::RightButton, {}, centre(0, 0));
    QCOMPARE(m_editor->pixel(16, 16), kBlue);
    QCOMPARE(m_editor->pixel(6, 6), kBlue);
    QCOMPARE(m_editor->pixel(4, 4), kRed);
    QCOMPARE(m_editor->pixel(17, 0), kExtra);
    QCOMPARE(m_editor->pixel(0, 17), kExtra);
}

void TestUEditor::eyedropperTakesTheButtonsColour() {
    ColourArray a = picture(17, 17, kWhite);
    a[3][3] = kGreen;
    a[4][4] = kMagenta;
    m_editor->Init(a);
    m_editor->Draw();
    m_editor->setTool(uEditor::Tool::Eyedropper);
    QSignalSpy down(m_editor, &uEditor::MouseDown);
    QSignalSpy change(m_editor, &uEditor::ColorChange);
    QTest::mouseClick(m_editor, Qt::LeftButton, {}, centre(3, 3));
    QVERIFY(m_editor->LeftColor() == kGreen && m_editor->RightColor() == kBlue);
    QTest::mouseClick(m_editor, Qt::RightButton, {}, centre(4, 4));
    QVERIFY(m_editor->LeftColor() == kGreen && m_editor->RightColor() == kMagenta);
    QVERIFY(down.count() == 2 && change.count() == 2);
    // Nothing painted.
    QVERIFY(m_editor->pixel(3, 3) == kGreen && m_editor->pixel(4, 4) == kMagenta);
}

void TestUEditor::undoAndRedoWholeStrokes_data() {
    QTest::addColumn<uEditor::Tool>("tool");
    QTest::addColumn<QList<QPoint>>("path"); // pressed at the first cell, released at the last
    QTest::addColumn<bool>("step");
    QTest::addColumn<bool>("undoFirst"); // the earlier stroke is undone before this one
    using T = uEditor::Tool;
    using P = QList<QPoint>;
    QTest::newRow("pencil stroke") << T::Pencil << P{{1, 5}, {3, 6}} << true << false;
    QTest::newRow("line") << T::Line << P{{1, 1}, {7, 3}} << true << false;
    QTest::newRow("fill") << T::Fill << P{{12, 12}} << true << false;
    QTest::newRow("eyedropper makes no step") << T::Eyedropper << P{{9, 9}} << false << false;
    QTest::newRow("stroke with no change makes no step")
        << T::Pencil << P{{2, 2}} << false << false;
    QTest::newRow("new stroke clears redo") << T::Pencil << P{{4, 4}} << true << true;
}

void TestUEditor::undoAndRedoWholeStrokes() {
    QFETCH(uEditor::Tool, tool);
    QFETCH(QList<QPoint>, path);
    QFETCH(bool, step);
    QFETCH(bool, undoFirst);
    auto picture = [this] {
        QImage image(17, 17, QImage::Format_RGB32);
        m_editor->DrawImage(&image);
        return image;
    };
    const QImage loaded = picture();
    QTest::mouseClick(m_editor, Qt::LeftButton, {}, centre(2, 2)); // the earlier stroke
    if (undoFirst)
        QVERIFY(m_editor->undo());
    const QImage before = picture();
    m_editor->setTool(tool);
    const QPoint first = centre(path.first().x(), path.first().y());
    const QPoint last = centre(path.last().x(), path.last().y());
    QTest::mousePress(m_editor, Qt::LeftButton, {}, first);
    QTest::mouseMove(m_editor, last);
    QTest::mouseRelease(m_editor, Qt::LeftButton, {}, last);
    const QImage after = picture();
    QCOMPARE(after != before, step);

    // Without a step of its own the gesture leaves the earlier stroke to be the one undone.
    QVERIFY(m_editor->undo());
    QCOMPARE(picture(), step ? before : loaded);
    QCOMPARE(m_editor->isAsLoaded(), !step || undoFirst);
    QCOMPARE(m_preview->point(path.last().x() + 1, path.last().y() + 1),
             m_editor->pixel(path.last().x(), path.last().y()));
    QVERIFY(m_editor->redo());
    QCOMPARE(picture(), after);
    QVERIFY(!m_editor->redo());
}

void TestUEditor::mirroredAndConstrainedShapes_data() {
    QTest::addColumn<uEditor::Tool>("tool");
    QTest::addColumn<uEditor::Symmetry>("symmetry");
    QTest::addColumn<QList<QPoint>>("drag");  // press, release
    QTest::addColumn<int>("keys");            // held at the release
    QTest::addColumn<QList<QPoint>>("cells"); // cells painted, or a sample of them
    QTest::addColumn<int>("count");           // how many cells were painted
    using T = uEditor::Tool;
    using S = uEditor::Symmetry;
    using P = QList<QPoint>;
    const int shift = Qt::ShiftModifier;
    QTest::newRow("pencil, both") << T::Pencil << S::Both << P{{2, 3}, {2, 3}} << 0
                                  << P{{2, 3}, {14, 3}, {2, 13}, {14, 13}} << 4;
    QTest::newRow("pencil, both, the centre pixel is its own image")
        << T::Pencil << S::Both << P{{8, 8}, {8, 8}} << 0 << P{{8, 8}} << 1;
    QTest::newRow("line") << T::Line << S::None << P{{1, 1}, {7, 3}} << 0
                          << P{{1, 1}, {2, 1}, {3, 2}, {4, 2}, {5, 2}, {6, 3}, {7, 3}} << 7;
    QTest::newRow("line, Shift, horizontal")
        << T::Line << S::None << P{{1, 1}, {7, 3}} << shift << P{{1, 1}, {4, 1}, {7, 1}} << 7;
    QTest::newRow("line, Shift, diagonal stops at the edge")
        << T::Line << S::None << P{{14, 1}, {16, 5}} << shift << P{{14, 1}, {15, 2}, {16, 3}} << 3;
    QTest::newRow("rectangle, outline") << T::Rectangle << S::LeftRight << P{{2, 4}, {1, 1}} << 0
                                        << P{{1, 1}, {2, 4}, {14, 2}, {15, 4}} << 16;
    QTest::newRow("rectangle, Ctrl fills") << T::Rectangle << S::None << P{{2, 2}, {5, 4}}
                                           << int(Qt::ControlModifier) << P{{3, 3}} << 12;
    // A blue wall down column 8 parts the picture: each image fills its own side.
    QTest::newRow("fill, left-right") << T::Fill << S::LeftRight << P{{2, 2}, {2, 2}} << 0
                                      << P{{0, 0}, {7, 16}, {9, 0}, {16, 16}} << 16 * 17;
}

void TestUEditor::mirroredAndConstrainedShapes() {
    QFETCH(uEditor::Tool, tool);
    QFETCH(uEditor::Symmetry, symmetry);
    QFETCH(QList<QPoint>, drag);
    QFETCH(int, keys);
    QFETCH(QList<QPoint>, cells);
    QFETCH(int, count);
    ColourArray a = picture(17, 17, kWhite);
    for (int y = 0; y < 17; ++y)
        a[8][y] = kBlue;
    m_editor->Init(a);
    m_editor->setTool(tool);
    m_editor->setSymmetry(symmetry);
    const QPoint end = centre(drag[1].x(), drag[1].y());
    QTest::mousePress(m_editor, Qt::LeftButton, {}, centre(drag[0].x(), drag[0].y()));
    QTest::mouseMove(m_editor, end);
    QTest::mouseRelease(m_editor, Qt::LeftButton, Qt::KeyboardModifiers(keys), end);
    int painted = 0;
    for (int x = 0; x < 17; ++x)
        for (int y = 0; y < 17; ++y)
            painted += m_editor->pixel(x, y) == kRed ? 1 : 0;
    QCOMPARE(painted, count);
    for (const QPoint& cell : cells)
        QCOMPARE(m_editor->pixel(cell.x(), cell.y()), kRed);
    // One stroke, one step, mirror images and all.
    QVERIFY(m_editor->undo());
    QVERIFY(m_editor->isAsLoaded());
}

void TestUEditor::centredGridGrowsInWholePixels_data() {
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("cell");
    QTest::newRow("taller") << QSize(300, 700) << 17;
    QTest::newRow("wider, one pixel short of 28") << QSize(540, 476) << 27;
}

void TestUEditor::centredGridGrowsInWholePixels() {
    QFETCH(QSize, size);
    QFETCH(int, cell);
    m_editor->setCentredGrid(true);
    m_editor->resize(size); // no Draw: the grid follows the control by itself
    QCOMPARE(m_editor->cellSize(), cell);
    const int side = 17 * cell + 1; // the closing line included
    const QPoint origin = m_editor->gridOrigin();
    QCOMPARE(origin, QPoint((size.width() - side) / 2, (size.height() - side) / 2));
    const QImage shot = m_editor->grab().toImage();
    const QPoint far = origin + QPoint(side - 1, side - 1);
    QCOMPARE(grabbed(shot, far.x(), far.y()), uEditor::kGridPen); // the corner is closed
    QCOMPARE(grabbed(shot, far.x(), origin.y() + cell / 2), uEditor::kGridPen);
    QTest::mouseClick(m_editor, Qt::LeftButton, {}, far - QPoint(1, 1));
    QCOMPARE(m_editor->pixel(16, 16), kRed);
}

QTEST_MAIN(TestUEditor)
#include "tst_ueditor.moc"
