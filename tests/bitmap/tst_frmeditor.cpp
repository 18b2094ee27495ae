#include "bitmap/frmeditor.h"
#include "bitmap/picturebox.h"
#include "bitmap/ueditor.h"
#include "dialogkit/colourpicker.h"
#include "dialogkit/csetting.h"
#include "dialogs/frmcolor.h"
#include "modalanswer.h"
#include "proplist/proplistmodel.h"
#include "scriptedprompts.h"
#include "skin/cskin.h"
#include "testsupport.h"

#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

const Colour kMask = makeColour(255, 0, 255);
const Colour kDark = makeColour(10, 20, 30);
const Colour kLight = makeColour(250, 240, 230);
const Colour kMain = makeColour(200, 100, 50);
const Colour kRed = makeColour(255, 0, 0);
const Colour kGreen = makeColour(0, 255, 0);
const Colour kBlue = makeColour(0, 0, 255);

QImage plain(int w, int h, Colour c) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(toQRgb(c));
    return img;
}

Colour at(const QImage& img, int x, int y) {
    return fromQRgb(img.pixel(x, y));
}

// Every pixel of a saved picture, as read back by QImage.
QList<Colour> pixelsOf(const QImage& img) {
    QList<Colour> out;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            out << at(img, x, y);
    return out;
}

QList<Colour> pixelsOf(const uEditor* editor) {
    QList<Colour> out;
    for (int y = 0; y < 17; ++y)
        for (int x = 0; x < 17; ++x)
            out << editor->pixel(x, y);
    return out;
}

// Every pixel its own colour, so that any misplaced one shows.
QImage patterned(int scale = 1) {
    QImage img(17 * scale, 17 * scale, QImage::Format_ARGB32);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            img.setPixel(x, y, toQRgb(makeColour(x / scale * 15, y / scale * 15, 99)));
    return img;
}

class Host : public SettingHost {
public:
    PropListModel list;
    ClosingNotifier notifier;
    PropListModel* settingsList() override { return &list; }
    QWidget* settingsOwner() override { return nullptr; }
    ClosingNotifier* closingNotifier() override { return &notifier; }
    UserPrompts* prompts() override { return &scripted; }
    ScriptedPrompts scripted;
};

} // namespace

class TestFrmEditor : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void layoutAndCaptions();
    void opensLargerFileScaledAndSavesSeventeenBySeventeen();
    void paletteSwatchesSetTheButtonColours_data();
    void paletteSwatchesSetTheButtonColours();
    void mouseAndViewSwatchesAskThePicker();
    void switchingMasks_data();
    void switchingMasks();
    void closedWhileAModalWindowWaits_data();
    void closedWhileAModalWindowWaits();
    void nuovaMascheraMakesABlankPairAndOkSavesTheMaskShown();
    void toolsFromTheDialog();
    void undoRedoKeysAndANewHistoryPerMask();
    void emptyOrUnsafeNameSavesUnderTheKey_data();
    void emptyOrUnsafeNameSavesUnderTheKey();
    void missingOrInvalidPaletteEntriesUseDefaults();
    void brokenBitmapIsReportedAndKept();
    void failedSaveKeepsTheDialogAndStrokes();
    void withoutWorkingFolderNothingIsReadOrWritten();
    void eachChangeIsOneStepAndReachesOk_data();
    void eachChangeIsOneStepAndReachesOk();
    void importFitsAndMasks_data();
    void importFitsAndMasks();
    void exportAndClipboardKeepTransparency();
    void keyboardAndResizing();

private:
    frmEditor* open(const QString& key);
    QString work(const QString& name) const { return m_work + QLatin1Char('/') + name; }
    // While the dialog is open its confirmed pictures wait for "Ok"; after, the folder has them.
    QImage confirmed(const QString& name) const {
        return m_dialog ? m_dialog->confirmedPicture(name) : QImage(work(name));
    }
    template <typename T> T* child(const QString& name) const {
        T* w = m_dialog->findChild<T*>(name);
        if (!w)
            qFatal("no control %s", qPrintable(name));
        return w;
    }
    void press(const QString& name, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(child<QWidget>(name), button, {}, QPoint(5, 5));
    }
    void paint(int x, int y, Qt::MouseButton button = Qt::LeftButton) {
        uEditor* e = m_dialog->editor();
        QTest::mouseClick(e, button, {}, e->cellRect(x, y).center());
    }
    void saveFile(const QString& name, const QImage& img) { QVERIFY(img.save(work(name), "BMP")); }
    void act(const QString& action) { child<QAction>(action)->trigger(); }
    QString value(const char* key) const { return m_host->list.RetrData(key).toString(); }
    // The one message shown so far starts so.
    bool said(const char* start) const {
        const QStringList shown = m_host->scripted.shownTexts();
        return shown.size() == 1 && shown[0].startsWith(QString::fromUtf8(start));
    }
    void pressAndClose(const QString& button) {
        press(button);
        QTRY_VERIFY(m_dialog.isNull()); // closed and deleted
    }
    // Keys reach the dialog's shortcuts only in the active window.
    bool activate() {
        m_dialog->activateWindow();
        return QTest::qWaitForWindowActive(m_dialog);
    }

    std::unique_ptr<TestFolders> m_folders;
    std::unique_ptr<Host> m_host;
    SkinRef m_skin;
    QString m_work;
    std::shared_ptr<cSetting> m_setting;
    QPointer<frmEditor> m_dialog;
};

