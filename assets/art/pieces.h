#pragma once

#include "image.h"
#include "kinds.h"

// The 44 × 44 pictures of the pieces and of the cells that act on one kind; all centred on (22,
// 22).

// `unit` draws the item larger (pixels per unit), as the logo does.
Image drawItem(Kind kind, float unit = 1.0f);
// The end: an outline of the kind's shape lying on the floor, open in the middle, since it is
// drawn above the item that covers it.
Image drawEnd(Kind kind);
Image drawMutation(Kind kind);
// Gates stand in wall gaps of either direction, so they look the same turned a quarter.
Image drawGate(Kind kind);
