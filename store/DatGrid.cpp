#include "DatGrid.h"

#include "Dat.h"
#include "LessonText.h"
#include "NumberText.h"

#include <QAbstractButton>
#include <QAction>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QPainter>
#include <QScopedValueRollback>
#include <QStyledItemDelegate>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

[[noreturn]] void RaiseOutOfRange() {
    throw std::out_of_range("Grid index out of range");
}

// Names the first character that the code page cannot hold, by its code too, as the character
// itself may not show.
std::string StorableLessonText(const QString& text) {
    if (std::optional<std::string> bytes = platform::ToLessonText(text))
        return *bytes;
    const QList<uint> characters = text.toUcs4();
    const auto unstorable = std::find_if(characters.begin(), characters.end(), [](char32_t c) {
        return !platform::ToLessonText(QString::fromUcs4(&c, 1));
    });
    const char32_t character = unstorable == characters.end() ? U'\uFFFD' : *unstorable;
    throw std::runtime_error(
        QStringLiteral("Znak „%1“ (U+%2) nelze v lekci uložit.")
            .arg(QString::fromUcs4(&character, 1),
                 QString::number(character, 16).toUpper().rightJustified(4, '0'))
            .toStdString());
}

std::optional<QString> ValueText(TDat& dat, uint8_t type, const std::string& name, int32_t record) {
    switch (type) {
    case dtBoolean:
        return QString::number(dat.ReadBoolean(name, record));
    case dtInteger:
        return QString::number(dat.ReadInteger(name, record));
    case dtFloat:
        return platform::NumberLocale().toString(dat.ReadFloat(name, record), 'g', 15);
    case dtString:
        return platform::FromLessonText(dat.ReadString(name, record));
    default:
        return std::nullopt;
    }
}

// The write of one cell, its text already converted, so that a cell that cannot be stored is
// found before anything of the save reaches the table.
std::function<void()> CellWrite(TDat& dat, uint8_t type, const std::string& name, int32_t record,
                                const QString& text) {
    switch (type) {
    case dtBoolean:
        return [&dat, name, record, value = uint8_t(platform::IntegerOfText(text))] {
            dat.WriteBoolean(name, record, value);
        };
    case dtInteger:
        return [&dat, name, record, value = platform::IntegerOfText(text)] {
            dat.WriteInteger(name, record, value);
        };
    case dtFloat:
        return [&dat, name, record, value = platform::FloatOfText(text)] {
            dat.WriteFloat(name, record, value);
        };
    case dtString:
        return [&dat, name, record, value = StorableLessonText(text)] {
            dat.WriteString(name, record, value);
        };
    default:
        return {};
    }
}

// Field numbers are bytes in the table: a longer Fields list must fail like any number the
// table lacks rather than wrap round onto its first fields.
uint8_t FieldNumber(int number) {
    if (number > MaxFieldCount)
        throw std::runtime_error("Field [" + std::to_string(number) + "] not exists");
    return uint8_t(number);
}

bool IsCommandShortcut(const QWidget& widget, const QKeyEvent& key) {
    const QKeySequence pressed(key.keyCombination());
    const QList<QAction*> commands = widget.window()->findChildren<QAction*>();
    return std::any_of(commands.begin(), commands.end(), [&](const QAction* command) {
        return command->isEnabled() && command->shortcuts().contains(pressed);
    });
}

bool IsEnter(const QKeyEvent& event) {
    return event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter;
}

} // namespace

// The in-place editor of a cell and the owner's painting after each cell.
class TDatGrid::CellDelegate : public QStyledItemDelegate {
public:
    explicit CellDelegate(TDatGrid& grid) : QStyledItemDelegate(&grid), grid_(grid) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyledItemDelegate::paint(painter, option, index);
        grid_.DrawCell(index.column() + FixedCols(), index.row() + FixedRows(), option.rect,
                       *painter);
    }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex& index) const override {
        auto* editor = new QLineEdit(parent);
        editor->setFrame(false);
        // The cell follows its editor at every change, so a key event sees the text typed so far.
        connect(editor, &QLineEdit::textEdited, &grid_,
                [&grid = grid_, cell = QPersistentModelIndex(index)](const QString& text) {
                    grid.model()->setData(cell, text);
                });
        return editor;
    }

    // Leaves the editor alone when the cell only took over its text, so the cursor stays put.
    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        auto* line = static_cast<QLineEdit*>(editor);
        const QString text = index.data(Qt::EditRole).toString();
        if (line->text() != text)
            line->setText(text);
    }

