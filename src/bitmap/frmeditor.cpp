#include "bitmap/frmeditor.h"

#include <algorithm>

#include "bitmap/cbitmap.h"
#include "bitmap/cdevicecontext.h"
#include "bitmap/picturebox.h"
#include "common/filenames.h"
#include "common/numbers.h"
#include "dialogkit/colourpicker.h"
#include "dialogkit/csetting.h"
#include "dialogkit/dialoglayout.h"
#include "dialogkit/messagebox.h"

#include <QAction>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

namespace {

const QString kPressedPrefix = QStringLiteral("p_");

// A palette entry of the skin as a colour; an entry that is missing, is not a number or does
// not name a colour gives the fallback.
Colour paletteColour(const SkinRef& skin, const QString& key, Colour fallback) {
    if (!skin)
        return fallback;
    const QVariant stored = skin->RetrInfo(key);
    if (!stored.isValid() || stored.isNull())
        return fallback;
    if (stored.typeId() == QMetaType::QString && !startsWithNumber(stored.toString()))
        return fallback;
    if (stored.typeId() == QMetaType::Bool)
        return fallback;
    const std::optional<qint32> value = toInt32(readNumber(stored));
    if (!value || *value < 0 || *value > 0xFFFFFF)
        return fallback;
    return *value;
}

QLabel* label(QWidget* parent, const QString& text, const QRect& geometry) {
    auto* l = new QLabel(text, parent);
    l->setGeometry(geometry);
    return l;
}

PictureBox* swatch(QWidget* parent, const QString& name, const QRect& geometry) {
    auto* box = new PictureBox(parent);
    box->setObjectName(name);
    box->setGeometry(geometry);
    box->setCursor(Qt::PointingHandCursor);
    return box;
}

} // namespace

frmEditor::frmEditor(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmEditor"));
    setWindowTitle(QStringLiteral("Bmp Editor"));
    setFont(dialogFont());
    buildControls();
}

frmEditor::~frmEditor() {
    mSetting.reset();
}

