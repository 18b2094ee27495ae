#pragma once

#include <QByteArray>
#include <QImage>

// The picture as the bytes of a Windows bitmap file, 24 bits a pixel and uncompressed: the only
// form every reader of a skin's pictures takes. Empty when the picture is null or cannot be
// written.
QByteArray bitmapFileBytes(const QImage& picture);
