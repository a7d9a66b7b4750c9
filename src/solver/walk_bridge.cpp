#include "solver/walk_bridge.h"

#include "solver/end_distances.h"
#include "solver/move_elimination.h"

#include <algorithm>

namespace {

// The walk's last moves aimed at, fewest first: a longer tail asks more cells to agree, but its
// earlier positions leave the pieces the last moves need further from their places, where the
// estimate can guide them in.
constexpr std::size_t tailLengths[] = {8, 16, 32, 48, 64, 96};
constexpr std::size_t tailMemory = std::size_t{32} << 20;
constexpr int tailWeight = 3;

// A position that agrees with a given one on some cells. The items asked for are the ends of a
// copy of the puzzle, so that the solver's estimate of ends to cover guides them in; every other
// cell and mutation kind asked for counts one while it differs.
class AgreeingGoal final : public SearchGoal {
  public:
    AgreeingGoal(const HallPuzzle& puzzle, const std::uint8_t* target,
                 const std::vector<char>& cells)
        : items_(itemsOf(puzzle, target, cells)), distances_(items_) {
        for (std::size_t i = 0; i < puzzle.standing.size(); ++i) {
            const int nibble = nibbleAt(target, static_cast<int>(i));
            if (cells[static_cast<std::size_t>(puzzle.standing[i])] != 0 &&
                !isItem(codeOfNibble(nibble))) {
                others_.emplace_back(static_cast<int>(i), nibble);
            }
        }
        for (std::size_t m = 0; m < puzzle.mutations.size(); ++m) {
            if (cells[hallSize * hallSize + static_cast<std::size_t>(puzzle.mutations[m])] != 0) {
                mutations_.emplace_back(static_cast<int>(m),
                                        mutationKind(puzzle, target, static_cast<int>(m)));
            }
        }
    }

    bool reached(const std::uint8_t* key) const override {
        return differing(key) == 0 && isSolvedPosition(items_, key);
    }
    int estimate(const std::uint8_t* key) const override {
        return differing(key) + distances_.estimate(key);
    }

  private:
    HallPuzzle items_;
    EndDistances distances_;
    std::vector<std::pair<int, int>> others_;    // (standing cell, nibble)
    std::vector<std::pair<int, int>> mutations_; // (mutation cell, kind)

    static HallPuzzle itemsOf(const HallPuzzle& puzzle, const std::uint8_t* target,
                              const std::vector<char>& cells) {
        HallPuzzle items = puzzle;
        items.endCells.clear();
        items.endCodes.clear();
        for (std::size_t i = 0; i < puzzle.standing.size(); ++i) {
            const CellCode code = pieceAt(target, static_cast<int>(i));
            if (cells[static_cast<std::size_t>(puzzle.standing[i])] != 0 && isItem(code)) {
                items.endCells.push_back(static_cast<int>(i));
                items.endCodes.push_back(code);
            }
        }
        return items;
    }
    int differing(const std::uint8_t* key) const {
        int count = 0;
        for (const auto& [cell, nibble] : others_) {
            count += nibbleAt(key, cell) != nibble ? 1 : 0;
        }
        for (const auto& [m, kind] : mutations_) {
            count += mutationKind(items_, key, m) != kind ? 1 : 0;
        }
        return count;
    }
};

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
        const NeededMoves tail = neededMoves(puzzle, walk, from);
        const AgreeingGoal goal(puzzle, walk.keys[from].data(), tail.cells);
        if (goal.reached(stall.data())) {
            return joined(puzzle, stall, {}, tail.moves, outcome);
        }
        SearchLimits part = limits;
        part.weight = tailWeight;
        part.goal = &goal;
        part.memoryBytes = std::min(limits.memoryBytes, tailMemory);
        part.deadline = partOfTimeLeft(limits, 1.0 / static_cast<double>(tries - t));
        const SearchOutcome bridge = searchMoves(puzzle, stall, part);
        outcome.positions += bridge.positions;
        if (bridge.solved && joined(puzzle, stall, bridge.moves, tail.moves, outcome).solved) {
            return outcome;
        }
    }
    outcome.outOfTime = searchStopped(limits);
    return outcome;
}
