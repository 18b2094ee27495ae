#include "bitmap/cbitmap.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

class Descriptor {
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

// Reads the whole regular file at path into *out, giving Loaded, or why nothing was read. A link at
// the path is never followed (links in the folders above it are: the caller chose that folder).
// O_NONBLOCK keeps a FIFO or a device planted there from holding up the open; fstat on the opened
// descriptor then refuses it, so nothing can be swapped in between the check and the read.
cBitmap::LoadResult readRegularFile(const QString& path, QByteArray* out) {
    using R = cBitmap::LoadResult;
    if (path.isEmpty())
        return R::Missing;
    const QByteArray name = QFile::encodeName(path);
    int fd = -1;
    do {
        fd = ::open(name.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        // ELOOP is the link at the path; the others mean there is no file to read.
        const int err = errno;
        return err == ENOENT || err == ENOTDIR || err == ELOOP || err == ENAMETOOLONG ||
                       err == ENXIO || err == ENODEV
                   ? R::Missing
                   : R::Unreadable;
    }
    const Descriptor file(fd);
    struct stat info {};
    if (::fstat(file.get(), &info) != 0)
        return R::Unreadable;
    if (!S_ISREG(info.st_mode))
        return R::Missing;
    if (info.st_size > cBitmap::kMaxFileBytes)
        return R::TooLarge;

    QByteArray data;
    data.reserve(qsizetype(info.st_size));
    char chunk[64 * 1024];
    for (;;) {
        const ssize_t n = ::read(file.get(), chunk, sizeof chunk);
        if (n == 0)
            break;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return R::Unreadable;
        }
        // The file may have grown since fstat.
        if (data.size() + n > cBitmap::kMaxFileBytes)
            return R::TooLarge;
        data.append(chunk, qsizetype(n));
    }
    *out = std::move(data);
    return R::Loaded;
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
