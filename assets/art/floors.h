#pragma once

#include "image.h"

// The 44 × 44 floors: quiet, light and neutral, so the game's floor tints show and pieces stand
// out. Each family has a plain picture and rare decorated ones. Decorations are wear and repair,
// never a shape or a colour of the game's pieces, ends or cells.

// Stone tiles: 0 plain, 1 cracked, 2 stained, 3 a chipped corner.
Image drawStoneFloor(int variant);
// Planks, running left to right: 0 plain, 1 a knot, 2 a stain, 3 nail heads, 4 a patched board.
Image drawPlankFloor(int variant);
// Basket-weave bricks, the same turned a quarter: 0 plain, 1 cracked, 2 stained, 3 worn,
// 4 one darker brick.
Image drawPatternFloor(int variant);
