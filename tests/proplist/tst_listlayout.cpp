#include "proplist/listlayout.h"
#include "proplist/proplistmodel.h"

#include <QTest>

// Nine items under the first category, one under each of the two others: rows and what a point
// hits.
class tst_ListLayout : public QObject {
    Q_OBJECT
private slots:
    void rowsAndHeight();
    void hitTest_data();
    void hitTest();

private:
    static constexpr int W = 300;
    static constexpr int kSecond = 20 + 18 * 9 + 1; // the second category's row top
    // Row top of item i (1-based) of the first category when it is expanded at offset 0.
    static int itemTop(int i) { return 20 + 18 * (i - 1); }
    static void build(PropListModel& m, const QList<int>& expanded) {
        m.LoadingItems();
        for (const QString cat : {"(a)", "(b)", "(c)"}) {
            m.AddCat(cat, cat);
            for (int i = 1; i <= (cat == "(a)" ? 9 : 1); ++i)
                m.AddItem(cat, cat + QString::number(i), cat.mid(1, 1) + QString::number(i),
                          KindColor);
        }
        m.Ready(nullptr);
        for (const int cat : expanded)
            m.setExpanded(cat, true);
    }
};

// Scrolling moves every row by the offset and leaves the content's height alone.
void tst_ListLayout::rowsAndHeight() {
    PropListModel m;
    build(m, {1});
    for (const int dy : {0, -50}) {
        const ListLayout l = ListLayout::compute(m, W, dy);
        QCOMPARE(l.categoryRow(1), QRect(0, 1 + dy, W + 1, 20));
        for (int i = 1; i <= 9; ++i)
            QCOMPARE(l.itemRow(1, i), QRect(21, itemTop(i) + dy, W - 60, 20));
        QCOMPARE(l.categoryRow(2).top(), kSecond + dy);
        QCOMPARE(l.itemRow(2, 1), QRect()); // folded
        QCOMPARE(l.contentHeight, 20 + 18 * 9 + 20 + 20 + 1);
        QCOMPARE(l.categoryRow(4), QRect());
    }
}

void tst_ListLayout::hitTest_data() {
    QTest::addColumn<QList<int>>("expanded");
    QTest::addColumn<int>("dy");
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<QList<int>>("hit"); // category, item, on the icon
    const auto row = [](const char* name, QPoint p, QList<int> hit, QList<int> open = {1},
                        int dy = 0) {
        QTest::newRow(name) << open << dy << p << hit;
    };
    row("above the first category", {100, 0}, {0, 0, 0});
    row("its row", {100, 10}, {1, 0, 0});
    row("first item's top line", {100, 20}, {1, 1, 0});
    row("line shared with item 2", {100, itemTop(1) + 18}, {1, 1, 0});
    row("still item 1's area", {100, itemTop(1) + 19}, {1, 1, 0});
    row("item 2", {100, itemTop(1) + 20}, {1, 2, 0});
    row("icon area up to x = 16", {16, itemTop(3) + 5}, {1, 3, 1});
    row("past the icon area", {17, itemTop(3) + 5}, {1, 3, 0});
    row("anywhere along the row", {W - 1, itemTop(9) + 5}, {1, 9, 0});
    row("last item's bottom line", {100, kSecond - 1}, {1, 9, 0});
    row("a later category wins its row", {100, kSecond}, {2, 0, 0});
    row("third's bottom line", {100, kSecond + 39}, {3, 0, 0});
    // Below a folded last category the expanded first one claims the point, without an item.
    row("below everything", {100, kSecond + 40}, {1, 0, 0});
    row("below every folded category, none", {100, 100}, {0, 0, 0}, {});
    row("an expanded last category claims below", {100, 395}, {3, 0, 0}, {3});
    row("scrolled", {100, itemTop(4) - 50 + 5}, {1, 4, 0}, {1}, -50);
}

void tst_ListLayout::hitTest() {
    QFETCH(QList<int>, expanded);
    QFETCH(int, dy);
    QFETCH(QPoint, point);
    PropListModel m;
    build(m, expanded);
    const ListLayout::Hit hit = ListLayout::compute(m, W, dy).hitTest(point);
    QTEST((QList<int>{hit.cat, hit.item, hit.icon}), "hit");
}

QTEST_GUILESS_MAIN(tst_ListLayout)
#include "tst_listlayout.moc"
