#include "GridTest.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QPainter>
#include <QTest>
#include <set>
#include <utility>

namespace {

class EventsTest : public GridTest {
protected:
    void SetUp() override {
        grid.resize(400, 200);
        grid.show();
        grid.activateWindow();
        grid.setFocus();
    }
    // A closed editor is only hidden until the event loop deletes it.
    QLineEdit* Editor() const {
        for (QLineEdit* editor : grid.findChildren<QLineEdit*>())
            if (editor->isVisible())
                return editor;
        return nullptr;
    }
    bool Editing() const { return Editor() != nullptr; }
};

TEST_F(EventsTest, FixedCellsAreTheHeadersAndMovesOutsideTheGridRaise) {
    grid.SetColCount(3);
    grid.SetCells(2, 0, "Český výraz");
    grid.SetCells(0, 1, "1");
    grid.SetCells(0, 0, "roh");
    EXPECT_EQ(grid.horizontalHeaderItem(1)->text(), "Český výraz");
    EXPECT_EQ(grid.verticalHeaderItem(0)->text(), "1");
    EXPECT_EQ(grid.Cells(0, 0), "roh");
    EXPECT_THROW(grid.SetCells(3, 1, "x"), std::out_of_range);
    EXPECT_THROW(grid.SetRow(2), std::out_of_range);
    EXPECT_THROW(grid.SetCol(0), std::out_of_range);
    grid.SetCol(2);
    EXPECT_EQ(std::make_pair(grid.Col(), grid.Row()), std::make_pair(2, 1));

    // The lesson windows' layout: a narrow number column and low rows, headings included.
    grid.SetColWidths(0, 34);
    grid.SetDefaultRowHeight(18);
    EXPECT_EQ(grid.ColWidths(0), 34);
    EXPECT_EQ(grid.RowHeights(0), 18);
    EXPECT_EQ(grid.RowHeights(1), 18);
    EXPECT_EQ(grid.verticalHeader()->width(), 34);
}

// The editor's way of completing a row: Enter in column 1 moves on, Enter in column 2 stores
// the grid, appends an empty record and goes to the next row.
TEST_F(EventsTest, KeysSeeTheTextTypedSoFarAndEnterCompletesARow) {
    OpenTable(LessonFields, 1);
    grid.SetFields({"AJ", "CJ"});
    grid.SetDat(&dat);
    grid.SetCol(1);
    std::vector<std::pair<QChar, QString>> seen;
    grid.OnKeyPress = [&](QChar key) {
        const int row = grid.Row();
        seen.emplace_back(key, grid.Cells(grid.Col(), row));
        if (key != '\r' || grid.Cells(grid.Col(), row).isEmpty())
            return;
        if (grid.Col() == 1) {
            grid.SetCol(2);
            return;
        }
        grid.SetCol(1);
        grid.SaveToDat();
        dat.AppendRecord();
        grid.LoadFromDat();
        grid.SetRow(row + 1);
    };

    QTest::keyClick(&grid, Qt::Key_D);
    ASSERT_NE(Editor(), nullptr);
    QTest::keyClicks(Editor(), "og");
    QTest::keyClick(Editor(), Qt::Key_Return);
    EXPECT_FALSE(Editing());
    QTest::keyClick(&grid, Qt::Key_Return);
    EXPECT_TRUE(Editing());
    QTest::keyClicks(Editor(), "pes");
    QTest::keyClick(Editor(), Qt::Key_Return);

    const std::vector<std::pair<QChar, QString>> expected = {
        {'d', ""}, {'o', "d"}, {'g', "do"}, {'\r', "dog"}, {'\r', ""},
        {'p', ""}, {'e', "p"}, {'s', "pe"}, {'\r', "pes"}};
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(dat.RecordCount(), 2);
    EXPECT_EQ(dat.ReadString("AJ", 1), "dog");
    EXPECT_EQ(dat.ReadString("CJ", 1), "pes");
    EXPECT_EQ(std::make_pair(grid.Col(), grid.Row()), std::make_pair(1, 2));
    EXPECT_EQ(grid.Cells(0, 2), "2");
    EXPECT_FALSE(Editing());
}

TEST_F(EventsTest, EveryCellIsDrawnByTheOwnerAfterTheDefaultPainting) {
    std::set<std::pair<int, int>> drawn;
    grid.OnDrawCell = [&](int col, int row, const QRect& rect, QPainter& canvas) {
        drawn.emplace(col, row);
        if (col == 0)
            canvas.fillRect(rect, Qt::red);
    };
    grid.SetCells(0, 1, "1");
    const QImage image = grid.grab().toImage();
    const std::set<std::pair<int, int>> expected = {{0, 0}, {0, 1}, {1, 0}, {1, 1}};
    EXPECT_EQ(drawn, expected);
    const QHeaderView& numbers = *grid.verticalHeader();
    const QPoint middle = numbers.mapTo(&grid, QPoint(numbers.width() / 2, 5));
    EXPECT_EQ(image.pixelColor(middle), QColor(Qt::red));
}

TEST_F(EventsTest, MouseUpComesFromCellsAndHeadingsInGridCoordinates) {
    std::vector<QPoint> released;
    grid.OnMouseUp = [&](Qt::MouseButton, Qt::KeyboardModifiers, int x, int y) {
        released.emplace_back(x, y);
    };
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, QPoint(10, 5));
    QTest::mouseClick(grid.horizontalHeader()->viewport(), Qt::LeftButton, {}, QPoint(10, 5));
    const std::vector<QPoint> expected = {
        grid.viewport()->mapTo(&grid, QPoint(10, 5)),
        grid.horizontalHeader()->viewport()->mapTo(&grid, QPoint(10, 5))};
    EXPECT_EQ(released, expected);
}

} // namespace
