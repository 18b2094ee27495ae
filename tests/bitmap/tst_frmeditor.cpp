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
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
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

quint32 le32(const QByteArray& b, int at) {
    return quint8(b[at]) | quint8(b[at + 1]) << 8 | quint8(b[at + 2]) << 16 |
           quint32(quint8(b[at + 3])) << 24;
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
    void closedWhileTheMaskSwitchAsks_data();
    void closedWhileTheMaskSwitchAsks();
    void okOnPressedSavesThePressedMask();
    void nuovaMascheraMakesABlankPair();
    void annullaAfterSwitchKeepsWhatTheSwitchSaved();
    void toolsFromTheDialog();
    void undoRedoKeysAndANewHistoryPerMask();
    void emptyNameOpensBlankAndSavesUnderTheKey();
    void unsafeNameStaysInsideTheWorkingFolder();
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
    saveFile(QStringLiteral("up.bmp"), plain(17, 17, kGreen));
    saveFile(QStringLiteral("p_up.bmp"), plain(17, 17, kBlue));
    QImage big(32, 32, QImage::Format_RGB32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            big.setPixel(x, y, toQRgb(x < 16 ? kRed : kBlue));
    saveFile(QStringLiteral("close.bmp"), big);

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
    QVERIFY(open(QStringLiteral("Scroller_Up")));
    QCOMPARE(m_dialog->size(), QSize(460, 379));
    QCOMPARE(m_dialog->windowTitle(), QStringLiteral("Freccia su"));
    QCOMPARE(m_dialog->editor()->geometry(), QRect(5, 5, 300, 300));
    QVERIFY(child<QGroupBox>(QStringLiteral("fraMask"))->isVisible());
    QCOMPARE(child<QWidget>(QStringLiteral("pctView"))->size(), QSize(21, 21));
    QVERIFY(!child<QWidget>(QStringLiteral("pctSave"))->isVisible());
    QCOMPARE(child<PictureBox>(QStringLiteral("pctSave"))->picture().size(), QSize(17, 17));
    QVERIFY(child<QRadioButton>(QStringLiteral("optStrum1"))->isChecked());
    QVERIFY(child<QRadioButton>(QStringLiteral("optMask0"))->isChecked());
    const QStringList texts{QStringLiteral("Anteprima"), QStringLiteral("Palette"),
                            QStringLiteral("Colori"), QStringLiteral("Strumenti"),
                            QStringLiteral("Stato")};
    QStringList titles;
    for (auto* frame : m_dialog->findChildren<QGroupBox*>())
        titles << frame->title();
    for (const QString& t : texts)
        QVERIFY2(titles.contains(t), qPrintable(t));
    QCOMPARE(child<QRadioButton>(QStringLiteral("optStrum3"))->text(),
             QStringLiteral("Riempimento"));
    QCOMPARE(child<QPushButton>(QStringLiteral("cmdNuovaMask"))->text(),
             QStringLiteral("Nuova maschera"));

    // The palette, the mouse colours and the preview on the main colour.
    QCOMPARE(child<PictureBox>(QStringLiteral("pctColor"))->backColor(), kMain);
    QCOMPARE(child<PictureBox>(QStringLiteral("pctMaskC"))->backColor(), kMask);
    QCOMPARE(child<PictureBox>(QStringLiteral("pctLightC"))->backColor(), kLight);
    QCOMPARE(child<PictureBox>(QStringLiteral("pctDarkC"))->backColor(), kDark);
    QCOMPARE(child<PictureBox>(QStringLiteral("pctMouseC1"))->backColor(), kLight);
    QCOMPARE(child<PictureBox>(QStringLiteral("pctMouseC2"))->backColor(), kMask);
    QCOMPARE(child<PictureBox>(QStringLiteral("pctViewC"))->backColor(), kMain);
    QCOMPARE(m_dialog->editor()->pixel(3, 3), kGreen);
    QCOMPARE(m_dialog->editor()->pixel(17, 3), Colour(-1));
    QCOMPARE(m_dialog->editor()->pixel(3, 17), Colour(-1));

    // An image item shows no mask state.
    delete m_dialog.data();
    QVERIFY(open(QStringLiteral("SysMenu_Close")));
    QVERIFY(!child<QGroupBox>(QStringLiteral("fraMask"))->isVisible());
}

void TestFrmEditor::opensLargerFileScaledAndSavesSeventeenBySeventeen() {
    QVERIFY(open(QStringLiteral("SysMenu_Close")));
    uEditor* e = m_dialog->editor();
    QCOMPARE(e->W(), 17);
    QCOMPARE(e->H(), 17);
    for (int y = 0; y < 17; ++y) {
        QCOMPARE(e->pixel(0, y), kRed);
        QCOMPARE(e->pixel(16, y), kBlue);
    }
    paint(8, 8);
    QVERIFY(m_dialog->modified());
    const QList<Colour> shown = pixelsOf(e);
    press(QStringLiteral("cmdOk"));
    QTRY_VERIFY(m_dialog.isNull()); // closed and deleted
    QCOMPARE(m_host->list.RetrData(QStringLiteral("SysMenu_Close")).toString(),
             QStringLiteral("close.bmp"));
    QVERIFY(m_host->list.Modified());

    const QImage saved(work(QStringLiteral("close.bmp")));
    QCOMPARE(saved.size(), QSize(17, 17));
    QCOMPARE(pixelsOf(saved), shown);
    QCOMPARE(at(saved, 8, 8), kLight);

    // An uncompressed 24-bit Windows bitmap, also for other readers.
    const QByteArray bytes = readFileBytes(work(QStringLiteral("close.bmp")));
    QVERIFY(bytes.startsWith("BM"));
    QCOMPARE(le32(bytes, 18), 17u);
    QCOMPARE(le32(bytes, 22), 17u);
    QCOMPARE(quint8(bytes[28]) | quint8(bytes[29]) << 8, 24);
    QCOMPARE(le32(bytes, 30), 0u);
    const QString identify = QStandardPaths::findExecutable(QStringLiteral("identify"));
    if (identify.isEmpty())
        return; // ImageMagick is not installed: the byte checks above stand alone
    QProcess p;
    p.start(identify, {QStringLiteral("-format"), QStringLiteral("%m %w %h %C"),
                       work(QStringLiteral("close.bmp"))});
    QVERIFY(p.waitForFinished(30000));
    QCOMPARE(p.exitCode(), 0);
    const QString reported = QString::fromLatin1(p.readAllStandardOutput()).trimmed();
    QVERIFY2(reported.startsWith(QLatin1String("BMP")) &&
                 reported.contains(QLatin1String(" 17 17 ")) &&
                 reported.endsWith(QLatin1String("None")),
             qPrintable(reported));
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
    QVERIFY(open(QStringLiteral("Scroller_Up")));
    uEditor* e = m_dialog->editor();
    const Colour otherBefore = left ? e->RightColor() : e->LeftColor();
    press(swatch, button);
    QCOMPARE(left ? e->LeftColor() : e->RightColor(), colour);
    QCOMPARE(left ? e->RightColor() : e->LeftColor(), otherBefore);
    auto* mouse =
        child<PictureBox>(left ? QStringLiteral("pctMouseC1") : QStringLiteral("pctMouseC2"));
    QCOMPARE(mouse->backColor(), colour);
    QCOMPARE(at(mouse->grab().toImage(), 10, 10), colour);
    paint(2, 2, left ? Qt::LeftButton : Qt::RightButton);
    QCOMPARE(e->pixel(2, 2), colour);
}

void TestFrmEditor::mouseAndViewSwatchesAskThePicker() {
    QVERIFY(open(QStringLiteral("Scroller_Up")));
    uEditor* e = m_dialog->editor();
    auto* left = child<PictureBox>(QStringLiteral("pctMouseC1"));

    // Cancelled: the picker answers the colour it started from, which changes nothing.
    m_host->scripted.queueColour(std::nullopt);
    press(QStringLiteral("pctMouseC1"));
    QCOMPARE(m_host->scripted.colourCalls(), QList<Colour>{kLight});
    QCOMPARE(e->LeftColor(), kLight);
    QCOMPARE(left->backColor(), kLight);

    // A right click is no click: no picker.
    press(QStringLiteral("pctMouseC2"), Qt::RightButton);
    QCOMPARE(m_host->scripted.colourCalls().size(), 1);

    m_host->scripted.queueColour(kRed);
    press(QStringLiteral("pctMouseC2"));
    QCOMPARE(m_host->scripted.colourCalls().last(), kMask);
    QCOMPARE(e->RightColor(), kRed);
    QCOMPARE(child<PictureBox>(QStringLiteral("pctMouseC2"))->backColor(), kRed);
    QCOMPARE(e->LeftColor(), kLight);

    // The view colour: mask pixels of the preview take it, others keep theirs.
    paint(0, 0, Qt::LeftButton); // light on green
    for (int x = 1; x < 17; ++x)
        paint(x, 0, Qt::RightButton); // the transparent colour... now red
    press(QStringLiteral("pctMaskC"), Qt::RightButton);
    paint(5, 5, Qt::RightButton); // a mask pixel
    auto* view = child<PictureBox>(QStringLiteral("pctView"));
    QCOMPARE(view->point(6, 6), kMain);
    QCOMPARE(view->point(1, 1), kLight);
    QCOMPARE(view->point(7, 7), kGreen);
    m_host->scripted.queueColour(kBlue);
    press(QStringLiteral("pctViewC"));
    QCOMPARE(m_host->scripted.colourCalls().last(), kMain);
    QCOMPARE(view->point(6, 6), kBlue);
    QCOMPARE(view->point(0, 0), kBlue); // the margin
    QCOMPARE(view->point(1, 1), kLight);
    QCOMPARE(child<PictureBox>(QStringLiteral("pctViewC"))->backColor(), kBlue);
    QCOMPARE(e->pixel(5, 5), kMask); // the picture itself keeps the transparent colour

    // The main window closes the skin while the real picker waits for the user: the editor is
    // gone when the picker answers, and nothing of it is touched afterwards.
    for (const QString& swatch : {QStringLiteral("pctMouseC1"), QStringLiteral("pctViewC")}) {
        if (!m_dialog)
            QVERIFY(open(QStringLiteral("Scroller_Up")));
        m_host->scripted.queueRealPicker();
        ModalAnswer picker([&](QWidget* shown) {
            m_host->notifier.raise();
            QTRY_VERIFY(!m_dialog);
            QTest::mouseClick(shown->findChild<QPushButton*>(QStringLiteral("cmdOk")),
                              Qt::LeftButton);
        });
        press(swatch);
        QVERIFY(picker.answered());
        QVERIFY(!m_dialog);
    }
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
    saveFile(QStringLiteral("up.bmp"), plain(32, 32, kGreen));
    const QByteArray before = readFileBytes(work(QStringLiteral("up.bmp")));
    QVERIFY(open(QStringLiteral("Scroller_Up")));
    QVERIFY(!m_dialog->modified());
    if (stroke)
        paint(4, 4);
    if (answer)
        m_host->scripted.queueAnswer(UserPrompts::Answer(answer));

    press(QStringLiteral("optMask1"));
    QVERIFY(child<QRadioButton>(QStringLiteral("optMask1"))->isChecked());
    const QString question = QStringLiteral("Salvare le modifiche all'immagine corrente?");
    QCOMPARE(m_host->scripted.shownTexts().contains(question), answer != 0);
    QVERIFY(!m_dialog->modified());
    QCOMPARE(m_dialog->editor()->pixel(4, 4), kBlue); // the pressed mask is shown

    const QImage normal = confirmed(QStringLiteral("up.bmp"));
    if (answer == UserPrompts::No) {
        QCOMPARE(readFileBytes(work(QStringLiteral("up.bmp"))), before);
    } else {
        QCOMPARE(normal.size(), QSize(17, 17));
        QCOMPARE(at(normal, 4, 4), stroke ? kLight : kGreen);
        QCOMPARE(at(normal, 5, 4), kGreen);
    }
    // Clicking the option already selected switches nothing.
    press(QStringLiteral("optMask1"));
    QCOMPARE(confirmed(QStringLiteral("p_up.bmp")).size(), QSize(17, 17));
    QCOMPARE(m_dialog->editor()->pixel(4, 4), kBlue);

    // And back: the untouched pressed mask is written back and the normal one shown again.
    paint(1, 1, Qt::RightButton);
    m_host->scripted.queueAnswer(UserPrompts::Yes);
    press(QStringLiteral("optMask0"));
    QCOMPARE(at(confirmed(QStringLiteral("p_up.bmp")), 1, 1), kMask);
    QCOMPARE(at(confirmed(QStringLiteral("p_up.bmp")), 2, 1), kBlue);
    QCOMPARE(m_dialog->editor()->pixel(4, 4),
             stroke && answer == UserPrompts::Yes ? kLight : kGreen);
}

void TestFrmEditor::closedWhileTheMaskSwitchAsks_data() {
    QTest::addColumn<int>("answer");
    QTest::newRow("Sì") << int(UserPrompts::Yes);
    QTest::newRow("No") << int(UserPrompts::No);
}

// The main window closes the skin, and with it the editor, while the mask switch's question
// waits for the user: whatever the answer, nothing of the editor is touched afterwards and
// nothing reaches the skin.
void TestFrmEditor::closedWhileTheMaskSwitchAsks() {
    QFETCH(int, answer);
    const QByteArray normalBefore = readFileBytes(work(QStringLiteral("up.bmp")));
    const QByteArray pressedBefore = readFileBytes(work(QStringLiteral("p_up.bmp")));
    QVERIFY(open(QStringLiteral("Scroller_Up")));
    paint(4, 4);
    m_host->scripted.queueAnswer(UserPrompts::Answer(answer), [&] {
        m_host->notifier.raise();
        QTRY_VERIFY(!m_dialog);
    });
    press(QStringLiteral("optMask1"));
    QVERIFY(!m_dialog);
    QCOMPARE(m_host->scripted.shownTexts(),
             QStringList{QStringLiteral("Salvare le modifiche all'immagine corrente?")});
    QCOMPARE(readFileBytes(work(QStringLiteral("up.bmp"))), normalBefore);
    QCOMPARE(readFileBytes(work(QStringLiteral("p_up.bmp"))), pressedBefore);
    QVERIFY(!m_host->list.Modified());
}

void TestFrmEditor::okOnPressedSavesThePressedMask() {
    QVERIFY(open(QStringLiteral("Scroller_Up")));
    press(QStringLiteral("optMask1"));
    paint(6, 6);
    press(QStringLiteral("cmdOk"));
    QTRY_VERIFY(m_dialog.isNull());
    QCOMPARE(at(confirmed(QStringLiteral("p_up.bmp")), 6, 6), kLight);
    QCOMPARE(at(confirmed(QStringLiteral("up.bmp")), 6, 6), kGreen);
    QCOMPARE(m_host->list.RetrData(QStringLiteral("Scroller_Up")).toString(),
             QStringLiteral("up.bmp"));
}

void TestFrmEditor::nuovaMascheraMakesABlankPair() {
    QVERIFY(open(QStringLiteral("Scroller_Up")));
    paint(3, 3);
    press(QStringLiteral("cmdNuovaMask"));
    QVERIFY(!m_dialog->modified());
    QCOMPARE(m_dialog->value(), QStringLiteral("but_scroller_up"));
    for (const QString& name :
         {QStringLiteral("but_scroller_up"), QStringLiteral("p_but_scroller_up")}) {
        const QImage made = confirmed(name);
        QCOMPARE(made.size(), QSize(17, 17));
        QCOMPARE(pixelsOf(made), QList<Colour>(17 * 17, kMask));
    }
    QCOMPARE(pixelsOf(m_dialog->editor()), QList<Colour>(17 * 17, kMask));
    QCOMPARE(at(confirmed(QStringLiteral("up.bmp")), 3, 3),
             kGreen); // the old mask is left alone

    paint(0, 0);
    press(QStringLiteral("cmdOk"));
    QTRY_VERIFY(m_dialog.isNull());
    QCOMPARE(m_host->list.RetrData(QStringLiteral("Scroller_Up")).toString(),
             QStringLiteral("but_scroller_up"));
    const QImage saved(work(QStringLiteral("but_scroller_up")));
    QCOMPARE(at(saved, 0, 0), kLight);
    QCOMPARE(at(saved, 1, 0), kMask);
    QCOMPARE(at(confirmed(QStringLiteral("p_but_scroller_up")), 0, 0), kMask);
}

void TestFrmEditor::annullaAfterSwitchKeepsWhatTheSwitchSaved() {
    QVERIFY(open(QStringLiteral("Scroller_Up")));
    paint(2, 2);
    m_host->scripted.queueAnswer(UserPrompts::Yes);
    press(QStringLiteral("optMask1"));
    paint(9, 9);
    const QByteArray pressedBefore = readFileBytes(work(QStringLiteral("p_up.bmp")));
    press(QStringLiteral("cmdAnnulla"));
    QTRY_VERIFY(m_dialog.isNull());
    QCOMPARE(at(confirmed(QStringLiteral("up.bmp")), 2, 2), kLight);
    QCOMPARE(readFileBytes(work(QStringLiteral("p_up.bmp"))), pressedBefore);
    // The picture saved on the switch is a change of the skin: the next save must pack it.
    QVERIFY(m_host->list.Modified());
    QCOMPARE(m_host->list.RetrData(QStringLiteral("Scroller_Up")).toString(),
             QStringLiteral("up.bmp"));
}

void TestFrmEditor::toolsFromTheDialog() {
    QVERIFY(open(QStringLiteral("Scroller_Up")));
    uEditor* e = m_dialog->editor();
    press(QStringLiteral("optStrum2"));
    QCOMPARE(e->tool(), uEditor::Tool::Line);
    QTest::mousePress(e, Qt::LeftButton, {}, e->cellRect(0, 0).center());
    QTest::mouseMove(e, e->cellRect(4, 4).center());
    QTest::mouseRelease(e, Qt::LeftButton, {}, e->cellRect(4, 4).center());
    for (int i = 0; i <= 4; ++i)
        QCOMPARE(e->pixel(i, i), kLight);
    QVERIFY(m_dialog->modified());

    press(QStringLiteral("optStrum3"));
    QCOMPARE(e->tool(), uEditor::Tool::Fill);
    paint(10, 2, Qt::RightButton); // the green area around the diagonal
    QCOMPARE(e->pixel(16, 16), kMask);
    QCOMPARE(e->pixel(2, 2), kLight);

    press(QStringLiteral("optStrum4"));
    QCOMPARE(e->tool(), uEditor::Tool::Eyedropper);
    paint(3, 3, Qt::RightButton);
    QCOMPARE(e->RightColor(), kLight);
    QCOMPARE(child<PictureBox>(QStringLiteral("pctMouseC2"))->backColor(), kLight);

    press(QStringLiteral("optStrum1"));
    QCOMPARE(e->tool(), uEditor::Tool::Pencil);
}

void TestFrmEditor::undoRedoKeysAndANewHistoryPerMask() {
    QVERIFY(open(QStringLiteral("Scroller_Up")));
    m_dialog->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_dialog));
    uEditor* e = m_dialog->editor();
    paint(4, 4);
    paint(5, 5);
    // The keys belong to the dialog, whichever of its controls has the focus.
    auto* focus = child<QWidget>(QStringLiteral("optStrum1"));
    focus->setFocus();
    const auto key = [focus](Qt::Key k, Qt::KeyboardModifiers m = Qt::ControlModifier) {
        QTest::keyClick(focus, k, m);
    };
    key(Qt::Key_Z);
    QVERIFY(e->pixel(5, 5) == kGreen && e->pixel(4, 4) == kLight && m_dialog->modified());
    key(Qt::Key_Z);
    QVERIFY(e->pixel(4, 4) == kGreen && !m_dialog->modified()); // as loaded
    key(Qt::Key_Y);
    QVERIFY(e->pixel(4, 4) == kLight && m_dialog->modified());
    key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(e->pixel(5, 5), kLight);

    // Undone to the picture as loaded, the switch asks nothing; the strokes left to redo
    // belong to the other mask.
    key(Qt::Key_Z);
    key(Qt::Key_Z);
    press(QStringLiteral("optMask1"));
    QVERIFY(m_host->scripted.shownTexts().isEmpty());
    key(Qt::Key_Y);
    QVERIFY(e->pixel(4, 4) == kBlue && !m_dialog->modified());
}

