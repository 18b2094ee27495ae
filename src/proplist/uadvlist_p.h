#pragma once

// What the parts of the list widget share: its measures, its drawing primitives and its inline
// editors. Only the list's own sources include this.

#include "proplist/uadvlist.h"

#include "common/numbers.h"
#include "proplist/listpictures.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>

#include <functional>

namespace advlist {

inline const QColor kCategoryFill(13, 107, 170);
inline const QColor kItemFill(230, 230, 230);
inline const QColor kAdvOptFill(230, 0, 0);
inline const QColor kHotFill(214, 239, 255);
inline const QColor kHotPen(13, 107, 170);
inline const QColor kMorePressed(230, 230, 230);
inline const QColor kMoreReleased(192, 192, 192);

// The value box of colour and gradient rows has the size of the colour editor.
inline constexpr int kBoxWidth = 31;
inline constexpr int kBoxHeight = 13;
// One step of the scroll bar, in pixels.
inline constexpr int kScrollStep = 10;
// Wheel movement of one scroll step (a wheel notch of 120 scrolls three steps).
inline constexpr int kWheelPerStep = 40;

// A filled rectangle outlined with a one-pixel pen, covering [l, r) x [t, b) like a GDI
// Rectangle call: the outline runs on the border pixels and the fill lies inside it. Without a
// fill only the outline is drawn.
void outlinedRect(QPainter& p, int l, int t, int r, int b, const QColor& pen, const QColor* fill);
// Single-line text in [l, r) x [t, b), vertically centred and clipped to the rectangle.
void drawCaption(QPainter& p, int l, int t, int r, int b, Qt::Alignment align, const QColor& colour,
                 const QString& text);
// Paints the gradient the skin holds under `key` into `box`, horizontally; false (nothing
// painted) when the skin holds fewer than two stops.
bool paintGradient(QPainter& p, const cSkin* skin, const QString& key, const QRect& box);

} // namespace advlist

using namespace advlist;

// ---------------------------------------------------------------------------------------------
// Child widgets

// The drawing surface: everything it shows is painted from the model at each paint.
class uAdvList::Surface : public QWidget {
public:
    explicit Surface(uAdvList* owner) : QWidget(owner), m_owner(owner) {
        setObjectName(QStringLiteral("pctList"));
        setMouseTracking(true);
        setAttribute(Qt::WA_OpaquePaintEvent);
        // The surface is where the keys go; the scroll bar beside it never keeps the focus.
        setFocusPolicy(Qt::StrongFocus);
        setFont(ListPictures::listFont(9));
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        QPainter p(this);
        m_owner->DrawList(p, event->rect());
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        m_owner->surfaceMouseMove(event->position().toPoint(), event->buttons());
    }
    void mousePressEvent(QMouseEvent* event) override {
        m_owner->surfaceMousePress(event->position().toPoint(), event->button());
    }
    void wheelEvent(QWheelEvent* event) override {
        m_owner->surfaceWheel(event->angleDelta().y());
        event->accept();
    }
    // The second press of a double click is not a click of its own: a quick double click on a
    // category row or a switch would otherwise undo itself.
    void mouseDoubleClickEvent(QMouseEvent* event) override { event->accept(); }
    void keyPressEvent(QKeyEvent* event) override {
        if (!m_owner->surfaceKey(event))
            QWidget::keyPressEvent(event);
    }
    // The focus frame lies in the owner's margin.
    void focusInEvent(QFocusEvent*) override { m_owner->update(); }
    void focusOutEvent(QFocusEvent*) override { m_owner->update(); }
    void resizeEvent(QResizeEvent*) override { m_owner->Redraw(); }
    // A tooltip left behind when the pointer goes elsewhere would describe a control nobody is
    // pointing at any more.
    void leaveEvent(QEvent*) override { m_owner->lblToolTip->hide(); }

private:
    uAdvList* m_owner;
};

// What every inline editor shares: a mouse move shows its tooltip, and a left press released
// over it is a click.
template <class Base> class EditorBehaviour : public Base {
public:
    using ClickHandler = std::function<void()>;
    using MoveHandler = std::function<void(const QPoint& globalPos)>;
    using Base::Base;
    void setHandlers(ClickHandler click, MoveHandler move) {
        m_click = std::move(click);
        m_move = std::move(move);
    }

protected:
    void mouseMoveEvent(QMouseEvent* event) override {
        if (m_move)
            m_move(event->globalPosition().toPoint());
    }
    void mousePressEvent(QMouseEvent* event) override {
        m_pressed = event->button() == Qt::LeftButton;
        pressed(event->button());
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        released(event->button());
        const bool click = m_pressed && event->button() == Qt::LeftButton &&
                           this->rect().contains(event->position().toPoint());
        m_pressed = false;
        if (click && m_click)
            m_click();
    }
    // A double click asks for one dialog, not two: its second press is no click.
    void mouseDoubleClickEvent(QMouseEvent* event) override { event->accept(); }
    virtual void pressed(Qt::MouseButton) {}
    virtual void released(Qt::MouseButton) {}

private:
    ClickHandler m_click;
    MoveHandler m_move;
    bool m_pressed = false;
};

