#pragma once
// The solver's plan for a hall: a breadth-first search for a shortest solution while that is
// cheap; a best-first search guided by the distance of the items from their ends; covering the
// ends one by one, and where that stalls, joining the scramble's last moves; where play parts
// from the generator's model, mending the scramble's walk, or covering the ends from where its
// pushes leave the pieces in play; with no scramble to go by, a climb; and only when none of
// those solves it, the scramble's own pushes, or the walk mended or finished, with their loops
// and detours cut out.
// Every solution it proposes solves the hall in the grid model; play must still confirm it.

#include "solver/hall_search.h"

#include <string>

struct SolverAnswer {
    std::vector<std::vector<SolverMove>> solutions; // shortest first, none repeated
    bool shortest = false;                          // the first is a shortest solution in the model
    bool unsolvable = false; // the model's moves reach no solved position at all
    int positions = 0;       // positions the searches met
    std::string why;         // when there is no solution: what the searches ran into
    // When there is no solution: moves that cover more ends than the start does, keeping those
    // it covers, towards a solution the searches did not reach in time; may be empty.
    std::vector<SolverMove> progress;
};

// The scramble as the generator made it: its pushes, and the position after each in the
// generator's own model, which can part from play's in the kinds of mutation cells.
struct ScrambleWalk {
    std::vector<SolverMove> pushes;
    std::vector<PositionKey> keys; // keys[i]: after pushes[i]
};

SolverAnswer solvePuzzle(const HallPuzzle& puzzle, const PositionKey& start,
                         const ScrambleWalk& scramble, const SearchLimits& limits);
