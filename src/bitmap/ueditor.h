#pragma once

#include "common/colour.h"

#include <QHash>
#include <QList>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QWidget>
#include <functional>
#include <optional>

class PictureBox;
class QImage;

// Colour values indexed [x][y], with lower bounds 0.
using ColourArray = QList<QList<Colour>>;

// Shows a small picture as a grid of enlarged cells and lets the user paint it with two mouse
// colours. The array given to Init carries one column and one row more than the picture; they
// are kept but never shown, painted or written out. Every change of the grid redraws the
// control and mirrors the picture, pixel for pixel, into the preview box.
class uEditor : public QWidget {
    Q_OBJECT
    Q_PROPERTY(Colour LeftColor READ LeftColor WRITE setLeftColor)
    Q_PROPERTY(Colour RightColor READ RightColor WRITE setRightColor)

public:
    // What a stroke does. The pencil paints the cells the pointer crosses; the others act on
    // whole strokes: a straight line from press to release, a fill of the pressed cell's
    // 4-connected area, or taking the pressed cell's colour as the button's colour. A rectangle
    // spans press and release, outlined, or filled when Ctrl is held at the release.
    enum class Tool { Pencil, Line, Fill, Eyedropper, Rectangle };

    // Which mirror images of every painted cell are painted with it: across the vertical axis
    // through the centre column, across the horizontal one through the centre row, or both.
    enum class Symmetry { None, LeftRight, TopBottom, Both };

    // The background shown around and between the cells.
    static constexpr Colour kBackground = makeColour(192, 192, 192);
    // The control's pen, which draws the grid.
    static constexpr Colour kGridPen = makeColour(0, 0, 0);

    explicit uEditor(QWidget* parent = nullptr);
    ~uEditor() override;

    // The colour shown in the preview for pixels of the mask colour; from the next Draw on.
    void setViewColor(Colour c) { m_viewColor = c; }

    // Where the picture is mirrored, at (x + 1, y + 1), and the picture's transparent colour.
    void SetPreviewBox(PictureBox* Box, Colour MaskC);

    Colour LeftColor() const { return m_leftColor; }
    void setLeftColor(Colour c) { m_leftColor = c; }
    Colour RightColor() const { return m_rightColor; }
    void setRightColor(Colour c) { m_rightColor = c; }

    // Writes the W x H shown pixels into DestDC at the same coordinates (pixels that fall
    // outside DestDC are left out).
    void DrawImage(QImage* DestDC) const;

    // Recomputes the cell size from the control's size, repaints the control and the preview.
    // Nothing before the first Init.
    void Draw();

    // Takes a copy of the array: W and H become its upper bounds. Does not draw.
    void Init(const ColourArray& Immagine);

    void setTool(Tool tool);
    Tool tool() const { return m_tool; }
    void setSymmetry(Symmetry symmetry) { m_symmetry = symmetry; }
    Symmetry symmetry() const { return m_symmetry; }

    // Off, the grid sits at the control's top left corner with cells of the shorter side's
    // share, as the control always drew it. On, the cells are the largest whole size at which
    // the grid, with its closing right and bottom lines, fits the control; the grid is
    // centred, follows every resize, and the margin takes the window's colour.
    void setCentredGrid(bool on);
    QPoint gridOrigin() const { return m_origin; }

    // Changes of the whole picture, each one step of the history like a stroke. They return
    // whether a pixel changed; the extra column and row are never touched. Rotating needs a
    // square picture.
    bool flipHorizontally();
    bool flipVertically();
    bool rotateClockwise();
    // Moves every pixel by (dx, dy); what leaves one edge comes back at the opposite one.
    bool shift(int dx, int dy);
    // The shown pixels from Picture ([x][y]); pixels it does not reach keep their colour.
    bool replacePicture(const ColourArray& Picture);

    // The strokes on the picture given to the last Init, one step per stroke that changed a
    // pixel. Both repaint and return whether there was a step to take; a stroke still under
    // the mouse is closed first, so it is the one undone.
    bool undo();
    bool redo();
    // The picture is again the one given to the last Init.
    bool isAsLoaded() const { return m_grid == m_loaded; }

