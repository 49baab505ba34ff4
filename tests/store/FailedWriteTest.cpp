#include "Dat.h"
#include "TempDir.h"

#include <csignal>
#include <cstdlib>
#include <sys/resource.h>

namespace {

using FailedWriteTest = StoreTest;

std::string Czech(int32_t r) {
    return "c" + std::to_string(r) + std::string(9 - std::to_string(r).size(), '_');
}

// Grows the lesson at `path` record by record while its file may not grow beyond `limit` bytes,
// as on a full disk, and exits with the step at which the table closed: 1 appending a record,
// 2 writing a value, 0 never.
[[noreturn]] void GrowUntilFull(const std::string& path, rlim_t limit) {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit most{limit, limit};
    if (setrlimit(RLIMIT_FSIZE, &most) != 0)
        std::_Exit(3);
    auto table = OpenTable(path);
    for (int32_t r = 1; r <= 10; ++r) {
        table->AppendRecord();
        if (!table->Active())
            std::_Exit(1);
        table->WriteString("AJ", r, "a" + std::to_string(r));
        table->WriteString("CJ", r, Czech(r));
        if (!table->Active())
            std::_Exit(2);
    }
    std::_Exit(0);
}

TEST_F(FailedWriteTest, WriteThatFailsPartWayClosesTheTableAndKeepsTheEarlierRecords) {
    // Record r starts at 184 + 204 × (r − 1). A new record writes its two empty lengths there and
    // 102 bytes further; its CJ value then takes 12 bytes from that second place.
    const struct {
        rlim_t limit;
        int step;
        int32_t records, whole;
    } cases[] = {
        {184 + 3 * 204 + 50, 1, 3, 3},  // the fourth record's second length fails whole
        {184 + 2 * 204 + 109, 2, 3, 2}, // the third record's CJ value is written in part
    };
    for (const auto& [limit, step, records, whole] : cases) {
        SCOPED_TRACE(step);
        MakeTable(path, LessonFields);
        EXPECT_EXIT(GrowUntilFull(path, limit), ::testing::ExitedWithCode(step), "");
        auto table = OpenTable(path);
        EXPECT_EQ(table->RecordCount(), records);
        for (int32_t r = 1; r <= whole; ++r)
            EXPECT_EQ(table->ReadString("AJ", r) + table->ReadString("CJ", r),
                      "a" + std::to_string(r) + Czech(r));
    }
}

} // namespace
