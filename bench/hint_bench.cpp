// The game's first hint at the start of a level: how long findHint takes from the position a
// level start leaves, for levels 1, 50 and 99 of a few names. The goal is within 2 s; a hint that
// is not found within 10 s counts as found = 0.

#include "rules/hall_scene.h"
#include "solver/hall_hint.h"
#include "solver/search_memory.h"

#include <benchmark/benchmark.h>

namespace {

void firstHint(benchmark::State& state, const char* name) {
    keepSearchMemory(); // as the game does
    const int level = static_cast<int>(state.range(0));
    PlayState play;
    HallGrid hall;
    startPlay(play, hall, level, name);
    const std::atomic<bool> stop{false};
    bool found = true;
    for (auto _ : state) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        const std::optional<HintMove> hint = findHint(name, level, play, deadline, stop);
        found = found && hint.has_value();
        benchmark::DoNotOptimize(hint);
    }
    state.counters["found"] = found ? 1 : 0;
}

} // namespace

BENCHMARK_CAPTURE(firstHint, Tessmark, "Tessmark")
    ->Arg(1)
    ->Arg(50)
    ->Arg(99)
    ->Iterations(2)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(firstHint, abc, "abc")
    ->Arg(1)
    ->Arg(50)
    ->Arg(99)
    ->Iterations(2)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(firstHint, Quorvane, "Quorvane")
    ->Arg(1)
    ->Arg(50)
    ->Arg(99)
    ->Iterations(2)
    ->Unit(benchmark::kMillisecond);
