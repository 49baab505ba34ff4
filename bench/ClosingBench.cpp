// Closing the learner's main window, which saves the settings and the recent list, with a long
// list against a short one: a save is one write of the settings file, so the long list should cost
// little more than its own lines.
#include "Application.h"
#include "Registry.h"
#include "ScriptedDialogs.h"
#include "UMain.h"
#include "Windows.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdint>

namespace {

void BM_Closing(benchmark::State& state) {
    // Entries beyond the list's length stay in the file: each run starts from none.
    QFile::remove(platform::Registry::FilePath(platform::RegistryRoot::CurrentUser));
    TOtevr& recent = learner::FMain->RecentFiles;
    recent.Items.assign(1, QString());
    for (int64_t n = 1; n <= state.range(0); ++n)
        recent.Items.push_back(QStringLiteral("/home/jan/Lekce/anglictina/lekce-%1.lq").arg(n));
    recent.Count = int32_t(state.range(0));
    for (auto _ : state) {
        learner::FMain->close();
        state.PauseTiming();
        learner::FMain->show();
        state.ResumeTiming();
    }
}

} // namespace

BENCHMARK(BM_Closing)->Name("Closing/recent")->Arg(10)->Arg(1000)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("SDL_AUDIODRIVER", "dummy");
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.filePath("user")));
    qputenv("XDG_CONFIG_DIRS", QFile::encodeName(config.filePath("machine")));
    platform::Application application(argc, argv);
    application.setQuitOnLastWindowClosed(false);
    // The sounds are not in the current folder: their error boxes are recorded, not shown.
    platform::UseScriptedDialogs();
    learner::TWindows windows;
    learner::FMain->show();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
