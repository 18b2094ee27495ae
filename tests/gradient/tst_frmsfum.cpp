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

#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTest>
#include <QWindow>

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

QVariantMap documentOf(const cSkin& skin) {
    QVariantMap out;
    for (const QString& key : skin.keys())
        out.insert(key, skin.RetrInfo(key));
    return out;
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
    void stopCountOfTheSkin_data();
    void stopCountOfTheSkin();
    void layoutAndTheStopsReadAndWrittenBack();
    void closingWithoutOkChangesNothing_data();
    void closingWithoutOkChangesNothing();
    void closedWhileAModalWindowWaits_data();
    void closedWhileAModalWindowWaits();
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
    // Opens the dialog for "Capt" through a real launcher, as the main window does.
    frmSfum* open();
    // Starts the dialog from a launcher without a main window.
    frmSfum* openBare() {
        auto bare = cSetting::create();
        bare->Init(QStringLiteral("Capt"), nullptr, skin);
        bare->setPrompts(prompts.get());
        dialog = new frmSfum;
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        dialog->Avvia(bare, skin, QVariant(), false);
        return dialog;
    }
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
    setCapt({{" 0 ", " 255 "}, {" 12.5 ", " 65280 "}, {" 100 ", " 16711680 "}});
}

void TestFrmSfum::cleanup() {
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
    return dialog && QTest::qWaitForWindowExposed(dialog) ? dialog.data() : nullptr;
}

void TestFrmSfum::stopCountOfTheSkin_data() {
    QTest::addColumn<QString>("count"); // null: missing
    QTest::addColumn<int>("listed");
    QTest::addColumn<int>("stops");
    QTest::newRow("missing") << QString() << 1 << 2;
    QTest::newRow("one") << QStringLiteral("1") << 1 << 2;
    QTest::newRow("negative") << QStringLiteral("-3") << 1 << 2;
    QTest::newRow("not a number") << QStringLiteral("tre") << 1 << 2;
    // The bar has 228 shades, so it holds 228 stops; the rest is refused with one message.
    QTest::newRow("300 stops") << QStringLiteral("300") << 300 << 228;
    QTest::newRow("count beyond 16 bits") << QStringLiteral("1e12") << 5 << 228;
}

void TestFrmSfum::stopCountOfTheSkin() {
    QFETCH(QString, count);
    QFETCH(int, listed);
    QFETCH(int, stops);
    skin = std::make_shared<cSkin>(folders->locations());
    for (int i = 1; i <= listed; ++i) {
        const double at = (i - 1) * 100.0 / qMax(1, listed - 1);
        skin->AddInfo(QStringLiteral("Capt_Pos<%1>").arg(i), QString::number(at));
        skin->AddInfo(QStringLiteral("Capt<%1>").arg(i), QString::number(i == 1 ? 255 : i));
    }
    if (!count.isNull())
        skin->AddInfo(QStringLiteral("Capt_Count"), count);
    QVERIFY(open());
    uSfum* editor = dialog->editor();
    QCOMPARE(editor->NColori(), qint16(stops));
    if (stops == 228) {
        QCOMPARE(prompts->shownTexts(),
                 QStringList{QStringLiteral("Impossibile aggiungere un altro colore, il numero "
                                            "delle sfumature è uguale a quello dei Colori.")});
        editor->setColore(1, 0x123456); // redrawing does not repeat any refusal
        QCOMPARE(prompts->shownTexts().size(), 1);
        return;
    }
    QVERIFY(editor->Colore(1) == 0xFFFFFF && editor->Colore(2) == 0xFFFFFF &&
            editor->Posizione(2) == 100);
    // Only the bar's background until the first change paints the gradient.
    QCOMPARE(editor->barPicture().pixel(100, 10), qRgb(255, 255, 255));
}

