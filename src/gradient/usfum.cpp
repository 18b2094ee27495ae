#include "usfum.h"

#include "common/numbers.h"
#include "gradient/ucolorsel.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <functional>

namespace {

constexpr int kMarkerSize = 14;
constexpr int kMargin = 14;     // room for the end markers before and after the bar
constexpr int kBarInset = 5;    // the bar's distance from the control's other edge
constexpr int kCreateDepth = 5; // how far into the bar an end marker must go to make a stop

constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kDarkGrey = 0xFF7F7F7F;
constexpr QRgb kFillDeSel = 0xFFCCCCCC;
constexpr QRgb kFillSel = 0xFF878787;

} // namespace

namespace SfumPointer {

int markerStart(int i, int n, int B, int posizioneAss) {
    if (i == 1)
        return B + posizioneAss - kMarkerSize;
    if (i == n)
        return B + posizioneAss;
    return B + posizioneAss - kMarkerSize / 2;
}

int wouldBeStart(double c, int B, int grabOffset) {
    return toInt32Clamped(c - B + kMargin - grabOffset);
}

float percentAt(int z, int B, int L) {
    return float(double(z - B) * 100.0 / double(L));
}

Action actionFor(int d, int n, int z, int B, int L) {
    if (d == 1)
        return z >= B + kCreateDepth ? Action::CreateAfterFirst : Action::Nothing;
    if (d == n)
        return z <= B + L - kCreateDepth ? Action::CreateBeforeLast : Action::Nothing;
    // An inner marker merges into the first stop only once its centre leaves the bar, but into
    // the last one as soon as it comes within 5 pixels of the bar's end.
    if (z < B)
        return Action::MergeIntoFirst;
    if (z > B + L - kCreateDepth)
        return Action::MergeIntoLast;
    if (z < B + kCreateDepth)
        return Action::Nothing;
    return Action::Move;
}

} // namespace SfumPointer

namespace sfum_detail {

// The picture area the gradient is drawn on; what is drawn stays until it is drawn over.
class Bar : public QWidget {
public:
    explicit Bar(QWidget* parent) : QWidget(parent) {
        m_picture = QImage(1, 1, QImage::Format_RGB32);
        m_picture.fill(Qt::white);
    }
    QImage& picture() { return m_picture; }
    const QImage& picture() const { return m_picture; }
    std::function<void(QPoint)> onDoubleClick;

    // Follows the bar's size at once (a hidden widget gets its resize event only when shown),
    // keeping what was drawn where it still fits.
    void fitPicture() {
        if (width() <= 0 || height() <= 0 || m_picture.size() == size())
            return;
        QImage resized(size(), QImage::Format_RGB32);
        resized.fill(Qt::white);
        QPainter painter(&resized);
        painter.drawImage(0, 0, m_picture);
        painter.end();
        m_picture = resized;
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.drawImage(0, 0, m_picture);
    }
    void mouseDoubleClickEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton && onDoubleClick)
            onDoubleClick(event->position().toPoint());
    }

private:
    QImage m_picture;
};

// One marker element: shows its picture and hands the pointer to the control.
class Marker : public QWidget {
public:
    Marker(uSfum* owner, int index) : QWidget(owner), m_owner(owner), m_index(index) {
        setObjectName(QStringLiteral("imgFreccia") + QString::number(index));
        setAttribute(Qt::WA_TranslucentBackground);
        resize(kMarkerSize, kMarkerSize);
    }
    int index() const { return m_index; }
    const QImage& picture() const { return m_picture; }
    void setPicture(const QImage& picture) {
        if (picture == m_picture)
            return;
        m_picture = picture;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.drawImage(0, 0, m_picture);
    }
    void mousePressEvent(QMouseEvent* event) override {
        m_owner->imgFreccia_MouseDown(m_index, event->button(), event->position());
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        m_owner->imgFreccia_MouseMove(m_index, event->buttons(), event->globalPosition());
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        m_owner->imgFreccia_MouseUp(m_index, event->button());
    }

private:
    uSfum* m_owner;
    int m_index;
    QImage m_picture;
};

} // namespace sfum_detail

