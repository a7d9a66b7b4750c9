// Undo and redo on level 99 of Tessmark after 1,000 moves, and the memory that history holds.
// The moves are real: each sends a resting piece one way and plays the hall until all rests;
// a hall that has no move left is restarted (a step of the history too).

#include "hall/hall_grid.h"
#include "rules/hall_scene.h"
#include "rules/play_frame.h"
#include "shell/play_history.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int movesWanted = 1000;
constexpr int restLimit = 5000; // frames a move may take

struct LongGame {
    PlayState state;
    PlayHistory history;
    int moves = 0;
};

// Sends the first piece that can go, trying each piece and direction in turn; false when none.
bool makeAMove(LongGame& g, int* turn, PlayEvents& events) {
    const std::vector<int> pieces = pieceSlots(g.state);
    const int tries = static_cast<int>(pieces.size()) * 4;
    for (int t = 0; t < tries; ++t, ++*turn) {
        const PlayObject& piece = objectAt(g.state, pieces[*turn / 4 % pieces.size()]);
        if (piece.moving()) {
            continue;
        }
        PlayInput input;
        input.hasMove = true;
        input.move = PlayMove{piece.x, piece.y, static_cast<Direction>(*turn % 4)};
        const PlayState before = g.state;
        stepPlayFrame(g.state, input, events);
        for (const PlayEvent& e : events) {
            if (e.kind == EventKind::PieceLaunched) {
                g.history.recordMove(before, input.move);
                for (int f = 0; f < restLimit && !allAtRest(g.state); ++f) {
                    stepPlayFrame(g.state, PlayInput{}, events);
                }
                ++*turn;
                return true;
            }
        }
    }
    return false;
}

LongGame& longGame() {
    static LongGame* game = [] {
        auto* g = new LongGame;
        HallGrid hall;
        startPlay(g->state, hall, 99, "Tessmark");
        g->history.reset(g->state);
        PlayEvents events;
        int turn = 0;
        while (g->moves < movesWanted) {
            if (makeAMove(*g, &turn, events)) {
                ++g->moves;
            } else { // no move left: the level again, as a step of the history
                g->history.recordRestart(g->state);
                g->state = g->history.levelStart();
            }
        }
        return g;
    }();
    return *game;
}

void BM_UndoAfter1000Moves(benchmark::State& st) {
    LongGame& g = longGame();
    HistoryStep step;
    for (auto _ : st) {
        g.history.undo(&g.state, &step);
        benchmark::DoNotOptimize(g.state.objects.data());
        st.PauseTiming();
        g.history.redo(&g.state, &step);
        st.ResumeTiming();
    }
    st.counters["history_MB"] = static_cast<double>(g.history.bytes()) / (1 << 20);
    st.counters["steps"] = static_cast<double>(g.history.steps());
}
BENCHMARK(BM_UndoAfter1000Moves)->Unit(benchmark::kMicrosecond);

// Redo: the state from before the move put back, and the move made again (one frame of play).
void BM_RedoAfter1000Moves(benchmark::State& st) {
    LongGame& g = longGame();
    HistoryStep step;
    PlayEvents events;
    for (auto _ : st) {
        st.PauseTiming();
        g.history.undo(&g.state, &step);
        st.ResumeTiming();
        g.history.redo(&g.state, &step);
        PlayInput input;
        input.hasMove = step.isMove;
        input.move = step.move;
        stepPlayFrame(g.state, input, events);
        benchmark::DoNotOptimize(g.state.objects.data());
    }
}
BENCHMARK(BM_RedoAfter1000Moves)->Unit(benchmark::kMicrosecond);

} // namespace
