#pragma once
// A search for halls with many pieces, where a search for the whole solution drowns in
// positions: one more end is covered at a time, keeping the ends covered so far and walling in
// no more free ends than before. Each step tries, in turn: an item routed onto an end by
// its own pushes (another piece moved first where needed); a search over the pieces around one
// end; a best-first search over every piece, which may at last push placed items and then
// uncover an end to cover two. Where that stalls and time is left, it starts again: with steps
// that first look for a cover leaving every free end within some item's reach when the stall
// left ends out of reach, with longer routes when not. The outcome is the attempt that covered
// the most ends.

#include "solver/hall_search.h"

SearchOutcome coverEndByEnd(const HallPuzzle& puzzle, const PositionKey& start,
                            const SearchLimits& limits);
