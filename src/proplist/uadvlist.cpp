#include "proplist/uadvlist_p.h"

#include <QScrollBar>

#include <algorithm>

// ---------------------------------------------------------------------------------------------
// Construction

uAdvList::uAdvList(QWidget* parent) : QWidget(parent), m_model(new PropListModel(this)) {
    pctList = new Surface(this);
    // Whoever gives the list the focus (Tab, the host) gives it to the surface.
    setFocusProxy(pctList);
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

    // A new schema or an emptied list leaves no row to highlight, even where the same numbers
    // come back.
    connect(m_model, &PropListModel::itemsCleared, this, [this] { forgetHighlight(); });
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

void uAdvList::paintEvent(QPaintEvent*) {
    if (!pctList->hasFocus())
        return;
    QPainter p(this);
    const QRect frame = pctList->geometry().adjusted(-2, -2, 2, 2);
    outlinedRect(p, frame.left(), frame.top(), frame.right() + 1, frame.bottom() + 1, kHotPen,
                 nullptr);
    outlinedRect(p, frame.left() + 1, frame.top() + 1, frame.right(), frame.bottom(), kHotPen,
                 nullptr);
}

// ---------------------------------------------------------------------------------------------
// Public operations

void uAdvList::Redraw() {
    // A highlighted item whose category was folded in (or which no longer exists) is forgotten;
    // a highlighted category row stays while the category does.
    const bool shown = mHotItem == 0
                           ? mHotCat <= m_model->categoryCount()
                           : validItem(mHotCat, mHotItem) && m_model->category(mHotCat).Expanded;
    if (mHotCat != 0 && !shown) {
        hideEditors();
        mHotCat = 0;
        mHotItem = 0;
        announceHighlight();
    }
    const int height = layoutList();
    if (!mScrolling)
        SetScrollRange(height);
    if (mHotCat != 0)
        ShowEditor(mHotCat, mHotItem);
    pctList->update();
}

void uAdvList::forgetHighlight() {
    HideEditor(mHotCat, mHotItem);
    mHotCat = 0;
    mHotItem = 0;
    m_typed.clear();
    announceHighlight();
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
    return m_layout.hitTest(point);
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
        forgetHighlight();
        return;
    }
    if (hit.item != 0 && hit.icon && m_model->isSwitchable(hit.cat, hit.item)) {
        const bool set = m_model->item(hit.cat, hit.item).IsSet;
        ShowToolTip(set ? tr("ignora voce") : tr("attiva voce"), pos);
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
    if (hit.item != 0 && hit.icon && m_model->isSwitchable(hit.cat, hit.item))
        switchItem(hit.cat, hit.item);
}

// The switch of the icon area, by click or by Ctrl+Space.
void uAdvList::switchItem(int cat, int item) {
    // Its text named the state the item has just left.
    lblToolTip->hide();
    // A failed switch leaves the item as it was; the list tells why once the model returned.
    QString error;
    const bool switched = m_model->toggleItem(cat, item, pctImage, &error);
    HideEditor(mHotCat, mHotItem);
    ShowEditor(mHotCat, mHotItem);
    if (!switched && !error.isEmpty())
        orUnattended(m_prompts).critical(this, error);
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
