#include "common/numbers.h"
#include "dialogkit/colourpicker.h"
#include "dialogkit/csetting.h"
#include "dialogs/frmcolor.h"
#include "gradient/frmsfum.h"
#include "gradient/ucolorsel.h"
#include "gradient/usfum.h"
#include "modalanswer.h"
#include "proplist/proplistmodel.h"
#include "quietgrab.h"
#include "scriptedprompts.h"
#include "testsupport.h"

#include <QApplication>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTest>
#include <QWindow>
#include <functional>

namespace {

// The main window as a launcher sees it: a property list with the gradient item "Capt".
class FakeHost : public SettingHost {
public:
    FakeHost(const SkinRef& skin, ScriptedPrompts* prompts) : scripted(prompts) {
        list.LoadingItems();
        list.AddCat(QStringLiteral("Finestra"), QStringLiteral("Finestra"));
        list.AddItem(QStringLiteral("Finestra"), QStringLiteral("Sfumatura Titolo"),
                     QStringLiteral("Capt"), KindGradient, true);
        list.Ready(skin);
    }
    PropListModel* settingsList() override { return &list; }
    QWidget* settingsOwner() override { return nullptr; }
    ClosingNotifier* closingNotifier() override { return &notifier; }
    UserPrompts* prompts() override { return scripted; }

    PropListModel list;
    ClosingNotifier notifier;
    ScriptedPrompts* scripted;
};

struct Entry {
    QString key;
    QVariant value;
};

QList<Entry> documentOf(const cSkin& skin) {
    QList<Entry> out;
    for (const QString& key : skin.keys())
        out.push_back({key, skin.RetrInfo(key)});
    return out;
}

bool operator==(const Entry& a, const Entry& b) {
    return a.key == b.key && a.value == b.value;
}

} // namespace

class TestFrmSfum : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() {
        dropPointerGrabWarnings();
        // Some cases answer the real picker while it waits; the others queue answers.
        registerColourPicker(&frmColor::pickColour);
    }
    void init();
    void cleanup();
    void layout();
    void opensWithTheStopsOfTheDocument();
    void missingOrSingleStopOpensTheDefault_data();
    void missingOrSingleStopOpensTheDefault();
    void okWritesTheStopsBack();
    void mergedStopReducesTheCount();
    void closingWithoutOkChangesNothing_data();
    void closingWithoutOkChangesNothing();
    void selectorClickOpensThePicker();
    void cancelledPickerKeepsTheStop();
    void closedWhileAModalWindowWaits_data();
    void closedWhileAModalWindowWaits();
    void tooManyStopsAreRefusedOnce_data();
    void tooManyStopsAreRefusedOnce();
    void worksWithoutAList();
    void typedPositionStopsAtNeighboursAndMergesAtEnds_data();
    void typedPositionStopsAtNeighboursAndMergesAtEnds();
    void stopToolsAreConfirmedWithOk_data();
    void stopToolsAreConfirmedWithOk();

private:
    // The four stops the tools are tried on: red 0, green 30, cyan 60, blue 100.
    void setFourStops() {
        setCapt({{"0", "255"}, {"30", "65280"}, {"60", "65535"}, {"100", "16711680"}});
    }
    QList<int> positions() const {
        QList<int> out;
        for (qint16 i = 1; i <= dialog->editor()->NColori(); ++i)
            out << dialog->editor()->Posizione(i);
        return out;
    }
    // Opens the dialog for "Capt" through a real launcher, as the main window does.
    frmSfum* open();
    void setCapt(const QList<QPair<QString, QString>>& stops);
    void clickOk() { QTest::mouseClick(dialog->findChild<QPushButton*>("cmdOK"), Qt::LeftButton); }

    std::unique_ptr<TestFolders> folders;
    std::unique_ptr<ScriptedPrompts> prompts;
    SkinRef skin;
    std::unique_ptr<FakeHost> host;
    std::shared_ptr<cSetting> setting;
    QPointer<frmSfum> dialog;
};

void TestFrmSfum::init() {
    prompts = std::make_unique<ScriptedPrompts>();
    registerValueDialog(KindGradient, [] { return new frmSfum; });
    folders = std::make_unique<TestFolders>();
    skin = std::make_shared<cSkin>(folders->locations());
    // As read from skin.ini: texts in print form.
    setCapt({{QStringLiteral(" 0 "), QStringLiteral(" 255 ")},
             {QStringLiteral(" 12.5 "), QStringLiteral(" 65280 ")},
             {QStringLiteral(" 100 "), QStringLiteral(" 16711680 ")}});
}