void TestFrmEditor::initTestCase() {
    registerValueDialog(KindImage, [] { return new frmEditor; });
    registerValueDialog(KindMask, [] { return new frmEditor; });
    // Some cases answer the real picker while it waits; the others queue answers.
    registerColourPicker(&frmColor::pickColour);
}

void TestFrmEditor::init() {
    m_folders = std::make_unique<TestFolders>();
    QVERIFY(m_folders->isValid());
    m_work = m_folders->workDir();
    QVERIFY(QDir().mkpath(m_work));
    m_skin = std::make_shared<cSkin>(m_folders->locations());
    m_skin->setSkinPath(m_work + QLatin1Char('/'));
    m_skin->AddInfo(QStringLiteral("MaskColor"), QString::number(kMask));
    m_skin->AddInfo(QStringLiteral("DarkColor"), QString::number(kDark));
    m_skin->AddInfo(QStringLiteral("LightColor"), QString::number(kLight));
    m_skin->AddInfo(QStringLiteral("Color"), QString::number(kMain));
    m_skin->AddInfo(QStringLiteral("Scroller_Up"), QStringLiteral("up.bmp"));
    m_skin->AddInfo(QStringLiteral("SysMenu_Close"), QStringLiteral("close.bmp"));

    // The normal mask green, the pressed one blue, the close button 32 x 32.
    saveFile("up.bmp", plain(17, 17, kGreen));
    saveFile("p_up.bmp", plain(17, 17, kBlue));
    QImage big = plain(32, 32, kRed);
    QPainter(&big).fillRect(16, 0, 16, 32, toQColor(kBlue));
    saveFile("close.bmp", big);

    m_host = std::make_unique<Host>();
    m_host->list.LoadingItems();
    m_host->list.AddCat(QStringLiteral("bottoni"), QStringLiteral("Bottoni"));
    m_host->list.AddItem(QStringLiteral("bottoni"), QStringLiteral("Freccia su"),
                         QStringLiteral("Scroller_Up"), KindMask);
    m_host->list.AddItem(QStringLiteral("bottoni"), QStringLiteral("Chiudi"),
                         QStringLiteral("SysMenu_Close"), KindImage);
    QVERIFY(m_host->list.Ready(m_skin));
}

void TestFrmEditor::cleanup() {
    QCOMPARE(m_host->scripted.pending(), 0);
    if (m_dialog)
        delete m_dialog.data();
    m_setting.reset();
    m_host.reset();
    m_skin.reset();
    m_folders.reset();
}

frmEditor* TestFrmEditor::open(const QString& key) {
    m_setting = cSetting::create();
    m_setting->Init(key, m_host.get(), m_skin);
    m_dialog = qobject_cast<frmEditor*>(m_setting->form());
    if (m_dialog && !QTest::qWaitForWindowExposed(m_dialog))
        return nullptr;
    return m_dialog;
}

void TestFrmEditor::layoutAndCaptions() {
    QVERIFY(open("Scroller_Up"));
    QCOMPARE(m_dialog->size(), QSize(460, 379));
    QCOMPARE(m_dialog->windowTitle(), QStringLiteral("Freccia su"));
    QCOMPARE(m_dialog->editor()->geometry(), QRect(5, 5, 300, 300));
    QCOMPARE(child<QWidget>("pctView")->size(), QSize(21, 21));
    QCOMPARE(child<PictureBox>("pctSave")->picture().size(), QSize(17, 17));
    QVERIFY(child<QGroupBox>("fraMask")->isVisible() && !child<QWidget>("pctSave")->isVisible());
    QVERIFY(child<QRadioButton>("optStrum1")->isChecked() &&
            child<QRadioButton>("optMask0")->isChecked());
    QStringList titles;
    for (auto* frame : m_dialog->findChildren<QGroupBox*>())
        titles << frame->title();
    for (const char* t : {"Anteprima", "Palette", "Colori", "Strumenti", "Stato"})
        QVERIFY2(titles.contains(QString::fromUtf8(t)), t);
    QCOMPARE(child<QRadioButton>("optStrum3")->text(), QStringLiteral("Riempimento"));
    QCOMPARE(child<QPushButton>("cmdNuovaMask")->text(), QStringLiteral("Nuova maschera"));

    // The palette, the mouse colours and the preview on the main colour.
    QList<Colour> swatches;
    for (const char* name :
         {"pctColor", "pctMaskC", "pctLightC", "pctDarkC", "pctMouseC1", "pctMouseC2", "pctViewC"})
        swatches << child<PictureBox>(QString::fromLatin1(name))->backColor();
    QCOMPARE(swatches, (QList<Colour>{kMain, kMask, kLight, kDark, kLight, kMask, kMain}));
    const uEditor* e = m_dialog->editor();
    QVERIFY(e->pixel(3, 3) == kGreen && e->pixel(17, 3) == -1 && e->pixel(3, 17) == -1);

    // An image item shows no mask state.
    delete m_dialog.data();
    QVERIFY(open("SysMenu_Close"));
    QVERIFY(!child<QGroupBox>("fraMask")->isVisible());
}

