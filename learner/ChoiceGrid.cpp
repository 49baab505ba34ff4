#include "ChoiceGrid.h"

#include <QFontInfo>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <optional>

namespace learner {

namespace {

// Below this a bold text stops being readable at a glance, which is what the grid is for.
constexpr int SmallestPixelSize = 8;
// Wrapped lines keep off the cell's edges, so that two neighbours do not read as one answer.
constexpr int WrapMargin = 2;

// The font that fits `text` wrapped into `room`, or none when even the smallest does not.
std::optional<QFont> FittingFont(QFont font, const QRect& room, const QString& text, int flags) {
    for (int size = QFontInfo(font).pixelSize(); size >= SmallestPixelSize; --size) {
        font.setPixelSize(size);
        if (room.contains(QFontMetrics(font).boundingRect(room, flags, text)))
            return font;
    }
    return std::nullopt;
}

void DrawWrapped(QPainter& canvas, const QRect& cell, const QString& stored) {
    // Alternatives are what the learner reads apart, so a line may also end after a ";".
    const QString text = QString(stored).replace(u';', QStringLiteral(";\u200B"));
    const QRect room = cell.adjusted(WrapMargin, 0, -WrapMargin, 0);
    const int flags = Qt::AlignCenter | Qt::TextWordWrap;
    const QFont shown = canvas.font();
    if (const std::optional<QFont> font = FittingFont(shown, room, text, flags)) {
        canvas.setFont(*font);
        canvas.drawText(room, flags, text);
    } else {
        // Too long even so: as much as the cell holds, and the whole text in the tool tip.
        QFont smallest = shown;
        smallest.setPixelSize(SmallestPixelSize);
        canvas.setFont(smallest);
        canvas.drawText(room, Qt::AlignCenter | Qt::TextWrapAnywhere, text);
    }
    canvas.setFont(shown);
}

} // namespace

TChoiceGrid::TChoiceGrid(QWidget* parent) : QWidget(parent) {}

bool TChoiceGrid::Inside(int col, int row) {
    return col >= 0 && col < ColCount && row >= 0 && row < RowCount;
}

QString TChoiceGrid::Cells(int col, int row) const {
    return Inside(col, row) ? cells_[size_t(col * RowCount + row)] : QString();
}

void TChoiceGrid::SetCells(int col, int row, const QString& text) {
    if (!Inside(col, row))
        return;
    cells_[size_t(col * RowCount + row)] = text;
    update(CellRect(col, row));
}

void TChoiceGrid::Clear() {
    for (int col = 0; col < ColCount; ++col)
        for (int row = 0; row < RowCount; ++row)
            SetCells(col, row, {});
}

QRect TChoiceGrid::CellRect(int col, int row) const {
    return {col * DefaultColWidth, row * DefaultRowHeight, DefaultColWidth, DefaultRowHeight};
}

void TChoiceGrid::paintEvent(QPaintEvent* event) {
    QPainter canvas(this);
    canvas.fillRect(rect(), palette().color(QPalette::Button));
    if (!OnDrawCell)
        return;
    for (int col = 0; col < ColCount; ++col)
        for (int row = 0; row < RowCount; ++row) {
            const QRect cell = CellRect(col, row);
            if (!event->rect().intersects(cell))
                continue;
            canvas.save();
            canvas.setClipRect(cell);
            canvas.setFont(font());
            OnDrawCell(col, row, cell, canvas);
            canvas.restore();
        }
}

void TChoiceGrid::mousePressEvent(QMouseEvent* event) {
    if (OnMouseDown) {
        const QPoint at = event->position().toPoint();
        OnMouseDown(event->button(), event->modifiers(), at.x(), at.y());
    }
}

bool TChoiceGrid::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    const int col = help->pos().x() / DefaultColWidth;
    const int row = help->pos().y() / DefaultRowHeight;
    const QString text = Cells(col, row);
    if (IsWiderThanCell(*this, text))
        QToolTip::showText(help->globalPos(), text, this, CellRect(col, row));
    else
        QToolTip::hideText();
    return true;
}

void DrawCentredText(QPainter& canvas, const QRect& cell, const QString& text) {
    const QFontMetrics metrics(canvas.font());
    const int width = metrics.horizontalAdvance(text);
    if (width > cell.width()) {
        DrawWrapped(canvas, cell, text);
        return;
    }
    const int left = cell.left() + cell.width() / 2 - width / 2;
    const int top = cell.top() + cell.height() / 2 - metrics.height() / 2;
    canvas.drawText(left, top + metrics.ascent(), text);
}

bool IsWiderThanCell(const QWidget& grid, const QString& text) {
    return grid.fontMetrics().horizontalAdvance(text) > TChoiceGrid::DefaultColWidth;
}

} // namespace learner
