// Completing a row (Enter in column 2) of a lesson window over 5,000 records, against the bare
// table work it cannot do without: writing every pair, appending the empty record and reading
// every pair back. Run by hand from a Release build; it runs offscreen by itself.
#include "Application.h"
#include "Dat.h"
#include "DatGrid.h"
#include "QuestionAnswerLesson.h"
#include "UMain.h"
#include "UTest1.h"
#include "Windows.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <benchmark/benchmark.h>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int32_t RecordCount = 5000;

struct Lesson {
    QTemporaryDir install;
    std::vector<std::string> questions;
    std::vector<std::string> answers;

    Lesson() {
        QDir(install.path()).mkdir(QStringLiteral("Tmp"));
        for (int32_t record = 1; record <= RecordCount; ++record) {
            questions.push_back("question number " + std::to_string(record));
            answers.push_back("odpov\xEC\xEF " + std::to_string(record));
        }
    }

    // A question-answer lesson file of RecordCount pairs.
    QString Write(const QString& name) const {
        const QString path = install.filePath(name);
        QFile::remove(path);
        WriteQuestionAnswerLesson(QFile::encodeName(path).toStdString(), RecordCount,
                                  [this](int32_t record) {
                                      return std::pair(questions[record - 1], answers[record - 1]);
                                  });
        return path;
    }
};

Lesson& TheLesson() {
    static Lesson lesson;
    return lesson;
}

void BM_CompleteRow(benchmark::State& state) {
    Lesson& lesson = TheLesson();
    editor::FMain->Setup.Path = lesson.install.path() + u'/';
    editor::FMain->Setup.ColSizeTest1_1 = 50;
    editor::FMain->Setup.ColSizeTest1_2 = 50;
    auto window = std::make_unique<editor::TFTest1>();
    window->resize(600, 400);
    window->show();
    window->OpenFile(lesson.Write(QStringLiteral("row.lq")));
    TDatGrid& grid = window->DatGrid1();
    for (auto _ : state) {
        state.PauseTiming();
        grid.SetRow(RecordCount / 2);
        grid.SetCol(2);
        state.ResumeTiming();
        QTest::keyClick(&grid, Qt::Key_Return);
        state.PauseTiming();
        window->Dat1().DeleteRecord(window->Dat1().RecordCount());
        state.ResumeTiming();
    }
}

void BM_BareTableWork(benchmark::State& state) {
    Lesson& lesson = TheLesson();
    TDat dat;
    dat.SetFileName(QFile::encodeName(lesson.Write(QStringLiteral("bare.lq"))).toStdString());
    dat.SetActive(true);
    for (auto _ : state) {
        for (int32_t record = 1; record <= dat.RecordCount(); ++record) {
            dat.WriteString("AJ", record, lesson.questions[record - 1]);
            dat.WriteString("CJ", record, lesson.answers[record - 1]);
        }
        dat.AppendRecord();
        for (int32_t record = 1; record <= dat.RecordCount(); ++record) {
            benchmark::DoNotOptimize(dat.ReadString("AJ", record));
            benchmark::DoNotOptimize(dat.ReadString("CJ", record));
        }
        state.PauseTiming();
        dat.DeleteRecord(dat.RecordCount());
        state.ResumeTiming();
    }
}

} // namespace

BENCHMARK(BM_CompleteRow)->Name("CompleteRow/5000")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareTableWork)->Name("BareTableWork/5000")->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    platform::Application application(argc, argv);
    // Whatever the main window reads of the settings comes from an empty store.
    const QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.filePath("user").toUtf8());
    qputenv("XDG_CONFIG_DIRS", config.filePath("machine").toUtf8());
    editor::TWindows windows;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
