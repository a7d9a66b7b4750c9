#pragma once

#include "image.h"

// Light sources and small sprites. Lights are drawn above everything, so they are small and
// mostly clear.
Image drawTorch();    // 44 × 44: an iron wall sconce with a flame
Image drawDayLight(); // 44 × 44: the soft glow of daylight from a window or a teleport
Image drawCursor();   // 4 × 4: a small dot

// 32 × 32 particle sprites, white so that the effects tint them.
Image drawGlow();     // additive: a round glow on black
Image drawFlare();    // additive: a four-pointed spark on black
Image drawStar();     // a five-pointed star
Image drawFragment(); // a broken shard
Image drawPuff();     // a soft puff of smoke
