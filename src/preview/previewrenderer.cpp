#include "preview/previewrenderer.h"

#include "bitmap/cbitmap.h"
#include "common/colour.h"
#include "common/errors.h"
#include "common/filenames.h"
#include "common/numbers.h"
#include "common/transparentcopy.h"
#include "gradient/csfum.h"
#include "proplist/listpictures.h"
#include "skin/gradientkeys.h"
#include "skin/skindocument.h"
#include "skin/skinschema.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Neutral values for the optional settings a skin switched off; the README lists them.
const QHash<QString, Colour>& colourFallbacks() {
    static const QHash<QString, Colour> table = {
        {QStringLiteral("button_up"), makeColour(212, 208, 200)},
        {QStringLiteral("button_down"), makeColour(192, 188, 180)},
        {QStringLiteral("button_text"), makeColour(0, 0, 0)},
        {QStringLiteral("scroller_back"), makeColour(212, 208, 200)},
        {QStringLiteral("label_back1"), makeColour(255, 255, 255)},
        {QStringLiteral("label_back2"), makeColour(212, 208, 200)},
        {QStringLiteral("label_text"), makeColour(0, 0, 0)},
        {QStringLiteral("list_back"), makeColour(255, 255, 255)},
        {QStringLiteral("listview_back"), makeColour(255, 255, 255)},
        {QStringLiteral("listview_text"), makeColour(0, 0, 0)},
        {QStringLiteral("listview_sel"), makeColour(200, 220, 245)},
        {QStringLiteral("listview_line"), makeColour(224, 224, 224)},
        {QStringLiteral("textbox_sel"), makeColour(200, 220, 245)},
        {QStringLiteral("menu_back"), makeColour(212, 208, 200)},
        {QStringLiteral("menu_back_sel"), makeColour(10, 36, 106)},
        {QStringLiteral("menu_text"), makeColour(0, 0, 0)},
        {QStringLiteral("menu_text_sel"), makeColour(255, 255, 255)},
        {QStringLiteral("capt_text"), makeColour(255, 255, 255)},
    };
    return table;
}
const QList<gradientkeys::Stop> kCaptionFallback = {{makeColour(10, 36, 106), 0},
                                                    {makeColour(166, 202, 240), 100}};
constexpr int kDefaultCaptionHeight = 18;
constexpr int kPicture = 17; // the side of the skin's button and scroll-bar pictures

// Translated on every call: the table is built once, possibly before a translator is installed.
QString captionOf(const QString& key) {
    static const QHash<QString, const SchemaItem*> items = [] {
        QHash<QString, const SchemaItem*> out;
        for (const SchemaItem& it : skinSchemaItems())
            out.insert(QString::fromUtf8(it.key), &it);
        return out;
    }();
    const SchemaItem* item = items.value(key);
    return item ? translatedCaption(*item) : QString();
}

// A text of the sample client window, which speaks the editor's language.
QString sampleText(const char* source) {
    return QCoreApplication::translate("PreviewRenderer", source);
}

const QImage& missingMark() {
    static const QImage mark = ListPictures::missingPicture(kPicture);
    return mark;
}

// Black or white, whichever reads better on `background`: for texts no setting colours.
QColor inkOn(const QColor& background) {
    return qGray(background.rgb()) > 128 ? QColor(0, 0, 0) : QColor(255, 255, 255);
}

QColor mix(const QColor& a, const QColor& b, double t) {
    const auto lerp = [t](int x, int y) {
        return int(std::lround(x + (y - x) * t));
    };
    return QColor(lerp(a.red(), b.red()), lerp(a.green(), b.green()), lerp(a.blue(), b.blue()));
}

// The skin's values with the overlay laid over them, read as the list reads them.
class Values {
public:
    Values(const SkinDocument& document, const PreviewOverlay& overlay)
        : m_document(document), m_overlay(overlay) {}

    QVariant value(const QString& key) const {
        if (const std::optional<QVariant> v = m_overlay.value(key))
            return *v;
        return m_document.value(key);
    }
    double number(const QString& key) const {
        const double n = readNumber(value(key));
        return std::isfinite(n) ? n : 0.0;
    }
    int integer(const QString& key, int lowest, int highest) const {
        return int(std::clamp(number(key), double(lowest), double(highest)));
    }
    bool flag(const QString& key) const { return number(key) != 0; }
    QString text(const QString& key) const { return value(key).toString(); }
    std::optional<QImage> pendingPicture(const QString& name) const {
        return m_overlay.picture(name);
    }
    // The colour a setting paints with; a switched-off one gives its neutral value.
    QColor colour(const QString& key) const {
        const Colour c = toInt32Clamped(number(key));
        if (c == kColourNotSet && key == QLatin1String("Win_Back"))
            return colour(QStringLiteral("Color"));
        if (c == kColourNotSet) {
            const auto it = colourFallbacks().constFind(key.toLower());
            if (it != colourFallbacks().constEnd())
                return toQColor(*it);
        }
        return toQColor(c);
    }

private:
    const SkinDocument& m_document;
    const PreviewOverlay& m_overlay;
};