void frmEditor::buildControls() {
    setFixedSize(460, 379);

    mEditor = new uEditor(this);
    mEditor->setObjectName(QStringLiteral("uEditor"));
    mEditor->setGeometry(5, 5, 300, 300);
    mEditor->setCursor(Qt::CrossCursor);
    connect(mEditor, &uEditor::MouseDown, this, [this] { mModified = true; });
    connect(mEditor, &uEditor::ColorChange, this, &frmEditor::AggiornaColoriMouse);

    // On the dialog, not the grid, so they answer whichever control has the focus. Redo takes
    // both usual keys whatever the platform's own binding is.
    auto* undo = new QAction(this);
    undo->setShortcuts(QKeySequence::Undo);
    connect(undo, &QAction::triggered, this, [this] { stepHistory(false); });
    addAction(undo);
    QList<QKeySequence> redoKeys = QKeySequence::keyBindings(QKeySequence::Redo);
    for (const QKeySequence& key :
         {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)}) {
        if (!redoKeys.contains(key)) // a key listed twice would be ambiguous and do nothing
            redoKeys << key;
    }
    auto* redo = new QAction(this);
    redo->setShortcuts(redoKeys);
    connect(redo, &QAction::triggered, this, [this] { stepHistory(true); });
    addAction(redo);

    // Right column: the palette, the tools, the mask state and the two buttons.
    auto* fraPalette = new QGroupBox(QStringLiteral("Palette"), this);
    fraPalette->setObjectName(QStringLiteral("fraPalette"));
    fraPalette->setGeometry(312, 2, 143, 104);
    const QStringList captions{
        QStringLiteral("Colore principale:"), QStringLiteral("Colore trasparente:"),
        QStringLiteral("Colore chiaro bordi:"), QStringLiteral("Colore scuro bordi:")};
    const QStringList names{QStringLiteral("pctColor"), QStringLiteral("pctMaskC"),
                            QStringLiteral("pctLightC"), QStringLiteral("pctDarkC")};
    PictureBox* palette[4] = {};
    for (int i = 0; i < 4; ++i) {
        const int top = 19 + 21 * i;
        label(fraPalette, captions[i], QRect(8, top, 100, 15));
        palette[i] = swatch(fraPalette, names[i], QRect(108, top - 1, 27, 17));
        PictureBox* box = palette[i];
        connect(box, &PictureBox::MouseDown, this,
                [this, box](int Button) { paletteMouseDown(box, Button); });
    }
    pctColor = palette[0];
    pctMaskC = palette[1];
    pctLightC = palette[2];
    pctDarkC = palette[3];

    auto* fraStrumenti = new QGroupBox(QStringLiteral("Strumenti"), this);
    fraStrumenti->setObjectName(QStringLiteral("fraStrumenti"));
    fraStrumenti->setGeometry(312, 110, 143, 94);
    const QStringList tools{QStringLiteral("Matita"), QStringLiteral("Linea"),
                            QStringLiteral("Riempimento"), QStringLiteral("Contagocce")};
    const uEditor::Tool toolKinds[4] = {uEditor::Tool::Pencil, uEditor::Tool::Line,
                                        uEditor::Tool::Fill, uEditor::Tool::Eyedropper};
    for (int i = 1; i <= 4; ++i) {
        auto* option = new QRadioButton(tools[i - 1], fraStrumenti);
        option->setObjectName(QStringLiteral("optStrum%1").arg(i));
        option->setGeometry(10, 18 + 18 * (i - 1), 125, 17);
        const uEditor::Tool kind = toolKinds[i - 1];
        connect(option, &QRadioButton::toggled, this, [this, kind](bool on) {
            if (on)
                mEditor->setTool(kind);
        });
        optStrum[i] = option;
    }
    optStrum[1]->setChecked(true);

    fraMask = new QGroupBox(QStringLiteral("Stato"), this);
    fraMask->setObjectName(QStringLiteral("fraMask"));
    fraMask->setGeometry(312, 208, 143, 97);
    const QStringList states{QStringLiteral("Normale"), QStringLiteral("Premuto")};
    for (int i = 0; i < 2; ++i) {
        auto* option = new QRadioButton(states[i], fraMask);
        option->setObjectName(QStringLiteral("optMask%1").arg(i));
        option->setGeometry(10, 18 + 18 * i, 125, 17);
        // Only a real change of state switches: clicking the option already selected must not
        // save the shown mask over the other one.
        connect(option, &QRadioButton::toggled, this, [this, i](bool on) {
            if (on)
                maskSwitched(i);
        });
        optMask[i] = option;
    }
    optMask[0]->setChecked(true);
    cmdNuovaMask = new QPushButton(QStringLiteral("Nuova maschera"), fraMask);
    cmdNuovaMask->setObjectName(QStringLiteral("cmdNuovaMask"));
    cmdNuovaMask->setGeometry(10, 62, 123, 25);
    cmdNuovaMask->setAutoDefault(false);
    connect(cmdNuovaMask, &QPushButton::clicked, this, &frmEditor::cmdNuovaMaskClick);
    fraMask->hide();

    cmdOk = new QPushButton(QStringLiteral("Ok"), this);
    cmdOk->setObjectName(QStringLiteral("cmdOk"));
    cmdOk->setGeometry(312, 316, 143, 25);
    cmdOk->setAutoDefault(false);
    connect(cmdOk, &QPushButton::clicked, this, &frmEditor::cmdOkClick);
    cmdAnnulla = new QPushButton(QStringLiteral("Annulla"), this);
    cmdAnnulla->setObjectName(QStringLiteral("cmdAnnulla"));
    cmdAnnulla->setGeometry(312, 347, 143, 25);
    cmdAnnulla->setAutoDefault(false);
    connect(cmdAnnulla, &QPushButton::clicked, this, &frmEditor::close);

    // Below the editor: the preview and the two mouse colours.
    auto* fraAnteprima = new QGroupBox(QStringLiteral("Anteprima"), this);
    fraAnteprima->setObjectName(QStringLiteral("fraAnteprima"));
    fraAnteprima->setGeometry(5, 309, 150, 65);
    pctView = new PictureBox(fraAnteprima);
    pctView->setObjectName(QStringLiteral("pctView"));
    pctView->setGeometry(12, 26, 21, 21);
    label(fraAnteprima, QStringLiteral("colore:"), QRect(50, 29, 45, 15));
    pctViewC = swatch(fraAnteprima, QStringLiteral("pctViewC"), QRect(96, 28, 40, 17));
    connect(pctViewC, &PictureBox::Click, this, &frmEditor::viewSwatchClick);

    auto* fraColori = new QGroupBox(QStringLiteral("Colori"), this);
    fraColori->setObjectName(QStringLiteral("fraColori"));
    fraColori->setGeometry(160, 309, 145, 65);
    for (int i = 1; i <= 2; ++i) {
        PictureBox* box = swatch(fraColori, QStringLiteral("pctMouseC%1").arg(i),
                                 QRect(18 + 58 * (i - 1), 22, 50, 30));
        box->setToolTip(i == 1 ? QStringLiteral("Colore del pulsante sinistro")
                               : QStringLiteral("Colore del pulsante destro"));
        connect(box, &PictureBox::Click, this, [this, i] { mouseSwatchClick(i); });
        pctMouseC[i] = box;
    }

    pctSave = new PictureBox(this, false);
    pctSave->setObjectName(QStringLiteral("pctSave"));
    pctSave->setGeometry(0, 0, kSide, kSide);
    pctSave->hide();
}

