#include "solver/hall_hint.h"

#include "rules/play_move.h"
#include "solver/level_solver.h"
#include "solver/position_moves.h"

#include <algorithm>

namespace {

// The first hint comes within this time when it can: the searches aim at it, and only when they
// find nothing do they go on until the caller's deadline.
constexpr auto quickHint = std::chrono::milliseconds(1500);
constexpr std::size_t hintMemory = std::size_t{64} << 20;

// Whether play confirms the plan's first move: it solves the hall, or leaves the pieces where the
// model has them, or a plan from where play left them still solves the hall.
bool confirmFirstMove(const LevelPuzzle& made, const PlayState& state, const PositionKey& key,
                      const SolverMove& move, const SearchLimits& limits) {
    PlayState trial = state;
    PlayEvents events;
    const PlayedMove played =
        playMoveToRest(trial, move.x, move.y, directionOfPush(move.direction), events);
    if (played.solved || played.end != MoveEnd::Rested) {
        return played.solved;
    }
    PositionMoves model(made.puzzle);
    PositionKey expected(key.size());
    if (model.apply(key.data(), move, expected.data()) &&
        playPosition(made.puzzle, trial) == expected) {
        return true;
    }
    return planAndPlay(made, trial, {}, limits).solved;
}

std::optional<HintMove> hintWithin(const LevelPuzzle& made, const PlayState& state,
                                   const PositionKey& key, const SearchLimits& limits) {
    // At the level start the scramble's own pushes are a solution the plan may shorten.
    const std::vector<SolverMove> noPushes;
    const SolverAnswer answer =
        solvePuzzle(made.puzzle, key, key == made.start ? made.scramblePushes : noPushes, limits);
    for (const std::vector<SolverMove>& moves : answer.solutions) {
        if (!moves.empty() && confirmFirstMove(made, state, key, moves.front(), limits)) {
            return HintMove{moves.front().x, moves.front().y,
                            directionOfPush(moves.front().direction)};
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<HintMove> findHint(std::string_view name, int level, const PlayState& state,
                                 std::chrono::steady_clock::time_point deadline,
                                 const std::atomic<bool>& stop) {
    const LevelPuzzle made = makeLevelPuzzle(name, level);
    const std::optional<PositionKey> key = playPosition(made.puzzle, state);
    if (!key || isSolvedPosition(made.puzzle, key->data())) {
        return std::nullopt;
    }
    SearchLimits limits;
    limits.cancel = &stop;
    limits.memoryBytes = hintMemory;
    limits.deadline = std::min(deadline, std::chrono::steady_clock::now() + quickHint);
    std::optional<HintMove> hint = hintWithin(made, state, *key, limits);
    if (!hint && limits.deadline < deadline && !stop.load()) {
        limits.deadline = deadline;
        hint = hintWithin(made, state, *key, limits);
    }
    return stop.load() ? std::nullopt : hint;
}
