#include "proplist/listlayout.h"
#include "proplist/proplistmodel.h"

#include <QTest>

namespace {

constexpr int W = 300;

// Nine items under the first category, one under each of the two others.
void build(PropListModel& m) {
    m.LoadingItems();
    m.AddCat("(a)", "Prima");
    for (int i = 1; i <= 9; ++i)
        m.AddItem("(a)", QStringLiteral("Voce %1").arg(i), QStringLiteral("K%1").arg(i), KindColor);
    m.AddCat("(b)", "Seconda");
    m.AddItem("(b)", "Testo", "Txt", KindString);
    m.AddCat("(c)", "Terza");
    m.AddItem("(c)", "Fine", "Fin", KindColor);
    m.Ready(nullptr);
}

// Row top of item i (1-based) of the first category when it is expanded at offset 0.
int itemTop(int i) {
    return 20 + 18 * (i - 1);
}

} // namespace

class tst_ListLayout : public QObject {
    Q_OBJECT
private slots:
    void rowsAndHeight();
    void hitTestOnSharedLines_data();
    void hitTestOnSharedLines();
    void foldedAndScrolled();
};

void tst_ListLayout::rowsAndHeight() {
    PropListModel m;
    build(m);
    m.setExpanded(1, true);
    const ListLayout l = ListLayout::compute(m, W, 0);
    QCOMPARE(l.categoryRow(1), QRect(QPoint(0, 1), QPoint(W, 20)));
    for (int i = 1; i <= 9; ++i)
        QCOMPARE(l.itemRow(1, i), QRect(QPoint(21, itemTop(i)), QPoint(W - 40, itemTop(i) + 19)));
    QCOMPARE(l.categoryRow(2).top(), 20 + 18 * 9 + 1);
    QCOMPARE(l.itemRow(2, 1), QRect()); // folded
    QCOMPARE(l.contentHeight, 20 + 18 * 9 + 20 + 20 + 1);
    QCOMPARE(l.categoryRow(4), QRect());
}

void tst_ListLayout::hitTestOnSharedLines_data() {
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<int>("cat");
    QTest::addColumn<int>("item");
    QTest::addColumn<bool>("icon");
    const int second = 20 + 18 * 9 + 1; // the second category's row top
    QTest::newRow("above the first category") << QPoint(100, 0) << 0 << 0 << false;
    QTest::newRow("its row") << QPoint(100, 10) << 1 << 0 << false;
    QTest::newRow("first item's top line") << QPoint(100, 20) << 1 << 1 << false;
    QTest::newRow("line shared with item 2") << QPoint(100, itemTop(1) + 18) << 1 << 1 << false;
    QTest::newRow("still item 1's area") << QPoint(100, itemTop(1) + 19) << 1 << 1 << false;
    QTest::newRow("item 2") << QPoint(100, itemTop(1) + 20) << 1 << 2 << false;
    QTest::newRow("icon area up to x = 16") << QPoint(16, itemTop(3) + 5) << 1 << 3 << true;
    QTest::newRow("past the icon area") << QPoint(17, itemTop(3) + 5) << 1 << 3 << false;
    QTest::newRow("anywhere along the row") << QPoint(W - 1, itemTop(9) + 5) << 1 << 9 << false;
    QTest::newRow("last item's bottom line") << QPoint(100, second - 1) << 1 << 9 << false;
    QTest::newRow("a later category wins its row") << QPoint(100, second) << 2 << 0 << false;
    QTest::newRow("its bottom line") << QPoint(100, second + 19) << 2 << 0 << false;
    QTest::newRow("third category") << QPoint(100, second + 20) << 3 << 0 << false;
    QTest::newRow("third's bottom line") << QPoint(100, second + 39) << 3 << 0 << false;
    // Below a folded last category the expanded first one claims the point, without an item.
    QTest::newRow("below everything") << QPoint(100, second + 40) << 1 << 0 << false;
}

void tst_ListLayout::hitTestOnSharedLines() {
    QFETCH(QPoint, point);
    QFETCH(int, cat);
    QFETCH(int, item);
    QFETCH(bool, icon);
    PropListModel m;
    build(m);
    m.setExpanded(1, true);
    const ListLayout::Hit hit = ListLayout::compute(m, W, 0).hitTest(point);
    QCOMPARE(hit.cat, cat);
    QCOMPARE(hit.item, item);
    QCOMPARE(hit.icon, icon);
}

void tst_ListLayout::foldedAndScrolled() {
    PropListModel m;
    build(m);
    // With every category folded, the space below the last one belongs to none.
    QCOMPARE(ListLayout::compute(m, W, 0).hitTest(QPoint(100, 100)).cat, 0);
    // An expanded last category claims everything below its rows.
    m.setExpanded(3, true);
    QCOMPARE(ListLayout::compute(m, W, 0).hitTest(QPoint(100, 395)).cat, 3);
    // Scrolling moves every row by the offset and leaves the content's height alone.
    m.setExpanded(1, true);
    const ListLayout top = ListLayout::compute(m, W, 0);
    const ListLayout scrolled = ListLayout::compute(m, W, -50);
    QCOMPARE(scrolled.itemRow(1, 4), top.itemRow(1, 4).translated(0, -50));
    QCOMPARE(scrolled.contentHeight, top.contentHeight);
    const ListLayout::Hit hit = scrolled.hitTest(QPoint(100, itemTop(4) - 50 + 5));
    QCOMPARE(hit.item, 4);
}

QTEST_GUILESS_MAIN(tst_ListLayout)
#include "tst_listlayout.moc"
