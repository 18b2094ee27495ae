#include "common/errors.h"
#include "gradient/ucolorsel.h"
#include "gradient/usfum.h"
#include "quietgrab.h"
#include "scriptedprompts.h"
#include "testsupport.h"

#include <QTest>
#include <QWindow>

namespace {

struct Stop {
    Colour colour;
    float position;
};

std::shared_ptr<cSfum> modelOf(const QList<Stop>& stops) {
    auto model = std::make_shared<cSfum>();
    for (const Stop& s : stops)
        model->AggiungiColore(s.colour, s.position, 0);
    return model;
}

// The marker pictures as characters: '.' transparent, 'W' white, 'D' dark grey, 'f' the fill.
QStringList pictureAsText(const QImage& image, QRgb fill) {
    QStringList rows;
    for (int y = 0; y < image.height(); ++y) {
        QString row;
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (qAlpha(p) == 0)
                row += u'.';
            else if (p == 0xFFFFFFFF)
                row += u'W';
            else if (p == 0xFF7F7F7F)
                row += u'D';
            else if (p == fill)
                row += u'f';
            else
                row += u'?';
        }
        rows << row;
    }
    return rows;
}

const QStringList kPictureH{
    "..............", "..............", "..............", "..............", ".......W......",
    "......DfW.....", ".....DfffW....", "....DfffffW...", "...DfffffffW..", "..DfffffffffW.",
    ".DDDDDDDDDDDDD", "..............", "..............", "..............",
};
const QStringList kPictureV{
    "..........D...", ".........WD...", "........WfD...", ".......WffD...", "......WfffD...",
    ".....WffffD...", "....WfffffD...", ".....DffffD...", "......DfffD...", ".......DffD...",
    "........DfD...", ".........DD...", "..........D...", "..............",
};
const QStringList kPictureQ{
    "..............", "..............", "..............", "...WWWWWWWD...", "...WffffffD...",
    "...WffffffD...", "...WffffffD...", "...WffffffD...", "...WffffffD...", "...WffffffD...",
    "...DDDDDDDD...", "..............", "..............", "..............",
};

constexpr int kB = 14;  // the bar's start in the dialog's size
constexpr int kL = 228; // and its length
constexpr int kCrossY = 34;

} // namespace

class TestUSfum : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { dropPointerGrabWarnings(); }
    void init();
    void cleanup();
    void markerPictures_data();
    void markerPictures();
    void newControlShowsAWhiteBarAndSquareMarkers();
    void markersOfThe228PixelBar();
    void barShowsOneShadePerColumn();
    void firstMarkerCreatesAStopFiveIntoTheBar();
    void lastMarkerCreatesAStopFiveIntoTheBar();
    void innerMarkerThresholds_data();
    void innerMarkerThresholds();
    void draggingPastANeighbourSwapsThem();
    void draggingBackPastANeighbourSwapsThem();
    void onlyTheLeftButtonDrags();
    void pointerUpLoadsTheSelector();
    void selectorChangesReachTheSelectedStop();
    void dragThroughTheWindowKeepsGoingWhileTheMarkerIsHidden();
    void refusedStopEndsTheDrag();
    void addAndRemoveColours();
    void modelOperations();
    void orientation();
    void pointerArithmetic();

private:
    // The control sits in a window, as in the dialog, so that its own size changes at once.
    QWidget* host = nullptr;
    uSfum* sfum = nullptr;
    QWidget* marker(int i) { return sfum->imgFreccia(i); }
    // Presses marker i at its centre (grab offset 7), so a pointer at control x = z puts the
    // dragged marker's centre at z.
    void press(int i, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mousePress(marker(i), button, {}, QPoint(7, 7));
    }
    void moveTo(int pressed, int z) {
        QTest::mouseMove(marker(pressed), marker(pressed)->mapFrom(sfum, QPoint(z, kCrossY)));
    }
    void release(int pressed, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseRelease(marker(pressed), button, {}, QPoint(7, 7));
    }
    QList<Colour> colours() const {
        QList<Colour> out;
        for (qint16 i = 1; i <= sfum->NColori(); ++i)
            out << sfum->Colore(i);
        return out;
    }
    QList<float> positions() const {
        QList<float> out;
        for (qint16 i = 1; i <= sfum->NColori(); ++i)
            out << sfum->model()->Posizione(i);
        return out;
    }
};

