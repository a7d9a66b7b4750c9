#pragma once
// A search for halls with many pieces, where a search for the whole solution drowns in
// positions: one more end is covered at a time, each by a small best-first search that keeps
// the ends covered so far and leaves no free end walled in by covered ones. Where that finds
// nothing, the search may push placed items, and at last uncover an end to cover two.

#include "solver/hall_search.h"

SearchOutcome coverEndByEnd(const HallPuzzle& puzzle, const PositionKey& start,
                            const SearchLimits& limits);