void TestFrmEditor::opensLargerFileScaledAndSavesSeventeenBySeventeen() {
    QVERIFY(open("SysMenu_Close"));
    uEditor* e = m_dialog->editor();
    QVERIFY(e->W() == 17 && e->H() == 17);
    for (int y = 0; y < 17; ++y)
        QVERIFY(e->pixel(0, y) == kRed && e->pixel(16, y) == kBlue);
    paint(8, 8);
    QVERIFY(m_dialog->modified());
    const QList<Colour> shown = pixelsOf(e);
    pressAndClose("cmdOk");
    QCOMPARE(value("SysMenu_Close"), QStringLiteral("close.bmp"));
    QVERIFY(m_host->list.Modified());
    QCOMPARE(pixelsOf(QImage(work("close.bmp"))), shown); // 17 x 17 as well

    // Written by the common bitmap writer: a 24-bit Windows bitmap.
    const QByteArray bytes = readFileBytes(work("close.bmp"));
    QVERIFY(bytes.startsWith("BM") && bytes[28] == 24);
}

void TestFrmEditor::paletteSwatchesSetTheButtonColours_data() {
    QTest::addColumn<QString>("swatch");
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<Colour>("colour");
    QTest::addColumn<bool>("left");
    QTest::newRow("dark, left") << "pctDarkC" << Qt::LeftButton << kDark << true;
    QTest::newRow("dark, right") << "pctDarkC" << Qt::RightButton << kDark << false;
    QTest::newRow("main, left") << "pctColor" << Qt::LeftButton << kMain << true;
    QTest::newRow("light, right") << "pctLightC" << Qt::RightButton << kLight << false;
    QTest::newRow("mask, middle acts as right") << "pctMaskC" << Qt::MiddleButton << kMask << false;
}

void TestFrmEditor::paletteSwatchesSetTheButtonColours() {
    QFETCH(QString, swatch);
    QFETCH(Qt::MouseButton, button);
    QFETCH(Colour, colour);
    QFETCH(bool, left);
    QVERIFY(open("Scroller_Up"));
    uEditor* e = m_dialog->editor();
    const Colour otherBefore = left ? e->RightColor() : e->LeftColor();
    press(swatch, button);
    QCOMPARE(left ? e->LeftColor() : e->RightColor(), colour);
    QCOMPARE(left ? e->RightColor() : e->LeftColor(), otherBefore);
    auto* mouse =
        child<PictureBox>(left ? QStringLiteral("pctMouseC1") : QStringLiteral("pctMouseC2"));
    QCOMPARE(mouse->backColor(), colour);
}

void TestFrmEditor::mouseAndViewSwatchesAskThePicker() {
    QVERIFY(open("Scroller_Up"));
    uEditor* e = m_dialog->editor();
    auto* left = child<PictureBox>("pctMouseC1");

    // Cancelled: the picker answers the colour it started from, which changes nothing.
    m_host->scripted.queueColour(std::nullopt);
    press("pctMouseC1");
    QCOMPARE(m_host->scripted.colourCalls(), QList<Colour>{kLight});
    QVERIFY(e->LeftColor() == kLight && left->backColor() == kLight);

    // A right click is no click: no picker.
    press("pctMouseC2", Qt::RightButton);
    QCOMPARE(m_host->scripted.colourCalls().size(), 1);

    m_host->scripted.queueColour(kRed);
    press("pctMouseC2");
    QCOMPARE(m_host->scripted.colourCalls().last(), kMask);
    QVERIFY(e->RightColor() == kRed && child<PictureBox>("pctMouseC2")->backColor() == kRed);
    QCOMPARE(e->LeftColor(), kLight);

    // The view colour: mask pixels of the preview and its margin take it, others keep theirs.
    press("pctMaskC", Qt::RightButton);
    paint(5, 5, Qt::RightButton); // a mask pixel
    auto* view = child<PictureBox>("pctView");
    QCOMPARE(view->point(6, 6), kMain);
    m_host->scripted.queueColour(kBlue);
    press("pctViewC");
    QCOMPARE(m_host->scripted.colourCalls().last(), kMain);
    QVERIFY(view->point(6, 6) == kBlue && view->point(0, 0) == kBlue);
    QCOMPARE(view->point(7, 7), kGreen);
    QCOMPARE(child<PictureBox>("pctViewC")->backColor(), kBlue);
    QCOMPARE(e->pixel(5, 5), kMask); // the picture itself keeps the transparent colour
}

