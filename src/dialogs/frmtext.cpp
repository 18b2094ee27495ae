#include "frmtext.h"

#include "dialogkit/csetting.h"
#include "dialogkit/dialoglayout.h"
#include "skin/skinschema.h"
#include "validate/wholenumber.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <limits>

namespace {

// The property list takes every item's kind from the schema, so the key tells whether the
// setting holds a number.
bool holdsNumber(const QString& key) {
    for (const SchemaItem& item : skinSchemaItems()) {
        if (item.kind == KindNumber && key == QLatin1String(item.key))
            return true;
    }
    return false;
}

} // namespace

frmText::frmText(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmText"));
    setFont(dialogFont());

    Label1 = new QLabel(tr("Inserisci il valore di questa impostazione:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(twipsRect(75, 75, 4515, 240));

    txtText = new QLineEdit(this);
    txtText->setObjectName(QStringLiteral("txtText"));
    txtText->setGeometry(twipsRect(75, 375, 4590, 285));
    // The box's default limit of 32767 characters would cut a longer stored value on "Ok".
    txtText->setMaxLength(std::numeric_limits<int>::max());
    txtText->installEventFilter(this);

    // Beside the buttons, where nothing else is: the dialog keeps its size.
    lblHint = new QLabel(tr("Solo numeri interi da -32768 a 32767"), this);
    lblHint->setObjectName(QStringLiteral("lblHint"));
    lblHint->setGeometry(twipsRect(75, 705, 1740, 405));
    lblHint->setWordWrap(true);
    lblHint->hide();

    cmdOk = new QPushButton(tr("Ok"), this);
    cmdOk->setObjectName(QStringLiteral("cmdOk"));
    cmdOk->setGeometry(twipsRect(1875, 750, 1365, 315));
    cmdOk->setDefault(true);

    cmdAnnulla = new QPushButton(tr("Annulla"), this);
    cmdAnnulla->setObjectName(QStringLiteral("cmdAnnulla"));
    cmdAnnulla->setGeometry(twipsRect(3300, 750, 1365, 315));
    // Enter on the focused "Annulla" cancels; once the focus leaves it, Enter is "Ok" again.
    cmdAnnulla->setAutoDefault(true);

    setTabOrder(txtText, cmdOk);
    setTabOrder(cmdOk, cmdAnnulla);
    txtText->setFocus();

    connect(cmdOk, &QPushButton::clicked, this, &frmText::cmdOk_Click);
    connect(cmdAnnulla, &QPushButton::clicked, this, &QWidget::close);
    connect(txtText, &QLineEdit::textChanged, this, &frmText::updateOk);

    setFixedSize(txtText->geometry().right() + 1 + twipsToPixels(75),
                 cmdOk->geometry().bottom() + 1 + twipsToPixels(75));
}

void frmText::Avvia(const std::shared_ptr<cSetting>& Setting, SkinRef& Skin, const QVariant& Value,
                    bool Mask) {
    mSetting = Setting;
    mNumber = Setting && holdsNumber(Setting->SettName());
    mInitial = Value.toString();
    txtText->setText(mInitial);
    updateOk();
}

bool frmText::acceptable() const {
    return !mNumber || wholeNumber(txtText->text()).has_value();
}

void frmText::updateOk() {
    const bool ok = acceptable();
    cmdOk->setEnabled(ok);
    lblHint->setVisible(!ok);
}

bool frmText::hasUnconfirmedChanges() const {
    return txtText->text() != mInitial;
}

bool frmText::confirmChanges() {
    if (!acceptable()) {
        txtText->setFocus();
        return false;
    }
    cmdOk_Click();
    return true;
}

bool frmText::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtText && event->type() == QEvent::FocusIn) {
        // Typing replaces the value. A click that brings the focus places the cursor after this
        // event, so the selection is made once the click is through.
        QTimer::singleShot(0, txtText, [box = txtText] { box->selectAll(); });
        txtText->selectAll();
    }
    return QDialog::eventFilter(watched, event);
}

void frmText::cmdOk_Click() {
    if (!acceptable())
        return;
    const std::shared_ptr<cSetting> setting = mSetting;
    if (setting)
        setting->ReturnValue(txtText->text());
    close();
}
