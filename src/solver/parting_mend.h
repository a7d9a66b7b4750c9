#pragma once
// Where the generator's model parts from the solver's, the scramble's pushes stop solving the
// hall: the generator kept a mutation cell's change from a push it took back, so from then on
// its walk has that cell of a kind no push of the walk gave it. Most of the walk's pushes do not
// care. The mend follows the walk, playing only the pushes that bear on the ends, and where one
// of them, reading a cell that differs from the generator's position there, leaves the pieces
// otherwise than the walk (a mutation cell of another kind matters to an item that crosses it,
// not to an amoeba, which gives the cell its own), a search looks for a position that agrees
// with the generator's, at that push or a little later, on every cell the walk reads from there
// on, or failing that on the cells its next pushes read; from there the walk goes on as before.
// A mutation cell's kind that an amoeba gives it before any item crosses it is not asked for.
// Where no join is found and the parting reads a mutation cell of another kind, the mend goes
// back to the push where the kinds parted and searches from there for the generator's position
// after it. Where that fails too, the join before may have left the cells the parting reads
// otherwise, and the mend takes that join's next tries.

#include "solver/hall_solver.h"
#include "solver/path_shortcuts.h"

// The scramble mended into a walk from start that solves on the model; not solved when some
// parting could not be mended before the deadline.
FollowedPath mendAtPartings(const HallPuzzle& puzzle, const PositionKey& start,
                            const ScrambleWalk& scramble, const SearchLimits& limits);
