#include "proplist/uadvlist.h"

#include "common/numbers.h"
#include "common/transparentcopy.h"
#include "dialogs/frmsfoglia.h"
#include "gradient/csfum.h"
#include "proplist/listpictures.h"

#include <QCheckBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <functional>

namespace {

const QColor kCategoryFill(13, 107, 170);
const QColor kItemFill(230, 230, 230);
const QColor kAdvOptFill(230, 0, 0);
const QColor kHotFill(214, 239, 255);
const QColor kHotPen(13, 107, 170);
const QColor kMorePressed(230, 230, 230);
const QColor kMoreReleased(192, 192, 192);

// The value box of colour and gradient rows has the size of the colour editor.
constexpr int kBoxWidth = 31;
constexpr int kBoxHeight = 13;
constexpr int kCategoryStep = 20;
constexpr int kItemStep = 18;
// Points with x up to this belong to the icon area of an item row.
constexpr int kIconArea = 16;
// One step of the scroll bar, in pixels.
constexpr int kScrollStep = 10;
// Wheel movement of one scroll step (a wheel notch of 120 scrolls three steps).
constexpr int kWheelPerStep = 40;

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
    const auto count = toInt16(readNumber(skin->RetrInfo(key + QStringLiteral("_Count"))));
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
        const QString index = QString::number(i);
        const Colour colour = toInt32Clamped(
            readNumber(skin->RetrInfo(key + QLatin1Char('<') + index + QLatin1Char('>'))));
        const double position =
            readNumber(skin->RetrInfo(key + QStringLiteral("_Pos<") + index + QLatin1Char('>')));
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

} // namespace

// ---------------------------------------------------------------------------------------------
// Child widgets

// The drawing surface: everything it shows is painted from the model at each paint.
class uAdvList::Surface : public QWidget {
public:
    explicit Surface(uAdvList* owner) : QWidget(owner), m_owner(owner) {
        setObjectName(QStringLiteral("pctList"));
        setMouseTracking(true);
        setAttribute(Qt::WA_OpaquePaintEvent);
        setFocusPolicy(Qt::ClickFocus);
        setFont(ListPictures::listFont(9));
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        QPainter p(this);
        m_owner->DrawList(p, event->rect());
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        m_owner->surfaceMouseMove(event->position().toPoint(), event->buttons());
    }
    void mousePressEvent(QMouseEvent* event) override {
        m_owner->surfaceMousePress(event->position().toPoint(), event->button());
    }
    void wheelEvent(QWheelEvent* event) override {
        m_owner->surfaceWheel(event->angleDelta().y());
        event->accept();
    }
    // The second press of a double click is not a click of its own: a quick double click on a
    // category row or a switch would otherwise undo itself.
    void mouseDoubleClickEvent(QMouseEvent* event) override { event->accept(); }
    void resizeEvent(QResizeEvent*) override { m_owner->Redraw(); }
    // A tooltip left behind when the pointer goes elsewhere would describe a control nobody is
    // pointing at any more.
    void leaveEvent(QEvent*) override { m_owner->lblToolTip->hide(); }

private:
    uAdvList* m_owner;
};

// What every inline editor shares: a mouse move shows its tooltip, and a left press released
// over it is a click.
template <class Base> class EditorBehaviour : public Base {
public:
    using ClickHandler = std::function<void()>;
    using MoveHandler = std::function<void(const QPoint& globalPos)>;
    using Base::Base;
    void setHandlers(ClickHandler click, MoveHandler move) {
        m_click = std::move(click);
        m_move = std::move(move);
    }

protected:
    void mouseMoveEvent(QMouseEvent* event) override {
        if (m_move)
            m_move(event->globalPosition().toPoint());
    }
    void mousePressEvent(QMouseEvent* event) override {
        m_pressed = event->button() == Qt::LeftButton;
        pressed(event->button());
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        released(event->button());
        const bool click = m_pressed && event->button() == Qt::LeftButton &&
                           this->rect().contains(event->position().toPoint());
        m_pressed = false;
        if (click && m_click)
            m_click();
    }
    // A double click asks for one dialog, not two: its second press is no click.
    void mouseDoubleClickEvent(QMouseEvent* event) override { event->accept(); }
    virtual void pressed(Qt::MouseButton) {}
    virtual void released(Qt::MouseButton) {}

private:
    ClickHandler m_click;
    MoveHandler m_move;
    bool m_pressed = false;
};