using sfum_detail::Bar;
using sfum_detail::Marker;

QImage uSfum::markerImage(Shape shape, bool selected) {
    QImage image(kMarkerSize, kMarkerSize, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    const QRgb fill = selected ? kFillSel : kFillDeSel;
    auto set = [&image](int x, int y, QRgb c) {
        image.setPixel(x, y, c);
    };
    switch (shape) {
    case Shape::H:
        // Pointing up: apex, five widening rows lit from the right, dark base.
        set(7, 4, kWhite);
        for (int y = 5; y <= 9; ++y) {
            const int half = y - 4;
            set(7 - half, y, kDarkGrey);
            for (int x = 7 - half + 1; x < 7 + half; ++x)
                set(x, y, fill);
            set(7 + half, y, kWhite);
        }
        for (int x = 1; x <= 13; ++x)
            set(x, 10, kDarkGrey);
        break;
    case Shape::V:
        // Pointing left: white upper slope, dark lower slope, dark base on the right.
        set(4, 6, kWhite);
        for (int x = 5; x <= 9; ++x)
            set(x, 6, fill);
        for (int y = 1; y <= 5; ++y) {
            set(10 - y, y, kWhite);
            for (int x = 11 - y; x <= 9; ++x)
                set(x, y, fill);
        }
        for (int y = 7; y <= 11; ++y) {
            set(y - 2, y, kDarkGrey);
            for (int x = y - 1; x <= 9; ++x)
                set(x, y, fill);
        }
        for (int y = 0; y <= 12; ++y)
            set(10, y, kDarkGrey);
        break;
    case Shape::Q:
        for (int y = 4; y <= 9; ++y)
            for (int x = 4; x <= 9; ++x)
                set(x, y, fill);
        for (int i = 3; i <= 9; ++i) {
            set(i, 3, kWhite);
            set(3, i, kWhite);
        }
        for (int i = 3; i <= 10; ++i) {
            set(10, i, kDarkGrey);
            set(i, 10, kDarkGrey);
        }
        break;
    }
    return image;
}

std::shared_ptr<cSfum> uSfum::defaultModel() {
    auto model = std::make_shared<cSfum>();
    model->AggiungiColore(0xFFFFFF, 0, 0);
    model->AggiungiColore(0xFFFFFF, 100, 0);
    return model;
}

uSfum::uSfum(QWidget* parent) : QWidget(parent), m_model(defaultModel()) {
    m_bar = new Bar(this);
    m_bar->setObjectName(QStringLiteral("pctSfum"));
    m_bar->onDoubleClick = [this](QPoint p) {
        if (m_enabled)
            InsertColorAt(horizontal() ? p.x() : p.y());
    };
    // Tab reaches the stops too: the arrow keys select them and Delete removes one.
    setFocusPolicy(Qt::StrongFocus);
    for (int i = 0; i <= 2; ++i)
        ensureMarker(i);
    const QImage square = markerImage(Shape::Q, false);
    m_markers[0]->hide();
    m_markers[1]->setPicture(square);
    m_markers[2]->setPicture(square);
    resize(256, 41);
    layoutControl();
}

uSfum::~uSfum() {
    endDrag();
    QObject::disconnect(m_selectorConnection);
}

void uSfum::SetcSfum(const std::shared_ptr<cSfum>& pSfum) {
    if (!pSfum)
        return;
    if (m_model)
        m_model->Reset();
    m_model = pSfum;
    // Markers of a larger model held before would otherwise stay on screen for stops that do
    // not exist.
    removeMarkersAbove(qMax<int>(2, m_model->NColori()));
    DisegnaBarra(false);
}

void uSfum::SetEnabled(bool value) {
    m_enabled = value;
    for (int i = 1; i < m_markers.size(); ++i)
        m_markers[i]->setEnabled(value);
    m_bar->setEnabled(value);
}

void uSfum::LiberaColorSel() {
    if (!m_colorSelector)
        return;
    m_colorSelector->SetEnabled(true);
    QObject::disconnect(m_selectorConnection);
    m_colorSelector = nullptr;
}

void uSfum::setColorSelector(uColorSel* selector) {
    QObject::disconnect(m_selectorConnection);
    m_colorSelector = selector;
    if (!selector)
        return;
    m_selectorConnection =
        connect(selector, &uColorSel::ColorChange, this, &uSfum::mColorSelector_ColorChange);
    selector->SetEnabled(false);
}

void uSfum::setOrientation(qint32 value) {
    resize(height(), width());
    m_orientation = value;
    layoutControl();
}

void uSfum::ReadProperties(bool enabled, qint16 nSfumature, qint32 orientation) {
    SetEnabled(enabled);
    m_nSfumature = nSfumature;
    m_orientation = orientation;
    layoutControl();
}

qint16 uSfum::NColori() const {
    return m_model->NColori();
}

qint32 uSfum::Posizione(qint16 Index) const {
    return toInt32Clamped(double(m_model->Posizione(Index)));
}

Colour uSfum::Colore(qint16 Index) const {
    return m_model->Colore(Index);
}

void uSfum::setColore(qint16 Index, Colour value) {
    m_model->setColore(Index, value);
    DisegnaBarra(true);
}

Colour uSfum::Sfumatura(qint16 Index) {
    if (m_model->NSfumature() != m_nSfumature)
        m_model->setNSfumature(m_nSfumature);
    return m_model->Sfumatura(Index);
}

void uSfum::ResetColors() {
    m_model = defaultModel();
    removeMarkersAbove(2);
    DisegnaBarra(false);
}

void uSfum::AddColor(Colour Colore) {
    const qint16 n = m_model->NColori();
    const float p = m_model->Posizione(n - 1);
    m_model->setPosizione(n, (100 - p) / 2 + p);
    if (m_model->AggiungiColore(Colore, 100, 0) == cSfum::AddResult::BarFull && !tellBarFull())
        return;
    DisegnaBarra(false);
}

void uSfum::RemoveColor(qint16 Index) {
    if (m_model->NColori() <= 2)
        return;
    m_model->TogliColore(Index);
    removeMarkersAbove(m_model->NColori());
    DisegnaBarra(false);
}

void uSfum::RemoveSelectedColor() {
    RemoveColor(m_selected);
    // Removing the last stop would leave the selection past the stops, where the selector's
    // changes would land nowhere: it moves to the new last stop.
    if (m_selected > m_model->NColori()) {
        m_selected = m_model->NColori();
        PosizionaFrecce();
    }
}

QRect uSfum::barRect() const {
    return m_bar->geometry();
}

int uSfum::barLength() const {
    return horizontal() ? m_bar->width() : m_bar->height();
}

QWidget* uSfum::imgFreccia(int i) const {
    return i >= 0 && i < m_markers.size() ? m_markers[i] : nullptr;
}

QImage uSfum::barPicture() const {
    return m_bar->picture();
}

QImage uSfum::markerPicture(int i) const {
    return i >= 0 && i < m_markers.size() ? m_markers[i]->picture() : QImage();
}

void uSfum::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutControl();
}

