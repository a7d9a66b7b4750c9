#pragma once
// Finishing a covering that stalled a few ends short, by way of a solution known to be long: the
// scramble's walk. Its last moves cover those ends from positions the covering never reaches, and
// of all the hall they depend only on the cells they read. A search from the stall looks for a
// position that agrees with the walk on those cells, the other ends covered; there the walk's
// last moves that bear on the ends do what they did in the walk.
//
// Where play parts from the generator's model, the scramble's pushes do not solve from the start,
// but the generator's positions after each push give the same kind of walk in two ways: its last
// pushes from the generator's position before them, and the whole scramble mended at a point
// after the last parting by the same search.

#include "solver/hall_solver.h"
#include "solver/path_shortcuts.h"

// The moves from stall to solved; not solved when no way to the walk's end was found. walk must
// end solved.
SearchOutcome bridgeToWalk(const HallPuzzle& puzzle, const PositionKey& stall,
                           const FollowedPath& walk, const SearchLimits& limits);

// Where play parts from the generator's model, the scramble's pushes stop solving the hall from
// its start, but its last ones still solve from the generator's position before them: the
// longest such tail the bridge can use, played on the model; not solved when there is none.
FollowedPath scrambleTail(const HallPuzzle& puzzle, const ScrambleWalk& scramble);

// Where play parts from the generator's model, a walk that solves in the model all the same: the
// scramble's pushes played on the model up to a point after the last parting, then a search for
// a position that agrees with the generator's there on the cells its later pushes read, then
// those pushes. Not solved when none was found before the deadline.
FollowedPath mendScramble(const HallPuzzle& puzzle, const PositionKey& start,
                          const ScrambleWalk& scramble, const SearchLimits& limits);

// Where the walk cannot be mended, its positions still spread the pieces about, and from one of
// them a covering of the ends one by one often finishes where one from the walk's start stalls:
// from the walk's end, or else from its last position with the most ends covered. The walk's
// moves up to there and the covering's; not solved when neither finishes.
SearchOutcome coverFromWalk(const HallPuzzle& puzzle, const FollowedPath& walk,
                            const SearchLimits& limits);
