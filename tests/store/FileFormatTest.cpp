#include "Dat.h"
#include "TempDir.h"

#include <chrono>
#include <ctime>
#include <thread>

namespace {

using FileFormatTest = StoreTest;

// Now in the files' day count: days since 30 December 1899, local time.
double LocalDayCountNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return 25569.0 + double(now + local.tm_gmtoff) / 86400.0;
}

std::string Descriptor(const NewField& field) {
    std::string bytes = char(field.type) + std::string(1, char(field.name.size())) + field.name;
    return bytes + std::string(24 - bytes.size(), '\0') + BytesOf(field.size);
}

TEST_F(FileFormatTest, NewFileHoldsExactlyTheEmptyHeader) {
    TDat table;
    int calls = 0;
    table.AfterActive = [&](TDat&) { ++calls; };
    table.SetFileName(path);
    table.SetActive(true);
    EXPECT_EQ(calls, 0);
    EXPECT_EQ(MarkerOf(table), "");
    const std::string bytes = ReadBytes(path);
    ASSERT_EQ(bytes.size(), 128u);
    EXPECT_EQ(bytes, std::string("D0A\0Database by Zarnek & Quilby  \0", 34) +
                         std::string(19, ' ') + std::string(3, '\0') + bytes.substr(56, 16) +
                         std::string(10, ' ') + std::string(46, '\0'));
    EXPECT_NEAR(ValueAt<double>(bytes, 56), LocalDayCountNow(), 0.01);
    EXPECT_NEAR(ValueAt<double>(bytes, 64), LocalDayCountNow(), 0.01);
}

TEST_F(FileFormatTest, LessonTablesHaveTheirFixedLayout) {
    const struct {
        NewField first, second;
        int32_t recordSize, secondValueAt;
    } lessons[] = {{{"AJ", dtString, 100}, {"CJ", dtString, 100}, 204, 286},
                   {{"veta", dtString, 200}, {"vyraz", dtString, 40}, 244, 386}};
    for (const auto& [first, second, recordSize, secondValueAt] : lessons) {
        MakeTable(path, {first, second});
        std::string bytes = ReadBytes(path);
        EXPECT_EQ(bytes.substr(82, 10), "\x02" + std::string(5, '\0') + BytesOf(recordSize));
        EXPECT_EQ(bytes.substr(128), Descriptor(first) + Descriptor(second));
        auto table = OpenTable(path);
        table->AppendRecord();
        bytes = ReadBytes(path);
        EXPECT_EQ(ValueAt<int32_t>(bytes, 84), 1);
        // Only the two empty lengths are written, so the file ends with the second one.
        EXPECT_EQ(bytes.size(), size_t(secondValueAt + 2));
        EXPECT_EQ(ValueAt<uint16_t>(bytes, 184) + ValueAt<uint16_t>(bytes, secondValueAt), 0);
        EXPECT_EQ(table->ReadString(second.name, 1), "");
    }
}

TEST_F(FileFormatTest, MarkerIsTenCharactersPaddedWithSpaces) {
    MakeTable(path, {});
    PatchBytes(path, 4, "Another writer");
    PatchBytes(path, 92, std::string(36, 'Z'));
    const std::string created = ReadBytes(path);
    auto table = OpenTable(path);
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    const struct {
        std::string set, stored, read;
    } cases[] = {{"lq4 test2a", "lq4 test2a", "lq4 test2a"},
                 {"lq3 test1", "lq3 test1 ", "lq3 test1"},
                 {"abcdefghijkl", "abcdefghij", "abcdefghij"},
                 {" a b", " a b      ", " a b"},
                 {"", "          ", ""}};
    for (const auto& [set, stored, read] : cases) {
        table->SetDataType(set);
        EXPECT_EQ(ReadBytes(path).substr(72, 10), stored);
        EXPECT_EQ(MarkerOf(*table), read);
    }
    // Each header write stamps the change and gives back the bytes it does not own as read.
    const std::string bytes = ReadBytes(path);
    EXPECT_EQ(bytes.substr(0, 64), created.substr(0, 64));
    EXPECT_GT(ValueAt<double>(bytes, 64), ValueAt<double>(created, 64));
    EXPECT_EQ(bytes.substr(82), created.substr(82));

    // Closed, the marker is neither written nor handed out; only spaces are trimmed.
    table->SetActive(false);
    PatchBytes(path, 72, std::string("a\tb \0\0    ", 10));
    table->SetDataType("other");
    EXPECT_EQ(MarkerOf(*table), "-");
    table->SetActive(true);
    EXPECT_EQ(MarkerOf(*table), std::string("a\tb \0\0", 6));
}

} // namespace
