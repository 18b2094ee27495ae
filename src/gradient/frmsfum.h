#pragma once

#include "dialogkit/userprompts.h"
#include "dialogkit/valuedialog.h"
#include "skin/gradientkeys.h"

#include <QDialog>
#include <QString>
#include <memory>

class QLabel;
class QPushButton;
class QSpinBox;
class uColorSel;
class uSfum;

// Edits the gradient of one gradient setting of the skin: reads its stops (K + "_Count",
// K + "<i>", K + "_Pos<i>") from the skin document into the gradient editor, which is coupled to
// an RGB selector, and on "Ok" writes them back and tells the launcher. "Annulla", Esc and the
// window's frame close it without writing anything.
//
// Beside the editor: the selected stop's position as a whole percent ("Posizione"), "Inverti" and
// "Distribuisci". Whatever they change is written with the rest on "Ok", as one change.
class frmSfum : public QDialog, public ValueDialog {
    Q_OBJECT
public:
    explicit frmSfum(QWidget* parent = nullptr);
    ~frmSfum() override;

    // Value is not used: the stops live in the skin document.
    bool hasUnconfirmedChanges() const override;
    bool confirmChanges() override;
    void Avvia(const std::shared_ptr<cSetting>& Setting, SkinRef& Skin, const QVariant& Value,
               bool Mask = false) override;
    QWidget* dialogWidget() override { return this; }

    uSfum* editor() const { return sfmSfum; }
    uColorSel* selector() const { return cslSelector; }

public Q_SLOTS:
    void reject() override; // Esc

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void cmdOK_Click();
    QList<gradientkeys::Stop> stops() const;
    void cmdAnnulla_Click();
    void cslSelector_Click();
    void Scarica();
    void mostraPosizione(); // the selected stop's position, editable for an inner stop
    void spnPosizione_Change(int value);
    // The launcher's, through which this dialog asks and tells the user.
    UserPrompts& prompts() const;

    uSfum* sfmSfum = nullptr;
    uColorSel* cslSelector = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdAnnulla = nullptr;
    QLabel* lblPosizione = nullptr;
    QSpinBox* spnPosizione = nullptr;
    QPushButton* cmdInverti = nullptr;
    QPushButton* cmdDistribuisci = nullptr;

    std::shared_ptr<cSetting> mSetting;
    QList<gradientkeys::Stop> mInitial; // the stops it opened with
    QString mKey;
    SkinRef mSkin;
};