void uSfum::layoutControl() {
    const int top = horizontal() ? kBarInset : kMargin;
    const int left = horizontal() ? kMargin : kBarInset;
    const int barHeight = height() - top - kMargin;
    const int barWidth = width() - left - kMargin;
    // A size that leaves no room for the bar keeps the bar's previous size.
    const QSize size(barWidth >= 0 ? barWidth : m_bar->width(),
                     barHeight >= 0 ? barHeight : m_bar->height());
    m_bar->setGeometry(QRect(QPoint(left, top), size));
    m_bar->fitPicture();
    // The width in both orientations; PosizionaFrecce corrects it for a vertical bar.
    if (m_model->NSfumature() != m_bar->width())
        m_model->setNSfumature(qint16(qMin(m_bar->width(), 32767)));
    PosizionaFrecce();
}

void uSfum::fitModelToBar() {
    const int L = barLength();
    if (m_model->NSfumature() != L)
        m_model->setNSfumature(qint16(qMin(L, 32767)));
}

void uSfum::DisegnaBarra(bool SenzaFrecce) {
    fitModelToBar();
    const int L = barLength();
    QImage& picture = m_bar->picture();
    {
        QPainter painter(&picture);
        PainterGradientTarget target(&painter);
        for (int f = 0; f < L; ++f) {
            target.setForeColor(m_model->Sfumatura(qint16(f + 1)));
            if (horizontal()) {
                target.moveTo(f, 0);
                target.lineTo(f, m_bar->height());
            } else {
                target.moveTo(0, f);
                target.lineTo(m_bar->width(), f);
            }
        }
    }
    m_bar->update();
    if (!SenzaFrecce)
        PosizionaFrecce();
}