void TestUSfum::init() {
    host = new QWidget;
    host->resize(300, 300);
    sfum = new uSfum(host);
    sfum->setGeometry(10, 10, 256, 41);
    sfum->ReadProperties(true, 0, 0);
    host->show();
    QVERIFY(QTest::qWaitForWindowExposed(host));
}

void TestUSfum::cleanup() {
    delete host;
    host = nullptr;
    sfum = nullptr;
}

void TestUSfum::markerPictures_data() {
    QTest::addColumn<uSfum::Shape>("shape");
    QTest::addColumn<bool>("selected");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("H") << uSfum::Shape::H << false << kPictureH;
    QTest::newRow("H selected") << uSfum::Shape::H << true << kPictureH;
    QTest::newRow("V") << uSfum::Shape::V << false << kPictureV;
    QTest::newRow("V selected") << uSfum::Shape::V << true << kPictureV;
    QTest::newRow("Q") << uSfum::Shape::Q << false << kPictureQ;
    QTest::newRow("Q selected") << uSfum::Shape::Q << true << kPictureQ;
}

void TestUSfum::markerPictures() {
    QFETCH(uSfum::Shape, shape);
    QFETCH(bool, selected);
    QFETCH(QStringList, expected);
    const QImage picture = uSfum::markerImage(shape, selected);
    QCOMPARE(picture.size(), QSize(14, 14));
    QCOMPARE(pictureAsText(picture, selected ? 0xFF878787 : 0xFFCCCCCC), expected);
}

void TestUSfum::newControlShowsAWhiteBarAndSquareMarkers() {
    uSfum fresh;
    QVERIFY(!fresh.Enabled());
    QCOMPARE(fresh.NColori(), qint16(2));
    QCOMPARE(fresh.Colore(1), 0xFFFFFF);
    QCOMPARE(fresh.Colore(2), 0xFFFFFF);
    QCOMPARE(fresh.model()->Posizione(2), 100.0f);
    QCOMPARE(fresh.barRect(), QRect(kB, 5, kL, 22));
    const QImage bar = fresh.barPicture();
    QCOMPARE(bar.size(), QSize(kL, 22));
    for (int x = 0; x < bar.width(); x += 7)
        QCOMPARE(bar.pixel(x, 11), qRgb(255, 255, 255));
    QVERIFY(fresh.imgFreccia(0)->isHidden());
    const QImage square = uSfum::markerImage(uSfum::Shape::Q, false);
    for (int i : {1, 2}) {
        QVERIFY(!fresh.imgFreccia(i)->isHidden());
        QCOMPARE(fresh.markerPicture(i), square);
    }
    QCOMPARE(fresh.imgFreccia(1)->pos(), QPoint(1, 27));
    QCOMPARE(fresh.imgFreccia(2)->pos(), QPoint(242, 27));
    // On screen: the marker's fill shows, its transparent corner shows the control behind it.
    fresh.show();
    QVERIFY(QTest::qWaitForWindowExposed(&fresh));
    const QImage shot = fresh.grab().toImage();
    QCOMPARE(shot.pixel(1 + 6, 27 + 6), qRgb(0xCC, 0xCC, 0xCC));
    QCOMPARE(shot.pixel(1, 27), shot.pixel(0, 40));
    QCOMPARE(shot.pixel(100, 15), qRgb(255, 255, 255));
}

