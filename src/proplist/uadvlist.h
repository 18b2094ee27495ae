#pragma once

#include "common/colour.h"
#include "dialogkit/userprompts.h"
#include "proplist/listlayout.h"
#include "proplist/picturecache.h"
#include "proplist/proplistmodel.h"

#include <QElapsedTimer>
#include <QImage>
#include <QPoint>
#include <QStringList>
#include <QVariant>
#include <QWidget>

class QKeyEvent;
class QLabel;
class QPainter;
class QScrollBar;

// The property list control: a custom-painted view over PropListModel with a vertical scroll
// bar, inline editors and tooltips. The list's operations (values, schema, saving) are the
// model's; the widget owns only what is seen: the rows' layout, scrolling and the highlight.
//
// Its sources: uadvlist.cpp (construction, scrolling, mouse input), uadvlistkeys.cpp (keyboard
// input and selection by key), uadvlistpaint.cpp (drawing), uadvlisteditors.cpp (the inline
// editors and tooltips), with the layout in listlayout.h.
//
// One highlight serves the pointer and the keys: an item row (with its inline editor) or, from
// the keys only, a category row (item 0).
class uAdvList : public QWidget {
    Q_OBJECT
public:
    explicit uAdvList(QWidget* parent = nullptr);
    ~uAdvList() override;

    PropListModel* model() const { return m_model; }
    // Through which the list browses for files and tells what the model refused.
    void setPrompts(UserPrompts* prompts) { m_prompts = prompts; }

    // Lays the rows out again and repaints them, after anything that moves rows: folding, a new
    // schema, a resize.
    void Redraw();

    // Highlights the item as the pointer would, unfolding its category and scrolling its row
    // into view; an unknown key changes nothing.
    void selectKey(const QString& key);
    // selectKey, then what Enter does on the row: the item's dialog, check box or file browser.
    void activateKey(const QString& key);

Q_SIGNALS:
    // The user asked to edit the highlighted item with a dialog.
    void ModItem(const QString& key);
    // The highlighted item is now `key`; "" when no item is highlighted (none, or a category).
    void highlightChanged(const QString& key);

public:
    // --- what the list shows, for the host and the tests ---
    // Where a point of the drawing surface lies, in the layout last drawn.
    using Hit = ListLayout::Hit;
    Hit HitTest(const QPoint& surfacePoint) const;
    const ListLayout& layout() const { return m_layout; }
    int hotCategory() const { return mHotCat; }
    int hotItem() const { return mHotItem; }
    qint32 offset() const { return mOffset; }
    // The drawing surface (pctList); item and category areas are in its coordinates.
    QWidget* surface() const;
    // The blank picture saved when an image item is switched on.
    const QImage& placeholder() const { return pctImage; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    // The focus frame, drawn in the margin around the surface so that no row looks different.
    void paintEvent(QPaintEvent* event) override;

private:
    class Surface;
    class ColourBox;
    class MoreLabel;
    class PictureBox;
    class BoolBox;
    friend class Surface;

    void forgetHighlight();
    // Geometry: stores every category's and every shown item's Area for the current offset and
    // returns the height of the whole content.
    int layoutList();
    // Painting, from the model, into the surface.
    void DrawList(QPainter& p, const QRect& exposed);
    void DrawItem(QPainter& p, int cat, int item, const QRect& rect);
    void paintHighlight(QPainter& p);
    void paintCategoryHighlight(QPainter& p);
    void paintValue(QPainter& p, const tItem& it, const QRect& rect);
    void paintThumbnail(QPainter& p, const QString& path, QPoint at, int side, bool keyed);

    void SetScrollRange(int height);
    void ScrollList(int value);
    void ShowEditor(int cat, int item);
    void placeHotEditor(int cat, int item);
    void HideEditor(int cat, int item);
    void PlaceEditor(QWidget* editor, int cat, int item);
    void ShowToolTip(const QString& text, const QPoint& surfacePoint);
    void hideEditors();
    void refreshHotEditor();

    // Mouse input on the surface and on the editors.
    void surfaceMouseMove(const QPoint& pos, Qt::MouseButtons buttons);
    void surfaceMousePress(const QPoint& pos, Qt::MouseButton button);
    void surfaceWheel(int angleDelta);
    void switchItem(int cat, int item);
    void editorToolTip(QWidget* editor, const QPoint& globalPos);
    void editorClicked(QWidget* editor);
    void browseFile();

    // Keyboard input on the surface; false for keys the list leaves to its parent.
    bool surfaceKey(QKeyEvent* event);
    struct Row {
        int cat = 0;
        int item = 0; // 0 for the category row itself
        bool operator==(const Row&) const = default;
    };
    // The rows the list shows, top to bottom.
    QList<Row> shownRows() const;
    QRect rowArea(Row row) const;
    QString rowCaption(Row row) const;
    // Moves the one highlight to `row` (none when cat is 0) and scrolls it into view.
    void highlightRow(Row row);
    void scrollIntoView(Row row);
    void setFolded(int cat, bool folded);
    void activateHot();
    bool typeAhead(const QString& text);
    void announceHighlight();

    void onListChanged();
    void onItemChanged(int cat, int item);
    bool validItem(int cat, int item) const;
    const tItem* hotItemRecord() const;
    QString imagePath(const tItem& it) const;
    QString skinPath() const;
    Colour maskColour() const;

    PropListModel* m_model;
    UserPrompts* m_prompts = nullptr;
    Surface* pctList = nullptr;
    QScrollBar* Scroller = nullptr;
    ColourBox* pctColor = nullptr;
    BoolBox* chkBool = nullptr;
    MoreLabel* cmdMore = nullptr;
    PictureBox* imgImage = nullptr;
    PictureBox* imgMask[2] = {nullptr, nullptr};
    QLabel* lblToolTip = nullptr;
    QImage pctImage;

    int mHotCat = 0;
    int mHotItem = 0;
    qint32 mOffset = 0;
    bool mScrolling = false;
    int m_wheelRemainder = 0;
    QString m_announced; // the key highlightChanged last named
    QString m_typed;     // letters typed so far for the type-ahead
    QElapsedTimer m_typedAt;
    ListLayout m_layout;
    mutable PictureCache m_pictures;
};
