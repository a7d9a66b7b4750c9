#include "solver/walk_bridge.h"

#include "solver/agreeing_goal.h"
#include "solver/end_by_end.h"
#include "solver/move_elimination.h"
#include "solver/position_moves.h"

#include <algorithm>

namespace {

// The walk's last moves aimed at, fewest first: a longer tail asks more cells to agree, but its
// earlier positions leave the pieces the last moves need further from their places, where the
// estimate can guide them in.
constexpr std::size_t tailLengths[] = {8, 16, 32, 48, 64, 96};
constexpr std::size_t tailMemory = std::size_t{32} << 20;
constexpr int tailWeight = 3;

// The mend's joins, the share of its time and the memory of its small searches, and how many
// joins a large search is tried at after them.
constexpr std::size_t joins = 10;
constexpr double quickShare = 0.6;
constexpr std::size_t quickMemory = std::size_t{16} << 20;
constexpr std::size_t deepJoins = 2;

// The scramble's pushes that have their position after them.
std::size_t walkLength(const ScrambleWalk& scramble) {
    return std::min(scramble.pushes.size(), scramble.keys.size());
}

// The bridge's moves and then the tail's, in outcome when they solve from the stall.
const SearchOutcome& joined(const HallPuzzle& puzzle, const PositionKey& stall,
                            std::vector<SolverMove> moves, const std::vector<SolverMove>& tail,
                            SearchOutcome& outcome) {
    moves.insert(moves.end(), tail.begin(), tail.end());
    const FollowedPath followed = followPushes(puzzle, stall, moves);
    if (followed.solved) {
        outcome.solved = true;
        outcome.moves = followed.moves;
    }
    return outcome;
}

// Searches from a position for one that agrees with the walk's position at on the cells its
// moves from there on read, and joins those moves; true when that solves, with the moves from
// the position to solved in outcome.
bool bridgeAt(const HallPuzzle& puzzle, const PositionKey& from, const FollowedPath& walk,
              std::size_t at, const SearchLimits& limits, SearchOutcome& outcome) {
    const NeededMoves tail = neededMoves(puzzle, walk, at);
    const AgreeingGoal goal(puzzle, walk.keys[at].data(), tail.cells);
    if (goal.reached(from.data())) {
        return joined(puzzle, from, {}, tail.moves, outcome).solved;
    }
    SearchLimits part = limits;
    part.weight = tailWeight;
    part.goal = &goal;
    part.memoryBytes = std::min(limits.memoryBytes, tailMemory);
    const SearchOutcome bridge = searchMoves(puzzle, from, part);
    outcome.positions += bridge.positions;
    return bridge.solved && joined(puzzle, from, bridge.moves, tail.moves, outcome).solved;
}

// The generator's position before push i of the scramble.
const PositionKey& generatorBefore(const PositionKey& start, const ScrambleWalk& scramble,
                                   std::size_t i) {
    return i == 0 ? start : scramble.keys[i - 1];
}

// The scramble's pushes from to to, not included.
std::vector<SolverMove> pushesBetween(const ScrambleWalk& scramble, std::size_t from,
                                      std::size_t to) {
    return {scramble.pushes.begin() + static_cast<std::ptrdiff_t>(from),
            scramble.pushes.begin() + static_cast<std::ptrdiff_t>(to)};
}

// The first push after which the model follows the generator's walk to its end.
std::size_t lastParting(const HallPuzzle& puzzle, const PositionKey& start,
                        const ScrambleWalk& scramble, std::size_t length) {
    PositionMoves moves(puzzle);
    PositionKey next(start.size());
    for (std::size_t i = length; i > 0; --i) {
        const PositionKey& before = generatorBefore(start, scramble, i - 1);
        if (!moves.apply(before.data(), scramble.pushes[i - 1], next.data()) ||
            next != scramble.keys[i - 1]) {
            return i;
        }
    }
    return 0;
}

// The walk's moves up to position `at` and a covering from there, in outcome when it finishes.
bool coverFromWalkAt(const HallPuzzle& puzzle, const FollowedPath& walk, std::size_t at,
                     const SearchLimits& limits, SearchOutcome& outcome) {
    const SearchOutcome covering = coverEndByEnd(puzzle, walk.keys[at], limits);
    outcome.positions += covering.positions;
    if (covering.solved) {
        outcome.solved = true;
        outcome.moves.assign(walk.moves.begin(),
                             walk.moves.begin() + static_cast<std::ptrdiff_t>(at));
        outcome.moves.insert(outcome.moves.end(), covering.moves.begin(), covering.moves.end());
    }
    return outcome.solved;
}

// The last of the walk's positions with the most ends covered.
std::size_t mostCoveredOf(const HallPuzzle& puzzle, const FollowedPath& walk) {
    std::size_t most = 0;
    int covered = coveredEnds(puzzle, walk.keys[0].data());
    for (std::size_t i = 1; i < walk.keys.size(); ++i) {
        const int here = coveredEnds(puzzle, walk.keys[i].data());
        if (here >= covered) {
            most = i;
            covered = here;
        }
    }
    return most;
}

// The scramble's pushes played on the model up to push at, a bridge to the generator's position
// there and the generator's pushes from it; not solved when no bridge was found.
FollowedPath mendAt(const HallPuzzle& puzzle, const PositionKey& start,
                    const ScrambleWalk& scramble, std::size_t at, const SearchLimits& limits) {
    const std::size_t length = walkLength(scramble);
    const FollowedPath generator = followPushes(puzzle, generatorBefore(start, scramble, at),
                                                pushesBetween(scramble, at, length));
    FollowedPath model = followPushes(puzzle, start, pushesBetween(scramble, 0, at));
    SearchOutcome outcome;
    if (generator.solved && !model.solved &&
        bridgeAt(puzzle, model.keys.back(), generator, 0, limits, outcome)) {
        model.moves.insert(model.moves.end(), outcome.moves.begin(), outcome.moves.end());
        return followPushes(puzzle, start, model.moves);
    }
    return {};
}

} // namespace

