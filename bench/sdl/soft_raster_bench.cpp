// The rasteriser alone, on one thread: the benchmark frame's 3,000 quads drawn straight into a
// 924 x 924 frame buffer, without the engine's second thread and without SDL's texture upload
// and copy.

#include "../frame_quads.h"
#include "platform/sdl/soft_raster.h"

#include <benchmark/benchmark.h>

namespace {

void rasteriseFrameOf3000Quads(benchmark::State& state) {
    const std::vector<std::uint32_t> pixels = benchmarkSpritePixels();
    const RasterTexture texture{pixels.data(), 44, 44};
    const std::vector<SpriteQuad> quads = benchmarkQuads(1, state.range(0) != 0);
    FrameBuffer frame;
    resizeFrameBuffer(frame, 924, 924);
    for (auto _ : state) {
        clearFrameBuffer(frame, 0xFF000000u);
        for (const SpriteQuad& q : quads) {
            RasterVertex corner[4];
            for (int i = 0; i < 4; ++i) {
                const Vertex& v = q.vertex[i];
                corner[i] = RasterVertex{v.x, v.y, v.colour, v.tx, v.ty};
            }
            rasteriseQuad(frame, corner, &texture,
                          q.blend == blendAlpha ? RasterBlend::alpha : RasterBlend::additive);
        }
        benchmark::DoNotOptimize(frame.pixels.data());
    }
}
// tinted 0: white quads, 1: a different tint on each corner.
BENCHMARK(rasteriseFrameOf3000Quads)
    ->ComputeStatistics("min", fastestRun)
    ->ArgName("tinted")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond);

} // namespace
