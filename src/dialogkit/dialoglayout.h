#pragma once

#include "common/numbers.h"

#include <QFont>
#include <QFontDatabase>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

// The dialogs were designed in twips; at 96 dpi fifteen twips make one pixel.
inline int twipsToPixels(int twips) {
    return int(roundHalfEven(twips / 15.0));
}

// A control's rectangle from its designed left, top, width and height in twips.
inline QRect twipsRect(int left, int top, int width, int height) {
    return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width),
                 twipsToPixels(height));
}

inline QSize twipsSize(int width, int height) {
    return QSize(twipsToPixels(width), twipsToPixels(height));
}

// The first of the families that the system has, else the system's own font of that style.
inline QFont firstAvailableFont(const QStringList& families, QFontDatabase::SystemFont fallback) {
    const QStringList installed = QFontDatabase::families();
    for (const QString& family : families) {
        if (installed.contains(family, Qt::CaseInsensitive))
            return QFont(family);
    }
    return QFontDatabase::systemFont(fallback);
}

// The layouts leave room for an 8-point sans-serif face (eleven pixels at 96 dpi); a larger
// desktop font would not fit their 16-pixel text boxes.
inline QFont dialogFont() {
    QFont font = firstAvailableFont({QStringLiteral("MS Sans Serif"), QStringLiteral("Arial"),
                                     QStringLiteral("Liberation Sans")},
                                    QFontDatabase::GeneralFont);
    font.setPixelSize(11);
    return font;
}
