#pragma once

#include "common/colour.h"
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
// bar, inline editors and tooltips. Its public operations are those of the list; they forward to
// the model, which owns the data.
class uAdvList : public QWidget {
    Q_OBJECT
public:
    explicit uAdvList(QWidget* parent = nullptr);
    ~uAdvList() override;

    PropListModel* model() const { return m_model; }

    // --- public operations of the list ---
    void Redraw();
    bool Modified() const;
    QStringList GetFilesList() const;
    QString RetrCaption(const QString& Name) const;
    qint32 RetrType(const QString& Name) const;
    bool SetData(const QString& Name, const QVariant& data);
    QVariant RetrData(const QString& Name) const;
    QString Salva(bool* ok = nullptr);
    void Clear();
    void LoadingItems();
    bool Ready(const SkinRef& InfoSkin);
    void AddCat(const QString& Name, const QString& Caption);
    void AddItem(const QString& pCat, const QString& pCaption, const QString& pName, qint32 pType,
                 bool pAdvOpt = false, const QVariant& pValue = QVariant());

Q_SIGNALS:
    // The user asked to edit the highlighted item with a dialog.
    void ModItem(const QString& key);

public:
    // --- what the list shows, for the host and the tests ---
    // Where a point of the drawing surface lies: the category and item under it (0 = none) and
    // whether it is in the icon area at the left end of the item row.
    struct Hit {
        int cat = 0;
        int item = 0;
        bool icon = false;
    };
    Hit HitTest(const QPoint& surfacePoint) const;
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
    mutable PictureCache m_pictures;
};
