#include "gradient/ucolorsel.h"

#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

namespace {

QList<Colour> reported(const QSignalSpy& spy) {
    QList<Colour> out;
    for (const auto& args : spy)
        out << args.at(0).value<Colour>();
    return out;
}

} // namespace

class TestUColorSel : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void layoutOfTheDialogSize();
    void layoutOfATallerControl();
    void setInitialColorReportsEachBarItMoves();
    void typedText_data();
    void typedText();
    void typingZeroesThenSeven();
    void movingABarRewritesItsText();
    void oldSwatchRestoresTheGivenColour();
    void newSwatchRaisesClickOnly();
    void disablingBlocksInputButNotTheSetters();

private:
    QWidget* host = nullptr;
    uColorSel* sel = nullptr;
    QLineEdit* txt(const char* name) { return sel->findChild<QLineEdit*>(name); }
    QScrollBar* bar(const char* name) { return sel->findChild<QScrollBar*>(name); }
    QWidget* child(const char* name) { return sel->findChild<QWidget*>(name); }
};

void TestUColorSel::init() {
    // In a window, as in the dialog, so that the control's own size changes at once.
    host = new QWidget;
    host->resize(400, 200);
    sel = new uColorSel(host);
    sel->setGeometry(5, 50, 256, 76);
    host->show();
    QVERIFY(QTest::qWaitForWindowExposed(host));
}

void TestUColorSel::cleanup() {
    delete host;
    host = nullptr;
    sel = nullptr;
}

void TestUColorSel::layoutOfTheDialogSize() {
    for (const char* c : {"R", "G", "B"}) {
        const QString name = QString::fromLatin1(c);
        QVERIFY2(bar(c) && txt(("txt" + name).toLatin1()) && child(("lbl" + name).toLatin1()), c);
    }
    QCOMPARE(bar("R")->geometry(), QRect(15, 3, 209, 14));
    QCOMPARE(bar("G")->geometry(), QRect(15, 20, 209, 14));
    QCOMPARE(bar("B")->geometry(), QRect(15, 37, 209, 14));
    QCOMPARE(txt("txtR")->geometry().topLeft(), QPoint(227, 3));
    QCOMPARE(txt("txtG")->geometry().topLeft(), QPoint(227, 20));
    QCOMPARE(txt("txtB")->geometry().topLeft(), QPoint(227, 37));
    QCOMPARE(txt("txtB")->width(), 26);
    QCOMPARE(child("lblG")->geometry().topLeft(), QPoint(5, 20));
    QCOMPARE(child("lblG")->width(), 11);
    QCOMPARE(qobject_cast<QLabel*>(child("lblB"))->text(), QStringLiteral("B"));
    QCOMPARE(child("shpLast")->geometry(), QRect(3, 53, 125, 20));
    QCOMPARE(child("shpNew")->geometry(), QRect(127, 53, 126, 20));
    QCOMPARE(bar("R")->minimum(), 0);
    QCOMPARE(bar("R")->maximum(), 255);
    QCOMPARE(txt("txtR")->text(), QStringLiteral("0"));
}

void TestUColorSel::layoutOfATallerControl() {
    // Spacing (97 - 42) / 4 = 13.75 rounds to 14; an odd width halves to even.
    sel->resize(301, 120);
    QCOMPARE(bar("R")->y(), 14);
    QCOMPARE(bar("G")->y(), 42);
    QCOMPARE(bar("B")->y(), 70);
    QCOMPARE(txt("txtG")->geometry().topLeft(), QPoint(272, 42));
    QCOMPARE(bar("G")->width(), 254);
    QCOMPARE(child("shpLast")->geometry(), QRect(3, 97, 148, 20));  // 147.5 -> 148
    QCOMPARE(child("shpNew")->geometry(), QRect(150, 97, 148, 20)); // 148.5 -> 148
}

void TestUColorSel::setInitialColorReportsEachBarItMoves() {
    QSignalSpy spy(sel, &uColorSel::ColorChange);
    sel->SetInitialColor(255);
    // Only the red bar moves: the bar's handler and the text's handler both report.
    QCOMPARE(reported(spy), (QList<Colour>{255, 255}));
    QCOMPARE(sel->GetNewColor(), 255);
    QCOMPARE(sel->lastColor(), 255);
    QCOMPARE(txt("txtR")->text(), QStringLiteral("255"));

    spy.clear();
    sel->SetInitialColor(makeColour(1, 2, 3));
    const QList<Colour> colours = reported(spy);
    // Mixed colours first (new red with old green and blue, then new red and green), the full
    // colour last.
    QCOMPARE(colours.first(), makeColour(1, 0, 0));
    QVERIFY(colours.contains(makeColour(1, 2, 0)));
    QCOMPARE(colours.last(), makeColour(1, 2, 3));
    QCOMPARE(colours.size(), 6);
    QCOMPARE(sel->ValueR(), quint8(1));
    QCOMPARE(sel->ValueG(), quint8(2));
    QCOMPARE(sel->ValueB(), quint8(3));
}

