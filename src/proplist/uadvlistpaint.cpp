#include "proplist/uadvlist_p.h"

#include "common/transparentcopy.h"
#include "gradient/csfum.h"

#include <algorithm>

// Everything the surface shows is painted here from the model and the layout, at each paint.

namespace advlist {

// A filled rectangle outlined with a one-pixel pen, covering [l, r) x [t, b) like a GDI
// Rectangle call: the outline runs on the border pixels and the fill lies inside it. Without a
// fill only the outline is drawn.
void outlinedRect(QPainter& p, int l, int t, int r, int b, const QColor& pen, const QColor* fill) {
    if (r <= l || b <= t)
        return;
    if (fill && r - l > 2 && b - t > 2)
        p.fillRect(QRect(l + 1, t + 1, r - l - 2, b - t - 2), *fill);
    p.fillRect(QRect(l, t, r - l, 1), pen);
    p.fillRect(QRect(l, b - 1, r - l, 1), pen);
    p.fillRect(QRect(l, t, 1, b - t), pen);
    p.fillRect(QRect(r - 1, t, 1, b - t), pen);
}

// Single-line text in [l, r) x [t, b), vertically centred and clipped to the rectangle.
void drawCaption(QPainter& p, int l, int t, int r, int b, Qt::Alignment align, const QColor& colour,
                 const QString& text) {
    if (r <= l || b <= t)
        return;
    p.setPen(colour);
    p.drawText(QRect(l, t, r - l, b - t), int(align | Qt::AlignVCenter | Qt::TextSingleLine), text);
}

// Paints the gradient the skin holds under `key` into `box` with cSfum, horizontally; false
// (nothing painted) when the skin holds fewer than two stops.
bool paintGradient(QPainter& p, const cSkin* skin, const QString& key, const QRect& box) {
    if (!skin || box.isEmpty())
        return false;
    const auto count = toInt16(readNumber(skin->RetrInfo(gradientkeys::countKey(key))));
    if (!count || *count < 2)
        return false;
    const int n = *count;
    cSfum sfum;
    // A gradient cannot have fewer shades than stops; with more stops than the box has pixels
    // it is drawn one pixel per stop and shrunk into the box.
    const int width = std::max(box.width(), n);
    if (width > box.width())
        sfum.setNSfumature(qint16(width));
    for (int i = 1; i <= n; ++i) {
        const Colour colour =
            toInt32Clamped(readNumber(skin->RetrInfo(gradientkeys::colourKey(key, i))));
        const double position = readNumber(skin->RetrInfo(gradientkeys::positionKey(key, i)));
        sfum.AggiungiColore(colour, float(position));
    }
    if (width == box.width()) {
        PainterGradientTarget target(&p);
        sfum.SetObject(&target);
        sfum.StampaSfumatura(box.x(), box.y(), box.width(), box.height(), 0);
        return true;
    }
    QImage wide(width, box.height(), QImage::Format_RGB32);
    wide.fill(Qt::black);
    {
        QPainter wp(&wide);
        PainterGradientTarget target(&wp);
        sfum.SetObject(&target);
        sfum.StampaSfumatura(0, 0, width, box.height(), 0);
    }
    p.drawImage(box, wide);
    return true;
}

} // namespace advlist

// ---------------------------------------------------------------------------------------------
// Layout and drawing

int uAdvList::layoutList() {
    m_layout = ListLayout::compute(*m_model, pctList->width(), mOffset);
    // The records keep the rows as last laid out, which is what the list's callers read.
    for (int c = 1; c <= m_model->categoryCount(); ++c) {
        m_model->setCategoryArea(c, m_layout.categoryRow(c));
        if (!m_layout.expanded(c))
            continue;
        for (int i = 1; i <= m_model->itemCount(c); ++i)
            m_model->setItemArea(c, i, m_layout.itemRow(c, i));
    }
    return m_layout.contentHeight;
}

void uAdvList::DrawList(QPainter& p, const QRect& exposed) {
    layoutList();
    const int W = pctList->width();
    p.fillRect(pctList->rect(), Qt::white);
    p.setFont(pctList->font());
    for (int c = 1; c <= m_model->categoryCount(); ++c) {
        const tCategory& cat = m_model->category(c);
        const int y = cat.Area.top() - 1;
        if (QRect(0, y, W, ListLayout::kCategoryStep + 1).intersects(exposed)) {
            p.fillRect(QRect(0, y + 1, W, 19), kCategoryFill);
            p.drawImage(W - 19, y + 1,
                        cat.Expanded ? ListPictures::expandedPicture()
                                     : ListPictures::foldedInPicture());
            drawCaption(p, 0, y, W - 24, y + 21, Qt::AlignRight, Qt::white, cat.Caption);
        }
        if (!cat.Expanded)
            continue;
        for (int i = 1; i <= m_model->itemCount(c); ++i) {
            const QRect& area = m_model->item(c, i).Area;
            if (QRect(0, area.top(), W, 20).intersects(exposed))
                DrawItem(p, c, i, area);
        }
    }
    paintHighlight(p);
}

