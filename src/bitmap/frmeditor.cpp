#include "bitmap/frmeditor.h"

#include <algorithm>

#include "bitmap/cbitmap.h"
#include "bitmap/cdevicecontext.h"
#include "bitmap/picturebox.h"
#include "bitmap/picturetransfer.h"
#include "common/filenames.h"
#include "common/numbers.h"
#include "dialogkit/buttonkeys.h"
#include "dialogkit/csetting.h"
#include "dialogkit/dialoglayout.h"
#include "dialogkit/userprompts.h"

#include <QAction>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QImageReader>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSaveFile>
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
    setWindowTitle(tr("Bmp Editor"));
    setFont(dialogFont());
    buildControls();
}

frmEditor::~frmEditor() {
    mSetting.reset();
}

void frmEditor::buildControls() {
    mEditor = new uEditor(this);
    mEditor->setObjectName(QStringLiteral("uEditor"));
    mEditor->setMinimumSize(300, 300);
    mEditor->setCentredGrid(true);
    mEditor->setCursor(Qt::CrossCursor);
    connect(mEditor, &uEditor::MouseDown, this, [this] { mModified = true; });
    connect(mEditor, &uEditor::ColorChange, this, &frmEditor::AggiornaColoriMouse);
    // Back at the picture as loaded there is nothing to save on a mask switch.
    connect(mEditor, &uEditor::Edited, this, [this] { mModified = !mEditor->isAsLoaded(); });
    connect(mEditor, &uEditor::Drawn, this, &frmEditor::showPending);

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

    // Right column: the palette, the tools, the mask state, the picture menu and the two
    // buttons. Its controls keep their size; the grid takes whatever the dialog grows by.
    constexpr int kColumn = 143;
    auto* fraPalette = new QGroupBox(tr("Palette"), this);
    fraPalette->setObjectName(QStringLiteral("fraPalette"));
    fraPalette->setFixedSize(kColumn, 97);
    const QStringList captions{tr("Colore principale:"), tr("Colore trasparente:"),
                               tr("Colore chiaro bordi:"), tr("Colore scuro bordi:")};
    const QStringList names{QStringLiteral("pctColor"), QStringLiteral("pctMaskC"),
                            QStringLiteral("pctLightC"), QStringLiteral("pctDarkC")};
    PictureBox* palette[4] = {};
    for (int i = 0; i < 4; ++i) {
        const int top = 18 + 20 * i;
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

    auto* fraStrumenti = new QGroupBox(tr("Strumenti"), this);
    fraStrumenti->setObjectName(QStringLiteral("fraStrumenti"));
    fraStrumenti->setFixedSize(kColumn, 140);
    const QStringList tools{tr("Matita"), tr("Linea"), tr("Riempimento"), tr("Contagocce"),
                            tr("Rettangolo")};
    const uEditor::Tool toolKinds[5] = {uEditor::Tool::Pencil, uEditor::Tool::Line,
                                        uEditor::Tool::Fill, uEditor::Tool::Eyedropper,
                                        uEditor::Tool::Rectangle};
    for (int i = 1; i <= 5; ++i) {
        auto* option = new QRadioButton(tools[i - 1], fraStrumenti);
        option->setObjectName(QStringLiteral("optStrum%1").arg(i));
        option->setGeometry(10, 19 + 16 * (i - 1), 125, 16);
        const uEditor::Tool kind = toolKinds[i - 1];
        connect(option, &QRadioButton::toggled, this, [this, kind](bool on) {
            if (on)
                mEditor->setTool(kind);
        });
        optStrum[i] = option;
    }
    optStrum[1]->setChecked(true);
    optStrum[5]->setToolTip(tr("Con Ctrl premuto il rettangolo è pieno"));
    optStrum[2]->setToolTip(
        tr("Con Maiusc premuto la linea resta orizzontale, verticale o diagonale"));
    auto* lblSimmetria = label(fraStrumenti, tr("Simmetria:"), QRect(10, 101, 123, 15));
    cboSimmetria = new QComboBox(fraStrumenti);
    cboSimmetria->setObjectName(QStringLiteral("cboSimmetria"));
    cboSimmetria->addItems(
        {tr("Nessuna"), tr("Sinistra-destra"), tr("Alto-basso"), tr("Entrambe")});
    cboSimmetria->setGeometry(10, 116, 123, 20);
    lblSimmetria->setBuddy(cboSimmetria);
    connect(cboSimmetria, &QComboBox::currentIndexChanged, this,
            [this](int index) { mEditor->setSymmetry(uEditor::Symmetry(index)); });

    fraMask = new QGroupBox(tr("Stato"), this);
    fraMask->setObjectName(QStringLiteral("fraMask"));
    fraMask->setFixedSize(kColumn, 66);
    const QStringList states{tr("Normale"), tr("Premuto")};
    for (int i = 0; i < 2; ++i) {
        auto* option = new QRadioButton(states[i], fraMask);
        option->setObjectName(QStringLiteral("optMask%1").arg(i));
        option->setGeometry(8 + 66 * i, 19, 62, 17);
        // Only a real change of state switches (maskSwitched ignores the option already
        // shown). On the click, not on the toggle: the switch's question may see this dialog
        // deleted, and the button must have finished changing its state by then.
        connect(option, &QRadioButton::clicked, this, [this, i](bool on) {
            if (on)
                maskSwitched(i);
        });
        optMask[i] = option;
    }
    optMask[0]->setChecked(true);
    cmdNuovaMask = new QPushButton(tr("Nuova maschera"), fraMask);
    cmdNuovaMask->setObjectName(QStringLiteral("cmdNuovaMask"));
    cmdNuovaMask->setGeometry(10, 39, 123, 23);
    cmdNuovaMask->setAutoDefault(false);
    connect(cmdNuovaMask, &QPushButton::clicked, this, &frmEditor::cmdNuovaMaskClick);
    fraMask->hide();

    // The picture as a whole; Ctrl+C and Ctrl+V also work from any control of the dialog.
    cmdImmagine = new QPushButton(tr("Immagine"), this);
    cmdImmagine->setObjectName(QStringLiteral("cmdImmagine"));
    cmdImmagine->setFixedSize(kColumn, 23);
    cmdImmagine->setAutoDefault(false);
    auto* menu = new QMenu(cmdImmagine);
    imageAction(menu, QStringLiteral("mnuRiflettiH"), tr("Rifletti orizzontalmente"),
                [this] { mEditor->flipHorizontally(); });
    imageAction(menu, QStringLiteral("mnuRiflettiV"), tr("Rifletti verticalmente"),
                [this] { mEditor->flipVertically(); });
    imageAction(menu, QStringLiteral("mnuRuota"), tr("Ruota di 90°"),
                [this] { mEditor->rotateClockwise(); });
    menu->addSeparator();
    imageAction(
        menu, QStringLiteral("mnuCopia"), tr("Copia"), [this] { copiaClick(); },
        QKeySequence::Copy);
    imageAction(
        menu, QStringLiteral("mnuIncolla"), tr("Incolla"), [this] { incollaClick(); },
        QKeySequence::Paste);
    menu->addSeparator();
    imageAction(menu, QStringLiteral("mnuImporta"), tr("Importa…"), [this] { importaClick(); });
    imageAction(menu, QStringLiteral("mnuEsporta"), tr("Esporta PNG…"), [this] { esportaClick(); });
    cmdImmagine->setMenu(menu);

    cmdOk = new QPushButton(tr("Ok"), this);
    cmdOk->setObjectName(QStringLiteral("cmdOk"));
    cmdOk->setFixedSize((kColumn - 5) / 2, 25);
    cmdOk->setAutoDefault(false);
    connect(cmdOk, &QPushButton::clicked, this, &frmEditor::cmdOkClick);
    cmdAnnulla = new QPushButton(tr("Annulla"), this);
    cmdAnnulla->setObjectName(QStringLiteral("cmdAnnulla"));
    cmdAnnulla->setFixedSize((kColumn - 5) / 2, 25);
    cmdAnnulla->setAutoDefault(false);
    connect(cmdAnnulla, &QPushButton::clicked, this, &frmEditor::close);

    // Below the editor: the preview and the two mouse colours.
    auto* fraAnteprima = new QGroupBox(tr("Anteprima"), this);
    fraAnteprima->setObjectName(QStringLiteral("fraAnteprima"));
    fraAnteprima->setFixedSize(150, 65);
    pctView = new PictureBox(fraAnteprima);
    pctView->setObjectName(QStringLiteral("pctView"));
    pctView->setGeometry(12, 26, 21, 21);
    label(fraAnteprima, tr("colore:"), QRect(50, 29, 45, 15));
    pctViewC = swatch(fraAnteprima, QStringLiteral("pctViewC"), QRect(96, 28, 40, 17));
    pctViewC->setToolTip(tr("Colore che mostra i pixel trasparenti"));
    connect(pctViewC, &PictureBox::Click, this, &frmEditor::viewSwatchClick);

    auto* fraColori = new QGroupBox(tr("Colori"), this);
    fraColori->setObjectName(QStringLiteral("fraColori"));
    fraColori->setFixedSize(145, 65);
    for (int i = 1; i <= 2; ++i) {
        PictureBox* box = swatch(fraColori, QStringLiteral("pctMouseC%1").arg(i),
                                 QRect(18 + 58 * (i - 1), 22, 50, 30));
        box->setToolTip(i == 1 ? tr("Colore del pulsante sinistro")
                               : tr("Colore del pulsante destro"));
        connect(box, &PictureBox::Click, this, [this, i] { mouseSwatchClick(i); });
        pctMouseC[i] = box;
    }

    pctSave = new PictureBox(this, false);
    pctSave->setObjectName(QStringLiteral("pctSave"));
    pctSave->setGeometry(0, 0, kSide, kSide);
    pctSave->hide();

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(5, 5, 5, 5);
    layout->setHorizontalSpacing(7);
    layout->setVerticalSpacing(4);
    layout->addWidget(mEditor, 0, 0);
    auto* below = new QHBoxLayout;
    below->setSpacing(5);
    below->addStretch(); // centred under the grid, as the grid is
    below->addWidget(fraAnteprima);
    below->addWidget(fraColori);
    below->addStretch();
    layout->addLayout(below, 1, 0);
    auto* side = new QVBoxLayout;
    side->setSpacing(4);
    side->addWidget(fraPalette);
    side->addWidget(fraStrumenti);
    side->addWidget(fraMask);
    side->addWidget(cmdImmagine);
    side->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(5);
    buttons->addWidget(cmdOk);
    buttons->addWidget(cmdAnnulla);
    side->addLayout(buttons);
    layout->addLayout(side, 0, 1, 2, 1);
    layout->setRowStretch(0, 1);
    layout->setColumnStretch(0, 1);
    resize(460, 379);

    prepareKeyboard();
}

void frmEditor::imageAction(QMenu* menu, const QString& name, const QString& text,
                            const std::function<void()>& run, const QKeySequence& key) {
    auto* action = new QAction(text, this);
    action->setObjectName(name);
    connect(action, &QAction::triggered, this, run);
    if (!key.isEmpty()) {
        action->setShortcut(key);
        action->setShortcutVisibleInContextMenu(true);
        addAction(action); // the key works without opening the menu
    }
    menu->addAction(action);
}

void frmEditor::prepareKeyboard() {
    // The grid and what lies under it, then the right column from the top.
    QList<QWidget*> order{mEditor,  pctViewC, pctMouseC[1], pctMouseC[2],
                          pctColor, pctMaskC, pctLightC,    pctDarkC};
    for (int i = 1; i <= 5; ++i)
        order << optStrum[i];
    order << cboSimmetria << optMask[0] << optMask[1] << cmdNuovaMask << cmdImmagine << cmdOk
          << cmdAnnulla;
    for (PictureBox* box :
         {pctViewC, pctMouseC[1], pctMouseC[2], pctColor, pctMaskC, pctLightC, pctDarkC})
        box->setKeyboardPressable(true);
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
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
        const QString text =
            tr("Il nome del file \"%1\" non è valido: l'immagine sarà salvata come \"%2\".")
                .arg(given, mValue);
        if (!askFrom(this, [&] { prompts().critical(this, text); }))
            return;
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
    if (!CaricaImmagine(path, kSide, kSide))
        return;
    mModified = false;

    fraMask->setVisible(Mask);
}

bool frmEditor::CaricaImmagine(const QString& Path, int Width, int Height) {
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
            const QString text =
                tr("Impossibile leggere l'immagine \"%1\": il file è danneggiato o non è una "
                   "bitmap di Windows. Si apre un'immagine vuota; il file resta com'è finché non "
                   "si salva.")
                    .arg(Path.section(QLatin1Char('/'), -1));
            if (!askFrom(this, [&] { prompts().critical(this, text); }))
                return false;
        }
    }
    mEditor->Init(picture);
    mEditor->Draw();
    show();
    return true;
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
    Colour c = kColourNotSet;
    if (!askFrom(this, [&] { c = prompts().pickColour(this, pctMouseC[index]->backColor()); }) ||
        c == kColourNotSet)
        return;
    pctMouseC[index]->setBackColor(c);
    if (index == 1)
        mEditor->setLeftColor(c);
    else
        mEditor->setRightColor(c);
    mEditor->Draw();
}

