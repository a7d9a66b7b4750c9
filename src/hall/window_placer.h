#pragma once
// The window placer: turns triples of outer-wall cells into a window with a wall piece on
// either side, mirrored onto the opposite outer wall where that wall allows it.

#include "hall/game_random.h"
#include "hall/hall_grid.h"

// layout as given to the room builder; a four-fold hall draws which pair of walls gets windows.
void placeWindows(HallGrid& hall, GameRandom& random, int layout);