void TestUSfum::markersOfThe228PixelBar() {
    sfum->SetcSfum(modelOf({{0x0000FF, 0}, {0x00FF00, 50}, {0xFF0000, 100}}));
    QCOMPARE(sfum->model()->NSfumature(), qint16(kL));
    QCOMPARE(marker(1)->pos(), QPoint(1, 27));
    QCOMPARE(marker(2)->pos(), QPoint(121, 27));
    QCOMPARE(marker(3)->pos(), QPoint(242, 27));
    for (int i = 1; i <= 3; ++i) {
        QVERIFY(!marker(i)->isHidden());
        QCOMPARE(marker(i)->toolTip(), QStringLiteral("Colore %1").arg(i));
    }
    QCOMPARE(sfum->markerPicture(1), uSfum::markerImage(uSfum::Shape::Q, false));
    QCOMPARE(sfum->markerPicture(2), uSfum::markerImage(uSfum::Shape::H, false));
    QCOMPARE(sfum->markerPicture(3), uSfum::markerImage(uSfum::Shape::Q, false));
    // Selecting shows the selected picture of the same shape.
    press(2);
    release(2);
    QCOMPARE(sfum->selectedStop(), qint16(2));
    QCOMPARE(sfum->markerPicture(2), uSfum::markerImage(uSfum::Shape::H, true));
    QCOMPARE(marker(2)->pos(), QPoint(121, 27));
    press(3);
    release(3);
    QCOMPARE(sfum->markerPicture(3), uSfum::markerImage(uSfum::Shape::Q, true));
    QCOMPARE(sfum->markerPicture(2), uSfum::markerImage(uSfum::Shape::H, false));
}

void TestUSfum::barShowsOneShadePerColumn() {
    sfum->SetcSfum(modelOf({{0, 0}, {0x0000FF, 100}}));
    cSfum reference;
    reference.setNSfumature(kL);
    reference.AggiungiColore(0, 0);
    reference.AggiungiColore(0x0000FF, 100);
    const QImage bar = sfum->barPicture();
    for (int x = 0; x < kL; ++x) {
        const QRgb expected = toQRgb(reference.Sfumatura(qint16(x + 1)));
        QCOMPARE(bar.pixel(x, 0), expected);
        QCOMPARE(bar.pixel(x, 21), expected);
    }
    QCOMPARE(bar.pixel(0, 10), qRgb(0, 0, 0));
    QCOMPARE(bar.pixel(kL - 1, 10), qRgb(255, 0, 0));
}

void TestUSfum::firstMarkerCreatesAStopFiveIntoTheBar() {
    sfum->SetcSfum(modelOf({{0x0000FF, 0}, {0xFF0000, 100}}));
    press(1);
    QCOMPARE(sfum->selectedStop(), qint16(1));
    moveTo(1, kB + 4);
    QCOMPARE(sfum->NColori(), qint16(2));
    moveTo(1, kB + 5);
    QCOMPARE(sfum->NColori(), qint16(3));
    QCOMPARE(colours(), (QList<Colour>{0x0000FF, 0x0000FF, 0xFF0000}));
    QCOMPARE(sfum->model()->Posizione(2), float(5 * 100.0 / kL));
    QCOMPARE(sfum->selectedStop(), qint16(2));
    QCOMPARE(sfum->draggedStop(), qint16(2));
    QCOMPARE(marker(1)->pos(), QPoint(1, 27));
    // The new stop follows the pointer with the ghost.
    moveTo(1, kB + 114);
    QCOMPARE(sfum->model()->Posizione(2), 50.0f);
    QVERIFY(!marker(0)->isHidden());
    QVERIFY(marker(2)->isHidden());
    QCOMPARE(marker(0)->pos(), QPoint(kB + 114 - 7, 27));
    release(1);
    QVERIFY(marker(0)->isHidden());
    QVERIFY(!marker(2)->isHidden());
    QCOMPARE(marker(2)->pos(), QPoint(121, 27));
    QCOMPARE(sfum->selectedStop(), qint16(2));
    QCOMPARE(marker(1)->pos(), QPoint(1, 27));
}

