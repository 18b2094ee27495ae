// Mouse interaction of the property list: highlight, inline editors, folding, the switch,
// tooltips, the editor events and the file choice, driven with QTest on the real widgets.
#include "uadvlistfixture.h"

#include "common/numbers.h"
#include "proplist/listpictures.h"
#include "scriptedprompts.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QLabel>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>
#include <QWindow>

namespace {

constexpr int W = 300;
constexpr int H = 400;

const QRgb kWhite = rgb(255, 255, 255);
const QRgb kBlue = rgb(13, 107, 170);
const QRgb kHotFill = rgb(214, 239, 255);
const QRgb kGrey = rgb(230, 230, 230);

int itemTop(int i) {
    return 20 + 18 * (i - 1);
}

// A point in the middle of item i's caption area, and one in its icon area.
QPoint rowPoint(int i) {
    return QPoint(100, itemTop(i) + 9);
}
QPoint iconPoint(int i) {
    return QPoint(5, itemTop(i) + 9);
}

// Item numbers of the schema built below.
enum Row {
    RowColour = 1,
    RowColourOpt,
    RowGradient,
    RowImage,
    RowMask,
    RowNumber,
    RowString,
    RowBool,
    RowFile,
    RowTransp,
    RowNumberOpt,
    RowImageOpt,
    RowGradientOff,
    RowCount = RowGradientOff
};

} // namespace

class tst_uAdvListInteraction : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void highlightAndEditorsFollowTheMouse();
    void movingOntoACategoryOrWithAButtonPressed();
    void foldingForgetsTheHighlight();
    void rightButtonDoesNothing();
    void switchingItemsOffAndOn();
    void switchThatCannotWriteThePlaceholderChangesNothing();
    void itemsThatCannotBeSwitched();
    void toolTipTextsAndPlacement();
    void editorsRaiseModItem();
    void moreLabelShowsItsPressedColours();
    void checkBoxStoresTheValue();
    void editorShowsTheNewValueAfterSetData();
    void fileChoiceCopiesFromElsewhere();
    void fileChoiceFailureChangesNothing();

private:
    void build();
    void hover(int row) { QTest::mouseMove(f->surface(), rowPoint(row)); }
    QLabel* toolTip() const { return f->child<QLabel>("lblToolTip"); }
    std::unique_ptr<ScriptedPrompts> prompts;
    std::unique_ptr<ListFixture> f;
};

void tst_uAdvListInteraction::init() {
    prompts = std::make_unique<ScriptedPrompts>();
    f = std::make_unique<ListFixture>();
    f->list->setPrompts(prompts.get());
    build();
}

void tst_uAdvListInteraction::cleanup() {
    f.reset();
    QCOMPARE(prompts->pending(), 0);
}

void tst_uAdvListInteraction::build() {
    cSkin& s = *f->skin;
    s.AddInfo("Col", 255);
    s.AddInfo("ColOpt", 65280);
    s.AddInfo("Capt_Count", 2);
    s.AddInfo("Capt<1>", 255);
    s.AddInfo("Capt_Pos<1>", 0);
    s.AddInfo("Capt<2>", 16711680);
    s.AddInfo("Capt_Pos<2>", 100);
    s.AddInfo("Icon", "pic.bmp");
    s.AddInfo("Btn", "btn.bmp");
    s.AddInfo("Num", 5);
    s.AddInfo("Title", "Prova");
    s.AddInfo("Flag", 0);
    s.AddInfo("ImageName", "sfondo.bmp");
    s.AddInfo("Scroller_Transp", 10);
    s.AddInfo("SpostX", -1);
    s.AddInfo("Aliases", "");
    s.AddInfo("MaskColor", 16711935);

    PropListModel& l = *f->model();
    l.LoadingItems();
    l.AddCat("(a)", "Prima");
    l.AddItem("(a)", "Colore", "Col", KindColor);
    l.AddItem("(a)", "Colore facoltativo", "ColOpt", KindColor, true);
    l.AddItem("(a)", "Sfumatura", "Capt", KindGradient, true);
    l.AddItem("(a)", "Immagine", "Icon", KindImage);
    l.AddItem("(a)", "Maschera", "Btn", KindMask);
    l.AddItem("(a)", "Numero", "Num", KindNumber);
    l.AddItem("(a)", "Titolo", "Title", KindString);
    l.AddItem("(a)", "Opzione", "Flag", KindBool);
    l.AddItem("(a)", "Sfondo", "ImageName", KindFile);
    l.AddItem("(a)", "Trasparenza", "Scroller_Transp", KindNumber, true);
    l.AddItem("(a)", "Spostamento", "SpostX", KindNumber, true);
    l.AddItem("(a)", "Alias", "Aliases", KindImage, true);
    l.AddItem("(a)", "Sfumatura spenta", "Menu", KindGradient, true);
    l.AddCat("(b)", "Seconda");
    l.AddItem("(b)", "Colore trasparente", "MaskColor", KindColor);

    QVERIFY(f->writeBitmap("pic.bmp", cornerPicture(QColor(0, 200, 0), QColor(255, 0, 255),
                                                    QColor(0, 0, 255), QColor(255, 0, 0))));
    QVERIFY(f->writeBitmap("btn.bmp", cornerPicture(QColor(50, 50, 50), QColor(255, 0, 255),
                                                    QColor(1, 2, 3), QColor(200, 100, 0))));
    QVERIFY(f->writeBitmap("p_btn.bmp", cornerPicture(QColor(90, 90, 90), QColor(0, 0, 255),
                                                      QColor(4, 5, 6), QColor(0, 100, 200))));
    l.Ready(f->skin);
    f->model()->setExpanded(1, true);
    f->setSurfaceSize(W, H);
    QVERIFY(f->show());
}

