#pragma once
// The game's short visual effects (item explosions, mutations, amoeba morphing and eating, torch
// fire, teleports): particle systems spawned by name at a position, updated every frame and
// destroyed once they have stopped emitting and their last particle has died.

#include "draw/particle_system.h"
#include "presentation/scene_layer.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// Preset slots, in load order.
enum EffectPreset {
    presetCrash,
    presetMutation,
    presetTeleport,
    presetTeleport2,
    presetAmoebaMorph,
    presetAmoebaEat,
    presetLightFire,
    presetCount
};

struct RunningEffect {
    std::string name;
    std::unique_ptr<ParticleSystem> system;
};

struct EffectManager {
    ParticlePreset presets[presetCount];
    // Sorted by name (byte-wise); a new effect goes before effects of the same name.
    std::vector<RunningEffect> running;
};

// Reads the seven presets with the engine's loadFile; false at the first file that is missing
// or shorter than one preset record.
bool loadEffectPresets(EffectManager& effects);
// colour is 0xAARRGGBB; it tints "explosionitem" and "explosionamoebaeat" and stays in their
// preset for later spawns. Unknown names and missing sprite definitions spawn nothing.
void spawnEffect(EffectManager& effects, SceneLayer& hallLayer, std::string_view name, float x,
                 float y, std::uint32_t colour);
void updateEffects(EffectManager& effects, float dt); // dt in seconds
void renderEffects(EffectManager& effects);
void killEffect(EffectManager& effects, int index); // an index out of range kills nothing
void killAllEffects(EffectManager& effects);
int effectCount(const EffectManager& effects);
