#include "proplist/listpictures.h"

#include <QFile>
#include <QFontDatabase>
#include <QPainter>
#include <QStringList>

#include <array>
#include <cmath>

namespace ListPictures {

namespace {

const QColor kOutline(64, 64, 64);
const QColor kCategoryBlue(13, 107, 170);

// Pictures are drawn pixel by pixel, without antialiasing, so they look the same everywhere.
QImage blank(int w, int h) {
    QImage img(w, h, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    return img;
}

void fill(QImage& img, int x, int y, int w, int h, const QColor& c) {
    for (int yy = y; yy < y + h; ++yy)
        for (int xx = x; xx < x + w; ++xx)
            if (img.valid(xx, yy))
                img.setPixelColor(xx, yy, c);
}

// A one-pixel frame around the inclusive rectangle (l, t) .. (r, b).
void frame(QImage& img, int l, int t, int r, int b, const QColor& c) {
    fill(img, l, t, r - l + 1, 1, c);
    fill(img, l, b, r - l + 1, 1, c);
    fill(img, l, t, 1, b - t + 1, c);
    fill(img, r, t, 1, b - t + 1, c);
}

QImage colourIcon() {
    QImage img = blank(16, 16);
    frame(img, 1, 1, 14, 14, kOutline);
    fill(img, 2, 2, 6, 6, QColor(220, 40, 40));
    fill(img, 8, 2, 6, 6, QColor(40, 170, 60));
    fill(img, 2, 8, 6, 6, QColor(40, 90, 220));
    fill(img, 8, 8, 6, 6, QColor(240, 200, 30));
    return img;
}

QImage imageIcon() {
    QImage img = blank(16, 16);
    frame(img, 1, 2, 14, 13, kOutline);
    fill(img, 2, 3, 12, 10, QColor(150, 205, 245));
    fill(img, 10, 4, 3, 3, QColor(250, 210, 40)); // sun
    // A hill rising from the bottom left.
    const QColor green(50, 150, 60);
    for (int x = 2; x <= 13; ++x) {
        const int top = 8 + std::abs(x - 6) / 2;
        fill(img, x, top, 1, 13 - top, green);
    }
    return img;
}

QImage numberIcon() {
    QImage img = blank(16, 16);
    const QColor c(20, 60, 140);
    fill(img, 5, 2, 2, 12, c);
    fill(img, 10, 2, 2, 12, c);
    fill(img, 2, 5, 12, 2, c);
    fill(img, 2, 10, 12, 2, c);
    return img;
}

QImage stringIcon() {
    QImage img = blank(16, 16);
    const QColor c(20, 60, 140);
    fill(img, 3, 2, 10, 2, c);                      // bar of the T
    fill(img, 7, 4, 2, 8, c);                       // stem
    fill(img, 5, 12, 6, 1, c);                      // foot
    fill(img, 2, 14, 12, 1, QColor(150, 150, 150)); // the line the text sits on
    return img;
}

QImage boolIcon() {
    QImage img = blank(16, 16);
    frame(img, 1, 1, 14, 14, kOutline);
    fill(img, 2, 2, 12, 12, Qt::white);
    const QColor tick(0, 140, 0);
    // Down from (3, 7) to (6, 10), then up to (12, 4); two pixels thick.
    for (int i = 0; i <= 3; ++i)
        fill(img, 3 + i, 7 + i, 1, 2, tick);
    for (int i = 1; i <= 6; ++i)
        fill(img, 6 + i, 10 - i, 1, 2, tick);
    return img;
}

QImage maskIcon() {
    QImage img = blank(16, 16);
    frame(img, 1, 1, 14, 14, kOutline);
    fill(img, 2, 2, 6, 12, Qt::black);
    // The transparent half as a chequer board.
    for (int y = 2; y <= 13; ++y)
        for (int x = 8; x <= 13; ++x)
            img.setPixelColor(x, y, ((x / 2 + y / 2) % 2) ? QColor(190, 190, 190) : Qt::white);
    return img;
}

QImage gradientIcon() {
    QImage img = blank(16, 16);
    frame(img, 1, 3, 14, 12, kOutline);
    for (int x = 2; x <= 13; ++x) {
        const double t = (x - 2) / 11.0;
        const QColor c(int(13 + t * (255 - 13)), int(107 + t * (255 - 107)),
                       int(170 + t * (255 - 170)));
        fill(img, x, 4, 1, 8, c);
    }
    return img;
}

QImage fileIcon() {
    QImage img = blank(16, 16);
    const QColor edge(160, 120, 20);
    const QColor body(245, 205, 90);
    fill(img, 1, 3, 6, 2, edge); // tab
    fill(img, 2, 4, 4, 1, body);
    frame(img, 1, 5, 14, 13, edge);
    fill(img, 2, 6, 12, 7, body);
    fill(img, 2, 6, 12, 1, QColor(255, 230, 150)); // light upper edge
    return img;
}

QImage notSet() {
    QImage img = blank(16, 16);
    const QColor c(150, 150, 150);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const double dx = x - 7.5;
            const double dy = y - 7.5;
            const double d = std::sqrt(dx * dx + dy * dy);
            const bool ring = d >= 5.2 && d <= 6.9;
            const bool slash = std::abs(x - y) <= 0 && d <= 6.0;
            const bool slashThick = std::abs(x - y) == 1 && d <= 5.5;
            if (ring || slash || slashThick)
                img.setPixelColor(x, y, c);
        }
    }
    return img;
}

QImage foldPicture(bool plus) {
    QImage img(19, 19, QImage::Format_ARGB32);
    img.fill(kCategoryBlue);
    frame(img, 4, 4, 14, 14, Qt::white);
    fill(img, 5, 5, 9, 9, QColor(40, 135, 200));
    fill(img, 6, 9, 7, 1, Qt::white);
    if (plus)
        fill(img, 9, 6, 1, 7, Qt::white);
    return img;
}

QString tahomaFamily() {
    static const QString family = [] {
        const QString name = QStringLiteral("Tahoma");
        if (QFontDatabase::families().contains(name, Qt::CaseInsensitive))
            return name;
        const QStringList candidates = {
            QStringLiteral("/usr/share/wine/fonts/tahoma.ttf"),
            QStringLiteral("/usr/share/fonts/truetype/wine/tahoma.ttf"),
            QStringLiteral("/usr/lib/wine/fonts/tahoma.ttf"),
        };
        for (const QString& path : candidates) {
            if (!QFile::exists(path))
                continue;
            const int id = QFontDatabase::addApplicationFont(path);
            if (id < 0)
                continue;
            const QStringList families = QFontDatabase::applicationFontFamilies(id);
            if (!families.isEmpty())
                return families.first();
        }
        return QString();
    }();
    return family;
}

} // namespace

