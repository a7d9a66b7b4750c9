#pragma once

#include "image.h"

// The three kinds of piece. Each has a colour and a shape, so players who cannot tell the
// colours apart still tell the kinds apart: ball round, box square, spike a star.
enum class Kind { ball, box, spike };

Rgba kindColour(Kind kind);
// The dark line drawn round everything a player moves or aims at (pieces, amoebas, ends), so
// it stands out from every floor whatever its own colour.
Rgba inkColour();
// Width of that line in pixels.
constexpr float inkWidth = 1.8f;
// Signed distance (pixels) to the kind's outline of radius `size` centred on (cx, cy).
float kindDistance(Kind kind, float x, float y, float cx, float cy, float size);