void TestFrmEditor::emptyNameOpensBlankAndSavesUnderTheKey() {
    m_host->list.SetData(QStringLiteral("SysMenu_Close"), QString());
    const QStringList filesBefore = QDir(m_work).entryList(QDir::Files);
    QVERIFY(open(QStringLiteral("SysMenu_Close")));
    QCOMPARE(pixelsOf(m_dialog->editor()), QList<Colour>(17 * 17, kMask));
    QVERIFY(m_host->scripted.shownTexts().isEmpty());
    paint(1, 1);
    press(QStringLiteral("cmdOk"));
    QTRY_VERIFY(m_dialog.isNull());
    QCOMPARE(m_host->list.RetrData(QStringLiteral("SysMenu_Close")).toString(),
             QStringLiteral("sysmenu_close.bmp"));
    QStringList filesAfter = QDir(m_work).entryList(QDir::Files);
    filesAfter.removeOne(QStringLiteral("sysmenu_close.bmp"));
    QCOMPARE(filesAfter, filesBefore);
    const QImage saved(work(QStringLiteral("sysmenu_close.bmp")));
    QCOMPARE(at(saved, 1, 1), kLight);
    QCOMPARE(at(saved, 0, 0), kMask);
    // Nothing was written beside the working folder under its own name.
    QVERIFY(!QFileInfo::exists(m_work + QStringLiteral(".bmp")));
}

