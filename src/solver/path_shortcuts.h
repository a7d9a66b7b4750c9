#pragma once
// A long solution made short: the scramble's own pushes, played on the grid model from the
// start, wander about; cutting out every loop (a position met again) and taking every shortcut
// that one or two pushes open to a later position of the path leaves far fewer moves. What
// those leave, stretches done again in fewer pushes of their own pieces shorten further.

#include "solver/hall_search.h"

struct FollowedPath {
    std::vector<SolverMove> moves; // the pushes that stood in the model, up to the first solved
    std::vector<PositionKey> keys; // the start and the position after each of those moves
    bool solved = false;
};

// Plays pushes on the model from start; a push the model forbids is left out.
FollowedPath followPushes(const HallPuzzle& puzzle, const PositionKey& start,
                          const std::vector<SolverMove>& pushes);

// The path's moves without loops and with the shortcuts found before the deadline. The path
// must end solved; so does the result.
std::vector<SolverMove> shortenPath(const HallPuzzle& puzzle, const FollowedPath& path,
                                    const SearchLimits& limits);