void TestFrmSfum::layoutAndTheStopsReadAndWrittenBack() {
    QVERIFY(open());
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Sfumatura Titolo"));
    // The designed 266 x 155, and a column for the stop tools beside it.
    QCOMPARE(dialog->size(), QSize(356, 155));
    QList<QRect> rects;
    for (const char* name : {"sfmSfum", "cslSelector", "cmdOK", "cmdAnnulla"})
        rects << dialog->findChild<QWidget*>(name)->geometry();
    QCOMPARE(
        rects,
        (QList<QRect>{{5, 5, 256, 41}, {5, 50, 256, 76}, {5, 130, 126, 21}, {135, 130, 126, 21}}));
    auto* ok = dialog->findChild<QPushButton*>("cmdOK");
    QVERIFY(ok->text() == "Ok" &&
            dialog->findChild<QPushButton*>("cmdAnnulla")->text() == "Annulla");
    uSfum* editor = dialog->editor();
    QCOMPARE(editor->barRect(), QRect(14, 5, 228, 22));
    QVERIFY(editor->Enabled() && editor->Orientation() == 0);
    // The selector waits for a stop to be selected; Enter in one of its boxes does not confirm.
    QVERIFY(!dialog->selector()->Enabled() && !ok->autoDefault() && !ok->isDefault());
    QVERIFY(!host->list.Modified());
    QCOMPARE(editor->model()->Posizione(2), 12.5f);
    // The bar is painted: red at the start, blue at the end.
    QVERIFY(editor->barPicture().pixel(0, 10) == qRgb(255, 0, 0) &&
            editor->barPicture().pixel(227, 10) == qRgb(0, 0, 255));
    QVERIFY(editor->imgFreccia(3) && !editor->imgFreccia(3)->isHidden());
    clickOk();
    QCOMPARE(skin->RetrInfo("Capt_Count"), QVariant::fromValue(qint16(3)));
    const QList<qint32> colours{255, 65280, 16711680}, written{0, 12, 100}; // 12.5 to even
    for (int i = 1; i <= 3; ++i) {
        QCOMPARE(skin->RetrInfo(QStringLiteral("Capt<%1>").arg(i)), QVariant(colours[i - 1]));
        QCOMPARE(skin->RetrInfo(QStringLiteral("Capt_Pos<%1>").arg(i)), QVariant(written[i - 1]));
    }
    // The launcher stored 0 as the item's value, and let the dialog go.
    QVERIFY(host->list.RetrData("Capt").toInt() == 0 && host->list.Modified() && !setting->form());
    QTRY_VERIFY(!dialog);
    // The saved parameters carry the stops.
    const QString ini = QString::fromLatin1(host->list.parametersText());
    QVERIFY2(ini.contains("Capt_Count = 3") && ini.contains("Capt_Pos<2> =  12 "), qPrintable(ini));
}

void TestFrmSfum::closingWithoutOkChangesNothing_data() {
    QTest::addColumn<QString>("how");
    for (const char* how : {"Annulla", "frame", "Esc", "main window closing"})
        QTest::newRow(how) << QString::fromLatin1(how);
}

void TestFrmSfum::closingWithoutOkChangesNothing() {
    QFETCH(QString, how);
    QVERIFY(open());
    const QVariantMap before = documentOf(*skin);
    const QVariant valueBefore = host->list.RetrData("Capt");
    // Change a stop first, so that there is something not to write.
    QTest::mouseClick(dialog->editor()->imgFreccia(2), Qt::LeftButton, {}, QPoint(7, 7));
    dialog->selector()->setValueB(200);
    if (how == QLatin1String("Annulla"))
        QTest::mouseClick(dialog->findChild<QPushButton*>("cmdAnnulla"), Qt::LeftButton);
    else if (how == QLatin1String("frame"))
        dialog->close();
    else if (how == QLatin1String("Esc"))
        QTest::keyClick(dialog, Qt::Key_Escape);
    else
        host->notifier.raise();
    QTRY_VERIFY(!dialog);
    QCOMPARE(documentOf(*skin), before);
    QCOMPARE(host->list.RetrData("Capt"), valueBefore);
    QVERIFY(!host->list.Modified());
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
        QList<QPair<QString, QString>> stops{{"0", "0"}};
        for (int i = 1; i < (modal == QLatin1String("open") ? 229 : 228); ++i)
            stops.push_back({QString::number(10 + (i - 1) * 90.0 / 226), QString::number(i)});
        setCapt(stops);
    }
    const QVariantMap before = documentOf(*skin);
    bool answered = false;
    // What the modal window's own event loop lets happen before the user answers it.
    const auto closeTheSkin = [&] {
        // Without a main window, what the launcher does on its Closing.
        host ? host->notifier.raise() : void(dialog->close());
        QTRY_VERIFY(!dialog);
        answered = true;
    };
    if (modal == QLatin1String("open")) {
        prompts->onNextMessage(closeTheSkin);
        openBare();
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
    QVERIFY(answered && !dialog);
    QCOMPARE(documentOf(*skin), before);
}

void TestFrmSfum::worksWithoutAList() {
    // A launcher without a main window: the dialog still writes the document.
    QVERIFY(openBare()->isHidden());
    QCOMPARE(dialog->editor()->NColori(), qint16(3));
    dialog->show();
    clickOk();
    QCOMPARE(skin->RetrInfo("Capt_Pos<2>"), QVariant(qint32(12)));
    QTRY_VERIFY(!dialog);
}