const QImage& kindIcon(qint32 kind) {
    static const std::array<QImage, 8> icons = {colourIcon(),   imageIcon(), numberIcon(),
                                                stringIcon(),   boolIcon(),  maskIcon(),
                                                gradientIcon(), fileIcon()};
    if (kind < 0 || kind >= qint32(icons.size()))
        return notSetIcon();
    return icons[size_t(kind)];
}

const QImage& notSetIcon() {
    static const QImage icon = notSet();
    return icon;
}

const QImage& foldedInPicture() {
    static const QImage img = foldPicture(true);
    return img;
}

const QImage& expandedPicture() {
    static const QImage img = foldPicture(false);
    return img;
}

QImage missingPicture(int side) {
    QImage img(side, side, QImage::Format_ARGB32);
    img.fill(Qt::white);
    const QColor red(200, 0, 0);
    frame(img, 0, 0, side - 1, side - 1, red);
    for (int i = 2; i <= side - 3; ++i) {
        img.setPixelColor(i, i, red);
        img.setPixelColor(side - 1 - i, i, red);
    }
    return img;
}

QImage placeholderPicture() {
    QImage img(17, 17, QImage::Format_RGB32);
    img.fill(Qt::white);
    frame(img, 0, 0, 16, 16, QColor(192, 192, 192));
    return img;
}

QFont listFont(qreal points) {
    QFont font;
    const QString family = tahomaFamily();
    if (!family.isEmpty())
        font.setFamily(family);
    else
        font.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setWeight(QFont::Normal);
    // Sizes are given for 96 dots per inch, as the list was laid out for; pixel sizes keep the
    // text the same on every screen the list's pixel geometry is drawn on.
    font.setPixelSize(qMax(1, int(std::lround(points * 96.0 / 72.0))));
    return font;
}

} // namespace ListPictures