// pctColor: the colour of a colour item, or the gradient of a gradient item, in a black frame.
class uAdvList::ColourBox : public EditorBehaviour<QWidget> {
public:
    explicit ColourBox(QWidget* parent) : EditorBehaviour<QWidget>(parent) {
        setObjectName(QStringLiteral("pctColor"));
        setFixedSize(kBoxWidth, kBoxHeight);
        setMouseTracking(true);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }
    QSize innerSize() const { return QSize(width() - 2, height() - 2); }
    void setColour(Colour c) {
        m_inner = QImage();
        m_colour = toQColor(c);
        update();
    }
    // The inner area as a picture (a gradient); a null image shows white.
    void setPicture(const QImage& inner) {
        m_inner = inner.isNull() ? blankInner() : inner;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        outlinedRect(p, 0, 0, width(), height(), Qt::black, nullptr);
        if (m_inner.isNull())
            p.fillRect(QRect(1, 1, width() - 2, height() - 2), m_colour);
        else
            p.drawImage(1, 1, m_inner);
    }

private:
    QImage blankInner() const {
        QImage img(innerSize(), QImage::Format_RGB32);
        img.fill(Qt::white);
        return img;
    }
    QColor m_colour = Qt::white;
    QImage m_inner;
};

// cmdMore: a "..." label used as a button.
class uAdvList::MoreLabel : public EditorBehaviour<QLabel> {
public:
    explicit MoreLabel(QWidget* parent) : EditorBehaviour<QLabel>(parent) {
        setObjectName(QStringLiteral("cmdMore"));
        setText(QStringLiteral("..."));
        setAlignment(Qt::AlignCenter);
        setFont(ListPictures::listFont(6.75));
        setFixedSize(kBoxWidth, kBoxHeight);
        setFrameStyle(QFrame::Box | QFrame::Plain);
        setLineWidth(1);
        setMouseTracking(true);
        setAutoFillBackground(true);
        setBackground(kMoreReleased);
    }
    QColor background() const { return palette().color(QPalette::Window); }

protected:
    void pressed(Qt::MouseButton) override { setBackground(kMorePressed); }
    void released(Qt::MouseButton) override { setBackground(kMoreReleased); }

private:
    void setBackground(const QColor& c) {
        QPalette pal = palette();
        pal.setColor(QPalette::Window, c);
        pal.setColor(QPalette::WindowText, Qt::black);
        setPalette(pal);
    }
};

// imgImage and imgMask: a 17 x 17 picture.
class uAdvList::PictureBox : public EditorBehaviour<QWidget> {
public:
    PictureBox(QWidget* parent, const QString& name) : EditorBehaviour<QWidget>(parent) {
        setObjectName(name);
        setFixedSize(17, 17);
        setMouseTracking(true);
    }
    void setPicture(const QImage& img) {
        m_picture = img;
        update();
    }
    const QImage& picture() const { return m_picture; }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.drawImage(0, 0, m_picture);
    }

private:
    QImage m_picture;
};

// chkBool: a 13 x 13 check box.
class uAdvList::BoolBox : public QCheckBox {
public:
    explicit BoolBox(QWidget* parent) : QCheckBox(parent) {
        setObjectName(QStringLiteral("chkBool"));
        setFixedSize(13, 13);
        setMouseTracking(true);
        setFocusPolicy(Qt::NoFocus);
    }
    std::function<void(const QPoint&)> onMove;

protected:
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
    void mouseMoveEvent(QMouseEvent* event) override {
        QCheckBox::mouseMoveEvent(event);
        if (onMove)
            onMove(event->globalPosition().toPoint());
        // Handled here: passed on, the move would reach the surface and hide the tooltip.
        event->accept();
    }
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        const QColor white = Qt::white;
        outlinedRect(p, 0, 0, 13, 13, QColor(64, 64, 64), &white);
        if (!isChecked())
            return;
        // A tick, two pixels thick.
        const QColor tick = Qt::black;
        for (int i = 0; i <= 2; ++i)
            p.fillRect(QRect(3 + i, 5 + i, 1, 2), tick);
        for (int i = 1; i <= 4; ++i)
            p.fillRect(QRect(5 + i, 7 - i, 1, 2), tick);
    }
};

