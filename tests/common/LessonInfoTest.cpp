#include "LessonInfo.h"

#include <gtest/gtest.h>

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
