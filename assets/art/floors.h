#pragma once

#include "image.h"

// The 44 × 44 floors: quiet, light and neutral, so the game's floor tints show and pieces stand
// out. Each family has a plain picture and rare decorated ones.

// Stone tiles: 0 plain, 1 cracked, 2 stained, 3 a small mosaic.
Image drawStoneFloor(int variant);
// Planks, running left to right: 0 plain, 1 a knot, 2 a stain, 3 nail heads, 4 a brass inlay.
Image drawPlankFloor(int variant);
// Patterned tiles with a quarter-circle motif in the top-left corner, so neighbouring tiles
// turned by the game make circles: 0 plain, 1 cracked, 2 stained, 3 a mosaic,
// 4 a brass star.
Image drawPatternFloor(int variant);
