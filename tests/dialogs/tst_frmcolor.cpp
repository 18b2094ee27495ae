#include "common/hexcolour.h"
#include "common/numbers.h"
#include "dialoghelpers.h"
#include "dialogkit/colourpicker.h"
#include "dialogs/frmcolor.h"

#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kKey = QStringLiteral("List_Back");
const QString kCaption = QStringLiteral("Colore Sfondo");

QColor pixelColour(const QImage& image, int x, int y) {
    return QColor(image.pixel(x, y));
}

} // namespace

class TestFrmColor : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void tableRunsThroughTheHuesAndFadesToWhite();
    void opensOnTheValue_data();
    void opensOnTheValue();
    void textsAreValidatedOnEnterAndFocusLoss_data();
    void textsAreValidatedOnEnterAndFocusLoss();
    void tablePickWithMarkerCentredGivesThePickedColour_data();
    void tablePickWithMarkerCentredGivesThePickedColour();
    void draggingOnTheBarKeepsTheBar();
    void swatchesRestoreTheirColours();
    void endings_data();
    void endings();
    void hexBoxAppliesOnEnterAndFollowsTheBars_data();
    void hexBoxAppliesOnEnterAndFollowsTheBars();
    void skinColoursAreOfferedInBothUses();
    void recentColoursAreTheLastTwelveConfirmed();
    void eyedropperTakesTheNextClick_data();
    void eyedropperTakesTheNextClick();

private:
    // Opens the picker for the colour item through a launcher, as the main window does.
    frmColor* openOn(const QVariant& value);

    std::unique_ptr<FakeHost> m_host;
    QPointer<frmColor> m_dialog;
    std::unique_ptr<QTemporaryDir> m_settings; // the user's settings, fresh for every case
};

void TestFrmColor::initTestCase() {
    QStandardPaths::setTestModeEnabled(true);
    registerValueDialog(KindColor, [] { return new frmColor; });
    registerColourPicker(&frmColor::pickColour);
    // The headless platform cannot grab the pointer or the keyboard for "Preleva" and says so;
    // Qt still routes the events to the grabbing widget.
    static QtMessageHandler previous = nullptr;
    previous =
        qInstallMessageHandler([](QtMsgType t, const QMessageLogContext& c, const QString& m) {
            if (!m.startsWith(QLatin1String("This plugin does not support grabbing")))
                previous(t, c, m);
        });
}

void TestFrmColor::init() {
    m_host = std::make_unique<FakeHost>();
    m_settings = std::make_unique<QTemporaryDir>();
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settings->path());
}

void TestFrmColor::cleanup() {
    delete m_dialog.data();
    m_host.reset();
}

frmColor* TestFrmColor::openOn(const QVariant& value) {
    m_host->load({{kKey, kCaption, KindColor, value}});
    auto setting = m_host->edit(kKey);
    m_dialog = qobject_cast<frmColor*>(setting->form());
    if (m_dialog && !QTest::qWaitForWindowExposed(m_dialog))
        qWarning("The colour picker was not exposed");
    return m_dialog;
}

void TestFrmColor::tableRunsThroughTheHuesAndFadesToWhite() {
    frmColor dialog;
    const QImage table = dialog.tablePicture();
    QCOMPARE(table.size(), QSize(200, 255));
    // The six hues at their sixths of the width, full colour in the top row.
    const QList<std::pair<int, QRgb>> hues{{0, qRgb(255, 0, 0)},   {33, qRgb(255, 252, 0)},
                                           {67, qRgb(0, 255, 3)},  {100, qRgb(0, 255, 255)},
                                           {133, qRgb(0, 3, 255)}, {167, qRgb(255, 0, 252)},
                                           {199, qRgb(255, 0, 8)}};
    for (const auto& [x, rgb] : hues)
        QCOMPARE(pixelColour(table, x, 0), QColor(rgb));
    // Every column fades to white, monotonically.
    for (int x = 0; x < 200; x += 7) {
        QCOMPARE(pixelColour(table, x, 254), QColor(Qt::white));
        for (int y = 1; y < 255; ++y) {
            const QColor above = pixelColour(table, x, y - 1), here = pixelColour(table, x, y);
            QVERIFY(here.red() >= above.red() && here.green() >= above.green() &&
                    here.blue() >= above.blue());
        }
    }
    // The table is drawn crisply: on screen it is the picture itself, pixel for pixel.
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QWidget* tav = dialog.findChild<QWidget*>(QStringLiteral("Tav"));
    const QImage shown = tav->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(shown.copy(0, 0, 200, 255), table);
}

