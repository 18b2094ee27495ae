#include "bitmap/cbitmap.h"

#include "storage/safefolder.h"

#include <QBuffer>
#include <QImageReader>

#include <cerrno>

namespace {

bool sizeAcceptable(qint64 width, qint64 height) {
    return width > 0 && height > 0 && width <= cBitmap::kMaxSide && height <= cBitmap::kMaxSide &&
           width * height <= cBitmap::kMaxPixels;
}

// A file whose pixel data ends early, or a run-length file that skips pixels or ends before
// its last row, leaves part of the picture unwritten, and the reader would hand back whatever
// that memory held. The reader fills a picture it is given when its size and layout fit, so it
// gets one cleared to zero: the unwritten pixels then show palette entry 0, or black, as a
// zeroed bitmap does.
bool readZeroed(QImageReader& reader, const QByteArray& data, QSize size, QImage* out) {
    QImage::Format format = reader.imageFormat();
    if (format == QImage::Format_Invalid)
        format = QImage::Format_RGB32;
    QImage picture(size, format);
    if (picture.isNull())
        return false;
    picture.fill(0);
    const uchar* prepared = picture.constBits();
    if (!reader.read(&picture) || picture.isNull())
        return false;
    if (picture.constBits() != prepared) {
        // The reader chose another layout than it announced: read the same bytes again into a
        // cleared picture of that layout.
        QImage again(picture.size(), picture.format());
        if (again.isNull())
            return false;
        again.fill(0);
        prepared = again.constBits();
        QBuffer buffer;
        buffer.setData(data);
        buffer.open(QIODevice::ReadOnly);
        QImageReader second(&buffer, QByteArrayLiteral("bmp"));
        second.setAutoDetectImageFormat(false);
        second.setAllocationLimit(reader.allocationLimit());
        if (!second.read(&again) || again.constBits() != prepared)
            return false;
        picture = std::move(again);
    }
    *out = std::move(picture);
    return true;
}

// Reads the whole plain file at path, giving Loaded, or why nothing was read. A link at the path
// is never followed, and a pipe or device planted there neither blocks nor is read.
cBitmap::LoadResult readRegularFile(const QString& path, QByteArray* out) {
    using R = cBitmap::LoadResult;
    if (path.isEmpty())
        return R::Missing;
    switch (SafeFolder::readFileAt(path, out, cBitmap::kMaxFileBytes)) {
    case 0:
        return R::Loaded;
    case EFBIG:
        return R::TooLarge;
    // No file to read there: nothing, a link, a folder, a pipe or a device.
    case ENOENT:
    case ENOTDIR:
    case ELOOP:
    case ENAMETOOLONG:
    case ENXIO:
    case ENODEV:
    case EISDIR:
    case EINVAL:
        return R::Missing;
    default:
        return R::Unreadable;
    }
}

} // namespace

cBitmap::~cBitmap() {
    Destroy();
}

bool cBitmap::startLoad(qint32 Width, qint32 Height) {
    Destroy();
    m_width = Width;
    m_height = Height;
    if (Width < 0 || Height < 0 || Width > kMaxSide || Height > kMaxSide) {
        m_lastResult = LoadResult::BadSize;
        return false;
    }
    return true;
}

bool cBitmap::CreateFromBitmap(const QString& Path, qint32 Width, qint32 Height) {
    if (!startLoad(Width, Height))
        return false;
    QByteArray data;
    m_lastResult = readRegularFile(Path, &data);
    if (m_lastResult != LoadResult::Loaded)
        return false;
    return CreateFromData(data, Width, Height);
}

bool cBitmap::CreateFromData(const QByteArray& data, qint32 Width, qint32 Height) {
    if (!startLoad(Width, Height))
        return false;
    if (data.size() > kMaxFileBytes) {
        m_lastResult = LoadResult::TooLarge;
        return false;
    }

    // Only Windows bitmaps, whatever the file's name or content claims, as the platform's
    // bitmap loader reads nothing else.
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, QByteArrayLiteral("bmp"));
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
    if (!readZeroed(reader, data, QSize(int(declaredWidth), int(declaredHeight)), &picture)) {
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
