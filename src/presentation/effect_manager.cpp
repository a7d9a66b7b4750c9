#include "presentation/effect_manager.h"

#include <algorithm>

namespace {

const char* const presetFiles[presetCount] = {
    "graphics\\crash.psi",     "graphics\\mutace.psi",     "graphics\\teleport.psi",
    "graphics\\teleport2.psi", "graphics\\amoebamorf.psi", "graphics\\amoebaeat.psi",
    "graphics\\lightfire.psi",
};

struct EffectKind {
    const char* name;
    const char* definition; // sprite definition in the hall layer
    EffectPreset preset;
    bool tinted; // the spawn colour becomes the preset's start colour
};

const EffectKind effectKinds[] = {
    {"explosionitem", "explosion15", presetCrash, true},
    {"explosionmutace", "explosion11", presetMutation, false},
    {"explosionamoebamorf", "explosion11", presetAmoebaMorph, false},
    {"explosionamoebaeat", "explosion11", presetAmoebaEat, true},
    {"explosionlightfire", "explosion1add", presetLightFire, false},
    {"explosionteleport", "explosion10add", presetTeleport, false},
    {"explosionteleport2", "explosion13", presetTeleport2, false},
};

const EffectKind* findKind(std::string_view name) {
    for (const EffectKind& kind : effectKinds) {
        if (name == kind.name) {
            return &kind;
        }
    }
    return nullptr;
}

float channel(std::uint32_t colour, int shift) {
    return static_cast<float>((colour >> shift) & 0xFF) / 255.0f;
}

} // namespace

bool loadEffectPresets(EffectManager& effects) {
    Engine* engine = createEngine(engineVersion);
    if (engine == nullptr) {
        return false;
    }
    bool ok = true;
    for (int slot = 0; slot < presetCount && ok; ++slot) {
        std::uint32_t size = 0;
        std::uint8_t* bytes = engine->loadFile(presetFiles[slot], &size);
        ok = bytes != nullptr && readParticlePreset(bytes, size, &effects.presets[slot]);
        if (bytes != nullptr) {
            engine->freeFile(bytes);
        }
    }
    engine->release();
    return ok;
}

void spawnEffect(EffectManager& effects, SceneLayer& hallLayer, std::string_view name, float x,
                 float y, std::uint32_t colour) {
    const EffectKind* kind = findKind(name);
    if (kind == nullptr) {
        return;
    }
    SpriteDefinition* definition = findDefinition(hallLayer, kind->definition);
    if (definition == nullptr || definition->sprite == nullptr) {
        return;
    }
    ParticlePreset& preset = effects.presets[kind->preset];
    preset.sprite = definition->sprite.get(); // shared: the last spawn decides
    if (kind->tinted) {
        preset.colourStart = {channel(colour, 16), channel(colour, 8), channel(colour, 0),
                              channel(colour, 24)};
    }
    auto system = std::make_unique<ParticleSystem>(preset);
    system->fireAt(x, y);
    auto at = std::lower_bound(
        effects.running.begin(), effects.running.end(), name,
        [](const RunningEffect& effect, std::string_view key) { return effect.name < key; });
    effects.running.insert(at, RunningEffect{std::string(name), std::move(system)});
}

void updateEffects(EffectManager& effects, float dt) {
    auto& running = effects.running;
    for (std::size_t i = 0; i < running.size();) {
        ParticleSystem& system = *running[i].system;
        if (system.age() > -2.0f || system.aliveCount() > 0) {
            system.update(dt);
            ++i;
        } else {
            running.erase(running.begin() + static_cast<std::ptrdiff_t>(i));
        }
    }
}

void renderEffects(EffectManager& effects) {
    for (RunningEffect& effect : effects.running) {
        effect.system->render();
    }
}

void killEffect(EffectManager& effects, int index) {
    if (index >= 0 && index < effectCount(effects)) {
        effects.running.erase(effects.running.begin() + index);
    }
}

void killAllEffects(EffectManager& effects) {
    effects.running.clear();
}

int effectCount(const EffectManager& effects) {
    return static_cast<int>(effects.running.size());
}