// ---------------------------------------------------------------------------------------------
// Construction

uAdvList::uAdvList(QWidget* parent) : QWidget(parent), m_model(new PropListModel(this)) {
    pctList = new Surface(this);
    Scroller = new QScrollBar(Qt::Vertical, this);
    Scroller->setObjectName(QStringLiteral("Scroller"));
    // The scroll bar never keeps the focus: the surface takes it.
    Scroller->setFocusPolicy(Qt::NoFocus);
    Scroller->setRange(0, 0);
    Scroller->setSingleStep(1);
    Scroller->setEnabled(false);
    connect(Scroller, &QScrollBar::valueChanged, this, [this](int value) { ScrollList(value); });

    pctColor = new ColourBox(pctList);
    cmdMore = new MoreLabel(pctList);
    imgImage = new PictureBox(pctList, QStringLiteral("imgImage"));
    imgMask[0] = new PictureBox(pctList, QStringLiteral("imgMask0"));
    imgMask[1] = new PictureBox(pctList, QStringLiteral("imgMask1"));
    chkBool = new BoolBox(pctList);

    const auto tipOf = [this](QWidget* editor) {
        return [this, editor](const QPoint& globalPos) {
            editorToolTip(editor, globalPos);
        };
    };
    const auto clickOf = [this](QWidget* editor) {
        return [this, editor] {
            editorClicked(editor);
        };
    };
    pctColor->setHandlers(clickOf(pctColor), tipOf(pctColor));
    cmdMore->setHandlers(clickOf(cmdMore), tipOf(cmdMore));
    imgImage->setHandlers(clickOf(imgImage), tipOf(imgImage));
    imgMask[0]->setHandlers(clickOf(imgMask[0]), tipOf(imgMask[0]));
    imgMask[1]->setHandlers(clickOf(imgMask[1]), tipOf(imgMask[1]));
    chkBool->onMove = tipOf(chkBool);
    // clicked() also follows a toggle by keyboard, so the value never differs from what the box
    // shows.
    connect(chkBool, &QCheckBox::clicked, this, [this](bool checked) {
        // Its text named the state the box has just left.
        lblToolTip->hide();
        if (validItem(mHotCat, mHotItem))
            m_model->setBoolFromEditor(mHotCat, mHotItem, checked);
    });

    lblToolTip = new QLabel(pctList);
    lblToolTip->setObjectName(QStringLiteral("lblToolTip"));
    lblToolTip->setFont(ListPictures::listFont(6.75));
    lblToolTip->setFrameStyle(QFrame::Box | QFrame::Plain);
    lblToolTip->setLineWidth(1);
    lblToolTip->setAutoFillBackground(true);
    {
        QPalette pal = lblToolTip->palette();
        pal.setColor(QPalette::Window, QColor(255, 255, 225));
        pal.setColor(QPalette::WindowText, Qt::black);
        lblToolTip->setPalette(pal);
    }
    // The tooltip appears just below the cursor; it must not take the mouse from the surface.
    lblToolTip->setAttribute(Qt::WA_TransparentForMouseEvents);

    for (QWidget* w : {static_cast<QWidget*>(pctColor), static_cast<QWidget*>(cmdMore),
                       static_cast<QWidget*>(imgImage), static_cast<QWidget*>(imgMask[0]),
                       static_cast<QWidget*>(imgMask[1]), static_cast<QWidget*>(chkBool),
                       static_cast<QWidget*>(lblToolTip)})
        w->hide();

    pctImage = ListPictures::placeholderPicture();

    connect(m_model, &PropListModel::listChanged, this, [this] { onListChanged(); });
    connect(m_model, &PropListModel::itemChanged, this,
            [this](int cat, int item) { onItemChanged(cat, item); });
}

