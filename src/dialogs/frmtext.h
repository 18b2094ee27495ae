#pragma once

#include "dialogkit/valuedialog.h"

#include <QDialog>
#include <memory>

class QLabel;
class QLineEdit;
class QPushButton;

// Edits a number or a text setting as one line of text. It neither checks nor converts numbers:
// "Ok" always hands the launcher the text as typed.
class frmText : public QDialog, public ValueDialog {
    Q_OBJECT
public:
    explicit frmText(QWidget* parent = nullptr);

    // Skin and Mask are not used.
    bool hasUnconfirmedChanges() const override;
    bool confirmChanges() override;
    void Avvia(const std::shared_ptr<cSetting>& Setting, SkinRef& Skin, const QVariant& Value,
               bool Mask = false) override;
    QWidget* dialogWidget() override { return this; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void cmdOk_Click();

    QLabel* Label1 = nullptr;
    QLineEdit* txtText = nullptr;
    QPushButton* cmdOk = nullptr;
    QPushButton* cmdAnnulla = nullptr;
    std::shared_ptr<cSetting> mSetting;
    QString mInitial; // the value it opened with
};