protected:
    bool eventFilter(QObject* editor, QEvent* event) override {
        // The line editor has keys of its own (Ctrl+U clears the line under X11) that would
        // take a command's shortcut from the window and act on the cell instead.
        if (event->type() == QEvent::ShortcutOverride &&
            IsCommandShortcut(static_cast<QWidget&>(*editor),
                              static_cast<const QKeyEvent&>(*event))) {
            event->ignore();
            return true;
        }
        if (event->type() == QEvent::KeyPress && !grid_.forwardingKey_) {
            const auto& key = static_cast<const QKeyEvent&>(*event);
            if (!key.text().isEmpty())
                grid_.KeyPressed(key.text().front());
            // Enter ends the in-place editing, unless the owner has moved on already; the cell
            // holds the editor's text, so nothing is left to commit.
            if (IsEnter(key)) {
                if (grid_.state() == QAbstractItemView::EditingState)
                    emit closeEditor(static_cast<QWidget*>(editor));
                return true;
            }
        }
        return QStyledItemDelegate::eventFilter(editor, event);
    }

private:
    TDatGrid& grid_;
};

// The fixed row (horizontal) or the fixed column (vertical).
class TDatGrid::FixedHeader : public QHeaderView {
public:
    FixedHeader(Qt::Orientation orientation, TDatGrid& grid)
        : QHeaderView(orientation, &grid), grid_(grid) {}

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override {
        QHeaderView::paintSection(painter, rect, logicalIndex);
        if (orientation() == Qt::Horizontal)
            grid_.DrawCell(logicalIndex + FixedCols(), 0, rect, *painter);
        else
            grid_.DrawCell(0, logicalIndex + FixedRows(), rect, *painter);
    }

    void mouseReleaseEvent(QMouseEvent* event) override {
        QHeaderView::mouseReleaseEvent(event);
        grid_.MouseUp(*event, *viewport());
    }

private:
    TDatGrid& grid_;
};

TDatGrid::TDatGrid(QWidget* parent) : QTableWidget(parent) {
    setHorizontalHeader(new FixedHeader(Qt::Horizontal, *this));
    setVerticalHeader(new FixedHeader(Qt::Vertical, *this));
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    setItemDelegate(new CellDelegate(*this));
    setEditTriggers(AnyKeyPressed | DoubleClicked | EditKeyPressed);
    setSelectionMode(ContiguousSelection);
    setCornerButtonEnabled(false);
    corner_ = findChild<QAbstractButton*>();
    if (corner_)
        corner_->installEventFilter(this);
    SetColWidths(0, horizontalHeader()->defaultSectionSize());
    SetDefaultRowHeight(verticalHeader()->defaultSectionSize());
    ClearGrid();
}

void TDatGrid::SetColCount(int value) {
    if (value <= FixedCols())
        RaiseOutOfRange();
    const int before = columnCount();
    setColumnCount(value - FixedCols());
    for (int column = before; column < columnCount(); ++column)
        setHorizontalHeaderItem(column, new QTableWidgetItem);
}

void TDatGrid::SetRowCount(int value) {
    if (value <= FixedRows())
        RaiseOutOfRange();
    const int before = rowCount();
    setRowCount(value - FixedRows());
    for (int row = before; row < rowCount(); ++row)
        setVerticalHeaderItem(row, new QTableWidgetItem);
}

QString TDatGrid::Cells(int col, int row) const {
    if (col == 0 && row == 0)
        return cornerText_;
    const QTableWidgetItem* cell = CellItem(col, row);
    return cell ? cell->text() : QString();
}

