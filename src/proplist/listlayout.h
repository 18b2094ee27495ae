#pragma once

#include <QList>
#include <QPoint>
#include <QRect>

class PropListModel;

// Where the rows of the list lie for a width and a scroll offset, worked out from the model
// alone: hit testing, the editors' placement and the tests need no painting first.
struct ListLayout {
    // The category and item under a point (0 = none) and whether it is in the icon area at the
    // left end of the item row.
    struct Hit {
        int cat = 0;
        int item = 0;
        bool icon = false;
    };

    // From the top of one category row to the next when folded, and of one item row to the next.
    static constexpr int kCategoryStep = 20;
    static constexpr int kItemStep = 18;
    // Points with x up to this belong to the icon area of an item row.
    static constexpr int kIconArea = 16;

    static ListLayout compute(const PropListModel& model, int width, int offset);

    Hit hitTest(const QPoint& point) const;
    // The category's row; an empty rectangle for a category that does not exist.
    QRect categoryRow(int cat) const;
    // The item's row (its Area); an empty rectangle when its category is folded or it does not
    // exist.
    QRect itemRow(int cat, int item) const;
    bool expanded(int cat) const;
    // The height of everything the list shows, from the top of the first row.
    int contentHeight = 0;

private:
    struct Category {
        QRect row;
        bool expanded = false;
        QList<QRect> items; // empty while folded
    };
    QList<Category> m_cats;
};
