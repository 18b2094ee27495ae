#pragma once

#include "common/colour.h"
#include "dialogkit/valuedialog.h"

#include <QDialog>
#include <QEvent>
#include <QImage>
#include <QList>
#include <memory>

class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QScrollBar;

namespace colourpicker_detail {
class PictureArea;
class Swatch;
} // namespace colourpicker_detail

// "Selezionatore di colori": a colour table (hue across, whiteness down), a shade bar from black
// through the colour to white, and the red, green and blue components as text and scroll bars.
//
// Two uses: as a value dialog of the launcher (Avvia, modeless; "Ok" hands the colour to the
// launcher), and as a modal function (pickColour, registered as dialogkit's SelezionaColore),
// which returns the chosen colour or, when cancelled, the colour it started from. Closing the
// window by its frame or with Esc counts as "Annulla" in both uses.
//
// Beside the table it offers the colour as "#RRGGBB", the colours the open skin uses, the colours
// last confirmed with "Ok", and "Preleva", which takes the colour of the next point clicked
// anywhere on the screen.
class frmColor : public QDialog, public ValueDialog {
    Q_OBJECT
public:
    explicit frmColor(QWidget* parent = nullptr);
    ~frmColor() override;

    // Launcher use: `Value` is the colour as a number or as its decimal text. Skin and Mask are
    // not used.
    void Avvia(const std::shared_ptr<cSetting>& Setting, SkinRef& Skin, const QVariant& Value,
               bool Mask = false) override;
    QWidget* dialogWidget() override { return this; }

    // Function use on this instance: shows the dialog modally and returns the chosen colour, or
    // ColoreLong when the user cancels.
    Colour SelezionaColore(Colour ColoreLong);

    // The function form: a fresh instance for every call, dropped once it has answered.
    static Colour pickColour(Colour ColoreLong);

    // The instance pickColour is showing, or nullptr.
    static frmColor* sharedInstance();

    // --- read by tests and by nobody else ---
    Colour currentColour() const; // the colour of the three scroll bars
    Colour oldColour() const { return mVecchio; }
    int linY() const { return mLinY; } // row of the bar marked by `lin`
    QImage tablePicture() const { return mTavola; }
    QImage barPicture() const { return mBarra; }
    // Top-left corner of `Sel` within the table, and whether it is shown.
    QPoint selPosition() const;
    bool selVisible() const;
    qint32 risultato() const { return mRisultato; }
    int barBuilds() const { return mBarBuilds; } // how many times the bar was painted
    QList<Colour> skinPalette() const { return mColoriSkin; }
    QList<Colour> recentPalette() const { return mRecenti; }
    bool picking() const { return mPrelievo; } // "Preleva" waits for its click

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

public Q_SLOTS:
    void reject() override; // Esc

private:
    void buildControls();

    // The private operations of the dialog.
    void MostraColore(Colour c);
    void DisegnaSfumatura(Colour& c);
    void DisegnaSfumatura(); // around the colour of the scroll bars
    void centraMarcatore();
    void AggiornaDaBarre();
    void ScegliDaSfumatura(int x, int y);
    void ScegliDaTavola(int x, int y);
    QPoint BloccaCursore(QWidget* control, const QPoint& p) const;
    void ValidaTesti();
    void Termina();

    void cmdOk_Click();
    void cmdAnnulla_Click();
    void Concludi(); // what "Ok" and "Annulla" share after setting mRisultato
    void txt_Change(QLineEdit* box, QScrollBar* bar);
    void bar_Change(QScrollBar* bar, QLineEdit* box);
    void tavMouse(QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held, QPoint p);
    void sfumMouse(QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held, QPoint p);
    void setLinY(int y);

    void buildExtras();
    void Scegli(Colour c); // a colour from the hex box, a palette or the screen
    void ApplicaHex();
    void mostraColoriSkin(const SkinRef& skin);
    void riempiPalette(QWidget* area, const QList<Colour>& colours, int perRow, QWidget* tabAfter);
    void iniziaPrelievo();
    void fermaPrelievo();

    colourpicker_detail::PictureArea* Tav = nullptr;
    QWidget* Sel = nullptr;
    colourpicker_detail::PictureArea* pctSfum = nullptr;
    QWidget* lin = nullptr;
    QLabel* lblR = nullptr;
    QLabel* lblG = nullptr;
    QLabel* lblB = nullptr;
    QLineEdit* txtR = nullptr;
    QLineEdit* txtG = nullptr;
    QLineEdit* txtB = nullptr;
    QScrollBar* R = nullptr;
    QScrollBar* G = nullptr;
    QScrollBar* B = nullptr;
    colourpicker_detail::Swatch* shpVecchio = nullptr;
    colourpicker_detail::Swatch* shpColore = nullptr;
    QPushButton* cmdOk = nullptr;
    QPushButton* cmdAnnulla = nullptr;
    QLineEdit* txtHex = nullptr;
    QPushButton* cmdPreleva = nullptr;
    QLabel* lblRecenti = nullptr;
    QWidget* pnlRecenti = nullptr;
    QLabel* lblColoriSkin = nullptr;
    QScrollArea* scrColoriSkin = nullptr;
    QWidget* pnlColoriSkin = nullptr;

    QImage mTavola; // 200 x 255, generated once
    QImage mBarra;  // the shade bar as last painted, read back by the picks
    int mLinY = 0;

    qint32 mRisultato = 0;
    std::shared_ptr<cSetting> mSetting;
    bool mModoFunzione = false;
    bool mInChiusura = false;
    bool mTermina = false; // a button (or the frame) is closing the window
    bool mTrascina = false;
    Colour mUltimo = 0;
    Colour mVecchio = 0;
    int mBarBuilds = 0;
    QList<Colour> mRecenti;
    QList<Colour> mColoriSkin;
    bool mPrelievo = false;
};