void TestUSfum::lastMarkerCreatesAStopFiveIntoTheBar() {
    sfum->SetcSfum(modelOf({{0x0000FF, 0}, {0xFF0000, 100}}));
    press(2);
    moveTo(2, kB + kL - 4);
    QCOMPARE(sfum->NColori(), qint16(2));
    moveTo(2, kB + kL - 5);
    QCOMPARE(sfum->NColori(), qint16(3));
    QCOMPARE(colours(), (QList<Colour>{0x0000FF, 0xFF0000, 0xFF0000}));
    QCOMPARE(sfum->selectedStop(), qint16(2));
    QCOMPARE(sfum->draggedStop(), qint16(2));
    QCOMPARE(marker(3)->pos(), QPoint(242, 27));
    release(2);
    QCOMPARE(positions().last(), 100.0f);
}

void TestUSfum::innerMarkerThresholds_data() {
    QTest::addColumn<int>("z");
    QTest::addColumn<QList<Colour>>("expected");
    QTest::addColumn<int>("selected");
    const QList<Colour> unchanged{0x0000FF, 0x00FF00, 0xFF0000};
    QTest::newRow("1 before the start merges into the first")
        << kB - 1 << QList<Colour>{0x00FF00, 0xFF0000} << 1;
    QTest::newRow("at the start nothing") << kB << unchanged << 2;
    QTest::newRow("4 inside nothing") << kB + 4 << unchanged << 2;
    QTest::newRow("4 before the end merges into the last")
        << kB + kL - 4 << QList<Colour>{0x0000FF, 0x00FF00} << 2;
    QTest::newRow("5 before the end moves") << kB + kL - 5 << unchanged << 2;
    QTest::newRow("past the end merges into the last")
        << kB + kL + 20 << QList<Colour>{0x0000FF, 0x00FF00} << 2;
}

void TestUSfum::innerMarkerThresholds() {
    QFETCH(int, z);
    QFETCH(QList<Colour>, expected);
    QFETCH(int, selected);
    sfum->SetcSfum(modelOf({{0x0000FF, 0}, {0x00FF00, 50}, {0xFF0000, 100}}));
    press(2);
    moveTo(2, z);
    QCOMPARE(colours(), expected);
    QCOMPARE(int(sfum->selectedStop()), selected);
    if (expected.size() == 2) {
        QCOMPARE(sfum->imgFreccia(3), nullptr);
        QVERIFY(marker(0)->isHidden());
        QCOMPARE(positions(), (QList<float>{0, 100}));
    } else {
        QVERIFY(sfum->imgFreccia(3));
    }
    release(2);
    QCOMPARE(colours(), expected);
}

void TestUSfum::draggingPastANeighbourSwapsThem() {
    const QList<Colour> c{0x000001, 0x000002, 0x000003, 0x000004, 0x000005};
    sfum->SetcSfum(modelOf({{c[0], 0}, {c[1], 20}, {c[2], 40}, {c[3], 60}, {c[4], 100}}));
    const QPoint fourth = marker(4)->pos();
    press(3);
    moveTo(3, kB + 150); // 65.8 %, past stop 4 at 60 %
    QCOMPARE(colours(), (QList<Colour>{c[0], c[1], c[3], c[2], c[4]}));
    QCOMPARE(positions(), (QList<float>{0, 20, 60, 66, 100}));
    QCOMPARE(sfum->draggedStop(), qint16(4));
    QCOMPARE(marker(3)->pos(), fourth);
    QVERIFY(!marker(3)->isHidden());
    QVERIFY(marker(4)->isHidden());
    // The drag goes on with stop 4.
    moveTo(3, kB + 171); // 75 %
    QCOMPARE(positions(), (QList<float>{0, 20, 60, 75, 100}));
    QCOMPARE(colours(), (QList<Colour>{c[0], c[1], c[3], c[2], c[4]}));
    release(3);
    QCOMPARE(sfum->selectedStop(), qint16(4));
    QVERIFY(!marker(4)->isHidden());
    QCOMPARE(marker(4)->pos(), QPoint(kB + 171 - 7, 27));
}