// One render: the painter, the values, the layout as it goes, and the map it fills.
class Scene {
public:
    Scene(QPainter& painter, const Values& values, PreviewRenderer& renderer, QString folder,
          const PreviewState& state)
        : p(painter), v(values), m_renderer(renderer), m_folder(std::move(folder)), m_state(state) {
        const QPaintDevice* device = painter.device();
        m_ratio = device ? std::max(1.0, device->devicePixelRatio()) : 1.0;
        m_factor = std::max(1, int(std::floor(m_ratio + 1e-6)));
        m_font = ListPictures::listFont(8.25);
        m_font.setStyleStrategy(QFont::NoAntialias);
        m_captionFont = m_font;
        m_captionFont.setBold(v.flag(QStringLiteral("Caption_Bold")));
        m_captionFont.setItalic(v.flag(QStringLiteral("Caption_Italic")));
        m_mask = toInt32Clamped(v.number(QStringLiteral("MaskColor")));
        m_useMasks = v.flag(QStringLiteral("UseMasks"));
    }

    PreviewMap paint(QSize size);

private:
    // --- the map ---
    void add(const QString& key, const QRect& rect, PreviewElement::Look look) {
        const QRect r = rect & m_clip;
        if (!r.isEmpty())
            m_map.append({key, captionOf(key), r, look});
    }
    void fill(const QString& key, const QRect& rect) {
        p.fillRect(rect, v.colour(key));
        add(key, rect, PreviewElement::Solid);
    }

    // --- drawing ---
    QRect textIn(const QRect& box, const QString& text, const QColor& ink, const QFont& font,
                 Qt::Alignment align = Qt::AlignLeft);
    void text(const QString& key, const QRect& box, const QString& text, const QFont& font,
              Qt::Alignment align = Qt::AlignLeft, const QColor* ink = nullptr);
    QImage load(const QString& name, bool ownSize = false);
    QSize logicalSize(const QImage& image) const;
    void draw(const QImage& image, const QRect& box);
    void picture(const QString& key, const QString& name, const QRect& box);
    QRect bevel(const QRect& r, int width, const QColor& topLeft, const QColor& bottomRight);
    void bevelMap(const QRect& r, int width, const QString& sideKey, const QString& topKey,
                  const QString& bottomKey);
    QColor colour(const char* key) const { return v.colour(QLatin1String(key)); }
    void gradient(const QRect& bar);

    // --- parts of the window ---
    QRect frame(const QRect& window);
    void caption(const QRect& bar, const QString& textKey, const QString& title,
                 const QStringList& boxKeys, bool minMax);
    void captionButton(const QRect& r, const QString& maskKey, const QString& imageKey);
    QRect menuBar(const QRect& bar, int toolbarEnd);
    void openMenu(const QRect& title, int left, int top, const QRect& window);
    void toolbarButton(const QString& key, const QRect& r, bool pressed);
    void dialog(const QRect& area);
    void label(const QRect& r);
    void listBox(const QRect& r);
    void listView(const QRect& r);
    void textBox(const QRect& r);
    void dialogButton(const QString& key, const QString& caption, const QRect& r);

    QPainter& p;
    const Values& v;
    PreviewRenderer& m_renderer;
    QString m_folder;
    PreviewState m_state;
    PreviewMap m_map;
    QRect m_clip;
    qreal m_ratio = 1;
    int m_factor = 1;
    QFont m_font;
    QFont m_captionFont;
    Colour m_mask = 0;
    bool m_useMasks = false;
    int m_captionHeight = kDefaultCaptionHeight;
    int m_borderWidth = 1; // of the buttons
    int m_buttonSide = 0;  // of a toolbar button
    QPoint m_shift;        // of a pressed button's picture
};

QRect Scene::textIn(const QRect& box, const QString& text, const QColor& ink, const QFont& font,
                    Qt::Alignment align) {
    if (box.isEmpty())
        return {};
    const int flags = int(align | Qt::AlignVCenter | Qt::TextSingleLine);
    p.setFont(font);
    p.setPen(ink);
    p.drawText(box, flags, text);
    // A glyph may reach a pixel past its advance; the element holds all of it.
    return QFontMetrics(font).boundingRect(box, flags, text).adjusted(-1, 0, 1, 0) & box;
}

void Scene::text(const QString& key, const QRect& box, const QString& text, const QFont& font,
                 Qt::Alignment align, const QColor* ink) {
    add(key, textIn(box, text, ink ? *ink : v.colour(key), font, align), PreviewElement::Text);
}

QImage Scene::load(const QString& name, bool ownSize) {
    const QSize size = ownSize ? QSize(0, 0) : QSize(kPicture, kPicture);
    if (const std::optional<QImage> pending = v.pendingPicture(name)) {
        if (!pending->isNull()) {
            const QImage sized =
                ownSize || pending->size() == size
                    ? *pending
                    : pending->scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
            return keyedImage(sized, sized.rect(), m_mask);
        }
    } else if (!m_folder.isEmpty() && isPlainFileName(name)) {
        // Only names that stay inside the working folder: a hostile skin.ini may name anything.
        const QImage image = m_renderer.keyedFile(m_folder + name, size, m_mask);
        if (!image.isNull())
            return image;
    }
    return missingMark();
}

QSize Scene::logicalSize(const QImage& image) const {
    return QSize(int(std::ceil(image.width() * m_factor / m_ratio)),
                 int(std::ceil(image.height() * m_factor / m_ratio)));
}

// Centred in `box`, grown by a whole factor and placed on whole device pixels, so that every
// pixel of the picture stays a sharp square at any device pixel ratio.
void Scene::draw(const QImage& image, const QRect& box) {
    const double w = image.width() * m_factor;
    const double h = image.height() * m_factor;
    const double x = std::round(box.left() * m_ratio + (box.width() * m_ratio - w) / 2);
    const double y = std::round(box.top() * m_ratio + (box.height() * m_ratio - h) / 2);
    p.drawImage(QRectF(x / m_ratio, y / m_ratio, w / m_ratio, h / m_ratio), image);
}

