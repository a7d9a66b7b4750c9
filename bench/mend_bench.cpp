// Mending a scramble that parts from play, from the level start and with no deadline, in halls
// whose mend takes the longest among those it mends: the solver gives the mend under a third
// of its time, so this is what decides whether such a hall is solved.

#include "solver/level_solver.h"
#include "solver/parting_mend.h"
#include "solver/search_memory.h"

#include <benchmark/benchmark.h>

namespace {

void mendFromStart(benchmark::State& state, const char* name) {
    keepSearchMemory(); // as the programs that search do
    const LevelPuzzle made = makeLevelPuzzle(name, static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const FollowedPath mended = mendAtPartings(made.puzzle, made.start, made.scramble, {});
        if (!mended.solved) {
            state.SkipWithError("not mended");
        }
        benchmark::DoNotOptimize(mended.moves);
    }
}

} // namespace

BENCHMARK_CAPTURE(mendFromStart, Tessmark, "Tessmark")->Arg(85)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(mendFromStart, abc, "abc")->Arg(68)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(mendFromStart, Quorvane, "Quorvane")->Arg(30)->Unit(benchmark::kMillisecond);