void tst_uAdvListInteraction::highlightAndEditorsFollowTheMouse() {
    auto* colour = f->child<QWidget>("pctColor");
    auto* more = f->child<QWidget>("cmdMore");
    auto* check = f->child<QCheckBox>("chkBool");
    auto* image = f->child<QWidget>("imgImage");
    auto* mask0 = f->child<QWidget>("imgMask0");
    auto* mask1 = f->child<QWidget>("imgMask1");
    QVERIFY(colour && more && check && image && mask0 && mask1);
    QCOMPARE(f->list->hotItem(), 0);

    hover(RowColour);
    QCOMPARE(f->list->hotCategory(), 1);
    QCOMPARE(f->list->hotItem(), int(RowColour));
    QImage img = f->grab();
    const int t = itemTop(RowColour);
    // The highlight spans from x = 16 to the right edge with a blue outline.
    QCOMPARE(rgb(img, 16, t + 9), kBlue);
    QCOMPARE(rgb(img, W - 1, t + 9), kBlue);
    QCOMPARE(rgb(img, 100, t), kBlue);
    QCOMPARE(rgb(img, 100, t + 18), kBlue);
    QCOMPARE(rgb(img, 100, t + 19), rgb(230, 0, 0)); // the next row, untouched below the line
    QCOMPARE(rgb(img, W - 45, t + 9), kHotFill);
    QCOMPARE(rgb(img, W - 2, t + 2), kHotFill);
    QVERIFY(colour->isVisible());
    QCOMPARE(colour->geometry(), QRect(W - 36, t + 3, 31, 13));
    QCOMPARE(rgb(img, W - 20, t + 9), rgb(255, 0, 0)); // the editor shows the colour
    QVERIFY(!more->isVisible() && !check->isVisible() && !image->isVisible());

    struct Expect {
        int row;
        QWidget* editor;
        QRect geometry;
    };
    const Expect expectations[] = {
        {RowGradient, colour, QRect(W - 36, itemTop(RowGradient) + 3, 31, 13)},
        {RowImage, image, QRect(W - 38, itemTop(RowImage) + 1, 17, 17)},
        {RowMask, mask0, QRect(W - 38, itemTop(RowMask) + 1, 17, 17)},
        {RowNumber, more, QRect(W - 36, itemTop(RowNumber) + 3, 31, 13)},
        {RowString, more, QRect(W - 36, itemTop(RowString) + 3, 31, 13)},
        {RowBool, check, QRect(W - 18, itemTop(RowBool) + 3, 13, 13)},
        {RowFile, more, QRect(W - 36, itemTop(RowFile) + 3, 31, 13)},
    };
    for (const Expect& e : expectations) {
        hover(e.row);
        QCOMPARE(f->list->hotItem(), e.row);
        QVERIFY(e.editor->isVisible());
        QCOMPARE(e.editor->geometry(), e.geometry);
        int shown = 0;
        for (QWidget* w : {colour, more, static_cast<QWidget*>(check), image, mask0, mask1})
            shown += w->isVisible();
        QCOMPARE(shown, e.row == RowMask ? 2 : 1);
    }
    // The pressed mask lies two pixels right of the normal one.
    hover(RowMask);
    QCOMPARE(mask1->geometry(), QRect(W - 19, itemTop(RowMask) + 1, 17, 17));
    QCOMPARE(rgb(mask0->grab().toImage(), 0, 0), rgb(255, 0, 255));
    QCOMPARE(rgb(mask1->grab().toImage(), 0, 0), rgb(0, 0, 255));
    // The image editor shows the whole file, the mask colour included.
    hover(RowImage);
    QCOMPARE(rgb(image->grab().toImage(), 0, 0), rgb(255, 0, 255));
    QCOMPARE(rgb(image->grab().toImage(), 8, 8), rgb(0, 200, 0));
    QCOMPARE(rgb(image->grab().toImage(), 16, 16), rgb(255, 0, 0));

    // The row left behind is drawn normally again.
    img = f->grab();
    QCOMPARE(rgb(img, W - 45, itemTop(RowColour) + 9), kGrey);
    QCOMPARE(rgb(img, W - 2, itemTop(RowColour) + 9), kWhite);
    QCOMPARE(rgb(img, W - 20, itemTop(RowColour) + 9), rgb(255, 0, 0)); // the swatch again

    // An item that is not set offers no editor.
    hover(RowNumberOpt);
    QCOMPARE(f->list->hotItem(), int(RowNumberOpt));
    for (QWidget* w : {colour, more, static_cast<QWidget*>(check), image, mask0, mask1})
        QVERIFY(!w->isVisible());
}

