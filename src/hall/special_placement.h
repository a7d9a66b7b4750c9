#pragma once
// The generator's placers of pieces and special objects. Each draws from the random source at
// fixed points only, so a placement that comes to nothing still leaves the sequence of later
// draws as the seed decides.

#include "hall/game_random.h"
#include "hall/hall_grid.h"

// Gives one random floor cell the code (an item or an amoeba). With fewer than 5 floor cells it
// does nothing and makes no draw. Special objects are not looked at: pieces come first.
void placeOnFloor(HallGrid& hall, GameRandom& random, CellCode code);

// Places up to budget pieces of the three kinds, firstCode (ball or amoeba ball) and the two
// after it: a drawn number of the first kind, a drawn number of the second, then about half of
// what is left of the third. A placement that finds no room still uses up its share.
void placePieces(HallGrid& hall, GameRandom& random, int budget, CellCode firstCode);

// One mutation cell on a random floor cell; the more there are, the more floor they need.
void placeSpecialObject(HallGrid& hall, GameRandom& random, CellCode code);

// One arrow with a random direction on a random floor cell.
void placeArrow(HallGrid& hall, GameRandom& random);

// Both ends of a teleport pair, on two different floor cells; at most one pair per code.
void placeTeleportPair(HallGrid& hall, GameRandom& random, CellCode code);

// Gates of the code in about one in six of the wall cells that separate two open cells; each
// gate's cell becomes floor, so the rooms on both sides connect through it.
void placeGates(HallGrid& hall, GameRandom& random, CellCode code);