void TDatGrid::SetCells(int col, int row, const QString& text) {
    if (col < 0 || row < 0 || col >= ColCount() || row >= RowCount())
        RaiseOutOfRange();
    if (col == 0 && row == 0) {
        cornerText_ = text;
        if (corner_)
            corner_->update();
        return;
    }
    // A header item that changes its own text is looked for among all the headers of the
    // table, which would make numbering the rows quadratic; an item put in its place is not.
    // A cell that keeps its text is left alone, so a reload replaces only the changed headers.
    QTableWidgetItem* cell = CellItem(col, row);
    if (cell && cell->text() == text)
        return;
    if (row == 0)
        setHorizontalHeaderItem(col - FixedCols(), new QTableWidgetItem(text));
    else if (col == 0)
        setVerticalHeaderItem(row - FixedRows(), new QTableWidgetItem(text));
    else if (cell)
        cell->setText(text);
    else
        setItem(row - FixedRows(), col - FixedCols(), new QTableWidgetItem(text));
}

// Header items exist for every fixed cell; a normal cell gets its item when first written.
QTableWidgetItem* TDatGrid::CellItem(int col, int row) const {
    if (row == 0)
        return horizontalHeaderItem(col - FixedCols());
    if (col == 0)
        return verticalHeaderItem(row - FixedRows());
    return item(row - FixedRows(), col - FixedCols());
}

void TDatGrid::SetCol(int value) {
    if (value < FixedCols() || value >= ColCount())
        RaiseOutOfRange();
    setCurrentCell(Row() - FixedRows(), value - FixedCols());
}

void TDatGrid::SetRow(int value) {
    if (value < FixedRows() || value >= RowCount())
        RaiseOutOfRange();
    setCurrentCell(value - FixedRows(), Col() - FixedCols());
}

int TDatGrid::ColWidths(int col) const {
    return col == 0 ? verticalHeader()->minimumWidth() : columnWidth(col - FixedCols());
}

// The fixed column keeps the width it is given, whatever its texts would need.
void TDatGrid::SetColWidths(int col, int width) {
    if (col == 0)
        verticalHeader()->setFixedWidth(width);
    else
        setColumnWidth(col - FixedCols(), width);
}

int TDatGrid::RowHeights(int row) const {
    return row == 0 ? horizontalHeader()->minimumHeight() : rowHeight(row - FixedRows());
}

void TDatGrid::SetDefaultColWidth(int width) {
    horizontalHeader()->setDefaultSectionSize(width);
}

// The heading row is as high as every other row.
void TDatGrid::SetDefaultRowHeight(int height) {
    verticalHeader()->setMinimumSectionSize(
        std::min(height, verticalHeader()->minimumSectionSize()));
    verticalHeader()->setDefaultSectionSize(height);
    horizontalHeader()->setFixedHeight(height);
}

void TDatGrid::SetDat(TDat* value) {
    dat_ = value;
    LoadFromDat();
}

// Every value is read before the first cell changes: a read that fails closes the table and
// leaves the grid as it was, rather than showing an empty cell where a value was lost.
void TDatGrid::LoadFromDat() {
    if (!dat_ || !dat_->Active()) {
        ClearGrid();
        return;
    }
    const int32_t records = dat_->RecordCount();
    struct Cell {
        int col;
        int row;
        QString text;
    };
    std::vector<Cell> cells;
    const auto readColumn = [&](uint8_t field) {
        const uint8_t type = dat_->GetFieldType(field);
        const std::string name = dat_->FieldName(field);
        for (int32_t record = 1; record <= records; ++record)
            if (std::optional<QString> text = ValueText(*dat_, type, name, record))
                cells.push_back({field - 1 + FixedCols(), record - 1 + FixedRows(), *text});
    };
    int colCount = FixedCols() + 1;
    if (dat_->FieldCount() > 0 && fields_.isEmpty()) {
        colCount = dat_->FieldCount() + FixedCols();
        for (int field = 1; field <= dat_->FieldCount(); ++field)
            readColumn(uint8_t(field));
    } else if (dat_->FieldCount() > 0) {
        colCount = int(fields_.size()) + FixedCols();
        for (int entry = 1; entry <= fields_.size(); ++entry) {
            const std::optional<std::string> name = platform::ToLessonText(fields_[entry - 1]);
            if (records > 0 && name && dat_->FieldExists(*name))
                readColumn(FieldNumber(entry));
        }
    }
    if (!dat_->Active())
        throw std::runtime_error("Error, database is not active");

    SetRowCount(records > 0 ? records + FixedRows() : FixedRows() + 1);
    SetColCount(colCount);
    if (fields_.isEmpty())
        for (int field = 1; field <= dat_->FieldCount(); ++field)
            SetCells(field - 1 + FixedCols(), 0, platform::FromLessonText(dat_->FieldName(field)));
    for (const Cell& cell : cells)
        SetCells(cell.col, cell.row, cell.text);
    for (int32_t record = 1; record <= records; ++record)
        SetCells(0, record - 1 + FixedRows(), QString::number(record));
}

