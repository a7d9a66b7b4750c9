#include "solver/parting_mend.h"

#include "solver/agreeing_goal.h"
#include "solver/bearing_moves.h"
#include "solver/position_moves.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <set>

namespace {

constexpr std::size_t windowMemory = std::size_t{8} << 20, quickMemory = std::size_t{32} << 20,
                      deepMemory = std::size_t{64} << 20;
constexpr double joinShare = 0.25;
constexpr int joinWeight = 3;

// The mutation cell that a cell as the walk reads it names, or -1 for any other cell.
int mutationOf(const HallPuzzle& puzzle, int cell) {
    if (cell < hallSize * hallSize) {
        return -1;
    }
    const auto m =
        std::find(puzzle.mutations.begin(), puzzle.mutations.end(), cell - hallSize * hallSize);
    return m == puzzle.mutations.end() ? -1 : static_cast<int>(m - puzzle.mutations.begin());
}

// The generator's walk read backwards: which pushes bear on the ends, and the cells that the
// pushes from each position on need as the walk has them (the ends' cells among them): those
// they read, but for a mutation cell's kind that a later push gives it before any push reads it.
class WalkNeeds {
  public:
    WalkNeeds(const HallPuzzle& puzzle, const PositionKey& start, const ScrambleWalk& scramble)
        : start_(start), scramble_(scramble),
          length_(std::min(scramble.pushes.size(), scramble.keys.size())), bears_(length_, 0),
          cells_(length_ + 1), reads_(length_), needs_(length_) {
        BearingMoves bearing(puzzle);
        PositionMoves model(puzzle);
        std::vector<char> live = bearing.cells();
        cells_[length_] = live;
        for (std::size_t k = length_; k-- > 0;) {
            if (bearing.takeIn(position(k).data(), scramble.pushes[k])) {
                bears_[k] = 1;
                reads_[k] = bearing.read();
                for (int cell : reads_[k]) {
                    const bool given = kindGiven(puzzle, model, k, cell);
                    live[static_cast<std::size_t>(cell)] = given ? 0 : 1;
                    if (!given) {
                        needs_[k].push_back(cell);
                    }
                }
            }
            cells_[k] = live;
        }
    }

