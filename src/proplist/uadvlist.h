#pragma once

#include "common/colour.h"
#include "proplist/listlayout.h"
#include "proplist/picturecache.h"
#include "proplist/proplistmodel.h"

#include <QImage>
#include <QPoint>
#include <QStringList>
#include <QVariant>
#include <QWidget>

class QLabel;
class QPainter;
class QScrollBar;

// The property list control: a custom-painted view over PropListModel with a vertical scroll
// bar, inline editors and tooltips. The list's operations (values, schema, saving) are the
// model's; the widget owns only what is seen: the rows' layout, scrolling and the highlight.
//
// Its sources: uadvlist.cpp (construction, scrolling, mouse input), uadvlistpaint.cpp (drawing),
// uadvlisteditors.cpp (the inline editors and tooltips), with the layout in listlayout.h.
class uAdvList : public QWidget {
    Q_OBJECT
public:
    explicit uAdvList(QWidget* parent = nullptr);
    ~uAdvList() override;

    PropListModel* model() const { return m_model; }

    // Lays the rows out again and repaints them, after anything that moves rows: folding, a new
    // schema, a resize.
    void Redraw();

Q_SIGNALS:
    // The user asked to edit the highlighted item with a dialog.
    void ModItem(const QString& key);

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
    void paintValue(QPainter& p, const tItem& it, const QRect& rect);
    void paintThumbnail(QPainter& p, const QString& path, QPoint at, int side, bool keyed);

    void SetScrollRange(int height);
    void ScrollList(int value);
    void ShowEditor(int cat, int item);
    void HideEditor(int cat, int item);
    void PlaceEditor(QWidget* editor, int cat, int item);
    void ShowToolTip(const QString& text, const QPoint& surfacePoint);
    void hideEditors();
    void refreshHotEditor();

    // Mouse input on the surface and on the editors.
    void surfaceMouseMove(const QPoint& pos, Qt::MouseButtons buttons);
    void surfaceMousePress(const QPoint& pos, Qt::MouseButton button);
    void surfaceWheel(int angleDelta);
    void editorToolTip(QWidget* editor, const QPoint& globalPos);
    void editorClicked(QWidget* editor);
    void browseFile();

    void onListChanged();
    void onItemChanged(int cat, int item);
    bool validItem(int cat, int item) const;
    const tItem* hotItemRecord() const;
    QString imagePath(const tItem& it) const;
    QString skinPath() const;
    Colour maskColour() const;

    PropListModel* m_model;
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
    ListLayout m_layout;
    mutable PictureCache m_pictures;
};