void TestFrmEditor::unsafeNameStaysInsideTheWorkingFolder() {
    m_host->list.SetData(QStringLiteral("SysMenu_Close"), QStringLiteral("../fuori.bmp"));
    QImage outside = plain(17, 17, kRed);
    QVERIFY(outside.save(m_work + QStringLiteral("/../fuori.bmp"), "BMP"));
    QVERIFY(open(QStringLiteral("SysMenu_Close")));
    QCOMPARE(m_host->scripted.shownTexts().size(), 1);
    QVERIFY(m_host->scripted.shownTexts().first().contains(QStringLiteral("non è valido")));
    QCOMPARE(m_dialog->editor()->pixel(0, 0), kMask); // the outside file was not read
    press(QStringLiteral("cmdOk"));
    QTRY_VERIFY(m_dialog.isNull());
    QCOMPARE(m_host->list.RetrData(QStringLiteral("SysMenu_Close")).toString(),
             QStringLiteral("sysmenu_close.bmp"));
    QCOMPARE(at(QImage(m_work + QStringLiteral("/../fuori.bmp")), 0, 0), kRed);
}

void TestFrmEditor::missingOrInvalidPaletteEntriesUseDefaults() {
    m_skin->AddInfo(QStringLiteral("MaskColor"), QStringLiteral("rosa"));
    m_skin->AddInfo(QStringLiteral("DarkColor"), QString());
    m_skin->AddInfo(QStringLiteral("LightColor"), QStringLiteral("-1"));
    m_skin->AddInfo(QStringLiteral("Color"), QStringLiteral("99999999999"));
    QVERIFY(open(QStringLiteral("Scroller_Up")));
    QCOMPARE(m_dialog->maskColor(), makeColour(255, 0, 255));
    QCOMPARE(m_dialog->darkColor(), makeColour(0, 0, 0));
    QCOMPARE(m_dialog->lightColor(), makeColour(255, 255, 255));
    QCOMPARE(child<PictureBox>(QStringLiteral("pctColor"))->backColor(), makeColour(192, 192, 192));
    delete m_dialog.data();

    // Hexadecimal and padded numbers are colours like any other.
    m_skin->AddInfo(QStringLiteral("MaskColor"), QStringLiteral("&HFF00"));
    m_skin->AddInfo(QStringLiteral("DarkColor"), QStringLiteral("  255 "));
    QVERIFY(open(QStringLiteral("Scroller_Up")));
    QCOMPARE(m_dialog->maskColor(), makeColour(0, 255, 0));
    QCOMPARE(m_dialog->darkColor(), makeColour(255, 0, 0));
}

