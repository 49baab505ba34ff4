// The lesson windows' editing side: typing rows, the gap mark, tense labels, removing records,
// the record-number column, column widths and the CSV export.
#include "LessonFixture.h"

#include <QHeaderView>
#include <QImage>

namespace {

using editor::TFTest1;
using editor::TFTest2;
using Content = LessonContent;

class LessonEditTest : public LessonFixture {
protected:
    // A question-answer lesson holding `count` numbered pairs ("q1", "a1"...).
    TFTest1& NumberedLesson(int count) {
        std::vector<std::pair<std::string, std::string>> pairs;
        for (int number = 1; number <= count; ++number)
            pairs.emplace_back("q" + std::to_string(number), "a" + std::to_string(number));
        return OpenLesson<TFTest1>(WriteLesson("cisla.lq", "lq3 test1", pairs, "AJ", "CJ"));
    }
    static void GoTo(editor::TLessonWindow& window, int col, int row) {
        window.DatGrid1().SetRow(row);
        window.DatGrid1().SetCol(col);
    }
    static std::string Stored(editor::TLessonWindow& window, int field, int record) {
        return window.Dat1().ReadString(window.Dat1().FieldName(uint8_t(field)), record);
    }
};

TEST_F(LessonEditTest, AnyKeyMarksUnsavedAndEnterOnAnEmptyCellDoesNothingElse) {
    TFTest1& window = NewLesson();
    QTest::keyClick(&window.DatGrid1(), Qt::Key_Backspace);
    EXPECT_FALSE(window.Saved());
    EXPECT_EQ(window.StatusText(0), "Neuloženo");

    QTest::keyClick(&window.DatGrid1(), Qt::Key_Return);
    EXPECT_EQ(Current(window), std::make_pair(1, 1));
    EXPECT_EQ(window.Dat1().RecordCount(), 1);
    EXPECT_EQ(window.StatusText(1), "Počet záznamů: 1");
}

TEST_F(LessonEditTest, TypingPairsWithEnterAddsARowForEach) {
    TFTest1& window = NewLesson();
    Type(window, "dog");
    Enter(window);
    // Column 1 only moves on: nothing reaches the table yet.
    EXPECT_EQ(Current(window), std::make_pair(2, 1));
    EXPECT_EQ(Stored(window, 1, 1), "");
    Type(window, "pes");
    Enter(window);
    EXPECT_EQ(Current(window), std::make_pair(1, 2));
    EXPECT_EQ(window.StatusText(1), "Počet záznamů: 2");

    TypeRow(window, "cat", "kočka");
    // A row without field 1 is still completed.
    window.DatGrid1().SetCol(2);
    Type(window, "jen druhý");
    Enter(window);

    EXPECT_EQ(Column(window, 0), QStringList({"1", "2", "3", "4"}));
    EXPECT_EQ(Column(window, 1), QStringList({"dog", "cat", "", ""}));
    EXPECT_EQ(Column(window, 2), QStringList({"pes", "kočka", "jen druhý", ""}));
    EXPECT_EQ(Stored(window, 2, 2), "ko\xE8ka");
    EXPECT_EQ(window.StatusText(1), "Počet záznamů: 4");
    EXPECT_EQ(Current(window), std::make_pair(1, 4));
    EXPECT_FALSE(window.Saved());
}

TEST_F(LessonEditTest, EnterInTheMiddleStoresAllRowsAndAppendsAtTheEnd) {
    TFTest1& window = NumberedLesson(5);
    GoTo(window, 1, 5);
    Type(window, "new");
    Enter(window); // column 2 now; the text stays in the grid only
    GoTo(window, 2, 3);
    Enter(window);

    EXPECT_EQ(window.Dat1().RecordCount(), 6);
    EXPECT_EQ(Stored(window, 1, 5), "new");
    EXPECT_EQ(Stored(window, 1, 6), "");
    EXPECT_EQ(Current(window), std::make_pair(1, 4));
    EXPECT_EQ(window.StatusText(1), "Počet záznamů: 6");
}

// The table's one grid row of a lesson without records gets its record when completed.
TEST_F(LessonEditTest, RowOfALessonWithoutRecordsIsStored) {
    auto& window = OpenLesson<TFTest1>(WriteLesson("prazdna.lq", "lq3 test1", {}, "AJ", "CJ"));
    EXPECT_EQ(window.StatusText(1), "Počet záznamů: 0");
    TypeRow(window, "dog", "pes");
    EXPECT_TRUE(ErrorsShown().empty());
    EXPECT_EQ(window.Dat1().RecordCount(), 2);
    EXPECT_EQ(Stored(window, 1, 1), "dog");
    EXPECT_EQ(Stored(window, 2, 1), "pes");
    EXPECT_EQ(Current(window), std::make_pair(1, 2));
    EXPECT_EQ(window.StatusText(1), "Počet záznamů: 2");
}

TEST_F(LessonEditTest, CompletedRowsAreCutToTheFieldAndRefuseForeignCharacters) {
    TFTest1& window = NewLesson();
    TypeRow(window, QString(120, u'a'), "x");
    EXPECT_EQ(Stored(window, 1, 1), std::string(100, 'a'));
    EXPECT_EQ(window.DatGrid1().Cells(1, 1), QString(100, u'a'));

    TypeRow(window, "中", "x");
    ASSERT_EQ(ErrorsShown().size(), 1u);
    EXPECT_TRUE(ErrorsShown().front().contains("U+4E2D"));
    EXPECT_EQ(window.Dat1().RecordCount(), 2);
    EXPECT_EQ(Stored(window, 1, 2), "");
    EXPECT_EQ(window.DatGrid1().Cells(1, 2), "中");
}

struct GapCase {
    const char* sentence;
    const char* expression;
    const char* result;
    friend void PrintTo(const GapCase& gap, std::ostream* out) {
        *out << gap.expression << " in " << gap.sentence;
    }
};

class GapMarkTest : public LessonEditTest, public ::testing::WithParamInterface<GapCase> {};

TEST_P(GapMarkTest, FirstExactOccurrenceBecomesTheGap) {
    const GapCase& gap = GetParam();
    auto& window = OpenLesson(WriteLesson("veta.lq", "lq4 test2a", {{gap.sentence, "x"}}));
    GoTo(window, 2, 1);
    Type(window, QString::fromUtf8(gap.expression));
    Enter(window);
    EXPECT_EQ(window.DatGrid1().Cells(1, 1), QString::fromUtf8(gap.result));
    EXPECT_EQ(Stored(window, 1, 1), gap.result);
    EXPECT_EQ(Stored(window, 2, 1), gap.expression);
}

INSTANTIATE_TEST_SUITE_P(Sentences, GapMarkTest,
                         ::testing::Values(GapCase{"I have a dog", "a dog", "I have _"},
                                           GapCase{"I have a dog", "Dog", "I have a dog"},
                                           GapCase{"concatenate", "cat", "con_enate"}));

TEST_F(LessonEditTest, EachCompletionOfAFillInRowPutsOneMoreGap) {
    auto& window =
        OpenLesson(WriteLesson("the.lq", "lq4 test2b", {{"the cat and the dog", "the"}}));
    GoTo(window, 2, 1);
    Enter(window);
    EXPECT_EQ(window.DatGrid1().Cells(1, 1), "_ cat and the dog");
    GoTo(window, 2, 1);
    Enter(window);
    EXPECT_EQ(window.DatGrid1().Cells(1, 1), "_ cat and _ dog");
    EXPECT_EQ(window.Dat1().RecordCount(), 3);

    // A question-answer window has no gaps.
    TFTest1& answers = NewLesson();
    TypeRow(answers, "the cat", "the");
    EXPECT_EQ(answers.DatGrid1().Cells(1, 1), "the cat");
}

TEST_F(LessonEditTest, TenseLabelsGoInFrontOfTheCellUntilTheRowIsCompleted) {
    auto& window =
        OpenLesson<TFTest1>(WriteLesson("go.lq", "lq3 test1", {{"go", "went"}}, "AJ", "CJ"));
    GoTo(window, 2, 1);
    window.InsertMark("<Minulý čas:>");
    EXPECT_EQ(window.DatGrid1().Cells(2, 1), "<Minulý čas:> went");
    EXPECT_FALSE(window.Saved());
    window.InsertMark("<Předminulý čas:>");
    EXPECT_EQ(window.DatGrid1().Cells(2, 1), "<Předminulý čas:> <Minulý čas:> went");
    EXPECT_EQ(Stored(window, 2, 1), "went");

    Enter(window);
    EXPECT_EQ(Stored(window, 2, 1), "<P\xF8"
                                    "edminul\xFD \xE8"
                                    "as:> <Minul\xFD \xE8"
                                    "as:> went");
    window.InsertMark("<Příčestí minulé:>");
    EXPECT_EQ(window.DatGrid1().Cells(1, 2), "<Příčestí minulé:> ");
}

// Rows stand for records by number, so the grid follows the table at once and keeps what was
// typed in other rows.
TEST_F(LessonEditTest, DeleteRecordReloadsCountsAndMarksUnsaved) {
    TFTest1& window = NumberedLesson(4);
    GoTo(window, 1, 4);
    window.DeleteRecord();
    EXPECT_FALSE(window.Saved());
    EXPECT_EQ(window.StatusText(1), "Počet záznamů: 3");
    EXPECT_EQ(Current(window), std::make_pair(1, 3));

    GoTo(window, 2, 1);
    Type(window, "typed");
    GoTo(window, 1, 2);
    window.DeleteRecord();
    EXPECT_EQ(Column(window, 0), QStringList({"1", "2"}));
    EXPECT_EQ(Column(window, 1), QStringList({"q1", "q3"}));
    EXPECT_EQ(Column(window, 2), QStringList({"typed", "a3"}));
    EXPECT_EQ(window.Dat1().RecordCount(), 2);
    GoTo(window, 2, 2);
    Enter(window);
    EXPECT_EQ(Stored(window, 1, 2), "q3");

    auto& empty = OpenLesson<TFTest1>(WriteLesson("nic.lq", "lq3 test1", {}, "AJ", "CJ"));
    empty.DeleteRecord();
    EXPECT_EQ(empty.Dat1().RecordCount(), 0);
    EXPECT_TRUE(empty.Saved());
}

// The row left when the last record goes belongs to no record: it shows nothing, and nothing
// deleted comes back with a save.
TEST_F(LessonEditTest, RecordsDeletedDownToNoneStayDeleted) {
    TFTest1& window = NumberedLesson(3);
    for (int deletion = 0; deletion < 3; ++deletion)
        window.DeleteRecord();
    EXPECT_EQ(window.StatusText(1), "Počet záznamů: 0");
    for (int col = 0; col < 3; ++col)
        EXPECT_EQ(Column(window, col), QStringList({""})) << "column " << col;
    ASSERT_TRUE(window.Save());
    EXPECT_EQ(ReadLesson(LessonPath("cisla.lq")), (Content{"lq3 test1", {}}));
}

TEST_F(LessonEditTest, CsvHoldsTheStoredBytesUnescaped) {
    const QString path = WriteLesson("csv.lq", "lq3 test1",
                                     {{"say \"hi\"", "\xF8"
                                                     "ekni; ahoj"},
                                      {"", ""}},
                                     "AJ", "CJ");
    auto& window = OpenLesson<TFTest1>(path);
    GoTo(window, 1, 2);
    Type(window, "not stored");
    const QString csv = LessonPath("lekce.csv");
    window.ExportCsv(csv);
    EXPECT_EQ(FileBytes(csv), QByteArray("\"say \"hi\"\";\"\xF8"
                                         "ekni; ahoj\";\r\n\"\";\"\";\r\n"));
    EXPECT_FALSE(window.Saved());

    auto& fillIn = OpenLesson(WriteLesson("doplnovani.lq", "lq4 test2a", {{"I have _", "a dog"}}));
    fillIn.ExportCsv(csv);
    EXPECT_EQ(FileBytes(csv), QByteArray("\"I have _\";\"a dog\";\r\n"));

    auto& empty = OpenLesson<TFTest1>(WriteLesson("prazdna.lq", "lq3 test1", {}, "AJ", "CJ"));
    empty.ExportCsv(csv);
    EXPECT_EQ(FileBytes(csv), QByteArray());
    EXPECT_THROW(empty.ExportCsv(LessonPath("chybi/lekce.csv")), std::runtime_error);
}

TEST_F(LessonEditTest, RecordNumbersAreCentredOnTheButtonFace) {
    TFTest1& window = NumberedLesson(3);
    TDatGrid& grid = window.DatGrid1();
    const QImage image = grid.grab().toImage();
    const QColor face = window.palette().color(QPalette::Button);
    const QHeaderView& numbers = *grid.verticalHeader();
    const QPoint corner = grid.horizontalHeader()->mapTo(&grid, QPoint(-numbers.width() / 2, 9));
    EXPECT_EQ(image.pixelColor(corner), face);

    const QRect cell(numbers.mapTo(&grid, QPoint(0, numbers.sectionPosition(0))),
                     QSize(numbers.width(), numbers.sectionSize(0)));
    int left = cell.right(), right = cell.left();
    for (int x = cell.left() + 1; x < cell.right(); ++x)
        for (int y = cell.top() + 1; y < cell.bottom(); ++y)
            if (image.pixelColor(x, y) != face) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    ASSERT_LE(left, right) << "no number drawn";
    EXPECT_NEAR((left + right) / 2.0, cell.left() + 17, 2.0);
    EXPECT_EQ(image.pixelColor(cell.left() + 2, cell.top() + 2), face);
}

class ColumnWidthTest : public LessonEditTest {
protected:
    static void SetGridWidth(editor::TLessonWindow& window, int width) {
        window.resize(width, window.height());
        ASSERT_EQ(window.DatGrid1().width(), width);
    }
    static std::pair<int, int> Widths(const editor::TLessonWindow& window) {
        return {window.DatGrid1().ColWidths(1), window.DatGrid1().ColWidths(2)};
    }
    static void Click(editor::TLessonWindow& window) {
        QTest::mouseClick(window.DatGrid1().viewport(), Qt::LeftButton, {}, QPoint(80, 10));
    }
};

TEST_F(ColumnWidthTest, PercentagesShareTheRoomBesideTheNumbers) {
    TFTest1& answers = NewLesson();
    SetGridWidth(answers, 600);
    EXPECT_EQ(Widths(answers), std::make_pair(272, 272));
    EXPECT_EQ(answers.DatGrid1().ColWidths(0), 34);

    auto& fillIn = OpenLesson(WriteLesson("d.lq", "lq4 test2a", {}));
    SetGridWidth(fillIn, 600);
    EXPECT_EQ(Widths(fillIn), std::make_pair(381, 163));
}

TEST_F(ColumnWidthTest, DraggingColumn1StoresBothPercentagesForTheKind) {
    TFTest1& window = NewLesson();
    SetGridWidth(window, 600);
    QHeaderView& headings = *window.DatGrid1().horizontalHeader();
    QTest::mousePress(headings.viewport(), Qt::LeftButton, {}, QPoint(271, 9));
    QTest::mouseMove(headings.viewport(), QPoint(299, 9));
    QTest::mouseRelease(headings.viewport(), Qt::LeftButton, {}, QPoint(299, 9));

    EXPECT_EQ(Widths(window), std::make_pair(300, 244));
    const editor::TSetup& setup = editor::FMain->Setup;
    EXPECT_EQ(std::make_pair(setup.ColSizeTest1_1, setup.ColSizeTest1_2), std::make_pair(55, 45));
    EXPECT_EQ(std::make_pair(setup.ColSizeTest2_1, setup.ColSizeTest2_2), std::make_pair(70, 30));

    // Another window of the kind takes them at its next resize.
    TFTest1& other = NewLesson();
    SetGridWidth(other, 600);
    EXPECT_EQ(Widths(other), std::make_pair(299, 245));
}

TEST_F(ColumnWidthTest, GridsWithoutRoomKeepTheirWidthsAndNoWidthGoesNegative) {
    TFTest1& window = NewLesson();
    SetGridWidth(window, 600);
    window.DatGrid1().resize(40, window.DatGrid1().height());
    Click(window);
    EXPECT_EQ(Widths(window), std::make_pair(272, 272));
    EXPECT_EQ(editor::FMain->Setup.ColSizeTest1_1, 50);

    SetGridWidth(window, 700);
    window.DatGrid1().SetColWidths(1, 800);
    Click(window);
    EXPECT_EQ(Widths(window), std::make_pair(800, 0));
    EXPECT_EQ(editor::FMain->Setup.ColSizeTest1_2, 0);
    EXPECT_TRUE(ErrorsShown().empty());
}

} // namespace