void Scene::picture(const QString& key, const QString& name, const QRect& box) {
    draw(load(name), box);
    add(key, box, PreviewElement::Picture);
}

QRect Scene::bevel(const QRect& r, int width, const QColor& topLeft, const QColor& bottomRight) {
    const int w = std::clamp(std::min(r.width(), r.height()) / 2, 0, std::max(0, width));
    for (int i = 0; i < w; ++i) {
        p.fillRect(QRect(r.left() + i, r.top() + i, r.width() - 2 * i - 1, 1), topLeft);
        p.fillRect(QRect(r.left() + i, r.top() + i, 1, r.height() - 2 * i - 1), topLeft);
        p.fillRect(QRect(r.left() + i, r.bottom() - i, r.width() - 2 * i, 1), bottomRight);
        p.fillRect(QRect(r.right() - i, r.top() + i, 1, r.height() - 2 * i), bottomRight);
    }
    return r.adjusted(w, w, -w, -w);
}

// The sides first, then the top and bottom, which end where the other colour's diagonal begins.
void Scene::bevelMap(const QRect& r, int width, const QString& sideKey, const QString& topKey,
                     const QString& bottomKey) {
    const int w = std::clamp(std::min(r.width(), r.height()) / 2, 0, std::max(0, width));
    if (w == 0)
        return;
    add(sideKey, QRect(r.left(), r.top(), w, r.height()), PreviewElement::Region);
    add(sideKey, QRect(r.right() - w + 1, r.top(), w, r.height()), PreviewElement::Region);
    add(topKey, QRect(r.left(), r.top(), r.width() - w, w), PreviewElement::Solid);
    add(bottomKey, QRect(r.left() + w, r.bottom() - w + 1, r.width() - w, w),
        PreviewElement::Solid);
}

// The caption's stops drawn by the gradient model, one shade a pixel column, as the gradient
// dialog shows them; more stops than columns are drawn one a column and shrunk into the bar.
void Scene::gradient(const QRect& bar) {
    if (bar.isEmpty())
        return;
    const QString key = QStringLiteral("Capt");
    struct Stop {
        Colour colour;
        double position;
    };
    QList<Stop> stops;
    const double count = v.number(gradientkeys::countKey(key));
    if (count >= 1) {
        const int n = int(std::min(count, double(std::numeric_limits<qint16>::max())));
        stops.reserve(n);
        for (int i = 1; i <= n; ++i)
            stops.append(
                {toInt32Clamped(v.number(gradientkeys::colourKey(key, i))),
                 std::clamp(v.number(gradientkeys::positionKey(key, i)), -32768.0, 32767.0)});
    } else {
        for (const gradientkeys::Stop& s : kCaptionFallback)
            stops.append({s.colour, double(s.position)});
    }
    const int columns = std::min(bar.width(), int(std::numeric_limits<qint16>::max()));
    const int shades = std::max(columns, int(stops.size()));
    cSfum sfum;
    sfum.setNSfumature(qint16(shades));
    for (const Stop& s : stops)
        sfum.AggiungiColore(s.colour, float(s.position));
    QImage row(shades, 1, QImage::Format_RGB32);
    row.fill(Qt::black);
    {
        QPainter rp(&row);
        PainterGradientTarget target(&rp);
        sfum.SetObject(&target);
        sfum.StampaSfumatura(0, 0, shades, 1, 0);
    }
    p.drawImage(QRectF(bar), row);
    add(key, bar, PreviewElement::Region);
}

QRect Scene::frame(const QRect& window) {
    const int limit = std::max(0, std::min({8, window.width() / 8, window.height() / 8}));
    const int b = v.integer(QStringLiteral("BorderStyle"), 0, limit);
    if (b == 0)
        return window;
    const QColor dark = colour("DarkColor");
    const QRect inner = bevel(window, b, b == 1 ? dark : colour("LightColor"), dark);
    bevelMap(window, b, QStringLiteral("BorderStyle"),
             b == 1 ? QStringLiteral("DarkColor") : QStringLiteral("LightColor"),
             QStringLiteral("DarkColor"));
    return inner;
}

void Scene::caption(const QRect& bar, const QString& textKey, const QString& title,
                    const QStringList& boxKeys, bool minMax) {
    if (bar.isEmpty())
        return;
    gradient(bar);
    const QRect outer = m_clip;
    m_clip &= bar;
    p.save();
    p.setClipRect(bar, Qt::IntersectClip);
    // Its lower edge is what the height moves.
    add(QStringLiteral("Caption_Height"), QRect(bar.left(), bar.bottom() - 1, bar.width(), 2),
        PreviewElement::Region);
    const int top = bar.top() + (bar.height() - kPicture) / 2;
    const QRect close(bar.right() - 1 - kPicture, top, kPicture, kPicture);
    const QRect max = close.translated(-kPicture - 2, 0);
    const QRect min = max.translated(-kPicture, 0);
    const QRect first = minMax ? min : close;
    const QRect buttons(first.left() - 1, bar.top() + 1, close.right() - first.left() + 3,
                        bar.height() - 3);
    const QRect box(bar.left() + 2, bar.top() + 1, buttons.left() - bar.left() - 3,
                    bar.height() - 3);
    // The stretch between the title and the buttons stands for the caption's font settings,
    // shared out between them; where there are none it is the gradient's.
    for (int i = 0; i < boxKeys.size(); ++i) {
        const int left = box.left() + box.width() * i / int(boxKeys.size());
        const int right = box.left() + box.width() * (i + 1) / int(boxKeys.size());
        add(boxKeys[i], QRect(left, box.top(), right - left, box.height()),
            PreviewElement::Region);
    }
    const QColor ink = colour("Capt_Text");
    const QRect textBox = box.adjusted(2, 0, 0, 0);
    QRect written = textIn(textBox, title.left(256), ink, m_captionFont);
    if (written.isEmpty()) // an empty title still has its place
        written =
            QRect(textBox.left(), textBox.top(), std::min(24, textBox.width()), textBox.height());
    add(textKey, written, PreviewElement::Text);
    add(QStringLiteral("UseMasks"), buttons, PreviewElement::Region);
    if (minMax) {
        captionButton(min, QStringLiteral("SysMenu_Min"), QStringLiteral("min.bmp"));
        captionButton(max, QStringLiteral("SysMenu_Max"),
                      m_state.maximised ? QStringLiteral("norm.bmp") : QStringLiteral("max.bmp"));
    }
    captionButton(close, QStringLiteral("SysMenu_Close"), QStringLiteral("close.bmp"));
    p.restore();
    m_clip = outer;
}

