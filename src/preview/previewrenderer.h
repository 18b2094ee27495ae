#pragma once

#include "preview/previewoverlay.h"
#include "proplist/picturecache.h"

#include <QByteArray>
#include <QHash>
#include <QImage>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <optional>

class QPainter;
class SkinDocument;

// One drawn part of the sample window and the setting it shows.
struct PreviewElement {
    enum Look {
        Solid,   // painted all over in the colour of its (colour) setting, but for later elements
        Text,    // holds a text drawn in the colour of its setting, or of the text it is
        Picture, // one of the skin's pictures, or the mark of a missing one
        Region,  // anything else the setting decides: a gradient, a bevel, a shift, a blend
    };
    QString key;     // one of the schema's settings
    QString caption; // its item caption in the list
    QRect rect;      // in logical pixels of the render
    Look look = Region;
};

// Elements in painting order: a later one lies over an earlier one.
using PreviewMap = QList<PreviewElement>;

// The topmost element under `point`, or null.
const PreviewElement* previewElementAt(const PreviewMap& map, QPoint point);

// The map as the command line writes it: an array of {"key", "caption", "rect": [x, y, w, h]},
// the rectangles multiplied by `scale` (the pixels of an image rendered at that scale).
QByteArray previewMapJson(const PreviewMap& map, int scale);

// What the pointer does to the sample window: held down on a caption button, which shows its
// pressed picture, or the window maximised by clicking its maximise button, which then shows
// the restore picture.
struct PreviewState {
    bool maximised = false;
    std::optional<QPoint> pressedAt; // in logical pixels of the render
    bool operator==(const PreviewState&) const = default;
};

// Paints the sample client window of a skin: its frame, caption, menu with one menu open,
// toolbar, and a dialog with the controls the skin colours. Nothing a skin holds can make it
// fail: numbers are clamped, broken pictures show the list's mark for a missing picture.
//
// The renderer keeps the pictures it read, and reads a file again only when it changed.
class PreviewRenderer {
public:
    static constexpr QSize kDefaultSize{480, 360};

    // Paints the window at `size` logical pixels from the painter's origin, at the device pixel
    // ratio of the painter's device; the skin's 17 x 17 pictures grow by whole factors only.
    PreviewMap render(QPainter& painter, const SkinDocument& document, QSize size,
                      const PreviewOverlay& overlay = {}, const PreviewState& state = {});

    // The same on a new image of size x ratio pixels.
    QImage renderImage(const SkinDocument& document, QSize size, int ratio = 1,
                       PreviewMap* map = nullptr, const PreviewOverlay& overlay = {},
                       const PreviewState& state = {});

    // A file picture, transparent where it holds the mask colour; null when it cannot be read.
    QImage keyedFile(const QString& path, QSize size, qint32 mask);

private:
    struct Keyed {
        qint64 sourceKey = 0;
        qint32 mask = 0;
        QImage image;
    };
    PictureCache m_pictures;
    QHash<QString, Keyed> m_keyed;
};
