#include "bitmap/picturetransfer.h"

QImage fitPicture(const QImage& source, QSize size) {
    if (source.isNull() || size.isEmpty())
        return {};
    const QImage argb = source.convertToFormat(QImage::Format_ARGB32);
    if (argb.size() == size)
        return argb;
    const bool multiple = argb.width() % size.width() == 0 && argb.height() % size.height() == 0;
    if (multiple) {
        // The middle of each block: on the block's edges a drawing program's anti-aliased
        // outline would be picked up instead of the block's colour.
        const int bx = argb.width() / size.width();
        const int by = argb.height() / size.height();
        QImage fitted(size, QImage::Format_ARGB32);
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x)
                fitted.setPixel(x, y, argb.pixel(x * bx + bx / 2, y * by + by / 2));
        return fitted;
    }
    // Premultiplied, so that the colour of transparent pixels does not bleed into their
    // neighbours.
    return argb.convertToFormat(QImage::Format_ARGB32_Premultiplied)
        .scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
        .convertToFormat(QImage::Format_ARGB32);
}

ColourArray pictureColours(const QImage& fitted, Colour MaskColour) {
    const QImage argb = fitted.convertToFormat(QImage::Format_ARGB32);
    ColourArray colours(argb.width(), QList<Colour>(argb.height()));
    for (int x = 0; x < argb.width(); ++x) {
        for (int y = 0; y < argb.height(); ++y) {
            const QRgb rgb = argb.pixel(x, y);
            colours[x][y] = qAlpha(rgb) < 128 ? MaskColour : fromQRgb(rgb);
        }
    }
    return colours;
}

QImage transparentPicture(const QImage& picture, Colour MaskColour) {
    QImage out = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        for (int x = 0; x < out.width(); ++x) {
            const Colour c = fromQRgb(out.pixel(x, y));
            out.setPixel(x, y, c == MaskColour ? qRgba(0, 0, 0, 0) : toQRgb(c));
        }
    }
    return out;
}
