#include "Drill.h"

#include "Dat.h"
#include "LearnerFixture.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>

using learner::FillInLesson;
using learner::TDrill;
using learner::WordLesson;

namespace {

class DrillTest : public ::testing::Test {
protected:
    std::string Path(const char* name) const {
        return QFile::encodeName(folder.filePath(name)).toStdString();
    }
    std::string Lesson(const char* name, const std::string& marker,
                       const learner::TLessonFields& fields, const std::vector<Record>& records) {
        MakeLesson(folder.filePath(name), marker, fields, records);
        return Path(name);
    }
    // Whether the file is free, as it must be for the editor once a drill has read it.
    static bool CanBeOpened(const std::string& path) {
        TDat other;
        other.SetFileName(path);
        other.SetActive(true);
        return other.Active();
    }

    QTemporaryDir folder;
    TDat table;
    TDrill drill;
};

TEST_F(DrillTest, EveryRecordGivesItsRepeatsInRecordOrderDecodedFromWindows1250) {
    const std::string path =
        Lesson("slova.lq", "lq3 test1", WordLesson, {{"dog", "pes"}, {"cat", "kočka"}});
    drill.Spravne = 4;
    drill.Chybne = 2;
    drill.Load(table, path, WordLesson, 10, 3);
    ASSERT_EQ(drill.Count, 6);
    ASSERT_EQ(drill.Items.size(), 6u);
    EXPECT_EQ(drill.Order.size(), 6u);
    for (size_t k = 0; k < 6; ++k) {
        EXPECT_EQ(drill.Items[k].Text1, k < 3 ? "dog" : "cat") << k;
        EXPECT_EQ(drill.Items[k].Text2, k < 3 ? "pes" : QString::fromUtf8("kočka")) << k;
    }
    EXPECT_EQ(drill.GroupSize, 10);
    EXPECT_EQ(drill.Spravne, 0);
    EXPECT_EQ(drill.Chybne, 0);
    EXPECT_FALSE(table.Active());
    EXPECT_TRUE(CanBeOpened(path));
}

TEST_F(DrillTest, RecordsWithoutAnAnswerGiveNoItems) {
    const std::string words = Lesson("slova.lq", "lq3 test1", WordLesson,
                                     {{"", "prázdná"}, {"dog", ""}, {"cat", "kočka"}});
    drill.Load(table, words, WordLesson, 0, 2);
    ASSERT_EQ(drill.Count, 4);
    EXPECT_EQ(drill.Items[0].Text1, "dog");
    EXPECT_EQ(drill.Items[2].Text1, "cat");

    const std::string sentences =
        Lesson("vety.lq", "lq4 test2a", FillInLesson, {{"Věta _ bez výrazu.", ""}, {"", "go"}});
    drill.Load(table, sentences, FillInLesson, 0, 1);
    ASSERT_EQ(drill.Count, 1);
    EXPECT_EQ(drill.Items[0].Text2, "go");
}

TEST_F(DrillTest, LessonThatCannotBeReadLeavesNoLessonAndNoFileOpen) {
    const std::string words = Lesson("slova.lq", "lq3 test1", WordLesson, {{"dog", "pes"}});
    // A lesson of the word kind that holds the fill-in fields.
    const std::string odd = Lesson("divna.lq", "lq3 test1", FillInLesson, {{"a _", "b"}});
    drill.Load(table, words, WordLesson, 10, 2);
    drill.SetPosition(1);
    try {
        drill.Load(table, odd, WordLesson, 10, 2);
        FAIL() << "a lesson without its fields loaded";
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(), "Error, record or field is wrong");
    }
    EXPECT_EQ(drill.Count, 0);
    EXPECT_EQ(drill.Pos, 0);
    EXPECT_FALSE(drill.HasCurrent());
    EXPECT_TRUE(drill.Items.empty());
    EXPECT_TRUE(drill.Order.empty());
    EXPECT_FALSE(table.Active());
    EXPECT_TRUE(CanBeOpened(odd));

    drill.Load(table, words, WordLesson, 10, 2);
    try {
        drill.Load(table, Path("chybi.lq"), WordLesson, 10, 2);
        FAIL() << "a missing lesson loaded";
    } catch (const std::runtime_error& error) {
        EXPECT_EQ(std::string(error.what()).rfind("Cannot open file \"", 0), 0u) << error.what();
        EXPECT_NE(std::string(error.what()).find("chybi.lq"), std::string::npos);
    }
    EXPECT_EQ(drill.Count, 0);
    EXPECT_TRUE(drill.Items.empty());
}

TEST_F(DrillTest, ReadOnlyLessonLoadsAndStaysUnchanged) {
    const std::string path = Lesson("slova.lq", "lq3 test1", WordLesson, {{"dog", "pes"}});
    QFile file(QFile::decodeName(path.c_str()));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();
    ASSERT_TRUE(file.setPermissions(QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    drill.Load(table, path, WordLesson, 10, 1);
    EXPECT_EQ(drill.Count, 1);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), before);
}

TEST(DrillGroups, GroupEndAndLabelFollowThePosition) {
    const struct {
        int32_t count;
        uint8_t groupSize;
        int32_t pos;
        int32_t groupEnd;
        const char* label;
    } rows[] = {
        {20, 10, 0, 9, "1 / 2"},   {20, 10, 9, 9, "1 / 2"},   {20, 10, 10, 19, "2 / 2"},
        {20, 10, 19, 19, "2 / 2"}, {25, 10, 20, 24, "3 / 3"}, {25, 10, 12, 19, "2 / 3"},
        {5, 10, 0, 4, "1 / 1"},    {5, 10, 3, 4, "1 / 1"},    {20, 0, 7, 19, "vše"},
        {20, 1, 7, 7, "8 / 20"},   {1, 255, 0, 0, "1 / 1"},
    };
    for (const auto& row : rows) {
        TDrill drill;
        drill.Count = row.count;
        drill.GroupSize = row.groupSize;
        drill.SetPosition(row.pos);
        EXPECT_EQ(drill.Pos, row.pos);
        EXPECT_EQ(drill.GroupEnd, row.groupEnd)
            << row.count << " items in groups of " << int(row.groupSize) << ", place " << row.pos;
        EXPECT_EQ(drill.GroupLabel(), QString::fromUtf8(row.label));
    }
}

TEST(DrillScore, SuccessRateRoundsHalvesToEven) {
    const struct {
        int32_t right;
        int32_t wrong;
        const char* shown;
    } rows[] = {
        {0, 0, ""},   {1, 7, "12%"},  {3, 5, "38%"},  {2, 1, "67%"},  {1, 1, "50%"},
        {0, 4, "0%"}, {9, 0, "100%"}, {1, 199, "0%"}, {3, 197, "2%"}, {199, 1, "100%"},
    };
    for (const auto& row : rows) {
        TDrill drill;
        drill.Spravne = row.right;
        drill.Chybne = row.wrong;
        EXPECT_EQ(drill.SuccessRate(), row.shown)
            << row.right << " right, " << row.wrong << " wrong";
    }
}

TEST(DrillQuestion, OnlyTheFirstGapIsWidenedAndOneIsAddedWhenThereIsNone) {
    EXPECT_EQ(learner::WidenGap("I _ to work _ day."), "I _____ to work _ day.");
    EXPECT_EQ(learner::WidenGap("No gap."), "_____No gap.");
    EXPECT_EQ(learner::WidenGap("_"), "_____");
    EXPECT_EQ(learner::WidenGap(""), "_____");
}

} // namespace
