#include "solver/hall_hint.h"

#include "solver/level_solver.h"

std::optional<HintMove> findHint(std::string_view name, int level, const PlayState& state,
                                 std::chrono::steady_clock::time_point deadline,
                                 const std::atomic<bool>& stop) {
    const LevelPuzzle made = makeLevelPuzzle(name, level);
    SearchLimits limits;
    limits.deadline = deadline;
    limits.cancel = &stop;
    limits.memoryBytes = std::size_t{64} << 20;
    // At the level start the scramble's own pushes are a solution the plan may shorten.
    const bool atStart = playPosition(made.puzzle, state) == made.start;
    PlayState trial = state;
    const PlayedPlan plan =
        planAndPlay(made, trial, atStart ? made.scramblePushes : std::vector<SolverMove>{}, limits);
    if (!plan.solved || plan.moves.empty() || stop.load()) {
        return std::nullopt;
    }
    static constexpr Direction directions[4] = {Direction::Left, Direction::Right, Direction::Up,
                                                Direction::Down};
    const SolverMove& first = plan.moves.front();
    return HintMove{first.x, first.y, directions[first.direction]};
}
