#include "common/errors.h"
#include "gradient/csfum.h"
#include "testsupport.h"

#include <QImage>
#include <QPainter>
#include <QTest>

namespace {

const QString kTooFewShades =
    QStringLiteral("Il numero di sfumature deve essere maggiore o uguale al numero dei colori");
const QString kTooManyColours =
    QStringLiteral("Impossibile aggiungere un altro colore, il numero delle sfumature è uguale "
                   "a quello dei Colori.");

// Records what a gradient draws, line by line.
class RecordingTarget : public GradientTarget {
public:
    struct Line {
        Colour colour;
        QPoint from;
        QPoint to;
    };
    void setForeColor(Colour colour) override { m_colour = colour; }
    void moveTo(int x, int y) override { m_pos = QPoint(x, y); }
    void lineTo(int x, int y) override {
        lines.push_back({m_colour, m_pos, QPoint(x, y)});
        m_pos = QPoint(x, y);
    }
    QList<Line> lines;

private:
    Colour m_colour = 0;
    QPoint m_pos;
};

QList<Colour> shades(cSfum& model) {
    QList<Colour> out;
    for (qint16 i = 1; i <= model.NSfumature(); ++i)
        out << model.Sfumatura(i);
    return out;
}

} // namespace

class TestCSfum : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void newModelIsEmptyAndBlack();
    void interpolation_data();
    void interpolation();
    void absolutePositions_data();
    void absolutePositions();
    void shadesOutsideTheStopsStayBlack();
    void coincidingStopsGiveTheLaterColour();
    void tableFollowsEveryChange();
    void insertionOrder();
    void settersKeepPlaceAndOtherAttribute();
    void tooFewShadesIsRefused();
    void tooManyColoursIsRefused();
    void indexesOutsideTheStopsTouchNothing();
    void stopsOutsideTheTableDoNotWritePastIt();
    void printHorizontalLines();
    void printOnImage();
    void printWithRefusedShadesDrawsOnlyTheTable();
    void painterTargetLeavesOutTheEndPoint();
};

void TestCSfum::newModelIsEmptyAndBlack() {
    cSfum model;
    QCOMPARE(model.NColori(), qint16(0));
    QCOMPARE(model.NSfumature(), qint16(255));
    const QList<Colour> table = shades(model);
    QCOMPARE(table.size(), 255);
    QVERIFY(std::all_of(table.begin(), table.end(), [](Colour c) { return c == 0; }));
}

void TestCSfum::interpolation_data() {
    QTest::addColumn<qint16>("count");
    QTest::addColumn<Colour>("from");
    QTest::addColumn<Colour>("to");
    QTest::addColumn<QList<Colour>>("expected");
    // s = 63.75: 127.5 rounds to the even 128, 191.25 down to 191.
    QTest::newRow("black to red") << qint16(5) << 0 << 255 << QList<Colour>{0, 64, 128, 191, 255};
    QTest::newRow("red to black") << qint16(5) << 255 << 0 << QList<Colour>{255, 191, 128, 64, 0};
    QTest::newRow("black to green")
        << qint16(5) << 0 << 0xFF00 << QList<Colour>{0, 64 << 8, 128 << 8, 191 << 8, 255 << 8};
    QTest::newRow("black to blue") << qint16(5) << 0 << 0xFF0000
                                   << QList<Colour>{0, 64 << 16, 128 << 16, 191 << 16, 255 << 16};
    // 0.5 goes to the even 0, not to 1.
    QTest::newRow("half step") << qint16(3) << 0 << 1 << QList<Colour>{0, 0, 1};
    QTest::newRow("components apart")
        << qint16(3) << makeColour(10, 200, 0) << makeColour(20, 100, 255)
        << QList<Colour>{makeColour(10, 200, 0), makeColour(15, 150, 128),
                         makeColour(20, 100, 255)};
    QTest::newRow("two shades") << qint16(2) << 7 << 9 << QList<Colour>{7, 9};
}

void TestCSfum::interpolation() {
    QFETCH(qint16, count);
    QFETCH(Colour, from);
    QFETCH(Colour, to);
    QFETCH(QList<Colour>, expected);
    cSfum model;
    model.setNSfumature(count);
    model.AggiungiColore(from, 0);
    model.AggiungiColore(to, 100);
    QCOMPARE(shades(model), expected);
}

