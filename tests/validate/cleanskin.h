#pragma once

// A skin with nothing to report, built from the schema: every picture a 17 x 17 bitmap, numbers
// in range, black text on white, a gradient of two stops. Tests change one thing of it at a time.

#include "common/bitmapfile.h"
#include "skin/skinschema.h"

#include <QImage>
#include <QList>
#include <QPair>

namespace cleanskin {

using Files = QList<QPair<QByteArray, QByteArray>>; // name, contents, in package order

inline QByteArray picture(int width = 17, int height = 17) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    return bitmapFileBytes(image);
}

// skin.ini, then every file the skin names.
inline Files files() {
    QByteArray ini = "[parametri]\r\n";
    Files pictures;
    for (const SchemaItem& item : skinSchemaItems()) {
        const QByteArray key(item.key);
        QByteArray value = key.contains("_Text") ? "0" : "16777215";
        if (item.kind == KindImage || item.kind == KindMask || item.kind == KindFile) {
            value = key.endsWith(".bmp")    ? key
                    : item.kind == KindFile ? QByteArray("logo.bmp")
                                            : key.toLower() + ".bmp";
            pictures.append({value, picture()});
            if (item.kind == KindMask)
                pictures.append({"p_" + value, picture()});
        } else if (item.kind == KindNumber || item.kind == KindBool) {
            value = item.kind == KindBool ? "-1" : "1";
        } else if (item.kind == KindString) {
            value = "Prova";
        } else if (item.kind == KindGradient) {
            ini += key + "_Count = 2\r\n" + key + "_Pos<1> = 0\r\n" + key + "<1> = 16777215\r\n" +
                   key + "_Pos<2> = 100\r\n" + key + "<2> = 16777215\r\n";
            continue;
        }
        ini += key + " = " + value + "\r\n";
    }
    return Files{{"skin.ini", ini}} + pictures;
}

} // namespace cleanskin
