#include "solver/end_by_end.h"

#include "solver/focused_cover.h"
#include "solver/position_moves.h"
#include "solver/route_cover.h"

#include <algorithm>

namespace {

// Memory of each small search.
constexpr std::size_t stepMemory = std::size_t{16} << 20;

// Plays moves on the model from key; the moves must stand.
PositionKey keyAfter(const HallPuzzle& puzzle, const PositionKey& key,
                     const std::vector<SolverMove>& moves) {
    PositionMoves model(puzzle);
    PositionKey current = key, next(key.size());
    for (const SolverMove& move : moves) {
        if (model.apply(current.data(), move, next.data())) {
            current = next;
        }
    }
    return current;
}

enum class Freedom { KeepPlaced, PushPlaced, UncoverEnds };

// A small search for a position with one more end covered; false when it finds none.
bool coverOneMore(const HallPuzzle& puzzle, PositionKey& key, const SearchLimits& limits,
                  Freedom freedom, SearchOutcome& outcome) {
    std::vector<char> kept(puzzle.endCells.size(), 0);
    if (freedom != Freedom::UncoverEnds) {
        for (std::size_t e = 0; e < kept.size(); ++e) {
            kept[e] = isEndCovered(puzzle, key.data(), e) ? 1 : 0;
        }
    }
    SearchLimits part = limits;
    part.weight = 3;
    part.keepPlacedItems = freedom == Freedom::KeepPlaced;
    part.memoryBytes = std::min(limits.memoryBytes, stepMemory);
    part.keptEnds = &kept;
    part.endsToCover = coveredEnds(puzzle, key.data()) + 1;
    const SearchOutcome step = searchMoves(puzzle, key, part);
    outcome.positions += step.positions;
    if (!step.solved) {
        return false;
    }
    key = keyAfter(puzzle, key, step.moves);
    outcome.moves.insert(outcome.moves.end(), step.moves.begin(), step.moves.end());
    return true;
}

// One attempt at covering every end, routes taking at most depth pushes; covered is how many
// ends it leaves covered.
SearchOutcome coverWithDepth(const HallPuzzle& puzzle, const PositionKey& start,
                             const SearchLimits& limits, int depth, int& covered) {
    SearchOutcome outcome;
    PositionKey key = start;
    while (!isSolvedPosition(puzzle, key.data())) {
        const bool step = coverByRoutes(puzzle, key, outcome, limits, depth) ||
                          coverNearEnd(puzzle, key, outcome, limits) ||
                          coverOneMore(puzzle, key, limits, Freedom::KeepPlaced, outcome) ||
                          coverOneMore(puzzle, key, limits, Freedom::PushPlaced, outcome) ||
                          coverOneMore(puzzle, key, limits, Freedom::UncoverEnds, outcome);
        if (!step) {
            covered = coveredEnds(puzzle, key.data());
            return outcome;
        }
    }
    outcome.solved = true;
    return outcome;
}

// Route depths of the attempts, in turn while time lasts: each step takes the shortest cover it
// finds, and which depth's choices leave the last ends coverable differs from hall to hall.
constexpr int attemptDepths[] = {defaultRouteDepth, 8};

} // namespace

SearchOutcome coverEndByEnd(const HallPuzzle& puzzle, const PositionKey& start,
                            const SearchLimits& limits) {
    SearchOutcome best;
    int mostCovered = -1, positions = 0;
    for (int depth : attemptDepths) {
        if (mostCovered >= 0 && searchStopped(limits)) {
            break;
        }
        int covered = 0;
        SearchOutcome attempt = coverWithDepth(puzzle, start, limits, depth, covered);
        positions += attempt.positions;
        if (attempt.solved || covered > mostCovered) {
            best = std::move(attempt);
            mostCovered = covered;
        }
        if (best.solved) {
            break;
        }
    }
    best.positions = positions;
    best.outOfTime = !best.solved && searchStopped(limits);
    return best;
}