void TestCSfum::absolutePositions_data() {
    QTest::addColumn<qint16>("count");
    QTest::addColumn<float>("position");
    QTest::addColumn<qint16>("expected");
    QTest::newRow("0 is 1, never 0") << qint16(255) << 0.0f << qint16(1);
    QTest::newRow("0.4 is 1") << qint16(255) << 0.4f << qint16(1);
    QTest::newRow("10 (25.5)") << qint16(255) << 10.0f << qint16(26);
    QTest::newRow("30 (76.5)") << qint16(255) << 30.0f << qint16(76);
    QTest::newRow("50 (127.5)") << qint16(255) << 50.0f << qint16(128);
    QTest::newRow("100") << qint16(255) << 100.0f << qint16(255);
    // The percent is rounded to even before it is scaled.
    QTest::newRow("12.5 reads as 12") << qint16(255) << 12.5f << qint16(31);
    QTest::newRow("13.5 reads as 14") << qint16(255) << 13.5f << qint16(36);
    QTest::newRow("228 at 50") << qint16(228) << 50.0f << qint16(114);
    QTest::newRow("228 at 100") << qint16(228) << 100.0f << qint16(228);
}

void TestCSfum::absolutePositions() {
    QFETCH(qint16, count);
    QFETCH(float, position);
    QFETCH(qint16, expected);
    cSfum model;
    model.setNSfumature(count);
    model.AggiungiColore(0, position);
    QCOMPARE(model.PosizioneAss(1), expected);
    QCOMPARE(model.Posizione(1), position); // stored unrounded
}

void TestCSfum::shadesOutsideTheStopsStayBlack() {
    cSfum model;
    model.setNSfumature(10);
    model.AggiungiColore(0xFFFFFF, 20); // shade 2
    model.AggiungiColore(0xFFFFFF, 80); // shade 8
    const QList<Colour> expected{0,        0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF,
                                 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0,        0};
    QCOMPARE(shades(model), expected);
}

void TestCSfum::coincidingStopsGiveTheLaterColour() {
    cSfum model;
    model.setNSfumature(10);
    model.AggiungiColore(0, 0);
    model.AggiungiColore(0x0000FF, 50);
    model.AggiungiColore(0x00FF00, 50);
    model.AggiungiColore(0xFF0000, 100);
    QCOMPARE(model.Sfumatura(5), 0x00FF00);
    QCOMPARE(model.Sfumatura(1), 0);
    QCOMPARE(model.Sfumatura(10), 0xFF0000);
}

void TestCSfum::tableFollowsEveryChange() {
    cSfum model;
    model.setNSfumature(5);
    model.AggiungiColore(0, 0);
    model.AggiungiColore(255, 100);
    QCOMPARE(model.Sfumatura(3), 128);
    model.setColore(2, 0);
    QCOMPARE(model.Sfumatura(3), 0);
    model.setColore(1, 255);
    model.setColore(2, 255);
    QCOMPARE(model.Sfumatura(5), 255);
    model.setPosizione(2, 50); // shade 2: 2.5 rounds to even
    QCOMPARE(model.PosizioneAss(2), qint16(2));
    model.AggiungiColore(0, 100);
    QCOMPARE(shades(model), (QList<Colour>{255, 255, 170, 85, 0}));
    model.TogliColore(3);
    model.TogliColore(2);
    model.AggiungiColore(0, 100);
    QCOMPARE(model.Sfumatura(3), 128);
    // A new number of shades starts from a black table.
    model.Reset();
    model.setNSfumature(4);
    QCOMPARE(shades(model), (QList<Colour>{0, 0, 0, 0}));
}

void TestCSfum::insertionOrder() {
    cSfum model;
    model.AggiungiColore(1, 10, 0);
    model.AggiungiColore(2, 20, 5); // past the stops: appended
    model.AggiungiColore(3, 5, 1);  // before the first
    model.AggiungiColore(4, 15, 3); // in the middle
    model.AggiungiColore(5, 0, -1); // a negative index adds nothing
    QCOMPARE(model.NColori(), qint16(4));
    const QList<Colour> colours{model.Colore(1), model.Colore(2), model.Colore(3), model.Colore(4)};
    QCOMPARE(colours, (QList<Colour>{3, 1, 4, 2}));
    const QList<float> positions{model.Posizione(1), model.Posizione(2), model.Posizione(3),
                                 model.Posizione(4)};
    QCOMPARE(positions, (QList<float>{5, 10, 15, 20}));
    model.TogliColore(9);
    model.TogliColore(0);
    QCOMPARE(model.NColori(), qint16(4));
    model.TogliColore(2);
    QCOMPARE(model.Colore(2), 4);
    model.Reset();
    QCOMPARE(model.NColori(), qint16(0));
    QCOMPARE(model.NSfumature(), qint16(255));
}