void TestUSfum::draggingBackPastANeighbourSwapsThem() {
    sfum->SetcSfum(modelOf({{1, 0}, {2, 20}, {3, 40}, {4, 100}}));
    press(3);
    moveTo(3, kB + 30); // 13.2 %, before stop 2 at 20 %
    QCOMPARE(colours(), (QList<Colour>{1, 3, 2, 4}));
    QCOMPARE(positions(), (QList<float>{0, 13, 20, 100}));
    QCOMPARE(sfum->draggedStop(), qint16(2));
    // Equal positions do not swap back.
    moveTo(3, kB + 30);
    QCOMPARE(colours(), (QList<Colour>{1, 3, 2, 4}));
    release(3);
}

void TestUSfum::onlyTheLeftButtonDrags() {
    sfum->SetcSfum(modelOf({{1, 0}, {2, 50}, {3, 100}}));
    press(2, Qt::RightButton);
    QCOMPARE(sfum->selectedStop(), qint16(2)); // any button selects
    moveTo(2, kB + 200);
    QCOMPARE(positions(), (QList<float>{0, 50, 100}));
    release(2, Qt::RightButton);
}

void TestUSfum::pointerUpLoadsTheSelector() {
    uColorSel selector;
    sfum->setColorSelector(&selector);
    QVERIFY(!selector.Enabled());
    sfum->SetcSfum(modelOf({{0x0000FF, 0}, {0x336699, 50}, {0xFF0000, 100}}));
    QVERIFY(!selector.Enabled());
    press(2);
    release(2);
    QVERIFY(selector.Enabled());
    QCOMPARE(selector.lastColor(), 0x336699);
    QCOMPARE(selector.GetNewColor(), 0x336699);
    // The mixed colours the selector reports on the way end with the stop's own colour, and no
    // other stop is touched.
    QCOMPARE(colours(), (QList<Colour>{0x0000FF, 0x336699, 0xFF0000}));
    press(1);
    release(1);
    QCOMPARE(selector.lastColor(), 0x0000FF);
    QCOMPARE(colours(), (QList<Colour>{0x0000FF, 0x336699, 0xFF0000}));
    sfum->LiberaColorSel();
    QVERIFY(selector.Enabled());
    selector.SetInitialColor(0x00FF00);
    QCOMPARE(sfum->Colore(1), 0x0000FF);
}

void TestUSfum::selectorChangesReachTheSelectedStop() {
    uColorSel selector;
    sfum->setColorSelector(&selector);
    sfum->SetcSfum(modelOf({{0, 0}, {0, 100}}));
    press(2);
    release(2);
    selector.setValueG(255);
    QCOMPARE(sfum->Colore(2), 0x00FF00);
    QCOMPARE(sfum->Colore(1), 0);
    // The bar is repainted at once.
    QCOMPARE(sfum->barPicture().pixel(kL - 1, 5), qRgb(0, 255, 0));
}

void TestUSfum::dragThroughTheWindowKeepsGoingWhileTheMarkerIsHidden() {
    // Through the window, as the platform delivers the pointer: the pressed marker is hidden by
    // the first move, and the rest of the drag must still arrive.
    sfum->SetcSfum(modelOf({{1, 0}, {2, 50}, {3, 100}}));
    QWindow* window = host->windowHandle();
    QVERIFY(window);
    const QPoint start = marker(2)->mapTo(host, QPoint(7, 7));
    const int end = sfum->mapTo(host, QPoint(kB + 171, 0)).x();
    QTest::mousePress(window, Qt::LeftButton, {}, start);
    QCOMPARE(sfum->draggedStop(), qint16(2));
    for (int x = start.x(); x <= end; x += 10)
        QTest::mouseMove(window, QPoint(x, start.y()));
    QTest::mouseMove(window, QPoint(end, start.y()));
    QVERIFY(marker(2)->isHidden());
    QCOMPARE(sfum->model()->Posizione(2), 75.0f);
    QTest::mouseRelease(window, Qt::LeftButton, {}, QPoint(end, start.y()));
    QVERIFY(!marker(2)->isHidden());
    QCOMPARE(marker(2)->pos(), QPoint(kB + 171 - 7, 27));
    QCOMPARE(QWidget::mouseGrabber(), nullptr);
}