void TestFrmSfum::cleanup() {
    if (dialog)
        delete dialog.data();
    setting.reset();
    host.reset();
    skin.reset();
    folders.reset();
    unregisterValueDialogs();
    QCOMPARE(prompts->pending(), 0);
}

void TestFrmSfum::setCapt(const QList<QPair<QString, QString>>& stops) {
    skin->AddInfo(QStringLiteral("Capt_Count"), QString::number(stops.size()));
    for (int i = 1; i <= stops.size(); ++i) {
        skin->AddInfo(QStringLiteral("Capt_Pos<%1>").arg(i), stops[i - 1].first);
        skin->AddInfo(QStringLiteral("Capt<%1>").arg(i), stops[i - 1].second);
    }
}

frmSfum* TestFrmSfum::open() {
    host = std::make_unique<FakeHost>(skin, prompts.get());
    setting = cSetting::create();
    setting->Init(QStringLiteral("Capt"), host.get(), skin);
    dialog = qobject_cast<frmSfum*>(setting->form());
    if (dialog && !QTest::qWaitForWindowExposed(dialog))
        return nullptr;
    return dialog;
}

void TestFrmSfum::layout() {
    QVERIFY(open());
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Sfumatura Titolo"));
    // The designed 266 x 155, and a column for the stop tools beside it.
    QCOMPARE(dialog->size(), QSize(356, 155));
    QCOMPARE(dialog->findChild<QWidget*>("sfmSfum")->geometry(), QRect(5, 5, 256, 41));
    QCOMPARE(dialog->findChild<QWidget*>("cslSelector")->geometry(), QRect(5, 50, 256, 76));
    auto* ok = dialog->findChild<QPushButton*>("cmdOK");
    auto* annulla = dialog->findChild<QPushButton*>("cmdAnnulla");
    QCOMPARE(ok->geometry(), QRect(5, 130, 126, 21));
    QCOMPARE(annulla->geometry(), QRect(135, 130, 126, 21));
    QCOMPARE(ok->text(), QStringLiteral("Ok"));
    QCOMPARE(annulla->text(), QStringLiteral("Annulla"));
    QCOMPARE(dialog->editor()->barRect(), QRect(14, 5, 228, 22));
    QVERIFY(dialog->editor()->Enabled());
    QCOMPARE(dialog->editor()->Orientation(), 0);
    // The selector waits for a stop to be selected.
    QVERIFY(!dialog->selector()->Enabled());
    // Enter in a text box of the selector does not confirm the dialog.
    QVERIFY(!ok->autoDefault() && !ok->isDefault());
}

void TestFrmSfum::opensWithTheStopsOfTheDocument() {
    QVERIFY(open());
    uSfum* editor = dialog->editor();
    QCOMPARE(editor->NColori(), qint16(3));
    QCOMPARE(editor->Colore(1), 255);
    QCOMPARE(editor->Colore(2), 65280);
    QCOMPARE(editor->Colore(3), 16711680);
    QCOMPARE(editor->model()->Posizione(2), 12.5f);
    // The bar is painted: red at the start, blue at the end.
    const QImage bar = editor->barPicture();
    QCOMPARE(bar.pixel(0, 10), qRgb(255, 0, 0));
    QCOMPARE(bar.pixel(227, 10), qRgb(0, 0, 255));
    QVERIFY(editor->imgFreccia(3) && !editor->imgFreccia(3)->isHidden());
}

void TestFrmSfum::missingOrSingleStopOpensTheDefault_data() {
    QTest::addColumn<QString>("count");
    QTest::newRow("missing") << QString();
    QTest::newRow("one") << QStringLiteral("1");
    QTest::newRow("negative") << QStringLiteral("-3");
    QTest::newRow("not a number") << QStringLiteral("tre");
}

