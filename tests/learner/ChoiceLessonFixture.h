#pragma once

#include "ChoiceGrid.h"
#include "ChoiceLesson.h"
#include "Random.h"
#include "TypedTestFixture.h"

#include <QColor>
#include <QPoint>
#include <QStringList>
#include <deque>
#include <vector>

// Shuffles with the draws it was given, then lays the answers out walking the grid row by row:
// every cell drawn is the one after the cell drawn last, so each answer lands in the next empty
// cell and a test knows the layout without scripting every draw.
class GridWalk final : public learner::RandomSource {
public:
    explicit GridWalk(std::vector<int32_t> shuffleDraws)
        : shuffle_(shuffleDraws.begin(), shuffleDraws.end()) {}
    void SeedFromClock() override {}
    int32_t Draw(int32_t n) override;

private:
    std::deque<int32_t> shuffle_;
    int32_t walked_ = 0;
};

// A started learner whose choice lessons ask in reverse record order and lay out their grids
// as GridWalk does.
class ChoiceLessonTest : public TypedTestTest {
protected:
    // For the next start: the last of `count` items asked first.
    void WalkReversed(int32_t count);
};

learner::TChoiceGrid& Grid(const QWidget* window);
// The texts on the grid, column by column, empty cells left out.
QStringList GridAnswers(const QWidget* window);
// The centres of the cells holding `text` exactly, column by column.
std::vector<QPoint> CellsOf(const QWidget* window, const QString& text);
// The centre of the one cell holding `text`; fails the test when there is none.
QPoint CellOf(const QWidget* window, const QString& text);
// A press and a release of `button` at `at` on the grid.
void ClickGrid(const QWidget* window, QPoint at, Qt::MouseButton button = Qt::LeftButton);
// Clicks the cell that holds `answer`.
void Choose(const QWidget* window, const QString& answer, Qt::MouseButton button = Qt::LeftButton);
// Clicks the answer to a question of NumberedWords: "slovo7" is answered "word7".
void ChooseNumberedRight(const QWidget* window);
// Ends the display of a miss as its timer would, without waiting 1200 ms.
void EndMissDisplay(learner::TChoiceLesson* window);
// The colour that the grid paints inside the cell around `centre`.
QColor PaintedColour(const QWidget* window, QPoint centre);
