#pragma once

#include "dialogkit/valuedialog.h"

#include <QDialog>
#include <memory>

class QLabel;
class QLineEdit;
class QPushButton;

// Edits a number or a text setting as one line of text. A number setting takes only a whole
// number of 16 bits: "Ok" waits, with a hint, until the text is one, and then hands the launcher
// the text as typed. The value stored is shown as it is, a number or not, so opening the dialog
// loses nothing.
class frmText : public QDialog, public ValueDialog {
    Q_OBJECT
public:
    explicit frmText(QWidget* parent = nullptr);

    // Skin and Mask are not used.
    bool hasUnconfirmedChanges() const override;
    // False, leaving the dialog open with its hint, while a number setting holds no number.
    bool confirmChanges() override;
    void Avvia(const std::shared_ptr<cSetting>& Setting, SkinRef& Skin, const QVariant& Value,
               bool Mask = false) override;
    QWidget* dialogWidget() override { return this; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void cmdOk_Click();
    bool acceptable() const;
    void updateOk();

    QLabel* Label1 = nullptr;
    QLineEdit* txtText = nullptr;
    QLabel* lblHint = nullptr;
    QPushButton* cmdOk = nullptr;
    QPushButton* cmdAnnulla = nullptr;
    std::shared_ptr<cSetting> mSetting;
    QString mInitial;     // the value it opened with
    bool mNumber = false; // the setting holds a number
};
