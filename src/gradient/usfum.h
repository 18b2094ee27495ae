#pragma once

#include "common/colour.h"
#include "dialogkit/userprompts.h"
#include "gradient/csfum.h"

#include <QImage>
#include <QList>
#include <QPointer>
#include <QWidget>
#include <memory>

class uColorSel;

namespace sfum_detail {
class Bar;
class Marker;
} // namespace sfum_detail

// The pointer rules of the gradient editor as plain arithmetic, so that they can be checked
// without a widget. "Along" is the coordinate along the bar (x for a horizontal bar, y for a
// vertical one); B is the bar's start and L its length on that axis.
namespace SfumPointer {

// Where the marker of stop i (of n) starts along the bar: the first in the margin before the
// bar, the last in the margin after it, the others centred on their shade.
int markerStart(int i, int n, int B, int posizioneAss);

// The would-be start of the dragged marker for a pointer at `c` from the control's edge, pressed
// `grabOffset` pixels into the marker.
int wouldBeStart(double c, int B, int grabOffset);

// The position in percent under the centre z of a marker.
float percentAt(int z, int B, int L);

enum class Action {
    Nothing, // the move is ignored
    CreateAfterFirst,
    CreateBeforeLast,
    MergeIntoFirst,
    MergeIntoLast,
    Move, // the drag step
};

// What a move does to dragged stop d of n with its marker's centre at z.
Action actionFor(int d, int n, int z, int B, int L);

} // namespace SfumPointer

// Edits a multi-stop gradient: a bar showing it (pctSfum) and a marker per stop (imgFreccia,
// element 0 being the ghost shown while an inner stop is dragged). Dragging an end marker into
// the bar creates a stop with that end's colour; dragging an inner marker past an end gives that
// end its colour and drops the inner stop; pressing a marker selects its stop and loads its colour
// into the attached RGB selector, whose changes are written back into the stop.
//
// Beyond the pointer it takes typed positions, a double-click on the bar (a stop with the colour
// the gradient has there), Delete (the selected inner stop), the arrow keys (the previous or next
// stop), and reverses the stops or spaces them evenly.
class uSfum : public QWidget {
    Q_OBJECT
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(qint16 NSfumature READ NSfumature WRITE setNSfumature)
    Q_PROPERTY(qint32 Orientation READ Orientation WRITE setOrientation)
public:
    explicit uSfum(QWidget* parent = nullptr);
    ~uSfum() override;

    // Empties the model held so far, then edits pSfum.
    void SetcSfum(const std::shared_ptr<cSfum>& pSfum);
    std::shared_ptr<cSfum> model() const { return m_model; }

    void SetEnabled(bool value);
    bool Enabled() const { return m_enabled; }

    // Enables the attached selector and lets it go.
    void LiberaColorSel();
    // Attaches a selector (its colour changes reach the selected stop) and disables it until a
    // stop is selected.
    void setColorSelector(uColorSel* selector);
    uColorSel* ColorSelector() const { return m_colorSelector.data(); }
    // Through which a refused stop is told (nullptr: unattended).
    void setPrompts(UserPrompts* prompts) { m_prompts = prompts; }

    // 0 is a horizontal bar with the markers below it, anything else a vertical bar with the
    // markers to its right. Setting it swaps the control's width and height, every time.
    void setOrientation(qint32 value);
    qint32 Orientation() const { return m_orientation; }

    // The number of shades at which Sfumatura reads the gradient out (not the bar's).
    void setNSfumature(qint16 value) { m_nSfumature = value; }
    qint16 NSfumature() const { return m_nSfumature; }

    // What a form stores for the control, applied as a form loads it: Enabled through its setter,
    // the other two as they are (no swap), then the layout.
    void ReadProperties(bool enabled, qint16 nSfumature, qint32 orientation);

