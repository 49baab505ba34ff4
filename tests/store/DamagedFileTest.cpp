#include "Dat.h"
#include "TempDir.h"

namespace {

// A two-record lesson that ends right after "kocka", at 490 + 2 + 5.
class DamagedFileTest : public StoreTest {
protected:
    void SetUp() override {
        MakeLesson(path, {{"dog", "pes"}, {"cat", "kocka"}});
        good = ReadBytes(path);
        ASSERT_EQ(good.size(), 497u);
    }
    std::string good;
};

void ExpectAllValues(TDat& table) {
    EXPECT_EQ(table.RecordCount(), 2);
    EXPECT_EQ(table.ReadString("AJ", 1) + table.ReadString("CJ", 1), "dogpes");
    EXPECT_EQ(table.ReadString("AJ", 2) + table.ReadString("CJ", 2), "catkocka");
}

std::string Patched(std::string bytes, size_t offset, const std::string& patch) {
    return bytes.replace(offset, patch.size(), patch);
}

TEST_F(DamagedFileTest, HeaderThatCannotBeTrustedIsRefused) {
    // Each damage keeps the rest of the header consistent, so that it alone can be the cause.
    const std::string cases[] = {
        good.substr(0, 82),         // the header cut before its counts
        good.substr(0, 128),        // without its descriptors
        good.substr(0, 183),        // the second descriptor cut short
        Patched(good, 129, "\x15"), // a name of 21 characters
        // String sizes outside 0 to 65533, with record sizes to match their slots.
        Patched(Patched(good, 152, BytesOf<int32_t>(65534)), 88, BytesOf<int32_t>(102)),
        Patched(Patched(good, 180, BytesOf<int32_t>(-1)), 88, BytesOf<int32_t>(103)),
        Patched(good, 88, BytesOf<int32_t>(203)), // the slots take 204
        Patched(good, 88, BytesOf<int32_t>(205)), Patched(good, 84, BytesOf<int32_t>(-1)),
        Patched(good, 84, BytesOf<int32_t>(3)), // the third record would start at 592
    };
    TDat table;
    table.SetFileName(path);
    for (const std::string& bytes : cases) {
        SCOPED_TRACE(&bytes - cases);
        WriteBytes(path, bytes);
        EXPECT_EQ(ErrorOf([&] { table.SetActive(true); }), "File is not compatible");
        EXPECT_FALSE(table.Active());
        EXPECT_EQ(ReadBytes(path), bytes);
        // Nothing of the refused attempt may hold the file or linger in the table.
        WriteBytes(path, good);
        table.SetActive(true);
        ExpectAllValues(table);
        table.SetActive(false);
    }
}

TEST_F(DamagedFileTest, BytesAfterTheLastRecordAreNotPartOfTheTable) {
    const std::string tail(400, 'Z');
    WriteBytes(path, good + tail);
    auto table = OpenTable(path);
    ExpectAllValues(*table);
    table->AppendRecord();
    EXPECT_EQ(table->ReadString("AJ", 3) + table->ReadString("CJ", 3), "");
    EXPECT_EQ(ReadBytes(path).substr(good.size() + 204), tail);
}

TEST_F(DamagedFileTest, StringRunningPastTheEndReadsEmptyAndClosesTheTable) {
    WriteBytes(path, Patched(good, 490, BytesOf<uint16_t>(90)));
    auto table = OpenTable(path);
    EXPECT_EQ(table->ReadString("AJ", 2), "cat");
    EXPECT_EQ(table->ReadString("CJ", 2), "");
    EXPECT_FALSE(table->Active());
    EXPECT_EQ(ErrorOf([&] { table->ReadString("AJ", 1); }), "Error, database is not active");
}

TEST_F(DamagedFileTest, StoredLengthBeyondTheFieldSizeReadsNoFurtherThanTheSlot) {
    // Every length says 65535 in fields of size 0: read on, each 4-byte record gave 128 KiB.
    MakeTable(path, {{"AJ", dtString, 0}, {"CJ", dtString, 0}}, 1000);
    WriteBytes(path, ReadBytes(path).substr(0, 184) + std::string(4000, '\xff'));
    auto table = OpenTable(path);
    for (int32_t r = 1; r <= 1000; ++r)
        ASSERT_EQ(table->ReadString("AJ", r) + table->ReadString("CJ", r), "") << r;
    EXPECT_TRUE(table->Active());
}

} // namespace
