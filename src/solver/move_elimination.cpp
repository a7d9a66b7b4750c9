#include "solver/move_elimination.h"

#include "solver/bearing_moves.h"

#include <algorithm>

namespace {

// The path with moves [from, from + count) left out, when what remains still solves it.
bool leaveOut(const HallPuzzle& puzzle, FollowedPath& path, std::size_t from, std::size_t count) {
    const std::vector<SolverMove> rest(path.moves.begin() + static_cast<long>(from + count),
                                       path.moves.end());
    const FollowedPath tail = followPushes(puzzle, path.keys[from], rest);
    if (!tail.solved) {
        return false;
    }
    path.moves.resize(from);
    path.moves.insert(path.moves.end(), tail.moves.begin(), tail.moves.end());
    path.keys.resize(from + 1);
    path.keys.insert(path.keys.end(), tail.keys.begin() + 1, tail.keys.end());
    return true;
}

} // namespace

NeededMoves neededMoves(const HallPuzzle& puzzle, const FollowedPath& path, std::size_t from) {
    BearingMoves bearing(puzzle);
    NeededMoves needed;
    for (std::size_t i = path.moves.size(); i-- > from;) {
        if (bearing.takeIn(path.keys[i].data(), path.moves[i])) {
            needed.moves.push_back(path.moves[i]);
        }
    }
    std::reverse(needed.moves.begin(), needed.moves.end());
    needed.cells = bearing.cells();
    return needed;
}

FollowedPath dropNeedlessMoves(const HallPuzzle& puzzle, const FollowedPath& path,
                               const SearchLimits& limits) {
    FollowedPath current = path;
    const FollowedPath justified =
        followPushes(puzzle, path.keys[0], neededMoves(puzzle, path, 0).moves);
    if (justified.solved && justified.moves.size() < current.moves.size()) {
        current = justified;
    }
    for (std::size_t run : {64u, 16u, 4u, 1u}) {
        // From the end backwards: the positions before a leaving-out stay as they were.
        for (std::size_t from = current.moves.size(); from-- > 0;) {
            if (searchStopped(limits)) {
                return current;
            }
            if (from % run != 0 || from + run > current.moves.size()) {
                continue;
            }
            leaveOut(puzzle, current, from, run);
        }
    }
    return current;
}