void TestUSfum::refusedStopEndsTheDrag() {
    // A model whose stops fill the bar's 228 shades cannot take another one. The inner stops
    // start at 10 %, clear of the first marker.
    QList<Stop> stops{{0, 0}};
    for (int i = 1; i < kL; ++i)
        stops.push_back({i, float(10 + (i - 1) * 90.0 / (kL - 2))});
    sfum->SetcSfum(modelOf(stops));
    ScriptedPrompts prompts;
    sfum->setPrompts(&prompts);
    QWindow* window = host->windowHandle();
    const QPoint start = marker(1)->mapTo(host, QPoint(7, 7));
    QTest::mousePress(window, Qt::LeftButton, {}, start);
    QCOMPARE(QWidget::mouseGrabber(), sfum);
    QTest::mouseMove(window, sfum->mapTo(host, QPoint(kB + 40, kCrossY)));
    QCOMPARE(prompts.shownTexts(), QStringList{cSfum::barFullText()});
    QCOMPARE(sfum->NColori(), qint16(kL));
    // The message box that shows the refusal must get the pointer.
    QCOMPARE(QWidget::mouseGrabber(), nullptr);
    QTest::mouseMove(window, sfum->mapTo(host, QPoint(kB + 60, kCrossY)));
    QCOMPARE(prompts.shownTexts().size(), 1);
    QTest::mouseRelease(window, Qt::LeftButton, {}, sfum->mapTo(host, QPoint(kB + 60, kCrossY)));
}

void TestUSfum::addAndRemoveColours() {
    // AddColor on the default model: the white stop at 100 moves half-way, the new one ends it.
    sfum->AddColor(0x123456);
    QCOMPARE(colours(), (QList<Colour>{0xFFFFFF, 0xFFFFFF, 0x123456}));
    QCOMPARE(positions(), (QList<float>{0, 50, 100}));
    QVERIFY(marker(3) && !marker(3)->isHidden());
    sfum->AddColor(0x654321);
    QCOMPARE(positions(), (QList<float>{0, 50, 75, 100}));

    sfum->RemoveColor(2);
    QCOMPARE(colours(), (QList<Colour>{0xFFFFFF, 0x123456, 0x654321}));
    QCOMPARE(sfum->imgFreccia(4), nullptr);
    QCOMPARE(sfum->markerPicture(3), uSfum::markerImage(uSfum::Shape::Q, false));

    // Removing the selected last stop moves the selection to the new last stop.
    press(3);
    release(3);
    sfum->RemoveSelectedColor();
    QCOMPARE(sfum->NColori(), qint16(2));
    QCOMPARE(sfum->selectedStop(), qint16(2));
    QCOMPARE(sfum->markerPicture(2), uSfum::markerImage(uSfum::Shape::Q, true));
    // Two stops are the least the control keeps.
    sfum->RemoveColor(1);
    sfum->RemoveSelectedColor();
    QCOMPARE(sfum->NColori(), qint16(2));

    sfum->SetcSfum(modelOf({{1, 0}, {2, 30}, {3, 60}, {4, 100}}));
    sfum->ResetColors();
    QCOMPARE(colours(), (QList<Colour>{0xFFFFFF, 0xFFFFFF}));
    QCOMPARE(positions(), (QList<float>{0, 100}));
    QCOMPARE(sfum->markerCount(), 3);
}

