#pragma once
// Starts SDL's video (and event) system on a real display. Left to itself SDL falls back to its
// offscreen or dummy driver when no display opens, and the game would run unseen; those two are
// used only when named in SDL_VIDEODRIVER, as the tests do.

#include <string>

// True when video runs (or already ran). Otherwise false with error set to one line for the
// player: "no graphical display found: ..." when none is named in the environment.
bool startVideo(std::string* error);
