// updateHall per frame on the fullest hall, level 99 of "Tessmark": with pieces moving, and with
// a full-grown big amoeba in the middle of the hall. The frame budget is 20 ms; the goal is
// below 1 ms per frame, lighting of the whole hall included.

#include "presentation/scene_layer.h"
#include "rules/hall_pieces.h"
#include "rules/hall_session.h"
#include "rules/random_below.h"
#include "rules/update_hall.h"
#include "shell/game_state.h"

#include <benchmark/benchmark.h>

namespace {

bool loadOnce() {
    static const bool loaded = [] {
        Engine* engine = createEngine(engineVersion);
        return engine != nullptr && loadPlayResources(*engine);
    }();
    return loaded;
}

void startBenchHall() {
    seedRandomBelow(99);
    startHall(99, "Tessmark");
    game.clock = 300; // torches lit, the start sequence over
}

int movingPieces() {
    SceneLayer& layer = *game.hallLayer;
    int moving = 0;
    const int n = collectObjectsByName(layer, "hallitem", false);
    for (int i = 0; i < n; ++i) {
        const HallObject* piece = hallObjectOf(nameResultAt(layer, i));
        moving += piece != nullptr && (piece->moveX != 0 || piece->moveY != 0) ? 1 : 0;
    }
    return moving;
}

// Launches a random resting piece in a random direction with a drag this frame.
void launchSomePiece() {
    SceneLayer& layer = *game.hallLayer;
    const int n = collectObjectsByName(layer, "hallitem", false);
    if (n == 0) {
        return;
    }
    const SceneObject* piece = nameResultAt(layer, randomBelow(n));
    if (piece == nullptr) {
        return;
    }
    static const float dx[4] = {-20, 20, 0, 0}, dy[4] = {0, 0, -20, 20};
    const int d = randomBelow(4);
    game.pressPoint = {piece->x, piece->y};
    game.releasePoint = {piece->x + dx[d], piece->y + dy[d]};
    game.dragState = 2;
}

void frame() {
    updateHall(game.hall, game.frameTime, 462, 462);
    game.dragState = 0;
    game.clock += 1;
}

void updateHallWithPiecesMoving(benchmark::State& state) {
    if (!loadOnce()) {
        state.SkipWithError("cannot load the packs");
        return;
    }
    startBenchHall();
    for (auto _ : state) {
        state.PauseTiming();
        if (collectObjectsByName(*game.hallLayer, "hallitem", false) < 10) {
            startBenchHall();
        }
        if (movingPieces() < 3) {
            launchSomePiece();
        }
        state.ResumeTiming();
        frame();
    }
}
BENCHMARK(updateHallWithPiecesMoving)->Unit(benchmark::kMicrosecond);

void updateHallWithBigAmoeba(benchmark::State& state) {
    if (!loadOnce()) {
        state.SkipWithError("cannot load the packs");
        return;
    }
    auto start = [] {
        startBenchHall();
        createBigAmoeba(game.hall, 462, 462);
        SceneObject* big = nameResultAt(
            *game.hallLayer, collectObjectsByName(*game.hallLayer, "hallbigamoeba", false) - 1);
        big->scale = 1;
    };
    start();
    for (auto _ : state) {
        state.PauseTiming();
        if (collectObjectsByName(*game.hallLayer, "hallitem", false) < 10) {
            start();
        }
        state.ResumeTiming();
        frame();
    }
}
BENCHMARK(updateHallWithBigAmoeba)->Unit(benchmark::kMicrosecond);

} // namespace
