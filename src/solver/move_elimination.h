#pragma once
// Most of a random walk's pushes do nothing for the solution: a piece pushed about and later
// pushed elsewhere anyway. Leaving out runs of moves, long runs first, and keeping every
// leaving-out after which the remaining moves still solve the hall, strips them.

#include "solver/path_shortcuts.h"

// The moves of a solved path from `from` on that bear on its ends (see bearing_moves.h), and
// the cells they depend on. Played alone from a position that agrees with the path's position at
// `from` on those cells, they leave the ends as the path does.
struct NeededMoves {
    std::vector<SolverMove> moves;
    // Per cell as PositionMoves::trace names them: the ends' cells and the cells the moves read.
    std::vector<char> cells;
};
NeededMoves neededMoves(const HallPuzzle& puzzle, const FollowedPath& path, std::size_t from);

// path must end solved; so does the result. Moves that no longer stand once others are left
// out are dropped too.
FollowedPath dropNeedlessMoves(const HallPuzzle& puzzle, const FollowedPath& path,
                               const SearchLimits& limits);