void TestCSfum::settersKeepPlaceAndOtherAttribute() {
    cSfum model;
    model.AggiungiColore(10, 0);
    model.AggiungiColore(20, 40.5f);
    model.AggiungiColore(30, 100);
    for (qint16 i = 1; i <= 3; ++i) {
        model.setColore(i, 100 + i);
        model.setPosizione(i, 10.25f * i);
    }
    for (qint16 i = 1; i <= 3; ++i) {
        QCOMPARE(model.Colore(i), 100 + i);
        QCOMPARE(model.Posizione(i), 10.25f * i);
    }
}

void TestCSfum::tooFewShadesIsRefused() {
    ErrorRecorder errors;
    cSfum model;
    model.setNSfumature(3);
    model.AggiungiColore(0, 0);
    model.AggiungiColore(255, 50);
    model.AggiungiColore(0, 100);
    model.setNSfumature(3); // equal is allowed
    QVERIFY(errors.isEmpty());
    const QList<Colour> before = shades(model);
    model.setNSfumature(2);
    QCOMPARE(errors.entries.size(), 1);
    QCOMPARE(errors.entries[0].text, kTooFewShades);
    QCOMPARE(errors.entries[0].caption, QStringLiteral("cSfum"));
    QCOMPARE(model.NSfumature(), qint16(3));
    QCOMPARE(shades(model), before);
}

void TestCSfum::tooManyColoursIsRefused() {
    // The refusal is the caller's to tell: the model reports nothing itself.
    ErrorRecorder errors;
    cSfum model;
    for (int i = 0; i < 255; ++i)
        QCOMPARE(model.AggiungiColore(i, float(i) * 100 / 254), cSfum::AddResult::Added);
    QCOMPARE(model.AggiungiColore(0xFFFFFF, 50, 1), cSfum::AddResult::BarFull);
    QCOMPARE(cSfum::barFullText(), kTooManyColours);
    QCOMPARE(model.NColori(), qint16(255));
    QCOMPARE(model.Colore(1), 0);
    // A colour change of a full model removes and adds again, which must not be refused.
    model.setColore(1, 0x123456);
    QCOMPARE(model.Colore(1), 0x123456);
    QCOMPARE(model.AggiungiColore(0, 0, -1), cSfum::AddResult::BarFull);
    model.TogliColore(1);
    QCOMPARE(model.AggiungiColore(0, 0, -1), cSfum::AddResult::BadIndex);
    QVERIFY(errors.isEmpty());
}

void TestCSfum::indexesOutsideTheStopsTouchNothing() {
    cSfum model;
    model.AggiungiColore(7, 0);
    model.AggiungiColore(9, 100);
    for (qint16 index : {qint16(-1), qint16(0), qint16(3), qint16(32767)}) {
        QCOMPARE(model.Colore(index), 0);
        QCOMPARE(model.Posizione(index), 0.0f);
        QCOMPARE(model.PosizioneAss(index), qint16(0));
        model.setColore(index, 1);
        model.setPosizione(index, 1);
    }
    QCOMPARE(model.NColori(), qint16(2));
    QCOMPARE(model.Colore(1), 7);
    QCOMPARE(model.Colore(2), 9);
    QCOMPARE(model.Posizione(2), 100.0f);
    QCOMPARE(model.Sfumatura(0), 0);
    QCOMPARE(model.Sfumatura(256), 0);
    QCOMPARE(model.Sfumatura(-5), 0);
}

void TestCSfum::stopsOutsideTheTableDoNotWritePastIt() {
    // Positions from a damaged file: beyond 100 %, negative, and beyond any 16-bit number.
    for (float far : {150.0f, -20.0f, 1e9f, -1e9f}) {
        cSfum model;
        model.setNSfumature(10);
        model.AggiungiColore(0x0000FF, 0);
        model.AggiungiColore(0xFFFFFF, far);
        model.AggiungiColore(0x00FF00, 100);
        const QList<Colour> table = shades(model); // must not write outside the table
        QCOMPARE(table.size(), 10);
        QCOMPARE(table.first(), 0x0000FF);
    }
    cSfum model;
    model.setNSfumature(10);
    model.AggiungiColore(0, 0);
    model.AggiungiColore(0xFF, 150); // shade 15: the interval stops at the table's end
    QCOMPARE(model.Sfumatura(1), 0);
    QCOMPARE(model.Sfumatura(10), 164); // 9 * 255/14 = 163.93
}

