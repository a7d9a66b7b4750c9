// The start-up load of both packs through the headless engine: attach "Graphics.paq", load the
// fonts, presets and sprite catalogue, attach "Sound.paq", load the sound catalogue. Every
// picture and sound is read, decrypted and inflated from the packs the build wrote into bin/.

#include "platform/headless/headless_engine.h"
#include "platform/pack/pack_password.h"
#include "presentation/graphics_catalogue.h"
#include "presentation/sound_catalogue.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

void startupLoad(benchmark::State& state) {
    const std::string password = packPassword();
    for (auto _ : state) {
        headlessEngine().reset(); // program directory: bin/, where the packs are
        Engine* engine = createEngine(engineVersion);
        auto hallLayer = createLayer();
        auto overlayLayer = createLayer();
        std::unique_ptr<BitmapFont> largeFont, smallFont;
        EffectManager effects;
        SoundCatalogue sounds;
        const bool graphics = engine->attachPack("Graphics.paq", password.c_str()) &&
                              loadGraphics(*engine, *hallLayer, *overlayLayer, largeFont, smallFont,
                                           effects, "quorvane.example");
        const bool sound =
            engine->attachPack("Sound.paq", password.c_str()) && loadSounds(*engine, sounds);
        largeFont.reset();
        smallFont.reset();
        engine->release();
        if (!graphics || !sound) {
            state.SkipWithError(graphics ? "Can't load sounds." : "Can't load graphics.");
            break;
        }
    }
}
BENCHMARK(startupLoad)->Unit(benchmark::kMillisecond);

} // namespace