void TestFrmSfum::missingOrSingleStopOpensTheDefault() {
    QFETCH(QString, count);
    skin = std::make_shared<cSkin>(folders->locations());
    if (!count.isNull())
        skin->AddInfo(QStringLiteral("Capt_Count"), count);
    skin->AddInfo(QStringLiteral("Capt<1>"), QStringLiteral("255"));
    QVERIFY(open());
    uSfum* editor = dialog->editor();
    QCOMPARE(editor->NColori(), qint16(2));
    QCOMPARE(editor->Colore(1), 0xFFFFFF);
    QCOMPARE(editor->Colore(2), 0xFFFFFF);
    QCOMPARE(editor->Posizione(2), 100);
    // Only the bar's background until the first change paints the gradient.
    QCOMPARE(editor->barPicture().pixel(100, 10), qRgb(255, 255, 255));
}

void TestFrmSfum::okWritesTheStopsBack() {
    QVERIFY(open());
    QVERIFY(!host->list.Modified());
    clickOk();
    QCOMPARE(skin->RetrInfo("Capt_Count"), QVariant::fromValue(qint16(3)));
    QCOMPARE(skin->RetrInfo("Capt<1>"), QVariant(qint32(255)));
    QCOMPARE(skin->RetrInfo("Capt<2>"), QVariant(qint32(65280)));
    QCOMPARE(skin->RetrInfo("Capt<3>"), QVariant(qint32(16711680)));
    QCOMPARE(skin->RetrInfo("Capt_Pos<1>"), QVariant(qint32(0)));
    QCOMPARE(skin->RetrInfo("Capt_Pos<2>"), QVariant(qint32(12))); // 12.5 to even
    QCOMPARE(skin->RetrInfo("Capt_Pos<3>"), QVariant(qint32(100)));
    // The launcher stored 0 as the item's value.
    QCOMPARE(host->list.RetrData("Capt").toInt(), 0);
    QVERIFY(host->list.Modified());
    QVERIFY(!setting->form());
    QTRY_VERIFY(!dialog);
    // The saved parameters carry the stops.
    const QString ini = QString::fromLatin1(host->list.parametersText());
    QVERIFY2(ini.contains(QStringLiteral("Capt_Count = 3")), qPrintable(ini));
    QVERIFY2(ini.contains(QStringLiteral("Capt_Pos<2> =  12 ")), qPrintable(ini));
}

void TestFrmSfum::mergedStopReducesTheCount() {
    QVERIFY(open());
    uSfum* editor = dialog->editor();
    // Drag the middle marker past the bar's start: the first stop takes its colour.
    QWidget* marker = editor->imgFreccia(2);
    QTest::mousePress(marker, Qt::LeftButton, {}, QPoint(7, 7));
    QTest::mouseMove(marker, marker->mapFrom(editor, QPoint(13, 34)));
    QTest::mouseRelease(marker, Qt::LeftButton, {}, QPoint(7, 7));
    QCOMPARE(editor->NColori(), qint16(2));
    clickOk();
    QCOMPARE(skin->RetrInfo("Capt_Count"), QVariant::fromValue(qint16(2)));
    QCOMPARE(skin->RetrInfo("Capt<1>"), QVariant(qint32(65280)));
    QCOMPARE(skin->RetrInfo("Capt<2>"), QVariant(qint32(16711680)));
    QCOMPARE(skin->RetrInfo("Capt_Pos<2>"), QVariant(qint32(100)));
    // The entries above the new count stay as they were.
    QCOMPARE(skin->RetrInfo("Capt<3>"), QVariant(QStringLiteral(" 16711680 ")));
    QCOMPARE(skin->RetrInfo("Capt_Pos<3>"), QVariant(QStringLiteral(" 100 ")));
}

void TestFrmSfum::closingWithoutOkChangesNothing_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("Annulla") << QStringLiteral("annulla");
    QTest::newRow("frame") << QStringLiteral("frame");
    QTest::newRow("Esc") << QStringLiteral("esc");
    QTest::newRow("main window closing") << QStringLiteral("closing");
}

