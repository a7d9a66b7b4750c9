#pragma once
// A search for halls with many pieces, where best-first drowns in positions: from the position
// reached, a breadth-first search runs until it meets a position the estimate rates better (or
// solved), and the climb goes on from there. Each step forgets the positions of the last, so it
// reaches far; the solutions are longer than best-first's, far shorter than the scramble's.

#include "solver/hall_search.h"

SearchOutcome climbMoves(const HallPuzzle& puzzle, const PositionKey& start,
                         const SearchLimits& limits);