void frmEditor::Avvia(const std::shared_ptr<cSetting>& Setting, SkinRef& Skin,
                      const QVariant& Value, bool Mask) {
    hide();
    mSetting = Setting;
    mMask = Mask;

    mMaskColor = paletteColour(Skin, QStringLiteral("MaskColor"), makeColour(255, 0, 255));
    mDarkColor = paletteColour(Skin, QStringLiteral("DarkColor"), makeColour(0, 0, 0));
    mLightColor = paletteColour(Skin, QStringLiteral("LightColor"), makeColour(255, 255, 255));
    pctMaskC->setBackColor(mMaskColor);
    pctDarkC->setBackColor(mDarkColor);
    pctLightC->setBackColor(mLightColor);
    pctColor->setBackColor(paletteColour(Skin, QStringLiteral("Color"), makeColour(192, 192, 192)));

    pctViewC->setBackColor(pctColor->backColor());
    pctView->setBackColor(pctColor->backColor());

    mSkinPath = Skin ? Skin->SkinPath() : QString();
    if (!mSkinPath.isEmpty() && !mSkinPath.endsWith(QLatin1Char('/')))
        mSkinPath += QLatin1Char('/');

    mEditor->setRightColor(mMaskColor);
    mEditor->setLeftColor(mLightColor);
    AggiornaColoriMouse();
    mEditor->setViewColor(pctColor->backColor());
    mEditor->SetPreviewBox(pctView, mMaskColor);

    // A setting without a file starts from a blank picture saved under the setting's own name;
    // a name that would reach outside the working folder is not followed.
    const QString given = Value.toString();
    mOriginalValue = Value;
    mPending.clear();
    QString path;
    if (given.isEmpty()) {
        mValue = defaultName();
    } else if (!isPlainFileName(given)) {
        mValue = defaultName();
        MessageBoxSeam::critical(
            this, kAppTitle,
            QStringLiteral("Il nome del file \"%1\" non è valido: l'immagine sarà salvata come "
                           "\"%2\".")
                .arg(given, mValue));
    } else {
        mValue = given;
        // Without a working folder the name would be taken from the current folder.
        if (!mSkinPath.isEmpty())
            path = mSkinPath + given;
    }
    mShownMask = 0;
    {
        const QSignalBlocker block(optMask[0]);
        optMask[0]->setChecked(true);
    }
    CaricaImmagine(path, kSide, kSide);
    mModified = false;

    fraMask->setVisible(Mask);
}

