#pragma once
// Most of a random walk's pushes do nothing for the solution: a piece pushed about and later
// pushed elsewhere anyway. Leaving out runs of moves, long runs first, and keeping every
// leaving-out after which the remaining moves still solve the hall, strips them.

#include "solver/path_shortcuts.h"

// path must end solved; so does the result. Moves that no longer stand once others are left
// out are dropped too.
FollowedPath dropNeedlessMoves(const HallPuzzle& puzzle, const FollowedPath& path,
                               const SearchLimits& limits);
