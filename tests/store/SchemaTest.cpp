#include "Dat.h"
#include "TempDir.h"

#include <chrono>
#include <climits>
#include <thread>

namespace {

using SchemaTest = StoreTest;

void Pause() {
    std::this_thread::sleep_for(std::chrono::milliseconds(5)); // so a new stamp differs
}

TEST_F(SchemaTest, AddingAFieldWidensEveryRecordInPlace) {
    MakeTable(path, {{"s", dtString, 6}, {"i", dtInteger, 0}}, 3);
    auto table = OpenTable(path);
    for (int r = 1; r <= 3; ++r) {
        table->WriteString("s", r, "r" + std::to_string(r));
        table->WriteInteger("i", r, r * 11);
    }
    // Each gap first holds bytes of the following record, so only a written default reads as one.
    table->AddField("b", dtBoolean, 0);
    table->AddField("n", dtInteger, 0);
    table->AddField("f", dtFloat, 0);
    table->AddField("t", dtString, 4);
    const std::string bytes = ReadBytes(path);
    const int32_t recordSize = 8 + 4 + 1 + 4 + 8 + 6, first = 128 + 28 * 6;
    EXPECT_EQ(ValueAt<int32_t>(bytes, 88), recordSize);
    for (int r = 1; r <= 3; ++r) {
        EXPECT_EQ(bytes.substr(first + (r - 1) * recordSize, 4),
                  "\x02" + std::string(1, '\0') + "r" + char('0' + r));
        EXPECT_EQ(table->ReadInteger("i", r), r * 11);
        EXPECT_EQ(table->ReadBoolean("b", r) + table->ReadInteger("n", r), 0);
        EXPECT_EQ(table->ReadFloat("f", r), 0.0);
        EXPECT_EQ(table->ReadString("t", r), "");
    }
    // The last default written is an empty string's length, and the file ends there.
    EXPECT_EQ(bytes.size(), size_t(first + 3 * recordSize - 4));
}

TEST_F(SchemaTest, FieldsBeyondTheLimitsAreRefusedBeforeAnyChange) {
    MakeLesson(path, {{"dog", "pes"}});
    auto table = OpenTable(path);
    const std::string before = ReadBytes(path);
    EXPECT_EQ(ErrorOf([&] { table->AddField("AJ", dtString, 10); }), "Field jiz existuje");
    EXPECT_THROW(table->AddField(std::string(21, 'n'), dtString, 10), std::runtime_error);
    for (int32_t size : {-1, MaxStringSize + 1, INT32_MIN})
        EXPECT_THROW(table->AddField("new", dtString, size), std::runtime_error) << size;
    table->SetActive(false);
    EXPECT_EQ(ErrorOf([&] { table->AddField("new", dtString, 10); }), "Database is not active");
    EXPECT_EQ(ReadBytes(path), before);
    // Up to the limits, fields are taken, and the file so made is trusted again.
    table->SetActive(true);
    table->AddField(std::string(20, 'n'), dtString, 0);
    table->AddField("big", dtString, MaxStringSize);
    table->AddField("odd", 5, -1);
    table->SetActive(false);
    table->SetActive(true);
    EXPECT_EQ(table->FieldName(3), std::string(20, 'n'));
    table->WriteString("big", 1, std::string(70000, 'q'));
    EXPECT_EQ(table->ReadString("big", 1), std::string(65533, 'q'));
    EXPECT_EQ(table->FieldPosition("odd", 1), 128 + 28 * 5 + 204 + 2 + 65535);

    table->SetActive(false);
    MakeTable(path, {});
    table->SetActive(true);
    for (int k = 1; k <= MaxFieldCount; ++k)
        table->AddField("f" + std::to_string(k), dtBoolean, 0);
    const std::string full = ReadBytes(path);
    EXPECT_THROW(table->AddField("f256", dtBoolean, 0), std::runtime_error);
    EXPECT_EQ(ReadBytes(path), full);
}

TEST_F(SchemaTest, FieldsAreFoundByExactNameAndNumber) {
    MakeTable(path, {{"aj", dtString, 10}, {"AJ", dtInteger, 7}}, 1);
    auto table = OpenTable(path);
    table->WriteString("aj", 1, "lower");
    table->WriteInteger("AJ", 1, 42);
    EXPECT_EQ(table->ReadString("aj", 1), "lower");
    EXPECT_FALSE(table->FieldExists("Aj"));
    EXPECT_EQ(ErrorOf([&] { table->FieldName(0); }), "Field [0] not exists");
    // Closed, the descriptors of the last file still answer, but existence needs the file.
    table->SetActive(false);
    EXPECT_EQ(table->FieldIndex("AJ"), 2);
    EXPECT_EQ(table->FieldIndex("Aj"), 0);
    EXPECT_EQ(table->FieldName(2), "AJ");
    EXPECT_EQ(table->GetFieldType(2), dtInteger);
    EXPECT_EQ(ErrorOf([&] { table->FieldName(3); }), "Field [3] not exists");
    EXPECT_EQ(ErrorOf([&] { table->GetFieldType(0); }), "Field [0] not exists");
    EXPECT_EQ(ErrorOf([&] { table->GetFieldType(3); }), "Field [3] not exists");
    EXPECT_EQ(ErrorOf([&] { table->FieldExists("aj"); }), "Database is not active");
}

TEST_F(SchemaTest, ValuePositionsFollowTheRecordLayout) {
    MakeTable(path, LessonFields, 2);
    auto table = OpenTable(path);
    EXPECT_EQ(table->FieldPosition("AJ", 1), 184);
    EXPECT_EQ(table->FieldPosition("CJ", 2), 184 + 204 + 102);
    for (const auto& [name, recNo] : {std::pair{"AJ", 0}, {"AJ", -1}, {"AJ", 3}, {"XX", 1}})
        EXPECT_EQ(ErrorOf([&] { table->FieldPosition(name, recNo); }),
                  "Chyba pri hledani pozice dat. Field nebo veta neexistuje.");
    table->SetActive(false);
    EXPECT_EQ(ErrorOf([&] { table->FieldPosition("XX", 0); }), "Database is not active");
    EXPECT_EQ(TDat::TypeSize(dtString, 40), 42);
    EXPECT_EQ(TDat::TypeSize(dtString, 65534), 0);
    EXPECT_EQ(TDat::TypeSize(5, 40), 255);
}

TEST_F(SchemaTest, AppendedRecordGetsDefaultsOverLeftoverBytes) {
    MakeTable(path, {});
    const std::string empty = ReadBytes(path);
    OpenTable(path)->AppendRecord(); // without fields: nothing at all
    EXPECT_EQ(ReadBytes(path), empty);
    MakeTable(path,
              {{"b", dtBoolean, 0}, {"i", dtInteger, 0}, {"f", dtFloat, 0}, {"s", dtString, 6}}, 2);
    auto table = OpenTable(path);
    table->WriteBoolean("b", 2, 1);
    table->WriteInteger("i", 2, -7);
    table->WriteFloat("f", 2, 2.5);
    table->WriteString("s", 2, "abc");
    table->DeleteRecord(2); // leaves its 18 written bytes behind the table
    const std::string before = ReadBytes(path);
    Pause();
    table->AppendRecord();
    EXPECT_EQ(table->ReadBoolean("b", 2) + table->ReadInteger("i", 2), 0);
    EXPECT_EQ(table->ReadFloat("f", 2), 0.0);
    EXPECT_EQ(table->ReadString("s", 2), "");
    const std::string after = ReadBytes(path);
    EXPECT_EQ(after.substr(after.size() - 18), before.substr(before.size() - 18));
    EXPECT_GT(ValueAt<double>(after, 64), ValueAt<double>(before, 64));
}

// Such fields get no default value, so nothing would otherwise reach the records' area.
TEST_F(SchemaTest, RecordsOfUnknownTypeFieldsStayOpenable) {
    MakeTable(path, {{"x", 5, 0}}, 2);
    auto table = OpenTable(path);
    EXPECT_EQ(table->RecordCount(), 2);
    EXPECT_EQ(ReadBytes(path).size(), size_t(128 + 28 + 255));
    table->AddField("y", 5, 0);
    table->SetActive(false);
    table->SetActive(true);
    EXPECT_EQ(table->RecordCount(), 2);
    EXPECT_EQ(ReadBytes(path).size(), size_t(128 + 56 + 510));
}

TEST_F(SchemaTest, DeletingARecordMovesTheLaterOnesDown) {
    for (int doomed : {1, 2}) {
        MakeLesson(path, {{"a1", "c1"}, {"a2", "c2"}, {"a3", "c3"}});
        auto table = OpenTable(path);
        const std::string before = ReadBytes(path);
        Pause();
        table->DeleteRecord(doomed);
        const std::string after = ReadBytes(path);
        EXPECT_EQ(after.size(), before.size() - 204);
        EXPECT_EQ(after.substr(56, 16), before.substr(56, 16)); // no change stamp
        const std::string kept[] = {doomed == 1 ? "2" : "1", "3"};
        for (int r = 1; r <= 2; ++r)
            EXPECT_EQ(table->ReadString("AJ", r) + table->ReadString("CJ", r),
                      "a" + kept[r - 1] + "c" + kept[r - 1]);
    }
}

// The bytes behind a gap move in 64 KiB chunks; this lesson takes three of them.
TEST_F(SchemaTest, LargeLessonKeepsItsValuesThroughDeletionsAtTheStartAndANewField) {
    std::vector<std::pair<std::string, std::string>> rows;
    for (int r = 1; r <= 700; ++r)
        rows.emplace_back("a" + std::to_string(r), "c" + std::to_string(r));
    MakeLesson(path, rows);
    auto table = OpenTable(path);
    table->DeleteRecord(1);
    table->DeleteRecord(1);
    table->AddField("n", dtInteger, 0);
    table->SetActive(false);
    table->SetActive(true);
    ASSERT_EQ(table->RecordCount(), 698);
    for (int r = 1; r <= 698; ++r)
        ASSERT_EQ(table->ReadString("AJ", r) + table->ReadString("CJ", r) +
                      std::to_string(table->ReadInteger("n", r)),
                  rows[r + 1].first + rows[r + 1].second + "0")
            << r;
}

TEST_F(SchemaTest, DeletingTheLastRecordChangesOnlyTheCount) {
    MakeLesson(path, {{"a1", "c1"}, {"a2", "c2"}});
    auto table = OpenTable(path);
    const std::string before = ReadBytes(path);
    for (int32_t recNo : {0, -1, INT32_MIN, 3})
        EXPECT_NO_THROW(table->DeleteRecord(recNo)) << recNo;
    EXPECT_EQ(ReadBytes(path), before);
    Pause();
    table->DeleteRecord(2);
    std::string after = ReadBytes(path);
    EXPECT_EQ(ValueAt<int32_t>(after, 84), 1);
    EXPECT_EQ(after.replace(84, 4, before.substr(84, 4)), before);
}

} // namespace
