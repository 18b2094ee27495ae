#pragma once

#include "bitmap/ueditor.h"
#include "common/colour.h"

#include <QImage>
#include <QSize>

// Moving a picture between the editor and the world outside the skin: files of any format Qt
// reads, PNG files and the clipboard. Outside, the transparent colour is transparency.

// The picture at `size`: whole multiples of it are sampled pixel for pixel, so that pixel art
// drawn at a larger scale comes back unblurred; any other size is scaled smoothly. Returned as
// ARGB32, not premultiplied. A null image gives a null image.
QImage fitPicture(const QImage& source, QSize size);

// The colours of a fitted picture, [x][y]; pixels less than half opaque become MaskColour.
ColourArray pictureColours(const QImage& fitted, Colour MaskColour);

// The picture with every pixel of MaskColour fully transparent and the others opaque.
QImage transparentPicture(const QImage& picture, Colour MaskColour);