void frmEditor::CaricaImmagine(const QString& Path, int Width, int Height) {
    cDeviceContext dc;
    dc.Create();
    cBitmap bitmap;
    // A picture confirmed in this dialog but not yet handed to the skin is read from memory.
    const QString name = Path.section(QLatin1Char('/'), -1);
    const auto pending = std::find_if(mPending.cbegin(), mPending.cend(),
                                      [&](const auto& file) { return file.first == name; });
    const bool loaded =
        !Path.isEmpty() &&
        (pending != mPending.cend() ? bitmap.CreateFromData(pending->second, Width, Height)
                                    : bitmap.CreateFromBitmap(Path, Width, Height));
    dc.SetBmp(bitmap);

    ColourArray picture(Width + 1, QList<Colour>(Height + 1));
    for (int x = 0; x <= Width; ++x)
        for (int y = 0; y <= Height; ++y)
            picture[x][y] = dc.GetPixel(x, y);

    if (!loaded) {
        // What an empty context gives (one black pixel, the rest invalid) would be written back
        // as a real picture by the next save or mask switch; a blank of the transparent colour
        // is what the user expects of a picture that is not there yet.
        for (int x = 0; x < Width; ++x)
            for (int y = 0; y < Height; ++y)
                picture[x][y] = mMaskColor;
        const auto result = bitmap.lastResult();
        if (result == cBitmap::LoadResult::Unreadable || result == cBitmap::LoadResult::TooLarge) {
            MessageBoxSeam::critical(
                this, kAppTitle,
                QStringLiteral("Impossibile leggere l'immagine \"%1\": il file è danneggiato o "
                               "non è una bitmap di Windows. Si apre un'immagine vuota; il file "
                               "resta com'è finché non si salva.")
                    .arg(Path.section(QLatin1Char('/'), -1)));
        }
    }
    mEditor->Init(picture);
    mEditor->Draw();
    show();
}

void frmEditor::AggiornaColoriMouse() {
    pctMouseC[1]->setBackColor(mEditor->LeftColor());
    pctMouseC[2]->setBackColor(mEditor->RightColor());
}

void frmEditor::paletteMouseDown(PictureBox* swatchBox, int Button) {
    Colour c = swatchBox->backColor();
    if (swatchBox == pctMaskC)
        c = mMaskColor;
    else if (swatchBox == pctLightC)
        c = mLightColor;
    else if (swatchBox == pctDarkC)
        c = mDarkColor;
    if (Button == 1)
        mEditor->setLeftColor(c);
    else
        mEditor->setRightColor(c);
    AggiornaColoriMouse();
}

void frmEditor::mouseSwatchClick(int index) {
    // The picker's event loop may see this dialog closed and deleted by the main window.
    const QPointer<frmEditor> self(this);
    const Colour c = SelezionaColore(pctMouseC[index]->backColor());
    if (!self || c == kColourNotSet)
        return;
    pctMouseC[index]->setBackColor(c);
    if (index == 1)
        mEditor->setLeftColor(c);
    else
        mEditor->setRightColor(c);
    mEditor->Draw();
}

void frmEditor::viewSwatchClick() {
    // The picker's event loop may see this dialog closed and deleted by the main window.
    const QPointer<frmEditor> self(this);
    const Colour c = SelezionaColore(pctViewC->backColor());
    if (!self || c == kColourNotSet)
        return;
    pctView->setBackColor(c);
    pctViewC->setBackColor(c);
    mEditor->setViewColor(c);
    mEditor->Draw();
}

