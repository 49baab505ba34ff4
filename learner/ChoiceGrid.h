#pragma once

#include <QString>
#include <QWidget>
#include <array>
#include <functional>

class QPainter;

namespace learner {

// The answer grid of the choice lessons: 5 × 5 cells of 98 × 30 pixels, each holding one string,
// with no lines, no fixed cells and no editing. Cells are addressed as (column, row); a cell
// outside the grid reads as empty, so a press in the margin beyond the last column or row finds
// nothing there. The grid fills its background with the button face and leaves the painting of
// every cell to its owner.
class TChoiceGrid : public QWidget {
    Q_OBJECT
public:
    explicit TChoiceGrid(QWidget* parent = nullptr);

    static constexpr int ColCount = 5;
    static constexpr int RowCount = 5;
    static constexpr int DefaultColWidth = 98;
    static constexpr int DefaultRowHeight = 30;

    QString Cells(int col, int row) const;
    void SetCells(int col, int row, const QString& text);
    // Empties every cell, column by column.
    void Clear();
    QRect CellRect(int col, int row) const;

    // For every cell painted; the painter has the grid's font and is clipped to the cell.
    std::function<void(int ACol, int ARow, const QRect& Rect, QPainter& Canvas)> OnDrawCell;
    // Every press of any mouse button, the second press of a double click too; X and Y in the
    // grid's own coordinates.
    std::function<void(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y)>
        OnMouseDown;

protected:
    void paintEvent(QPaintEvent* event) override;
    // Qt hands the second press of a double click to mousePressEvent as well.
    void mousePressEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;

private:
    static bool Inside(int col, int row);

    std::array<QString, ColCount * RowCount> cells_;
};

// Draws `text` centred in `cell` with the painter's font: a text that fits on one line has its
// top left corner at (left + width div 2 − text width div 2, top + height div 2 − text height div
// 2). A wider one would run into its neighbours and be painted over by them, so it is wrapped at
// its spaces and made smaller until it fits, down to a size that can still be read.
void DrawCentredText(QPainter& canvas, const QRect& cell, const QString& text);

// Whether `text` is wider than a cell of the grid in the grid's font: then the cell shows it
// smaller, and its whole text comes as a tool tip.
bool IsWiderThanCell(const QWidget& grid, const QString& text);

} // namespace learner
