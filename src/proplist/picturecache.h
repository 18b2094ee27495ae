#pragma once

#include <QHash>
#include <QImage>
#include <QSize>
#include <QString>
#include <QtGlobal>

// The bitmap files a list row shows, loaded through cBitmap at the size the row asks for. A
// picture is decoded again whenever its file changed on disk (size or modification time), so
// what the bitmap editor or a switch writes shows at the next repaint; a file whose time is too
// close to the moment it was read is never trusted, since the file system's clock may be too
// coarse to tell two quick writes apart.
class PictureCache {
public:
    // The picture, or a null image when the file is missing, is not a plain file, or cannot be
    // read as a bitmap (broken, hostile, too large). Always Format_RGB32 when not null.
    QImage load(const QString& path, QSize size);

    void clear() { m_entries.clear(); }
    int decodeCount() const { return m_decodes; }

private:
    struct Entry {
        qint64 fileSize = -1;
        qint64 modifiedMs = 0;
        qint64 readAtMs = 0;
        QImage image;
    };
    QHash<QString, Entry> m_entries;
    int m_decodes = 0;
};
