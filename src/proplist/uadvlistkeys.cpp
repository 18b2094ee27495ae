#include "proplist/uadvlist_p.h"

#include <QScrollBar>

#include <algorithm>

// Keyboard input: the one highlight moved over the rows, folding, the editors' actions, the
// type-ahead, and the selection of an item by key for the host.

namespace {

// Letters typed within this time of the previous one extend the text looked for.
constexpr qint64 kTypeAheadMs = 1000;

} // namespace

QList<uAdvList::Row> uAdvList::shownRows() const {
    QList<Row> rows;
    for (int c = 1; c <= m_model->categoryCount(); ++c) {
        rows.append({c, 0});
        if (!m_model->category(c).Expanded)
            continue;
        for (int i = 1; i <= m_model->itemCount(c); ++i)
            rows.append({c, i});
    }
    return rows;
}

QRect uAdvList::rowArea(Row row) const {
    return row.item == 0 ? m_layout.categoryRow(row.cat) : m_layout.itemRow(row.cat, row.item);
}

QString uAdvList::rowCaption(Row row) const {
    return row.item == 0 ? m_model->category(row.cat).Caption
                         : m_model->item(row.cat, row.item).Caption;
}

void uAdvList::highlightRow(Row row) {
    // The rows may move from under a tooltip, which would then describe the wrong one.
    lblToolTip->hide();
    if (row != Row{mHotCat, mHotItem}) {
        HideEditor(mHotCat, mHotItem);
        ShowEditor(row.cat, row.item);
        // A category row has no editor whose showing would repaint it.
        if (row.item == 0)
            pctList->update(rowArea(row));
    }
    scrollIntoView(row);
}

// Scrolls by the scroll bar's own steps, as the wheel does, just far enough to show the whole
// row; a row taller than the surface shows its top.
void uAdvList::scrollIntoView(Row row) {
    const QRect area = rowArea(row);
    if (row.cat == 0 || area.isEmpty() || !Scroller->isEnabled())
        return;
    // The last line of a row's area is the next row's first.
    const int top = area.top() - mOffset;
    const int bottom = area.bottom() - 1 - mOffset;
    const int h = pctList->height();
    int value = Scroller->value();
    if (area.top() < 0)
        value = top / kScrollStep;
    else if (area.bottom() - 1 >= h)
        value = std::min((bottom - h + 1 + kScrollStep - 1) / kScrollStep, top / kScrollStep);
    Scroller->setValue(value);
}

void uAdvList::setFolded(int cat, bool folded) {
    m_model->setExpanded(cat, !folded);
    Redraw();
    scrollIntoView({mHotCat, mHotItem});
}

void uAdvList::activateHot() {
    if (mHotCat == 0)
        return;
    // A category row does what a click on it does.
    if (mHotItem == 0) {
        setFolded(mHotCat, m_model->category(mHotCat).Expanded);
        return;
    }
    // An item does what a click on its editor does; an item that is not set shows none.
    if (!chkBool->isHidden()) {
        chkBool->click();
        return;
    }
    for (QWidget* editor : {static_cast<QWidget*>(pctColor), static_cast<QWidget*>(cmdMore),
                            static_cast<QWidget*>(imgImage), static_cast<QWidget*>(imgMask[0])}) {
        if (!editor->isHidden()) {
            editorClicked(editor);
            return;
        }
    }
}

bool uAdvList::typeAhead(const QString& text) {
    if (!m_typedAt.isValid() || m_typedAt.elapsed() > kTypeAheadMs)
        m_typed.clear();
    m_typedAt.start();
    m_typed += text;
    const QList<Row> rows = shownRows();
    const int current = int(rows.indexOf(Row{mHotCat, mHotItem}));
    const auto find = [&](const QString& prefix, int from) {
        for (int k = 0; k < rows.size(); ++k) {
            const int i = int((from + k) % rows.size());
            if (rowCaption(rows[i]).trimmed().startsWith(prefix, Qt::CaseInsensitive))
                return i;
        }
        return -1;
    };
    // A first letter moves on from the highlighted row; more letters refine what it found.
    int found = find(m_typed, m_typed.size() == 1 ? current + 1 : std::max(current, 0));
    // One letter typed again and again steps through the rows it begins.
    if (found < 0 && m_typed.count(m_typed.front()) == m_typed.size())
        found = find(m_typed.left(1), current + 1);
    if (found >= 0)
        highlightRow(rows[found]);
    return true;
}

