// One frame of 3,000 textured quads through the headless engine (recording only).

#include "frame_quads.h"
#include "platform/headless/headless_engine.h"

#include <benchmark/benchmark.h>

namespace {

void headlessFrameOf3000Quads(benchmark::State& state) {
    HeadlessEngine& engine = headlessEngine();
    const std::vector<SpriteQuad> quads = benchmarkQuads(1, state.range(0) != 0);
    for (auto _ : state) {
        engine.clearRecordings();
        drawBenchmarkFrame(engine, quads);
        benchmark::DoNotOptimize(engine.quads().data());
    }
}
BENCHMARK(headlessFrameOf3000Quads)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
