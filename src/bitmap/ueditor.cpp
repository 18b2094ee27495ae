#include "bitmap/ueditor.h"

#include "bitmap/picturebox.h"
#include "common/numbers.h"

#include <QMouseEvent>
#include <QPainter>
#include <QQueue>
#include <algorithm>
#include <utility>

uEditor::uEditor(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

uEditor::~uEditor() {
    FreeBrushes();
    m_previewBox = nullptr;
}

void uEditor::SetPreviewBox(PictureBox* Box, Colour MaskC) {
    m_previewBox = Box;
    m_maskColor = MaskC;
}

void uEditor::DrawImage(QImage* DestDC) const {
    if (!DestDC || !m_hasGrid)
        return;
    for (int x = 0; x < m_w; ++x) {
        for (int y = 0; y < m_h; ++y) {
            if (DestDC->valid(x, y))
                DestDC->setPixel(x, y, toQRgb(m_grid[x][y]));
        }
    }
}

void uEditor::Draw() {
    if (!m_hasGrid)
        return;
    m_drawn = true;
    // A control smaller than the picture would give cells of no size; then only the background
    // shows, and painting maps no point to a cell.
    const int divisor = width() > height() ? m_h : m_w;
    const int side = width() > height() ? height() : width();
    m_cell = divisor > 0 ? std::min(side / divisor, 32767) : 0;

    if (m_previewBox) {
        QImage& preview = m_previewBox->picture();
        for (int x = 0; x < m_w; ++x) {
            for (int y = 0; y < m_h; ++y) {
                const Colour c = m_grid[x][y];
                if (preview.valid(x + 1, y + 1))
                    preview.setPixel(x + 1, y + 1, toQRgb(c == m_maskColor ? m_viewColor : c));
            }
        }
        m_previewBox->update();
    }
    update();
}

void uEditor::Init(const ColourArray& Immagine) {
    m_w = std::max<int>(int(Immagine.size()) - 1, 0);
    m_h = Immagine.isEmpty() ? 0 : std::max<int>(int(Immagine.first().size()) - 1, 0);
    m_grid = ColourArray(m_w + 1, QList<Colour>(m_h + 1, kColourNotSet));
    for (int x = 0; x < Immagine.size(); ++x) {
        const QList<Colour>& column = Immagine[x];
        // A ragged array keeps what it has; the rest stays invalid.
        for (int y = 0; y <= m_h && y < column.size(); ++y)
            m_grid[x][y] = column[y];
    }
    m_hasGrid = true;
    m_lineActive = false;
    FreeBrushes();
    // Another picture: undo must never bring back strokes made on the previous one.
    m_loaded = m_grid;
    m_strokeBefore.reset();
    m_undo.clear();
    m_redo.clear();
}

void uEditor::setTool(Tool tool) {
    m_tool = tool;
    if (m_lineActive) {
        m_lineActive = false;
        update();
    }
}

void uEditor::beginStroke() {
    if (!m_strokeBefore)
        m_strokeBefore = m_grid;
}

void uEditor::endStroke() {
    if (!m_strokeBefore)
        return;
    ColourArray before = std::move(*m_strokeBefore);
    m_strokeBefore.reset();
    if (before == m_grid)
        return;
    m_undo.append(std::move(before));
    if (m_undo.size() > kHistoryLimit)
        m_undo.removeFirst();
    m_redo.clear();
}

bool uEditor::undo() {
    endStroke();
    if (m_undo.isEmpty())
        return false;
    m_redo.append(std::exchange(m_grid, m_undo.takeLast()));
    Draw();
    return true;
}

bool uEditor::redo() {
    endStroke();
    if (m_redo.isEmpty())
        return false;
    m_undo.append(std::exchange(m_grid, m_redo.takeLast()));
    Draw();
    return true;
}

Colour uEditor::pixel(int x, int y) const {
    if (!m_hasGrid || x < 0 || y < 0 || x > m_w || y > m_h)
        return kColourNotSet;
    return m_grid[x][y];
}

QPoint uEditor::rawCell(QPointF position) const {
    if (m_cell <= 0)
        return {-1, -1};
    // Integer division truncates toward zero, so a point just left of or above the grid still
    // lands on the first column or row.
    const int x = int(roundHalfEven(position.x()));
    const int y = int(roundHalfEven(position.y()));
    return {x / m_cell, y / m_cell};
}

QPoint uEditor::cellAt(QPointF position) const {
    const QPoint cell = rawCell(position);
    return shown(cell) ? cell : QPoint(-1, -1);
}

QRect uEditor::cellRect(int x, int y) const {
    return {x * m_cell, y * m_cell, m_cell, m_cell};
}

bool uEditor::shown(QPoint cell) const {
    return m_hasGrid && m_cell > 0 && cell.x() >= 0 && cell.y() >= 0 && cell.x() < m_w &&
           cell.y() < m_h;
}

const QBrush& uEditor::GetBrush(Colour c) {
    auto it = m_brushes.find(c);
    if (it == m_brushes.end())
        it = m_brushes.insert(c, QBrush(toQColor(c)));
    return *it;
}

void uEditor::FreeBrushes() {
    m_brushes.clear();
}

Colour uEditor::colourForButtons(int Button) const {
    if (Button == 1)
        return m_leftColor;
    if (Button == 2)
        return m_rightColor;
    return kColourNotSet;
}

void uEditor::PaintCell(int Button, QPointF position) {
    const QPoint cell = cellAt(position);
    if (cell.x() < 0)
        return;
    const Colour c = colourForButtons(Button);
    if (c == kColourNotSet)
        return;
    // Opened here rather than at the press, so that painting resumed after an undo in the
    // middle of a drag is still recorded.
    beginStroke();
    setPixels({cell}, c);
}

void uEditor::setPixels(const QList<QPoint>& cells, Colour c) {
    bool changed = false;
    for (const QPoint& cell : cells) {
        Colour& target = m_grid[cell.x()][cell.y()];
        if (target != c) {
            target = c;
            changed = true;
        }
    }
    if (changed)
        Draw();
}

QList<QPoint> uEditor::lineCells(QPoint from, QPoint to) const {
    QList<QPoint> cells;
    int x = from.x();
    int y = from.y();
    const int dx = std::abs(to.x() - x);
    const int dy = -std::abs(to.y() - y);
    const int sx = x < to.x() ? 1 : -1;
    const int sy = y < to.y() ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        cells << QPoint(x, y);
        if (x == to.x() && y == to.y())
            break;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
    return cells;
}

QList<QPoint> uEditor::fillCells(QPoint from) const {
    const Colour target = m_grid[from.x()][from.y()];
    QList<QPoint> cells;
    QList<bool> seen(m_w * m_h, false);
    QQueue<QPoint> queue;
    queue.enqueue(from);
    seen[from.x() * m_h + from.y()] = true;
    while (!queue.isEmpty()) {
        const QPoint p = queue.dequeue();
        cells << p;
        for (const QPoint step : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
            const QPoint n = p + step;
            if (n.x() < 0 || n.y() < 0 || n.x() >= m_w || n.y() >= m_h)
                continue;
            if (seen[n.x() * m_h + n.y()] || m_grid[n.x()][n.y()] != target)
                continue;
            seen[n.x() * m_h + n.y()] = true;
            queue.enqueue(n);
        }
    }
    return cells;
}

void uEditor::mousePressEvent(QMouseEvent* event) {
    Q_EMIT MouseDown();
    if (!m_hasGrid)
        return;
    // The first button of a gesture: a stroke left open by a release that never came ends
    // here, and does not merge with this one.
    if (event->buttons() == event->button())
        endStroke();
    const int state = buttonStateCode(event->buttons());
    const QPointF position = event->position();
    switch (m_tool) {
    case Tool::Pencil:
        PaintCell(state, position);
        break;
    case Tool::Line: {
        const QPoint cell = cellAt(position);
        const Colour c = colourForButtons(state);
        // A second button pressed during a line drops it.
        const bool wasActive = m_lineActive;
        m_lineActive = cell.x() >= 0 && c != kColourNotSet && !wasActive;
        if (m_lineActive) {
            m_lineStart = m_lineEnd = cell;
            m_lineColour = c;
        }
        update();
        break;
    }
    case Tool::Fill: {
        const QPoint cell = cellAt(position);
        const Colour c = colourForButtons(state);
        if (cell.x() >= 0 && c != kColourNotSet) {
            beginStroke();
            setPixels(fillCells(cell), c);
            endStroke();
        }
        break;
    }
    case Tool::Eyedropper: {
        const QPoint cell = cellAt(position);
        if (cell.x() < 0 || (state != 1 && state != 2))
            break;
        const Colour c = m_grid[cell.x()][cell.y()];
        if (c == kColourNotSet)
            break; // the invalid colour would leave the button painting nothing
        if (state == 1)
            m_leftColor = c;
        else
            m_rightColor = c;
        Q_EMIT ColorChange();
        break;
    }
    }
}

void uEditor::mouseMoveEvent(QMouseEvent* event) {
    if (!m_hasGrid)
        return;
    if (m_tool == Tool::Pencil) {
        PaintCell(buttonStateCode(event->buttons()), event->position());
    } else if (m_tool == Tool::Line && m_lineActive) {
        // The end follows the pointer and stays on the grid when the pointer leaves it.
        const QPoint raw = rawCell(event->position());
        const QPoint end(std::clamp(raw.x(), 0, m_w - 1), std::clamp(raw.y(), 0, m_h - 1));
        if (end != m_lineEnd) {
            m_lineEnd = end;
            update();
        }
    }
}

void uEditor::mouseReleaseEvent(QMouseEvent* event) {
    if (event->buttons() != Qt::NoButton)
        return;
    if (m_tool == Tool::Line && m_lineActive) {
        m_lineActive = false;
        beginStroke();
        setPixels(lineCells(m_lineStart, m_lineEnd), m_lineColour);
        update();
    }
    endStroke();
}

void uEditor::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (!m_drawn) {
        p.fillRect(rect(), palette().window());
        return;
    }
    p.fillRect(rect(), toQColor(kBackground));
    if (m_cell <= 0)
        return;
    for (int x = 0; x < m_w; ++x)
        for (int y = 0; y < m_h; ++y)
            p.fillRect(cellRect(x, y), GetBrush(m_grid[x][y]));
    if (m_lineActive) {
        for (const QPoint& cell : lineCells(m_lineStart, m_lineEnd))
            p.fillRect(cellRect(cell.x(), cell.y()), GetBrush(m_lineColour));
    }
    // Grid lines one pixel wide, each leaving out its end point.
    const QColor pen = toQColor(kGridPen);
    for (int gx = 0; gx <= m_w; ++gx)
        p.fillRect(gx * m_cell, 0, 1, m_h * m_cell, pen);
    for (int gy = 0; gy <= m_h; ++gy)
        p.fillRect(0, gy * m_cell, m_w * m_cell, 1, pen);
}
