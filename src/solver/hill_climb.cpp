#include "solver/hill_climb.h"

#include "solver/end_distances.h"
#include "solver/position_moves.h"
#include "solver/position_store.h"

#include <deque>

namespace {

struct Step {
    bool found = false;
    std::vector<SolverMove> moves;
    PositionKey reached;
    int estimate = 0;
};

// Breadth first from key to the nearest position that is solved or estimated below estimate.
Step climbStep(const HallPuzzle& puzzle, const EndDistances& distances, PositionMoves& moves,
               const PositionKey& key, int estimate, const SearchLimits& limits,
               SearchOutcome& outcome) {
    Step step;
    PositionStore store(key.size(), limits.memoryBytes);
    bool added = false;
    std::deque<int> open{store.insert(key.data(), PositionStore::none, {}, &added)};
    PositionChildren children;
    for (int expanded = 0; !open.empty(); ++expanded) {
        if (expanded % 64 == 0 && searchStopped(limits)) {
            outcome.outOfTime = true;
            return step;
        }
        const int node = open.front();
        open.pop_front();
        moves.expand(store.key(node), children);
        for (std::size_t c = 0; c < children.moves.size(); ++c) {
            const int child = store.insert(children.key(c), node, children.moves[c], &added);
            if (child == PositionStore::full) {
                outcome.outOfMemory = true;
                return step;
            }
            if (!added) {
                continue;
            }
            ++outcome.positions;
            const bool solved = isSolvedPosition(puzzle, children.key(c));
            const int better = solved ? 0 : distances.estimate(children.key(c));
            if (solved || better < estimate) {
                step.found = true;
                step.moves = store.pathTo(child);
                step.reached.assign(children.key(c), children.key(c) + key.size());
                step.estimate = better;
                return step;
            }
            open.push_back(child);
        }
    }
    return step;
}

} // namespace

SearchOutcome climbMoves(const HallPuzzle& puzzle, const PositionKey& start,
                         const SearchLimits& limits) {
    SearchOutcome outcome;
    const EndDistances distances(puzzle);
    PositionMoves moves(puzzle);
    PositionKey key = start;
    int estimate = distances.estimate(key.data());
    std::vector<SolverMove> climbed;
    while (!isSolvedPosition(puzzle, key.data())) {
        const Step step = climbStep(puzzle, distances, moves, key, estimate, limits, outcome);
        if (!step.found) {
            return outcome; // cut off, or no better position can be reached from here
        }
        climbed.insert(climbed.end(), step.moves.begin(), step.moves.end());
        key = step.reached;
        estimate = step.estimate;
    }
    outcome.solved = true;
    outcome.moves = climbed;
    return outcome;
}