void TestFrmSfum::closingWithoutOkChangesNothing() {
    QFETCH(QString, how);
    QVERIFY(open());
    const QList<Entry> before = documentOf(*skin);
    const QVariant valueBefore = host->list.RetrData("Capt");
    // Change a stop first, so that there is something not to write.
    uSfum* editor = dialog->editor();
    QTest::mouseClick(editor->imgFreccia(2), Qt::LeftButton, {}, QPoint(7, 7));
    dialog->selector()->setValueB(200);
    QVERIFY(editor->Colore(2) != 65280);
    if (how == QLatin1String("annulla"))
        QTest::mouseClick(dialog->findChild<QPushButton*>("cmdAnnulla"), Qt::LeftButton);
    else if (how == QLatin1String("frame"))
        dialog->close();
    else if (how == QLatin1String("esc"))
        QTest::keyClick(dialog, Qt::Key_Escape);
    else
        host->notifier.raise();
    QTRY_VERIFY(!dialog);
    QVERIFY(documentOf(*skin) == before);
    QCOMPARE(host->list.RetrData("Capt"), valueBefore);
    QVERIFY(!host->list.Modified());
}

void TestFrmSfum::selectorClickOpensThePicker() {
    QVERIFY(open());
    uSfum* editor = dialog->editor();
    QTest::mouseClick(editor->imgFreccia(2), Qt::LeftButton, {}, QPoint(7, 7));
    QCOMPARE(dialog->selector()->GetNewColor(), 65280);
    prompts->queueColour(0x00FFFF);
    QTest::mouseClick(dialog->selector()->findChild<QWidget*>("shpNew"), Qt::LeftButton);
    QCOMPARE(prompts->colourCalls(), QList<Colour>{65280});
    QCOMPARE(editor->Colore(2), 0x00FFFF);
    QCOMPARE(dialog->selector()->lastColor(), 0x00FFFF);
    QCOMPARE(editor->Colore(1), 255);
    clickOk();
    QCOMPARE(skin->RetrInfo("Capt<2>"), QVariant(qint32(0x00FFFF)));
}

void TestFrmSfum::cancelledPickerKeepsTheStop() {
    QVERIFY(open());
    uSfum* editor = dialog->editor();
    QTest::mouseClick(editor->imgFreccia(3), Qt::LeftButton, {}, QPoint(7, 7));
    dialog->selector()->setValueG(128); // the stop follows the selector at once
    const Colour current = editor->Colore(3);
    QCOMPARE(current, 16711680 + 128 * 256);
    prompts->queueColour(std::nullopt);
    QTest::mouseClick(dialog->selector()->findChild<QWidget*>("shpNew"), Qt::LeftButton);
    QCOMPARE(prompts->colourCalls(), QList<Colour>{current});
    QCOMPARE(editor->Colore(3), current);
    // The old-colour swatch now shows the colour that was current when the picker opened.
    QCOMPARE(dialog->selector()->lastColor(), current);
}

void TestFrmSfum::closedWhileAModalWindowWaits_data() {
    QTest::addColumn<QString>("modal");
    QTest::newRow("colour picker") << QStringLiteral("picker");
    QTest::newRow("refusal of a dragged-in stop") << QStringLiteral("drag");
    QTest::newRow("refusal of a stop while opening") << QStringLiteral("open");
}

void TestFrmSfum::closedWhileAModalWindowWaits() {
    // The main window closes the skin, and with it this dialog, while a modal window opened from
    // the dialog still waits for the user; the dialog is gone when that window answers.
    QFETCH(QString, modal);
    if (modal != QLatin1String("picker")) {
        // Stops that fill the bar's 228 shades (and one more when opening), the inner ones clear
        // of the first marker: dragging the first marker in asks for one more.
        const int count = modal == QLatin1String("open") ? 229 : 228;
        QList<QPair<QString, QString>> stops{{QStringLiteral("0"), QStringLiteral("0")}};
        for (int i = 1; i < count; ++i)
            stops.push_back({QString::number(10 + (i - 1) * 90.0 / 226), QString::number(i)});
        setCapt(stops);
    }
    const QList<Entry> before = documentOf(*skin);
    bool answered = false;
    // What the modal window's own event loop lets happen before the user answers it.
    const auto closeTheSkin = [&] {
        if (host)
            host->notifier.raise();
        else
            dialog->close(); // what the launcher does on the main window's Closing
        QTRY_VERIFY(!dialog);
        answered = true;
    };
    if (modal == QLatin1String("open")) {
        dialog = new frmSfum;
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        prompts->onNextMessage(closeTheSkin);
        auto bare = cSetting::create();
        bare->Init(QStringLiteral("Capt"), nullptr, skin);
        bare->setPrompts(prompts.get());
        dialog->Avvia(bare, skin, QVariant(), false);
    } else if (modal == QLatin1String("picker")) {
        QVERIFY(open());
        QTest::mouseClick(dialog->editor()->imgFreccia(2), Qt::LeftButton, {}, QPoint(7, 7));
        prompts->queueRealPicker();
        ModalAnswer picker([&](QWidget* shown) {
            closeTheSkin();
            shown->findChild<QScrollBar*>("B")->setValue(77);
            QTest::mouseClick(shown->findChild<QPushButton*>("cmdOk"), Qt::LeftButton);
        });
        Q_EMIT dialog->selector()->Click();
    } else {
        QVERIFY(open());
        prompts->onNextMessage(closeTheSkin);
        QWindow* window = dialog->windowHandle();
        uSfum* editor = dialog->editor();
        QTest::mousePress(window, Qt::LeftButton, {},
                          editor->imgFreccia(1)->mapTo(dialog, QPoint(7, 7)));
        QTest::mouseMove(window, editor->mapTo(dialog, QPoint(60, 34)));
    }
    QVERIFY(answered);
    QVERIFY(!dialog);
    QVERIFY(documentOf(*skin) == before);
}

