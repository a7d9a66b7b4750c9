#include "solver/parting_mend.h"

#include "solver/agreeing_goal.h"
#include "solver/bearing_moves.h"
#include "solver/position_moves.h"

#include <algorithm>
#include <optional>
#include <span>

namespace {

constexpr std::size_t windowMemory = std::size_t{8} << 20, quickMemory = std::size_t{32} << 20,
                      deepMemory = std::size_t{64} << 20;
constexpr double joinShare = 0.25;
constexpr int joinWeight = 3;

// The generator's walk read backwards: which pushes bear on the ends, and the cells that the
// pushes from each position on read (the ends' cells among them).
class WalkNeeds {
  public:
    WalkNeeds(const HallPuzzle& puzzle, const PositionKey& start, const ScrambleWalk& scramble)
        : start_(start), scramble_(scramble),
          length_(std::min(scramble.pushes.size(), scramble.keys.size())), bears_(length_, 0),
          cells_(length_ + 1), reads_(length_) {
        BearingMoves bearing(puzzle);
        cells_[length_] = bearing.cells();
        for (std::size_t k = length_; k-- > 0;) {
            if (bearing.takeIn(position(k).data(), scramble.pushes[k])) {
                bears_[k] = 1;
                reads_[k] = bearing.read();
            }
            cells_[k] = bearing.cells();
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
    // The cells that the pushes from k up to k + window read.
    std::vector<char> cellsWithin(std::size_t k, std::size_t window) const {
        std::vector<char> cells(cells_[k].size(), 0);
        for (std::size_t j = k; j < std::min(k + window, length_); ++j) {
            for (int cell : reads_[j]) {
                cells[static_cast<std::size_t>(cell)] = 1;
            }
        }
        return cells;
    }

  private:
    const PositionKey& start_;
    const ScrambleWalk& scramble_;
    std::size_t length_;
    std::vector<char> bears_;
    std::vector<std::vector<char>> cells_;
    std::vector<std::vector<int>> reads_;
};

// The mutation cell that a cell as the walk reads it names, or -1 for any other cell.
int mutationOf(const HallPuzzle& puzzle, int cell) {
    if (cell < hallSize * hallSize) {
        return -1;
    }
    const auto m =
        std::find(puzzle.mutations.begin(), puzzle.mutations.end(), cell - hallSize * hallSize);
    return m == puzzle.mutations.end() ? -1 : static_cast<int>(m - puzzle.mutations.begin());
}

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
        const int m = mutationOf(puzzle, cell);
        if (m >= 0 && mutationKind(puzzle, key, m) != mutationKind(puzzle, target, m)) {
            return false;
        }
    }
    return true;
}

// One try at joining the generator's walk: at how many pushes after the push whose reading
// differs, with how much memory, and agreeing on every cell the walk reads from there on or,
// with a window, only on those the next window pushes read, leaving later partings to later
// joins. Tried in turn: a small search at the push itself first, then at later ones, whose
// moves bring pieces where the mend needs them; then windows, which ask for less; a few joins
// are found only by a large search. Most tries fail, and a failing try fills its memory, so
// each has no more than the joins it finds need: the windows after the first join within few
// positions, and the large searches within twice the positions the quick ones hold.
struct JoinTry {
    std::size_t offset, memory, window;
};
constexpr JoinTry joinTries[] = {
    {0, quickMemory, 0},   {8, quickMemory, 0},       {32, quickMemory, 0},
    {0, quickMemory, 64},  {0, 2 * windowMemory, 16}, {8, windowMemory, 64},
    {8, windowMemory, 16}, {0, deepMemory, 0},        {8, deepMemory, 0}};
// From where a mutation cell's kinds parted, the join is right after that push, and the search
// must undo what the mend did since; a few such joins need three times the deep search's memory.
constexpr JoinTry rootTries[] = {{0, deepMemory, 0}, {0, 3 * deepMemory, 0}};

// From pos, a search for a position that agrees with the generator's at join on cells, on
// success taken: pos is that position and the search's moves are added to moves.
bool joinAt(const HallPuzzle& puzzle, const WalkNeeds& needs, std::size_t join,
            const std::vector<char>& cells, const SearchLimits& limits, PositionKey& pos,
            std::vector<SolverMove>& moves) {
    const AgreeingGoal goal(puzzle, needs.position(join).data(), cells);
    SearchLimits part = limits;
    part.weight = joinWeight;
    part.goal = &goal;
    part.deadline = partOfTimeLeft(limits, joinShare);
    const SearchOutcome bridge = searchMoves(puzzle, pos, part);
    if (!bridge.solved) {
        return false;
    }
    pos = keyAfter(puzzle, pos, bridge.moves);
    moves.insert(moves.end(), bridge.moves.begin(), bridge.moves.end());
    return true;
}

// A parting and the mend's state there, kept once joined: a later parting that no try can join
// may have been caused by this join, which left cells otherwise than the walk, and the mend
// comes back to take this join's next tries.
struct Parting {
    std::size_t push;      // the push whose reading differed, or the walk's length at its end
    PositionKey pos;       // the mend's position there
    std::size_t moves = 0; // and its count of moves
    std::size_t nextTry = 0;
    std::size_t from = 0; // the push from which the mend went on the walk up to here
    bool root = false;    // joining right after the push where a mutation cell's kinds parted
};

// From the parting's position and moves, joins the generator's walk at or after its push, taking
// the tries from its next one on; on success pos, k and moves are the mend's at the join, and the
// parting's next try is the one after.
bool joinWalk(const HallPuzzle& puzzle, const WalkNeeds& needs, const SearchLimits& limits,
              Parting& parting, PositionKey& pos, std::size_t& k, std::vector<SolverMove>& moves) {
    pos = parting.pos;
    moves.resize(parting.moves);
    const std::span<const JoinTry> tries =
        parting.root ? std::span<const JoinTry>(rootTries) : std::span<const JoinTry>(joinTries);
    for (std::size_t t = parting.nextTry; t < tries.size(); ++t) {
        if (searchStopped(limits)) {
            return false;
        }
        const JoinTry& join = tries[t];
        SearchLimits part = limits;
        part.memoryBytes = std::min(limits.memoryBytes, join.memory);
        const std::size_t at = std::min(parting.push + join.offset, needs.length());
        if (join.window != 0 && at + join.window >= needs.length()) {
            continue; // a window to the walk's end is no window
        }
        const std::vector<char> cells =
            join.window == 0 ? needs.cellsFrom(at) : needs.cellsWithin(at, join.window);
        if (joinAt(puzzle, needs, at, cells, part, pos, moves)) {
            k = at;
            parting.nextTry = t + 1;
            return true;
        }
    }
    return false;
}

// The mend's positions before each push since it last joined the walk, and its count of moves
// there.
struct MendTrail {
    std::vector<PositionKey> positions;
    std::vector<std::size_t> moves;
};

// Where the parting reads a mutation cell of another kind than the generator's, the kinds parted
// at some push since the mend went on the walk: the generator kept a change from a push it took
// back there. Joining right after that push, from the mend's position before it, asks the search
// to change only that cell's kind, with the pieces as they stood then, where the amoebas that can
// change it may be near; at the parting they may be far or gone. None where no mutation cell read
// differs, or the kinds differed already where the mend went on the walk.
std::optional<Parting> rootOf(const HallPuzzle& puzzle, const WalkNeeds& needs,
                              const MendTrail& trail, const Parting& parting) {
    if (parting.root || parting.push == needs.length()) {
        return std::nullopt;
    }
    std::vector<int> differing;
    for (int cell : needs.readBy(parting.push)) {
        const int m = mutationOf(puzzle, cell);
        if (m >= 0 && mutationKind(puzzle, parting.pos.data(), m) !=
                          mutationKind(puzzle, needs.position(parting.push).data(), m)) {
            differing.push_back(m);
        }
    }
    const auto agree = [&](std::size_t k) {
        return std::all_of(differing.begin(), differing.end(), [&](int m) {
            return mutationKind(puzzle, trail.positions[k].data(), m) ==
                   mutationKind(puzzle, needs.position(k).data(), m);
        });
    };
    for (std::size_t k = parting.push; !differing.empty() && k-- > parting.from;) {
        if (agree(k)) {
            return Parting{k + 1, trail.positions[k], trail.moves[k], 0, parting.from, true};
        }
    }
    return std::nullopt;
}

// Whether the mend's position parts from the generator's walk at push k: the push bears on the
// ends and reads a cell otherwise than the generator had it. At the walk's end, whether the ends
// differ: a join that agreed only on a window's cells may have left one otherwise.
bool partsAt(const HallPuzzle& puzzle, const WalkNeeds& needs, const PositionKey& pos,
             std::size_t k) {
    if (k == needs.length()) {
        return !isSolvedPosition(puzzle, pos.data());
    }
    return needs.bears(k) &&
           !agreesOn(puzzle, pos.data(), needs.position(k).data(), needs.readBy(k));
}

} // namespace