void uSfum::PosizionaFrecce() {
    m_markers[0]->setPicture(markerImage(horizontal() ? Shape::H : Shape::V, false));
    fitModelToBar();
    const int n = m_model->NColori();
    const int B = along(m_bar->pos());
    const int cross = horizontal() ? m_bar->y() + m_bar->height() : m_bar->x() + m_bar->width();
    for (int i = 1; i <= n; ++i) {
        ensureMarker(i);
        Marker* marker = m_markers[i];
        setCross(marker, cross);
        setAlong(marker, SfumPointer::markerStart(i, n, B, m_model->PosizioneAss(qint16(i))));
        marker->setVisible(true);
        marker->setToolTip(tr("Colore %1").arg(i));
        const bool selected = i == m_selected;
        const Shape shape = (i == 1 || i == n) ? Shape::Q : horizontal() ? Shape::H : Shape::V;
        marker->setPicture(markerImage(shape, selected));
    }
    if (m_colorSelector)
        m_colorSelector->SetEnabled(m_selected != 0);
    Q_EMIT Change();
}

void uSfum::ensureMarker(int i) {
    while (m_markers.size() <= i) {
        auto* marker = new Marker(this, int(m_markers.size()));
        marker->setEnabled(m_markers.isEmpty() || m_enabled);
        marker->hide();
        m_markers.append(marker);
    }
}

void uSfum::removeMarkersAbove(int count) {
    count = qMax(count, 2);
    while (m_markers.size() > count + 1) {
        Marker* marker = m_markers.takeLast();
        marker->hide();
        marker->deleteLater();
    }
}

void uSfum::setAlong(QWidget* w, int value) {
    if (horizontal())
        w->move(value, w->y());
    else
        w->move(w->x(), value);
}

void uSfum::setCross(QWidget* w, int value) {
    if (horizontal())
        w->move(w->x(), value);
    else
        w->move(value, w->y());
}

void uSfum::imgFreccia_MouseDown(int Index, Qt::MouseButton button, const QPointF& localPos) {
    if (Index < 1 || Index >= m_markers.size())
        return;
    Marker* marker = m_markers[Index];
    m_grabOffset = toInt32Clamped(horizontal() ? localPos.x() : localPos.y());
    setCross(m_markers[0], horizontal() ? marker->y() : marker->x());
    m_dragged = qint16(Index);
    m_selected = qint16(Index);
    const QImage arrow = markerImage(horizontal() ? Shape::H : Shape::V, false);
    for (int i = 2; i <= m_markers.size() - 2; ++i)
        m_markers[i]->setPicture(arrow);
    m_pressedMarker = Index;
    // The pressed marker is hidden while it is dragged, which would end Qt's implicit grab;
    // the control takes the pointer for the whole drag instead.
    grabMouse();
}