void TestFrmEditor::switchingMasks_data() {
    QTest::addColumn<bool>("stroke");
    QTest::addColumn<int>("answer"); // 0: no question expected
    QTest::newRow("no stroke: saved without asking") << false << 0;
    QTest::newRow("stroke, Yes") << true << int(UserPrompts::Yes);
    QTest::newRow("stroke, No") << true << int(UserPrompts::No);
}

void TestFrmEditor::switchingMasks() {
    QFETCH(bool, stroke);
    QFETCH(int, answer);
    // The normal mask on disk is 32 x 32: a file written back by the switch is 17 x 17.
    saveFile("up.bmp", plain(32, 32, kGreen));
    const QByteArray before = readFileBytes(work("up.bmp"));
    QVERIFY(open("Scroller_Up"));
    QVERIFY(!m_dialog->modified());
    if (stroke)
        paint(4, 4);
    if (answer)
        m_host->scripted.queueAnswer(UserPrompts::Answer(answer));

    press("optMask1");
    QVERIFY(child<QRadioButton>("optMask1")->isChecked());
    const QString question = QStringLiteral("Salvare le modifiche all'immagine corrente?");
    QCOMPARE(m_host->scripted.shownTexts().contains(question), answer != 0);
    QVERIFY(!m_dialog->modified());
    QCOMPARE(m_dialog->editor()->pixel(4, 4), kBlue); // the pressed mask is shown

    const QImage normal = confirmed("up.bmp");
    if (answer == UserPrompts::No) {
        QCOMPARE(readFileBytes(work("up.bmp")), before);
    } else {
        QCOMPARE(normal.size(), QSize(17, 17));
        QCOMPARE(at(normal, 4, 4), stroke ? kLight : kGreen);
        QCOMPARE(at(normal, 5, 4), kGreen);
    }
    // Clicking the option already selected switches nothing.
    press("optMask1");
    QCOMPARE(confirmed("p_up.bmp").size(), QSize(17, 17));
    QCOMPARE(m_dialog->editor()->pixel(4, 4), kBlue);

    // And back: the untouched pressed mask is written back and the normal one shown again.
    paint(1, 1, Qt::RightButton);
    m_host->scripted.queueAnswer(UserPrompts::Yes);
    press("optMask0");
    QCOMPARE(at(confirmed("p_up.bmp"), 1, 1), kMask);
    QCOMPARE(at(confirmed("p_up.bmp"), 2, 1), kBlue);
    QCOMPARE(m_dialog->editor()->pixel(4, 4),
             stroke && answer == UserPrompts::Yes ? kLight : kGreen);

    // "Annulla" drops the strokes since, but what the switches saved is a change of the skin:
    // the next save must pack it.
    paint(6, 6);
    pressAndClose("cmdAnnulla");
    QCOMPARE(at(confirmed("up.bmp"), 6, 6), kGreen);
    QCOMPARE(at(confirmed("p_up.bmp"), 1, 1), kMask);
    QVERIFY(m_host->list.Modified());
    QCOMPARE(value("Scroller_Up"), QStringLiteral("up.bmp"));
}

void TestFrmEditor::closedWhileAModalWindowWaits_data() {
    QTest::addColumn<QString>("opener");
    QTest::addColumn<int>("answer"); // to the mask switch's question; 0: the real picker
    QTest::newRow("mask switch, Sì") << "optMask1" << int(UserPrompts::Yes);
    QTest::newRow("mask switch, No") << "optMask1" << int(UserPrompts::No);
    QTest::newRow("mouse colour picker") << "pctMouseC1" << 0;
    QTest::newRow("view colour picker") << "pctViewC" << 0;
}