void uAdvList::DrawItem(QPainter& p, int cat, int item, const QRect& rect) {
    const tItem& it = m_model->item(cat, item);
    const int top = rect.top();
    p.drawImage(0, top + 2,
                it.IsSet ? ListPictures::kindIcon(it.Kind) : ListPictures::notSetIcon());
    const QColor& fill = it.AdvOpt ? kAdvOptFill : kItemFill;
    outlinedRect(p, 16, top, rect.right(), rect.bottom(), Qt::white, &fill);
    drawCaption(p, rect.left(), top, rect.right(), rect.bottom(), Qt::AlignLeft, Qt::black,
                it.Caption);
    if (it.IsSet)
        paintValue(p, it, rect);
}

void uAdvList::paintValue(QPainter& p, const tItem& it, const QRect& rect) {
    const int right = pctList->width() - 5;
    const int left = right - kBoxWidth;
    const int top = rect.top() + 3;
    const int bottom = top + kBoxHeight;
    switch (it.Kind) {
    case KindColor: {
        const QColor colour = toQColor(toInt32Clamped(readNumber(it.ItemValue)));
        outlinedRect(p, left, top, right, bottom, Qt::black, &colour);
        break;
    }
    case KindGradient:
        if (paintGradient(p, m_model->skin().get(), it.ItemKey,
                          QRect(left, top, right - left, bottom - top)))
            outlinedRect(p, left, top, right, bottom, Qt::black, nullptr);
        break;
    case KindImage:
        paintThumbnail(p, imagePath(it), QPoint(rect.right() + 2, rect.top() + 1), 16, true);
        break;
    case KindMask: {
        const QString name = it.ItemValue.toString();
        const QString folder = skinPath();
        paintThumbnail(p, folder.isEmpty() ? QString() : folder + name,
                       QPoint(rect.right() + 2, rect.top() + 1), 17, false);
        paintThumbnail(p, folder.isEmpty() ? QString() : folder + QStringLiteral("p_") + name,
                       QPoint(rect.right() + 21, rect.top() + 1), 17, false);
        break;
    }
    default:
        // Numbers, texts, booleans and files show their value only in the editor.
        break;
    }
}

void uAdvList::paintThumbnail(QPainter& p, const QString& path, QPoint at, int side, bool keyed) {
    const QImage picture = path.isEmpty() ? QImage() : m_pictures.load(path, QSize(17, 17));
    if (picture.isNull()) {
        p.drawImage(at, ListPictures::missingPicture(side));
        return;
    }
    if (keyed)
        p.drawImage(at, keyedImage(picture, QRect(0, 0, side, side), maskColour()));
    else
        p.drawImage(at, picture, QRect(0, 0, side, side));
}

void uAdvList::paintHighlight(QPainter& p) {
    if (mHotItem == 0) {
        paintCategoryHighlight(p);
        return;
    }
    if (!validItem(mHotCat, mHotItem) || !m_model->category(mHotCat).Expanded)
        return;
    const tItem& it = m_model->item(mHotCat, mHotItem);
    const QRect& area = it.Area;
    outlinedRect(p, 16, area.top(), pctList->width(), area.bottom(), kHotPen, &kHotFill);
    drawCaption(p, area.left(), area.top(), area.right(), area.bottom(), Qt::AlignLeft, kHotPen,
                it.Caption);
}

// A category row reached with the keys takes the colours of a highlighted item, so that the
// highlight reads the same wherever it is; the fold picture stays as the affordance it is.
void uAdvList::paintCategoryHighlight(QPainter& p) {
    if (mHotCat < 1 || mHotCat > m_model->categoryCount())
        return;
    const tCategory& cat = m_model->category(mHotCat);
    const int W = pctList->width();
    const int y = cat.Area.top() - 1;
    outlinedRect(p, 0, y + 1, W, y + 20, kHotPen, &kHotFill);
    p.drawImage(W - 19, y + 1,
                cat.Expanded ? ListPictures::expandedPicture() : ListPictures::foldedInPicture());
    drawCaption(p, 0, y, W - 24, y + 21, Qt::AlignRight, kHotPen, cat.Caption);
}