void uSfum::imgFreccia_MouseMove(int Index, Qt::MouseButtons buttons, const QPointF& globalPos) {
    if (buttons != Qt::LeftButton || m_pressedMarker < 0 || m_dragged < 1)
        return;
    const int B = along(m_bar->pos());
    const int L = barLength();
    if (L <= 0)
        return;
    const qint16 n = m_model->NColori();
    const qint16 d = m_dragged;
    const QPointF local = mapFromGlobal(globalPos);
    const double c = horizontal() ? local.x() : local.y();
    const int m = SfumPointer::wouldBeStart(c, B, m_grabOffset);
    const int z = m + kMarkerSize / 2;
    const float p = SfumPointer::percentAt(z, B, L);
    Marker* ghost = m_markers[0];

    switch (SfumPointer::actionFor(d, n, z, B, L)) {
    case SfumPointer::Action::Nothing:
        return;
    case SfumPointer::Action::CreateAfterFirst:
        if (!addStop(m_model->Colore(1), p, 2))
            return;
        m_selected = 2;
        PosizionaFrecce();
        m_dragged = 2;
        return;
    case SfumPointer::Action::CreateBeforeLast:
        if (!addStop(m_model->Colore(n), p, n))
            return;
        m_selected = n;
        PosizionaFrecce();
        m_dragged = n;
        return;
    case SfumPointer::Action::MergeIntoFirst:
        mergeIntoEnd(d, true);
        return;
    case SfumPointer::Action::MergeIntoLast:
        mergeIntoEnd(d, false);
        return;
    case SfumPointer::Action::Move:
        break;
    }

    ghost->show();
    ghost->raise();
    m_markers[d]->hide();
    setAlong(ghost, m);
    m_model->setPosizione(d, p);
    // Keep the stops in order: passing a neighbour exchanges the two stops, each keeping its
    // place in the list, with whole-number positions.
    const auto swapWith = [&](qint16 other) {
        const float a = float(roundHalfEven(m_model->Posizione(d)));
        const float b = float(roundHalfEven(m_model->Posizione(other)));
        const Colour draggedColour = m_model->Colore(d);
        m_model->setColore(d, m_model->Colore(other));
        m_model->setColore(other, draggedColour);
        m_model->setPosizione(d, b);
        m_model->setPosizione(other, a);
        setAlong(m_markers[d], along(m_markers[other]->pos()));
        m_markers[other]->hide();
        m_markers[d]->show();
        m_dragged = other;
    };
    if (m_model->Posizione(d) < m_model->Posizione(d - 1))
        swapWith(qint16(d - 1));
    else if (m_model->Posizione(d) > m_model->Posizione(d + 1))
        swapWith(qint16(d + 1));
    DisegnaBarra(true);
    Q_EMIT Change();
}

void uSfum::mergeIntoEnd(qint16 d, bool first) {
    const qint16 n = m_model->NColori();
    m_model->setColore(first ? 1 : n, m_model->Colore(d));
    removeMarkersAbove(n - 1);
    m_model->TogliColore(d);
    m_selected = m_dragged = first ? 1 : m_model->NColori();
    m_markers[0]->hide();
    DisegnaBarra(false);
}

void uSfum::selectStop(qint16 i) {
    m_selected = i;
    if (m_colorSelector && i >= 1 && i <= m_model->NColori())
        m_colorSelector->SetInitialColor(m_model->Colore(i));
    PosizionaFrecce();
}

void uSfum::MoveColor(qint16 Index, float Posizione) {
    const qint16 n = m_model->NColori();
    if (Index <= 1 || Index >= n)
        return;
    const float p = qBound(m_model->Posizione(Index - 1), Posizione, m_model->Posizione(Index + 1));
    if (p <= m_model->Posizione(1) || p >= m_model->Posizione(n)) {
        mergeIntoEnd(Index, p <= m_model->Posizione(1));
        selectStop(m_selected); // the end that took the colour
        return;
    }
    m_model->setPosizione(Index, p);
    DisegnaBarra(false);
}

void uSfum::InsertColorAt(int offset) {
    const int B = along(m_bar->pos());
    const int L = barLength();
    const int z = B + offset;
    // An inner stop exists only where dragging one could put it.
    if (L <= 0 || SfumPointer::actionFor(2, 3, z, B, L) != SfumPointer::Action::Move)
        return;
    fitModelToBar();
    const Colour colour = m_model->Sfumatura(qint16(offset + 1));
    const float p = SfumPointer::percentAt(z, B, L);
    const qint16 n = m_model->NColori();
    qint16 index = n;
    for (qint16 i = 2; i < n; ++i) {
        if (m_model->Posizione(i) > p) {
            index = i;
            break;
        }
    }
    if (!addStop(colour, p, index) || m_model->NColori() == n)
        return;
    DisegnaBarra(true);
    selectStop(index);
}

