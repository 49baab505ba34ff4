#include "Quiz.h"

#include "Random.h"
#include "ShuffleTranscription.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <memory>
#include <numeric>
#include <random>
#include <stdexcept>
#include <vector>

namespace {

using Order = std::vector<int32_t>;

struct AnswerCase {
    const char* expected;
    std::vector<const char*> accepted;
    std::vector<const char*> rejected;
};

const AnswerCase AnswerCases[] = {
    {"to go (went) <irr>;walk", {"to go", "walk"}, {"to go (went)", "to go "}},
    {"a (b) c", {"ac"}, {"a c", "abc"}},
    {"a <b> c", {"ac"}, {"a c", "a b c"}},
    {"a; b", {"a", " b"}, {"b"}},
    {"a ;b", {"a ", "b"}, {"a"}},
    {"a  (b)", {"a "}, {"a"}},
    {"(b)  a", {" a"}, {"a"}},
    {"(to) be", {"be"}, {"to be"}},
    {"a (b;c) d", {"a", "d"}, {"b", "c"}},
    {"go <irr >", {"go"}, {"go irr"}},
    {"a <b) c", {"ac"}, {"a c"}},
    {"(a <b> c)", {"c)"}, {"c"}},
    {"a) b", {"a)b"}, {"a b"}},
    {"a (b", {"a"}, {"a (b"}},
    {"a (b;c", {"a"}, {"c"}},
    {"x;;y", {"x", "y"}, {"xy", "x;;y"}},
    {"<x>", {}, {"x", "<x>", " "}},
    {"(x)", {}, {"x", "(x)", " "}},
    {"go", {"go"}, {"Go", "go ", " go", ""}},
    {"být", {"být"}, {"byt"}},
    {"", {}, {"", "go"}},
};

TEST(CheckAnswer, AcceptsExactlyTheAlternativesWithoutTheirMarkup) {
    for (const AnswerCase& row : AnswerCases) {
        const QString expected = QString::fromUtf8(row.expected);
        for (const char* answer : row.accepted)
            EXPECT_TRUE(learner::CheckAnswer(QString::fromUtf8(answer), expected))
                << '"' << answer << "\" for \"" << row.expected << '"';
        for (const char* answer : row.rejected)
            EXPECT_FALSE(learner::CheckAnswer(QString::fromUtf8(answer), expected))
                << '"' << answer << "\" for \"" << row.expected << '"';
    }
}

TEST(StripMarks, DropsOnlyAngleBrackets) {
    const struct {
        const char* text;
        const char* shown;
    } rows[] = {
        {"to go <irr> (went)", "to go irr (went)"}, {"<<a>>", "a"}, {"a (b);c", "a (b);c"},
        {"Jdu _ domů; <hint>", "Jdu _ domů; hint"}, {"", ""},
    };
    for (const auto& row : rows)
        EXPECT_EQ(learner::StripMarks(QString::fromUtf8(row.text)), QString::fromUtf8(row.shown))
            << row.text;
}

// Every test here leaves the real generator in place for the next one.
class RandomTest : public ::testing::Test {
protected:
    void TearDown() override { learner::SetRandom(nullptr); }