void TestFrmEditor::brokenBitmapIsReportedAndKept() {
    const QByteArray garbage("BM this is not really a bitmap");
    QVERIFY(writeFileBytes(work(QStringLiteral("up.bmp")), garbage));
    QVERIFY(open(QStringLiteral("Scroller_Up")));
    QCOMPARE(m_host->scripted.shownTexts().size(), 1);
    QVERIFY(m_host->scripted.shownTexts().first().startsWith(
        QLatin1String("Impossibile leggere l'immagine \"up.bmp\"")));
    QCOMPARE(pixelsOf(m_dialog->editor()), QList<Colour>(17 * 17, kMask));
    press(QStringLiteral("cmdAnnulla"));
    QTRY_VERIFY(m_dialog.isNull());
    QCOMPARE(readFileBytes(work(QStringLiteral("up.bmp"))), garbage);

    // A missing file opens blank without a word.
    m_host->scripted.clearRecord();
    QVERIFY(QFile::remove(work(QStringLiteral("close.bmp"))));
    QVERIFY(open(QStringLiteral("SysMenu_Close")));
    QVERIFY(m_host->scripted.shownTexts().isEmpty());
    QCOMPARE(m_dialog->editor()->pixel(0, 0), kMask);
}

void TestFrmEditor::failedSaveKeepsTheDialogAndStrokes() {
    // A folder where the picture should go: no file can replace it, whoever runs the test.
    QVERIFY(QFile::remove(work(QStringLiteral("close.bmp"))));
    QVERIFY(QDir(m_work).mkdir(QStringLiteral("close.bmp")));
    QVERIFY(open(QStringLiteral("SysMenu_Close")));
    paint(7, 7);
    press(QStringLiteral("cmdOk"));
    QVERIFY(m_dialog);
    QVERIFY(m_dialog->isVisible());
    QCOMPARE(m_host->scripted.shownTexts().size(), 1);
    QVERIFY(m_host->scripted.shownTexts().first().startsWith(
        QLatin1String("Impossibile salvare l'immagine \"close.bmp\"")));
    QCOMPARE(m_dialog->editor()->pixel(7, 7), kLight);
    QVERIFY(!m_host->list.Modified());

    // A mask left for its twin waits for "Ok"; when it cannot be written then, the dialog stays
    // with it, and nothing of the pair reaches the skin.
    delete m_dialog.data();
    QVERIFY(QFile::remove(work(QStringLiteral("p_up.bmp"))));
    QVERIFY(QDir(m_work).mkdir(QStringLiteral("p_up.bmp")));
    m_host->scripted.clearRecord();
    QVERIFY(open(QStringLiteral("Scroller_Up")));
    const QByteArray normalBefore = readFileBytes(work(QStringLiteral("up.bmp")));
    press(QStringLiteral("optMask1"));
    paint(2, 2);
    m_host->scripted.queueAnswer(UserPrompts::Yes);
    press(QStringLiteral("optMask0"));
    QVERIFY(child<QRadioButton>(QStringLiteral("optMask0"))->isChecked());
    paint(3, 3);
    press(QStringLiteral("cmdOk"));
    QVERIFY(m_dialog && m_dialog->isVisible());
    QCOMPARE(at(m_dialog->confirmedPicture(QStringLiteral("p_up.bmp")), 2, 2), kLight);
    QCOMPARE(readFileBytes(work(QStringLiteral("up.bmp"))), normalBefore);
    QVERIFY(!m_host->list.Modified());
}

