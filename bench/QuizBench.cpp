// The shuffle that lays down a lesson's asking order, against the plain shuffle that scans again
// from the first pair after every swap and gives the same order for the same draws. Run by hand.
#include "../tests/learner/ShuffleTranscription.h"
#include "Quiz.h"

#include <benchmark/benchmark.h>
#include <cstdint>
#include <vector>

namespace {

template <void (*Shuffle)(std::vector<int32_t>&, int32_t)>
void BM_Shuffle(benchmark::State& state) {
    const auto count = static_cast<int32_t>(state.range(0));
    std::vector<int32_t> order(count);
    for (auto _ : state) {
        Shuffle(order, count);
        benchmark::DoNotOptimize(order.data());
    }
    state.SetItemsProcessed(state.iterations() * count);
}

} // namespace

BENCHMARK(BM_Shuffle<learner::ShuffleOrder>)
    ->Name("ShuffleOrder")
    ->Arg(100'000)
    ->Arg(1'000'000)
    ->Unit(benchmark::kMillisecond);
// Quadratic: one run at 100,000 items already takes seconds.
BENCHMARK(BM_Shuffle<ShuffleOrderByRescan>)
    ->Name("ShuffleOrderByRescan")
    ->Arg(100'000)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