void frmEditor::viewSwatchClick() {
    Colour c = kColourNotSet;
    if (!askFrom(this, [&] { c = prompts().pickColour(this, pctViewC->backColor()); }) ||
        c == kColourNotSet)
        return;
    pctView->setBackColor(c);
    pctViewC->setBackColor(c);
    mEditor->setViewColor(c);
    mEditor->Draw();
}

void frmEditor::maskSwitched(int index) {
    if (index == mShownMask)
        return;
    // The question, and the message of a save that failed, let the main window close this
    // dialog meanwhile.
    UserPrompts::Answer answer = UserPrompts::Yes;
    if (mModified && !askFrom(this, [&] {
            answer = prompts().question(this, tr("Salvare le modifiche all'immagine corrente?"),
                                        QMessageBox::Yes | QMessageBox::No);
        }))
        return;
    if (answer == UserPrompts::Yes) {
        const QString shown = index == 0 ? kPressedPrefix + mValue : mValue;
        bool saved = false;
        if (!askFrom(this, [&] { saved = salvaImmagine(shown); }))
            return;
        if (!saved) {
            // The strokes stay, and so does the mask they belong to.
            const QSignalBlocker block(optMask[mShownMask]);
            optMask[mShownMask]->setChecked(true);
            return;
        }
    }
    mShownMask = index;
    if (!CaricaImmagine(mSkinPath + (index == 0 ? mValue : kPressedPrefix + mValue), kSide, kSide))
        return;
    mModified = false;
}