void frmEditor::maskSwitched(int index) {
    if (index == mShownMask)
        return;
    const MessageBoxSeam::Answer answer =
        mModified ? MessageBoxSeam::question(
                        this, QStringLiteral("Salvare le modifiche all'immagine corrente?"),
                        QMessageBox::Yes | QMessageBox::No)
                  : MessageBoxSeam::Yes;
    if (answer == MessageBoxSeam::Yes) {
        const QString shown = index == 0 ? kPressedPrefix + mValue : mValue;
        if (!salvaImmagine(shown)) {
            // The strokes stay, and so does the mask they belong to.
            const QSignalBlocker block(optMask[mShownMask]);
            optMask[mShownMask]->setChecked(true);
            return;
        }
    }
    mShownMask = index;
    CaricaImmagine(mSkinPath + (index == 0 ? mValue : kPressedPrefix + mValue), kSide, kSide);
    mModified = false;
}

void frmEditor::cmdNuovaMaskClick() {
    pctSave->setBackColor(mMaskColor);
    const QString previous = mValue;
    mValue = QStringLiteral("but_") + settName().toLower();
    if (!scriviFile(mValue) || !scriviFile(kPressedPrefix + mValue)) {
        mValue = previous;
        return;
    }
    CaricaImmagine(mSkinPath + mValue, kSide, kSide);
    mModified = false;
}

void frmEditor::stepHistory(bool forward) {
    if (!(forward ? mEditor->redo() : mEditor->undo()))
        return;
    // Back at the picture as loaded there is nothing to save on a mask switch.
    mModified = !mEditor->isAsLoaded();
}

void frmEditor::cmdOkClick() {
    const bool pressed = mMask && optMask[1]->isChecked();
    const QString shown = pressed ? kPressedPrefix + mValue : mValue;
    if (!salvaImmagine(shown))
        return; // reported; the dialog stays open with the strokes
    // Released before closing: the launcher may be the last holder of this dialog's setting.
    const std::shared_ptr<cSetting> setting = mSetting;
    if (setting && !setting->ReturnPictures(mValue, mPending)) {
        notSaved(shown);
        return;
    }
    mPending.clear();
    close();
}

bool frmEditor::confirmChanges() {
    cmdOkClick();
    // A picture that could not be written keeps the dialog open with its strokes.
    return !mSetting;
}

void frmEditor::reject() {
    close();
}

void frmEditor::closeEvent(QCloseEvent* event) {
    // Pictures the user chose to save on a mask switch (or a new pair of masks) stay saved when
    // the dialog is cancelled, as one change of their own. Not when the main window closed the
    // dialog: the working folder may be about to hold another skin.
    if (!mPending.isEmpty() && mSetting && mSetting->form() == this)
        mSetting->ReturnPictures(mOriginalValue, mPending);
    mPending.clear();
    // Not QDialog's own handling, which would route the close through reject() again.
    mSetting.reset();
    event->accept();
}

bool frmEditor::salvaImmagine(const QString& name) {
    mEditor->DrawImage(&pctSave->picture());
    return scriviFile(name);
}

bool frmEditor::scriviFile(const QString& name) {
    const QByteArray bytes = mSkinPath.isEmpty() ? QByteArray() : pctSave->bitmapBytes();
    if (bytes.isEmpty()) {
        notSaved(name);
        return false;
    }
    const auto same = std::find_if(mPending.begin(), mPending.end(),
                                   [&](const auto& file) { return file.first == name; });
    if (same != mPending.end())
        same->second = bytes;
    else
        mPending.append({name, bytes});
    return true;
}

void frmEditor::notSaved(const QString& name) {
    MessageBoxSeam::critical(this, kAppTitle,
                             QStringLiteral("Impossibile salvare l'immagine \"%1\": la cartella "
                                            "di lavoro non è scrivibile o il disco è pieno.")
                                 .arg(name));
}

QImage frmEditor::confirmedPicture(const QString& name) const {
    for (const auto& [pendingName, bytes] : mPending) {
        if (pendingName == name)
            return QImage::fromData(bytes, "BMP");
    }
    return QImage(mSkinPath + name);
}

QString frmEditor::settName() const {
    return mSetting ? mSetting->SettName() : QString();
}

QString frmEditor::defaultName() const {
    const QString key = settName().toLower();
    return (key.isEmpty() ? QStringLiteral("immagine") : key) + QStringLiteral(".bmp");
}
