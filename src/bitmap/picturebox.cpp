#include "bitmap/picturebox.h"

#include "common/bitmapfile.h"
#include "storage/safefolder.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

PictureBox::PictureBox(QWidget* parent, bool framed) : QWidget(parent), m_framed(framed) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_picture = QImage(pictureRect().size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    m_picture.fill(toQRgb(m_backColor));
}

void PictureBox::setBackColor(Colour c) {
    m_backColor = c;
    Cls();
}

void PictureBox::Cls() {
    syncPictureSize();
    m_picture.fill(toQRgb(m_backColor));
    update();
}

QImage& PictureBox::picture() {
    syncPictureSize();
    return m_picture;
}

const QImage& PictureBox::picture() const {
    syncPictureSize();
    return m_picture;
}

Colour PictureBox::point(int x, int y) const {
    syncPictureSize();
    if (!m_picture.valid(x, y))
        return kColourNotSet;
    return fromQRgb(m_picture.pixel(x, y));
}

QByteArray PictureBox::bitmapBytes() const {
    return bitmapFileBytes(picture());
}

bool PictureBox::savePicture(const QString& path) const {
    const QByteArray bytes = bitmapBytes();
    // A new file renamed over the name: a link in the working folder is replaced, never
    // written through.
    return !bytes.isEmpty() && SafeFolder::writeFileAt(path, bytes) == 0;
}

QRect PictureBox::pictureRect() const {
    return m_framed ? rect().adjusted(1, 1, -1, -1) : rect();
}

void PictureBox::syncPictureSize() const {
    const QSize size = pictureRect().size().expandedTo(QSize(1, 1));
    if (size == m_picture.size())
        return;
    // Like a persistent picture that grows, the old drawing stays at the top left.
    QImage grown(size, QImage::Format_RGB32);
    grown.fill(toQRgb(m_backColor));
    QPainter p(&grown);
    p.drawImage(0, 0, m_picture);
    p.end();
    m_picture = std::move(grown);
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (m_framed) {
        p.setPen(QColor(64, 64, 64));
        p.setBrush(Qt::NoBrush);
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    p.drawImage(pictureRect().topLeft(), picture());
    if (hasFocus()) {
        // Black and white, to show on any colour the box may have.
        const QRect inner = rect().adjusted(2, 2, -3, -3);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(Qt::white, 1));
        p.drawRect(inner);
        p.setPen(QPen(Qt::black, 1, Qt::DotLine));
        p.drawRect(inner);
    }
}

void PictureBox::setKeyboardPressable(bool on) {
    setFocusPolicy(on ? Qt::StrongFocus : Qt::NoFocus);
}

void PictureBox::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (focusPolicy() == Qt::NoFocus ||
        (key != Qt::Key_Space && key != Qt::Key_Return && key != Qt::Key_Enter)) {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    if (event->modifiers() & Qt::ShiftModifier) {
        Q_EMIT MouseDown(2);
        return;
    }
    Q_EMIT MouseDown(1);
    Q_EMIT Click();
}

void PictureBox::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update();
}

void PictureBox::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
}

void PictureBox::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        m_leftPressed = true;
    Q_EMIT MouseDown(buttonCode(event->button()));
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    const bool click = m_leftPressed && rect().contains(event->position().toPoint());
    m_leftPressed = false;
    if (click)
        Q_EMIT Click();
}

int buttonCode(Qt::MouseButton button) {
    switch (button) {
    case Qt::LeftButton:
        return 1;
    case Qt::RightButton:
        return 2;
    case Qt::MiddleButton:
        return 4;
    default:
        return 0;
    }
}

int buttonStateCode(Qt::MouseButtons buttons) {
    return (buttons & Qt::LeftButton ? 1 : 0) + (buttons & Qt::RightButton ? 2 : 0) +
           (buttons & Qt::MiddleButton ? 4 : 0);
}