void Scene::captionButton(const QRect& r, const QString& maskKey, const QString& imageKey) {
    const bool pressed = m_state.pressedAt && r.contains(*m_state.pressedAt);
    if (m_useMasks) {
        const QString name = v.text(maskKey);
        // The pressed twin of a mask is the file of the same name with "p_" in front.
        draw(load(pressed && !name.isEmpty() ? QStringLiteral("p_") + name : name), r);
        add(maskKey, r, PreviewElement::Picture);
        return;
    }
    const QColor light = colour("LightColor");
    const QColor dark = colour("DarkColor");
    const QRect face = bevel(r, 1, pressed ? dark : light, pressed ? light : dark);
    p.fillRect(face, colour(pressed ? "Button_Down" : "Button_Up"));
    draw(load(imageKey), pressed ? r.translated(1, 1) : r);
    add(imageKey, r, PreviewElement::Picture);
}

QRect Scene::menuBar(const QRect& bar, int toolbarEnd) {
    if (bar.isEmpty())
        return {};
    fill(QStringLiteral("Menu_Back"), bar);
    //: Menus of the sample client window in the preview.
    static const char* const sources[] = {
        QT_TRANSLATE_NOOP("PreviewRenderer", "File"),
        QT_TRANSLATE_NOOP("PreviewRenderer", "Connessione"),
        QT_TRANSLATE_NOOP("PreviewRenderer", "Visualizza"),
        QT_TRANSLATE_NOOP("PreviewRenderer", "Strumenti"),
    };
    QStringList titles;
    for (const char* source : sources)
        titles << sampleText(source);
    const QFontMetrics fm(m_font);
    QList<QRect> boxes;
    int x = bar.left() + 2;
    for (const QString& title : titles) {
        const int w = fm.horizontalAdvance(title) + 12;
        boxes << (QRect(x, bar.top() + 1, w, bar.height() - 2) & bar);
        x += w;
    }
    // The open menu hangs right of the toolbar's last button, so that it hides no button.
    qsizetype open = boxes.size() - 1;
    for (qsizetype i = 0; i < boxes.size(); ++i) {
        if (boxes[i].right() > toolbarEnd + 8) {
            open = i;
            break;
        }
    }
    for (qsizetype i = 0; i < boxes.size(); ++i) {
        const QString& title = titles[i];
        if (i == open) {
            fill(QStringLiteral("Menu_Back_Sel"), boxes[i]);
            text(QStringLiteral("Menu_Text_Sel"), boxes[i], title, m_font, Qt::AlignHCenter);
        } else {
            text(QStringLiteral("Menu_Text"), boxes[i], title, m_font, Qt::AlignHCenter);
        }
    }
    return boxes[open];
}

void Scene::openMenu(const QRect& title, int left, int top, const QRect& window) {
    if (title.isEmpty())
        return;
    //: Entries of the open menu of the sample client window in the preview.
    static const char* const sources[] = {
        QT_TRANSLATE_NOOP("PreviewRenderer", "Alias..."),
        QT_TRANSLATE_NOOP("PreviewRenderer", "Trigger..."),
        QT_TRANSLATE_NOOP("PreviewRenderer", "Cambia skin..."),
        QT_TRANSLATE_NOOP("PreviewRenderer", "Opzioni..."),
    };
    QStringList entries;
    for (const char* source : sources)
        entries << sampleText(source);
    constexpr int selected = 1;
    const QFontMetrics fm(m_font);
    int widest = 0;
    for (const QString& entry : entries)
        widest = std::max(widest, fm.horizontalAdvance(entry));
    const int rowH = fm.height() + 6;
    QRect menu(std::max(title.left(), left), top, widest + 40, int(entries.size()) * rowH + 4);
    if (menu.right() > window.right())
        menu.moveRight(window.right());
    menu &= window;
    if (menu.isEmpty())
        return;
    add(QStringLiteral("Menu_Back"), menu, PreviewElement::Region);
    const QRect in = bevel(menu, 1, colour("LightColor"), colour("DarkColor"));
    fill(QStringLiteral("Menu_Back"), in);
    for (int i = 0; i < int(entries.size()); ++i) {
        const QRect row(in.left() + 1, in.top() + 1 + i * rowH, in.width() - 2, rowH);
        const QRect words = row.adjusted(16, 0, -4, 0);
        const QString& entry = entries[i];
        if (i == selected) {
            fill(QStringLiteral("Menu_Back_Sel"), row & in);
            text(QStringLiteral("Menu_Text_Sel"), words & in, entry, m_font);
        } else {
            text(QStringLiteral("Menu_Text"), words & in, entry, m_font);
        }
    }
}

