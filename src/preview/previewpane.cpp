#include "preview/previewpane.h"

#include "skin/skindocument.h"

#include <QEvent>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QToolTip>

namespace {

bool isCaptionButton(const QString& key) {
    static const QStringList keys = {QStringLiteral("SysMenu_Min"),   QStringLiteral("SysMenu_Max"),
                                     QStringLiteral("SysMenu_Close"), QStringLiteral("min.bmp"),
                                     QStringLiteral("max.bmp"),       QStringLiteral("norm.bmp"),
                                     QStringLiteral("close.bmp")};
    return keys.contains(key);
}

bool isMaximise(const QString& key) {
    return key == QLatin1String("SysMenu_Max") || key == QLatin1String("max.bmp") ||
           key == QLatin1String("norm.bmp");
}

// Seen on any colour: a light line under a dark dotted one.
void paintOutline(QPainter& p, const QRect& rect, const QColor& dark) {
    const QRect r = rect.adjusted(0, 0, -1, -1);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::white, 1));
    p.drawRect(r);
    p.setPen(QPen(dark, 1, Qt::DotLine));
    p.drawRect(r);
}

} // namespace

PreviewPane::PreviewPane(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("pctAnteprima"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

void PreviewPane::setDocument(SkinDocument* document) {
    if (m_document == document)
        return;
    if (m_document)
        disconnect(m_document, nullptr, this, nullptr);
    m_document = document;
    if (m_document) {
        connect(m_document, &SkinDocument::changed, this, &PreviewPane::invalidate);
        connect(m_document, &QObject::destroyed, this, &PreviewPane::invalidate);
    }
    m_state = {};
    invalidate();
}

void PreviewPane::setOverlay(const PreviewOverlay& overlay) {
    m_overlay = overlay;
    invalidate();
}

void PreviewPane::clearOverlay() {
    if (m_overlay.isEmpty())
        return;
    m_overlay.clear();
    invalidate();
}

const PreviewMap& PreviewPane::elementMap() {
    ensureRendered();
    return m_map;
}

QSize PreviewPane::sizeHint() const {
    return PreviewRenderer::kDefaultSize;
}

QSize PreviewPane::minimumSizeHint() const {
    return PreviewRenderer::kDefaultSize / 2;
}

void PreviewPane::outlineKey(const QString& key) {
    if (key == m_outlined)
        return;
    const QRegion before = outlinedRegion();
    m_outlined = key;
    update(before + outlinedRegion());
}

void PreviewPane::invalidate() {
    m_dirty = true;
    m_hovered = QRect();
    update();
}

void PreviewPane::ensureRendered() {
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = (QSizeF(size()) * ratio).toSize();
    if (!m_dirty && m_cache.size() == pixels && m_cache.devicePixelRatio() == ratio)
        return;
    m_dirty = false;
    m_map.clear();
    if (pixels.isEmpty()) {
        m_cache = QImage();
        return;
    }
    if (m_cache.size() != pixels)
        m_cache = QImage(pixels, QImage::Format_RGB32);
    m_cache.setDevicePixelRatio(ratio);
    if (!m_document) {
        m_cache.fill(palette().color(QPalette::Window));
        return;
    }
    QPainter p(&m_cache);
    m_map = m_renderer.render(p, *m_document, size(), m_overlay, m_state);
}

QRect PreviewPane::outlineArea(const QRect& rect) {
    return rect.adjusted(-1, -1, 1, 1);
}

QRegion PreviewPane::outlinedRegion() const {
    QRegion region;
    if (m_outlined.isEmpty())
        return region;
    for (const PreviewElement& e : m_map) {
        if (e.key == m_outlined)
            region += outlineArea(e.rect);
    }
    return region;
}

void PreviewPane::paintEvent(QPaintEvent* event) {
    ensureRendered();
    QPainter p(this);
    p.setClipRegion(event->region());
    if (m_cache.isNull())
        return;
    p.drawImage(QPoint(0, 0), m_cache);
    for (const PreviewElement& e : m_map) {
        if (!m_outlined.isEmpty() && e.key == m_outlined)
            paintOutline(p, e.rect, Qt::black);
    }
    if (!m_hovered.isEmpty())
        paintOutline(p, m_hovered, palette().color(QPalette::Highlight));
}

void PreviewPane::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    invalidate();
}

void PreviewPane::setHovered(const PreviewElement* element) {
    const QRect now = element ? element->rect : QRect();
    if (now == m_hovered)
        return;
    if (!m_hovered.isEmpty())
        update(outlineArea(m_hovered));
    m_hovered = now;
    if (!m_hovered.isEmpty())
        update(outlineArea(m_hovered));
}

bool PreviewPane::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        ensureRendered();
        if (const PreviewElement* e = previewElementAt(m_map, help->pos()))
            QToolTip::showText(help->globalPos(), e->caption, this, e->rect);
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}

void PreviewPane::mouseMoveEvent(QMouseEvent* event) {
    ensureRendered();
    setHovered(previewElementAt(m_map, event->position().toPoint()));
}

void PreviewPane::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    ensureRendered();
    const QPoint at = event->position().toPoint();
    const PreviewElement* e = previewElementAt(m_map, at);
    if (!e)
        return;
    const QString key = e->key;
    if (isCaptionButton(key)) {
        m_state.pressedAt = at;
        invalidate();
    }
    Q_EMIT elementClicked(key);
}

void PreviewPane::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !m_state.pressedAt)
        return;
    const PreviewElement* pressed = previewElementAt(m_map, *m_state.pressedAt);
    const PreviewElement* released = previewElementAt(m_map, event->position().toPoint());
    if (pressed && released && pressed->rect == released->rect && isMaximise(pressed->key))
        m_state.maximised = !m_state.maximised;
    m_state.pressedAt.reset();
    invalidate();
}

void PreviewPane::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    ensureRendered();
    if (const PreviewElement* e = previewElementAt(m_map, event->position().toPoint()))
        Q_EMIT elementActivated(e->key);
}

void PreviewPane::leaveEvent(QEvent* event) {
    setHovered(nullptr);
    QWidget::leaveEvent(event);
}
