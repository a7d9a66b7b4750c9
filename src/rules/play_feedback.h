#pragma once
// Sounds and effects of play: every sound is panned by the x of the object it comes from, and
// every destroyed piece bursts in the colour of its kind.

#include "shell/engine.h"

#include <cstdint>
#include <string_view>

struct HallGrid;
struct HallObject;
struct SceneObject;

// -95 at the left edge of the hall plane, +95 at the right; truncated toward zero.
int soundPan(float x);

// Plays a sound once at volume 0 .. 100, panned from hall-plane x.
void playPanned(SoundHandle sound, int volume, float x, float pitch = 1.0f);

// Spawns an effect of the effect manager at a hall-plane position (colour 0xAARRGGBB).
void spawnAt(std::string_view effect, float x, float y, std::uint32_t colour = 0xFFFFFFFF);

// "explosionitem" at the piece in its kind's colour, then the piece leaves play. The sound that
// goes with it is the caller's.
void destroyPiece(HallGrid& hall, SceneObject* object, HallObject* piece);