// The main window closes the skin, and with it the editor, while a question or the real picker
// waits for the user: whatever the answer, nothing of the editor is touched afterwards and
// nothing reaches the skin.
void TestFrmEditor::closedWhileAModalWindowWaits() {
    QFETCH(QString, opener);
    QFETCH(int, answer);
    const QByteArray normalBefore = readFileBytes(work("up.bmp"));
    const QByteArray pressedBefore = readFileBytes(work("p_up.bmp"));
    QVERIFY(open("Scroller_Up"));
    paint(4, 4);
    const auto closeTheSkin = [&] {
        m_host->notifier.raise();
        QTRY_VERIFY(!m_dialog);
    };
    if (answer)
        m_host->scripted.queueAnswer(UserPrompts::Answer(answer), closeTheSkin);
    else
        m_host->scripted.queueRealPicker();
    ModalAnswer picker([&](QWidget* shown) {
        closeTheSkin();
        QTest::mouseClick(shown->findChild<QPushButton*>(QStringLiteral("cmdOk")), Qt::LeftButton);
    });
    press(opener);
    QVERIFY(!m_dialog);
    QCOMPARE(picker.answered(), !answer);
    QCOMPARE(m_host->scripted.shownTexts().size(), answer ? 1 : 0);
    QCOMPARE(readFileBytes(work("up.bmp")), normalBefore);
    QCOMPARE(readFileBytes(work("p_up.bmp")), pressedBefore);
    QVERIFY(!m_host->list.Modified());
}

void TestFrmEditor::nuovaMascheraMakesABlankPairAndOkSavesTheMaskShown() {
    QVERIFY(open("Scroller_Up"));
    paint(3, 3);
    press("cmdNuovaMask");
    QVERIFY(!m_dialog->modified());
    QCOMPARE(m_dialog->value(), QStringLiteral("but_scroller_up"));
    const QList<Colour> blank(17 * 17, kMask);
    for (const char* name : {"but_scroller_up", "p_but_scroller_up"})
        QCOMPARE(pixelsOf(confirmed(QString::fromLatin1(name))), blank);
    QCOMPARE(pixelsOf(m_dialog->editor()), blank);
    QCOMPARE(at(confirmed("up.bmp"), 3, 3), kGreen); // the old mask is left alone

    // Switched to the untouched pressed mask without a question, "Ok" saves that one.
    press("optMask1");
    paint(0, 0);
    pressAndClose("cmdOk");
    QCOMPARE(value("Scroller_Up"), QStringLiteral("but_scroller_up"));
    const QImage saved(work("p_but_scroller_up"));
    QVERIFY(at(saved, 0, 0) == kLight && at(saved, 1, 0) == kMask);
    QCOMPARE(pixelsOf(confirmed("but_scroller_up")), blank);
}

void TestFrmEditor::toolsFromTheDialog() {
    QVERIFY(open("Scroller_Up"));
    uEditor* e = m_dialog->editor();
    using T = uEditor::Tool;
    for (const auto& [option, tool] : {std::pair{"optStrum2", T::Line},
                                       {"optStrum3", T::Fill},
                                       {"optStrum5", T::Rectangle},
                                       {"optStrum1", T::Pencil},
                                       {"optStrum4", T::Eyedropper}}) {
        press(QString::fromLatin1(option));
        QCOMPARE(e->tool(), tool);
    }
    child<QComboBox>("cboSimmetria")->setCurrentIndex(3);
    QCOMPARE(e->symmetry(), uEditor::Symmetry::Both);
    // What the eyedropper takes shows on the mouse swatch.
    paint(3, 3, Qt::RightButton);
    QCOMPARE(e->RightColor(), kGreen);
    QCOMPARE(child<PictureBox>("pctMouseC2")->backColor(), kGreen);
}