void TDatGrid::SaveToDat() {
    if (!dat_ || !dat_->Active() || dat_->FieldCount() == 0)
        return;
    // Every cell is converted before the first write: a cell that cannot be stored leaves the
    // table as it was instead of half saved.
    std::vector<std::function<void()>> writes;
    const int fieldCount = fields_.isEmpty() ? dat_->FieldCount() : int(fields_.size());
    for (int number = 1; number <= fieldCount; ++number) {
        const uint8_t field = FieldNumber(number);
        const std::string name = dat_->FieldName(field);
        for (int32_t record = 1; record <= dat_->RecordCount(); ++record) {
            const QString text = Cells(field - 1 + FixedCols(), record - 1 + FixedRows());
            if (auto write = CellWrite(*dat_, dat_->GetFieldType(field), name, record, text))
                writes.push_back(std::move(write));
        }
    }
    for (const auto& write : writes)
        write();
}

void TDatGrid::ClearGrid() {
    SetRowCount(FixedRows() + 1);
    SetColCount(FixedCols() + 1);
    for (int col = 0; col < ColCount(); ++col)
        for (int row = 0; row < RowCount(); ++row)
            SetCells(col, row, {});
}

void TDatGrid::KeyPressed(QChar key) {
    if (OnKeyPress)
        OnKeyPress(key);
}

void TDatGrid::DrawCell(int col, int row, const QRect& rect, QPainter& painter) const {
    if (!OnDrawCell)
        return;
    painter.save();
    // The style's own header painting may leave a clip behind; the owner paints the cell.
    painter.setClipRect(rect);
    painter.setFont(font());
    OnDrawCell(col, row, rect, painter);
    painter.restore();
}

void TDatGrid::MouseUp(const QMouseEvent& event, const QWidget& source) {
    if (!OnMouseUp)
        return;
    const QPoint at = source.mapTo(this, event.position().toPoint());
    OnMouseUp(event.button(), event.modifiers(), at.x(), at.y());
}

void TDatGrid::keyPressEvent(QKeyEvent* event) {
    if (!event->text().isEmpty())
        KeyPressed(event->text().front());
    // Enter switches in-place editing on; while editing, the editor has the key instead.
    if (IsEnter(*event)) {
        if (currentIndex().isValid())
            edit(currentIndex());
        return;
    }
    const QScopedValueRollback forwarding(forwardingKey_, true);
    QTableWidget::keyPressEvent(event);
}

void TDatGrid::mouseReleaseEvent(QMouseEvent* event) {
    QTableWidget::mouseReleaseEvent(event);
    MouseUp(*event, *viewport());
}

// The corner cell is Qt's own button; the owner paints over it like over any fixed cell.
bool TDatGrid::eventFilter(QObject* watched, QEvent* event) {
    if (watched != corner_ || event->type() != QEvent::Paint)
        return QTableWidget::eventFilter(watched, event);
    static_cast<QObject*>(corner_)->event(event);
    QPainter painter(corner_);
    painter.drawText(corner_->rect(), Qt::AlignCenter, cornerText_);
    DrawCell(0, 0, corner_->rect(), painter);
    return true;
}
