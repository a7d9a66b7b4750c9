#include "solver/hall_hint.h"

#include "rules/play_move.h"
#include "solver/level_solver.h"
#include "solver/lost_hall.h"
#include "solver/position_moves.h"

#include <algorithm>

namespace {

// The first hint comes within this time when it can: the searches aim at it, and only when they
// find nothing do they go on until the caller's deadline.
constexpr auto quickHint = std::chrono::milliseconds(1500);
constexpr std::size_t hintMemory = std::size_t{64} << 20;

// What play makes of a move, tried on trial, a copy of the state at key.
enum class Tried { Solves, AsModel, Elsewhere, NotAtRest };

Tried tryMove(const LevelPuzzle& made, PlayState& trial, const PositionKey& key,
              const SolverMove& move) {
    PlayEvents events;
    const PlayedMove played =
        playMoveToRest(trial, move.x, move.y, directionOfPush(move.direction), events);
    if (played.solved) {
        return Tried::Solves;
    }
    if (played.end != MoveEnd::Rested) {
        return Tried::NotAtRest;
    }
    PositionMoves model(made.puzzle);
    PositionKey expected(key.size());
    const bool asModel = model.apply(key.data(), move, expected.data()) &&
                         playPosition(made.puzzle, trial) == expected;
    return asModel ? Tried::AsModel : Tried::Elsewhere;
}

// Whether play confirms the plan's first move: it solves the hall, or leaves the pieces where the
// model has them, or a plan from where play left them still solves the hall.
bool confirmFirstMove(const LevelPuzzle& made, const PlayState& state, const PositionKey& key,
                      const SolverMove& move, const SearchLimits& limits) {
    PlayState trial = state;
    switch (tryMove(made, trial, key, move)) {
    case Tried::Solves:
    case Tried::AsModel:
        return true;
    case Tried::Elsewhere:
        return planAndPlay(made, trial, {}, limits).solved;
    case Tried::NotAtRest:
        break;
    }
    return false;
}

// Whether play takes a move of a plan that need not reach solved (progress towards a solution,
// or a plan remembered from an earlier hint) as the model does, without losing the hall.
bool playsAsModel(const LevelPuzzle& made, const PlayState& state, const PositionKey& key,
                  const SolverMove& move) {
    PlayState trial = state;
    const Tried tried = tryMove(made, trial, key, move);
    return tried == Tried::Solves || (tried == Tried::AsModel && !hallIsLost(trial));
}

HintMove hintOf(const SolverMove& move) {
    return HintMove{move.x, move.y, directionOfPush(move.direction)};
}

struct PlannedHint {
    HintMove move;
    std::vector<SolverMove> plan; // the moves the hint is the first of
};

// The first move of a solution play confirms; failing that, where the searches found no whole
// solution in time, the first move of their progress towards one: a stuck player is better
// served by a move now than by a surer one much later. The scramble's walk is no hint: even
// shortened, it pushes pieces about for thousands of moves before it solves the hall.
std::optional<PlannedHint> hintWithin(const LevelPuzzle& made, const PlayState& state,
                                      const PositionKey& key, const SearchLimits& limits) {
    const SolverAnswer answer = solvePuzzle(made.puzzle, key, {}, limits);
    for (const std::vector<SolverMove>& moves : answer.solutions) {
        if (!moves.empty() && confirmFirstMove(made, state, key, moves.front(), limits)) {
            return PlannedHint{hintOf(moves.front()), moves};
        }
    }
    if (!answer.progress.empty() && playsAsModel(made, state, key, answer.progress.front())) {
        return PlannedHint{hintOf(answer.progress.front()), answer.progress};
    }
    return std::nullopt;
}

} // namespace

std::optional<HintMove> findHint(std::string_view name, int level, const PlayState& state,
                                 std::chrono::steady_clock::time_point deadline,
                                 const std::atomic<bool>& stop, HintPlan* plan) {
    const LevelPuzzle made = makeLevelPuzzle(name, level);
    const std::optional<PositionKey> key = playPosition(made.puzzle, state);
    if (!key || isSolvedPosition(made.puzzle, key->data())) {
        return std::nullopt;
    }
    if (plan != nullptr) {
        const std::optional<SolverMove> next = plan->moveFrom(*key);
        if (next && playsAsModel(made, state, *key, *next)) {
            return hintOf(*next);
        }
    }
    SearchLimits limits;
    limits.cancel = &stop;
    limits.memoryBytes = hintMemory;
    limits.deadline = std::min(deadline, std::chrono::steady_clock::now() + quickHint);
    std::optional<PlannedHint> hint = hintWithin(made, state, *key, limits);
    if (!hint && limits.deadline < deadline && !stop.load()) {
        limits.deadline = deadline;
        hint = hintWithin(made, state, *key, limits);
    }
    if (!hint || stop.load()) {
        return std::nullopt;
    }
    if (plan != nullptr) {
        plan->remember(made.puzzle, *key, hint->plan);
    }
    return hint->move;
}

std::optional<SolverMove> HintPlan::moveFrom(const PositionKey& key) const {
    const std::lock_guard<std::mutex> lock(mutex_);
    const auto found = std::find(keys_.begin(), keys_.end(), key);
    if (found == keys_.end()) {
        return std::nullopt;
    }
    return moves_[static_cast<std::size_t>(found - keys_.begin())];
}

void HintPlan::remember(const HallPuzzle& puzzle, const PositionKey& start,
                        const std::vector<SolverMove>& moves) {
    PositionMoves model(puzzle);
    std::vector<PositionKey> keys{start};
    PositionKey next(start.size());
    for (const SolverMove& move : moves) {
        if (!model.apply(keys.back().data(), move, next.data())) {
            break;
        }
        keys.push_back(next);
    }
    keys.pop_back(); // the position after the last move has no move of the plan
    const std::lock_guard<std::mutex> lock(mutex_);
    moves_.assign(moves.begin(), moves.begin() + static_cast<long>(keys.size()));
    keys_ = std::move(keys);
}