void TestFrmEditor::undoRedoKeysAndANewHistoryPerMask() {
    QVERIFY(open("Scroller_Up"));
    QVERIFY(activate());
    uEditor* e = m_dialog->editor();
    paint(4, 4);
    // The keys belong to the dialog, whichever of its controls has the focus.
    auto* focus = child<QWidget>("optStrum1");
    focus->setFocus();
    QTest::keyClick(focus, Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(e->pixel(4, 4) == kGreen && !m_dialog->modified()); // as loaded
    QTest::keyClick(focus, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(e->pixel(4, 4) == kLight && m_dialog->modified());

    // Undone to the picture as loaded, the switch asks nothing; the stroke left to redo
    // belongs to the other mask.
    QTest::keyClick(focus, Qt::Key_Z, Qt::ControlModifier);
    press("optMask1");
    QVERIFY(m_host->scripted.shownTexts().isEmpty());
    QTest::keyClick(focus, Qt::Key_Y, Qt::ControlModifier);
    QVERIFY(e->pixel(4, 4) == kBlue && !m_dialog->modified());
}

void TestFrmEditor::emptyOrUnsafeNameSavesUnderTheKey_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("empty: blank without a word") << QString();
    QTest::newRow("outside the working folder: refused, not read")
        << QStringLiteral("../fuori.bmp");
}

void TestFrmEditor::emptyOrUnsafeNameSavesUnderTheKey() {
    QFETCH(QString, name);
    m_host->list.SetData(QStringLiteral("SysMenu_Close"), name);
    QVERIFY(plain(17, 17, kRed).save(m_work + QStringLiteral("/../fuori.bmp"), "BMP"));
    const QStringList filesBefore = QDir(m_work).entryList(QDir::Files);
    QVERIFY(open("SysMenu_Close"));
    QCOMPARE(pixelsOf(m_dialog->editor()), QList<Colour>(17 * 17, kMask));
    QVERIFY(name.isEmpty() ? m_host->scripted.shownTexts().isEmpty()
                           : said("Il nome del file \"../fuori.bmp\" non è valido"));
    paint(1, 1);
    pressAndClose("cmdOk");
    QCOMPARE(value("SysMenu_Close"), QStringLiteral("sysmenu_close.bmp"));
    QStringList filesAfter = QDir(m_work).entryList(QDir::Files);
    filesAfter.removeOne(QStringLiteral("sysmenu_close.bmp"));
    QCOMPARE(filesAfter, filesBefore);
    const QImage saved(work("sysmenu_close.bmp"));
    QVERIFY(at(saved, 1, 1) == kLight && at(saved, 0, 0) == kMask);
    // Nothing was written beside the working folder, under its own name or the one given.
    QVERIFY(!QFileInfo::exists(m_work + QStringLiteral(".bmp")));
    QCOMPARE(at(QImage(m_work + QStringLiteral("/../fuori.bmp")), 1, 1), kRed);
}

void TestFrmEditor::missingOrInvalidPaletteEntriesUseDefaults() {
    for (const auto& [key, text] : {std::pair{"MaskColor", "rosa"},
                                    {"DarkColor", ""},
                                    {"LightColor", "-1"},
                                    {"Color", "99999999999"}})
        m_skin->AddInfo(QString::fromLatin1(key), QString::fromLatin1(text));
    QVERIFY(open("Scroller_Up"));
    const auto palette = [this] {
        return QList<Colour>{m_dialog->maskColor(), m_dialog->darkColor(), m_dialog->lightColor(),
                             child<PictureBox>("pctColor")->backColor()};
    };
    QCOMPARE(palette(),
             (QList<Colour>{kMask, 0, makeColour(255, 255, 255), makeColour(192, 192, 192)}));
    delete m_dialog.data();

    // Hexadecimal and padded numbers are colours like any other.
    m_skin->AddInfo(QStringLiteral("MaskColor"), QStringLiteral("&HFF00"));
    m_skin->AddInfo(QStringLiteral("DarkColor"), QStringLiteral("  255 "));
    QVERIFY(open("Scroller_Up"));
    QCOMPARE(palette().mid(0, 2), (QList<Colour>{kGreen, kRed}));
}

void TestFrmEditor::brokenBitmapIsReportedAndKept() {
    const QByteArray garbage("BM this is not really a bitmap");
    QVERIFY(writeFileBytes(work("up.bmp"), garbage));
    QVERIFY(open("Scroller_Up"));
    QVERIFY(said("Impossibile leggere l'immagine \"up.bmp\""));
    QCOMPARE(pixelsOf(m_dialog->editor()), QList<Colour>(17 * 17, kMask));
    pressAndClose("cmdAnnulla");
    QCOMPARE(readFileBytes(work("up.bmp")), garbage);

    // A missing file opens blank without a word.
    m_host->scripted.clearRecord();
    QVERIFY(QFile::remove(work("close.bmp")));
    QVERIFY(open("SysMenu_Close"));
    QVERIFY(m_host->scripted.shownTexts().isEmpty());
    QCOMPARE(m_dialog->editor()->pixel(0, 0), kMask);
}

void TestFrmEditor::failedSaveKeepsTheDialogAndStrokes() {
    // A folder where the picture should go: no file can replace it, whoever runs the test.
    QVERIFY(QFile::remove(work("close.bmp")));
    QVERIFY(QDir(m_work).mkdir(QStringLiteral("close.bmp")));
    QVERIFY(open("SysMenu_Close"));
    paint(7, 7);
    press("cmdOk");
    QVERIFY(m_dialog && m_dialog->isVisible());
    QVERIFY(said("Impossibile salvare l'immagine \"close.bmp\""));
    QCOMPARE(m_dialog->editor()->pixel(7, 7), kLight);
    QVERIFY(!m_host->list.Modified());

    // A mask left for its twin waits for "Ok"; when it cannot be written then, the dialog stays
    // with it, and nothing of the pair reaches the skin.
    delete m_dialog.data();
    QVERIFY(QFile::remove(work("p_up.bmp")));
    QVERIFY(QDir(m_work).mkdir(QStringLiteral("p_up.bmp")));
    m_host->scripted.clearRecord();
    QVERIFY(open("Scroller_Up"));
    const QByteArray normalBefore = readFileBytes(work("up.bmp"));
    press("optMask1");
    paint(2, 2);
    m_host->scripted.queueAnswer(UserPrompts::Yes);
    press("optMask0");
    QVERIFY(child<QRadioButton>("optMask0")->isChecked());
    paint(3, 3);
    press("cmdOk");
    QVERIFY(m_dialog && m_dialog->isVisible());
    QCOMPARE(at(m_dialog->confirmedPicture("p_up.bmp"), 2, 2), kLight);
    QCOMPARE(readFileBytes(work("up.bmp")), normalBefore);
    QVERIFY(!m_host->list.Modified());
}

void TestFrmEditor::withoutWorkingFolderNothingIsReadOrWritten() {
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(m_work));
    m_skin->setSkinPath(QString());
    QVERIFY(open("Scroller_Up"));
    const bool blank = m_dialog->editor()->pixel(0, 0) == kMask; // not up.bmp of this folder
    paint(0, 0);
    press("cmdOk");
    const bool stillOpen = m_dialog && m_dialog->isVisible();
    QDir::setCurrent(previous);
    QVERIFY(blank && stillOpen);
    QCOMPARE(m_host->scripted.shownTexts().size(), 1);
    QCOMPARE(at(QImage(work("up.bmp")), 0, 0), kGreen);
}

