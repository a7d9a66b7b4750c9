#pragma once
// Finishing a covering that stalled a few ends short, by way of a solution known to be long: the
// scramble's walk. Its last moves cover those ends from positions the covering never reaches, and
// of all the hall they depend only on the cells they read. A search from the stall looks for a
// position that agrees with the walk on those cells, the other ends covered; there the walk's
// last moves that bear on the ends do what they did in the walk.

#include "solver/path_shortcuts.h"

// The moves from stall to solved; not solved when no way to the walk's end was found. walk must
// end solved.
SearchOutcome bridgeToWalk(const HallPuzzle& puzzle, const PositionKey& stall,
                           const FollowedPath& walk, const SearchLimits& limits);
