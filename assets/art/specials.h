#pragma once

#include "image.h"

// The arrow plate on the floor, pointing right (+x); the game turns it.
Image drawArrow();
// Teleport pads, one look per pair: 0 violet spiral, 1 blue rings, 2 green star.
Image drawTeleport(int pair);
