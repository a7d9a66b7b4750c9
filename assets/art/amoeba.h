#pragma once

#include "image.h"
#include "kinds.h"

// Eight frames side by side (352 × 44) of a crawling amoeba of one kind, inked like the pieces; the
// loop closes, so frame 7 flows back into frame 0.
Image drawAmoebaSheet(Kind kind);
// Eight 132 × 132 frames (1056 × 132) of the big amoeba that eats pieces and puts out torches.
Image drawBigAmoebaSheet();