void tst_uAdvListInteraction::movingOntoACategoryOrWithAButtonPressed() {
    hover(RowColour);
    // With a button held the highlight stays where it is.
    QMouseEvent drag(QEvent::MouseMove, QPointF(rowPoint(RowNumber)),
                     f->surface()->mapToGlobal(QPointF(rowPoint(RowNumber))), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(f->surface(), &drag);
    QCOMPARE(f->list->hotItem(), int(RowColour));

    // Onto a category row: the highlight goes, and so does the editor.
    QTest::mouseMove(f->surface(), QPoint(100, 10));
    QCOMPARE(f->list->hotItem(), 0);
    QCOMPARE(f->list->hotCategory(), 0);
    QVERIFY(!f->child<QWidget>("pctColor")->isVisible());
    QCOMPARE(rgb(f->grab(), W - 45, itemTop(RowColour) + 9), kGrey);

    // Below a folded last category, with every category folded, nothing changes.
    f->model()->setExpanded(1, false);
    f->model()->setExpanded(2, true);
    QTest::mouseMove(f->surface(), QPoint(100, 20 + 20 + 9)); // the MaskColor row
    QCOMPARE(f->list->hotCategory(), 2);
    f->model()->setExpanded(2, false);
    QCOMPARE(f->list->hotItem(), 0); // folded: forgotten
    QTest::mouseMove(f->surface(), QPoint(100, 20 + 20 + 9));
    QTest::mouseMove(f->surface(), QPoint(100, 300));
    QCOMPARE(f->list->hotItem(), 0);
}

void tst_uAdvListInteraction::foldingForgetsTheHighlight() {
    hover(RowBool);
    QVERIFY(f->child<QWidget>("chkBool")->isVisible());
    QTest::mouseClick(f->surface(), Qt::LeftButton, {}, QPoint(50, 10));
    QVERIFY(!f->model()->category(1).Expanded);
    QCOMPARE(f->list->hotItem(), 0);
    QCOMPARE(f->list->hotCategory(), 0);
    QVERIFY(!f->child<QWidget>("chkBool")->isVisible());
    // The second category moved up under the first.
    QCOMPARE(f->model()->category(2).Area.top(), 21);
    QImage img = f->grab();
    QCOMPARE(img.copy(W - 19, 1, 19, 19),
             ListPictures::foldedInPicture().convertToFormat(QImage::Format_RGB32));
    QCOMPARE(rgb(img, 100, 30), kBlue);

    QTest::mouseClick(f->surface(), Qt::LeftButton, {}, QPoint(50, 10));
    QVERIFY(f->model()->category(1).Expanded);
    img = f->grab();
    QCOMPARE(img.copy(W - 19, 1, 19, 19),
             ListPictures::expandedPicture().convertToFormat(QImage::Format_RGB32));
    QCOMPARE(rgb(img, W - 45, itemTop(1) + 9), kGrey);

    // A double click folds in once, and switches once, instead of undoing itself.
    QWindow* window = f->list->window()->windowHandle();
    const auto doubleClick = [&](QPoint surfacePoint) {
        QTest::mouseDClick(window, Qt::LeftButton, {},
                           window->mapFromGlobal(f->surface()->mapToGlobal(surfacePoint)));
    };
    doubleClick(iconPoint(RowColourOpt));
    QVERIFY(!f->model()->item(1, RowColourOpt).IsSet);
    doubleClick(QPoint(50, 10));
    QVERIFY(!f->model()->category(1).Expanded);
    doubleClick(QPoint(50, 10));
    QVERIFY(f->model()->category(1).Expanded);

    // A click in the blank space that the expanded category claims below the last category
    // folds nothing.
    const int below = f->model()->category(2).Area.bottom() + 30;
    QCOMPARE(f->list->HitTest(QPoint(50, below)).cat, 1);
    QTest::mouseClick(f->surface(), Qt::LeftButton, {}, QPoint(50, below));
    QVERIFY(f->model()->category(1).Expanded);
    QVERIFY(!f->model()->category(2).Expanded);
}

void tst_uAdvListInteraction::rightButtonDoesNothing() {
    hover(RowColourOpt);
    QTest::mouseClick(f->surface(), Qt::RightButton, {}, QPoint(50, 10));
    QVERIFY(f->model()->category(1).Expanded);
    QTest::mouseClick(f->surface(), Qt::RightButton, {}, iconPoint(RowColourOpt));
    QVERIFY(f->model()->item(1, RowColourOpt).IsSet);
    QCOMPARE(f->list->model()->RetrData("ColOpt").toInt(), 65280);
    QSignalSpy mod(f->list.get(), &uAdvList::ModItem);
    hover(RowColour);
    QTest::mouseClick(f->child<QWidget>("pctColor"), Qt::RightButton);
    QCOMPARE(mod.count(), 0);
}

void tst_uAdvListInteraction::switchingItemsOffAndOn() {
    const auto click = [&](int row) {
        QTest::mouseMove(f->surface(), iconPoint(row));
        QTest::mouseClick(f->surface(), Qt::LeftButton, {}, iconPoint(row));
    };
    const auto& item = [&](int row) -> const tItem& {
        return f->model()->item(1, row);
    };

    // An optional colour: off stores -1 and shows the not-set icon and no swatch; on brings
    // back the colour it held.
    click(RowColourOpt);
    QVERIFY(!item(RowColourOpt).IsSet);
    QCOMPARE(f->list->model()->RetrData("ColOpt").toInt(), -1);
    QImage img = f->grab();
    QCOMPARE(img.copy(0, itemTop(RowColourOpt) + 2, 16, 16), onWhite(ListPictures::notSetIcon()));
    QCOMPARE(rgb(img, W - 20, itemTop(RowColourOpt) + 9), kHotFill); // no swatch, no editor
    QVERIFY(!f->child<QWidget>("pctColor")->isVisible());
    click(RowColourOpt);
    QVERIFY(item(RowColourOpt).IsSet);
    QCOMPARE(f->list->model()->RetrData("ColOpt").toInt(), 65280);
    QVERIFY(f->child<QWidget>("pctColor")->isVisible());

    // The gradient "Menu", not set, switched on: two black stops at 0 and 100.
    QVERIFY(!item(RowGradientOff).IsSet);
    click(RowGradientOff);
    QVERIFY(item(RowGradientOff).IsSet);
    QCOMPARE(f->list->model()->RetrData("Menu").toInt(), 0);
    QCOMPARE(f->skin->RetrInfo("Menu_Count").toInt(), 2);
    QCOMPARE(f->skin->RetrInfo("Menu_Pos<1>").toInt(), 0);
    QCOMPARE(f->skin->RetrInfo("Menu<1>").toInt(), 0);
    QCOMPARE(f->skin->RetrInfo("Menu_Pos<2>").toInt(), 100);
    QCOMPARE(f->skin->RetrInfo("Menu<2>").toInt(), 0);
    QTest::mouseMove(f->surface(), rowPoint(RowColour)); // away, so the row shows its strip
    img = f->grab();
    QCOMPARE(rgb(img, W - 20, itemTop(RowGradientOff) + 9), rgb(0, 0, 0));
    QCOMPARE(rgb(img, W - 35, itemTop(RowGradientOff) + 9), rgb(0, 0, 0));
    click(RowGradientOff);
    QVERIFY(!item(RowGradientOff).IsSet);
    QCOMPARE(f->list->model()->RetrData("Menu").toInt(), -1);

    // The image "Aliases": on writes the placeholder as aliases.bmp and shows it.
    QVERIFY(!item(RowImageOpt).IsSet);
    click(RowImageOpt);
    QVERIFY(item(RowImageOpt).IsSet);
    QCOMPARE(f->list->model()->RetrData("Aliases").toString(), QStringLiteral("aliases.bmp"));
    const QImage written(f->work + "aliases.bmp");
    QCOMPARE(written.convertToFormat(QImage::Format_RGB32),
             f->list->placeholder().convertToFormat(QImage::Format_RGB32));
    auto* image = f->child<QWidget>("imgImage");
    QVERIFY(image->isVisible());
    QCOMPARE(image->grab().toImage().convertToFormat(QImage::Format_RGB32),
             f->list->placeholder().convertToFormat(QImage::Format_RGB32));
    QTest::mouseMove(f->surface(), rowPoint(RowColour));
    img = f->grab();
    QCOMPARE(rgb(img, W - 30, itemTop(RowImageOpt) + 9),
             rgb(f->list->placeholder(), 8, 8)); // the thumbnail of the new file
    click(RowImageOpt);
    QVERIFY(!item(RowImageOpt).IsSet);
    QCOMPARE(f->list->model()->RetrData("Aliases").toString(), QString());
    QVERIFY(!image->isVisible());

    // "Scroller_Transp": off stores -1, on brings back the 10 it held.
    click(RowTransp);
    QVERIFY(!item(RowTransp).IsSet);
    QCOMPARE(f->list->model()->RetrData("Scroller_Transp").toInt(), -1);
    QVERIFY(!f->child<QWidget>("cmdMore")->isVisible());
    click(RowTransp);
    QVERIFY(item(RowTransp).IsSet);
    QCOMPARE(f->list->model()->RetrData("Scroller_Transp").toInt(), 10);
    QVERIFY(f->child<QWidget>("cmdMore")->isVisible());

    // Each switch is a change the next save writes: closing must ask about it.
    QVERIFY(f->list->model()->Modified());
}

void tst_uAdvListInteraction::switchThatCannotWriteThePlaceholderChangesNothing() {
    // A folder where the placeholder file should go makes the write fail.
    QVERIFY(QDir().mkpath(f->work + "aliases.bmp"));
    ErrorRecorder errors;
    QTest::mouseMove(f->surface(), iconPoint(RowImageOpt));
    QTest::mouseClick(f->surface(), Qt::LeftButton, {}, iconPoint(RowImageOpt));
    // Told by the list once the model has returned, not reported from inside it.
    QVERIFY(errors.isEmpty());
    QCOMPARE(prompts->shownTexts().size(), 1);
    QVERIFY(prompts->shownTexts().first().startsWith(QStringLiteral("Errore ")));
    const tItem& it = f->model()->item(1, RowImageOpt);
    QVERIFY(!it.IsSet);
    QCOMPARE(it.ItemValue.toString(), QString());
    QVERIFY(QFileInfo(f->work + "aliases.bmp").isDir());
    QVERIFY(!f->child<QWidget>("imgImage")->isVisible());
    QCOMPARE(f->grab().copy(0, itemTop(RowImageOpt) + 2, 16, 16),
             onWhite(ListPictures::notSetIcon()));
    QVERIFY(!f->list->model()->Modified());
}

void tst_uAdvListInteraction::itemsThatCannotBeSwitched() {
    // A colour that is not optional, and an optional number other than "Scroller_Transp".
    for (int row : {int(RowColour), int(RowNumberOpt)}) {
        const tItem before = f->model()->item(1, row);
        QTest::mouseMove(f->surface(), iconPoint(row));
        QTest::mouseMove(f->surface(), iconPoint(row) + QPoint(1, 0));
        QVERIFY(!toolTip()->isVisible());
        QTest::mouseClick(f->surface(), Qt::LeftButton, {}, iconPoint(row));
        const tItem& after = f->model()->item(1, row);
        QCOMPARE(after.IsSet, before.IsSet);
        QCOMPARE(after.ItemValue, before.ItemValue);
    }
}

void tst_uAdvListInteraction::toolTipTextsAndPlacement() {
    QLabel* tip = toolTip();
    QVERIFY(tip);
    QVERIFY(!tip->isVisible());

    // The icon area of a switchable item: the first move highlights, the next shows the tip,
    // 13 pixels right of the cursor since there is no room on its left.
    const QPoint icon = iconPoint(RowColourOpt);
    QTest::mouseMove(f->surface(), icon);
    QVERIFY(!tip->isVisible());
    QTest::mouseMove(f->surface(), icon + QPoint(1, 0));
    QVERIFY(tip->isVisible());
    QCOMPARE(tip->text(), QStringLiteral(" ignora voce "));
    QCOMPARE(tip->pos(), QPoint(icon.x() + 1 + 13, icon.y() + 2));
    // Switching the item makes that text wrong at once, so it goes.
    QTest::mouseClick(f->surface(), Qt::LeftButton, {}, icon + QPoint(1, 0));
    QVERIFY(!f->model()->item(1, RowColourOpt).IsSet);
    QVERIFY(!tip->isVisible());
    QTest::mouseMove(f->surface(), icon);
    QCOMPARE(tip->text(), QStringLiteral(" attiva voce "));
    QTest::mouseClick(f->surface(), Qt::LeftButton, {}, icon);
    QVERIFY(f->model()->item(1, RowColourOpt).IsSet);
    // So does scrolling with the wheel, which moves the rows away from under it.
    QTest::mouseMove(f->surface(), icon + QPoint(1, 0));
    QVERIFY(tip->isVisible());
    f->setSurfaceSize(W, 100);
    QVERIFY(f->scroller()->isEnabled());
    QWheelEvent wheel(QPointF(icon), f->surface()->mapToGlobal(QPointF(icon)), QPoint(),
                      QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(f->surface(), &wheel);
    QCOMPARE(f->list->offset(), -30);
    QVERIFY(!tip->isVisible());
    f->scroller()->setValue(0);
    f->setSurfaceSize(W, H);
    // Any move over the surface hides it first.
    QTest::mouseMove(f->surface(), icon + QPoint(2, 0));
    QVERIFY(tip->isVisible());
    QTest::mouseMove(f->surface(), rowPoint(RowColourOpt));
    QVERIFY(!tip->isVisible());
    // Not set: "attiva voce".
    QTest::mouseMove(f->surface(), iconPoint(RowImageOpt));
    QTest::mouseMove(f->surface(), iconPoint(RowImageOpt) + QPoint(1, 0));
    QCOMPARE(tip->text(), QStringLiteral(" attiva voce "));

    struct Case {
        int row;
        const char* editor;
        QString text;
    };
    const Case cases[] = {
        {RowColour, "pctColor", "scegli colore"},
        {RowGradient, "pctColor", "imposta sfumatura"},
        {RowImage, "imgImage", "modifica immagine"},
        {RowMask, "imgMask0", "modifica maschera normale"},
        {RowMask, "imgMask1", "modifica maschera premuto"},
        {RowNumber, "cmdMore", "imposta numero"},
        {RowString, "cmdMore", "imposta stringa"},
        {RowFile, "cmdMore", "scegli file"},
        {RowTransp, "cmdMore", "imposta numero"},
        {RowBool, "chkBool", "attiva opzione"},
    };
    for (const Case& c : cases) {
        hover(c.row);
        QWidget* editor = f->child<QWidget>(c.editor);
        QVERIFY(editor->isVisible());
        QTest::mouseMove(editor, QPoint(6, 6));
        QVERIFY2(tip->isVisible(), c.editor);
        QCOMPARE(tip->text(), QLatin1Char(' ') + c.text + QLatin1Char(' '));
        // Left of the cursor with a three-pixel gap, two pixels below it.
        const QPoint cursor = editor->mapTo(f->surface(), QPoint(6, 6));
        QCOMPARE(tip->geometry(),
                 QRect(cursor.x() - tip->width() - 3, cursor.y() + 2, tip->width(), tip->height()));
        QCOMPARE(tip->size(), tip->sizeHint());
    }
    // The check box's text follows its state.
    hover(RowBool);
    QTest::mouseClick(f->child<QWidget>("chkBool"), Qt::LeftButton);
    QTest::mouseMove(f->child<QWidget>("chkBool"), QPoint(5, 5));
    QCOMPARE(tip->text(), QStringLiteral(" disattiva opzione "));
    // Clicking the box makes that text wrong at once, so it goes.
    QTest::mouseClick(f->child<QWidget>("chkBool"), Qt::LeftButton);
    QVERIFY(!tip->isVisible());

    // No tooltip outlives the pointer leaving the list, or an editor opening its dialog.
    QTest::mouseMove(f->child<QWidget>("chkBool"), QPoint(6, 6));
    QVERIFY(tip->isVisible());
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(f->surface(), &leave);
    QVERIFY(!tip->isVisible());
    hover(RowColour);
    QTest::mouseMove(f->child<QWidget>("pctColor"), QPoint(6, 6));
    QVERIFY(tip->isVisible());
    QSignalSpy mod(f->list.get(), &uAdvList::ModItem);
    QTest::mouseClick(f->child<QWidget>("pctColor"), Qt::LeftButton, {}, QPoint(6, 6));
    QCOMPARE(mod.count(), 1);
    QVERIFY(!tip->isVisible());
}

void tst_uAdvListInteraction::editorsRaiseModItem() {
    QSignalSpy mod(f->list.get(), &uAdvList::ModItem);
    struct Case {
        int row;
        const char* editor;
        const char* key;
    };
    const Case cases[] = {
        {RowColour, "pctColor", "Col"},  {RowGradient, "pctColor", "Capt"},
        {RowImage, "imgImage", "Icon"},  {RowMask, "imgMask0", "Btn"},
        {RowMask, "imgMask1", "Btn"},    {RowNumber, "cmdMore", "Num"},
        {RowString, "cmdMore", "Title"}, {RowTransp, "cmdMore", "Scroller_Transp"},
    };
    for (const Case& c : cases) {
        hover(c.row);
        mod.clear();
        QTest::mouseClick(f->child<QWidget>(c.editor), Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(mod.count(), 1);
        QCOMPARE(mod.first().first().toString(), QString::fromLatin1(c.key));
    }
    // A press that is released outside the editor is no click.
    hover(RowColour);
    mod.clear();
    QWidget* colour = f->child<QWidget>("pctColor");
    QTest::mousePress(colour, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(colour, Qt::LeftButton, {}, QPoint(-20, 5));
    QCOMPARE(mod.count(), 0);
    // A double click is one click: one dialog, not two. (Sent through the window, so the second
    // press arrives as the platform delivers it.)
    hover(RowColour);
    mod.clear();
    QWindow* window = f->list->window()->windowHandle();
    QTest::mouseDClick(window, Qt::LeftButton, {},
                       window->mapFromGlobal(colour->mapToGlobal(QPoint(5, 5))));
    QCOMPARE(mod.count(), 1);
    mod.clear();
    // The check box and the "..." of a file item edit in place, without the event.
    hover(RowBool);
    QTest::mouseClick(f->child<QWidget>("chkBool"), Qt::LeftButton);
    hover(RowFile);
    prompts->queueBrowse(f->work, QString()); // cancelled
    QTest::mouseClick(f->child<QWidget>("cmdMore"), Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(mod.count(), 0);
    QCOMPARE(f->list->model()->RetrData("ImageName").toString(), QStringLiteral("sfondo.bmp"));
}

void tst_uAdvListInteraction::moreLabelShowsItsPressedColours() {
    hover(RowNumber);
    QWidget* more = f->child<QWidget>("cmdMore");
    QCOMPARE(rgb(more->grab().toImage(), 3, 3), rgb(192, 192, 192));
    QTest::mousePress(more, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(rgb(more->grab().toImage(), 3, 3), rgb(230, 230, 230));
    QTest::mouseRelease(more, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(rgb(more->grab().toImage(), 3, 3), rgb(192, 192, 192));
}

void tst_uAdvListInteraction::checkBoxStoresTheValue() {
    hover(RowBool);
    auto* check = f->child<QCheckBox>("chkBool");
    QVERIFY(!check->isChecked());
    QVERIFY(!f->list->model()->Modified());
    QTest::mouseClick(check, Qt::LeftButton);
    QVERIFY(check->isChecked());
    QCOMPARE(f->list->model()->RetrData("Flag").toBool(), true);
    QVERIFY(f->list->model()->Modified());
    QVERIFY(readNumber(f->skin->RetrInfo("Flag")) != 0);
    // A right click changes nothing.
    QTest::mouseClick(check, Qt::RightButton);
    QCOMPARE(f->list->model()->RetrData("Flag").toBool(), true);
    QTest::mouseClick(check, Qt::LeftButton);
    QCOMPARE(f->list->model()->RetrData("Flag").toBool(), false);
    // The editor of another boolean row shows that row's value.
    hover(RowColour);
    hover(RowBool);
    QVERIFY(!check->isChecked());
}

void tst_uAdvListInteraction::editorShowsTheNewValueAfterSetData() {
    hover(RowColour);
    QVERIFY(f->list->model()->SetData("Col", 65280));
    QCOMPARE(rgb(f->child<QWidget>("pctColor")->grab().toImage(), 15, 6), rgb(0, 255, 0));
    QCOMPARE(f->list->hotItem(), int(RowColour));
    hover(RowBool);
    QVERIFY(f->list->model()->SetData("Flag", true));
    QVERIFY(f->child<QCheckBox>("chkBool")->isChecked());
    // A new mask colour keeps the highlight.
    QVERIFY(f->list->model()->SetData("MaskColor", 0));
    QCOMPARE(f->list->hotItem(), int(RowBool));
    QVERIFY(f->child<QCheckBox>("chkBool")->isVisible());
}

void tst_uAdvListInteraction::fileChoiceCopiesFromElsewhere() {
    QTemporaryDir elsewhere;
    QVERIFY(elsewhere.isValid());
    const QByteArray bytes("BM pretend picture");
    QVERIFY(writeFileBytes(elsewhere.path() + "/nuovo.bmp", bytes));
    QVERIFY(writeFileBytes(f->work + "locale.bmp", "local"));

    hover(RowFile);
    QWidget* more = f->child<QWidget>("cmdMore");
    prompts->queueBrowse(elsewhere.path() + '/', "nuovo.bmp");
    QTest::mouseClick(more, Qt::LeftButton, {}, QPoint(5, 5));
    // The browser starts in the working folder with the current name.
    QCOMPARE(prompts->browseCalls(), QStringList{f->work + QStringLiteral("|sfondo.bmp")});
    QCOMPARE(f->list->model()->RetrData("ImageName").toString(), QStringLiteral("nuovo.bmp"));
    QCOMPARE(readFileBytes(f->work + "nuovo.bmp"), bytes);
    QVERIFY(f->list->model()->Modified());

    // A file of the working folder itself is taken without a copy.
    prompts->queueBrowse(f->work, "locale.bmp");
    QTest::mouseClick(more, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(f->list->model()->RetrData("ImageName").toString(), QStringLiteral("locale.bmp"));
    QCOMPARE(readFileBytes(f->work + "locale.bmp"), QByteArray("local"));

    // A folder whose name differs from the working folder's only in case is another folder
    // here, and its file is copied.
    QString twin = f->work;
    twin.chop(1);
    const int cut = twin.lastIndexOf(u'/') + 1;
    twin = twin.left(cut) + twin.mid(cut).toUpper() + u'/';
    QVERIFY(twin != f->work);
    QVERIFY(QDir().mkpath(twin));
    QVERIFY(writeFileBytes(twin + "gemello.bmp", "twin"));
    prompts->queueBrowse(twin, "gemello.bmp");
    QTest::mouseClick(more, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(readFileBytes(f->work + "gemello.bmp"), QByteArray("twin"));
    QVERIFY(QDir(twin).removeRecursively());

    // A browser closed without a name changes nothing.
    prompts->queueBrowse(elsewhere.path() + '/', QString());
    QTest::mouseClick(more, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(f->list->model()->RetrData("ImageName").toString(), QStringLiteral("gemello.bmp"));
}

void tst_uAdvListInteraction::fileChoiceFailureChangesNothing() {
    QTemporaryDir elsewhere;
    QVERIFY(elsewhere.isValid());
    hover(RowFile);
    ErrorRecorder errors;
    // The chosen file no longer exists: told by the list once the model has returned.
    prompts->queueBrowse(elsewhere.path() + '/', "sparito.bmp");
    QTest::mouseClick(f->child<QWidget>("cmdMore"), Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(prompts->shownTexts().size(), 1);
    QVERIFY(prompts->shownTexts().first().startsWith(QStringLiteral("Errore 53: ")));
    QCOMPARE(f->list->model()->RetrData("ImageName").toString(), QStringLiteral("sfondo.bmp"));
    QVERIFY(!QFile::exists(f->work + "sparito.bmp"));
    // The working folder holds a folder of that name: the copy cannot replace it.
    QVERIFY(writeFileBytes(elsewhere.path() + "/blocco.bmp", "x"));
    QVERIFY(QDir().mkpath(f->work + "blocco.bmp"));
    prompts->queueBrowse(elsewhere.path() + '/', "blocco.bmp");
    QTest::mouseClick(f->child<QWidget>("cmdMore"), Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(prompts->shownTexts().size(), 2);
    QVERIFY(errors.isEmpty());
    QCOMPARE(f->list->model()->RetrData("ImageName").toString(), QStringLiteral("sfondo.bmp"));
    QVERIFY(QFileInfo(f->work + "blocco.bmp").isDir());
    QVERIFY(!f->list->model()->Modified());
}

QTEST_MAIN(tst_uAdvListInteraction)
#include "tst_uadvlist_interaction.moc"
