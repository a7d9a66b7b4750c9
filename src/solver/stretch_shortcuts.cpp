#include "solver/stretch_shortcuts.h"

#include "solver/path_index.h"
#include "solver/position_moves.h"
#include "solver/position_store.h"

#include <algorithm>
#include <vector>

namespace {

// Moves of a stretch, and the memory of the search over it.
constexpr int stretchMoves = 16;
constexpr std::size_t stretchMemory = std::size_t{4} << 20;
// Positions searched between looks at the clock.
constexpr int clockEvery = 256;

// The standing cells whose piece the moves of the path from `from` to `to` change.
std::vector<char> cellsChanged(const HallPuzzle& puzzle, const FollowedPath& path, int from,
                               int to) {
    std::vector<char> changed(puzzle.standing.size(), 0);
    for (int k = from; k < to; ++k) {
        const std::uint8_t* before = path.keys[static_cast<std::size_t>(k)].data();
        const std::uint8_t* after = path.keys[static_cast<std::size_t>(k) + 1].data();
        for (std::size_t i = 0; i < changed.size(); ++i) {
            const int cell = static_cast<int>(i);
            if (nibbleAt(before, cell) != nibbleAt(after, cell)) {
                changed[i] = 1;
            }
        }
    }
    return changed;
}

// The shortcut from position `from` that saves the most moves, found by pushing only the pieces
// on the cells the next stretch of moves changes.
PathShortcut searchStretch(const HallPuzzle& puzzle, PositionMoves& moves, const FollowedPath& path,
                           const PathIndex& index, int from, const SearchLimits& limits) {
    const int to = std::min(from + stretchMoves, static_cast<int>(path.moves.size()));
    const std::vector<char> movable = cellsChanged(puzzle, path, from, to);
    PositionStore store(static_cast<std::size_t>(puzzle.keySize), stretchMemory);
    bool added = false;
    store.insert(path.keys[static_cast<std::size_t>(from)].data(), PositionStore::none, {}, &added);
    PositionChildren children;
    PathShortcut best;
    int bestGain = 0;
    // A shortcut must take fewer moves than the stretch it replaces.
    for (int n = 0; n < store.size() && store.depth(n) + 1 < to - from; ++n) {
        if (n % clockEvery == 0 && searchStopped(limits)) {
            break;
        }
        moves.expand(store.key(n), children, false, &movable);
        for (std::size_t c = 0; c < children.moves.size(); ++c) {
            const int i = store.insert(children.key(c), n, children.moves[c], &added);
            if (i == PositionStore::full) {
                return best;
            }
            const int at = added ? index.lastIndexOf(children.key(c)) : -1;
            if (at >= 0 && at - from - store.depth(i) > bestGain) {
                bestGain = at - from - store.depth(i);
                best = {at, store.pathTo(i)};
            }
        }
    }
    return best;
}

// The path with the first shortcut from `from` on that holds when the moves after it are played
// again, from left where that shortcut starts; false when there is none.
bool takeShortcut(const HallPuzzle& puzzle, PositionMoves& moves, FollowedPath& path, int& from,
                  const SearchLimits& limits) {
    const PathIndex index(puzzle, path.keys);
    for (; from < static_cast<int>(path.moves.size()) && !searchStopped(limits); ++from) {
        const PathShortcut cut = searchStretch(puzzle, moves, path, index, from, limits);
        if (cut.to < 0) {
            continue;
        }
        const auto at = [&](int i) { return path.moves.begin() + i; };
        std::vector<SolverMove> spliced(path.moves.begin(), at(from));
        spliced.insert(spliced.end(), cut.moves.begin(), cut.moves.end());
        spliced.insert(spliced.end(), at(cut.to), path.moves.end());
        FollowedPath replayed = followPushes(puzzle, path.keys[0], spliced);
        if (replayed.solved && replayed.moves.size() < path.moves.size()) {
            path = std::move(replayed);
            return true;
        }
    }
    return false;
}

} // namespace

FollowedPath shortenStretches(const HallPuzzle& puzzle, const FollowedPath& path,
                              const SearchLimits& limits) {
    FollowedPath current = path;
    PositionMoves moves(puzzle);
    // After a shortcut the search goes on from the same position: the shorter path may open
    // another there.
    int from = 0;
    while (takeShortcut(puzzle, moves, current, from, limits)) {
    }
    return current;
}