void frmEditor::cmdNuovaMaskClick() {
    pctSave->setBackColor(mMaskColor);
    const QString previous = mValue;
    mValue = QStringLiteral("but_") + settName().toLower();
    bool written = false;
    const bool alive =
        askFrom(this, [&] { written = scriviFile(mValue) && scriviFile(kPressedPrefix + mValue); });
    if (!alive)
        return;
    if (!written) {
        mValue = previous;
        return;
    }
    if (!CaricaImmagine(mSkinPath + mValue, kSide, kSide))
        return;
    mModified = false;
}

void frmEditor::stepHistory(bool forward) {
    if (!(forward ? mEditor->redo() : mEditor->undo()))
        return;
    // Back at the picture as loaded there is nothing to save on a mask switch.
    mModified = !mEditor->isAsLoaded();
}

void frmEditor::showPending() {
    if (!mSetting)
        return;
    // The picture as it stands, and whatever a mask switch set aside, as the files would hold
    // them once confirmed.
    QList<std::pair<QString, QImage>> pictures;
    for (const auto& [name, bytes] : mPending) {
        QImage image;
        if (image.loadFromData(bytes, "BMP"))
            pictures.append({name, image});
    }
    QImage shown(kSide, kSide, QImage::Format_RGB32);
    mEditor->DrawImage(&shown);
    const bool pressed = mMask && optMask[1]->isChecked();
    pictures.append({pressed ? kPressedPrefix + mValue : mValue, shown});
    mSetting->ShowPending({{settName(), mValue}}, pictures);
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
    prompts().critical(this,
                       tr("Impossibile salvare l'immagine \"%1\": la cartella di lavoro non è "
                          "scrivibile o il disco è pieno.")
                           .arg(name));
}

