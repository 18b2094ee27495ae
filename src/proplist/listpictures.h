#pragma once

#include <QFont>
#include <QImage>
#include <QtGlobal>

// The pictures and fonts of the property list. Every picture is drawn in code, once, and shared.
namespace ListPictures {

// The 16 x 16 icon of an item kind (0..7); the not-set icon for any other code.
const QImage& kindIcon(qint32 kind);
// Shown instead of the kind icon when an item has no value.
const QImage& notSetIcon();
// The 19 x 19 pictures of a category row: expanded (click to fold in) and folded (click to open).
const QImage& foldedInPicture(); // imgEspandi
const QImage& expandedPicture(); // imgChiudi
// What a row shows where a bitmap file is missing, unreadable or refused: a red cross in a red
// frame on white, side x side pixels.
QImage missingPicture(int side);
// The blank 17 x 17 picture saved as a new image file when an image item is switched on.
QImage placeholderPicture();

// Tahoma at the given size in points (at 96 dpi), or the closest sans-serif when the system has
// no Tahoma. The Tahoma-metric font of Debian's fonts-wine is picked up from its folder, where
// fontconfig does not look.
QFont listFont(qreal points);

} // namespace ListPictures