// pctColor: the colour of a colour item, or the gradient of a gradient item, in a black frame.
class uAdvList::ColourBox : public EditorBehaviour<QWidget> {
public:
    explicit ColourBox(QWidget* parent) : EditorBehaviour<QWidget>(parent) {
        setObjectName(QStringLiteral("pctColor"));
        setFixedSize(kBoxWidth, kBoxHeight);
        setMouseTracking(true);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }
    QSize innerSize() const { return QSize(width() - 2, height() - 2); }
    void setColour(Colour c) {
        m_inner = QImage();
        m_colour = toQColor(c);
        update();
    }
    // The inner area as a picture (a gradient); a null image shows white.
    void setPicture(const QImage& inner) {
        m_inner = inner.isNull() ? blankInner() : inner;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        outlinedRect(p, 0, 0, width(), height(), Qt::black, nullptr);
        if (m_inner.isNull())
            p.fillRect(QRect(1, 1, width() - 2, height() - 2), m_colour);
        else
            p.drawImage(1, 1, m_inner);
    }

private:
    QImage blankInner() const {
        QImage img(innerSize(), QImage::Format_RGB32);
        img.fill(Qt::white);
        return img;
    }
    QColor m_colour = Qt::white;
    QImage m_inner;
};

// cmdMore: a "..." label used as a button.
class uAdvList::MoreLabel : public EditorBehaviour<QLabel> {
public:
    explicit MoreLabel(QWidget* parent) : EditorBehaviour<QLabel>(parent) {
        setObjectName(QStringLiteral("cmdMore"));
        setText(QStringLiteral("..."));
        setAlignment(Qt::AlignCenter);
        setFont(ListPictures::listFont(6.75));
        setFixedSize(kBoxWidth, kBoxHeight);
        setFrameStyle(QFrame::Box | QFrame::Plain);
        setLineWidth(1);
        setMouseTracking(true);
        setAutoFillBackground(true);
        setBackground(kMoreReleased);
    }
    QColor background() const { return palette().color(QPalette::Window); }

protected:
    void pressed(Qt::MouseButton) override { setBackground(kMorePressed); }
    void released(Qt::MouseButton) override { setBackground(kMoreReleased); }

private:
    void setBackground(const QColor& c) {
        QPalette pal = palette();
        pal.setColor(QPalette::Window, c);
        pal.setColor(QPalette::WindowText, Qt::black);
        setPalette(pal);
    }
};

// imgImage and imgMask: a 17 x 17 picture.
class uAdvList::PictureBox : public EditorBehaviour<QWidget> {
public:
    PictureBox(QWidget* parent, const QString& name) : EditorBehaviour<QWidget>(parent) {
        setObjectName(name);
        setFixedSize(17, 17);
        setMouseTracking(true);
    }
    void setPicture(const QImage& img) {
        m_picture = img;
        update();
    }
    const QImage& picture() const { return m_picture; }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.drawImage(0, 0, m_picture);
    }

private:
    QImage m_picture;
};

// chkBool: a 13 x 13 check box.
class uAdvList::BoolBox : public QCheckBox {
public:
    explicit BoolBox(QWidget* parent) : QCheckBox(parent) {
        setObjectName(QStringLiteral("chkBool"));
        setFixedSize(13, 13);
        setMouseTracking(true);
        setFocusPolicy(Qt::NoFocus);
    }
    std::function<void(const QPoint&)> onMove;

protected:
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
    void mouseMoveEvent(QMouseEvent* event) override {
        QCheckBox::mouseMoveEvent(event);
        if (onMove)
            onMove(event->globalPosition().toPoint());
        // Handled here: passed on, the move would reach the surface and hide the tooltip.
        event->accept();
    }
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        const QColor white = Qt::white;
        outlinedRect(p, 0, 0, 13, 13, QColor(64, 64, 64), &white);
        if (!isChecked())
            return;
        // A tick, two pixels thick.
        const QColor tick = Qt::black;
        for (int i = 0; i <= 2; ++i)
            p.fillRect(QRect(3 + i, 5 + i, 1, 2), tick);
        for (int i = 1; i <= 4; ++i)
            p.fillRect(QRect(5 + i, 7 - i, 1, 2), tick);
    }
};