void Scene::toolbarButton(const QString& key, const QRect& r, bool pressed) {
    const QColor light = colour("LightColor");
    const QColor dark = colour("DarkColor");
    const QRect face = bevel(r, m_borderWidth, pressed ? dark : light, pressed ? light : dark);
    bevelMap(r, m_borderWidth, QStringLiteral("Border_Width"),
             pressed ? QStringLiteral("DarkColor") : QStringLiteral("LightColor"),
             pressed ? QStringLiteral("LightColor") : QStringLiteral("DarkColor"));
    fill(pressed ? QStringLiteral("Button_Down") : QStringLiteral("Button_Up"), face);
    QRect pic(face.left() + (face.width() - kPicture) / 2,
              face.top() + (face.height() - kPicture) / 2, kPicture, kPicture);
    if (pressed) {
        pic.translate(m_shift);
        add(QStringLiteral("SpostX"),
            QRect(face.left(), face.top(), pic.left() - face.left(), face.height()),
            PreviewElement::Region);
        add(QStringLiteral("SpostY"),
            QRect(face.left(), face.top(), face.width(), pic.top() - face.top()),
            PreviewElement::Region);
    }
    picture(key, v.text(key), pic);
}

void Scene::label(const QRect& r) {
    if (r.isEmpty())
        return;
    const bool border = v.flag(QStringLiteral("Label_ShowBorder"));
    const QRect in = r.adjusted(1, border ? 1 : 0, -1, border ? -1 : 0);
    const QColor first = colour("Label_Back1");
    const QColor last = colour("Label_Back2");
    p.fillRect(r, first);
    const int n = in.height();
    for (int i = 0; i < n; ++i)
        p.fillRect(QRect(r.left(), in.top() + i, r.width(), 1),
                   mix(first, last, n > 1 ? double(i) / (n - 1) : 0.0));
    add(QStringLiteral("Label_ShowBorder"), QRect(r.left(), r.top(), 1, r.height()),
        PreviewElement::Region);
    add(QStringLiteral("Label_ShowBorder"), QRect(r.right(), r.top(), 1, r.height()),
        PreviewElement::Region);
    if (border) {
        const QColor dark = colour("DarkColor");
        bevel(r, 1, dark, dark);
        add(QStringLiteral("DarkColor"), QRect(r.left() + 1, r.top(), r.width() - 2, 1),
            PreviewElement::Solid);
        add(QStringLiteral("DarkColor"), QRect(r.left() + 1, r.bottom(), r.width() - 2, 1),
            PreviewElement::Solid);
    }
    const int half = in.height() / 2;
    add(QStringLiteral("Label_Back1"), QRect(in.left(), in.top(), in.width(), half),
        PreviewElement::Region);
    add(QStringLiteral("Label_Back2"),
        QRect(in.left(), in.top() + half, in.width(), in.height() - half), PreviewElement::Region);
    text(QStringLiteral("Label_Text"), in.adjusted(5, 0, 0, 0),
         sampleText(QT_TRANSLATE_NOOP("PreviewRenderer", "Alias definiti:")), m_font);
}

void Scene::listBox(const QRect& r) {
    if (r.width() < 4 || r.height() < 4)
        return;
    add(QStringLiteral("List_Back"), r, PreviewElement::Region);
    const QRect in = bevel(r, 1, colour("DarkColor"), colour("LightColor"));
    fill(QStringLiteral("List_Back"), in);
    const QFontMetrics fm(m_font);
    const QRect bar(in.right() - kPicture + 1, in.top(), kPicture, in.height());
    const QColor ink = inkOn(colour("List_Back"));
    //: Aliases in the list box of the sample client window: commands of a game, typed short
    //: ("n" for "nord", "giu" for "giù").
    static const char* const names[] = {
        QT_TRANSLATE_NOOP("PreviewRenderer", "n"),  QT_TRANSLATE_NOOP("PreviewRenderer", "s"),
        QT_TRANSLATE_NOOP("PreviewRenderer", "e"),  QT_TRANSLATE_NOOP("PreviewRenderer", "o"),
        QT_TRANSLATE_NOOP("PreviewRenderer", "su"), QT_TRANSLATE_NOOP("PreviewRenderer", "giu"),
        QT_TRANSLATE_NOOP("PreviewRenderer", "pp"), QT_TRANSLATE_NOOP("PreviewRenderer", "gt"),
        QT_TRANSLATE_NOOP("PreviewRenderer", "ss"), QT_TRANSLATE_NOOP("PreviewRenderer", "bb")};
    const int rowH = fm.height() + 2;
    int y = in.top() + 1;
    for (const char* name : names) {
        if (y + rowH - 1 > in.bottom())
            break;
        const QRect row(in.left() + 4, y, bar.left() - in.left() - 6, rowH);
        add(QStringLiteral("List_Back"), textIn(row, sampleText(name), ink, m_font),
            PreviewElement::Region);
        y += rowH;
    }

    // The scroll bar: its track lets the list show through by the transparency.
    const auto barKey = [this](const char* mask, const char* image) {
        return m_useMasks ? QString::fromLatin1(mask) : QString::fromLatin1(image);
    };
    const auto barPicture = [&](const QString& key, const QRect& at) {
        picture(key, m_useMasks ? v.text(key) : key, at);
    };
    const QRect up(bar.left(), bar.top(), kPicture, kPicture);
    const QRect down(bar.left(), bar.bottom() - kPicture + 1, kPicture, kPicture);
    const QRect track(bar.left(), up.bottom() + 1, kPicture, down.top() - up.bottom() - 1);
    const double transparency =
        v.number(QStringLiteral("Scroller_Transp")) == -1
            ? 0.0
            : std::clamp(v.number(QStringLiteral("Scroller_Transp")), 0.0, 100.0);
    if (!track.isEmpty()) {
        p.fillRect(track, mix(colour("Scroller_Back"), colour("List_Back"), transparency / 100));
        add(QStringLiteral("Scroller_Back"), track, PreviewElement::Region);
        const QRect thumb(bar.left(), track.top() + track.height() / 4, kPicture, kPicture);
        const QRect below(track.left(), thumb.bottom() + 1, kPicture,
                          track.bottom() - thumb.bottom());
        add(QStringLiteral("Scroller_Transp"),
            below.isEmpty() ? track.adjusted(0, track.height() / 2, 0, 0) : below,
            PreviewElement::Region);
        if (track.height() >= kPicture)
            barPicture(barKey("Scroller_Center", "center.bmp"), thumb);
    }
    barPicture(barKey("Scroller_Up", "up.bmp"), up);
    barPicture(barKey("Scroller_Down", "down.bmp"), down);
}