void TestCSfum::printHorizontalLines() {
    cSfum model;
    model.AggiungiColore(0, 0);
    model.AggiungiColore(0xFFFFFF, 100);
    RecordingTarget target;
    model.SetObject(&target);
    model.StampaSfumatura(3, 4, 100, 20, 0);
    QCOMPARE(model.NSfumature(), qint16(100));
    QCOMPARE(target.lines.size(), 100);
    for (int i = 0; i < 100; ++i) {
        const auto& line = target.lines[i];
        QCOMPARE(line.from, QPoint(3 + i, 4));
        QCOMPARE(line.to, QPoint(3 + i, 24));
        QCOMPARE(line.colour, model.Sfumatura(qint16(i + 1)));
    }
    QCOMPARE(target.lines.first().colour, 0);
    QCOMPARE(target.lines.last().colour, 0xFFFFFF);

    target.lines.clear();
    model.StampaSfumatura(3, 4, 100, 20, 1);
    QCOMPARE(model.NSfumature(), qint16(20));
    QCOMPARE(target.lines.size(), 20);
    QCOMPARE(target.lines[5].from, QPoint(3, 9));
    QCOMPARE(target.lines[5].to, QPoint(103, 9));
}

void TestCSfum::printOnImage() {
    cSfum model;
    model.AggiungiColore(0x0000FF, 0);
    model.AggiungiColore(0xFF0000, 100);
    QImage image(120, 40, QImage::Format_RGB32);
    image.fill(Qt::green);
    {
        QPainter painter(&image);
        PainterGradientTarget target(&painter);
        model.SetObject(&target);
        model.StampaSfumatura(10, 5, 100, 20, 0);
    }
    QCOMPARE(image.pixel(10, 5), qRgb(255, 0, 0));
    QCOMPARE(image.pixel(10, 24), qRgb(255, 0, 0));
    QCOMPARE(image.pixel(109, 5), qRgb(0, 0, 255));
    QCOMPARE(image.pixel(60, 15), toQRgb(model.Sfumatura(51)));
    // The end points of the lines are left out, and nothing is drawn beside the rectangle.
    QCOMPARE(image.pixel(10, 25), qRgb(0, 255, 0));
    QCOMPARE(image.pixel(9, 5), qRgb(0, 255, 0));
    QCOMPARE(image.pixel(110, 5), qRgb(0, 255, 0));
    QCOMPARE(image.pixel(10, 4), qRgb(0, 255, 0));
}

void TestCSfum::printWithRefusedShadesDrawsOnlyTheTable() {
    ErrorRecorder errors;
    cSfum model;
    model.setNSfumature(5);
    for (int i = 0; i < 5; ++i)
        model.AggiungiColore(i, float(i) * 25);
    RecordingTarget target;
    model.SetObject(&target);
    model.StampaSfumatura(0, 0, 3, 10, 0);
    QCOMPARE(errors.texts(), QStringList{kTooFewShades});
    QCOMPARE(model.NSfumature(), qint16(5));
    QCOMPARE(target.lines.size(), 3);
    // A length no number of shades can hold draws nothing.
    target.lines.clear();
    model.StampaSfumatura(0, 0, 40000, 10, 0);
    QVERIFY(target.lines.isEmpty());
    QCOMPARE(model.NSfumature(), qint16(5));
}

void TestCSfum::painterTargetLeavesOutTheEndPoint() {
    QImage image(10, 10, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        PainterGradientTarget target(&painter);
        target.setForeColor(0);
        target.moveTo(8, 1);
        target.lineTo(2, 1); // leftwards: 8..3
        target.moveTo(1, 2);
        target.lineTo(4, 5); // diagonal: (1,2), (2,3), (3,4)
        target.lineTo(4, 5); // zero length: nothing
    }
    auto black = [&](int x, int y) {
        return image.pixel(x, y) == qRgb(0, 0, 0);
    };
    for (int x = 3; x <= 8; ++x)
        QVERIFY(black(x, 1));
    QVERIFY(!black(2, 1));
    QVERIFY(!black(9, 1));
    QVERIFY(black(1, 2) && black(2, 3) && black(3, 4));
    QVERIFY(!black(4, 5));
}

QTEST_GUILESS_MAIN(TestCSfum)
#include "tst_csfum.moc"