void TestFrmEditor::eachChangeIsOneStepAndReachesOk_data() {
    QTest::addColumn<QList<Colour>>("expected");
    // Where each pixel comes from, as (ax·x + bx·y + c) mod 17 on each axis.
    const auto moved = [](const QList<int>& m) {
        QList<Colour> out;
        for (int y = 0; y < 17; ++y)
            for (int x = 0; x < 17; ++x)
                out << at(patterned(), (m[0] * x + m[1] * y + m[2] + 34) % 17,
                          (m[3] * x + m[4] * y + m[5] + 34) % 17);
        return out;
    };
    QTest::newRow("mnuRiflettiH") << moved({-1, 0, 16, 0, 1, 0});
    QTest::newRow("mnuRiflettiV") << moved({1, 0, 0, 0, -1, 16});
    QTest::newRow("mnuRuota") << moved({0, 1, 0, -1, 0, 16});
    QTest::newRow("Down") << moved({1, 0, 0, 0, 1, -1});
    QTest::newRow("Left") << moved({1, 0, 1, 0, 1, 0});
    QTest::newRow("import") << QList<Colour>(17 * 17, kRed);
    QTest::newRow("paste") << QList<Colour>(17 * 17, kRed);
}

void TestFrmEditor::eachChangeIsOneStepAndReachesOk() {
    QFETCH(QList<Colour>, expected);
    const QString change = QTest::currentDataTag();
    saveFile("up.bmp", patterned());
    QVERIFY(open("Scroller_Up"));
    QVERIFY(activate());
    uEditor* e = m_dialog->editor();
    const QList<Colour> before = pixelsOf(e);
    if (change == "Down" || change == "Left") {
        QTest::keyClick(e, change == "Down" ? Qt::Key_Down : Qt::Key_Left);
    } else if (change == "import") {
        const QString file = m_folders->programDir() + QStringLiteral("/rosso.png");
        QVERIFY(plain(17, 17, kRed).save(file));
        m_host->scripted.queuePath(file);
        act("mnuImporta");
    } else if (change == "paste") {
        QGuiApplication::clipboard()->setImage(plain(34, 34, kRed));
        QTest::keyClick(e, Qt::Key_V, Qt::ControlModifier);
    } else {
        act(change);
    }
    QCOMPARE(pixelsOf(e), expected);
    QVERIFY(m_dialog->modified());
    QTest::keyClick(e, Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(pixelsOf(e) == before && !m_dialog->modified());
    QTest::keyClick(e, Qt::Key_Y, Qt::ControlModifier);
    pressAndClose("cmdOk");
    QVERIFY(m_host->list.Modified());
    QCOMPARE(pixelsOf(QImage(work("up.bmp"))), expected);
}

void TestFrmEditor::importFitsAndMasks_data() {
    QTest::addColumn<QImage>("image");           // written as the chosen file; null: no picture
    QTest::addColumn<QList<Colour>>("expected"); // -1: any colour
    QImage alpha = plain(17, 17, kRed).convertToFormat(QImage::Format_ARGB32);
    alpha.setPixel(0, 0, qRgba(0, 0, 255, 0));
    alpha.setPixel(10, 3, qRgba(255, 0, 0, 127));
    alpha.setPixel(11, 3, qRgba(255, 0, 0, 128));
    QList<Colour> masked(17 * 17, kRed);
    masked[0] = masked[3 * 17 + 10] = kMask;
    QTest::newRow("transparency") << alpha << masked;
    // Every block outlined, as a drawing program's grid leaves it: only the blocks' middles
    // give the picture back.
    QImage outlined = patterned(10);
    for (int i = 0; i < 170; i += 10)
        for (int j = 0; j < 170; ++j)
            outlined.setPixel(i, j, 0), outlined.setPixel(j, i, 0);
    QTest::newRow("ten times larger") << outlined << pixelsOf(patterned());
    QImage halves = plain(100, 60, kRed);
    QPainter(&halves).fillRect(50, 0, 50, 60, toQColor(kBlue));
    QList<Colour> smooth(17 * 17, kColourNotSet);
    for (int i = 0; i < 17 * 6; ++i)
        smooth[i / 6 * 17 + i % 6] = kRed, smooth[i / 6 * 17 + 16 - i % 6] = kBlue;
    QTest::newRow("larger, not a multiple") << halves << smooth;
    QTest::newRow("unreadable") << QImage() << QList<Colour>(17 * 17, kGreen);
}

void TestFrmEditor::importFitsAndMasks() {
    QFETCH(QImage, image);
    QFETCH(QList<Colour>, expected);
    const QString file = m_folders->programDir() + QStringLiteral("/in.png");
    QVERIFY(image.isNull() ? writeFileBytes(file, "\x89PNG no") : image.save(file, "PNG"));
    QVERIFY(open("Scroller_Up"));
    m_host->scripted.queuePath(file);
    act("mnuImporta");
    const QList<Colour> shown = pixelsOf(m_dialog->editor());
    for (int i = 0; i < shown.size(); ++i)
        QVERIFY2(expected[i] < 0 || shown[i] == expected[i], qPrintable(QString::number(i)));
    QVERIFY(image.isNull() ? said("Impossibile leggere l'immagine \"in.png\"")
                           : m_host->scripted.shownTexts().isEmpty());
}

void TestFrmEditor::exportAndClipboardKeepTransparency() {
    QVERIFY(open("Scroller_Up"));
    QVERIFY(activate());
    paint(1, 1, Qt::RightButton); // the transparent colour
    paint(2, 2);
    const QList<Colour> drawn = pixelsOf(m_dialog->editor());
    QTest::keyClick(m_dialog->editor(), Qt::Key_C, Qt::ControlModifier);
    const QImage copied =
        QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_ARGB32);
    QVERIFY(qAlpha(copied.pixel(1, 1)) == 0 && copied.pixel(2, 2) == (toQRgb(kLight)));

    // The file is the same picture; a name without an extension gets one, and a folder in the
    // way is reported.
    const QString out = m_folders->programDir() + QStringLiteral("/uscita");
    QVERIFY(QDir().mkdir(out + QStringLiteral("2.png")));
    m_host->scripted.queuePath(out);
    m_host->scripted.queuePath(out + QStringLiteral("2.png"));
    act("mnuEsporta");
    act("mnuEsporta");
    QCOMPARE(QImage(out + QStringLiteral(".png")).convertToFormat(QImage::Format_ARGB32), copied);
    QVERIFY(m_host->scripted.shownTexts().value(0).startsWith(
        QLatin1String("Impossibile scrivere il file \"uscita2.png\"")));

    // Into another item, and nothing changes when the clipboard holds no picture.
    delete m_dialog.data();
    QVERIFY(open("SysMenu_Close"));
    act("mnuIncolla");
    QCOMPARE(pixelsOf(m_dialog->editor()), drawn);
    QGuiApplication::clipboard()->clear();
    act("mnuIncolla");
    QCOMPARE(m_host->scripted.shownTexts().last(),
             QStringLiteral("Gli appunti non contengono un'immagine."));
    QCOMPARE(pixelsOf(m_dialog->editor()), drawn);
}

