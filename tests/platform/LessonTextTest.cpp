#include "LessonText.h"

#include <gtest/gtest.h>

using platform::FromLessonText;
using platform::ToLessonText;

TEST(LessonText, CzechLettersTakeTheirWindows1250Bytes) {
    const QString czech = QStringLiteral("Příliš žluťoučký kůň úpěl ďábelské ódy – Č € „ok“");
    const std::optional<std::string> bytes = ToLessonText(czech);
    ASSERT_TRUE(bytes.has_value());
    EXPECT_EQ(bytes->size(), size_t(czech.size()));
    EXPECT_EQ(uint8_t((*bytes)[1]), 0xF8); // ř
    EXPECT_EQ(uint8_t((*bytes)[5]), 0x9A); // š
    EXPECT_EQ(uint8_t((*bytes)[7]), 0x9E); // ž
    EXPECT_EQ(bytes->substr(bytes->size() - 8, 3), "\xC8 \x80"); // Č €
    EXPECT_EQ(FromLessonText(*bytes), czech);
}

TEST(LessonText, CharactersOutsideTheCodePageAreRefusedNotReplaced) {
    EXPECT_FALSE(ToLessonText(QStringLiteral("čaj ☕")).has_value());
    EXPECT_FALSE(ToLessonText(QStringLiteral("日本")).has_value());
    EXPECT_FALSE(ToLessonText(QString::fromUtf8("smile \xF0\x9F\x98\x80")).has_value());
    // A refusal leaves nothing behind for the next text.
    EXPECT_EQ(ToLessonText(QStringLiteral("ok")), std::optional<std::string>("ok"));
    EXPECT_EQ(ToLessonText(QString()), std::optional<std::string>(""));
}

TEST(LessonText, EveryByteReadsAsOneCharacter) {
    std::string all;
    for (int byte = 0; byte < 256; ++byte)
        all.push_back(char(byte));
    EXPECT_EQ(FromLessonText(all).size(), 256);
}
