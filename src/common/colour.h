#pragma once

#include <QColor>
#include <QtGlobal>

// A colour as the skin files store it: a signed 32-bit integer laid out as 0x00BBGGRR, red in
// the low byte. -1 marks an optional colour that is not set.
using Colour = qint32;

inline constexpr Colour kColourNotSet = -1;

inline constexpr int colourRed(Colour c) { return c & 255; }
inline constexpr int colourGreen(Colour c) { return (c / 256) & 255; }
inline constexpr int colourBlue(Colour c) { return (c / 65536) & 255; }

inline constexpr Colour makeColour(int red, int green, int blue) {
    return red + 256 * green + 65536 * blue;
}

// The colour the platform would paint for a value; only the three low bytes count, as a GDI
// brush made from the value would show it.
inline QColor toQColor(Colour c) { return QColor(colourRed(c), colourGreen(c), colourBlue(c)); }

inline Colour fromQColor(const QColor& c) { return makeColour(c.red(), c.green(), c.blue()); }

inline Colour fromQRgb(QRgb rgb) { return makeColour(qRed(rgb), qGreen(rgb), qBlue(rgb)); }

inline QRgb toQRgb(Colour c) { return qRgb(colourRed(c), colourGreen(c), colourBlue(c)); }
