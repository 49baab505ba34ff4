#include "LessonInfo.h"

#include "IntegerText.h"

#include <gtest/gtest.h>
#include <stdexcept>

using namespace learner;

TEST(LessonInfo, KindComesFromTheMarker) {
    EXPECT_EQ(LessonKindOf("lq3 test1"), LessonKind::QuestionAnswer);
    EXPECT_EQ(LessonKindOf("lq3 test10"), LessonKind::None);
    EXPECT_EQ(LessonKindOf("LQ3 test1"), LessonKind::None);
    EXPECT_EQ(LessonKindOf("lq4 test2"), LessonKind::FillIn);
    EXPECT_EQ(LessonKindOf("lq4 test2b"), LessonKind::FillIn);
    EXPECT_EQ(LessonKindOf("lq4 test"), LessonKind::None);
    EXPECT_EQ(LessonKindOf(""), LessonKind::None);
}

TEST(LessonInfo, PathSplitsAtItsLastSeparator) {
    EXPECT_EQ(FileNamePart("/home/ja/lekce/a.lq"), "a.lq");
    EXPECT_EQ(FolderPart("/home/ja/lekce/a.lq"), "/home/ja/lekce");
    EXPECT_EQ(FileNamePart("/a.lq"), "a.lq");
    EXPECT_EQ(FolderPart("/a.lq"), "/");
    EXPECT_EQ(FileNamePart("a.lq"), "a.lq");
    EXPECT_EQ(FolderPart("a.lq"), "");
    EXPECT_EQ(FileNamePart("/data/"), "");
}

TEST(IntegerText, AcceptsSignedNumbersAndNamesTheRejectedText) {
    EXPECT_EQ(IntegerOfText("-3"), -3);
    EXPECT_EQ(IntegerOfText("300"), 300);
    EXPECT_THROW(IntegerOfText("3.5"), std::runtime_error);
    EXPECT_THROW(IntegerOfText("99999999999"), std::runtime_error);
    try {
        IntegerOfText("");
        FAIL() << "an empty text converted";
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(), "'' is not a valid integer value");
    }
}
