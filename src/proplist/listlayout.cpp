#include "proplist/listlayout.h"

#include "proplist/proplistmodel.h"

ListLayout ListLayout::compute(const PropListModel& model, int width, int offset) {
    ListLayout layout;
    int y = offset;
    layout.m_cats.reserve(model.categoryCount());
    for (int c = 1; c <= model.categoryCount(); ++c) {
        Category cat;
        cat.row = QRect(QPoint(0, y + 1), QPoint(width, y + kCategoryStep));
        cat.expanded = model.category(c).Expanded;
        y += kCategoryStep;
        if (cat.expanded) {
            cat.items.reserve(model.itemCount(c));
            for (int i = 1; i <= model.itemCount(c); ++i) {
                cat.items.append(QRect(QPoint(21, y), QPoint(width - 40, y + 19)));
                y += kItemStep;
            }
        }
        layout.m_cats.append(std::move(cat));
    }
    layout.contentHeight = y + 1 - offset;
    return layout;
}

ListLayout::Hit ListLayout::hitTest(const QPoint& point) const {
    Hit hit;
    const int x = point.x();
    const int y = point.y();
    for (int c = int(m_cats.size()); c >= 1; --c) {
        const Category& cat = m_cats[c - 1];
        if (cat.expanded) {
            // An expanded category claims everything below its row down to the next category,
            // the blank space under its last item included.
            if (y < cat.row.top())
                continue;
            hit.cat = c;
            for (int i = 1; i <= cat.items.size(); ++i) {
                const QRect& area = cat.items[i - 1];
                if (area.top() <= y && y <= area.bottom()) {
                    hit.item = i;
                    hit.icon = x <= kIconArea;
                    break;
                }
            }
            return hit;
        }
        if (cat.row.top() <= y && y <= cat.row.bottom()) {
            hit.cat = c;
            return hit;
        }
    }
    return hit;
}

QRect ListLayout::categoryRow(int cat) const {
    return cat >= 1 && cat <= m_cats.size() ? m_cats[cat - 1].row : QRect();
}

QRect ListLayout::itemRow(int cat, int item) const {
    if (cat < 1 || cat > m_cats.size())
        return QRect();
    const QList<QRect>& items = m_cats[cat - 1].items;
    return item >= 1 && item <= items.size() ? items[item - 1] : QRect();
}

bool ListLayout::expanded(int cat) const {
    return cat >= 1 && cat <= m_cats.size() && m_cats[cat - 1].expanded;
}
