#pragma once

#include "preview/previewoverlay.h"
#include "preview/previewrenderer.h"

#include <QImage>
#include <QPointer>
#include <QWidget>

#include "skin/skindocument.h"

// The sample client window of the open skin, kept current: it renders again on every change of
// the document or of the pending values of an open dialog, and otherwise only paints the render
// it keeps. Hovering an element outlines it and shows its item caption; clicking it selects its
// setting, double-clicking opens the setting's editor (both left to the owner, through the
// signals). The caption buttons answer the pointer as the client's would.
class PreviewPane : public QWidget {
    Q_OBJECT
public:
    explicit PreviewPane(QWidget* parent = nullptr);

    // The document shown (none: an empty pane). The pane does not own it.
    void setDocument(SkinDocument* document);
    SkinDocument* document() const { return m_document; }

    // Values of an open dialog laid over the document's until cleared.
    void setOverlay(const PreviewOverlay& overlay);
    void clearOverlay();
    const PreviewOverlay& overlay() const { return m_overlay; }

    // The elements as last rendered, in the pane's coordinates.
    const PreviewMap& elementMap();
    QString outlinedKey() const { return m_outlined; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

public Q_SLOTS:
    // Outlines every element of the setting `key` (the list's highlighted row); "" for none.
    void outlineKey(const QString& key);

Q_SIGNALS:
    void elementClicked(const QString& key);
    void elementActivated(const QString& key);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void invalidate();
    void ensureRendered();
    void setHovered(const PreviewElement* element);
    // The area an outline of `rect` paints over.
    static QRect outlineArea(const QRect& rect);
    QRegion outlinedRegion() const;

    QPointer<SkinDocument> m_document;
    PreviewRenderer m_renderer;
    PreviewOverlay m_overlay;
    PreviewState m_state;
    QImage m_cache;
    bool m_dirty = true;
    PreviewMap m_map;
    QRect m_hovered;    // the hovered element's rectangle, empty for none
    QString m_outlined; // the key the list highlights
};