void TestFrmSfum::typedPositionStopsAtNeighboursAndMergesAtEnds_data() {
    QTest::addColumn<int>("stop");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QList<int>>("after");
    QTest::addColumn<int>("selected"); // the stop typed into, wherever it ends
    QTest::newRow("between its neighbours") << 2 << "45" << QList<int>{0, 45, 60, 100} << 2;
    QTest::newRow("stops at the next") << 2 << "80" << QList<int>{0, 60, 60, 100} << 2;
    QTest::newRow("stops at the previous") << 3 << "5" << QList<int>{0, 30, 30, 100} << 3;
    QTest::newRow("onto the start merges") << 2 << "0" << QList<int>{0, 60, 100} << 1;
    QTest::newRow("onto the end merges") << 3 << "100" << QList<int>{0, 30, 100} << 3;
}

void TestFrmSfum::typedPositionStopsAtNeighboursAndMergesAtEnds() {
    QFETCH(int, stop);
    QFETCH(QString, typed);
    QFETCH(QList<int>, after);
    QFETCH(int, selected);
    const Colour selectedColour = stop == 2 ? 65280 : 65535;
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
    QList<int> positions;
    for (qint16 i = 1; i <= dialog->editor()->NColori(); ++i)
        positions << dialog->editor()->Posizione(i);
    QCOMPARE(positions, after);
    QCOMPARE(int(dialog->editor()->selectedStop()), selected);
    QVERIFY(dialog->editor()->Colore(qint16(selected)) == selectedColour &&
            dialog->selector()->GetNewColor() == selectedColour);
    QCOMPARE(spin->value(), after[selected - 1]);
    // An end stop stays where it is.
    QCOMPARE(spin->isEnabled(), selected != 1 && selected != after.size());
}

void TestFrmSfum::stopToolsAreConfirmedWithOk_data() {
    QTest::addColumn<QString>("tool");
    QTest::addColumn<QList<int>>("colours"); // -1: the colour the bar shows there
    QTest::addColumn<QList<int>>("written");
    using L = QList<int>;
    const L four{0, 30, 60, 100};
    QTest::newRow("Inverti") << "cmdInverti" << L{16711680, 65535, 65280, 255} << L{0, 40, 70, 100};
    QTest::newRow("Distribuisci") << "cmdDistribuisci" << L{255, 65280, 65535, 16711680}
                                  << L{0, 33, 67, 100};
    QTest::newRow("double-click in the bar")
        << "double-click" << L{255, 65280, -1, 65535, 16711680} << L{0, 30, 50, 60, 100};
    QTest::newRow("Delete") << "Delete 2" << L{255, 65535, 16711680} << L{0, 60, 100};
    QTest::newRow("Delete keeps an end") << "Delete 4" << L{255, 65280, 65535, 16711680} << four;
    QTest::newRow("picker") << "picker" << L{255, 0x00FFFF, 65535, 16711680} << four;
    QTest::newRow("picker cancelled")
        << "picker" << L{255, 65280 + (128 << 16), 65535, 16711680} << four;
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
    } else if (tool == QLatin1String("picker")) {
        QTest::mouseClick(editor->imgFreccia(2), Qt::LeftButton, {}, QPoint(7, 7));
        dialog->selector()->setValueB(128); // the stop follows the selector at once
        const Colour current = editor->Colore(2);
        QCOMPARE(current, 65280 + (128 << 16));
        prompts->queueColour(colours[1] == current ? std::nullopt : std::optional(colours[1]));
        QTest::mouseClick(dialog->selector()->findChild<QWidget*>("shpNew"), Qt::LeftButton);
        QCOMPARE(prompts->colourCalls(), QList<Colour>{current});
        // The old-colour swatch shows the colour current when the picker opened, or the chosen.
        QCOMPARE(dialog->selector()->lastColor(), colours[1]);
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
    // Entries above the new count stay as they were.
    if (written.size() < 4)
        QVERIFY(skin->RetrInfo("Capt<4>") == QVariant(QStringLiteral("16711680")) &&
                skin->RetrInfo("Capt_Pos<4>") == QVariant(QStringLiteral("100")));
    // One step of the history, or none where the tool refused.
    QCOMPARE(host->list.document()->undoStack()->count(),
             tool == QLatin1String("Delete 4") ? 0 : 1);
}

QTEST_MAIN(TestFrmSfum)
#include "tst_frmsfum.moc"