void Scene::listView(const QRect& r) {
    if (r.width() < 4 || r.height() < 4)
        return;
    add(QStringLiteral("ListView_Back"), r, PreviewElement::Region);
    const QRect in = bevel(r, 1, colour("DarkColor"), colour("LightColor"));
    fill(QStringLiteral("ListView_Back"), in);
    const QFontMetrics fm(m_font);
    //: Aliases and the commands they stand for, in the list view of the sample client window.
    static const char* const rows[][2] = {
        {QT_TRANSLATE_NOOP("PreviewRenderer", "n"), QT_TRANSLATE_NOOP("PreviewRenderer", "nord")},
        {QT_TRANSLATE_NOOP("PreviewRenderer", "s"), QT_TRANSLATE_NOOP("PreviewRenderer", "sud")},
        {QT_TRANSLATE_NOOP("PreviewRenderer", "pp"),
         QT_TRANSLATE_NOOP("PreviewRenderer", "prendi pane")},
        {QT_TRANSLATE_NOOP("PreviewRenderer", "gt"),
         QT_TRANSLATE_NOOP("PreviewRenderer", "guarda tutto")},
        {QT_TRANSLATE_NOOP("PreviewRenderer", "ss"),
         QT_TRANSLATE_NOOP("PreviewRenderer", "saluta tutti")},
        {QT_TRANSLATE_NOOP("PreviewRenderer", "bb"),
         QT_TRANSLATE_NOOP("PreviewRenderer", "bevi birra")},
        {QT_TRANSLATE_NOOP("PreviewRenderer", "dd"), QT_TRANSLATE_NOOP("PreviewRenderer", "dormi")},
        {QT_TRANSLATE_NOOP("PreviewRenderer", "ii"),
         QT_TRANSLATE_NOOP("PreviewRenderer", "inventario")}};
    constexpr int selected = 1;
    const int rowH = fm.height() + 4;
    const int split = in.left() + std::max(24, in.width() / 3);
    QList<QRect> lines;
    int y = in.top();
    for (int i = 0; i < int(std::size(rows)) && y + rowH - 1 <= in.bottom(); ++i) {
        if (i == selected)
            fill(QStringLiteral("ListView_Sel"), QRect(in.left(), y, in.width(), rowH));
        text(QStringLiteral("ListView_Text"), QRect(in.left() + 4, y, split - in.left() - 6, rowH),
             sampleText(rows[i][0]), m_font);
        text(QStringLiteral("ListView_Text"), QRect(split + 4, y, in.right() - split - 4, rowH),
             sampleText(rows[i][1]), m_font);
        y += rowH;
        if (y <= in.bottom())
            lines << QRect(in.left(), y++, in.width(), 1);
    }
    lines << QRect(split, in.top(), 1, y - in.top());
    for (const QRect& line : lines)
        fill(QStringLiteral("ListView_Line"), line & in);
}

void Scene::textBox(const QRect& r) {
    if (r.width() < 4 || r.height() < 4)
        return;
    // The text box has no background of its own in a skin: it takes the list's.
    add(QStringLiteral("List_Back"), r, PreviewElement::Region);
    const QRect in = bevel(r, 1, colour("DarkColor"), colour("LightColor"));
    p.fillRect(in, colour("List_Back"));
    const QFontMetrics fm(m_font);
    //: A command typed in the text box of the sample client window; %1 is the selected word.
    const QString typed = sampleText(QT_TRANSLATE_NOOP("PreviewRenderer", "dici %1 a tutti"));
    //: The selected word of "dici %1 a tutti".
    const QString word = sampleText(QT_TRANSLATE_NOOP("PreviewRenderer", "ciao"));
    const qsizetype at = std::max<qsizetype>(typed.indexOf(QStringLiteral("%1")), 0);
    const QString before = typed.left(at);
    const QString after = typed.mid(at + 2);
    const QColor ink = inkOn(colour("List_Back"));
    int x = in.left() + 4;
    textIn(QRect(x, in.top(), in.right() - x + 1, in.height()), before, ink, m_font);
    x += fm.horizontalAdvance(before);
    const QRect selection =
        QRect(x - 1, in.top() + 2, fm.horizontalAdvance(word) + 2, in.height() - 4) & in;
    fill(QStringLiteral("TextBox_Sel"), selection);
    add(QStringLiteral("TextBox_Sel"),
        textIn(selection.adjusted(1, 0, 0, 0), word, inkOn(colour("TextBox_Sel")), m_font),
        PreviewElement::Region);
    x += fm.horizontalAdvance(word);
    textIn(QRect(x, in.top(), in.right() - x + 1, in.height()), after, ink, m_font);
}