void TestFrmColor::opensOnTheValue_data() {
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QRgb>("rgb");
    QTest::newRow("pure red as a number")
        << QVariant(qint32(0x0000FF)) << QStringList{"255", "0", "0"} << qRgb(255, 0, 0);
    QTest::newRow("pure red as its text")
        << QVariant(QStringLiteral("255")) << QStringList{"255", "0", "0"} << qRgb(255, 0, 0);
    QTest::newRow("mixed") << QVariant(qint32(0x406080)) << QStringList{"128", "96", "64"}
                           << qRgb(128, 96, 64);
    QTest::newRow("black") << QVariant(qint32(0)) << QStringList{"0", "0", "0"} << qRgb(0, 0, 0);
}

void TestFrmColor::opensOnTheValue() {
    QFETCH(QVariant, value);
    QFETCH(QStringList, texts);
    QFETCH(QRgb, rgb);
    frmColor* dlg = openOn(value);
    QVERIFY(dlg);
    QCOMPARE(dlg->windowTitle(), kCaption);
    QCOMPARE(dlg->parentWidget(), &m_host->owner); // owned by the main window
    for (int i = 0; i < 3; ++i) {
        const QString bar = QStringLiteral("RGB").mid(i, 1);
        QCOMPARE(dlg->findChild<QLineEdit*>(QStringLiteral("txt") + bar)->text(), texts[i]);
        QCOMPARE(dlg->findChild<QScrollBar*>(bar)->value(), texts[i].toInt());
    }
    for (const char* swatch : {"shpVecchio", "shpColore"}) {
        QWidget* w = dlg->findChild<QWidget*>(swatch);
        QCOMPARE(QColor(grabbedPixel(w, w->rect().center())), QColor(rgb));
    }
    // The bar runs from black through the colour (at the marker, centred) to white.
    const QImage bar = dlg->barPicture();
    QVERIFY(bar.height() == 256 && dlg->linY() == 127 && !dlg->selVisible());
    QCOMPARE((QList<QColor>{pixelColour(bar, 0, 0), pixelColour(bar, 0, 127),
                            pixelColour(bar, bar.width() - 1, 127), pixelColour(bar, 0, 255)}),
             (QList<QColor>{Qt::black, QColor(rgb), QColor(rgb), Qt::white}));
    QCOMPARE(dlg->findChild<QWidget*>("lin")->y(), 127);
}

void TestFrmColor::textsAreValidatedOnEnterAndFocusLoss_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("barWhileTyped");
    QTest::addColumn<QString>("textAfter");
    QTest::addColumn<int>("barAfter");
    // Opened on 0x0000FF: R = 255, G = B = 0. Typing 300 moves the bar to 3 and 30; the last
    // digit leaves it there.
    QTest::newRow("300 in R, Enter") << "txtR"
                                     << "300" << 30 << "255" << 255;
    QTest::newRow("300 in B, focus moves on") << "txtB"
                                              << "300" << 30 << "255" << 255;
    QTest::newRow("in range") << "txtG"
                              << "128" << 128 << "128" << 128;
    QTest::newRow("fraction rounds to even") << "txtG"
                                             << "2.5" << 2 << "2.5" << 2;
    QTest::newRow("letters keep the bar") << "txtG"
                                          << "abc" << 0 << "abc" << 0;
    QTest::newRow("negative keeps the bar") << "txtG"
                                            << "-5" << 0 << "-5" << 0;
    QTest::newRow("empty keeps the bar") << "txtG"
                                         << "" << 0 << "" << 0;
}