SearchOutcome bridgeToWalk(const HallPuzzle& puzzle, const PositionKey& stall,
                           const FollowedPath& walk, const SearchLimits& limits) {
    SearchOutcome outcome;
    const std::size_t length = walk.moves.size();
    // The tails the walk has, and the whole walk when it is shorter than the next.
    const auto longer = std::count_if(std::begin(tailLengths), std::end(tailLengths),
                                      [&](std::size_t tail) { return tail < length; });
    const auto tries = std::min(std::size(tailLengths), static_cast<std::size_t>(longer) + 1);
    for (std::size_t t = 0; t < tries && !searchStopped(limits); ++t) {
        const std::size_t from = length - std::min(tailLengths[t], length);
        SearchLimits part = limits;
        part.deadline = partOfTimeLeft(limits, 1.0 / static_cast<double>(tries - t));
        if (bridgeAt(puzzle, stall, walk, from, part, outcome)) {
            return outcome;
        }
    }
    outcome.outOfTime = searchStopped(limits);
    return outcome;
}

FollowedPath scrambleTail(const HallPuzzle& puzzle, const ScrambleWalk& scramble) {
    const std::size_t length = walkLength(scramble);
    for (auto t = std::rbegin(tailLengths); t != std::rend(tailLengths); ++t) {
        if (*t < length) {
            const std::size_t from = length - *t;
            FollowedPath tail = followPushes(puzzle, scramble.keys[from - 1],
                                             pushesBetween(scramble, from, length));
            if (tail.solved) {
                return tail;
            }
        }
    }
    return {};
}

FollowedPath mendScramble(const HallPuzzle& puzzle, const PositionKey& start,
                          const ScrambleWalk& scramble, const SearchLimits& limits) {
    const std::size_t length = walkLength(scramble);
    const std::size_t agreeing = lastParting(puzzle, start, scramble, length);
    if (agreeing == 0) {
        return {};
    }
    // Where the model's walk is joined to the generator's: the further on, the fewer moves are
    // left to read cells, but the more the two walks have drifted apart.
    const auto joinAt = [&](std::size_t j) { return agreeing + (length - agreeing) * j / joins; };
    // Most walks are mended by a small search at one of the joins, a few only by a large one at
    // the first joins: small ones at every join first, then large ones at the first.
    SearchLimits quick = limits;
    quick.deadline = partOfTimeLeft(limits, quickShare);
    quick.memoryBytes = std::min(limits.memoryBytes, quickMemory);
    for (std::size_t j = 0; j < joins && !searchStopped(quick); ++j) {
        SearchLimits part = quick;
        part.deadline = partOfTimeLeft(quick, 1.0 / static_cast<double>(joins - j));
        FollowedPath mended = mendAt(puzzle, start, scramble, joinAt(j), part);
        if (mended.solved) {
            return mended;
        }
    }
    for (std::size_t j = 0; j < deepJoins && !searchStopped(limits); ++j) {
        FollowedPath mended = mendAt(puzzle, start, scramble, joinAt(j), limits);
        if (mended.solved) {
            return mended;
        }
    }
    return {};
}

SearchOutcome coverFromWalk(const HallPuzzle& puzzle, const FollowedPath& walk,
                            const SearchLimits& limits) {
    SearchOutcome outcome;
    const std::size_t end = walk.keys.size() - 1;
    const std::size_t most = mostCoveredOf(puzzle, walk);
    SearchLimits part = limits;
    part.deadline = most == end ? limits.deadline : partOfTimeLeft(limits, 0.5);
    if (!coverFromWalkAt(puzzle, walk, end, part, outcome) && most != end) {
        coverFromWalkAt(puzzle, walk, most, limits, outcome);
    }
    outcome.outOfTime = !outcome.solved && searchStopped(limits);
    return outcome;
}