void TestFrmEditor::keyboardAndResizing() {
    QVERIFY(open("Scroller_Up"));
    QVERIFY(activate());
    uEditor* e = m_dialog->editor();
    e->setFocus();
    QStringList order;
    do {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        order << QApplication::focusWidget()->objectName();
    } while (QApplication::focusWidget() != e && order.size() < 40);
    QCOMPARE(order.join(QLatin1Char(' ')),
             QStringLiteral("pctViewC pctMouseC1 pctMouseC2 pctColor pctMaskC pctLightC pctDarkC "
                            "optStrum1 cboSimmetria optMask0 cmdNuovaMask cmdImmagine cmdOk "
                            "cmdAnnulla uEditor"));
    // Swatches take Space as the left button and Shift+Space as the right one.
    QTest::keyClick(child<QWidget>("pctDarkC"), Qt::Key_Space);
    QTest::keyClick(child<QWidget>("pctColor"), Qt::Key_Space, Qt::ShiftModifier);
    QVERIFY(e->LeftColor() == kDark && e->RightColor() == kMain);

    // The grid takes what the dialog grows by; the right column keeps its size.
    m_dialog->resize(700, 560);
    QTRY_COMPARE(e->size(), QSize(540, 481));
    QCOMPARE(child<QWidget>("cmdAnnulla")->geometry().bottomRight(), QPoint(694, 554));
}

QTEST_MAIN(TestFrmEditor)
#include "tst_frmeditor.moc"
