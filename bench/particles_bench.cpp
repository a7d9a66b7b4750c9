// One frame of effects at their busiest: 20 systems of 500 live particles each, updated and drawn
// through the headless engine (which only records the quads). Goal: under 1 ms per frame.
#include "draw/particle_system.h"
#include "platform/headless/headless_engine.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace {

void updateAndRenderTwentyFullSystems(benchmark::State& state) {
    HeadlessEngine& headless = headlessEngine();
    headless.reset();
    Engine* engine = createEngine(engineVersion);
    engine->randomSeed(5);
    Sprite sprite(0, 0, 0, 16, 16);
    sprite.setHotSpot(8, 8);

    ParticlePreset preset;
    preset.sprite = &sprite;
    preset.emission = 25000; // refills the dying particles every frame
    preset.lifetime = -1;
    preset.particleLifeMin = 0.5f;
    preset.particleLifeMax = 1.5f;
    preset.spread = 6.28f;
    preset.speedMin = 1;
    preset.speedMax = 3;
    preset.gravityMin = preset.gravityMax = 20;
    preset.radialMin = -10;
    preset.radialMax = 10;
    preset.tangentialMin = -10;
    preset.tangentialMax = 10;
    preset.sizeStart = 1;
    preset.sizeEnd = 0.2f;
    preset.spinEnd = 4;
    preset.colourStart = {1, 0.8f, 0.2f, 1};
    preset.colourEnd = {0.5f, 0.1f, 0, 0};

    std::vector<std::unique_ptr<ParticleSystem>> systems;
    for (int i = 0; i < 20; ++i) {
        systems.push_back(std::make_unique<ParticleSystem>(preset));
        systems.back()->fireAt(40.0f * static_cast<float>(i), 400);
        systems.back()->update(0.02f);
    }
    for (auto _ : state) {
        headless.clearRecordings(); // keeps the quad buffer's capacity
        for (auto& system : systems) {
            system->update(0.02f);
            system->render();
        }
    }
    int alive = 0;
    for (auto& system : systems) {
        alive += system->aliveCount();
    }
    state.counters["particles"] = alive;
    systems.clear();
    engine->release();
}

} // namespace

BENCHMARK(updateAndRenderTwentyFullSystems)->Unit(benchmark::kMicrosecond);