void TestFrmEditor::withoutWorkingFolderNothingIsReadOrWritten() {
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(m_work));
    m_skin->setSkinPath(QString());
    QVERIFY(open(QStringLiteral("Scroller_Up")));
    const bool blank = m_dialog->editor()->pixel(0, 0) == kMask; // not up.bmp of this folder
    paint(0, 0);
    press(QStringLiteral("cmdOk"));
    const bool stillOpen = m_dialog && m_dialog->isVisible();
    QDir::setCurrent(previous);
    QVERIFY(blank);
    QVERIFY(stillOpen);
    QCOMPARE(m_host->scripted.shownTexts().size(), 1);
    QCOMPARE(at(QImage(work(QStringLiteral("up.bmp"))), 0, 0), kGreen);
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
    QList<Colour> mirrored = pixelsOf(patterned());
    mirrored[2 * 17 + 2] = mirrored[2 * 17 + 14] = mirrored[14 * 17 + 2] = kLight;
    mirrored[14 * 17 + 14] = kLight;
    QTest::newRow("mirrored rectangle") << mirrored;
}

void TestFrmEditor::eachChangeIsOneStepAndReachesOk() {
    QFETCH(QList<Colour>, expected);
    const QString change = QTest::currentDataTag();
    saveFile(QStringLiteral("up.bmp"), patterned());
    QVERIFY(open(QStringLiteral("Scroller_Up")));
    QVERIFY(activate());
    uEditor* e = m_dialog->editor();
    const QList<Colour> before = pixelsOf(e);
    if (change == "Down" || change == "Left") {
        QTest::keyClick(e, change == "Down" ? Qt::Key_Down : Qt::Key_Left);
    } else if (change == "import") {
        const QString file = m_folders->programDir() + QStringLiteral("/rosso.png");
        QVERIFY(plain(17, 17, kRed).save(file));
        m_host->scripted.queuePath(file);
        act(QStringLiteral("mnuImporta"));
    } else if (change == "paste") {
        QGuiApplication::clipboard()->setImage(plain(34, 34, kRed));
        QTest::keyClick(e, Qt::Key_V, Qt::ControlModifier);
    } else if (change == "mirrored rectangle") {
        press(QStringLiteral("optStrum5"));
        child<QComboBox>(QStringLiteral("cboSimmetria"))->setCurrentIndex(3);
        paint(2, 2);
    } else {
        act(change);
    }
    QCOMPARE(pixelsOf(e), expected);
    QVERIFY(m_dialog->modified());
    QTest::keyClick(e, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(pixelsOf(e), before);
    QVERIFY(!m_dialog->modified());
    QTest::keyClick(e, Qt::Key_Y, Qt::ControlModifier);
    press(QStringLiteral("cmdOk"));
    QTRY_VERIFY(m_dialog.isNull());
    QVERIFY(m_host->list.Modified());
    QCOMPARE(pixelsOf(QImage(work(QStringLiteral("up.bmp")))), expected);
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
    QVERIFY(open(QStringLiteral("Scroller_Up")));
    m_host->scripted.queuePath(file);
    act(QStringLiteral("mnuImporta"));
    const QList<Colour> shown = pixelsOf(m_dialog->editor());
    for (int i = 0; i < shown.size(); ++i)
        QVERIFY2(expected[i] < 0 || shown[i] == expected[i], qPrintable(QString::number(i)));
    QCOMPARE(m_host->scripted.shownTexts().size(), image.isNull() ? 1 : 0);
    if (image.isNull())
        QVERIFY(m_host->scripted.shownTexts().first().startsWith(
            QLatin1String("Impossibile leggere l'immagine \"in.png\"")));
}

void TestFrmEditor::exportAndClipboardKeepTransparency() {
    QVERIFY(open(QStringLiteral("Scroller_Up")));
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
    act(QStringLiteral("mnuEsporta"));
    act(QStringLiteral("mnuEsporta"));
    QCOMPARE(QImage(out + QStringLiteral(".png")).convertToFormat(QImage::Format_ARGB32), copied);
    QVERIFY(m_host->scripted.shownTexts().value(0).startsWith(
        QLatin1String("Impossibile scrivere il file \"uscita2.png\"")));

    // Into another item, and nothing changes when the clipboard holds no picture.
    delete m_dialog.data();
    QVERIFY(open(QStringLiteral("SysMenu_Close")));
    act(QStringLiteral("mnuIncolla"));
    QCOMPARE(pixelsOf(m_dialog->editor()), drawn);
    QGuiApplication::clipboard()->clear();
    act(QStringLiteral("mnuIncolla"));
    QCOMPARE(m_host->scripted.shownTexts().last(),
             QStringLiteral("Gli appunti non contengono un'immagine."));
    QCOMPARE(pixelsOf(m_dialog->editor()), drawn);
}

void TestFrmEditor::keyboardAndResizing() {
    QVERIFY(open(QStringLiteral("Scroller_Up")));
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
    QTest::keyClick(child<QWidget>(QStringLiteral("pctDarkC")), Qt::Key_Space);
    QTest::keyClick(child<QWidget>(QStringLiteral("pctColor")), Qt::Key_Space, Qt::ShiftModifier);
    QVERIFY(e->LeftColor() == kDark && e->RightColor() == kMain);

    // The grid takes what the dialog grows by; the right column keeps its size.
    m_dialog->resize(700, 560);
    QTRY_COMPARE(e->size(), QSize(540, 481));
    QCOMPARE(child<QWidget>(QStringLiteral("cmdAnnulla"))->geometry().bottomRight(),
             QPoint(694, 554));
    paint(16, 16);

    // Enter on a focused button presses it; Esc is "Annulla".
    auto* ok = child<QPushButton>(QStringLiteral("cmdOk"));
    ok->setFocus();
    QTest::keyClick(ok, Qt::Key_Return);
    QTRY_VERIFY(m_dialog.isNull());
    QCOMPARE(at(QImage(work(QStringLiteral("up.bmp"))), 16, 16), kDark);
    QVERIFY(open(QStringLiteral("SysMenu_Close")));
    paint(0, 0);
    QTest::keyClick(m_dialog->editor(), Qt::Key_Escape);
    QTRY_VERIFY(m_dialog.isNull());
    QCOMPARE(at(QImage(work(QStringLiteral("close.bmp"))), 0, 0), kRed);
}

QTEST_MAIN(TestFrmEditor)
#include "tst_frmeditor.moc"
