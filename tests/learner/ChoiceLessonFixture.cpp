#include "ChoiceLessonFixture.h"

#include <QImage>
#include <QLabel>
#include <QMetaObject>
#include <QTest>
#include <stdexcept>

int32_t GridWalk::Draw(int32_t n) {
    if (!shuffle_.empty()) {
        const int32_t draw = shuffle_.front();
        shuffle_.pop_front();
        return draw;
    }
    if (n != learner::TChoiceGrid::ColCount || n != learner::TChoiceGrid::RowCount)
        throw std::logic_error("GridWalk: a draw of a cell was expected");
    // Draws come in pairs, the column first and then the row, of one cell after another.
    constexpr int32_t Cols = learner::TChoiceGrid::ColCount;
    const int32_t cell = (walked_ / 2) % (Cols * learner::TChoiceGrid::RowCount);
    const bool column = walked_ % 2 == 0;
    ++walked_;
    return column ? cell % Cols : cell / Cols;
}

void ChoiceLessonTest::WalkReversed(int32_t count) {
    // Each draw swaps the first item still in place with its mirror, from the outside in.
    std::vector<int32_t> draws;
    for (int32_t place = 0; place < count / 2; ++place)
        draws.push_back(count - 1 - place);
    learner::SetRandom(std::make_unique<GridWalk>(draws));
}

learner::TChoiceGrid& Grid(const QWidget* window) {
    return *window->findChild<learner::TChoiceGrid*>("Grid1");
}

QStringList GridAnswers(const QWidget* window) {
    QStringList answers;
    for (int col = 0; col < learner::TChoiceGrid::ColCount; ++col)
        for (int row = 0; row < learner::TChoiceGrid::RowCount; ++row)
            if (!Grid(window).Cells(col, row).isEmpty())
                answers << Grid(window).Cells(col, row);
    return answers;
}

std::vector<QPoint> CellsOf(const QWidget* window, const QString& text) {
    std::vector<QPoint> centres;
    for (int col = 0; col < learner::TChoiceGrid::ColCount; ++col)
        for (int row = 0; row < learner::TChoiceGrid::RowCount; ++row)
            if (Grid(window).Cells(col, row) == text)
                centres.push_back(Grid(window).CellRect(col, row).center());
    return centres;
}

QPoint CellOf(const QWidget* window, const QString& text) {
    const std::vector<QPoint> centres = CellsOf(window, text);
    EXPECT_EQ(centres.size(), 1u) << "cells holding " << text.toStdString();
    return centres.empty() ? QPoint(-1, -1) : centres.front();
}

void ClickGrid(const QWidget* window, QPoint at, Qt::MouseButton button) {
    QTest::mouseClick(&Grid(window), button, {}, at);
}

void Choose(const QWidget* window, const QString& answer, Qt::MouseButton button) {
    ClickGrid(window, CellOf(window, answer), button);
}

void ChooseNumberedRight(const QWidget* window) {
    const QString question = Label(window, "Label1")->text();
    ASSERT_TRUE(question.startsWith("slovo")) << question.toStdString();
    Choose(window, "word" + question.mid(5));
}

void EndMissDisplay(learner::TChoiceLesson* window) {
    ASSERT_TRUE(window->TimChyba.isActive());
    QMetaObject::invokeMethod(&window->TimChyba, "timeout");
}

QColor PaintedColour(const QWidget* window, QPoint centre) {
    learner::TChoiceGrid& grid = Grid(window);
    const QRect cell = grid.CellRect(centre.x() / learner::TChoiceGrid::DefaultColWidth,
                                     centre.y() / learner::TChoiceGrid::DefaultRowHeight);
    // Near the cell's corner, where no text of a short answer reaches.
    return grid.grab().toImage().pixelColor(cell.topLeft() + QPoint(2, 2));
}
