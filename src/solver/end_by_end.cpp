#include "solver/end_by_end.h"

#include "solver/end_distances.h"
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

// Covers one more end by the first way that finds one, routes taking at most depth pushes.
bool coverNext(const HallPuzzle& puzzle, PositionKey& key, const SearchLimits& limits, int depth,
               SearchOutcome& outcome) {
    return coverByRoutes(puzzle, key, outcome, limits, depth) ||
           coverNearEnd(puzzle, key, outcome, limits) ||
           coverOneMore(puzzle, key, limits, Freedom::KeepPlaced, outcome) ||
           coverOneMore(puzzle, key, limits, Freedom::PushPlaced, outcome) ||
           coverOneMore(puzzle, key, limits, Freedom::UncoverEnds, outcome);
}

struct Attempt {
    int depth;           // pushes a route takes at most
    bool keepsReachable; // each step first looks for a cover that strands no more free ends
};

// Where an attempt stopped short: the ends it left covered, and how many free ends it stranded.
struct Stall {
    int covered = 0, stranded = 0;
};

// One attempt at covering every end.
SearchOutcome coverInAttempt(const HallPuzzle& puzzle, const PositionKey& start,
                             const SearchLimits& limits, Attempt attempt, Stall& stall) {
    SearchOutcome outcome;
    PositionKey key = start;
    SearchLimits guarded = limits;
    guarded.keepEndsReachable = true;
    while (!isSolvedPosition(puzzle, key.data())) {
        const bool step =
            (attempt.keepsReachable && coverNext(puzzle, key, guarded, attempt.depth, outcome)) ||
            coverNext(puzzle, key, limits, attempt.depth, outcome);
        if (!step) {
            stall = {coveredEnds(puzzle, key.data()), strandedEnds(puzzle, key.data())};
            return outcome;
        }
    }
    outcome.solved = true;
    return outcome;
}

} // namespace

SearchOutcome coverEndByEnd(const HallPuzzle& puzzle, const PositionKey& start,
                            const SearchLimits& limits) {
    Stall stall;
    SearchOutcome best = coverInAttempt(puzzle, start, limits, {defaultRouteDepth, false}, stall);
    if (!best.solved && !searchStopped(limits)) {
        // Each step takes the shortest cover it finds, and some choices leave the last ends out
        // of reach. Where the stall strands ends, the second attempt keeps them reachable;
        // otherwise it takes longer routes, whose other choices let the last ends be covered
        // in some halls.
        const Attempt second = stall.stranded > 0 ? Attempt{defaultRouteDepth, true}
                                                  : Attempt{2 * defaultRouteDepth, false};
        // Keeping ends reachable searches twice at each step where it fails; it leaves the caller
        // half the time left.
        SearchLimits part = limits;
        part.deadline = partOfTimeLeft(limits, second.keepsReachable ? 0.5 : 1);
        Stall again;
        SearchOutcome attempt = coverInAttempt(puzzle, start, part, second, again);
        const int positions = best.positions + attempt.positions;
        if (attempt.solved || again.covered > stall.covered) {
            best = std::move(attempt);
        }
        best.positions = positions;
    }
    best.outOfTime = !best.solved && searchStopped(limits);
    return best;
}