uAdvList::~uAdvList() {
    // The model outlives the child widgets while the object is taken apart; it must not call
    // back into them.
    disconnect(m_model, nullptr, this, nullptr);
}

QWidget* uAdvList::surface() const {
    return pctList;
}

void uAdvList::resizeEvent(QResizeEvent*) {
    const int bar = Scroller->sizeHint().width();
    Scroller->setGeometry(width() - bar, 0, bar, height());
    pctList->setGeometry(3, 3, std::max(0, width() - bar - 6), std::max(0, height() - 6));
}

// ---------------------------------------------------------------------------------------------
// Public operations

void uAdvList::Redraw() {
    // A highlighted item whose category was folded in (or which no longer exists) is forgotten.
    if (mHotCat != 0 && (!validItem(mHotCat, mHotItem) || !m_model->category(mHotCat).Expanded)) {
        hideEditors();
        mHotCat = 0;
        mHotItem = 0;
    }
    const int height = layoutList();
    if (!mScrolling)
        SetScrollRange(height);
    if (mHotCat != 0)
        ShowEditor(mHotCat, mHotItem);
    pctList->update();
}

bool uAdvList::Modified() const {
    return m_model->Modified();
}

QStringList uAdvList::GetFilesList() const {
    return m_model->GetFilesList();
}

QString uAdvList::RetrCaption(const QString& Name) const {
    return m_model->RetrCaption(Name);
}

qint32 uAdvList::RetrType(const QString& Name) const {
    return m_model->RetrType(Name);
}

bool uAdvList::SetData(const QString& Name, const QVariant& data) {
    return m_model->SetData(Name, data);
}

QVariant uAdvList::RetrData(const QString& Name) const {
    return m_model->RetrData(Name);
}

QString uAdvList::Salva(bool* ok) {
    return m_model->Salva(ok);
}

void uAdvList::Clear() {
    HideEditor(mHotCat, mHotItem);
    mHotCat = 0;
    mHotItem = 0;
    m_model->Clear();
}

void uAdvList::LoadingItems() {
    HideEditor(mHotCat, mHotItem);
    mHotCat = 0;
    mHotItem = 0;
    m_model->LoadingItems();
}

bool uAdvList::Ready(const SkinRef& InfoSkin) {
    return m_model->Ready(InfoSkin);
}

void uAdvList::AddCat(const QString& Name, const QString& Caption) {
    m_model->AddCat(Name, Caption);
}

void uAdvList::AddItem(const QString& pCat, const QString& pCaption, const QString& pName,
                       qint32 pType, bool pAdvOpt, const QVariant& pValue) {
    m_model->AddItem(pCat, pCaption, pName, pType, pAdvOpt, pValue);
}

// ---------------------------------------------------------------------------------------------
// Layout and drawing

int uAdvList::layoutList() {
    const int W = pctList->width();
    int y = mOffset;
    for (int c = 1; c <= m_model->categoryCount(); ++c) {
        m_model->setCategoryArea(c, QRect(QPoint(0, y + 1), QPoint(W, y + kCategoryStep)));
        y += kCategoryStep;
        if (!m_model->category(c).Expanded)
            continue;
        for (int i = 1; i <= m_model->itemCount(c); ++i) {
            m_model->setItemArea(c, i, QRect(QPoint(21, y), QPoint(W - 40, y + 19)));
            y += kItemStep;
        }
    }
    return y + 1 - mOffset;
}

