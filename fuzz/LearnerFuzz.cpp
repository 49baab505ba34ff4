// libFuzzer target: the learner's loading of a lesson into a drill, then the quiz routines on
// every item as the drill windows use them: the question shown, the answer checked against its
// own alternatives and against a changed answer, the asking order, misses requeued, and the
// group and success labels, until the drill ends.
#include "Dat.h"
#include "Drill.h"
#include "FuzzInput.h"
#include "Quiz.h"
#include "Random.h"

#include <QStringList>
#include <memory>
#include <stdexcept>
#include <vector>

namespace {

// Draws from the input, so that a crash repeats.
class InputRandom final : public learner::RandomSource {
public:
    void Reset(uint32_t seed) { state_ = seed; }
    void SeedFromClock() override {}
    int32_t Draw(int32_t n) override {
        state_ = state_ * 1103515245u + 12345u;
        return int32_t((state_ >> 8) % uint32_t(n));
    }

private:
    uint32_t state_ = 0;
};

InputRandom& Draws() {
    static InputRandom* const draws = [] {
        auto owned = std::make_unique<InputRandom>();
        InputRandom* const installed = owned.get();
        learner::SetRandom(std::move(owned));
        return installed;
    }();
    return *draws;
}

bool IsPermutation(const std::vector<int32_t>& order, int32_t count) {
    if (std::ssize(order) != count)
        return false;
    std::vector<bool> seen(static_cast<size_t>(count));
    for (const int32_t item : order) {
        if (item < 0 || item >= count || seen[size_t(item)])
            return false;
        seen[size_t(item)] = true;
    }
    return true;
}

bool HasBrackets(const QString& text) {
    for (const QChar c : text)
        if (c == u'<' || c == u'>' || c == u'(' || c == u')')
            return true;
    return false;
}

void CheckItem(const learner::TLessonFields& fields, const learner::Slovo& item) {
    const QString& question = fields.Question(item);
    const QString& answer = fields.Answer(item);
    Check(!answer.isEmpty(), "an item that can never be answered right was loaded");
    const QString shown = learner::StripMarks(question);
    Check(shown.size() == question.size() - question.count(u'<') - question.count(u'>') &&
              !shown.contains(u'<') && !shown.contains(u'>'),
          "the question shown keeps a hint mark");
    Check(learner::WidenGap(shown).contains(QStringLiteral("_____")), "the gap is not shown");
    Check(!learner::CheckAnswer(QString(), answer), "an empty answer was accepted");
    // A character that no lesson text holds can belong to no alternative.
    Check(!learner::CheckAnswer(answer + QChar(0xE000), answer), "a changed answer was accepted");
    learner::CheckAnswer(answer, answer);
    if (!HasBrackets(answer))
        for (const QString& alternative : answer.split(u';'))
            Check(alternative.isEmpty() || learner::CheckAnswer(alternative, answer),
                  "an alternative of the answer was not accepted");
}

void CheckOrder(const learner::TDrill& drill) {
    Check(IsPermutation(drill.Order, drill.Count), "the asking order lost or doubled an item");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    const learner::TLessonFields& fields =
        input.Next() % 2 == 0 ? learner::WordLesson : learner::FillInLesson;
    const uint8_t groupSize = input.Next();
    const uint8_t repeats = uint8_t(input.Next() + 1);
    Draws().Reset(input.Next());

    learner::TDrill drill;
    TDat table;
    try {
        drill.Load(table, input.Path(), fields, groupSize, repeats);
    } catch (const std::runtime_error&) {
        Check(drill.Count == 0 && drill.Items.empty() && drill.Order.empty(),
              "a lesson that failed to load left items behind");
        return 0;
    }
    Check(!table.Active(), "the lesson stays open after loading");
    Check(drill.Count == std::ssize(drill.Items) && drill.Order.size() == drill.Items.size(),
          "the drill's counts disagree");
    for (const learner::Slovo& item : drill.Items)
        CheckItem(fields, item);

    learner::ShuffleOrder(drill.Order, drill.Count);
    CheckOrder(drill);
    for (int32_t p = 0; p + 1 < drill.Count; ++p)
        Check(drill.Order[size_t(p)] + 1 != drill.Order[size_t(p + 1)],
              "an item is followed by the next one of the lesson");

    // Each control byte left decides one answer: an odd one misses. Once they have run out,
    // every answer is right, so the drill ends.
    drill.SetPosition(0);
    while (drill.HasCurrent()) {
        Check(drill.Pos <= drill.GroupEnd && drill.GroupEnd < drill.Count,
              "the current group does not hold the current item");
        Check(!drill.GroupLabel().isEmpty(), "no group label");
        if (input.Next() % 2 == 1) {
            ++drill.Chybne;
            const int32_t missed = drill.Order[size_t(drill.Pos)];
            learner::RequeueMissed(drill.Order, drill.Pos, drill.Count, drill.GroupEnd);
            CheckOrder(drill);
            Check(drill.Order[size_t(drill.GroupEnd)] == missed,
                  "a missed item is not the last of its group");
        } else {
            ++drill.Spravne;
            drill.SetPosition(drill.Pos + 1);
        }
        Check(!drill.SuccessRate().isEmpty(), "no success rate after an answer");
    }
    drill.Drop();
    return 0;
}