void TestFrmColor::textsAreValidatedOnEnterAndFocusLoss() {
    QFETCH(QString, box);
    QFETCH(QString, typed);
    const bool byEnter = box != QLatin1String("txtB"); // else the focus moves on
    QFETCH(int, barWhileTyped);
    QFETCH(QString, textAfter);
    QFETCH(int, barAfter);
    frmColor* dlg = openOn(qint32(0x0000FF));
    QVERIFY(QTest::qWaitForWindowActive(dlg));
    QLineEdit* txt = dlg->findChild<QLineEdit*>(box);
    QScrollBar* bar = dlg->findChild<QScrollBar*>(box.mid(3));
    txt->setFocus();
    QTest::keyClick(txt, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(txt, Qt::Key_Delete);
    QTest::keyClicks(txt, typed);
    QCOMPARE(txt->text(), typed);
    QCOMPARE(bar->value(), barWhileTyped);
    if (byEnter) {
        QTest::keyClick(txt, Qt::Key_Return);
    } else {
        dlg->findChild<QLineEdit*>("txtR")->setFocus(Qt::TabFocusReason);
        QVERIFY(!txt->hasFocus());
    }
    QCOMPARE(txt->text(), textAfter);
    QCOMPARE(bar->value(), barAfter);
    // Enter is swallowed: the dialog stays open and nothing was stored.
    QVERIFY(dlg->isVisible());
    QCOMPARE(m_host->list.Modified(), false);
    if (typed != QLatin1String("abc") && !typed.isEmpty())
        QCOMPARE(dlg->risultato(), dlg->currentColour());
}

void TestFrmColor::tablePickWithMarkerCentredGivesThePickedColour_data() {
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<QPoint>("picked");
    QTest::addColumn<bool>("atTop"); // the bar's marker, moved to its top first
    QTest::newRow("top-left corner: saturated red") << QPoint(0, 0) << QPoint(0, 0) << false;
    QTest::newRow("inside") << QPoint(120, 60) << QPoint(120, 60) << false;
    QTest::newRow("past the right edge is clamped") << QPoint(250, 30) << QPoint(199, 30) << false;
    QTest::newRow("below the picture is clamped") << QPoint(10, 255) << QPoint(10, 254) << false;
    QTest::newRow("marker at the top gives black") << QPoint(150, 40) << QPoint(150, 40) << true;
}

void TestFrmColor::tablePickWithMarkerCentredGivesThePickedColour() {
    QFETCH(QPoint, point);
    QFETCH(QPoint, picked);
    QFETCH(bool, atTop);
    frmColor* dlg = openOn(qint32(0x808080));
    if (atTop) {
        QWidget* bar = dlg->findChild<QWidget*>("pctSfum");
        pressAt(bar, QPoint(5, 0));
        releaseAt(bar, QPoint(5, 0));
        QVERIFY(dlg->linY() == 0 && dlg->currentColour() == 0);
    }
    QWidget* tav = dlg->findChild<QWidget*>("Tav");
    pressAt(tav, point);
    releaseAt(tav, point);
    const auto table = [&](int x, int y) {
        return atTop ? QColor(Qt::black) : pixelColour(dlg->tablePicture(), x, y);
    };
    const QColor expected = table(picked.x(), picked.y());
    if (point == QPoint(0, 0))
        QCOMPARE(expected, QColor(255, 0, 0));
    QCOMPARE(QColor(toQRgb(dlg->currentColour())), expected);
    QVERIFY(dlg->selVisible());
    QCOMPARE(dlg->selPosition(), picked - QPoint(3, 3));
    QCOMPARE(pixelColour(dlg->barPicture(), 0, dlg->linY()), expected);
    // Dragging over the table keeps picking, also with the pointer outside it.
    dragTo(tav, QPoint(-40, 500));
    QCOMPARE(QColor(toQRgb(dlg->currentColour())), table(0, 254));
}

void TestFrmColor::draggingOnTheBarKeepsTheBar() {
    frmColor* dlg = openOn(qint32(0x0000FF));
    QWidget* pct = dlg->findChild<QWidget*>("pctSfum");
    const QImage before = dlg->barPicture();
    const int builds = dlg->barBuilds();
    pressAt(pct, QPoint(3, 40));
    QCOMPARE(QColor(toQRgb(dlg->currentColour())), pixelColour(before, 3, 40));
    for (int y : {60, 100, 180, 230}) {
        dragTo(pct, QPoint(10, y));
        QCOMPARE(dlg->linY(), y);
        QCOMPARE(QColor(toQRgb(dlg->currentColour())), pixelColour(before, 10, y));
        QCOMPARE(dlg->findChild<QLineEdit*>("txtR")->text().toInt(),
                 colourRed(dlg->currentColour()));
    }
    // Outside the bar the pick stays on its edge.
    for (const auto& [to, edge] : {std::pair{QPoint(10, -30), 0}, {QPoint(300, 900), 0xFFFFFF}}) {
        dragTo(pct, to);
        QCOMPARE(dlg->currentColour(), edge);
    }
    dragTo(pct, QPoint(10, 200));
    releaseAt(pct, QPoint(10, 200));
    QVERIFY(dlg->barBuilds() == builds && dlg->linY() == 200);
    QCOMPARE(dlg->barPicture(), before);
    // The next change that does not come from the bar rebuilds it around the new colour.
    QScrollBar* g = dlg->findChild<QScrollBar*>("G");
    g->setValue(g->value() - 1);
    QVERIFY(dlg->barBuilds() > builds && dlg->linY() == 127);
    QCOMPARE(QColor(dlg->barPicture().pixel(0, 127)), QColor(toQRgb(dlg->currentColour())));
    // A right button on the bar picks nothing but still holds the bar.
    const Colour c = dlg->currentColour();
    pressAt(pct, QPoint(3, 10), Qt::RightButton);
    QCOMPARE(dlg->currentColour(), c);
    releaseAt(pct, QPoint(3, 10), Qt::RightButton);
}

void TestFrmColor::swatchesRestoreTheirColours() {
    frmColor* dlg = openOn(qint32(0x00FF00));
    QWidget* tav = dlg->findChild<QWidget*>("Tav");
    pressAt(tav, QPoint(150, 20));
    releaseAt(tav, QPoint(150, 20));
    QVERIFY(dlg->currentColour() != 0x00FF00);
    // The new swatch shows the pick; a click on it re-shows it after a typed change.
    QWidget* shpColore = dlg->findChild<QWidget*>("shpColore");
    dlg->findChild<QLineEdit*>("txtR")->setText(QStringLiteral("7"));
    QTest::mouseClick(shpColore, Qt::LeftButton);
    QCOMPARE(dlg->findChild<QScrollBar*>("R")->value(), 7);

    QWidget* shpVecchio = dlg->findChild<QWidget*>("shpVecchio");
    QTest::mouseClick(shpVecchio, Qt::LeftButton);
    QVERIFY(dlg->currentColour() == 0x00FF00 && dlg->linY() == 127);
    QCOMPARE(dlg->findChild<QLineEdit*>("txtG")->text(), QStringLiteral("255"));
    QCOMPARE(QColor(grabbedPixel(shpColore, QPoint(10, 10))), QColor(0, 255, 0));
    QCOMPARE(QColor(dlg->barPicture().pixel(0, 127)), QColor(0, 255, 0));
}

void TestFrmColor::endings_data() {
    QTest::addColumn<bool>("asFunction"); // else through a launcher
    QTest::addColumn<QString>("ending");
    QTest::addColumn<bool>("chosen");
    for (bool asFunction : {false, true}) {
        const char* use = asFunction ? "function, " : "launcher, ";
        QTest::addRow("%sOk", use) << asFunction << "cmdOk" << true;
        QTest::addRow("%sAnnulla", use) << asFunction << "cmdAnnulla" << false;
        QTest::addRow("%sframe", use) << asFunction << "frame" << false;
        QTest::addRow("%sEsc", use) << asFunction << "esc" << false;
    }
    QTest::newRow("launcher, main window closing") << false << "closing" << false;
}

void TestFrmColor::endings() {
    QFETCH(bool, asFunction);
    QFETCH(QString, ending);
    QFETCH(bool, chosen);
    const auto end = [&](frmColor* dlg) {
        if (ending == QLatin1String("frame")) {
            dlg->close(); // what the window frame's close button does
        } else if (ending == QLatin1String("esc")) {
            QTest::keyClick(dlg, Qt::Key_Escape);
        } else if (ending == QLatin1String("closing")) {
            m_host->notifier.raise();
        } else {
            QTest::mouseClick(dlg->findChild<QPushButton*>(ending), Qt::LeftButton);
        }
    };
    if (!asFunction) {
        frmColor* dlg = openOn(qint32(0x0000FF));
        dlg->findChild<QScrollBar*>("B")->setValue(100);
        end(dlg);
        QVERIFY(!dlg->isVisible());
        QTRY_VERIFY(m_dialog.isNull()); // deleted once closed
        const Colour expected = chosen ? makeColour(255, 0, 100) : 0x0000FF;
        QCOMPARE(m_host->list.RetrData(kKey), QVariant(qint32(expected)));
        QCOMPARE(readNumber(m_host->skin->RetrInfo(kKey)), double(expected));
        QCOMPARE(m_host->list.Modified(), chosen);
        return;
    }
    QString caption;
    bool modal = false;
    whenModalShown([&](QWidget* w) {
        auto* dlg = qobject_cast<frmColor*>(w);
        QVERIFY(dlg);
        QCOMPARE(frmColor::sharedInstance(), dlg);
        caption = dlg->windowTitle();
        modal = dlg->isModal();
        // A fresh dialog every call: the marker of the last one, left at the top, is centred again.
        QCOMPARE(dlg->findChild<QLineEdit*>("txtB")->text(), QStringLiteral("255"));
        QCOMPARE(dlg->linY(), 127);
        QWidget* bar = dlg->findChild<QWidget*>("pctSfum"); // pick black at its top
        pressAt(bar, QPoint(2, 0));
        releaseAt(bar, QPoint(2, 0));
        end(dlg);
    });
    const Colour start = 0xFF0000; // blue
    QCOMPARE(SelezionaColore(start), chosen ? 0 : start);
    QVERIFY(caption == QStringLiteral("Selezionatore di colori") && modal);
    QCOMPARE(frmColor::sharedInstance(), nullptr);
}

void TestFrmColor::hexBoxAppliesOnEnterAndFollowsTheBars_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown"); // an invalid text gives way to the colour's own
    for (const auto& [typed, shown] : {std::pair{"#00ff80", "#00FF80"},
                                       {"#abc", "#AABBCC"},
                                       {"102030", "#102030"},
                                       {"#12", "#FF0000"},
                                       {"rosso", "#FF0000"}})
        QTest::newRow(typed) << QString::fromLatin1(typed) << QString::fromLatin1(shown);
}

