#pragma once

#include "bitmap/ueditor.h"
#include "common/colour.h"
#include "dialogkit/userprompts.h"
#include "dialogkit/valuedialog.h"

#include <QDialog>
#include <QKeySequence>
#include <QString>
#include <functional>
#include <memory>

class PictureBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;
class QRadioButton;
class cSetting;

// The value dialog of image and mask settings: repaints the setting's 17 x 17 bitmap in the
// working folder with the skin's palette, previews it on the skin's main colour and saves it on
// "Ok". For a mask it edits the normal or the pressed mask ("p_" + name) and can make a new
// blank pair.
class frmEditor : public QDialog, public ValueDialog {
    Q_OBJECT
public:
    static constexpr int kSide = 17;

    explicit frmEditor(QWidget* parent = nullptr);
    ~frmEditor() override;

    bool hasUnconfirmedChanges() const override { return mModified || !mPending.isEmpty(); }
    bool confirmChanges() override;
    void Avvia(const std::shared_ptr<cSetting>& Setting, SkinRef& Skin, const QVariant& Value,
               bool Mask = false) override;
    QWidget* dialogWidget() override { return this; }

    // --- what the tests read ---
    QString value() const { return mValue; }
    // A picture as this dialog would hand it over on "Ok": confirmed here, or else as the
    // working folder holds it.
    QImage confirmedPicture(const QString& name) const;
    bool modified() const { return mModified; }
    Colour maskColor() const { return mMaskColor; }
    Colour lightColor() const { return mLightColor; }
    Colour darkColor() const { return mDarkColor; }
    uEditor* editor() const { return mEditor; }

public Q_SLOTS:
    void reject() override; // Escape and the window frame act as "Annulla"

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildControls();
    // False when the dialog was closed while its message about an unreadable file was shown.
    [[nodiscard]] bool CaricaImmagine(const QString& Path, int Width, int Height);
    void AggiornaColoriMouse();

    void paletteMouseDown(PictureBox* swatch, int Button);
    void mouseSwatchClick(int index);
    void viewSwatchClick();
    void maskSwitched(int index);
    void cmdNuovaMaskClick();
    void stepHistory(bool forward);
    // Lets the main window show the strokes before they are confirmed.
    void showPending();
    void cmdOkClick();

    // The picture to and from the world outside the skin; each change is one step of the
    // editor's history and reaches the skin with "Ok" like a stroke.
    void importaClick();
    void esportaClick();
    void copiaClick();
    void incollaClick();
    void applyOutsidePicture(const QImage& image);
    QImage shownPicture() const;
    void imageAction(QMenu* menu, const QString& name, const QString& text,
                     const std::function<void()>& run, const QKeySequence& key = {});
    void prepareKeyboard();

    // Writes the editor's picture through pctSave to mSkinPath + name; reports a failure.
    bool salvaImmagine(const QString& name);
    // Writes pctSave as it is; reports a failure.
    bool scriviFile(const QString& name);
    void notSaved(const QString& name);
    QString defaultName() const;
    // The launcher's, through which this dialog asks and tells the user.
    UserPrompts& prompts() const;
    QString settName() const;

    std::shared_ptr<cSetting> mSetting;
    Colour mMaskColor = 0;
    Colour mDarkColor = 0;
    Colour mLightColor = 0;
    QString mValue;
    QString mSkinPath;
    bool mModified = false;
    // Pictures confirmed in this dialog (a mask left for its twin, a new pair of masks), handed
    // to the skin together on "Ok" so that one undo takes them all back.
    QList<std::pair<QString, QByteArray>> mPending;
    QVariant mOriginalValue; // the item's value when the dialog opened
    bool mMask = false;
    int mShownMask = 0; // 0 normal, 1 pressed

    uEditor* mEditor = nullptr;
    PictureBox* pctView = nullptr;
    PictureBox* pctViewC = nullptr;
    PictureBox* pctColor = nullptr;
    PictureBox* pctMaskC = nullptr;
    PictureBox* pctLightC = nullptr;
    PictureBox* pctDarkC = nullptr;
    PictureBox* pctMouseC[3] = {nullptr, nullptr, nullptr}; // 1 and 2 are used
    QRadioButton* optStrum[6] = {};                         // 1 to 5
    QComboBox* cboSimmetria = nullptr;
    QPushButton* cmdImmagine = nullptr;
    QGroupBox* fraMask = nullptr;
    QRadioButton* optMask[2] = {nullptr, nullptr};
    QPushButton* cmdNuovaMask = nullptr;
    PictureBox* pctSave = nullptr;
    QPushButton* cmdOk = nullptr;
    QPushButton* cmdAnnulla = nullptr;
};