FollowedPath mendAtPartings(const HallPuzzle& puzzle, const PositionKey& start,
                            const ScrambleWalk& scramble, const SearchLimits& limits) {
    const WalkNeeds needs(puzzle, start, scramble);
    PositionMoves model(puzzle);
    PositionKey pos = start, next(start.size());
    std::vector<SolverMove> moves;
    std::vector<Parting> joined;
    MendTrail trail{std::vector<PositionKey>(needs.length() + 1),
                    std::vector<std::size_t>(needs.length() + 1)};
    std::size_t from = 0;
    for (std::size_t k = 0; k <= needs.length(); ++k) {
        if (partsAt(puzzle, needs, pos, k)) {
            Parting parting{k, pos, moves.size(), 0, from};
            while (!joinWalk(puzzle, needs, limits, parting, pos, k, moves)) {
                if (std::optional<Parting> root = rootOf(puzzle, needs, trail, parting)) {
                    parting = std::move(*root);
                    continue;
                }
                // Joins only go on and a parting has a few tries, so the mend ends.
                if (joined.empty()) {
                    return {};
                }
                parting = std::move(joined.back());
                joined.pop_back();
            }
            joined.push_back(std::move(parting));
            from = k;
        }
        trail.positions[k] = pos;
        trail.moves[k] = moves.size();
        // A push that reads only cells as the generator had them does what it did there.
        if (k < needs.length() && needs.bears(k) &&
            model.apply(pos.data(), scramble.pushes[k], next.data())) {
            pos = next;
            moves.push_back(scramble.pushes[k]);
        }
    }
    FollowedPath mended = followPushes(puzzle, start, moves);
    return mended.solved ? mended : FollowedPath{};
}
