#pragma once
// Covering one more end by a search over the moves of the pieces around it only: those on the
// lines through the end and beside them, and the nearest items of its kind with the cells they
// can reach. Where a whole-hall search drowns in the moves of far-off pieces, this one reaches
// the handful of moves a crowded end needs.

#include "solver/hall_search.h"

// On success key is the position reached and the moves are added to outcome. The ends are tried
// nearest item first; only limits.endToCover when it names one.
bool coverNearEnd(const HallPuzzle& puzzle, PositionKey& key, SearchOutcome& outcome,
                  const SearchLimits& limits);
