#include "proplist/picturecache.h"

#include "bitmap/cbitmap.h"

#include <QDateTime>
#include <QFileInfo>

namespace {

// How long after its last change a file must be before a cached copy of it is trusted.
constexpr qint64 kSettleMs = 2000;
// A list shows a few dozen pictures; a cache far larger than that only holds stale paths.
constexpr int kMaxEntries = 512;

} // namespace

QImage PictureCache::load(const QString& path, QSize size) {
    const QFileInfo info(path);
    // Only plain files are read: a name in a hostile skin.ini may point at a device or a pipe,
    // and reading one of those could block the painting for ever.
    if (!info.isFile()) {
        m_entries.remove(path);
        return QImage();
    }
    const QString key = path + QLatin1Char('|') + QString::number(size.width()) + QLatin1Char('x') +
                        QString::number(size.height());
    const qint64 fileSize = info.size();
    const qint64 modified = info.lastModified().toMSecsSinceEpoch();
    auto it = m_entries.constFind(key);
    if (it != m_entries.constEnd() && it->fileSize == fileSize && it->modifiedMs == modified &&
        it->readAtMs - modified > kSettleMs)
        return it->image;

    if (m_entries.size() >= kMaxEntries)
        m_entries.clear();
    Entry entry;
    entry.fileSize = fileSize;
    entry.modifiedMs = modified;
    entry.readAtMs = QDateTime::currentMSecsSinceEpoch();
    cBitmap bitmap;
    ++m_decodes;
    if (bitmap.CreateFromBitmap(path, size.width(), size.height()))
        entry.image = bitmap.image();
    m_entries.insert(key, entry);
    return entry.image;
}
