#pragma once

#include "common/colour.h"

#include <QImage>
#include <QWidget>

// A picture area that keeps what is drawn on it: a persistent image inside an optional one-pixel
// frame, cleared to its background colour. The bitmap editor uses it for its colour swatches,
// the preview and the hidden picture from which bitmap files are written.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr, bool framed = true);

    // Setting the background colour clears the picture to it.
    void setBackColor(Colour c);
    Colour backColor() const { return m_backColor; }

    // Clears the picture to the background colour.
    void Cls();

    // The picture inside the frame; drawing on it shows at the next repaint.
    QImage& picture();
    const QImage& picture() const;
    // The colour at (x, y) of the picture, -1 outside it.
    Colour point(int x, int y) const;

    // Saves the picture as an uncompressed 24-bit Windows bitmap, replacing the file only once
    // it has been written completely. False (and the old file untouched) on any failure.
    bool savePicture(const QString& path) const;
    // The same bytes savePicture writes; empty when the picture cannot be encoded.
    QByteArray bitmapBytes() const;

    bool framed() const { return m_framed; }

    // Reached with Tab; Space or Enter then act as a click of the left button, and with Shift
    // as a press of the right one.
    void setKeyboardPressable(bool on);

Q_SIGNALS:
    // Button as the platform numbers them: 1 left, 2 right, 4 middle.
    void MouseDown(int Button);
    // A press and release of the left button over the box.
    void Click();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QRect pictureRect() const;
    // Follows the widget's size; a hidden widget gets no resize events, so every access checks.
    void syncPictureSize() const;

    Colour m_backColor = makeColour(255, 255, 255);
    mutable QImage m_picture;
    bool m_framed;
    bool m_leftPressed = false;
};

// The platform's number of a mouse button (1 left, 2 right, 4 middle; 0 for any other) and of
// a set of held buttons (their sum).
int buttonCode(Qt::MouseButton button);
int buttonStateCode(Qt::MouseButtons buttons);