bool uAdvList::surfaceKey(QKeyEvent* event) {
    // The keypad and a second keyboard group (AltGr) do not change what a key means here.
    const Qt::KeyboardModifiers mods =
        event->modifiers() & ~(Qt::KeypadModifier | Qt::GroupSwitchModifier);
    const int key = event->key();
    if (key == Qt::Key_Space && mods == Qt::ControlModifier) {
        if (validItem(mHotCat, mHotItem) && m_model->isSwitchable(mHotCat, mHotItem))
            switchItem(mHotCat, mHotItem);
        return true;
    }
    // Letters, digits and signs look for a caption; blanks and control characters do not.
    const QString text = event->text();
    const bool typed = !text.isEmpty() && text.front().isPrint() && !text.front().isSpace();
    if (mods != Qt::NoModifier)
        return mods == Qt::ShiftModifier && typed && typeAhead(text);

    const QList<Row> rows = shownRows();
    const int current = int(rows.indexOf(Row{mHotCat, mHotItem}));
    const int last = int(rows.size()) - 1;
    const int h = pctList->height();
    int target = -1;
    switch (key) {
    case Qt::Key_Up:
        target = std::max(current - 1, 0);
        break;
    case Qt::Key_Down:
        target = std::min(current + 1, last);
        break;
    case Qt::Key_Home:
        target = 0;
        break;
    case Qt::Key_End:
        target = last;
        break;
    case Qt::Key_PageDown:
        // The last row that would still show whole with the highlighted one at the top.
        target = std::max(current, 0);
        if (current >= 0) {
            const int limit = rowArea(rows[current]).top() + h;
            while (target < last && rowArea(rows[target + 1]).bottom() - 1 < limit)
                ++target;
            target = std::min(std::max(target, current + 1), last);
        }
        break;
    case Qt::Key_PageUp:
        target = std::max(current, 0);
        if (current > 0) {
            const int limit = rowArea(rows[current]).bottom() - 1 - h;
            while (target > 0 && rowArea(rows[target - 1]).top() > limit)
                --target;
            target = std::min(target, current - 1);
        }
        break;
    case Qt::Key_Right:
        if (mHotCat != 0 && mHotItem == 0) {
            if (!m_model->category(mHotCat).Expanded)
                setFolded(mHotCat, false);
            else if (m_model->itemCount(mHotCat) > 0)
                highlightRow({mHotCat, 1});
        }
        return true;
    case Qt::Key_Left:
        if (mHotItem != 0)
            highlightRow({mHotCat, 0});
        else if (mHotCat != 0 && m_model->category(mHotCat).Expanded)
            setFolded(mHotCat, true);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        activateHot();
        return true;
    default:
        return typed && typeAhead(text);
    }
    if (target >= 0 && target <= last)
        highlightRow(rows[target]);
    return true;
}

void uAdvList::selectKey(const QString& key) {
    int cat = 0;
    int item = 0;
    if (!m_model->findItem(key, &cat, &item))
        return;
    if (!m_model->category(cat).Expanded)
        setFolded(cat, false);
    highlightRow({cat, item});
}

void uAdvList::activateKey(const QString& key) {
    selectKey(key);
    const tItem* it = hotItemRecord();
    if (it && it->ItemKey == key)
        activateHot();
}

void uAdvList::announceHighlight() {
    const tItem* it = hotItemRecord();
    const QString key = it ? it->ItemKey : QString();
    if (key == m_announced)
        return;
    m_announced = key;
    Q_EMIT highlightChanged(key);
}
