#pragma once
// The room builder: stamps 5 by 5 rooms (a wall ring around 3 by 3 floor) in mirrored sets, so
// that a hall is symmetric left-right (layout 0), top-bottom (layout 1) or both ways (layout 2).

#include "hall/game_random.h"
#include "hall/hall_grid.h"

constexpr int layoutMirrorX = 0;
constexpr int layoutMirrorY = 1;
constexpr int layoutFourFold = 2;

// Stamps one room centred on (cx, cy), 2..18 each: void takes the template's code, and floor
// cuts through walls of earlier rooms, but walls never cover floor.
void stampRoom(HallGrid& hall, int cx, int cy);

void buildRooms(HallGrid& hall, GameRandom& random, int level, int layout);
