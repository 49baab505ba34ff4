#pragma once

#include <QStringList>
#include <QTableWidget>
#include <algorithm>
#include <cstdint>
#include <functional>

class QAbstractButton;
class QPainter;
class TDat;

// A string grid bound to a table: one row per record, one column per field, the record numbers
// in the fixed column 0 and the headings in the fixed row 0. Cells are addressed as (column,
// row) with the fixed ones counted in; the fixed row and column are the table's horizontal and
// vertical headers, and the grid keeps their texts so that they read back like any cell.
//
// Lesson texts are Windows-1250 bytes in the table and QString in the grid; a character that
// code page cannot hold is refused on saving, never stored changed.
class TDatGrid : public QTableWidget {
    Q_OBJECT
public:
    explicit TDatGrid(QWidget* parent = nullptr);

    static constexpr int FixedCols() { return 1; }
    static constexpr int FixedRows() { return 1; }
    int ColCount() const { return columnCount() + FixedCols(); }
    void SetColCount(int value);
    int RowCount() const { return rowCount() + FixedRows(); }
    void SetRowCount(int value);
    QString Cells(int col, int row) const;
    void SetCells(int col, int row, const QString& text);

    // The current cell; moving it outside the grid's normal cells raises.
    int Col() const { return std::max(currentColumn(), 0) + FixedCols(); }
    void SetCol(int value);
    int Row() const { return std::max(currentRow(), 0) + FixedRows(); }
    void SetRow(int value);

    int ColWidths(int col) const;
    void SetColWidths(int col, int width);
    int RowHeights(int row) const;
    void SetDefaultColWidth(int width);
    void SetDefaultRowHeight(int height);

    // The grid's own list, which the owner may change in place.
    QStringList& Fields() { return fields_; }
    void SetFields(const QStringList& value) { fields_ = value; }
    TDat* Dat() const { return dat_; }
    void SetDat(TDat* value);

    void LoadFromDat();
    void SaveToDat();
    void ClearGrid();

    // A typed character, before the grid's own handling of it; the current cell already holds
    // the text typed so far, also while it is being edited in place.
    std::function<void(QChar Key)> OnKeyPress;
    // After the default painting of any cell, fixed ones included; the painter has the grid's
    // font.
    std::function<void(int ACol, int ARow, const QRect& Rect, QPainter& Canvas)> OnDrawCell;
    // A mouse button released anywhere over the grid, headings included; X and Y in the grid's
    // own coordinates.
    std::function<void(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y)>
        OnMouseUp;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class CellDelegate;
    class FixedHeader;

    QTableWidgetItem* CellItem(int col, int row) const;
    void KeyPressed(QChar key);
    void DrawCell(int col, int row, const QRect& rect, QPainter& painter) const;
    void MouseUp(const QMouseEvent& event, const QWidget& source);

    QStringList fields_;
    TDat* dat_ = nullptr;
    QString cornerText_;
    QAbstractButton* corner_ = nullptr;
    // Set while a key is passed on to a cell editor that it opens, which must not report it
    // a second time.
    bool forwardingKey_ = false;
};
