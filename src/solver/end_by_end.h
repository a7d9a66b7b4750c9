#pragma once
// A search for halls with many pieces, where a search for the whole solution drowns in
// positions: one more end is covered at a time, keeping the ends covered so far and walling in
// no more free ends than before. Each step tries, in turn: an item routed onto an end by
// its own pushes (another piece moved first where needed); a search over the pieces around one
// end; a best-first search over every piece, which may at last push placed items and then
// uncover an end to cover two. Where that stalls and time is left, it starts again: with steps
// that first look for a cover leaving every free end within some item's reach when the stall
// left ends out of reach, with longer routes when not. Where every attempt stalls, it goes back
// from the best stall, a step at a time and then further, and from there covers first the ends
// the stall left free. The outcome is the attempt that solved in the fewest moves, or else
// covered the most ends.
//
// Where a solution is known, however long (the scramble's walk), a first attempt comes before
// those: each of its steps first tries the next two free ends in the order that solution last
// covers them, an order known to let every end be covered where covering the nearest end first
// can shut the last ones off. An end it cannot cover there is left to the other ways from then on.
// Short attempts with that order shuffled follow it: where it stalls, some cover every end, and
// where it solves, some do it in fewer moves.

#include "solver/hall_search.h"

// The ends in the order the positions of a path last cover them, the path's end last.
std::vector<int> lastCoverOrder(const HallPuzzle& puzzle, const std::vector<PositionKey>& keys);

// order: the ends in the order to cover them first, or empty.
SearchOutcome coverEndByEnd(const HallPuzzle& puzzle, const PositionKey& start,
                            const SearchLimits& limits, const std::vector<int>& order = {});
