#pragma once

#include "common/bitmapfile.h"
#include "common/colour.h"
#include "preview/previewrenderer.h"
#include "skin/gradientkeys.h"
#include "skin/skindocument.h"
#include "skin/skinschema.h"

#include <QHash>
#include <QPainter>
#include <QRegion>
#include <QTemporaryDir>
#include <memory>

// A skin in which every colour setting has a colour of its own, every picture a file of its own
// (a red square on the mask colour), masks on, and numbers that all show.
class CraftedSkin {
public:
    static constexpr Colour kMask = makeColour(1, 254, 3);
    static constexpr Colour kInk = makeColour(250, 10, 10); // the square inside every picture
    static constexpr Colour kFirstStop = makeColour(9, 9, 120);
    static constexpr Colour kLastStop = makeColour(200, 230, 250);

    CraftedSkin() {
        Locations locations;
        locations.programDir = locations.tempDir = dir.path();
        skin = std::make_shared<cSkin>(locations);
        skin->setSkinPath(dir.path() + u'/');
        document = std::make_unique<SkinDocument>(skin);
        int n = 0;
        for (const SchemaItem& it : skinSchemaItems()) {
            const QString key = QString::fromUtf8(it.key);
            if (it.kind == KindColor) {
                set(key, colours[key] = makeColour(30 + 6 * n, 220 - 6 * n, (97 * n) % 256));
                ++n;
            } else if (it.kind == KindImage || it.kind == KindMask || it.kind == KindFile) {
                const QString name =
                    key.endsWith(QLatin1String(".bmp")) ? key : key.toLower() + ".bmp";
                set(key, name);
                writePicture(name);
                writePicture("p_" + name);
            } else if (it.kind == KindBool) {
                set(key, true);
            }
        }
        set("MaskColor", colours["MaskColor"] = kMask);
        set("Title", "Prova");
        set("BorderStyle", 2);
        set("Caption_Height", 24);
        set("SpostX", 1);
        set("SpostY", 1);
        set("Border_Width", 1);
        set("Scroller_Transp", 40);
        for (const auto& [key, value] : gradientkeys::encode(
                 "Capt", {{kFirstStop, 0}, {makeColour(90, 10, 90), 40}, {kLastStop, 100}}))
            set(key, value);
    }

    void set(const QString& key, const QVariant& value) { document->load(key, value); }

    void writePicture(const QString& name, const QByteArray* bytes = nullptr) {
        QImage picture(17, 17, QImage::Format_RGB32);
        picture.fill(toQColor(kMask));
        QPainter(&picture).fillRect(5, 5, 7, 7, toQColor(kInk));
        QFile file(dir.path() + u'/' + name);
        if (file.open(QIODevice::WriteOnly))
            file.write(bytes ? *bytes : bitmapFileBytes(picture));
    }

    QTemporaryDir dir;
    SkinRef skin;
    std::unique_ptr<SkinDocument> document;
    QHash<QString, Colour> colours; // every colour setting's value
};

// What of an element later elements leave uncovered.
inline QRegion visiblePart(const PreviewMap& map, qsizetype index) {
    QRegion region(map[index].rect);
    for (qsizetype j = index + 1; j < map.size(); ++j)
        region -= map[j].rect;
    return region;
}
