#include "solver/move_elimination.h"

#include "solver/position_moves.h"

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

// Keeps only the moves the solution needs: walking back from the end, a move is needed when it
// changes a cell that a later needed move depends on, or an end's cell. Each needed move then
// meets exactly the cells it met before, so it does the same, and the ends come out the same.
std::vector<SolverMove> neededMoves(const HallPuzzle& puzzle, const FollowedPath& path) {
    PositionMoves moves(puzzle);
    std::vector<char> live(hallSize * hallSize + specialCapacity, 0);
    for (int end : puzzle.endCells) {
        live[static_cast<std::size_t>(puzzle.standing[static_cast<std::size_t>(end)])] = 1;
    }
    std::vector<char> needed(path.moves.size(), 0);
    std::vector<int> changed, read;
    for (std::size_t i = path.moves.size(); i-- > 0;) {
        if (!moves.trace(path.keys[i].data(), path.moves[i], &changed, &read)) {
            continue;
        }
        for (int cell : changed) {
            needed[i] = needed[i] != 0 || live[static_cast<std::size_t>(cell)] != 0;
        }
        if (needed[i] != 0) {
            for (int cell : read) {
                live[static_cast<std::size_t>(cell)] = 1;
            }
        }
    }
    std::vector<SolverMove> kept;
    for (std::size_t i = 0; i < path.moves.size(); ++i) {
        if (needed[i] != 0) {
            kept.push_back(path.moves[i]);
        }
    }
    return kept;
}

} // namespace

FollowedPath dropNeedlessMoves(const HallPuzzle& puzzle, const FollowedPath& path,
                               const SearchLimits& limits) {
    FollowedPath current = path;
    const FollowedPath justified = followPushes(puzzle, path.keys[0], neededMoves(puzzle, path));
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
