#pragma once

#include <QString>
#include <cstdint>
#include <string>
#include <vector>

class TDat;

namespace learner {

// One item of a drill: the two texts of one lesson record.
struct Slovo {
    QString Text1;
    QString Text2;
};

// Where a lesson kind keeps its two texts, and which of them the learner has to give.
struct TLessonFields {
    const char* Field1; // read into Text1
    const char* Field2; // read into Text2
    bool AnswerIsText1;

    const QString& Question(const Slovo& item) const {
        return AnswerIsText1 ? item.Text2 : item.Text1;
    }
    const QString& Answer(const Slovo& item) const {
        return AnswerIsText1 ? item.Text1 : item.Text2;
    }
};

// A question–answer lesson: the Czech expression is asked, the foreign one answered.
inline constexpr TLessonFields WordLesson{"AJ", "CJ", true};
// A fill-in lesson: the sentence with its gap is asked, the expression for the gap answered.
inline constexpr TLessonFields FillInLesson{"veta", "vyraz", false};

// The lesson of one drill window and where the learner is in it; the typed tests and the choice
// lessons share it. Order is the asking order, a permutation of the item indices; the items at
// Order[0 … Pos − 1] have been answered right, and GroupEnd is the last place of the group that
// holds Pos. Whenever an item is current (Pos < Count): 0 ≤ Pos ≤ GroupEnd ≤ Count − 1.
class TDrill {
public:
    int32_t Pos = 0;
    int32_t Spravne = 0;
    int32_t Chybne = 0;
    int32_t Count = 0;
    int32_t GroupEnd = 0;
    std::vector<Slovo> Items;
    std::vector<int32_t> Order;
    // 0 makes the whole lesson one group.
    uint8_t GroupSize = 0;

    // Replaces the lesson by the one in `fileName`, read through `table` opened for reading
    // only: every record gives `repeats` items, one after another, except a record whose answer
    // is empty, which could never be answered right and would keep the lesson from ending.
    // Order gets Count places, still to be shuffled; the counters start at 0. The table is
    // closed again whatever happens. When the lesson cannot be read, the error passes on and the
    // drill is left without a lesson; a lesson of more items than the memory or a 32-bit count
    // holds raises std::bad_alloc.
    void Load(TDat& table, const std::string& fileName, const TLessonFields& fields,
              uint8_t groupSize, uint8_t repeats);
    // Forgets the lesson; the counters keep their values for the labels.
    void Drop();

    // Pos := p, and GroupEnd the last place of its group.
    void SetPosition(int32_t p);
    bool HasCurrent() const { return Pos >= 0 && Pos < Count; }
    const Slovo& Current() const { return Items[size_t(Order[size_t(Pos)])]; }

    // "3 / 5": the current group and the number of groups; "vše" for the whole lesson.
    QString GroupLabel() const;
    // Right answers in percent of all answers, an exact half going to the even neighbour, with
    // "%"; empty before the first answer.
    QString SuccessRate() const;
};

// A fill-in sentence as shown: its first gap mark "_" widened to "_____", or "_____" put in
// front when it has none, so the learner always sees where the answer goes.
QString WidenGap(const QString& sentence);

} // namespace learner
