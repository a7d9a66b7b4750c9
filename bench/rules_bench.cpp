// One frame of play on the fullest hall, level 99 of "Tessmark", with pieces moving: the rules
// alone on the play state (what a solver steps millions of times; goal below 50 µs), a copy of
// that state (goal below 20 µs), and the whole frame as the game runs it, events played and the
// hall layer shown and lit (the frame budget is 20 ms). Also with a full-grown big amoeba.

#include "hall/hall_grid.h"
#include "rules/hall_pieces.h"
#include "rules/hall_scene.h"
#include "rules/play_frame.h"
#include "shell/game_state.h"
#include "shell/hall_session.h"
#include "shell/play_step.h"

#include <benchmark/benchmark.h>

namespace {

void startBenchPlay(PlayState& state) {
    HallGrid hall;
    state.random.seed(99);
    startPlay(state, hall, 99, "Tessmark");
    state.clock = 300; // torches lit, the start sequence over
}

int movingPieces(const PlayState& state) {
    int moving = 0;
    for (int slot : pieceSlots(state)) {
        moving += objectAt(state, slot).moving() ? 1 : 0;
    }
    return moving;
}

// A move of a random piece in a random direction, as a drag would make it.
PlayInput someMove(PlayState& state) {
    PlayInput input;
    input.pointerX = input.pointerY = 462;
    const std::vector<int> pieces = pieceSlots(state);
    if (pieces.empty()) {
        return input;
    }
    const PlayObject& piece = objectAt(
        state,
        pieces[static_cast<std::size_t>(state.random.below(static_cast<int>(pieces.size())))]);
    input.hasMove = true;
    input.move = {piece.x, piece.y, static_cast<Direction>(state.random.below(4))};
    return input;
}

// Keeps three pieces on the move; a hall worn down to few pieces starts again.
PlayInput nextInput(PlayState& state, void (*restart)(PlayState&)) {
    if (pieceSlots(state).size() < 10) {
        restart(state);
    }
    if (movingPieces(state) < 3) {
        return someMove(state);
    }
    PlayInput input;
    input.pointerX = input.pointerY = 462;
    return input;
}

void playFrameWithPiecesMoving(benchmark::State& bench) {
    PlayState state;
    PlayEvents events;
    startBenchPlay(state);
    for (auto _ : bench) {
        bench.PauseTiming();
        const PlayInput input = nextInput(state, startBenchPlay);
        bench.ResumeTiming();
        stepPlayFrame(state, input, events);
    }
}
BENCHMARK(playFrameWithPiecesMoving)->Unit(benchmark::kMicrosecond);

void startWithBigAmoeba(PlayState& state) {
    startBenchPlay(state);
    objectAt(state, createBigAmoeba(state, 462, 462)).scale = 1;
}

void playFrameWithBigAmoeba(benchmark::State& bench) {
    PlayState state;
    PlayEvents events;
    startWithBigAmoeba(state);
    for (auto _ : bench) {
        bench.PauseTiming();
        if (pieceSlots(state).size() < 10) {
            startWithBigAmoeba(state);
        }
        bench.ResumeTiming();
        stepPlayFrame(state, PlayInput{}, events);
    }
}
BENCHMARK(playFrameWithBigAmoeba)->Unit(benchmark::kMicrosecond);

void copyPlayState(benchmark::State& bench) {
    PlayState state;
    PlayEvents events;
    startBenchPlay(state);
    for (int i = 0; i < 50; ++i) { // pieces on the move
        stepPlayFrame(state, nextInput(state, startBenchPlay), events);
    }
    for (auto _ : bench) {
        PlayState copy = state;
        benchmark::DoNotOptimize(copy.objects.data());
    }
    bench.counters["objects"] = static_cast<double>(state.objects.size());
}
BENCHMARK(copyPlayState)->Unit(benchmark::kMicrosecond);

void startBenchGame(PlayState& state) {
    (void)state;
    game.play.random.seed(99);
    startHall(99, "Tessmark");
    game.clock = 300;
}

// The frame as the game runs it: the rules, their sounds and effects, the hall layer brought in
// line and lit with the pointer light.
void wholeFrameWithPiecesMoving(benchmark::State& bench) {
    Engine* engine = createEngine(engineVersion);
    if (engine == nullptr || !loadPlayResources(*engine)) {
        bench.SkipWithError("cannot load the packs");
        return;
    }
    startBenchGame(game.play);
    for (auto _ : bench) {
        bench.PauseTiming();
        const PlayInput input = nextInput(game.play, startBenchGame);
        game.dragState = 0;
        if (input.hasMove) {
            static const float dx[4] = {-20, 20, 0, 0}, dy[4] = {0, 0, -20, 20};
            const auto d = static_cast<int>(input.move.direction);
            game.pressPoint = {input.move.x, input.move.y};
            game.releasePoint = {input.move.x + dx[d], input.move.y + dy[d]};
            game.dragState = 2;
        }
        bench.ResumeTiming();
        playHallFrame(462, 462, false);
        lightHallForDrawing(); // as the render step does for a frame that is drawn
        game.clock += 1;
    }
    // The fonts and layers go while the engine still lives.
    releasePlayResources();
    engine->release();
}
BENCHMARK(wholeFrameWithPiecesMoving)->Unit(benchmark::kMicrosecond);

} // namespace
