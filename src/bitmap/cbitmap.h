#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QtGlobal>
#include <memory>

// One bitmap loaded from a Windows bitmap file at a requested size. The pixels live in a shared
// surface so that a device context it is selected into keeps drawing on the same pixels, and
// keeps them alive while selected, even after the bitmap object itself let go of them.
class cBitmap {
public:
    // Why the last CreateFromBitmap or CreateFromData left the object empty; the operations
    // themselves report nothing, callers that must tell the user look here.
    enum class LoadResult { Loaded, Missing, Unreadable, TooLarge, BadSize };

    // The largest picture we agree to decode or scale to, in pixels. A hostile file may declare
    // any size in its header; nothing bigger than this is ever allocated.
    static constexpr qint64 kMaxPixels = 16 * 1024 * 1024;
    static constexpr int kMaxSide = 16384;
    // The largest file worth reading: the biggest picture at 32 bits per pixel (no row of a
    // bitmap of at most 32 bits per pixel takes more), plus room for the headers, a full
    // palette, colour masks and an embedded colour profile. Anything longer is refused unread.
    static constexpr qint64 kMaxFileBytes = kMaxPixels * 4 + 1024 * 1024;

    cBitmap() = default;
    ~cBitmap();
    cBitmap(const cBitmap&) = delete;
    cBitmap& operator=(const cBitmap&) = delete;

    // Loads the bitmap file at Path scaled to Width x Height (nearest neighbour, as the
    // platform's loader shrinks and stretches bitmaps by dropping and repeating pixels). A
    // requested side of 0 takes the file's own. Whatever bitmap was held before is destroyed
    // first; Width and Height keep the requested values even when loading fails. Returns
    // whether a bitmap is now held.
    //
    // The files read lie in the editor's private working folder, where a planted link must not
    // lead anywhere else: only a regular file is read, never through a link at Path, and
    // anything else there (a link, folder, FIFO or device) counts as a missing file.
    bool CreateFromBitmap(const QString& Path, qint32 Width, qint32 Height);

    // CreateFromBitmap on the bytes of a file already read, with the same rules and results.
    bool CreateFromData(const QByteArray& data, qint32 Width, qint32 Height);

    // Lets go of the bitmap, if any.
    void Destroy();

    qint32 Width() const { return m_width; }
    qint32 Height() const { return m_height; }

    // The bitmap's surface, or null when nothing is held (the handle 0).
    const std::shared_ptr<QImage>& hBmp() const { return m_bmp; }
    bool isLoaded() const { return m_bmp != nullptr; }

    // The held picture (a null image when nothing is held). Always Format_RGB32.
    const QImage& image() const;

    LoadResult lastResult() const { return m_lastResult; }

private:
    // Drops the held bitmap and takes the requested size; false when that size is refused.
    bool startLoad(qint32 Width, qint32 Height);

    std::shared_ptr<QImage> m_bmp;
    qint32 m_width = 0;
    qint32 m_height = 0;
    LoadResult m_lastResult = LoadResult::Missing;
};