void TestFrmSfum::tooManyStopsAreRefusedOnce_data() {
    QTest::addColumn<QString>("count");
    QTest::addColumn<int>("listed");
    QTest::newRow("300 stops") << QStringLiteral("300") << 300;
    QTest::newRow("count beyond 16 bits") << QStringLiteral("1e12") << 5;
}

void TestFrmSfum::tooManyStopsAreRefusedOnce() {
    QFETCH(QString, count);
    QFETCH(int, listed);
    skin = std::make_shared<cSkin>(folders->locations());
    QList<QPair<QString, QString>> stops;
    for (int i = 0; i < listed; ++i)
        stops.push_back({QString::number(i * 100.0 / (listed - 1)), QString::number(i)});
    setCapt(stops);
    skin->AddInfo(QStringLiteral("Capt_Count"), count);
    QVERIFY(open());
    // The bar has 228 shades, so it holds 228 stops; the rest is refused with one message.
    QCOMPARE(dialog->editor()->NColori(), qint16(228));
    QCOMPARE(prompts->shownTexts(),
             QStringList{QStringLiteral("Impossibile aggiungere un altro colore, il numero delle "
                                        "sfumature è uguale a quello dei Colori.")});
    // Redrawing does not repeat any refusal.
    dialog->editor()->setColore(1, 0x123456);
    QCOMPARE(prompts->shownTexts().size(), 1);
}

