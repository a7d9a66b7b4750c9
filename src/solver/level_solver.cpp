#include "solver/level_solver.h"

#include "hall/hall_report.h"
#include "rules/hall_scene.h"
#include "rules/play_move.h"
#include "rules/play_queries.h"
#include "solver/position_moves.h"

#include <cstring>
#include <memory>

namespace {

// The scramble's pushes, and the pieces and mutation kinds after each.
class PushList final : public PushObserver {
  public:
    struct After {
        std::int32_t grid[hallSize][hallSize];
        std::int32_t specialCode[specialCapacity];
    };
    void piecePushed(int x, int y, int direction, const HallGrid& hall) override {
        pushes.push_back(SolverMove{x, y, direction});
        After& after = afters.emplace_back();
        std::memcpy(after.grid, hall.grid, sizeof after.grid);
        std::memcpy(after.specialCode, hall.specialCode, sizeof after.specialCode);
    }
    std::vector<SolverMove> pushes;
    std::vector<After> afters;
};

CellCode codeOfPiece(PieceName name) {
    switch (name) {
    case PieceName::ItemBall:
        return CellBall;
    case PieceName::ItemBox:
        return CellBox;
    case PieceName::ItemSpike:
        return CellSpike;
    case PieceName::AmoebaBall:
        return CellAmoebaBall;
    case PieceName::AmoebaBox:
        return CellAmoebaBox;
    default:
        return CellAmoebaSpike;
    }
}

std::string cellText(int x, int y) {
    return "(" + std::to_string(x) + "," + std::to_string(y) + ")";
}

enum class PlanEnd { Solved, Unsolved, LeftModel, Failed };

// Plays the model's moves from key on state while play and the model agree; the moves played
// are added to plan.
PlanEnd playWhileAgreeing(const LevelPuzzle& made, PlayState& state, const PositionKey& key,
                          const std::vector<SolverMove>& moves, PlayedPlan& plan) {
    PositionMoves model(made.puzzle);
    PositionKey expected = key, next(key.size());
    PlayEvents events;
    for (const SolverMove& move : moves) {
        const PlayedMove played =
            playMoveToRest(state, move.x, move.y, directionOfPush(move.direction), events);
        if (played.end == MoveEnd::NoPiece) {
            plan.why = "no piece to move on " + cellText(move.x, move.y);
            return PlanEnd::Failed;
        }
        plan.moves.push_back(move);
        if (played.solved) {
            return PlanEnd::Solved;
        }
        if (played.end == MoveEnd::Endless) {
            plan.why = "a piece never stopped after move " + std::to_string(plan.moves.size());
            return PlanEnd::Failed;
        }
        const bool modelMoves = model.apply(expected.data(), move, next.data());
        if (!modelMoves || playPosition(made.puzzle, state) != next) {
            plan.why = "play left the model after move " + std::to_string(plan.moves.size());
            return PlanEnd::LeftModel;
        }
        expected = next;
    }
    plan.why = "the plan ended without play solving the hall";
    return PlanEnd::Unsolved;
}

} // namespace

LevelPuzzle makeLevelPuzzle(std::string_view name, int level) {
    PushList recorder;
    const auto run = std::make_unique<HallRun>(runHall(name, level, &recorder));
    LevelPuzzle made;
    made.puzzle = makePuzzle(run->start.grid, run->start.specialX, run->start.specialY,
                             run->start.specialCode, run->after.grid);
    made.start = packPosition(made.puzzle, run->start.grid, run->start.specialCode);
    made.scramble.pushes = std::move(recorder.pushes);
    for (const PushList::After& after : recorder.afters) {
        made.scramble.keys.push_back(packPosition(made.puzzle, after.grid, after.specialCode));
    }
    return made;
}

std::optional<PositionKey> playPosition(const HallPuzzle& puzzle, const PlayState& state) {
    auto hall = std::make_unique<HallGrid>();
    fillFixedHall(puzzle, *hall);
    for (int slot : pieceSlots(state)) {
        const PlayObject& piece = objectAt(state, slot);
        const int x = static_cast<int>(piece.x) / cellUnits;
        const int y = static_cast<int>(piece.y) / cellUnits;
        if (!insideHall(x, y) || piece.x != cellCentre(x) || piece.y != cellCentre(y) ||
            piece.scale != 1 || piece.moving() || puzzle.standingIndex[x * hallSize + y] < 0 ||
            isPiece(hall->grid[x][y])) {
            return std::nullopt;
        }
        hall->grid[x][y] = codeOfPiece(piece.name);
    }
    for (int k : puzzle.mutations) {
        const int x = puzzle.specialX[k], y = puzzle.specialY[k];
        const int cell =
            findNear(state, family::mutationCells, false, cellCentre(x), cellCentre(y), 1);
        if (cell == noSlot) {
            return std::nullopt;
        }
        const int kind = static_cast<int>(objectAt(state, cell).name) -
                         static_cast<int>(PieceName::MutationBall);
        hall->specialCode[k] = MutationBall + kind;
    }
    return packPosition(puzzle, hall->grid, hall->specialCode);
}

PlayedPlan planAndPlay(const LevelPuzzle& made, PlayState& state, const ScrambleWalk& scramble,
                       const SearchLimits& limits) {
    PlayedPlan plan;
    constexpr int maximumPlans = 16;
    for (int round = 0; round < maximumPlans && !searchStopped(limits); ++round) {
        const std::optional<PositionKey> key = playPosition(made.puzzle, state);
        if (!key) {
            plan.why = (plan.why.empty() ? "" : plan.why + "; ") + "the pieces stand off the cells";
            return plan;
        }
        const SolverAnswer answer =
            solvePuzzle(made.puzzle, *key, round == 0 ? scramble : ScrambleWalk{}, limits);
        if (answer.solutions.empty()) {
            plan.why = (round == 0 ? "" : plan.why + "; then ") + answer.why;
            return plan;
        }
        const PlanEnd end = playWhileAgreeing(made, state, *key, answer.solutions[0], plan);
        if (end != PlanEnd::LeftModel) {
            plan.solved = end == PlanEnd::Solved;
            return plan;
        }
    }
    plan.why = (plan.why.empty() ? "" : plan.why + "; ") + "out of time or plans";
    return plan;
}

LevelSolution solveLevel(std::string_view name, int level, double budgetSeconds,
                         std::size_t memoryBytes) {
    const auto began = SolverClock::now();
    LevelSolution solution;
    const LevelPuzzle made = makeLevelPuzzle(name, level);
    solution.scramblePushes = static_cast<int>(made.scramble.pushes.size());
    SearchLimits limits;
    limits.deadline = began + std::chrono::duration_cast<SolverClock::duration>(
                                  std::chrono::duration<double>(budgetSeconds));
    limits.memoryBytes = memoryBytes;
    // Every move is played from a fresh level start on, as a player makes it, so a hall that
    // play reports solved is confirmed: the same moves from the same start play the same way.
    PlayState state;
    HallGrid hall;
    startPlay(state, hall, level, name);
    const PlayedPlan plan = planAndPlay(made, state, made.scramble, limits);
    solution.solved = plan.solved;
    solution.moves = plan.moves;
    solution.why = plan.why;
    solution.seconds = std::chrono::duration<double>(SolverClock::now() - began).count();
    return solution;
}
