#include "solver/hall_solver.h"

#include "solver/end_by_end.h"
#include "solver/end_distances.h"
#include "solver/hill_climb.h"
#include "solver/move_elimination.h"
#include "solver/parting_mend.h"
#include "solver/path_shortcuts.h"
#include "solver/walk_bridge.h"

#include <algorithm>

namespace {

// The share of the time that mending the scramble where play parts from it may take: most of it.
// The mend finishes within two seconds in most halls and within seven in a few; where it takes
// long, covering the ends one by one seldom finishes in the time left either, and where the mend
// finishes, the covering still has the rest to find a shorter way.
constexpr double mendShare = 0.9;

// The longest solution a search weighing moves made as much as the estimate may still shorten.
constexpr std::size_t closerReach = 64;

std::string searchEnding(const char* what, const SearchOutcome& outcome) {
    std::string text =
        std::string(what) + " met " + std::to_string(outcome.positions) + " positions";
    if (outcome.outOfMemory) {
        text += " and filled its memory";
    } else if (outcome.outOfTime) {
        text += " and ran out of time";
    }
    return text;
}

// The ends that no item can reach with the end's kind, even were it free to stop anywhere and
// the mutation cells kept their present kinds; empty when there are none.
std::string unreachableEnds(const HallPuzzle& puzzle, const PositionKey& key) {
    static const char* const kinds[] = {"ball", "box", "spike"};
    const EndDistances distances(puzzle);
    int count = 0;
    std::string first;
    for (std::size_t e = 0; e < puzzle.endCells.size(); ++e) {
        int nearest = EndDistances::unreachable;
        for (std::size_t i = 0; i < puzzle.standing.size(); ++i) {
            const CellCode code = pieceAt(key.data(), static_cast<int>(i));
            if (isItem(code)) {
                nearest =
                    std::min(nearest, distances.distance(key.data(), static_cast<int>(e),
                                                         static_cast<int>(i), code - CellBall));
            }
        }
        if (nearest == EndDistances::unreachable && count++ == 0) {
            const int cell = puzzle.standing[static_cast<std::size_t>(puzzle.endCells[e])];
            first = std::string(kinds[puzzle.endCodes[e] - CellBall]) + " end at (" +
                    std::to_string(cell / hallSize) + "," + std::to_string(cell % hallSize) + ")";
        }
    }
    if (count == 0) {
        return {};
    }
    return std::to_string(count) +
           " ends no item can reach with their kind while the mutation "
           "cells keep their kinds (the first: the " +
           first + "); ";
}

// Covers the ends one by one, first in the order the generator's walk last covers them. Where
// that stalls and a walk solves, it joins the walk's last moves; when that walk is only the
// scramble's tail (fromStart false), more time is kept, to mend the whole.
SearchOutcome coverAndJoin(const HallPuzzle& puzzle, const PositionKey& start,
                           const ScrambleWalk& scramble, const FollowedPath& walk, bool fromStart,
                           const SearchLimits& limits, SolverAnswer& answer) {
    SearchLimits part = limits;
    part.deadline = partOfTimeLeft(limits, walk.solved && !fromStart ? 0.6 : 0.8);
    SearchOutcome best = coverEndByEnd(puzzle, start, part, lastCoverOrder(puzzle, scramble.keys));
    answer.positions += best.positions;
    answer.progress = best.moves;
    if (!best.solved && walk.solved) {
        part.deadline = partOfTimeLeft(limits, fromStart ? 0.5 : 0.3);
        const PositionKey stall = followPushes(puzzle, start, best.moves).keys.back();
        const SearchOutcome bridge = bridgeToWalk(puzzle, stall, walk, part);
        answer.positions += bridge.positions;
        if (bridge.solved) {
            best.moves.insert(best.moves.end(), bridge.moves.begin(), bridge.moves.end());
            best.solved = true;
        }
    }
    return best;
}

} // namespace

