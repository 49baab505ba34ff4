// A typed test's start on a large lesson against the bare reads of the lesson's texts that it
// cannot do without: the loading, decoding, shuffling and first question should add little.
#include "Application.h"
#include "Dat.h"
#include "QuestionAnswerLesson.h"
#include "UTest1.h"
#include "Windows.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdint>
#include <string>
#include <utility>

namespace {

constexpr int32_t Records = 20'000;
constexpr uint8_t Repeats = 5;

std::string LessonPath;

void WriteLesson(const std::string& path) {
    WriteQuestionAnswerLesson(path, Records, [](int32_t r) {
        const std::string n = std::to_string(r);
        // "těšit se na" in Windows-1250.
        return std::pair("to look forward to <irr> (" + n + ");expect", "t\xec\x9ait se na " + n);
    });
}

void BM_TypedTestStart(benchmark::State& state) {
    for (auto _ : state) {
        learner::FTest1->Start(QFile::decodeName(LessonPath.c_str()), 10, Repeats);
        state.PauseTiming();
        learner::FTest1->close();
        state.ResumeTiming();
    }
}

// Every record's two texts, read once each: all that the start needs of the file.
void BM_BareReadString(benchmark::State& state) {
    TDat table;
    table.SetReadOnly(true);
    table.SetFileName(LessonPath);
    for (auto _ : state) {
        table.SetActive(true);
        for (int32_t r = 1; r <= Records; ++r) {
            benchmark::DoNotOptimize(table.ReadString("AJ", r));
            benchmark::DoNotOptimize(table.ReadString("CJ", r));
        }
        table.SetActive(false);
    }
}

} // namespace

BENCHMARK(BM_TypedTestStart)->Name("TypedTestStart/20000x5")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareReadString)->Name("BareReadString/2x20000")->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    platform::Application application(argc, argv);
    QTemporaryDir folder;
    LessonPath = QFile::encodeName(folder.filePath("velka.lq")).toStdString();
    WriteLesson(LessonPath);
    learner::TWindows windows;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
