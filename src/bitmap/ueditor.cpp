#include "bitmap/ueditor.h"

#include "bitmap/picturebox.h"
#include "common/numbers.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QQueue>
#include <algorithm>
#include <utility>

uEditor::uEditor(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Reached with Tab and by a click, so that the arrow keys reach it.
    setFocusPolicy(Qt::StrongFocus);
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
    computeCell();

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
    Q_EMIT Drawn();
}

void uEditor::computeCell() {
    // A control smaller than the picture would give cells of no size; then only the background
    // shows, and painting maps no point to a cell.
    if (!m_centred) {
        const int divisor = width() > height() ? m_h : m_w;
        const int side = width() > height() ? height() : width();
        m_cell = divisor > 0 ? std::min(side / divisor, 32767) : 0;
        m_origin = QPoint();
        return;
    }
    // One pixel more than the cells on each axis: the closing line.
    const int across = m_w > 0 ? (width() - 1) / m_w : 0;
    const int down = m_h > 0 ? (height() - 1) / m_h : 0;
    m_cell = std::clamp(std::min(across, down), 0, 32767);
    m_origin = m_cell > 0
                   ? QPoint((width() - m_w * m_cell - 1) / 2, (height() - m_h * m_cell - 1) / 2)
                   : QPoint();
}

void uEditor::setCentredGrid(bool on) {
    m_centred = on;
    if (m_hasGrid) {
        computeCell();
        update();
    }
}

void uEditor::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (m_centred && m_hasGrid) {
        computeCell();
        update();
    }
}

void uEditor::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update();
}

void uEditor::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
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
    const int x = int(roundHalfEven(position.x())) - m_origin.x();
    const int y = int(roundHalfEven(position.y())) - m_origin.y();
    return {x / m_cell, y / m_cell};
}

QPoint uEditor::cellAt(QPointF position) const {
    const QPoint cell = rawCell(position);
    return shown(cell) ? cell : QPoint(-1, -1);
}

