// Opening a question-answer lesson in the editor, from the frame's open to a filled grid, for
// lessons of 20,000 to a million records: the cost should grow with the records and no faster.
// Run by hand from a Release build; it runs offscreen by itself.
#include "Application.h"
#include "QuestionAnswerLesson.h"
#include "ULesson.h"
#include "UMain.h"
#include "Windows.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace {

QTemporaryDir& Install() {
    static QTemporaryDir install;
    return install;
}

// A question-answer lesson file of `records` pairs, written once for all runs of its size.
QString LessonOf(int32_t records) {
    const QString path = Install().filePath(QStringLiteral("open-%1.lq").arg(records));
    if (QFile::exists(path))
        return path;
    WriteQuestionAnswerLesson(QFile::encodeName(path).toStdString(), records, [](int32_t record) {
        const std::string number = std::to_string(record);
        // "odpověď" in Windows-1250.
        return std::pair("question number " + number, "odpov\xEC\xEF " + number);
    });
    return path;
}

void CloseLessonWindows() {
    const std::vector<editor::TLessonWindow*> windows = editor::TLessonWindow::OpenWindows();
    for (editor::TLessonWindow* window : windows)
        window->Discard();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void BM_OpenLesson(benchmark::State& state) {
    const QString lesson = LessonOf(int32_t(state.range(0)));
    for (auto _ : state) {
        editor::FMain->OpenLesson(lesson);
        state.PauseTiming();
        CloseLessonWindows();
        state.ResumeTiming();
    }
}

} // namespace

BENCHMARK(BM_OpenLesson)
    ->Name("OpenLesson")
    ->Arg(20000)
    ->Arg(80000)
    ->Arg(320000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Whatever the main window reads of the settings comes from an empty store.
    const QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.filePath("user")));
    qputenv("XDG_CONFIG_DIRS", QFile::encodeName(config.filePath("machine")));
    platform::Application application(argc, argv);
    application.setQuitOnLastWindowClosed(false);
    QDir(Install().path()).mkdir(QStringLiteral("Tmp"));
    editor::TWindows windows;
    editor::FMain->show();
    // Showing the frame reads the settings, the install folder among them.
    editor::FMain->Setup.Path = Install().path() + u'/';
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