void TestUSfum::modelOperations() {
    auto model = modelOf({{0, 12.5f}, {0xFF, 13.5f}, {0, 100}});
    sfum->SetcSfum(model);
    QCOMPARE(sfum->Posizione(1), 12);
    QCOMPARE(sfum->Posizione(2), 14);
    QCOMPARE(sfum->NColori(), qint16(3));

    // A smaller model does not leave the markers of the larger one behind.
    sfum->SetcSfum(modelOf({{0, 0}, {0xFF, 100}}));
    QCOMPARE(model->NColori(), qint16(0)); // the model held before is emptied
    QCOMPARE(sfum->markerCount(), 3);

    // Shades read out at the control's own number of shades, not the bar's.
    sfum->setNSfumature(5);
    QList<Colour> shades;
    for (qint16 i = 1; i <= 5; ++i)
        shades << sfum->Sfumatura(i);
    QCOMPARE(shades, (QList<Colour>{0, 64, 128, 191, 255}));

    // Handing in the model the control already holds empties it first.
    sfum->SetcSfum(sfum->model());
    QCOMPARE(sfum->NColori(), qint16(0));
}

void TestUSfum::orientation() {
    sfum->setOrientation(1);
    QCOMPARE(sfum->size(), QSize(41, 256));
    QCOMPARE(sfum->barRect(), QRect(5, 14, 22, 228));
    QCOMPARE(sfum->model()->NSfumature(), qint16(228));
    QCOMPARE(marker(1)->pos(), QPoint(27, 1));
    QCOMPARE(marker(2)->pos(), QPoint(27, 242));
    // The same value again still swaps.
    sfum->setOrientation(1);
    QCOMPARE(sfum->size(), QSize(256, 41));
    sfum->setOrientation(1);
    sfum->SetcSfum(modelOf({{0x0000FF, 0}, {0x00FF00, 50}, {0xFF0000, 100}}));
    QCOMPARE(sfum->markerPicture(2), uSfum::markerImage(uSfum::Shape::V, false));
    QCOMPARE(marker(2)->pos(), QPoint(27, 121));
    // One shade per row.
    const QImage bar = sfum->barPicture();
    QCOMPARE(bar.pixel(0, 0), qRgb(255, 0, 0));
    QCOMPARE(bar.pixel(21, 227), qRgb(0, 0, 255));
    // Dragging goes along y.
    press(2);
    QTest::mouseMove(marker(2), marker(2)->mapFrom(sfum, QPoint(34, kB + 171)));
    release(2);
    QCOMPARE(sfum->model()->Posizione(2), 75.0f);
}

void TestUSfum::pointerArithmetic() {
    using namespace SfumPointer;
    QCOMPARE(markerStart(1, 3, 14, 1), 1);
    QCOMPARE(markerStart(3, 3, 14, 228), 242);
    QCOMPARE(markerStart(2, 3, 14, 114), 121);
    QCOMPARE(wouldBeStart(100.5, 14, 7), 94); // 93.5 -> 94
    QCOMPARE(wouldBeStart(99.5, 14, 7), 92);  // 92.5 -> 92
    QCOMPARE(percentAt(14 + 57, 14, 228), 25.0f);
    QCOMPARE(actionFor(1, 2, 18, 14, 228), Action::Nothing);
    QCOMPARE(actionFor(1, 2, 19, 14, 228), Action::CreateAfterFirst);
    QCOMPARE(actionFor(2, 2, 238, 14, 228), Action::Nothing);
    QCOMPARE(actionFor(2, 2, 237, 14, 228), Action::CreateBeforeLast);
    QCOMPARE(actionFor(2, 3, 13, 14, 228), Action::MergeIntoFirst);
    QCOMPARE(actionFor(2, 3, 18, 14, 228), Action::Nothing);
    QCOMPARE(actionFor(2, 3, 19, 14, 228), Action::Move);
    QCOMPARE(actionFor(2, 3, 237, 14, 228), Action::Move);
    QCOMPARE(actionFor(2, 3, 238, 14, 228), Action::MergeIntoLast);
}

QTEST_MAIN(TestUSfum)
#include "tst_usfum.moc"