void TestFrmColor::hexBoxAppliesOnEnterAndFollowsTheBars() {
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    frmColor* dlg = openOn(qint32(0x0000FF));
    auto* hex = dlg->findChild<QLineEdit*>("txtHex");
    QCOMPARE(hex->text(), QStringLiteral("#FF0000"));
    hex->setFocus();
    hex->selectAll();
    QTest::keyClicks(hex, typed);
    QTest::keyClick(hex, Qt::Key_Return);
    QCOMPARE(hex->text(), shown);
    QCOMPARE(dlg->currentColour(), *colourFromHex(shown));
    QCOMPARE(QColor(dlg->barPicture().pixel(0, dlg->linY())), toQColor(dlg->currentColour()));
    QVERIFY(dlg->isVisible());
    QVERIFY(!m_host->list.Modified());
    // The bars lead the boxes and the swatch as well.
    dlg->findChild<QScrollBar*>("B")->setValue(0xEE);
    QCOMPARE(hex->text().right(2), QStringLiteral("EE"));
    QCOMPARE(dlg->findChild<QLineEdit*>("txtB")->text(), QStringLiteral("238"));
    QWidget* shp = dlg->findChild<QWidget*>("shpColore");
    QCOMPARE(QColor(grabbedPixel(shp, shp->rect().center())), toQColor(dlg->currentColour()));
}