    qint16 NColori() const;
    // The stop's position rounded to a whole percent (halves to even).
    qint32 Posizione(qint16 Index) const;
    Colour Colore(qint16 Index) const;
    void setColore(qint16 Index, Colour value);
    Colour Sfumatura(qint16 Index);

    void ResetColors();
    // Refused with a message when the stops fill the bar.
    void AddColor(Colour Colore);
    void RemoveColor(qint16 Index);
    void RemoveSelectedColor();

    // Moves inner stop Index to a typed position under the rules of a drag: it stops at its
    // neighbours, and on reaching an end's position it merges into that end. The end stops stay.
    void MoveColor(qint16 Index, float Posizione);
    // Adds a stop, selected, at `offset` pixels along the bar, with the colour the gradient shows
    // there; nothing where a dragged stop could not be.
    void InsertColorAt(int offset);
    // Removes the selected stop unless it is the first or the last; the stop after it is then
    // selected.
    void RemoveSelectedInnerColor();
    // The stops in the opposite order, mirrored between the two ends.
    void ReverseColors();
    // The inner stops evenly spaced between the two ends.
    void SpreadColors();

    // --- for the dialog and for tests ---
    QRect barRect() const;
    // The bar's length along its axis: the number of shades it shows.
    int barLength() const;
    qint16 selectedStop() const { return m_selected; }
    qint16 draggedStop() const { return m_dragged; }
    // Marker element i (0 = the ghost), or nullptr when it does not exist.
    QWidget* imgFreccia(int i) const;
    int markerCount() const { return int(m_markers.size()); }
    QImage barPicture() const;
    // The picture marker element i shows.
    QImage markerPicture(int i) const;

    enum class Shape { H, V, Q };
    // The 14 x 14 marker pictures, transparent around the shape.
    static QImage markerImage(Shape shape, bool selected);

Q_SIGNALS:
    // The stops or the selection changed (also at every step of a drag).
    void Change();

public:
    // The pointer handlers of the markers; positions are global (screen) positions.
    void imgFreccia_MouseDown(int Index, Qt::MouseButton button, const QPointF& localPos);
    void imgFreccia_MouseMove(int Index, Qt::MouseButtons buttons, const QPointF& globalPos);
    void imgFreccia_MouseUp(int Index, Qt::MouseButton button);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void mColorSelector_ColorChange(Colour NewColor);
    void layoutControl();
    void DisegnaBarra(bool SenzaFrecce);
    void PosizionaFrecce();
    void ensureMarker(int i);
    void removeMarkersAbove(int count);
    void endDrag();
    // An inner stop dragged (or typed) onto an end: the end takes its colour and it goes.
    void mergeIntoEnd(qint16 d, bool first);
    // Selects stop i and loads its colour into the selector, as releasing its marker does.
    void selectStop(qint16 i);
    void releasePointerIfFull();
    // Adds a stop while dragging; false when this control did not outlive the refusal's message.
    bool addStop(Colour colour, float position, qint16 index);
    // Tells the user a stop was refused; false when this control did not outlive the message.
    bool tellBarFull();
    void fitModelToBar();
    bool horizontal() const { return m_orientation == 0; }
    int along(const QPoint& p) const { return horizontal() ? p.x() : p.y(); }
    void setAlong(QWidget* w, int value);
    void setCross(QWidget* w, int value);
    static std::shared_ptr<cSfum> defaultModel();

    sfum_detail::Bar* m_bar = nullptr;
    QList<sfum_detail::Marker*> m_markers;

    std::shared_ptr<cSfum> m_model;
    bool m_enabled = false;
    qint32 m_orientation = 0;
    qint16 m_nSfumature = 0;
    qint16 m_selected = 0;
    int m_grabOffset = 0;
    qint16 m_dragged = 0;
    QPointer<uColorSel> m_colorSelector;
    QMetaObject::Connection m_selectorConnection;
    UserPrompts* m_prompts = nullptr;
    int m_pressedMarker = -1; // the element whose press started the current drag
};