void Scene::dialogButton(const QString& key, const QString& caption, const QRect& r) {
    add(key, r, PreviewElement::Region);
    const QRect face = bevel(r, m_borderWidth, colour("LightColor"), colour("DarkColor"));
    fill(QStringLiteral("Button_Up"), face);
    const QRect pic(face.left() + 3, face.top() + (face.height() - kPicture) / 2, kPicture,
                    kPicture);
    picture(key, v.text(key), pic);
    text(QStringLiteral("Button_Text"),
         QRect(pic.right() + 4, face.top(), face.right() - pic.right() - 4, face.height()), caption,
         m_font);
}

void Scene::dialog(const QRect& area) {
    if (area.width() < 16 || area.height() < 16)
        return;
    const QRect inner = frame(area);
    const QRect bar(inner.left(), inner.top(), inner.width(),
                    std::min(m_captionHeight, inner.height()));
    //: The title of the sample dialog in the preview.
    caption(bar, QStringLiteral("Capt_Text"),
            sampleText(QT_TRANSLATE_NOOP("PreviewRenderer", "Alias")),
            {QStringLiteral("Caption_Bold"), QStringLiteral("Caption_Italic")}, false);
    const QRect body(inner.left(), bar.bottom() + 1, inner.width(), inner.bottom() - bar.bottom());
    if (body.isEmpty())
        return;
    fill(QStringLiteral("Win_Back"), body);

    constexpr int pad = 8;
    const QRect content = body.adjusted(pad, pad, -pad, -pad);
    if (content.width() < 32 || content.height() < 32)
        return;
    //: Buttons of the sample dialog in the preview.
    static const char* const buttons[][2] = {
        {"Add", QT_TRANSLATE_NOOP("PreviewRenderer", "Aggiungi")},
        {"Remove", QT_TRANSLATE_NOOP("PreviewRenderer", "Rimuovi")},
        {"New", QT_TRANSLATE_NOOP("PreviewRenderer", "Nuovo")},
        {"Delete", QT_TRANSLATE_NOOP("PreviewRenderer", "Elimina")},
        {"Save", QT_TRANSLATE_NOOP("PreviewRenderer", "Salva")},
        {"Ok", QT_TRANSLATE_NOOP("PreviewRenderer", "Ok")},
        {"Abort", QT_TRANSLATE_NOOP("PreviewRenderer", "Annulla")}};
    const QFontMetrics fm(m_font);
    int widest = 0;
    for (const auto& b : buttons)
        widest = std::max(widest, fm.horizontalAdvance(sampleText(b[1])));
    const int buttonH = std::max(kPicture, fm.height()) + 4 + 2 * m_borderWidth;
    const int columnW = std::min(kPicture + widest + 14 + 2 * m_borderWidth, content.width() / 2);
    const int column = content.right() - columnW + 1;
    const int okTop = content.bottom() - 2 * buttonH - 4 + 1;
    int y = content.top();
    for (int i = 0; i < 5; ++i) {
        const QString key = QLatin1String(buttons[i][0]);
        // An optional button switched off holds no picture name, and the dialog has no such
        // button.
        if (v.text(key).isEmpty())
            continue;
        if (y + buttonH > okTop - 4)
            break;
        dialogButton(key, sampleText(buttons[i][1]), QRect(column, y, columnW, buttonH));
        y += buttonH + 4;
    }
    for (int i = 5; i < 7; ++i)
        dialogButton(QLatin1String(buttons[i][0]), sampleText(buttons[i][1]),
                     QRect(column, okTop + (i - 5) * (buttonH + 4), columnW, buttonH));

    const QRect left(content.left(), content.top(), column - pad - content.left(),
                     content.height());
    const int fieldH = fm.height() + 8;
    label(QRect(left.left(), left.top(), left.width(), fieldH));
    textBox(QRect(left.left(), left.bottom() - fieldH + 1, left.width(), fieldH));
    const int top = left.top() + fieldH + pad;
    const int bottom = left.bottom() - fieldH - pad;
    const int boxW = left.width() * 2 / 5;
    listBox(QRect(left.left(), top, boxW, bottom - top + 1));
    listView(QRect(left.left() + boxW + pad, top, left.width() - boxW - pad, bottom - top + 1));
}