void TestFrmSfum::worksWithoutAList() {
    // A launcher without a main window: the dialog still writes the document.
    auto bare = cSetting::create();
    bare->Init(QStringLiteral("Capt"), nullptr, skin);
    QPointer<frmSfum> own = new frmSfum;
    own->setAttribute(Qt::WA_DeleteOnClose);
    own->Avvia(bare, skin, QVariant(), false);
    QVERIFY(own->isHidden());
    QCOMPARE(own->editor()->NColori(), qint16(3));
    own->show();
    QTest::mouseClick(own->findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
    QCOMPARE(skin->RetrInfo("Capt_Pos<2>"), QVariant(qint32(12)));
    QTRY_VERIFY(!own);
}

void TestFrmSfum::typedPositionStopsAtNeighboursAndMergesAtEnds_data() {
    QTest::addColumn<int>("stop");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QList<int>>("after");
    QTest::addColumn<int>("selected");
    QTest::addColumn<Colour>("selectedColour");
    QTest::newRow("between its neighbours")
        << 2 << "45" << QList<int>{0, 45, 60, 100} << 2 << 65280;
    QTest::newRow("stops at the next") << 2 << "80" << QList<int>{0, 60, 60, 100} << 2 << 65280;
    QTest::newRow("stops at the previous") << 3 << "5" << QList<int>{0, 30, 30, 100} << 3 << 65535;
    QTest::newRow("onto the start merges") << 2 << "0" << QList<int>{0, 60, 100} << 1 << 65280;
    QTest::newRow("onto the end merges") << 3 << "100" << QList<int>{0, 30, 100} << 3 << 65535;
}

void TestFrmSfum::typedPositionStopsAtNeighboursAndMergesAtEnds() {
    QFETCH(int, stop);
    QFETCH(QString, typed);
    QFETCH(QList<int>, after);
    QFETCH(int, selected);
    QFETCH(Colour, selectedColour);
    setFourStops();
    QVERIFY(open());
    auto* spin = dialog->findChild<QSpinBox*>("spnPosizione");
    QVERIFY(!spin->isEnabled()); // nothing selected yet
    QTest::mouseClick(dialog->editor()->imgFreccia(stop), Qt::LeftButton, {}, QPoint(7, 7));
    QCOMPARE(spin->value(), stop == 2 ? 30 : 60);
    spin->setFocus();
    spin->selectAll();
    QTest::keyClicks(spin, typed);
    QTest::keyClick(spin, Qt::Key_Return);
    QVERIFY(dialog->isVisible());
    QCOMPARE(positions(), after);
    QCOMPARE(int(dialog->editor()->selectedStop()), selected);
    QCOMPARE(dialog->editor()->Colore(qint16(selected)), selectedColour);
    QCOMPARE(dialog->selector()->GetNewColor(), selectedColour);
    QCOMPARE(spin->value(), after[selected - 1]);
    // An end stop stays where it is.
    QCOMPARE(spin->isEnabled(), selected != 1 && selected != after.size());
}

void TestFrmSfum::stopToolsAreConfirmedWithOk_data() {
    QTest::addColumn<QString>("tool");
    QTest::addColumn<QList<int>>("colours"); // -1: the colour the bar shows there
    QTest::addColumn<QList<int>>("written");
    QTest::newRow("Inverti") << "cmdInverti" << QList<int>{16711680, 65535, 65280, 255}
                             << QList<int>{0, 40, 70, 100};
    QTest::newRow("Distribuisci") << "cmdDistribuisci" << QList<int>{255, 65280, 65535, 16711680}
                                  << QList<int>{0, 33, 67, 100};
    QTest::newRow("double-click in the bar")
        << "double-click" << QList<int>{255, 65280, -1, 65535, 16711680}
        << QList<int>{0, 30, 50, 60, 100};
    QTest::newRow("Delete") << "Delete 2" << QList<int>{255, 65535, 16711680}
                            << QList<int>{0, 60, 100};
    QTest::newRow("Delete keeps an end")
        << "Delete 4" << QList<int>{255, 65280, 65535, 16711680} << QList<int>{0, 30, 60, 100};
}

void TestFrmSfum::stopToolsAreConfirmedWithOk() {
    QFETCH(QString, tool);
    QFETCH(QList<int>, colours);
    QFETCH(QList<int>, written);
    setFourStops();
    QVERIFY(open());
    uSfum* editor = dialog->editor();
    if (tool.startsWith(QLatin1String("cmd"))) {
        QTest::mouseClick(dialog->findChild<QPushButton*>(tool), Qt::LeftButton);
    } else if (tool.startsWith(QLatin1String("double-click"))) {
        // 114 of the bar's 228 pixels: 50 %.
        colours[2] = fromQRgb(editor->barPicture().pixel(114, 10));
        QTest::mouseDClick(editor->findChild<QWidget*>("pctSfum"), Qt::LeftButton, {},
                           QPoint(114, 10));
    } else {
        QTest::mouseClick(editor->imgFreccia(tool.right(1).toInt()), Qt::LeftButton, {},
                          QPoint(7, 7));
        QTest::keyClick(editor, Qt::Key_Delete);
    }
    // Enter on the focused "Ok" confirms everything as one change.
    auto* ok = dialog->findChild<QPushButton*>("cmdOK");
    ok->setFocus(Qt::TabFocusReason);
    QTest::keyClick(ok, Qt::Key_Return);
    QTRY_VERIFY(!dialog);
    QCOMPARE(readNumber(skin->RetrInfo("Capt_Count")), double(written.size()));
    for (int i = 1; i <= written.size(); ++i) {
        QCOMPARE(skin->RetrInfo(QStringLiteral("Capt<%1>").arg(i)).toInt(), colours[i - 1]);
        QCOMPARE(skin->RetrInfo(QStringLiteral("Capt_Pos<%1>").arg(i)).toInt(), written[i - 1]);
    }
    // One step of the history, or none where the tool refused.
    const bool refused = tool == QLatin1String("Delete 4");
    QCOMPARE(host->list.document()->undoStack()->count(), refused ? 0 : 1);
}

QTEST_MAIN(TestFrmSfum)
#include "tst_frmsfum.moc"
