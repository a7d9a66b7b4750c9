#pragma once

#include "image.h"

// Wall pieces, 44 × 44, cut into stones on a 22-pixel grid so that neighbours join in any of the
// four quarter-turns the game gives them.
Image drawWallRun();      // a wall with walls left and right
Image drawWallRunCross(); // a wall with walls above and below
Image drawWallJunction(); // any other inner wall
Image drawWallCorner();   // an outer corner: one big corner stone
Image drawWallPillar();   // a free-standing pillar on the floor
// 44 × 132: wall, glass, wall, top to bottom; the outside is to the left.
Image drawWindow();