void uSfum::RemoveSelectedInnerColor() {
    const qint16 n = m_model->NColori();
    if (m_selected <= 1 || m_selected >= n)
        return;
    RemoveColor(m_selected);
    selectStop(m_selected);
}

void uSfum::ReverseColors() {
    const qint16 n = m_model->NColori();
    QList<Colour> colours;
    QList<float> positions;
    for (qint16 i = 1; i <= n; ++i) {
        colours << m_model->Colore(i);
        positions << m_model->Posizione(i);
    }
    const float ends = positions.first() + positions.last();
    for (qint16 i = 1; i <= n; ++i) {
        m_model->setColore(i, colours[n - i]);
        m_model->setPosizione(i, ends - positions[n - i]);
    }
    if (m_selected >= 1 && m_selected <= n)
        m_selected = qint16(n + 1 - m_selected);
    DisegnaBarra(false);
}

void uSfum::SpreadColors() {
    const qint16 n = m_model->NColori();
    const float first = m_model->Posizione(1);
    const float last = m_model->Posizione(n);
    for (qint16 i = 2; i < n; ++i)
        m_model->setPosizione(i, first + (last - first) * float(i - 1) / float(n - 1));
    DisegnaBarra(false);
}

void uSfum::keyPressEvent(QKeyEvent* event) {
    const qint16 n = m_model->NColori();
    const bool back = event->key() == (horizontal() ? Qt::Key_Left : Qt::Key_Up);
    const bool forward = event->key() == (horizontal() ? Qt::Key_Right : Qt::Key_Down);
    if (!m_enabled || m_pressedMarker >= 0) {
        QWidget::keyPressEvent(event);
    } else if (event->key() == Qt::Key_Delete) {
        RemoveSelectedInnerColor();
    } else if (back || forward) {
        const int step = back ? -1 : 1;
        const int from = m_selected >= 1 ? m_selected : (back ? n + 1 : 0);
        selectStop(qint16(qBound(1, from + step, int(n))));
    } else {
        QWidget::keyPressEvent(event);
    }
}

void uSfum::paintEvent(QPaintEvent*) {
    if (!hasFocus())
        return;
    QPainter painter(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.rect = m_bar->geometry().adjusted(-2, -2, 2, 2);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
}

void uSfum::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update();
}

void uSfum::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
}

void uSfum::imgFreccia_MouseUp(int Index, Qt::MouseButton button) {
    if (m_pressedMarker < 0)
        return;
    endDrag();
    m_markers[0]->hide();
    if (m_dragged >= 1 && m_dragged < m_markers.size())
        m_markers[m_dragged]->show();
    m_selected = m_dragged;
    if (m_colorSelector)
        m_colorSelector->SetInitialColor(m_model->Colore(m_selected));
    PosizionaFrecce();
}

void uSfum::endDrag() {
    m_pressedMarker = -1;
    if (QWidget::mouseGrabber() == this)
        releaseMouse();
}

bool uSfum::addStop(Colour colour, float position, qint16 index) {
    releasePointerIfFull();
    if (m_model->AggiungiColore(colour, position, index) == cSfum::AddResult::BarFull)
        return tellBarFull();
    return true;
}

bool uSfum::tellBarFull() {
    // The message runs an event loop of its own, in which the main window may close the dialog
    // holding this control.
    return askFrom(this, [this] { orUnattended(m_prompts).critical(this, cSfum::barFullText()); });
}

void uSfum::releasePointerIfFull() {
    // The model is about to refuse the new stop with a message box, which could not be clicked
    // while this control holds the pointer: the drag ends here.
    if (m_model->NColori() >= m_model->NSfumature())
        endDrag();
}

void uSfum::mouseMoveEvent(QMouseEvent* event) {
    if (m_pressedMarker >= 0)
        imgFreccia_MouseMove(m_pressedMarker, event->buttons(), event->globalPosition());
}

void uSfum::mouseReleaseEvent(QMouseEvent* event) {
    if (m_pressedMarker >= 0)
        imgFreccia_MouseUp(m_pressedMarker, event->button());
}

void uSfum::mColorSelector_ColorChange(Colour NewColor) {
    setColore(m_selected, NewColor);
}