SolverAnswer solvePuzzle(const HallPuzzle& puzzle, const PositionKey& start,
                         const ScrambleWalk& scramble, const SearchLimits& limits) {
    SolverAnswer answer;
    SearchLimits part = limits;
    part.weight = 0;
    part.deadline = partOfTimeLeft(limits, 0.05);
    const SearchOutcome breadth = searchMoves(puzzle, start, part);
    answer.positions += breadth.positions;
    if (breadth.solved || breadth.exhausted) {
        answer.shortest = breadth.solved;
        answer.unsolvable = breadth.exhausted;
        if (breadth.solved) {
            answer.solutions.push_back(breadth.moves);
        } else {
            answer.why = "every position the moves reach was searched, none solved";
        }
        return answer;
    }
    part.weight = 2;
    part.deadline = partOfTimeLeft(limits, 0.05);
    SearchOutcome best = searchMoves(puzzle, start, part);
    answer.positions += best.positions;
    // The scramble's walk, when it solves in the model: a random walk, but its own moves, with
    // the loops and detours cut, are the answer when nothing else is found. Where play parts
    // from the generator's model it does not, but searches at the partings can mend it into a
    // walk from the start; failing that, its last pushes still solve from the generator's
    // position before them, and a search can mend the walk's tail.
    FollowedPath path = best.solved ? FollowedPath{} : followPushes(puzzle, start, scramble.pushes);
    const bool replays = path.solved;
    if (!best.solved && !replays && !scramble.pushes.empty()) {
        part.deadline = partOfTimeLeft(limits, mendShare);
        FollowedPath mended = mendAtPartings(puzzle, start, scramble, part);
        if (mended.solved) {
            path = std::move(mended);
        }
    }
    const FollowedPath tail =
        best.solved || path.solved ? FollowedPath{} : scrambleTail(puzzle, scramble);
    if (!best.solved) {
        part.deadline = limits.deadline;
        best = coverAndJoin(puzzle, start, scramble, path.solved ? path : tail, path.solved, part,
                            answer);
    }
    if (!best.solved && tail.solved) {
        part.deadline = partOfTimeLeft(limits, 0.7);
        FollowedPath mended = mendScramble(puzzle, start, scramble, part);
        if (mended.solved) {
            path = std::move(mended);
        }
    }
    if (!best.solved && !path.solved && !replays && !scramble.pushes.empty()) {
        part.deadline = limits.deadline;
        const SearchOutcome covering = coverFromWalk(puzzle, path, part);
        answer.positions += covering.positions;
        if (covering.solved) {
            path = followPushes(puzzle, start, covering.moves);
        }
    }
    if (!best.solved && scramble.pushes.empty()) {
        // With no walk to go by, as for a hint from a position in play, the climb reaches far.
        part.deadline = limits.deadline;
        best = climbMoves(puzzle, start, part);
        answer.positions += best.positions;
    }
    if (best.solved && best.moves.size() <= closerReach) {
        // With a solution in hand, a search that weighs the moves made as much as the estimate
        // finds a far shorter one in halls of few ends, and soon fills its memory in others:
        // where the solution is long, it never gets as deep.
        part.weight = 1;
        part.deadline = partOfTimeLeft(limits, 0.5);
        const SearchOutcome closer = searchMoves(puzzle, start, part);
        answer.positions += closer.positions;
        if (closer.solved && closer.moves.size() < best.moves.size()) {
            best.moves = closer.moves;
        }
    }
    part.deadline = limits.deadline;
    if (best.solved) {
        answer.solutions.push_back(
            shortenPath(puzzle, followPushes(puzzle, start, best.moves), part));
    } else if (path.solved) {
        answer.solutions.push_back(shortenPath(puzzle, path, part));
    }
    if (!answer.solutions.empty()) {
        answer.progress.clear();
    } else {
        answer.why =
            unreachableEnds(puzzle, start) + searchEnding("breadth-first search", breadth) + "; " +
            (path.solved
                 ? ""
                 : "the scramble's pushes do not solve it in the model and were not mended; ") +
            searchEnding(scramble.pushes.empty() ? "covering the ends one by one, then the climb,"
                                                 : "covering the ends one by one",
                         best);
    }
    return answer;
}
