#include "frmsfum.h"

#include "common/numbers.h"
#include "dialogkit/buttonkeys.h"
#include "dialogkit/csetting.h"
#include "dialogkit/dialoglayout.h"
#include "gradient/csfum.h"
#include "gradient/ucolorsel.h"
#include "gradient/usfum.h"
#include "skin/gradientkeys.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSpinBox>
#include <algorithm>

frmSfum::frmSfum(QWidget* parent) : QDialog(parent) {
    setFont(dialogFont());
    // A column for the stop's position and the two arrangements runs beside the editor and the
    // selector; the designed controls keep their places.
    setFixedSize(356, 155);

    sfmSfum = new uSfum(this);
    sfmSfum->setObjectName(QStringLiteral("sfmSfum"));
    sfmSfum->setGeometry(5, 5, 256, 41);
    sfmSfum->ReadProperties(true, 0, 0);

    cslSelector = new uColorSel(this);
    cslSelector->setObjectName(QStringLiteral("cslSelector"));
    cslSelector->setGeometry(5, 50, 256, 76);

    cmdOK = new QPushButton(tr("Ok"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(5, 130, 126, 21);
    cmdAnnulla = new QPushButton(tr("Annulla"), this);
    cmdAnnulla->setObjectName(QStringLiteral("cmdAnnulla"));
    cmdAnnulla->setGeometry(135, 130, 126, 21);
    // Enter in a text box of the selector must not confirm the dialog.
    for (QPushButton* button : {cmdOK, cmdAnnulla}) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }

    connect(cmdOK, &QPushButton::clicked, this, &frmSfum::cmdOK_Click);
    connect(cmdAnnulla, &QPushButton::clicked, this, &frmSfum::cmdAnnulla_Click);
    connect(cslSelector, &uColorSel::Click, this, &frmSfum::cslSelector_Click);

    sfmSfum->setColorSelector(cslSelector);

    lblPosizione = new QLabel(tr("Posizione"), this);
    lblPosizione->setObjectName(QStringLiteral("lblPosizione"));
    lblPosizione->setGeometry(266, 5, 85, 14);
    spnPosizione = new QSpinBox(this);
    spnPosizione->setObjectName(QStringLiteral("spnPosizione"));
    spnPosizione->setGeometry(266, 21, 85, 21);
    spnPosizione->setRange(0, 100);
    spnPosizione->setSuffix(QStringLiteral(" %"));
    // A typed number counts once it is finished (Enter, leaving the box), not at every digit;
    // the arrows still move the stop a percent at a time.
    spnPosizione->setKeyboardTracking(false);
    lblPosizione->setBuddy(spnPosizione);
    cmdInverti = new QPushButton(tr("Inverti"), this);
    cmdInverti->setObjectName(QStringLiteral("cmdInverti"));
    cmdInverti->setGeometry(266, 50, 85, 21);
    cmdDistribuisci = new QPushButton(tr("Distribuisci"), this);
    cmdDistribuisci->setObjectName(QStringLiteral("cmdDistribuisci"));
    cmdDistribuisci->setGeometry(266, 75, 85, 21);
    for (QPushButton* button : {cmdInverti, cmdDistribuisci})
        button->setAutoDefault(false);

    connect(spnPosizione, &QSpinBox::valueChanged, this, &frmSfum::spnPosizione_Change);
    connect(cmdInverti, &QPushButton::clicked, sfmSfum, &uSfum::ReverseColors);
    connect(cmdDistribuisci, &QPushButton::clicked, sfmSfum, &uSfum::SpreadColors);
    connect(sfmSfum, &uSfum::Change, this, &frmSfum::mostraPosizione);
    // The main window shows the gradient as it is being shaped, before "Ok".
    connect(sfmSfum, &uSfum::Change, this, [this] {
        if (mSetting)
            mSetting->ShowPending(gradientkeys::encode(mSetting->SettName(), stops()));
    });
    mostraPosizione();

    // Reading order: the editor and the position beside it, the selector and the arrangements
    // beside it, then the buttons.
    QList<QWidget*> order{sfmSfum, spnPosizione};
    for (const char* name : {"R", "txtR", "G", "txtG", "B", "txtB", "shpLast", "shpNew"})
        order << cslSelector->findChild<QWidget*>(QLatin1String(name));
    order << cmdInverti << cmdDistribuisci << cmdOK << cmdAnnulla;
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void frmSfum::mostraPosizione() {
    const qint16 selected = sfmSfum->selectedStop();
    const qint16 n = sfmSfum->NColori();
    const bool any = selected >= 1 && selected <= n;
    const QSignalBlocker quiet(spnPosizione);
    spnPosizione->setValue(any ? int(qBound(0, sfmSfum->Posizione(selected), 100)) : 0);
    // The ends stay where they are, as a drag leaves them.
    spnPosizione->setEnabled(any && selected > 1 && selected < n);
}

void frmSfum::spnPosizione_Change(int value) {
    sfmSfum->MoveColor(sfmSfum->selectedStop(), float(value));
    mostraPosizione(); // where the stop could go, which may be short of what was typed
}

void frmSfum::keyPressEvent(QKeyEvent* event) {
    if (pressFocusedButton(this, event))
        return;
    QDialog::keyPressEvent(event);
}

frmSfum::~frmSfum() = default;

void frmSfum::Avvia(const std::shared_ptr<cSetting>& Setting, SkinRef& Skin, const QVariant& Value,
                    bool Mask) {
    hide();
    mSetting = Setting;
    sfmSfum->setPrompts(&prompts());
    mKey = Setting ? Setting->SettName() : QString();
    mSkin = Skin;
    if (!mSkin)
        return;
    // A count beyond 16 bits in a damaged file is taken as the largest count; the model refuses
    // what it cannot hold anyway.
    const qint16 n = toInt16Clamped(readNumber(mSkin->RetrInfo(gradientkeys::countKey(mKey))));
    if (n < 2)
        return;
    auto model = std::make_shared<cSfum>();
    // The bar shows one shade per pixel, so it cannot show more stops than it is long. Sized
    // like the bar from the start, the model refuses the surplus stops once, here, instead of
    // refusing the bar's number of shades at every redraw.
    model->setNSfumature(qint16(sfmSfum->barLength()));
    bool full = false;
    for (int i = 1; i <= n && !full; ++i) {
        const Colour c =
            toInt32Clamped(readNumber(mSkin->RetrInfo(gradientkeys::colourKey(mKey, i))));
        const float p = float(readNumber(mSkin->RetrInfo(gradientkeys::positionKey(mKey, i))));
        // After one refusal every further stop would be refused too: told once.
        full = model->AggiungiColore(c, p, 0) == cSfum::AddResult::BarFull;
    }
    // The message runs an event loop, in which the launcher may close this dialog.
    if (full && !askFrom(this, [this] { prompts().critical(this, cSfum::barFullText()); }))
        return;
    sfmSfum->SetcSfum(model);
    mInitial = stops();
}

QList<gradientkeys::Stop> frmSfum::stops() const {
    QList<gradientkeys::Stop> stops;
    const qint16 n = sfmSfum->NColori();
    for (qint16 i = 1; i <= n; ++i)
        stops.append({qint32(sfmSfum->Colore(i)), qint32(sfmSfum->Posizione(i))});
    return stops;
}

bool frmSfum::hasUnconfirmedChanges() const {
    const QList<gradientkeys::Stop> now = stops();
    return now.size() != mInitial.size() ||
           !std::equal(now.cbegin(), now.cend(), mInitial.cbegin(),
                       [](const auto& a, const auto& b) {
                           return a.colour == b.colour && a.position == b.position;
                       });
}

bool frmSfum::confirmChanges() {
    cmdOK_Click();
    return true;
}

void frmSfum::cmdOK_Click() {
    const QList<gradientkeys::Stop> stops = this->stops();
    // Every stop goes to the skin as one change, which undo takes back whole.
    const std::shared_ptr<cSetting> setting = mSetting;
    if (setting)
        setting->ReturnGradient(stops);
    close();
}

void frmSfum::cmdAnnulla_Click() {
    close();
}

void frmSfum::reject() {
    cmdAnnulla_Click();
}

void frmSfum::cslSelector_Click() {
    // The picker runs its own event loop, in which the main window may close the skin and with it
    // this dialog; then there is no selector left to take the colour.
    Colour chosen = -1;
    if (!askFrom(this, [&] { chosen = prompts().pickColour(this, cslSelector->GetNewColor()); }))
        return;
    if (chosen != -1)
        cslSelector->SetInitialColor(chosen);
}

UserPrompts& frmSfum::prompts() const {
    return mSetting ? mSetting->prompts() : orUnattended(nullptr);
}

void frmSfum::closeEvent(QCloseEvent* event) {
    // Whatever closes the dialog (Ok, Annulla, the frame, the launcher) only lets go here; only
    // Ok has written anything.
    Scarica();
    event->accept();
}

void frmSfum::Scarica() {
    mSetting.reset();
    mSkin.reset();
}
