#pragma once
// Covering one more end the way a player would: bring one item onto a free end with a few pushes
// of that item alone, or, where nothing stops it there, first bring another piece beside the end
// to stop it. The ends covered so far stay covered, and no more free ends are walled in (nor,
// when the limits keep ends reachable, stranded).

#include "solver/hall_search.h"

// Pushes of one piece a route takes unless told otherwise.
constexpr int defaultRouteDepth = 4;

// Only limits.endToCover is covered when it names one. On success key is the position reached and
// the moves are added to outcome. Routes take at most
// depth pushes of one piece.
bool coverByRoutes(const HallPuzzle& puzzle, PositionKey& key, SearchOutcome& outcome,
                   const SearchLimits& limits, int depth = defaultRouteDepth);
