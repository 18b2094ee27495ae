#include "bitmapfile.h"

#include <QBuffer>
#include <QImageWriter>

QByteArray bitmapFileBytes(const QImage& picture) {
    if (picture.isNull())
        return {};
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    // Qt writes RGB32 as 24 bits a pixel; an image with alpha or a palette would be written in
    // another depth.
    QImageWriter writer(&buffer, QByteArrayLiteral("bmp"));
    if (!writer.write(picture.convertToFormat(QImage::Format_RGB32)))
        return {};
    return bytes;
}