void TestFrmColor::skinColoursAreOfferedInBothUses() {
    // Colour items (List_Back comes with openOn), one not set, one repeating another, and the
    // stops of the caption's gradient, one of them repeating an item.
    const QList<std::pair<const char*, const char*>> entries{
        {"Menu_Back", " 128 "},  {"Win_Back", "-1"},    {"Color", "255"},
        {"Capt_Count", "3"},     {"Capt<1>", "65280"},  {"Capt<2>", "255"},
        {"Capt<3>", "16711680"}, {"Capt_Pos<3>", "100"}};
    for (const auto& [key, value] : entries)
        m_host->skin->AddInfo(QString::fromLatin1(key), QString::fromLatin1(value));
    const QList<Colour> expected{0x0000FF, 128, 65280, 16711680};
    frmColor* dlg = openOn(qint32(0x0000FF));
    QCOMPARE(dlg->skinPalette(), expected);
    QTest::mouseClick(dlg->findChild<QWidget*>("pnlColoriSkin")->findChild<QWidget*>("swatch3"),
                      Qt::LeftButton);
    QCOMPARE(dlg->currentColour(), 65280);
    QCOMPARE(dlg->findChild<QLineEdit*>("txtHex")->text(), QStringLiteral("#00FF00"));

    // As a function the picker asks the main window for its skin.
    setOpenSkinSource(&m_host->owner, [this] { return m_host->skin; });
    QList<Colour> offered;
    whenModalShown([&](QWidget* w) {
        offered = qobject_cast<frmColor*>(w)->skinPalette();
        QTest::mouseClick(w->findChild<QPushButton*>("cmdAnnulla"), Qt::LeftButton);
    });
    SelezionaColore(0);
    QCOMPARE(offered, expected);
    setOpenSkinSource(nullptr, nullptr);
}

