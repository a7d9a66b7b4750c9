#pragma once
// A solution made shorter a stretch at a time. The moves of a short stretch push only a few
// pieces; a breadth-first search over the pushes of those pieces alone, from the stretch's first
// position, often reaches a later position of the path in fewer moves, where one or two pushes
// of any piece do not: a piece brought round another way, two pieces' moves in another order.

#include "solver/path_shortcuts.h"

// path must end solved; so does the result.
FollowedPath shortenStretches(const HallPuzzle& puzzle, const FollowedPath& path,
                              const SearchLimits& limits);
