#pragma once

#include "colour.h"

#include <QImage>
#include <QRect>

// Copies the source rectangle (sx, sy, sw, sh) to (dx, dy) on the destination pixel by pixel,
// without stretching, leaving out every pixel whose colour equals `key`. dw and dh are accepted
// for the shape of the call and not used. Pixels falling outside either image are skipped.
void transparentCopy(QImage& dest, int dx, int dy, int dw, int dh, const QImage& src, int sx,
                     int sy, int sw, int sh, Colour key);

// The source rectangle as an ARGB image in which the pixels of the key colour are fully
// transparent, ready for QPainter::drawImage: the same result as transparentCopy when drawn.
QImage keyedImage(const QImage& src, const QRect& sourceRect, Colour key);