void TestUColorSel::typedText_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("bar");
    QTest::addColumn<QString>("shown");
    QTest::newRow("out of range") << QStringLiteral("300") << 40 << QStringLiteral("300");
    QTest::newRow("half rounds to even") << QStringLiteral("12.5") << 12 << QStringLiteral("12");
    QTest::newRow("half rounds up to even") << QStringLiteral("13.5") << 14 << QStringLiteral("14");
    QTest::newRow("negative") << QStringLiteral("-1") << 40 << QStringLiteral("-1");
    QTest::newRow("not a number") << QStringLiteral("abc") << 40 << QStringLiteral("abc");
    QTest::newRow("number then letters")
        << QStringLiteral("12abc") << 40 << QStringLiteral("12abc");
    QTest::newRow("empty") << QString() << 40 << QString();
    QTest::newRow("beyond 16 bits") << QStringLiteral("70000") << 40 << QStringLiteral("70000");
    QTest::newRow("blanks around") << QStringLiteral(" 200 ") << 200 << QStringLiteral("200");
}

void TestUColorSel::typedText() {
    QFETCH(QString, text);
    QFETCH(int, bar);
    QFETCH(QString, shown);
    const Colour start = makeColour(40, 50, 60);
    sel->SetInitialColor(start);
    QSignalSpy spy(sel, &uColorSel::ColorChange);
    QLineEdit* edit = txt("txtR");
    edit->setFocus();
    edit->selectAll();
    edit->insert(text); // replaces the whole text at once, as a paste does
    QCOMPARE(int(sel->ValueR()), bar);
    QCOMPARE(edit->text(), shown);
    // Every case reports, the last time with the colour of the bars.
    QVERIFY(!spy.isEmpty());
    QCOMPARE(reported(spy).last(), makeColour(bar, 50, 60));
    QCOMPARE(sel->GetNewColor(), makeColour(bar, 50, 60));
}

void TestUColorSel::typingZeroesThenSeven() {
    sel->SetInitialColor(makeColour(0, 90, 0));
    QLineEdit* edit = txt("txtG");
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("007"));
    QCOMPARE(sel->ValueG(), quint8(7));
    QCOMPARE(edit->text(), QStringLiteral("7"));
    QCOMPARE(sel->GetNewColor(), makeColour(0, 7, 0));
}

void TestUColorSel::movingABarRewritesItsText() {
    QSignalSpy spy(sel, &uColorSel::ColorChange);
    bar("B")->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QCOMPARE(txt("txtB")->text(), QStringLiteral("1"));
    QCOMPARE(reported(spy).last(), makeColour(0, 0, 1));
    sel->setValueG(128);
    QCOMPARE(txt("txtG")->text(), QStringLiteral("128"));
    QCOMPARE(sel->GetNewColor(), makeColour(0, 128, 1));
    // The last colour given is not what the bars show.
    QCOMPARE(sel->lastColor(), 0);
}

void TestUColorSel::oldSwatchRestoresTheGivenColour() {
    const Colour given = makeColour(10, 20, 30);
    sel->SetInitialColor(given);
    sel->setValueR(200);
    sel->setValueB(0);
    QCOMPARE(sel->GetNewColor(), makeColour(200, 20, 0));
    QSignalSpy spy(sel, &uColorSel::ColorChange);
    QTest::mouseClick(child("shpLast"), Qt::LeftButton);
    QCOMPARE(sel->GetNewColor(), given);
    QCOMPARE(reported(spy).last(), given);
    QCOMPARE(txt("txtR")->text(), QStringLiteral("10"));
}

void TestUColorSel::newSwatchRaisesClickOnly() {
    sel->SetInitialColor(0x123456);
    QSignalSpy changes(sel, &uColorSel::ColorChange);
    QSignalSpy clicks(sel, &uColorSel::Click);
    QTest::mouseClick(child("shpNew"), Qt::LeftButton);
    QCOMPARE(clicks.size(), 1);
    QVERIFY(changes.isEmpty());
    QCOMPARE(sel->GetNewColor(), 0x123456);
}

void TestUColorSel::disablingBlocksInputButNotTheSetters() {
    sel->SetEnabled(false);
    QVERIFY(!sel->Enabled());
    for (const char* name : {"R", "G", "B", "txtR", "txtG", "txtB", "shpLast", "shpNew"})
        QVERIFY2(!child(name)->isEnabled(), name);
    QVERIFY(child("lblR")->isEnabled());
    QSignalSpy changes(sel, &uColorSel::ColorChange);
    QSignalSpy clicks(sel, &uColorSel::Click);
    sel->SetInitialColor(0xFF00);
    QCOMPARE(reported(changes).last(), 0xFF00);
    QTest::mouseClick(child("shpNew"), Qt::LeftButton);
    QVERIFY(clicks.isEmpty());
    sel->SetEnabled(true);
    QTest::mouseClick(child("shpNew"), Qt::LeftButton);
    QCOMPARE(clicks.size(), 1);
}

QTEST_MAIN(TestUColorSel)
#include "tst_ucolorsel.moc"