void TestFrmColor::recentColoursAreTheLastTwelveConfirmed() {
    const auto endWith = [this](Colour c, const char* button) {
        m_host = std::make_unique<FakeHost>();
        QTest::mouseClick(openOn(c)->findChild<QPushButton*>(button), Qt::LeftButton);
        QTRY_VERIFY(m_dialog.isNull());
    };
    for (Colour c = 1; c <= 14; ++c)
        endWith(c, "cmdOk");
    endWith(5, "cmdOk");       // moves up instead of repeating
    endWith(99, "cmdAnnulla"); // not confirmed
    frmColor fresh;
    QCOMPARE(fresh.recentPalette(), (QList<Colour>{5, 14, 13, 12, 11, 10, 9, 8, 7, 6, 4, 3}));
    QWidget* panel = fresh.findChild<QWidget*>("pnlRecenti");
    QTest::mouseClick(panel->findChild<QWidget*>("swatch2"), Qt::LeftButton);
    QCOMPARE(fresh.currentColour(), 14);
}

void TestFrmColor::eyedropperTakesTheNextClick_data() {
    QTest::addColumn<QString>("how");
    QTest::addColumn<Colour>("picked");
    QTest::newRow("click on the old colour, read from the screen") << "old" << Colour(0x0000FF);
    QTest::newRow("Esc") << "esc" << Colour(makeColour(0, 200, 0));
}

void TestFrmColor::eyedropperTakesTheNextClick() {
    QFETCH(QString, how);
    QFETCH(Colour, picked);
    frmColor* dlg = openOn(qint32(0x0000FF));
    dlg->findChild<QLineEdit*>("txtHex")->setText(QStringLiteral("#00C800"));
    QTest::keyClick(dlg->findChild<QLineEdit*>("txtHex"), Qt::Key_Return);
    QTest::mouseClick(dlg->findChild<QPushButton*>("cmdPreleva"), Qt::LeftButton);
    QVERIFY(dlg->picking());
    QWidget* old = dlg->findChild<QWidget*>("shpVecchio");
    // While picking, the dialog holds the pointer: every press reaches it.
    if (how == QLatin1String("esc"))
        QTest::keyClick(dlg, Qt::Key_Escape);
    else
        QTest::mouseClick(dlg, Qt::LeftButton, {}, old->mapTo(dlg, old->rect().center()));
    QVERIFY(!dlg->picking());
    QVERIFY(dlg->isVisible());
    QCOMPARE(dlg->currentColour(), picked);
}

QTEST_MAIN(TestFrmColor)
#include "tst_frmcolor.moc"
