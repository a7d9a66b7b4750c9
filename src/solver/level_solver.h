#pragma once
// Solving a generated hall from its name and level under the real rules of play: the solver's
// plan on the grid model is played move by move on a play state, and where play leaves the model
// (mutation cells change kind in play where the model does not foresee it) the solver plans
// again from the position play actually reached.

#include "rules/play_state.h"
#include "solver/hall_solver.h"

#include <optional>
#include <string>
#include <string_view>

// The hall of name and level as a puzzle, its start position and the scramble.
struct LevelPuzzle {
    HallPuzzle puzzle;
    PositionKey start;
    ScrambleWalk scramble;
};
LevelPuzzle makeLevelPuzzle(std::string_view name, int level);

// The position of a hall in play as a key of the puzzle; nothing while a piece moves, is being
// eaten, or stands off the cells the puzzle knows.
std::optional<PositionKey> playPosition(const HallPuzzle& puzzle, const PlayState& state);

struct PlayedPlan {
    bool solved = false;           // play reported the hall solved after the last move
    std::vector<SolverMove> moves; // the moves played, in order
    std::string why;               // when not solved: what stands in the way
};

// Plans from the position of state and plays the plan on state, planning again where play
// leaves the model, until play solves the hall or the limits run out. scramble, when the state
// is at the level start, is the level's: a plan may shorten its pushes.
PlayedPlan planAndPlay(const LevelPuzzle& made, PlayState& state, const ScrambleWalk& scramble,
                       const SearchLimits& limits);

struct LevelSolution {
    bool solved = false; // found, and confirmed by play from a fresh level start
    std::vector<SolverMove> moves;
    int scramblePushes = 0; // every push the scramble made
    double seconds = 0;
    std::string why; // when not solved: what stands in the way
};

LevelSolution solveLevel(std::string_view name, int level, double budgetSeconds,
                         std::size_t memoryBytes);
