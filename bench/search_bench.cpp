// The solver's raw search speed: a breadth-first and a weighted search from the start of a
// middle level, each stopped by a fixed memory budget rather than by time, so that every run
// does the same work. The positions counter is the rate of positions met per second.

#include "solver/hall_search.h"
#include "solver/level_solver.h"
#include "solver/search_memory.h"

#include <benchmark/benchmark.h>

namespace {

void searchFromStart(benchmark::State& state, const char* name) {
    keepSearchMemory(); // as the programs that search do
    const LevelPuzzle made = makeLevelPuzzle(name, static_cast<int>(state.range(0)));
    SearchLimits limits;
    limits.weight = static_cast<int>(state.range(1));
    limits.memoryBytes = std::size_t{32} << 20;
    int positions = 0;
    for (auto _ : state) {
        const SearchOutcome outcome = searchMoves(made.puzzle, made.start, limits);
        positions += outcome.positions;
        benchmark::DoNotOptimize(outcome.moves);
    }
    state.counters["positions"] = benchmark::Counter(positions, benchmark::Counter::kIsRate);
}

} // namespace

BENCHMARK_CAPTURE(searchFromStart, abc, "abc")
    ->Args({50, 0})
    ->Args({50, 2})
    ->Args({21, 3})
    ->Unit(benchmark::kMillisecond);
// A late level with many ends, where the estimate of each position costs the most.
BENCHMARK_CAPTURE(searchFromStart, Quorvane, "Quorvane")
    ->Args({30, 2})
    ->Unit(benchmark::kMillisecond);