    std::size_t length() const { return length_; }
    // The generator's position before push k.
    const PositionKey& position(std::size_t k) const {
        return k == 0 ? start_ : scramble_.keys[k - 1];
    }
    const SolverMove& push(std::size_t k) const { return scramble_.pushes[k]; }
    bool bears(std::size_t k) const { return bears_[k] != 0; }
    const std::vector<char>& cellsFrom(std::size_t k) const { return cells_[k]; }
    // The cells push k reads, when it bears on the ends.
    const std::vector<int>& readBy(std::size_t k) const { return reads_[k]; }
    // The cells that the pushes from k up to k + window need.
    std::vector<char> cellsWithin(std::size_t k, std::size_t window) const {
        std::vector<char> cells(cells_[k].size(), 0);
        for (std::size_t j = k; j < std::min(k + window, length_); ++j) {
            for (int cell : needs_[j]) {
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
    std::vector<std::vector<int>> reads_, needs_;

    // Whether push k, read cell among them, gives that cell its kind whatever it had: a mutation
    // cell that an amoeba moves onto, with no item crossing it. The positions before push k then
    // need not have the walk's kind there.
    bool kindGiven(const HallPuzzle& puzzle, PositionMoves& model, std::size_t k, int cell) const {
        const int m = mutationOf(puzzle, cell);
        if (m < 0) {
            return false;
        }
        PositionKey walked(position(k).size()), other = position(k), tried(walked.size());
        if (!model.apply(position(k).data(), push(k), walked.data())) {
            return false;
        }
        for (int kind = 0; kind < 3; ++kind) {
            setMutationKind(puzzle, other.data(), m, kind);
            if (!model.apply(other.data(), push(k), tried.data()) || tried != walked) {
                return false;
            }
        }
        return true;
    }
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
// positions, and the large searches within twice the positions the quick ones hold. A large
// search goes on from the quick one with the same start and goal rather than meeting its
// positions again.
//
// Where the parting reads a mutation cell of another kind than the generator's, the kinds parted
// at some push before: the generator kept a change from a push it took back there. The last
// tries join right after that push, from the mend's position before it: the search must change
// the cell's kind with the pieces as they stood then, where the amoebas that can change it may
// be near, and undo what the mend did since; a few such joins need three times the deep
// search's memory. They come last: taken before the others, their joins lead the mend to
// partings it cannot join further on, and it mends fewer halls.
struct JoinTry {
    bool fromRoot;
    std::size_t offset, memory, window;
};
constexpr JoinTry joinTries[] = {
    {false, 0, quickMemory, 0},   {false, 8, quickMemory, 0},       {false, 32, quickMemory, 0},
    {false, 0, quickMemory, 64},  {false, 0, 2 * windowMemory, 16}, {false, 8, windowMemory, 64},
    {false, 8, windowMemory, 16}, {false, 0, deepMemory, 0},        {false, 8, deepMemory, 0},
    {true, 0, deepMemory, 0},     {true, 0, 3 * deepMemory, 0}};

// The earlier try whose search try t goes on with, having the same start and goal and more
// memory; t itself where there is none.
constexpr std::size_t goesOnFrom(std::size_t t) {
    for (std::size_t e = t; e-- > 0;) {
        const JoinTry &earlier = joinTries[e], &later = joinTries[t];
        if (earlier.fromRoot == later.fromRoot && earlier.offset == later.offset &&
            earlier.window == later.window) {
            return e;
        }
    }
    return t;
}

// Whether a later try goes on with try t's search.
constexpr bool goneOnLater(std::size_t t) {
    for (std::size_t later = t + 1; later < std::size(joinTries); ++later) {
        if (goesOnFrom(later) == t) {
            return true;
        }
    }
    return false;
}

// A search from the mend's position for one that agrees with the generator's at a push on some
// cells.
struct JoinSearch {
    JoinSearch(const HallPuzzle& puzzle, const std::uint8_t* target, const std::vector<char>& cells,
               const PositionKey& from, const SearchLimits& limits)
        : goal(puzzle, target, cells), search(puzzle, from, guided(limits, goal)) {}

    static SearchLimits guided(SearchLimits limits, const SearchGoal& goal) {
        limits.weight = joinWeight;
        limits.goal = &goal;
        return limits;
    }

    AgreeingGoal goal;
    MoveSearch search;
};

// Where the mend stood on the walk: before a push, its position there and its count of moves.
struct MendPoint {
    std::size_t push;
    PositionKey pos;
    std::size_t moves = 0;
};

// A parting and the mend's state there, kept once joined: a later parting that no try can join
// may have been caused by this join, which left cells otherwise than the walk, and the mend
// comes back to take this join's next tries.
struct Parting {
    MendPoint at; // the push whose reading differed, or the walk's length at its end
    std::optional<MendPoint> root; // the push where a mutation cell read parted, if known
    std::size_t nextTry = 0;
};

// A parting as the mend met it: the push, the mend's position there and, where known, where the
// kinds parted and the mend's position before that push. Another way along the walk can lead to
// the same parting again; where no try joined it before, none will.
struct PartingState {
    std::size_t push, rootPush;
    PositionKey pos, rootPos;
    auto operator<=>(const PartingState&) const = default;
};

PartingState stateOf(const Parting& parting) {
    return parting.root ? PartingState{parting.at.push, parting.root->push, parting.at.pos,
                                       parting.root->pos}
                        : PartingState{parting.at.push, 0, parting.at.pos, {}};
}

// From the parting, joins the generator's walk at or after its push, taking the tries from its
// next one on; on success pos, k and moves are the mend's at the join, and the parting's next
// try is the one after.
bool joinWalk(const HallPuzzle& puzzle, const WalkNeeds& needs, const SearchLimits& limits,
              Parting& parting, PositionKey& pos, std::size_t& k, std::vector<SolverMove>& moves) {
    // The searches that a later try goes on with.
    std::unique_ptr<JoinSearch> kept[std::size(joinTries)];
    for (std::size_t t = parting.nextTry; t < std::size(joinTries); ++t) {
        if (searchStopped(limits)) {
            return false;
        }
        const JoinTry& join = joinTries[t];
        if (join.fromRoot && !parting.root) {
            continue;
        }
        const MendPoint& from = join.fromRoot ? *parting.root : parting.at;
        const std::size_t at = std::min(from.push + join.offset, needs.length());
        if (join.window != 0 && at + join.window >= needs.length()) {
            continue; // a window to the walk's end is no window
        }
        pos = from.pos;
        moves.resize(from.moves);
        std::unique_ptr<JoinSearch> search = std::move(kept[goesOnFrom(t)]);
        if (!search) {
            const std::vector<char> cells =
                join.window == 0 ? needs.cellsFrom(at) : needs.cellsWithin(at, join.window);
            search =
                std::make_unique<JoinSearch>(puzzle, needs.position(at).data(), cells, pos, limits);
        }
        const SearchOutcome bridge = search->search.run(std::min(limits.memoryBytes, join.memory),
                                                        partOfTimeLeft(limits, joinShare));
        if (bridge.solved) {
            pos = keyAfter(puzzle, pos, bridge.moves);
            moves.insert(moves.end(), bridge.moves.begin(), bridge.moves.end());
            k = at;
            parting.nextTry = t + 1;
            return true;
        }
        if (goneOnLater(t)) {
            kept[t] = std::move(search);
        }
    }
    return false;
}

// The mend's positions before each push on its way along the walk, and its count of moves there;
// those from the push where it last joined the walk on are of its present way.
struct MendTrail {
    std::vector<PositionKey> positions;
    std::vector<std::size_t> moves;
};

// Where the parting at reads a mutation cell of another kind than the generator's, the push
// after the last one before it at which the mend still had the generator's kinds, with the
// mend's position before that push. None where no mutation cell read differs, or the kinds
// differed already at push from, where the mend last joined the walk.
std::optional<MendPoint> rootOf(const HallPuzzle& puzzle, const WalkNeeds& needs,
                                const MendTrail& trail, const MendPoint& at, std::size_t from) {
    if (at.push == needs.length()) {
        return std::nullopt;
    }
    std::vector<int> differing;
    for (int cell : needs.readBy(at.push)) {
        const int m = mutationOf(puzzle, cell);
        if (m >= 0 && mutationKind(puzzle, at.pos.data(), m) !=
                          mutationKind(puzzle, needs.position(at.push).data(), m)) {
            differing.push_back(m);
        }
    }
    const auto agree = [&](std::size_t k) {
        return std::all_of(differing.begin(), differing.end(), [&](int m) {
            return mutationKind(puzzle, trail.positions[k].data(), m) ==
                   mutationKind(puzzle, needs.position(k).data(), m);
        });
    };
    for (std::size_t k = at.push; !differing.empty() && k-- > from;) {
        if (agree(k)) {
            return MendPoint{k + 1, trail.positions[k], trail.moves[k]};
        }
    }
    return std::nullopt;
}

// Whether the mend's position parts from the generator's walk at push k: the push bears on the
// ends and, on the cells it reads as the mend has them, leaves the pieces there otherwise than
// the walk does. A mutation cell of another kind parts only where the push's way depends on it:
// an item that crosses it takes its kind, while an amoeba that moves onto it gives it its own kind
// whatever it had, and the walk's own push then does what it did there. At the walk's end,
// whether the ends differ: a join that agreed only on a window's cells may have left one
// otherwise.
bool partsAt(const HallPuzzle& puzzle, const WalkNeeds& needs, PositionMoves& model,
             const PositionKey& pos, std::size_t k) {
    if (k == needs.length()) {
        return !isSolvedPosition(puzzle, pos.data());
    }
    if (!needs.bears(k) ||
        agreesOn(puzzle, pos.data(), needs.position(k).data(), needs.readBy(k))) {
        return false;
    }
    std::vector<int> pieceCells;
    for (int cell : needs.readBy(k)) {
        if (cell < hallSize * hallSize) {
            pieceCells.push_back(cell);
        }
    }
    PositionKey next(pos.size());
    return !agreesOn(puzzle, pos.data(), needs.position(k).data(), pieceCells) ||
           !model.apply(pos.data(), needs.push(k), next.data()) ||
           !agreesOn(puzzle, next.data(), needs.position(k + 1).data(), pieceCells);
}

} // namespace

FollowedPath mendAtPartings(const HallPuzzle& puzzle, const PositionKey& start,
                            const ScrambleWalk& scramble, const SearchLimits& limits) {
    const WalkNeeds needs(puzzle, start, scramble);
    PositionMoves model(puzzle);
    PositionKey pos = start, next(start.size());
    std::vector<SolverMove> moves;
    std::vector<Parting> joined;
    std::set<PartingState> unjoined;
    MendTrail trail{std::vector<PositionKey>(needs.length() + 1),
                    std::vector<std::size_t>(needs.length() + 1)};
    std::size_t from = 0;
    for (std::size_t k = 0; k <= needs.length(); ++k) {
        if (partsAt(puzzle, needs, model, pos, k)) {
            MendPoint at{k, pos, moves.size()};
            std::optional<MendPoint> root = rootOf(puzzle, needs, trail, at, from);
            Parting parting{std::move(at), std::move(root)};
            while (unjoined.contains(stateOf(parting)) ||
                   !joinWalk(puzzle, needs, limits, parting, pos, k, moves)) {
                unjoined.insert(stateOf(parting));
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
