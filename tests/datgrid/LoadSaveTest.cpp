#include "GridTest.h"

namespace {

using LoadSaveTest = GridTest;

void FillGrid(TDatGrid& grid, const QString& text) {
    for (int col = 0; col < grid.ColCount(); ++col)
        for (int row = 0; row < grid.RowCount(); ++row)
            grid.SetCells(col, row, text);
}

TEST_F(LoadSaveTest, WithoutAnActiveTableTheGridIsClearedAndNothingSaved) {
    grid.SetColCount(4);
    grid.SetRowCount(5);
    FillGrid(grid, "x");
    grid.LoadFromDat();
    EXPECT_EQ(grid.ColCount(), 2);
    EXPECT_EQ(grid.RowCount(), 2);
    for (int col = 0; col < 2; ++col)
        for (int row = 0; row < 2; ++row)
            EXPECT_EQ(grid.Cells(col, row), "");

    OpenTable(LessonFields, 1);
    dat.CloseFile();
    grid.SetCells(1, 1, "x");
    grid.SetDat(&dat);
    EXPECT_EQ(grid.Cells(1, 1), "");
    const std::string before = FileBytes();
    grid.SaveToDat();
    EXPECT_EQ(FileBytes(), before);
}

TEST_F(LoadSaveTest, TablesWithoutRecordsOrFieldsKeepTheOneRowAndSaveNothing) {
    OpenTable(LessonFields, 0);
    FillGrid(grid, "stare");
    grid.SetDat(&dat);
    EXPECT_EQ(grid.RowCount(), 2);
    EXPECT_EQ(grid.ColCount(), 3);
    EXPECT_EQ(grid.Cells(0, 1), "stare");
    EXPECT_EQ(grid.Cells(1, 1), "stare");
    EXPECT_EQ(grid.Cells(1, 0), "AJ");

    dat.SetFileName(dir.filePath("prazdna.dat").toStdString());
    grid.LoadFromDat();
    EXPECT_EQ(grid.ColCount(), 2);
    grid.SaveToDat();
    EXPECT_EQ(dat.RecordCount(), 0);
}

TEST_F(LoadSaveTest, ColumnsFollowFieldsByPosition) {
    OpenTable(LessonFields, 3);
    for (int32_t record = 1; record <= 3; ++record)
        dat.WriteString("CJ", record, "cs" + std::to_string(record));
    grid.SetDat(&dat);
    EXPECT_EQ(grid.Cells(1, 0), "AJ");
    EXPECT_EQ(grid.Cells(2, 0), "CJ");
    EXPECT_EQ(grid.Cells(0, 3), "3");
    EXPECT_EQ(grid.Cells(2, 2), "cs2");

    // The owner's headings stay; a name the table lacks leaves its column as it was, yet saving
    // still writes that column into the field at its place.
    grid.SetFields({"AJ", "jine"});
    grid.SetCells(1, 0, "Cizí výraz");
    grid.SetCells(2, 3, "ponechano");
    grid.LoadFromDat();
    EXPECT_EQ(grid.Cells(1, 0), "Cizí výraz");
    EXPECT_EQ(grid.Cells(2, 2), "cs2");
    EXPECT_EQ(grid.Cells(2, 3), "ponechano");
    grid.SaveToDat();
    EXPECT_EQ(dat.ReadString("CJ", 3), "ponechano");

    grid.Fields().append("treti");
    const std::string before = FileBytes();
    EXPECT_EQ(ErrorOf([&] { grid.SaveToDat(); }), "Field [3] not exists");
    EXPECT_EQ(FileBytes(), before);

    // A name is never looked up for its place: "CJ" as the only entry stands for the first field.
    dat.WriteString("AJ", 2, "en2");
    grid.SetFields({"CJ"});
    grid.LoadFromDat();
    EXPECT_EQ(grid.Cells(1, 2), "en2");
    grid.SetCells(1, 3, "zapsano");
    grid.SaveToDat();
    EXPECT_EQ(dat.ReadString("AJ", 3), "zapsano");
    EXPECT_EQ(dat.ReadString("CJ", 3), "ponechano");
}

TEST_F(LoadSaveTest, AllFourTypesRoundTripThroughTheFile) {
    OpenTable({{"b", dtBoolean, 0}, {"i", dtInteger, 0}, {"f", dtFloat, 0}, {"s", dtString, 20}},
              2);
    grid.SetDat(&dat);
    const QStringList first = {"255", "-2147483648", "3.25", "žluťoučký kůň"};
    const QStringList second = {"0", "2147483647", "-1e-07", ""};
    for (int col = 1; col <= 4; ++col) {
        grid.SetCells(col, 1, first[col - 1]);
        grid.SetCells(col, 2, second[col - 1]);
    }
    grid.SaveToDat();
    EXPECT_EQ(dat.ReadBoolean("b", 1), 255);
    EXPECT_EQ(dat.ReadInteger("i", 1), INT32_MIN);
    EXPECT_EQ(dat.ReadFloat("f", 2), -1e-7);
    EXPECT_EQ(dat.ReadString("s", 1), "\x9elu\x9dou\xe8k\xfd k\xf9\xf2");

    dat.CloseFile();
    TDat reopened;
    reopened.SetFileName(path);
    reopened.SetActive(true);
    TDatGrid other;
    other.SetDat(&reopened);
    for (int col = 1; col <= 4; ++col) {
        EXPECT_EQ(other.Cells(col, 1), first[col - 1]);
        EXPECT_EQ(other.Cells(col, 2), second[col - 1]);
    }
}

TEST_F(LoadSaveTest, FloatsUseTheLocalesDecimalSeparator) {
    OpenTable({{"f", dtFloat, 0}}, 1);
    QLocale::setDefault(QLocale(QLocale::Czech, QLocale::Czechia));
    grid.SetDat(&dat);
    grid.SetCells(1, 1, "12345,5");
    grid.SaveToDat();
    grid.LoadFromDat();
    const QString shown = grid.Cells(1, 1);
    grid.SetCells(1, 1, "1.5");
    const std::string refused = ErrorOf([&] { grid.SaveToDat(); });
    QLocale::setDefault(QLocale::c());
    EXPECT_EQ(dat.ReadFloat("f", 1), 12345.5);
    EXPECT_EQ(shown, "12345,5");
    EXPECT_EQ(refused, "'1.5' is not a valid floating point value");
}

TEST_F(LoadSaveTest, BooleansKeepTheLowEightBits) {
    OpenTable({{"b", dtBoolean, 0}}, 3);
    grid.SetDat(&dat);
    grid.SetCells(1, 1, "256");
    grid.SetCells(1, 2, "-1");
    grid.SetCells(1, 3, "7");
    grid.SaveToDat();
    EXPECT_EQ(dat.ReadBoolean("b", 1), 0);
    EXPECT_EQ(dat.ReadBoolean("b", 2), 255);
    EXPECT_EQ(dat.ReadBoolean("b", 3), 7);
}

TEST_F(LoadSaveTest, CellsThatDoNotConvertStopTheSaveBeforeAnyWrite) {
    OpenTable({{"s", dtString, 10}, {"i", dtInteger, 0}, {"f", dtFloat, 0}}, 2);
    grid.SetDat(&dat);
    grid.SetCells(1, 1, "zmeneno");
    grid.SetCells(3, 1, "1.5");
    grid.SetCells(3, 2, "2");
    const std::string before = FileBytes();

    grid.SetCells(2, 2, "");
    EXPECT_EQ(ErrorOf([&] { grid.SaveToDat(); }), "'' is not a valid integer value");
    grid.SetCells(2, 2, "12a");
    EXPECT_EQ(ErrorOf([&] { grid.SaveToDat(); }), "'12a' is not a valid integer value");
    grid.SetCells(2, 2, "5");
    grid.SetCells(3, 2, "dva");
    EXPECT_EQ(ErrorOf([&] { grid.SaveToDat(); }), "'dva' is not a valid floating point value");
    EXPECT_EQ(FileBytes(), before);
}

TEST_F(LoadSaveTest, CharacterOutsideTheCodePageIsRefusedWithNothingWritten) {
    OpenTable(LessonFields, 2);
    grid.SetDat(&dat);
    grid.SetCells(1, 1, "pes");
    grid.SetCells(2, 2, "kočka 😀");
    const std::string before = FileBytes();
    EXPECT_EQ(ErrorOf([&] { grid.SaveToDat(); }), "Znak „😀“ (U+1F600) nelze v lekci uložit.");
    EXPECT_EQ(FileBytes(), before);
}

TEST_F(LoadSaveTest, LongTextIsCutAndTextOutsideTheRecordsIsNotSaved) {
    OpenTable({{"AJ", dtString, 5}}, 1);
    grid.SetDat(&dat);
    grid.SetRowCount(3);
    grid.SetColCount(3);
    grid.SetCells(1, 1, "abcdefgh");
    grid.SetCells(1, 2, "pod poslednim");
    grid.SetCells(2, 1, "vedle");
    grid.SaveToDat();
    grid.LoadFromDat();
    EXPECT_EQ(grid.Cells(1, 1), "abcde");
    EXPECT_EQ(grid.RowCount(), 2);
    EXPECT_EQ(grid.ColCount(), 2);
    EXPECT_EQ(dat.RecordCount(), 1);
    EXPECT_EQ(FileBytes().find("pod"), std::string::npos);
}

} // namespace