void uAdvList::DrawList(QPainter& p, const QRect& exposed) {
    layoutList();
    const int W = pctList->width();
    p.fillRect(pctList->rect(), Qt::white);
    p.setFont(pctList->font());
    for (int c = 1; c <= m_model->categoryCount(); ++c) {
        const tCategory& cat = m_model->category(c);
        const int y = cat.Area.top() - 1;
        if (QRect(0, y, W, kCategoryStep + 1).intersects(exposed)) {
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
    if (!validItem(mHotCat, mHotItem) || !m_model->category(mHotCat).Expanded)
        return;
    const tItem& it = m_model->item(mHotCat, mHotItem);
    const QRect& area = it.Area;
    outlinedRect(p, 16, area.top(), pctList->width(), area.bottom(), kHotPen, &kHotFill);
    drawCaption(p, area.left(), area.top(), area.right(), area.bottom(), Qt::AlignLeft, kHotPen,
                it.Caption);
}

// ---------------------------------------------------------------------------------------------
// Scrolling

void uAdvList::SetScrollRange(int height) {
    const int h = pctList->height();
    if (h >= height) {
        Scroller->setEnabled(false);
        if (mOffset != 0)
            Scroller->setValue(0);
        Scroller->setRange(0, 0);
        return;
    }
    Scroller->setEnabled(true);
    Scroller->setMaximum((height - h) / kScrollStep + 1);
    Scroller->setPageStep(std::max(1, h / kScrollStep));
}

void uAdvList::ScrollList(int value) {
    // The rows move away from under a tooltip, which would then describe the wrong one.
    lblToolTip->hide();
    mOffset = -kScrollStep * value;
    mScrolling = true;
    Redraw();
    mScrolling = false;
}

void uAdvList::surfaceWheel(int angleDelta) {
    if (!Scroller->isEnabled())
        return;
    m_wheelRemainder += angleDelta;
    const int steps = m_wheelRemainder / kWheelPerStep;
    m_wheelRemainder -= steps * kWheelPerStep;
    if (steps != 0)
        Scroller->setValue(Scroller->value() - steps);
}

// ---------------------------------------------------------------------------------------------
// Hit testing, highlight and editors

uAdvList::Hit uAdvList::HitTest(const QPoint& point) const {
    Hit hit;
    const int x = point.x();
    const int y = point.y();
    for (int c = m_model->categoryCount(); c >= 1; --c) {
        const tCategory& cat = m_model->category(c);
        if (cat.Expanded) {
            if (y < cat.Area.top())
                continue;
            hit.cat = c;
            for (int i = 1; i <= m_model->itemCount(c); ++i) {
                const QRect& area = m_model->item(c, i).Area;
                if (area.top() <= y && y <= area.bottom()) {
                    hit.item = i;
                    hit.icon = x <= kIconArea;
                    break;
                }
            }
            return hit;
        }
        if (cat.Area.top() <= y && y <= cat.Area.bottom()) {
            hit.cat = c;
            return hit;
        }
    }
    return hit;
}

void uAdvList::hideEditors() {
    for (QWidget* w : {static_cast<QWidget*>(cmdMore), static_cast<QWidget*>(pctColor),
                       static_cast<QWidget*>(chkBool), static_cast<QWidget*>(imgImage),
                       static_cast<QWidget*>(imgMask[0]), static_cast<QWidget*>(imgMask[1])})
        w->hide();
}

void uAdvList::HideEditor(int cat, int item) {
    if (cat == 0 || item == 0)
        return;
    hideEditors();
    if (validItem(cat, item)) {
        const QRect& area = m_model->item(cat, item).Area;
        pctList->update(QRect(0, area.top(), pctList->width(), area.height()));
    }
}

void uAdvList::ShowEditor(int cat, int item) {
    mHotCat = cat;
    mHotItem = item;
    hideEditors();
    if (cat == 0 || item == 0)
        return;
    if (!validItem(cat, item)) {
        mHotCat = 0;
        mHotItem = 0;
        return;
    }
    const tItem& it = m_model->item(cat, item);
    const QRect& area = it.Area;
    pctList->update(QRect(0, area.top(), pctList->width(), area.height()));
    if (!it.IsSet)
        return;
    const auto picture = [this](const QString& path) {
        QImage img = path.isEmpty() ? QImage() : m_pictures.load(path, QSize(17, 17));
        return img.isNull() ? ListPictures::missingPicture(17) : img;
    };
    switch (it.Kind) {
    case KindImage:
        imgImage->setPicture(picture(imagePath(it)));
        imgImage->move(area.right() + 2, area.top() + 1);
        imgImage->show();
        break;
    case KindMask: {
        const QString folder = skinPath();
        const QString name = it.ItemValue.toString();
        imgMask[0]->setPicture(picture(folder.isEmpty() ? QString() : folder + name));
        imgMask[1]->setPicture(
            picture(folder.isEmpty() ? QString() : folder + QStringLiteral("p_") + name));
        imgMask[0]->move(area.right() + 2, area.top() + 1);
        imgMask[1]->move(imgMask[0]->x() + imgMask[0]->width() + 2, area.top() + 1);
        imgMask[0]->show();
        imgMask[1]->show();
        break;
    }
    case KindNumber:
    case KindString:
    case KindFile:
        PlaceEditor(cmdMore, cat, item);
        break;
    case KindColor:
        pctColor->setColour(toInt32Clamped(readNumber(it.ItemValue)));
        PlaceEditor(pctColor, cat, item);
        break;
    case KindGradient: {
        QImage inner(pctColor->innerSize(), QImage::Format_RGB32);
        inner.fill(Qt::white);
        bool painted = false;
        {
            QPainter ip(&inner);
            painted = paintGradient(ip, m_model->skin().get(), it.ItemKey, inner.rect());
        }
        if (!painted)
            inner = QImage();
        pctColor->setPicture(inner);
        PlaceEditor(pctColor, cat, item);
        break;
    }
    case KindBool:
        chkBool->setChecked(readNumber(it.ItemValue) != 0);
        PlaceEditor(chkBool, cat, item);
        break;
    default:
        break;
    }
}

void uAdvList::PlaceEditor(QWidget* editor, int cat, int item) {
    const QRect& area = m_model->item(cat, item).Area;
    editor->move(pctList->width() - editor->width() - 5, area.top() + (19 - editor->height()) / 2);
    editor->show();
    lblToolTip->raise();
}

void uAdvList::ShowToolTip(const QString& text, const QPoint& surfacePoint) {
    lblToolTip->setText(QLatin1Char(' ') + text + QLatin1Char(' '));
    lblToolTip->adjustSize();
    int left = surfacePoint.x() - lblToolTip->width() - 3;
    if (left <= 0)
        left = surfacePoint.x() + 13;
    lblToolTip->move(left, surfacePoint.y() + 2);
    lblToolTip->show();
    lblToolTip->raise();
}

// ---------------------------------------------------------------------------------------------
// Mouse input

void uAdvList::surfaceMouseMove(const QPoint& pos, Qt::MouseButtons buttons) {
    if (lblToolTip->isVisible())
        lblToolTip->hide();
    if (buttons != Qt::NoButton)
        return;
    const Hit hit = HitTest(pos);
    if (hit.item != 0 && (hit.cat != mHotCat || hit.item != mHotItem)) {
        HideEditor(mHotCat, mHotItem);
        ShowEditor(hit.cat, hit.item);
        return;
    }
    if (hit.item == 0 && hit.cat != 0 && mHotItem != 0) {
        HideEditor(mHotCat, mHotItem);
        mHotCat = 0;
        mHotItem = 0;
        return;
    }
    if (hit.item != 0 && hit.icon && m_model->isSwitchable(hit.cat, hit.item)) {
        const bool set = m_model->item(hit.cat, hit.item).IsSet;
        ShowToolTip(set ? QStringLiteral("ignora voce") : QStringLiteral("attiva voce"), pos);
    }
}

void uAdvList::surfaceMousePress(const QPoint& pos, Qt::MouseButton button) {
    if (button != Qt::LeftButton)
        return;
    const Hit hit = HitTest(pos);
    if (hit.cat != 0 && hit.item == 0) {
        // Only the category row itself folds: the blank space an expanded category claims
        // below its last item is not a place anyone clicks to fold it.
        const QRect& row = m_model->category(hit.cat).Area;
        if (pos.y() < row.top() || pos.y() > row.bottom())
            return;
        m_model->setExpanded(hit.cat, !m_model->category(hit.cat).Expanded);
        Redraw();
        return;
    }
    if (hit.item != 0 && hit.icon && m_model->isSwitchable(hit.cat, hit.item)) {
        // Its text named the state the item has just left.
        lblToolTip->hide();
        // A failed switch is reported by the model and leaves the item as it was.
        m_model->toggleItem(hit.cat, hit.item, pctImage);
        HideEditor(mHotCat, mHotItem);
        ShowEditor(mHotCat, mHotItem);
    }
}

void uAdvList::editorToolTip(QWidget* editor, const QPoint& globalPos) {
    const tItem* it = hotItemRecord();
    if (!it)
        return;
    QString text;
    if (editor == chkBool)
        text = chkBool->isChecked() ? QStringLiteral("disattiva opzione")
                                    : QStringLiteral("attiva opzione");
    else if (editor == cmdMore)
        text = it->Kind == KindString   ? QStringLiteral("imposta stringa")
               : it->Kind == KindNumber ? QStringLiteral("imposta numero")
                                        : QStringLiteral("scegli file");
    else if (editor == imgImage)
        text = QStringLiteral("modifica immagine");
    else if (editor == imgMask[0])
        text = QStringLiteral("modifica maschera normale");
    else if (editor == imgMask[1])
        text = QStringLiteral("modifica maschera premuto");
    else if (editor == pctColor)
        text = it->Kind == KindColor ? QStringLiteral("scegli colore")
                                     : QStringLiteral("imposta sfumatura");
    else
        return;
    ShowToolTip(text, pctList->mapFromGlobal(globalPos));
}

void uAdvList::editorClicked(QWidget* editor) {
    // The dialog or browser that opens now would otherwise sit beside a stale tooltip.
    lblToolTip->hide();
    const tItem* it = hotItemRecord();
    if (!it)
        return;
    if (editor == cmdMore && it->Kind == KindFile) {
        browseFile();
        return;
    }
    const QString key = it->ItemKey;
    Q_EMIT ModItem(key);
}

// ---------------------------------------------------------------------------------------------
// Model notifications and helpers

void uAdvList::onListChanged() {
    Redraw();
}

void uAdvList::onItemChanged(int cat, int item) {
    if (cat == mHotCat && item == mHotItem)
        ShowEditor(cat, item);
    if (validItem(cat, item)) {
        const QRect& area = m_model->item(cat, item).Area;
        pctList->update(QRect(0, area.top(), pctList->width(), area.height()));
    }
}

bool uAdvList::validItem(int cat, int item) const {
    return cat >= 1 && cat <= m_model->categoryCount() && item >= 1 &&
           item <= m_model->itemCount(cat);
}

const tItem* uAdvList::hotItemRecord() const {
    if (!validItem(mHotCat, mHotItem))
        return nullptr;
    return &m_model->item(mHotCat, mHotItem);
}

QString uAdvList::skinPath() const {
    const SkinRef skin = m_model->skin();
    return skin ? skin->SkinPath() : QString();
}

QString uAdvList::imagePath(const tItem& it) const {
    const QString folder = skinPath();
    // Without a working folder there is nothing to show; a bare name would be looked up in
    // whatever folder the program runs in.
    if (folder.isEmpty())
        return QString();
    if (it.ItemKey.endsWith(QLatin1String(".bmp")))
        return folder + it.ItemKey;
    return folder + it.ItemValue.toString();
}

Colour uAdvList::maskColour() const {
    return toInt32Clamped(readNumber(m_model->RetrData(QStringLiteral("MaskColor"))));
}

void uAdvList::browseFile() {
    const int cat = mHotCat;
    const int item = mHotItem;
    const tItem* it = hotItemRecord();
    if (!it)
        return;
    QString folder;
    QString name;
    frmSfoglia::Sfoglia(skinPath(), it->ItemValue.toString(), &folder, &name);
    // The browser is modal, but the list may have been emptied under it all the same.
    if (name.isEmpty() || !validItem(cat, item))
        return;
    // A file that cannot be copied is reported by the model and changes nothing.
    m_model->chooseFile(cat, item, folder, name);
}
