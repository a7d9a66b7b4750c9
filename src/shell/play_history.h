#pragma once
// The undo list of the hall in play: the mid-layer between the player's commands and the play
// state. Each step keeps the play state from just before it as a copy, stored as the objects
// that differ from the level's start (walls, floors and the rest of a hall never change, so a
// step costs the pieces, torches and the few other objects that do).
//
// The shell owns it (game.history). Its generation() changes, and its listener is called, with
// every change of position, so that work about a position (a hint being searched) can see that
// it is out of date and stop.

#include "rules/play_frame.h"
#include "rules/play_state.h"
#include "shell/undo_history.h"

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

// A play state as the objects that differ from the level's start.
struct PlaySnapshot {
    std::vector<std::pair<std::uint32_t, PlayObject>> changed; // slot, object
    std::uint32_t objectCount = 0;
    std::vector<std::uint16_t> byName;
    std::int32_t lastId = 1;
    float clock = 0;
    std::int32_t motionSeen = 0;
    PlayRandom random;

    // Heap bytes it holds, for the memory figure of a long history.
    std::size_t bytes() const;
};

PlaySnapshot takeSnapshot(const PlayState& start, const PlayState& state);
// The state the snapshot was taken of.
void restoreSnapshot(const PlayState& start, const PlaySnapshot& snapshot, PlayState* state);

// What an undo or redo did: a move (with the move) or a restart.
struct HistoryStep {
    bool isMove = false;
    PlayMove move;
};

class PlayHistory {
  public:
    using Steps = UndoHistory<PlaySnapshot, PlayMove>;

    // A fresh level, whose start state is start.
    void reset(const PlayState& start);

    // Before the move is made on state (pieces may still be moving).
    void recordMove(const PlayState& state, const PlayMove& move);
    // Before the level restarts from state.
    void recordRestart(const PlayState& state);
    // The state the level started in.
    const PlayState& levelStart() const { return start_; }
    // Puts the state from before the latest step back; false at the level's start.
    bool undo(PlayState* state, HistoryStep* step);
    // Puts the state from before the undone step back and says what it was: the caller makes
    // the move again, or restarts again. False when there is nothing to redo.
    bool redo(PlayState* state, HistoryStep* step);
    std::size_t steps() const { return steps_.steps(); }

    int moves() const { return steps_.moves(); }
    bool canUndo() const { return steps_.canUndo(); }
    bool canRedo() const { return steps_.canRedo(); }
    std::uint64_t generation() const { return steps_.generation(); }
    void setListener(std::function<void()> listener) { steps_.setListener(std::move(listener)); }
    // Heap bytes of the whole list, the level's start included.
    std::size_t bytes() const;

  private:
    PlayState start_;
    Steps steps_;
};
