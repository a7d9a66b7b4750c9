#pragma once

#include "image.h"
#include "kinds.h"

// The 44 × 44 pictures of the pieces and of the cells that act on one kind; all centred on (22,
// 22).

// `unit` draws the item larger (pixels per unit), as the logo does.
Image drawItem(Kind kind, float unit = 1.0f);
// The end: a frame round the cell's edge in the kind's colour, open in the middle, since it is
// drawn above the item that covers it; the item keeps its own shape inside the frame.
Image drawEnd(Kind kind);
// The mutation cell: the kind it gives, inside a diamond frame no piece or end has.
Image drawMutation(Kind kind);
// Gates stand in wall gaps of either direction, so they look the same turned a quarter; their
// bars repeat the kind's outline.
Image drawGate(Kind kind);
