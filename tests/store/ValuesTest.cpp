#include "Dat.h"
#include "TempDir.h"

#include <cctype>
#include <chrono>
#include <climits>
#include <functional>
#include <iterator>
#include <thread>
#include <tuple>

namespace {

// Records start at 240: Text (8 characters) takes 10 bytes, then Count 4, Weight 8, Done 1.
class ValuesTest : public StoreTest {
protected:
    void SetUp() override {
        MakeTable(path,
                  {{"Text", dtString, 8},
                   {"Count", dtInteger, 0},
                   {"Weight", dtFloat, 0},
                   {"Done", dtBoolean, 0}},
                  2);
        table = OpenTable(path);
    }
    std::unique_ptr<TDat> table;
};

// Each type's reader, then its writer.
using Access = std::function<void(TDat&, const std::string&, int32_t)>;
const std::pair<std::string, Access> Accessors[] = {
    {"Done", [](TDat& t, const std::string& f, int32_t r) { t.ReadBoolean(f, r); }},
    {"Done", [](TDat& t, const std::string& f, int32_t r) { t.WriteBoolean(f, r, 1); }},
    {"Count", [](TDat& t, const std::string& f, int32_t r) { t.ReadInteger(f, r); }},
    {"Count", [](TDat& t, const std::string& f, int32_t r) { t.WriteInteger(f, r, 1); }},
    {"Weight", [](TDat& t, const std::string& f, int32_t r) { t.ReadFloat(f, r); }},
    {"Weight", [](TDat& t, const std::string& f, int32_t r) { t.WriteFloat(f, r, 1); }},
    {"Text", [](TDat& t, const std::string& f, int32_t r) { t.ReadString(f, r); }},
    {"Text", [](TDat& t, const std::string& f, int32_t r) { t.WriteString(f, r, "x"); }}};

TEST_F(ValuesTest, ValuesComeBackAsWrittenAndStayApart) {
    const std::tuple<uint8_t, int32_t, double, std::string> values[] = {
        {1, INT32_MIN, -2.5, "\xe8\xe1st"}, {255, INT32_MAX, -1e-300, "abcdefgh"}};
    for (const auto& [done, count, weight, text] : values) {
        table->WriteBoolean("Done", 1, done);
        table->WriteInteger("Count", 1, count);
        table->WriteFloat("Weight", 1, weight);
        table->WriteString("Text", 1, text);
        table->SetActive(false);
        table->SetActive(true);
        EXPECT_EQ(table->ReadBoolean("Done", 1), done);
        EXPECT_EQ(table->ReadInteger("Count", 1), count);
        EXPECT_EQ(table->ReadFloat("Weight", 1), weight);
        EXPECT_EQ(table->ReadString("Text", 1), text);
        EXPECT_EQ(table->ReadInteger("Count", 2) + table->ReadBoolean("Done", 2), 0);
    }
}

TEST_F(ValuesTest, StringSlotHoldsALengthAndAtMostSizeCharacters) {
    // Written, read back, and the slot's 10 bytes afterwards: old characters stay behind.
    const std::string steps[][3] = {
        {"abcdefghijk", "abcdefgh", std::string("\x08\0abcdefgh", 10)},
        {"xy", "xy", std::string("\x02\0xycdefgh", 10)},
        {std::string("a\0b", 3), "a", std::string("\x03\0a\0bdefgh", 10)},
        {"", "", std::string("\0\0a\0bdefgh", 10)}};
    table->WriteInteger("Count", 1, 77);
    for (const auto& [written, read, slot] : steps) {
        table->WriteString("Text", 1, written);
        EXPECT_EQ(table->ReadString("Text", 1), read);
        EXPECT_EQ(ReadBytes(path).substr(240, 14), slot + BytesOf<int32_t>(77));
    }
}

TEST_F(ValuesTest, StoredBytesAreTakenAsTheyStand) {
    table->WriteString("Text", 1, "abcdefgh");
    table->WriteInteger("Count", 1, 0x5a595857); // "WXYZ" in the file
    table->SetActive(false);
    PatchBytes(path, 240, BytesOf<uint16_t>(12));
    PatchBytes(path, 240 + 22, "\x07");
    table->SetActive(true);
    // A length beyond the field's size never reads on into the following slot.
    EXPECT_EQ(table->ReadString("Text", 1), "abcdefgh");
    EXPECT_EQ(table->ReadBoolean("Done", 1), 7);
}

TEST_F(ValuesTest, BadAddressesAreRefusedAndLeaveTheTableUsable) {
    const std::string before = ReadBytes(path);
    for (const auto& [field, access] : Accessors) {
        const std::string otherCase = char(std::tolower(field[0])) + field.substr(1);
        for (const auto& [name, recNo] : {std::pair{field, 0},
                                          {field, -1},
                                          {field, INT32_MIN},
                                          {field, 3},
                                          {otherCase, 1},
                                          {std::string(30, 'T'), 1}})
            EXPECT_EQ(ErrorOf([&] { access(*table, name, recNo); }),
                      "Error, record or field is wrong")
                << name << " " << recNo;
    }
    EXPECT_EQ(ReadBytes(path), before);
    table->WriteInteger("Count", 2, 5);
    EXPECT_EQ(table->ReadInteger("Count", 2), 5);
    table->SetActive(false);
    for (const auto& [field, access] : Accessors)
        for (const auto& [name, recNo] : {std::pair{field, 1}, {field, 0}, {std::string("x"), 3}})
            EXPECT_EQ(ErrorOf([&] { access(*table, name, recNo); }),
                      "Error, database is not active");
}

TEST_F(ValuesTest, EveryWriteStampsTheChangeTimeAndReadsChangeNothing) {
    for (size_t k = 0; k < std::size(Accessors); ++k) {
        const auto& [field, access] = Accessors[k];
        const bool writes = k % 2 == 1;
        access(*table, field, 2);
        const std::string before = ReadBytes(path);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        access(*table, field, 2); // a writer gives the same value again
        std::string after = ReadBytes(path);
        EXPECT_EQ(ValueAt<double>(after, 64) > ValueAt<double>(before, 64), writes) << k;
        EXPECT_EQ(after.replace(64, 8, before.substr(64, 8)), before) << k;
    }
}

TEST_F(ValuesTest, FailedTransferClosesTheTableQuietly) {
    // The lesson ends with the empty answer's length, so wider reads there run out of file.
    table.reset();
    MakeLesson(path, {{"dog", ""}});
    table = OpenTable(path);
    double weight = 1;
    EXPECT_NO_THROW(weight = table->ReadFloat("CJ", 1));
    EXPECT_EQ(weight, 0.0);
    EXPECT_FALSE(table->Active());
    EXPECT_EQ(ErrorOf([&] { table->ReadString("AJ", 1); }), "Error, database is not active");
}

} // namespace
