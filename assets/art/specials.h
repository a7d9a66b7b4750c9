#pragma once

#include "image.h"

// The arrow plate on the floor, pointing right (+x); the game turns it.
Image drawArrow();
// Teleport pads, one look per pair: 0 a round violet pad, 1 a blue pad of three lobes, 2 a green
// pad of four lobes.
Image drawTeleport(int pair);