QRect uEditor::cellRect(int x, int y) const {
    return {m_origin.x() + x * m_cell, m_origin.y() + y * m_cell, m_cell, m_cell};
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
    setPixels(withMirrors({cell}), c);
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

QList<QPoint> uEditor::rectangleCells(QPoint from, QPoint to, bool filled) const {
    const int left = std::min(from.x(), to.x());
    const int right = std::max(from.x(), to.x());
    const int top = std::min(from.y(), to.y());
    const int bottom = std::max(from.y(), to.y());
    QList<QPoint> cells;
    for (int x = left; x <= right; ++x) {
        for (int y = top; y <= bottom; ++y) {
            if (filled || x == left || x == right || y == top || y == bottom)
                cells << QPoint(x, y);
        }
    }
    return cells;
}

QList<QPoint> uEditor::mirrorsOf(QPoint cell) const {
    QList<QPoint> images{cell};
    const bool across = m_symmetry == Symmetry::LeftRight || m_symmetry == Symmetry::Both;
    const bool down = m_symmetry == Symmetry::TopBottom || m_symmetry == Symmetry::Both;
    const int mx = m_w - 1 - cell.x();
    const int my = m_h - 1 - cell.y();
    if (across)
        images << QPoint(mx, cell.y());
    if (down)
        images << QPoint(cell.x(), my);
    if (across && down)
        images << QPoint(mx, my);
    return images;
}

QList<QPoint> uEditor::withMirrors(const QList<QPoint>& cells) const {
    if (m_symmetry == Symmetry::None)
        return cells;
    QList<QPoint> all;
    all.reserve(cells.size() * 4);
    for (const QPoint& cell : cells)
        all << mirrorsOf(cell);
    return all;
}

QPoint uEditor::constrainedEnd(QPoint from, QPoint to, Qt::KeyboardModifiers modifiers) const {
    if (!(modifiers & Qt::ShiftModifier))
        return to;
    const int dx = to.x() - from.x();
    const int dy = to.y() - from.y();
    // Within about 22 degrees of an axis the line lies on it.
    if (2 * std::abs(dx) >= 5 * std::abs(dy))
        return {to.x(), from.y()};
    if (2 * std::abs(dy) >= 5 * std::abs(dx))
        return {from.x(), to.y()};
    const int sx = dx < 0 ? -1 : 1;
    const int sy = dy < 0 ? -1 : 1;
    const int room =
        std::min(sx > 0 ? m_w - 1 - from.x() : from.x(), sy > 0 ? m_h - 1 - from.y() : from.y());
    const int length = std::min(std::max(std::abs(dx), std::abs(dy)), room);
    return {from.x() + sx * length, from.y() + sy * length};
}

QList<QPoint> uEditor::shapeCells(Qt::KeyboardModifiers modifiers) const {
    if (m_tool == Tool::Rectangle)
        return withMirrors(
            rectangleCells(m_lineStart, m_lineEnd, modifiers.testFlag(Qt::ControlModifier)));
    return withMirrors(lineCells(m_lineStart, constrainedEnd(m_lineStart, m_lineEnd, modifiers)));
}

bool uEditor::replaceShown(const std::function<Colour(int x, int y)>& source) {
    if (!m_hasGrid || m_w <= 0 || m_h <= 0)
        return false;
    // A stroke still under the mouse is closed first, so that this change is a step of its own.
    endStroke();
    ColourArray next = m_grid;
    for (int x = 0; x < m_w; ++x)
        for (int y = 0; y < m_h; ++y)
            next[x][y] = source(x, y);
    if (next == m_grid)
        return false;
    beginStroke();
    m_grid = std::move(next);
    endStroke();
    Draw();
    Q_EMIT Edited();
    return true;
}

bool uEditor::flipHorizontally() {
    const ColourArray old = m_grid;
    return replaceShown([&](int x, int y) { return old[m_w - 1 - x][y]; });
}

bool uEditor::flipVertically() {
    const ColourArray old = m_grid;
    return replaceShown([&](int x, int y) { return old[x][m_h - 1 - y]; });
}

bool uEditor::rotateClockwise() {
    if (m_w != m_h)
        return false;
    const ColourArray old = m_grid;
    // The top row becomes the right column.
    return replaceShown([&](int x, int y) { return old[y][m_h - 1 - x]; });
}

bool uEditor::shift(int dx, int dy) {
    if (m_w <= 0 || m_h <= 0)
        return false;
    const ColourArray old = m_grid;
    const auto wrap = [](int v, int n) {
        return ((v % n) + n) % n;
    };
    return replaceShown([&](int x, int y) { return old[wrap(x - dx, m_w)][wrap(y - dy, m_h)]; });
}

bool uEditor::replacePicture(const ColourArray& Picture) {
    return replaceShown([&](int x, int y) {
        return x < Picture.size() && y < Picture[x].size() ? Picture[x][y] : m_grid[x][y];
    });
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
    case Tool::Line:
    case Tool::Rectangle: {
        const QPoint cell = cellAt(position);
        const Colour c = colourForButtons(state);
        // A second button pressed during a line drops it.
        const bool wasActive = m_lineActive;
        m_lineActive = cell.x() >= 0 && c != kColourNotSet && !wasActive;
        if (m_lineActive) {
            m_lineStart = m_lineEnd = cell;
            m_lineColour = c;
            m_shapeModifiers = event->modifiers();
        }
        update();
        break;
    }
    case Tool::Fill: {
        const QPoint cell = cellAt(position);
        const Colour c = colourForButtons(state);
        if (cell.x() >= 0 && c != kColourNotSet) {
            // Each image fills its own area, all found on the picture before any of them.
            QList<QPoint> cells;
            for (const QPoint& image : mirrorsOf(cell)) {
                if (!cells.contains(image))
                    cells << fillCells(image);
            }
            beginStroke();
            setPixels(cells, c);
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
    } else if (shapeTool() && m_lineActive) {
        // The end follows the pointer and stays on the grid when the pointer leaves it.
        const QPoint raw = rawCell(event->position());
        const QPoint end(std::clamp(raw.x(), 0, m_w - 1), std::clamp(raw.y(), 0, m_h - 1));
        if (end != m_lineEnd || event->modifiers() != m_shapeModifiers) {
            m_lineEnd = end;
            m_shapeModifiers = event->modifiers();
            update();
        }
    }
}

void uEditor::mouseReleaseEvent(QMouseEvent* event) {
    if (event->buttons() != Qt::NoButton)
        return;
    if (shapeTool() && m_lineActive) {
        m_lineActive = false;
        // The keys held as the button comes up decide: Shift keeps a line straight, Ctrl fills
        // a rectangle.
        beginStroke();
        setPixels(shapeCells(event->modifiers()), m_lineColour);
        update();
    }
    endStroke();
}

void uEditor::keyPressEvent(QKeyEvent* event) {
    QPoint step;
    switch (event->key()) {
    case Qt::Key_Left:
        step = {-1, 0};
        break;
    case Qt::Key_Right:
        step = {1, 0};
        break;
    case Qt::Key_Up:
        step = {0, -1};
        break;
    case Qt::Key_Down:
        step = {0, 1};
        break;
    case Qt::Key_Shift:
    case Qt::Key_Control:
        // The shape being dragged shows at once what the key will make of it.
        if (m_lineActive) {
            m_shapeModifiers |=
                event->key() == Qt::Key_Shift ? Qt::ShiftModifier : Qt::ControlModifier;
            update();
        }
        [[fallthrough]];
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    if (event->modifiers() & ~Qt::KeypadModifier) {
        QWidget::keyPressEvent(event);
        return;
    }
    shift(step.x(), step.y());
    event->accept();
}

void uEditor::keyReleaseEvent(QKeyEvent* event) {
    if (m_lineActive && (event->key() == Qt::Key_Shift || event->key() == Qt::Key_Control)) {
        m_shapeModifiers &= event->key() == Qt::Key_Shift
                                ? ~Qt::KeyboardModifiers(Qt::ShiftModifier)
                                : ~Qt::KeyboardModifiers(Qt::ControlModifier);
        update();
    }
    QWidget::keyReleaseEvent(event);
}

void uEditor::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (!m_drawn) {
        p.fillRect(rect(), palette().window());
        return;
    }
    p.fillRect(rect(), m_centred ? palette().window().color() : toQColor(kBackground));
    if (m_cell <= 0)
        return;
    for (int x = 0; x < m_w; ++x)
        for (int y = 0; y < m_h; ++y)
            p.fillRect(cellRect(x, y), GetBrush(m_grid[x][y]));
    if (m_lineActive) {
        for (const QPoint& cell : shapeCells(m_shapeModifiers))
            p.fillRect(cellRect(cell.x(), cell.y()), GetBrush(m_lineColour));
    }
    // Grid lines one pixel wide, each leaving out its end point; a centred grid closes its
    // bottom right corner too.
    const QColor pen = toQColor(kGridPen);
    const int closing = m_centred ? 1 : 0;
    const int gridW = m_w * m_cell;
    const int gridH = m_h * m_cell;
    for (int gx = 0; gx <= m_w; ++gx)
        p.fillRect(m_origin.x() + gx * m_cell, m_origin.y(), 1, gridH + closing, pen);
    for (int gy = 0; gy <= m_h; ++gy)
        p.fillRect(m_origin.x(), m_origin.y() + gy * m_cell, gridW + closing, 1, pen);
    if (m_centred && hasFocus()) {
        p.setPen(QPen(palette().highlight().color(), 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRect(m_origin, QSize(gridW + 1, gridH + 1)).adjusted(-2, -2, 1, 1));
    }
}