    // --- what the dialog and the tests read ---
    bool hasGrid() const { return m_hasGrid; }
    int W() const { return m_w; }
    int H() const { return m_h; }
    int cellSize() const { return m_cell; }
    // The grid's colour at (x, y), the extra column and row included; -1 outside the array.
    Colour pixel(int x, int y) const;
    // The cell under a point of the control as painting maps it (truncating division), or
    // (-1, -1) when the point maps to no shown pixel.
    QPoint cellAt(QPointF position) const;
    // The control's rectangle of a cell, grid lines included.
    QRect cellRect(int x, int y) const;

Q_SIGNALS:
    // Raised at every mouse press on the control, before the press paints anything.
    void MouseDown();
    // The eyedropper changed LeftColor or RightColor.
    void ColorChange();
    // A change of the whole picture (flip, rotation, shift, replacement) changed pixels.
    void Edited();
    // The grid was drawn afresh: a stroke, an undo or a new picture may have changed pixels.
    void Drawn();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    const QBrush& GetBrush(Colour c);
    void FreeBrushes();
    void PaintCell(int Button, QPointF position);

    // The colour a button state paints with: exactly the left or exactly the right button;
    // -1 for anything else.
    Colour colourForButtons(int Button) const;
    bool shown(QPoint cell) const;
    void setPixels(const QList<QPoint>& cells, Colour c);
    QList<QPoint> lineCells(QPoint from, QPoint to) const;
    QList<QPoint> fillCells(QPoint from) const;
    QList<QPoint> rectangleCells(QPoint from, QPoint to, bool filled) const;
    // The cell and its images under the symmetry.
    QList<QPoint> mirrorsOf(QPoint cell) const;
    QList<QPoint> withMirrors(const QList<QPoint>& cells) const;
    // With Shift a line keeps to the nearest of the horizontal, vertical and diagonal
    // directions, shortened where a diagonal would leave the grid.
    QPoint constrainedEnd(QPoint from, QPoint to, Qt::KeyboardModifiers modifiers) const;
    // What the line or rectangle being dragged paints, mirror images included.
    QList<QPoint> shapeCells(Qt::KeyboardModifiers modifiers) const;
    bool shapeTool() const { return m_tool == Tool::Line || m_tool == Tool::Rectangle; }
    void computeCell();
    bool replaceShown(const std::function<Colour(int x, int y)>& source);
    // The cell a point maps to by truncating division, inside the grid or not.
    QPoint rawCell(QPointF position) const;
    // Snapshots the picture unless a stroke is already open; closing keeps the snapshot as an
    // undo step only when the stroke changed something.
    void beginStroke();
    void endStroke();

    ColourArray m_grid; // [x][y]
    int m_w = 0;
    int m_h = 0;
    bool m_hasGrid = false;
    bool m_drawn = false;
    int m_cell = 0;
    QHash<Colour, QBrush> m_brushes;
    Colour m_leftColor = 0;
    Colour m_rightColor = 0;
    QPointer<PictureBox> m_previewBox;
    Colour m_maskColor = 0;
    Colour m_viewColor = 0;
    Tool m_tool = Tool::Pencil;

    // A line or rectangle being dragged: its start cell, the colour it will paint, its current
    // end and the keys held at the last event, which shape what the preview shows.
    bool m_lineActive = false;
    QPoint m_lineStart;
    QPoint m_lineEnd;
    Colour m_lineColour = 0;
    Qt::KeyboardModifiers m_shapeModifiers;
    Symmetry m_symmetry = Symmetry::None;
    bool m_centred = false;
    QPoint m_origin; // the grid's top left corner in the control

    // Whole pictures: at 18 x 18 a snapshot costs less than tracking what a stroke touched,
    // and the lists share their columns until a stroke writes to them.
    static constexpr qsizetype kHistoryLimit = 200;
    ColourArray m_loaded;
    std::optional<ColourArray> m_strokeBefore;
    QList<ColourArray> m_undo;
    QList<ColourArray> m_redo;
};
