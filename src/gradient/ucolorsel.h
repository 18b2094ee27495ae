#pragma once

#include "common/colour.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QScrollBar;

namespace colorsel_detail {
class Swatch;
} // namespace colorsel_detail

// Chooses a colour by its red, green and blue components: per component a label, a scroll bar
// from 0 to 255 and a text box, and below them the colour it was given (shpLast) beside the colour
// now set (shpNew).
//
// Every change of a component raises ColorChange. There is deliberately no guard against
// re-entry: a bar change rewrites its text, the text change sets the bar again (which, at the
// same value, reports nothing and ends the chain), and each handler on the way raises ColorChange.
// One change therefore reports several times, the last time with the final colour, and
// SetInitialColor reports the mixed colours after each bar it moves.
class uColorSel : public QWidget {
    Q_OBJECT
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
public:
    explicit uColorSel(QWidget* parent = nullptr);

    quint8 ValueR() const;
    void setValueR(quint8 value);
    quint8 ValueG() const;
    void setValueG(quint8 value);
    quint8 ValueB() const;
    void setValueB(quint8 value);

    // Shows Valore as the given colour and moves the three bars to it.
    void SetInitialColor(Colour Valore);
    // The colour now set (the colour of shpNew).
    Colour GetNewColor() const;
    // The colour last given with SetInitialColor (the colour of shpLast).
    Colour lastColor() const;

    // Blocks or allows the user's input on the bars, the text boxes and the swatches; the labels
    // stay as they are, and the setters above work either way.
    void SetEnabled(bool value);
    bool Enabled() const { return m_enabled; }

    QSize sizeHint() const override { return QSize(256, 76); }

Q_SIGNALS:
    void ColorChange(Colour NewColor);
    // The new-colour swatch was clicked; the owner opens the full colour picker.
    void Click();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Row {
        QLabel* label = nullptr;
        QScrollBar* bar = nullptr;
        QLineEdit* text = nullptr;
    };

    void ImpostaColore(Colour c);
    void AggiornaColore();
    void barChanged(const Row& row, int value);
    void textChanged(const Row& row, const QString& text);
    void layoutChildren();

    Row m_rows[3]; // red, green, blue
    colorsel_detail::Swatch* m_shpLast = nullptr;
    colorsel_detail::Swatch* m_shpNew = nullptr;
    bool m_enabled = true;
};