    learner::ScriptedRandom& Script(const std::vector<int32_t>& draws) {
        auto scripted = std::make_unique<learner::ScriptedRandom>();
        for (const int32_t draw : draws)
            scripted->Push(draw);
        learner::ScriptedRandom& installed = *scripted;
        learner::SetRandom(std::move(scripted));
        return installed;
    }
};

TEST_F(RandomTest, ShuffleOfSmallCountsTakesTheScriptedDraws) {
    const struct {
        int32_t count;
        Order before;
        std::vector<int32_t> draws;
        Order after;
    } rows[] = {
        {0, {5, 6}, {}, {5, 6}},
        {-1, {5, 6}, {}, {5, 6}},
        {1, {9, 9}, {}, {0, 9}},
        // Drawing the place of the bad pair itself changes nothing, so it draws again.
        {2, {0, 0}, {0, 0, 1}, {1, 0}},
        {3, {}, {2}, {2, 1, 0}},
        {4, {0, 0, 0, 0}, {1, 2, 3}, {1, 0, 3, 2}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.count);
        const learner::ScriptedRandom& random = Script(row.draws);
        Order order = row.before;
        learner::ShuffleOrder(order, row.count);
        EXPECT_EQ(order, row.after);
        EXPECT_EQ(random.Left(), 0u);
    }
}

TEST_F(RandomTest, ShuffleLeavesNoItemFollowedByTheNextOne) {
    for (int32_t count = 0; count <= 300; ++count) {
        Order order(count);
        learner::ShuffleOrder(order, count);
        Order sorted = order;
        std::sort(sorted.begin(), sorted.end());
        Order identity(count);
        std::iota(identity.begin(), identity.end(), 0);
        ASSERT_EQ(sorted, identity) << "count " << count;
        for (int32_t k = 0; k + 1 < count; ++k)
            ASSERT_NE(order[k] + 1, order[k + 1]) << "count " << count << ", place " << k;
    }
}

TEST_F(RandomTest, ShuffleSwapsAsTheRescanningShuffleDoes) {
    std::mt19937 engine(20240611);
    for (int32_t run = 0; run < 5000; ++run) {
        const int32_t count = run % 51;
        std::vector<int32_t> draws;
        if (count > 0) {
            std::uniform_int_distribution<int32_t> place(0, count - 1);
            for (int32_t k = 0; k < 30 * count + 30; ++k)
                draws.push_back(place(engine));
        }
        Order fast(count, -1);
        Order reference(count, -1);
        const learner::ScriptedRandom& fastRandom = Script(draws);
        learner::ShuffleOrder(fast, count);
        const std::size_t fastLeft = fastRandom.Left();
        const learner::ScriptedRandom& referenceRandom = Script(draws);
        ShuffleOrderByRescan(reference, count);
        ASSERT_EQ(fast, reference) << "run " << run;
        ASSERT_EQ(fastLeft, referenceRandom.Left()) << "run " << run;
    }
}

TEST_F(RandomTest, ScriptedRandomRefusesDrawsItWasNotGiven) {
    learner::ScriptedRandom random{2, 5};
    EXPECT_EQ(random.Draw(3), 2);
    EXPECT_THROW(random.Draw(5), std::logic_error);
    EXPECT_EQ(random.Draw(6), 5);
    EXPECT_THROW(random.Draw(6), std::logic_error);
}

TEST_F(RandomTest, RealGeneratorComesBackAndDrawsEveryPlace) {
    Script({});
    learner::SetRandom(nullptr);
    learner::RandomSource& random = learner::Random();
    ASSERT_EQ(dynamic_cast<learner::ScriptedRandom*>(&random), nullptr);
    random.SeedFromClock();
    std::vector<int32_t> seen(7);
    for (int32_t k = 0; k < 7000; ++k) {
        const int32_t draw = random.Draw(7);
        ASSERT_GE(draw, 0);
        ASSERT_LT(draw, 7);
        ++seen[draw];
    }
    for (const int32_t times : seen)
        EXPECT_GT(times, 800);
    EXPECT_EQ(random.Draw(1), 0);
}

TEST(RequeueMissed, MovesTheMissedItemToTheEndOfItsGroupOnly) {
    const Order eight = {0, 1, 2, 3, 4, 5, 6, 7};
    const struct {
        Order before;
        int32_t pos;
        int32_t groupEnd;
        Order after;
    } rows[] = {
        {eight, 2, 4, {0, 1, 3, 4, 2, 5, 6, 7}},
        {eight, 4, 4, eight},
        {eight, 7, 7, eight},
        {eight, 0, 7, {1, 2, 3, 4, 5, 6, 7, 0}},
        {eight, 6, 7, {0, 1, 2, 3, 4, 5, 7, 6}},
        // Calls outside the limits the drill windows keep must not lose or duplicate an item.
        {eight, 5, 4, eight},
        {eight, 2, 8, eight},
        {eight, -1, 4, eight},
        {{0, 1, 2}, 0, 5, {0, 1, 2}},
    };
    for (const auto& row : rows) {
        Order order = row.before;
        learner::RequeueMissed(order, row.pos, 8, row.groupEnd);
        EXPECT_EQ(order, row.after) << "pos " << row.pos << ", group end " << row.groupEnd;
    }
}

} // namespace
