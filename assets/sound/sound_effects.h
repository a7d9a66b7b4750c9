#pragma once
// The game's 21 sound effects, each rendered from its own recipe. The table is in the order the
// game loads them; file names are those inside the sound pack's "sound" folder.

#include "sound/synth.h"

#include <span>

struct SoundEffect {
    const char* file;    // e.g. "move.wav"
    Samples (*render)(); // deterministic: the same samples on every call
    float minSeconds;    // expected length, checked by the tests
    float maxSeconds;
};

std::span<const SoundEffect> soundEffects();
