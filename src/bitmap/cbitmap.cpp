#include "bitmap/cbitmap.h"

#include <QFileInfo>
#include <QImageReader>

namespace {

bool sizeAcceptable(qint64 width, qint64 height) {
    return width > 0 && height > 0 && width <= cBitmap::kMaxSide && height <= cBitmap::kMaxSide &&
           width * height <= cBitmap::kMaxPixels;
}

} // namespace

cBitmap::~cBitmap() {
    Destroy();
}

bool cBitmap::CreateFromBitmap(const QString& Path, qint32 Width, qint32 Height) {
    Destroy();
    m_width = Width;
    m_height = Height;

    if (Width < 0 || Height < 0 || Width > kMaxSide || Height > kMaxSide) {
        m_lastResult = LoadResult::BadSize;
        return false;
    }
    const QFileInfo info(Path);
    if (Path.isEmpty() || !info.isFile()) {
        m_lastResult = LoadResult::Missing;
        return false;
    }

    // Only Windows bitmaps, whatever the file's name or content claims, as the platform's
    // bitmap loader reads nothing else.
    QImageReader reader(Path, QByteArrayLiteral("bmp"));
    reader.setAutoDetectImageFormat(false);
    reader.setAllocationLimit(int(kMaxPixels * 4 / (1024 * 1024)));
    // The header's declared size decides before anything is allocated.
    // (A top-down file declares a negative height.)
    const QSize declared = reader.size();
    const qint64 declaredWidth = declared.width();
    const qint64 declaredHeight = qAbs(qint64(declared.height()));
    if (declaredWidth <= 0 || declaredHeight <= 0) {
        m_lastResult = LoadResult::Unreadable;
        return false;
    }
    if (!sizeAcceptable(declaredWidth, declaredHeight)) {
        m_lastResult = LoadResult::TooLarge;
        return false;
    }
    const qint32 targetWidth = Width == 0 ? qint32(declaredWidth) : Width;
    const qint32 targetHeight = Height == 0 ? qint32(declaredHeight) : Height;
    if (!sizeAcceptable(targetWidth, targetHeight)) {
        m_lastResult = LoadResult::TooLarge;
        return false;
    }

    QImage picture;
    if (!reader.read(&picture) || picture.isNull()) {
        m_lastResult = LoadResult::Unreadable;
        return false;
    }
    // 32-bit files keep whatever their fourth byte holds; like the platform we ignore it.
    picture = picture.convertToFormat(QImage::Format_RGB32);
    if (picture.width() != targetWidth || picture.height() != targetHeight)
        picture = picture.scaled(targetWidth, targetHeight, Qt::IgnoreAspectRatio,
                                 Qt::FastTransformation);
    if (picture.isNull()) {
        m_lastResult = LoadResult::Unreadable;
        return false;
    }
    m_bmp = std::make_shared<QImage>(std::move(picture));
    m_lastResult = LoadResult::Loaded;
    return true;
}

void cBitmap::Destroy() {
    m_bmp.reset();
}

const QImage& cBitmap::image() const {
    static const QImage none;
    return m_bmp ? *m_bmp : none;
}
