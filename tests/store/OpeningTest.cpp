#include "Dat.h"
#include "TempDir.h"

#include <filesystem>
#include <functional>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

using OpeningTest = StoreTest;

// 0 when a fresh table is turned away from `path` as a file held elsewhere.
int RefusedAsHeld(const std::string& path) {
    TDat table;
    table.SetFileName(path);
    if (table.IsCompatibleFile(path))
        return 1;
    if (ErrorOf([&] { table.SetActive(true); }) != "File is not compatible")
        return 2;
    return table.Active() ? 3 : 0;
}

bool IsFree(const std::string& path) {
    return TDat().IsCompatibleFile(path);
}

TEST_F(OpeningTest, MissingFileIsCreatedOnlyWhenAllowed) {
    TDat table;
    table.SetCreateFile(false);
    table.SetFileName(path);
    EXPECT_NO_THROW(table.SetActive(true));
    EXPECT_FALSE(table.Active() || fs::exists(path));
    // A folder is no table file: it counts as missing, and creating over it fails.
    table.SetCreateFile(true);
    for (const std::string& name : {dir.Path(), dir.File("missing/new.dat")}) {
        table.SetFileName(fs::relative(name).string());
        const std::string error = ErrorOf([&] { table.SetActive(true); });
        EXPECT_EQ(error.rfind("Cannot create file \"" + name + "\". ", 0), 0u) << error;
        EXPECT_FALSE(table.Active());
    }
}

TEST_F(OpeningTest, AssigningTheFileNameReopensAsTheSettingsSay) {
    const std::string a = dir.File("a.dat"), b = dir.File("b.dat");
    MakeTable(a, {});
    OpenTable(a)->SetDataType("A");
    MakeTable(b, {});
    OpenTable(b)->SetDataType("B");
    // Which file is open afterwards ("-" for none), and how often AfterActive ran.
    const struct {
        bool autoActive, active, sameName;
        std::string marker;
        int calls;
    } cases[] = {{true, false, false, "B", 1},  {true, true, false, "B", 1},
                 {true, false, true, "A", 1},   {true, true, true, "A", 0},
                 {false, true, false, "B", 1},  {false, true, true, "A", 1},
                 {false, false, false, "-", 0}, {false, false, true, "-", 0}};
    for (const auto& [autoActive, active, sameName, marker, calls] : cases) {
        SCOPED_TRACE(testing::Message() << autoActive << active << sameName);
        TDat table;
        table.SetFileName(a);
        table.SetActive(active);
        int called = 0;
        table.AfterActive = [&](TDat&) { ++called; };
        table.SetAutoActive(autoActive);
        table.SetFileName(sameName ? a : b);
        EXPECT_EQ(table.FileName(), sameName ? a : b);
        EXPECT_EQ(table.Active(), marker != "-");
        EXPECT_EQ(MarkerOf(table), marker);
        EXPECT_EQ(called, calls);
        EXPECT_EQ(IsFree(a), marker != "A");
    }
}

TEST_F(OpeningTest, CompatibilityIsTheMagicOfAFileNobodyHolds) {
    WriteBytes(dir.File("empty"), "");
    WriteBytes(dir.File("short"), "D0A");
    WriteBytes(dir.File("nonzero"), "D0A\x01" + std::string(124, '\0'));
    for (const std::string& name : {dir.File("missing"), dir.File("empty"), dir.File("short"),
                                    dir.File("nonzero"), dir.Path(), std::string()})
        EXPECT_FALSE(IsFree(name)) << name;
    fs::create_directory(dir.File("sub"));
    auto table = OpenTable(path);
    EXPECT_TRUE(table->IsCompatibleFile(path));
    // Names are compared as strings: another spelling is opened like any other file.
    for (const std::string& other :
         {dir.File("./table.dat"), dir.File("sub/../table.dat"), fs::relative(path).string()})
        EXPECT_FALSE(table->IsCompatibleFile(other)) << other;
    table->SetActive(false);
    EXPECT_TRUE(table->IsCompatibleFile(path));
    EXPECT_TRUE(IsFree(path)); // the test open was let go
}

TEST_F(OpeningTest, ActiveTableHoldsItsFileAgainstOtherTablesAndProcesses) {
    auto holder = OpenTable(path); // a new file is held from its creation on
    EXPECT_EQ(RefusedAsHeld(path), 0);
    const pid_t child = fork();
    if (child == 0) {
        try { // nothing may escape into this copy of the test runner
            _exit(RefusedAsHeld(path));
        } catch (...) {
            _exit(99);
        }
    }
    int status = -1;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    holder.reset();
    EXPECT_TRUE(IsFree(path));
}

TEST_F(OpeningTest, ClosedTableShowsTheLastFileUntilTheNextOpenOrCreate) {
    EXPECT_NO_THROW(TDat().CloseFile());
    MakeTable(path, LessonFields, 3);
    TDat table;
    int calls = 0, fieldsSeen = -1;
    table.AfterActive = [&](TDat& sender) {
        ++calls;
        fieldsSeen = sender.FieldCount();
    };
    table.SetFileName(path);
    table.SetActive(true);
    table.SetActive(true);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(fieldsSeen, 2);
    table.CloseFile();
    table.CloseFile();
    EXPECT_EQ(table.RecordCount(), 3);
    EXPECT_EQ(table.FieldName(2), "CJ");
    // A create resets the header image and the descriptors, even when it then fails.
    table.SetFileName(dir.File("missing/new.dat"));
    EXPECT_THROW(table.SetActive(true), std::runtime_error);
    EXPECT_EQ(table.RecordCount(), 0);
    EXPECT_EQ(table.FieldCount(), 0);
    EXPECT_EQ(ErrorOf([&] { table.FieldName(1); }), "Field [1] not exists");
}

TEST_F(OpeningTest, ReadOnlyTableReadsButNeverChangesOrCreates) {
    TDat table;
    EXPECT_FALSE(table.ReadOnly());
    table.SetReadOnly(true);
    table.SetFileName(path);
    EXPECT_NO_THROW(table.SetActive(true));
    EXPECT_FALSE(table.Active() || fs::exists(path));

    MakeTable(path, {{"s", dtString, 10}, {"i", dtInteger, 0}, {"f", dtFloat, 0}, {"b", 0, 0}}, 2);
    OpenTable(path)->WriteString("s", 2, "kept");
    const std::string before = ReadBytes(path);
    table.SetActive(true);
    EXPECT_EQ(table.ReadString("s", 2), "kept");
    EXPECT_EQ(RefusedAsHeld(path), 0);
    const std::function<void()> changes[] = {
        [&] { table.WriteBoolean("b", 1, 1); }, [&] { table.WriteInteger("i", 1, 5); },
        [&] { table.WriteFloat("f", 1, 2.5); }, [&] { table.WriteString("s", 1, "x"); },
        [&] { table.SetDataType("other"); },    [&] { table.AddField("n", dtInteger, 0); },
        [&] { table.AppendRecord(); },          [&] { table.DeleteRecord(1); }};
    for (const auto& change : changes) {
        table.SetActive(true);
        EXPECT_THROW(change(), std::runtime_error);
        EXPECT_EQ(ReadBytes(path), before);
    }
}

} // namespace
