#pragma once
// The game's hint: the next move towards solving the hall from the position on the board, worked
// out from a copy of the play state, so that it may run on a thread of its own.

#include "rules/hint_move.h"
#include "rules/play_state.h"

#include <atomic>
#include <chrono>
#include <optional>
#include <string_view>

// The first move of a solution from the position in state (pieces at rest) of the hall of name
// and level; where the searches find no whole solution soon, the first move of their progress
// towards one (an end more covered, those covered kept, and the hall not lost); nothing when
// neither is found before the deadline or once stop is set. Reads only
// its arguments (state is the caller's copy); safe to run on any thread.
std::optional<HintMove> findHint(std::string_view name, int level, const PlayState& state,
                                 std::chrono::steady_clock::time_point deadline,
                                 const std::atomic<bool>& stop);
