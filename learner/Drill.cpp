#include "Drill.h"

#include "Dat.h"
#include "FileStream.h"
#include "LessonText.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <new>
#include <stdexcept>

namespace learner {

namespace {

// The store's own text for a table that is not open, which is what a swallowed read failure
// leaves behind.
const char* const ErrNotActive = "Error, database is not active";

// Closes the table on every way out of the loading, so that a lesson that fails half read is
// not held locked against the editor until the next start.
class TableCloser {
public:
    explicit TableCloser(TDat& table) : table_(table) {}
    ~TableCloser() { table_.SetActive(false); }
    TableCloser(const TableCloser&) = delete;
    TableCloser& operator=(const TableCloser&) = delete;

private:
    TDat& table_;
};

// The learner only reads lessons, so a lesson the user may not write to drills all the same.
void OpenForReading(TDat& table, const std::string& fileName) {
    table.SetReadOnly(true);
    table.SetCreateFile(false);
    table.SetFileName(fileName);
    table.SetActive(true);
    if (!table.Active()) {
        // Only a name that is no file at all leaves the table closed, and it says nothing; a
        // stream opened on that name raises the store's open error with the path and the reason.
        const FileStream probe(fileName, FileStream::Mode::Read);
    }
}

} // namespace

void TDrill::Load(TDat& table, const std::string& fileName, const TLessonFields& fields,
                  uint8_t groupSize, uint8_t repeats) {
    Drop();
    GroupSize = groupSize;
    Spravne = 0;
    Chybne = 0;
    const TableCloser closer(table);
    OpenForReading(table, fileName);
    std::vector<Slovo> askable;
    if (repeats > 0 && table.Active()) {
        const int32_t records = table.RecordCount();
        for (int32_t r = 1; r <= records; ++r) {
            Slovo item{platform::FromLessonText(table.ReadString(fields.Field1, r)),
                       platform::FromLessonText(table.ReadString(fields.Field2, r))};
            if (!fields.Answer(item).isEmpty())
                askable.push_back(std::move(item));
        }
    }
    // A read that failed closed the table and gave an empty text instead of the stored one.
    if (!table.Active())
        throw std::runtime_error(ErrNotActive);
    // Room for the repeats only of what is asked: a lesson of many records without an answer
    // would otherwise need room it never fills.
    const size_t count = askable.size() * repeats;
    // The drill counts its items in 32 bits: more of them is a lesson too large, as one beyond
    // the memory is.
    if (count > size_t(std::numeric_limits<int32_t>::max()))
        throw std::bad_alloc();
    std::vector<Slovo> items;
    items.reserve(count);
    // The table holds the file against every other writer, so one reading of a record serves
    // all its copies.
    for (const Slovo& item : askable)
        items.insert(items.end(), repeats, item);
    Items = std::move(items);
    Count = int32_t(Items.size());
    Order.assign(Items.size(), 0);
}

void TDrill::Drop() {
    Items = {};
    Order = {};
    Count = 0;
    Pos = 0;
    GroupEnd = 0;
}

void TDrill::SetPosition(int32_t p) {
    Pos = p;
    const int32_t g = GroupSize;
    if (g != 0 && g <= Count)
        GroupEnd = int32_t(std::min<int64_t>(int64_t(g) * (p / g + 1) - 1, Count - 1));
    else
        GroupEnd = Count - 1;
}

QString TDrill::GroupLabel() const {
    if (GroupSize == 0)
        return QStringLiteral("vše");
    return QStringLiteral("%1 / %2").arg(Pos / GroupSize + 1).arg((Count - 1) / GroupSize + 1);
}

QString TDrill::SuccessRate() const {
    const int64_t answers = int64_t(Spravne) + Chybne;
    if (answers == 0)
        return {};
    // The default rounding mode goes to the nearest integer and an exact half to the even one.
    const auto percent = static_cast<int64_t>(std::nearbyint(100.0 * Spravne / double(answers)));
    return QString::number(percent) + u'%';
}

QString WidenGap(const QString& sentence) {
    const QString gap = QStringLiteral("_____");
    const qsizetype at = sentence.indexOf(u'_');
    if (at < 0)
        return gap + sentence;
    return QString(sentence).replace(at, 1, gap);
}

} // namespace learner