PreviewMap Scene::paint(QSize size) {
    const QRect window(QPoint(0, 0), size);
    m_clip = window;
    p.save();
    p.setClipRect(window, Qt::IntersectClip);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);

    const double border = v.number(QStringLiteral("Border_Width"));
    m_borderWidth = border == -1 ? 1 : int(std::clamp(border, 0.0, 4.0));
    m_buttonSide = kPicture + 4 + 2 * m_borderWidth;
    m_shift = QPoint(v.integer(QStringLiteral("SpostX"), -2, 2),
                     v.integer(QStringLiteral("SpostY"), -2, 2));

    p.fillRect(window, colour("Color"));
    const QRect inner = frame(window);
    const double height = v.number(QStringLiteral("Caption_Height"));
    m_captionHeight = height <= 0
                          ? kDefaultCaptionHeight
                          : int(std::clamp(height, 8.0, std::max(8.0, size.height() / 3.0)));
    const QRect bar(inner.left(), inner.top(), inner.width(),
                    std::min(m_captionHeight, inner.height()));
    // A click on the window's caption means its gradient, as the list calls it.
    caption(bar, QStringLiteral("Title"), v.text(QStringLiteral("Title")), {}, true);

    const QFontMetrics fm(m_font);
    const QRect menu =
        QRect(inner.left(), bar.bottom() + 1, inner.width(), fm.height() + 6) & inner;
    const QRect tools =
        QRect(inner.left(), bar.bottom() + fm.height() + 7, inner.width(), m_buttonSide + 6) &
        inner;
    int toolbarEnd = inner.left();
    if (!tools.isEmpty()) {
        fill(QStringLiteral("Color"), tools);
        // Connected: the first button stays pressed.
        static const char* const keys[] = {"Connect", "Disconnect",  nullptr, "Aliases", "Triggers",
                                           nullptr,   "Change_Skin", nullptr, "Exit"};
        int x = tools.left() + 4;
        for (const char* key : keys) {
            if (!key) {
                x += 7;
                continue;
            }
            toolbarButton(QLatin1String(key), QRect(x, tools.top() + 3, m_buttonSide, m_buttonSide),
                          x == tools.left() + 4);
            x += m_buttonSide + 1;
            toolbarEnd = x;
        }
    }
    const QRect openTitle = menuBar(menu, toolbarEnd);

    const QRect client(inner.left(), tools.bottom() + 1, inner.width(),
                       inner.bottom() - tools.bottom());
    if (!tools.isEmpty() && !client.isEmpty()) {
        fill(QStringLiteral("Win_Back"), client);
        // The skin's own picture, at its own size, in the lower right corner.
        const QImage logo = load(v.text(QStringLiteral("ImageName")), true);
        const QSize logoSize = logicalSize(logo);
        const QRect at(client.right() - 4 - logoSize.width() + 1,
                       client.bottom() - 4 - logoSize.height() + 1, logoSize.width(),
                       logoSize.height());
        const int logoRoom =
            std::clamp(logoSize.width() + 12, 40, std::max(40, client.width() / 3));
        add(QStringLiteral("MaskColor"), at.adjusted(-2, -2, 2, 2) & client,
            PreviewElement::Region);
        p.save();
        p.setClipRect(client, Qt::IntersectClip);
        draw(logo, at);
        p.restore();
        add(QStringLiteral("ImageName"), at & client, PreviewElement::Picture);
        dialog(client.adjusted(8, 8, -logoRoom, -8));
    }
    openMenu(openTitle, toolbarEnd + 1, menu.bottom() + 1, inner);
    p.restore();
    return m_map;
}

} // namespace

const PreviewElement* previewElementAt(const PreviewMap& map, QPoint point) {
    for (auto it = map.crbegin(); it != map.crend(); ++it) {
        if (it->rect.contains(point))
            return &*it;
    }
    return nullptr;
}

QByteArray previewMapJson(const PreviewMap& map, int scale) {
    QJsonArray out;
    for (const PreviewElement& e : map) {
        const QRect r(e.rect.topLeft() * scale, e.rect.size() * scale);
        out.append(
            QJsonObject{{QStringLiteral("key"), e.key},
                        {QStringLiteral("caption"), e.caption},
                        {QStringLiteral("rect"), QJsonArray{r.x(), r.y(), r.width(), r.height()}}});
    }
    return QJsonDocument(out).toJson(QJsonDocument::Indented);
}

PreviewMap PreviewRenderer::render(QPainter& painter, const SkinDocument& document, QSize size,
                                   const PreviewOverlay& overlay, const PreviewState& state) {
    size = size.boundedTo(QSize(cBitmap::kMaxSide, cBitmap::kMaxSide));
    if (size.isEmpty())
        return {};
    // The gradient model reports refusals to the user; a preview has nothing to tell.
    RecordingErrorReporter quiet;
    const ScopedErrorReporter scope(&quiet);
    const Values values(document, overlay);
    const SkinRef& skin = document.skin();
    Scene scene(painter, values, *this, skin ? skin->SkinPath() : QString(), state);
    return scene.paint(size);
}

QImage PreviewRenderer::renderImage(const SkinDocument& document, QSize size, int ratio,
                                    PreviewMap* map, const PreviewOverlay& overlay,
                                    const PreviewState& state) {
    ratio = std::clamp(ratio, 1, 16);
    QImage image(size * ratio, QImage::Format_RGB32);
    if (image.isNull())
        return image;
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    QPainter painter(&image);
    PreviewMap drawn = render(painter, document, size, overlay, state);
    painter.end();
    if (map)
        *map = std::move(drawn);
    return image;
}

QImage PreviewRenderer::keyedFile(const QString& path, QSize size, qint32 mask) {
    const QImage source = m_pictures.load(path, size);
    if (source.isNull())
        return source;
    // Keying costs a pass over the pixels; a picture is keyed again only when it or the mask
    // colour changed.
    if (m_keyed.size() > 512)
        m_keyed.clear();
    Keyed& keyed = m_keyed[path + QLatin1Char('|') + QString::number(size.width())];
    if (keyed.image.isNull() || keyed.sourceKey != source.cacheKey() || keyed.mask != mask)
        keyed = {source.cacheKey(), mask, keyedImage(source, source.rect(), mask)};
    return keyed.image;
}