UserPrompts& frmEditor::prompts() const {
    return mSetting ? mSetting->prompts() : orUnattended(nullptr);
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

void frmEditor::keyPressEvent(QKeyEvent* event) {
    if (pressFocusedButton(this, event))
        return;
    QDialog::keyPressEvent(event);
}

QImage frmEditor::shownPicture() const {
    QImage picture(kSide, kSide, QImage::Format_RGB32);
    picture.fill(toQRgb(mMaskColor));
    mEditor->DrawImage(&picture);
    return picture;
}

void frmEditor::applyOutsidePicture(const QImage& image) {
    mEditor->replacePicture(pictureColours(fitPicture(image, QSize(kSide, kSide)), mMaskColor));
}

void frmEditor::importaClick() {
    QStringList patterns;
    for (const QByteArray& format : QImageReader::supportedImageFormats())
        patterns << QStringLiteral("*.") + QString::fromLatin1(format);
    const QString filter =
        tr("Immagini (%1);;Tutti i file (*)").arg(patterns.join(QLatin1Char(' ')));
    QString path;
    const bool alive = askFrom(this, [&] {
        path = prompts().openFileName(this, tr("Importa immagine"), QString(), filter);
    });
    if (!alive || path.isEmpty())
        return;
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QImage image = reader.read();
    if (image.isNull()) {
        prompts().critical(
            this, tr("Impossibile leggere l'immagine \"%1\": il formato non è riconosciuto o il "
                     "file è danneggiato. L'immagine non è stata cambiata.")
                      .arg(QFileInfo(path).fileName()));
        return;
    }
    applyOutsidePicture(image);
}

void frmEditor::esportaClick() {
    const QString shown = mMask && mShownMask == 1 ? kPressedPrefix + mValue : mValue;
    const QString suggested = QFileInfo(shown).completeBaseName() + QStringLiteral(".png");
    QString path;
    const bool alive = askFrom(this, [&] {
        path = prompts().saveFileName(this, tr("Esporta PNG"), QString(), suggested,
                                      tr("Immagini PNG (*.png)"));
    });
    if (!alive || path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".png");
    // Written aside and renamed over the name: a failure leaves an existing file as it was.
    QSaveFile file(path);
    const bool written = file.open(QIODevice::WriteOnly) &&
                         transparentPicture(shownPicture(), mMaskColor).save(&file, "PNG") &&
                         file.commit();
    if (!written) {
        prompts().critical(
            this, tr("Impossibile scrivere il file \"%1\": la cartella non è scrivibile o il disco "
                     "è pieno.")
                      .arg(QFileInfo(path).fileName()));
    }
}

void frmEditor::copiaClick() {
    QGuiApplication::clipboard()->setImage(transparentPicture(shownPicture(), mMaskColor));
}

void frmEditor::incollaClick() {
    const QImage image = QGuiApplication::clipboard()->image();
    if (image.isNull()) {
        prompts().critical(this, tr("Gli appunti non contengono un'immagine."));
        return;
    }
    applyOutsidePicture(image);
}
