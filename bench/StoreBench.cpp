// What the store costs beside the bare positioned reads and writes that the same work needs, on
// a question-answer lesson of 10,000 records. Run by hand; not a test.
#include "Dat.h"

#include <benchmark/benchmark.h>
#include <cstdint>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr int32_t Records = 10000;
constexpr int64_t RecordArea = HeaderSize + 2 * DescriptorSize;
constexpr int64_t RecordSize = 204;
const std::string Word = "to look forward to";

std::string TempPath(const char* name) {
    const char* dir = std::getenv("TMPDIR");
    return std::string(dir ? dir : "/tmp") + "/lq-bench-" + std::to_string(::getpid()) + "-" + name;
}

void MakeLessonTable(TDat& table, const std::string& path) {
    ::unlink(path.c_str());
    table.SetFileName(path);
    table.SetActive(true);
    table.AddField("AJ", dtString, 100);
    table.AddField("CJ", dtString, 100);
}

// A lesson of `Records` records, each value `Word`, left closed.
const std::string& FilledLesson() {
    static const std::string path = [] {
        const std::string p = TempPath("filled.lq");
        TDat table;
        MakeLessonTable(table, p);
        for (int32_t r = 1; r <= Records; ++r) {
            table.AppendRecord();
            table.WriteString("AJ", r, Word);
            table.WriteString("CJ", r, Word);
        }
        return p;
    }();
    return path;
}

int64_t ValuePosition(int32_t record, int field) {
    return RecordArea + (record - 1) * RecordSize + field * 102;
}

void StoreReadString(benchmark::State& state) {
    TDat table;
    table.SetFileName(FilledLesson());
    table.SetActive(true);
    for (auto _ : state)
        for (int32_t r = 1; r <= Records; ++r) {
            benchmark::DoNotOptimize(table.ReadString("AJ", r));
            benchmark::DoNotOptimize(table.ReadString("CJ", r));
        }
}

void BareReadString(benchmark::State& state) {
    const int fd = ::open(FilledLesson().c_str(), O_RDONLY);
    std::vector<char> chars(100);
    for (auto _ : state)
        for (int32_t r = 1; r <= Records; ++r)
            for (int field = 0; field < 2; ++field) {
                uint16_t length = 0;
                benchmark::DoNotOptimize(::pread(fd, &length, 2, ValuePosition(r, field)));
                benchmark::DoNotOptimize(
                    ::pread(fd, chars.data(), length, ValuePosition(r, field) + 2));
                benchmark::DoNotOptimize(std::string(chars.data(), length));
            }
    ::close(fd);
}

void StoreWriteString(benchmark::State& state) {
    TDat table;
    table.SetFileName(FilledLesson());
    table.SetActive(true);
    for (auto _ : state)
        for (int32_t r = 1; r <= Records; ++r) {
            table.WriteString("AJ", r, Word);
            table.WriteString("CJ", r, Word);
        }
}

// Each value write stamps and writes the header, then writes the length and the characters.
void BareWriteString(benchmark::State& state) {
    const int fd = ::open(FilledLesson().c_str(), O_RDWR);
    char header[HeaderSize] = {};
    std::string slot(2 + Word.size(), '\0');
    slot[0] = char(Word.size());
    Word.copy(slot.data() + 2, Word.size());
    for (auto _ : state)
        for (int32_t r = 1; r <= Records; ++r)
            for (int field = 0; field < 2; ++field) {
                benchmark::DoNotOptimize(::pwrite(fd, header, HeaderSize, 0));
                benchmark::DoNotOptimize(
                    ::pwrite(fd, slot.data(), slot.size(), ValuePosition(r, field)));
            }
    ::close(fd);
}

void StoreAppendRecord(benchmark::State& state) {
    const std::string path = TempPath("append.lq");
    for (auto _ : state) {
        state.PauseTiming();
        TDat table;
        MakeLessonTable(table, path);
        state.ResumeTiming();
        for (int32_t r = 1; r <= Records; ++r)
            table.AppendRecord();
    }
    ::unlink(path.c_str());
}

// Each append writes the header, then for each of the two fields the header again and an empty
// string's length.
void BareAppendRecord(benchmark::State& state) {
    const std::string path = TempPath("bare-append.lq");
    char header[HeaderSize] = {};
    const uint16_t empty = 0;
    for (auto _ : state) {
        state.PauseTiming();
        ::unlink(path.c_str());
        const int fd = ::open(path.c_str(), O_RDWR | O_CREAT, 0644);
        state.ResumeTiming();
        for (int32_t r = 1; r <= Records; ++r) {
            benchmark::DoNotOptimize(::pwrite(fd, header, HeaderSize, 0));
            for (int field = 0; field < 2; ++field) {
                benchmark::DoNotOptimize(::pwrite(fd, header, HeaderSize, 0));
                benchmark::DoNotOptimize(::pwrite(fd, &empty, 2, ValuePosition(r, field)));
            }
        }
        state.PauseTiming();
        ::close(fd);
        state.ResumeTiming();
    }
    ::unlink(path.c_str());
}

} // namespace

BENCHMARK(StoreReadString)->Unit(benchmark::kMillisecond);
BENCHMARK(BareReadString)->Unit(benchmark::kMillisecond);
BENCHMARK(StoreWriteString)->Unit(benchmark::kMillisecond);
BENCHMARK(BareWriteString)->Unit(benchmark::kMillisecond);
BENCHMARK(StoreAppendRecord)->Unit(benchmark::kMillisecond);
BENCHMARK(BareAppendRecord)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
