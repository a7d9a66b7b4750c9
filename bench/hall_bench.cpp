// Generating halls: every level 1..99 of one name, as a level start does (seed, then generate).
// The per_hall counter is the mean time per hall.

#include "hall/hall_generator.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int levels = 99;

void generateAllLevels(benchmark::State& state) {
    HallGrid hall;
    for (auto _ : state) {
        for (int level = 1; level <= levels; ++level) {
            GameRandom random;
            random.seedFromText(levelSeedText(level, "Tessmark"));
            generateHall(hall, random, level);
            benchmark::DoNotOptimize(hall.grid);
        }
    }
    state.counters["per_hall"] = benchmark::Counter(
        levels, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

} // namespace

BENCHMARK(generateAllLevels)->Unit(benchmark::kMillisecond);
