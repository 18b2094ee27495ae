#include "transparentcopy.h"

namespace {

bool sameColour(QRgb pixel, Colour key) {
    return (pixel & 0x00FFFFFFu) == (toQRgb(key) & 0x00FFFFFFu);
}

} // namespace

void transparentCopy(QImage& dest, int dx, int dy, int /*dw*/, int /*dh*/, const QImage& src,
                     int sx, int sy, int sw, int sh, Colour key) {
    if (dest.isNull() || src.isNull())
        return;
    for (int y = 0; y < sh; ++y) {
        const int srcY = sy + y;
        const int dstY = dy + y;
        if (srcY < 0 || srcY >= src.height() || dstY < 0 || dstY >= dest.height())
            continue;
        for (int x = 0; x < sw; ++x) {
            const int srcX = sx + x;
            const int dstX = dx + x;
            if (srcX < 0 || srcX >= src.width() || dstX < 0 || dstX >= dest.width())
                continue;
            const QRgb p = src.pixel(srcX, srcY);
            if (!sameColour(p, key))
                dest.setPixel(dstX, dstY, p | 0xFF000000u);
        }
    }
}

QImage keyedImage(const QImage& src, const QRect& sourceRect, Colour key) {
    QImage out(sourceRect.size(), QImage::Format_ARGB32);
    out.fill(Qt::transparent);
    transparentCopy(out, 0, 0, 0, 0, src, sourceRect.x(), sourceRect.y(), sourceRect.width(),
                    sourceRect.height(), key);
    return out;
}
