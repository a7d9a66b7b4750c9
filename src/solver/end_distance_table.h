#pragma once
// For every end of a hall, how many pushes a lone item needs at least to come to rest on it with
// the end's kind, were it free to stop anywhere (other pieces could stop it there): straight runs
// between walls, turned by arrows, sent back by gates, carried by teleports and changed by
// mutation cells of the kinds the puzzle's special table gives them.

#include "solver/hall_puzzle.h"

#include <cstdint>
#include <vector>

// Counts as a long way: no run of pushes brings such an item to the end.
constexpr int endUnreachable = 60;

// Indexed (end * standing cells + standing cell) * 3 + kind (0..2).
std::vector<std::uint8_t> endDistanceTable(const HallPuzzle& puzzle);
