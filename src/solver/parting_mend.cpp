#include "solver/parting_mend.h"

#include "solver/agreeing_goal.h"
#include "solver/position_moves.h"

#include <algorithm>

namespace {

// Where a search may join the generator's walk, in pushes after (or, when negative, before) the
// push whose reading differs, tried in turn: the push itself first, then later ones, whose moves
// bring pieces where the mend needs them, then earlier ones, before pieces were moved away.
constexpr long joinOffsets[] = {0, 8, 32, 128, -16, -64};
constexpr std::size_t joinMemory = std::size_t{32} << 20;
constexpr double joinShare = 0.25;
constexpr int joinWeight = 3;

// The generator's walk read backwards: which pushes bear on the ends, and the cells that the
// pushes from each position on read (the ends' cells among them).
class WalkNeeds {
  public:
    WalkNeeds(const HallPuzzle& puzzle, const PositionKey& start, const ScrambleWalk& scramble)
        : start_(start), scramble_(scramble),
          length_(std::min(scramble.pushes.size(), scramble.keys.size())), bears_(length_, 0),
          cells_(length_ + 1), reads_(length_), afterParting_(length_ + 1, 0) {
        PositionMoves model(puzzle);
        std::vector<char> cells(hallSize * hallSize + specialCapacity, 0);
        for (int end : puzzle.endCells) {
            cells[static_cast<std::size_t>(puzzle.standing[static_cast<std::size_t>(end)])] = 1;
        }
        cells_[length_] = cells;
        std::vector<int> changed, read;
        PositionKey next(start.size());
        for (std::size_t k = 0; k < length_; ++k) {
            const bool agrees = model.apply(position(k).data(), scramble.pushes[k], next.data()) &&
                                next == position(k + 1);
            afterParting_[k + 1] = agrees ? afterParting_[k] : k + 1;
        }
        for (std::size_t k = length_; k-- > 0;) {
            const bool moves = model.trace(position(k).data(), scramble.pushes[k], &changed, &read);
            if (moves && std::any_of(changed.begin(), changed.end(), [&](int cell) {
                    return cells[static_cast<std::size_t>(cell)] != 0;
                })) {
                bears_[k] = 1;
                reads_[k] = read;
                for (int cell : read) {
                    cells[static_cast<std::size_t>(cell)] = 1;
                }
            }
            cells_[k] = cells;
        }
    }

    std::size_t length() const { return length_; }
    // The generator's position before push k.
    const PositionKey& position(std::size_t k) const {
        return k == 0 ? start_ : scramble_.keys[k - 1];
    }
    bool bears(std::size_t k) const { return bears_[k] != 0; }
    const std::vector<char>& cellsFrom(std::size_t k) const { return cells_[k]; }
    // The cells push k reads, when it bears on the ends.
    const std::vector<int>& readBy(std::size_t k) const { return reads_[k]; }
    // The first position after the last parting up to position k: a join before it would meet
    // the parting again.
    std::size_t afterParting(std::size_t k) const { return afterParting_[k]; }

  private:
    const PositionKey& start_;
    const ScrambleWalk& scramble_;
    std::size_t length_;
    std::vector<char> bears_;
    std::vector<std::vector<char>> cells_;
    std::vector<std::vector<int>> reads_;
    std::vector<std::size_t> afterParting_;
};

// key has on each of cells the piece or mutation kind target has.
bool agreesOn(const HallPuzzle& puzzle, const std::uint8_t* key, const std::uint8_t* target,
              const std::vector<int>& cells) {
    for (int cell : cells) {
        if (cell < hallSize * hallSize) {
            const int i = puzzle.standingIndex[cell];
            if (i >= 0 && nibbleAt(key, i) != nibbleAt(target, i)) {
                return false;
            }
            continue;
        }
        const auto m =
            std::find(puzzle.mutations.begin(), puzzle.mutations.end(), cell - hallSize * hallSize);
        if (m != puzzle.mutations.end()) {
            const int index = static_cast<int>(m - puzzle.mutations.begin());
            if (mutationKind(puzzle, key, index) != mutationKind(puzzle, target, index)) {
                return false;
            }
        }
    }
    return true;
}

// From pos, a search for a position that agrees with the generator's at one of the joins near
// push k, not before push `earliest`; on success pos is that position, the search's moves are
// added to moves and k is the join.
bool joinWalk(const HallPuzzle& puzzle, const WalkNeeds& needs, std::size_t earliest,
              const SearchLimits& limits, PositionKey& pos, std::size_t& k,
              std::vector<SolverMove>& moves) {
    const auto lowest = static_cast<long>(std::max(earliest, needs.afterParting(k)));
    const auto highest = static_cast<long>(needs.length());
    if (lowest > highest) {
        return false;
    }
    std::vector<long> tried;
    for (long offset : joinOffsets) {
        const long join = std::clamp(static_cast<long>(k) + offset, lowest, highest);
        if (std::find(tried.begin(), tried.end(), join) != tried.end()) {
            continue;
        }
        if (searchStopped(limits)) {
            return false;
        }
        tried.push_back(join);
        const auto at = static_cast<std::size_t>(join);
        const AgreeingGoal goal(puzzle, needs.position(at).data(), needs.cellsFrom(at));
        SearchLimits part = limits;
        part.weight = joinWeight;
        part.goal = &goal;
        part.memoryBytes = std::min(limits.memoryBytes, joinMemory);
        part.deadline = partOfTimeLeft(limits, joinShare);
        const SearchOutcome bridge = searchMoves(puzzle, pos, part);
        if (bridge.solved) {
            pos = keyAfter(puzzle, pos, bridge.moves);
            moves.insert(moves.end(), bridge.moves.begin(), bridge.moves.end());
            k = at;
            return true;
        }
    }
    return false;
}

} // namespace

FollowedPath mendAtPartings(const HallPuzzle& puzzle, const PositionKey& start,
                            const ScrambleWalk& scramble, const SearchLimits& limits) {
    const WalkNeeds needs(puzzle, start, scramble);
    PositionMoves model(puzzle);
    PositionKey pos = start, next(start.size());
    std::vector<SolverMove> moves;
    std::size_t earliest = 0; // each join comes after the one before, so the mend ends
    for (std::size_t k = 0; k < needs.length(); ++k) {
        if (!needs.bears(k)) {
            continue;
        }
        // A push that reads only cells as the generator had them does what it did there.
        if (!agreesOn(puzzle, pos.data(), needs.position(k).data(), needs.readBy(k))) {
            if (!joinWalk(puzzle, needs, earliest, limits, pos, k, moves)) {
                return {};
            }
            earliest = k + 1;
            if (k == needs.length()) {
                break;
            }
            if (!needs.bears(k)) {
                continue;
            }
        }
        if (model.apply(pos.data(), scramble.pushes[k], next.data())) {
            pos = next;
            moves.push_back(scramble.pushes[k]);
        }
    }
    FollowedPath mended = followPushes(puzzle, start, moves);
    return mended.solved ? mended : FollowedPath{};
}
