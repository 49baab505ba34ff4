#include "ChoiceGrid.h"

#include "Application.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

using learner::TChoiceGrid;

namespace {

// The columns and rows of the image in which the text left dark pixels.
struct Ink {
    int left = 10000, right = -1, top = 10000, bottom = -1;
    bool Any() const { return right >= 0; }
};

Ink InkIn(const QImage& image, const QRect& area) {
    Ink ink;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (qGray(image.pixel(x, y)) < 128) {
                ink.left = std::min(ink.left, x);
                ink.right = std::max(ink.right, x);
                ink.top = std::min(ink.top, y);
                ink.bottom = std::max(ink.bottom, y);
            }
    return ink;
}

// A grid in the answer grid's font whose cells are painted as the choice lessons paint them.
class ChoiceGridTest : public ::testing::Test {
protected:
    ChoiceGridTest() {
        grid.resize(499, 155);
        grid.setFont(platform::LayoutFont(11, true));
        grid.OnDrawCell = [this](int col, int row, const QRect& rect, QPainter& canvas) {
            canvas.fillRect(rect, Qt::white);
            canvas.setPen(Qt::black);
            learner::DrawCentredText(canvas, rect, grid.Cells(col, row));
        };
    }
    QImage Painted() { return grid.grab().toImage(); }

    TChoiceGrid grid;
};

TEST_F(ChoiceGridTest, ShortAnswerIsCentredInItsCell) {
    grid.SetCells(1, 2, "dog");
    const QRect cell = grid.CellRect(1, 2);
    const Ink ink = InkIn(Painted(), cell);
    ASSERT_TRUE(ink.Any());
    EXPECT_LE(std::abs((ink.left - cell.left()) - (cell.right() - ink.right)), 3);
    EXPECT_LE(std::abs((ink.top - cell.top()) - (cell.bottom() - ink.bottom)), 4);
}

TEST_F(ChoiceGridTest, LongAnswerIsWrappedSmallerAndStaysInItsCell) {
    const QString answer = "you're welcome;not at all";
    ASSERT_TRUE(learner::IsWiderThanCell(grid, answer));
    grid.SetCells(2, 2, answer);
    const QImage image = Painted();
    const QRect cell = grid.CellRect(2, 2);
    const Ink ink = InkIn(image, cell);
    ASSERT_TRUE(ink.Any());
    // On more than one line, and nothing spilt into the neighbours.
    EXPECT_GT(ink.bottom - ink.top, grid.fontMetrics().height());
    EXPECT_GT(ink.left, cell.left());
    EXPECT_LT(ink.right, cell.right());
    EXPECT_FALSE(InkIn(image, grid.CellRect(1, 2)).Any());
    EXPECT_FALSE(InkIn(image, grid.CellRect(3, 2)).Any());
}

} // namespace
