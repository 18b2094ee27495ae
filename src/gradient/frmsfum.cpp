#include "frmsfum.h"

#include "common/numbers.h"
#include "dialogkit/colourpicker.h"
#include "dialogkit/csetting.h"
#include "dialogkit/dialoglayout.h"
#include "gradient/csfum.h"
#include "gradient/ucolorsel.h"
#include "gradient/usfum.h"
#include "skin/gradientkeys.h"

#include <QCloseEvent>
#include <QPointer>
#include <QPushButton>
#include <algorithm>

frmSfum::frmSfum(QWidget* parent) : QDialog(parent) {
    setFont(dialogFont());
    setFixedSize(266, 155);

    sfmSfum = new uSfum(this);
    sfmSfum->setObjectName(QStringLiteral("sfmSfum"));
    sfmSfum->setGeometry(5, 5, 256, 41);
    sfmSfum->ReadProperties(true, 0, 0);

    cslSelector = new uColorSel(this);
    cslSelector->setObjectName(QStringLiteral("cslSelector"));
    cslSelector->setGeometry(5, 50, 256, 76);

    cmdOK = new QPushButton(QStringLiteral("Ok"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(5, 130, 126, 21);
    cmdAnnulla = new QPushButton(QStringLiteral("Annulla"), this);
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
}

frmSfum::~frmSfum() = default;

void frmSfum::Avvia(const std::shared_ptr<cSetting>& Setting, SkinRef& Skin, const QVariant& Value,
                    bool Mask) {
    hide();
    mSetting = Setting;
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
    // The refusal's message runs an event loop, in which the launcher may close this dialog.
    const QPointer<frmSfum> alive(this);
    for (int i = 1; i <= n; ++i) {
        const Colour c =
            toInt32Clamped(readNumber(mSkin->RetrInfo(gradientkeys::colourKey(mKey, i))));
        const float p = float(readNumber(mSkin->RetrInfo(gradientkeys::positionKey(mKey, i))));
        const qint16 before = model->NColori();
        model->AggiungiColore(c, p, 0);
        // After one refusal every further stop would be refused too, each with its own message.
        if (model->NColori() == before)
            break;
    }
    if (!alive)
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
    const QPointer<frmSfum> alive(this);
    const Colour chosen = SelezionaColore(cslSelector->GetNewColor());
    if (!alive)
        return;
    if (chosen != -1)
        cslSelector->SetInitialColor(chosen);
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
