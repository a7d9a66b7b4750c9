#pragma once
// A hint: the piece standing on cell (x, y), 0..20 as the hall's map counts them, moved that way.

#include "rules/play_frame.h"

struct HintMove {
    int x = 0, y = 0;
    Direction direction = Direction::Left;
    bool operator==(const HintMove&) const = default;
};
