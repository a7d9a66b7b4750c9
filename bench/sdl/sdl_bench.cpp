// One frame of 3,000 textured 44-pixel quads through the SDL engine: software renderer on the
// offscreen video driver, 924 x 924 window, presented at the end of each frame; drawn either by
// SDL's software renderer or by the engine's own rasteriser.

#include "../frame_quads.h"
#include "platform/pack/pack_writer.h"
#include "platform/sdl/sdl_engine.h"

#include <SDL_image.h>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace {

// The benchmark's sprite, served from a pack.
TextureHandle loadSpriteTexture(Engine& engine, const fs::path& directory) {
    std::vector<std::uint32_t> pixels = benchmarkSpritePixels();
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(pixels.data(), 44, 44, 32, 44 * 4,
                                                              SDL_PIXELFORMAT_ARGB8888);
    IMG_SavePNG(surface, (directory / "sprite.png").c_str());
    SDL_FreeSurface(surface);
    std::ifstream in(directory / "sprite.png", std::ios::binary);
    std::vector<std::uint8_t> png(std::istreambuf_iterator<char>(in), {});
    std::string error;
    writePack((directory / "bench.paq").string(), {{"sprite.png", png}}, "bench", &error);
    engine.attachPack((directory / "bench.paq").c_str(), "bench");
    return engine.loadTexture("sprite.png", 0, false);
}

void sdlFrameOf3000Quads(benchmark::State& state) {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("SDL_RENDER_DRIVER", "software", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    setenv("SDL_FRAMEBUFFER_ACCELERATION", "0", 0);
    setenv("QUORVANE_SOFTWARE_RASTER", state.range(1) != 0 ? "1" : "0", 1);
    Engine* engine = createEngine(engineVersion);
    engine->setNumber(numberWidth, 924);
    engine->setNumber(numberHeight, 924);
    engine->setFlag(flagWindowed, true);
    engine->setFlag(flagUseSound, false);
    if (!engine->initialise()) {
        state.SkipWithError(engine->lastError());
        engine->release();
        return;
    }
    const fs::path directory = fs::temp_directory_path() / "quorvane-sdl-bench";
    fs::create_directories(directory);
    const TextureHandle texture = loadSpriteTexture(*engine, directory);
    const std::vector<SpriteQuad> quads = benchmarkQuads(texture, state.range(0) != 0);
    for (auto _ : state) {
        drawBenchmarkFrame(*engine, quads);
    }
    fs::remove_all(directory);
    engine->release();
}
// tinted 0: white quads, 1: a different tint on each corner; own 0: SDL draws, 1: our rasteriser.
// Our rasteriser draws on two threads where it can: the time is the frame's wall-clock time, the
// CPU time that of every thread.
BENCHMARK(sdlFrameOf3000Quads)
    ->MeasureProcessCPUTime()
    ->ComputeStatistics("min", fastestRun)
    ->ArgNames({"tinted", "own"})
    ->ArgsProduct({{0, 1}, {0, 1}})
    ->Unit(benchmark::kMillisecond);

} // namespace
