#pragma once
// The hall layer as a view of the play state: before the hall is drawn, its objects take their
// places, turns, frames, colours and lights from the state, objects new to the state are placed
// and objects gone from it removed. The lighting of the hall is worked out here too, since no
// rule reads it. And what play reports is played and shown: sounds through the engine, effects
// through the effect manager.

#include "presentation/effect_manager.h"
#include "presentation/scene_layer.h"
#include "presentation/sound_catalogue.h"
#include "rules/play_frame.h"

#include <vector>

// Which scene object shows which state object, by object id.
struct PlayView {
    std::vector<SceneObject*> byId;
    std::vector<char> seen; // scratch of showPlayState
};

// Forgets the scene objects; call after the layer's objects were cleared.
void resetPlayView(PlayView& view);

// Brings the layer in line with the state. Objects whose picture the layer does not define are
// not shown.
void showPlayState(SceneLayer& layer, const PlayState& state, PlayView& view);

// Lights every hall object from the hall's lights, plus a white light of pointerRadius around
// the pointer (0: none).
void lightHall(SceneLayer& layer, float pointerRadius, float pointerX, float pointerY);

SoundHandle soundHandle(const SoundCatalogue& sounds, SoundId sound);

// Plays the sounds and spawns the effects of the events, in their order. engine may be null
// (then nothing is played).
void presentPlayEvents(const PlayEvents& events, Engine* engine, const SoundCatalogue& sounds,
                       EffectManager& effects, SceneLayer& hallLayer);
