#pragma once
// The game's hint: the next move towards solving the hall from the position on the board, worked
// out from a copy of the play state, so that it may run on a thread of its own.

#include "rules/hint_move.h"
#include "rules/play_state.h"
#include "solver/hall_search.h"

#include <atomic>
#include <chrono>
#include <mutex>
#include <optional>
#include <string_view>

// The plan behind the last hint of one hall: its moves and the positions they pass through in
// the model, so that a player who follows a hint gets the next one at once, from the same plan.
// Shared by the threads hints run on.
class HintPlan {
  public:
    // The plan's move from key, when key is one of the positions it passes through.
    std::optional<SolverMove> moveFrom(const PositionKey& key) const;
    void remember(const HallPuzzle& puzzle, const PositionKey& start,
                  const std::vector<SolverMove>& moves);

  private:
    mutable std::mutex mutex_;
    std::vector<PositionKey> keys_; // the position before each move
    std::vector<SolverMove> moves_;
};

// The first move of a solution from the position in state (pieces at rest) of the hall of name
// and level; where the searches find no whole solution soon, the first move of their progress
// towards one (an end more covered, those covered kept, and the hall not lost); nothing when
// neither is found before the deadline or once stop is set. With plan (the hall's own), a
// position the last plan passes through gets that plan's next move without a search, and a new
// plan is remembered there. Reads only its arguments (state is the caller's copy); safe to run on
// any thread.
std::optional<HintMove> findHint(std::string_view name, int level, const PlayState& state,
                                 std::chrono::steady_clock::time_point deadline,
                                 const std::atomic<bool>& stop, HintPlan* plan = nullptr);
