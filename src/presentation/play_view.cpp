#include "presentation/play_view.h"

void resetPlayView(PlayView& view) {
    view.byId.clear();
    view.seen.clear();
}

namespace {

SceneObject* placeObject(SceneLayer& layer, const PlayObject& object) {
    SpriteDefinition* definition = findDefinition(layer, shapeOf(object.picture).definition);
    if (definition == nullptr) {
        return nullptr;
    }
    SceneObject* shown =
        addObject(layer, nameText(object.name), definition, object.x, object.y, object.id);
    setDepth(layer, shown, object.depth);
    return shown;
}

void copyFields(SceneObject& shown, const PlayObject& object) {
    shown.x = object.x;
    shown.y = object.y;
    shown.previousX = object.previousX;
    shown.previousY = object.previousY;
    shown.rotation = object.rotation;
    shown.scale = object.scale;
    shown.visible = object.visible;
    shown.searchable = object.searchable;
    shown.useColour = object.useColour;
    shown.colour = object.colour;
    shown.lightRadius = object.lightRadius;
    shown.lightColour = object.lightColour;
    selectFrame(&shown, 0, object.frame);
}

} // namespace

void showPlayState(SceneLayer& layer, const PlayState& state, PlayView& view) {
    const auto ids = static_cast<std::size_t>(state.lastId) + 1;
    if (view.byId.size() < ids) {
        view.byId.resize(ids, nullptr);
    }
    view.seen.assign(view.byId.size(), 0);
    for (const PlayObject& object : state.objects) {
        if (!object.alive) {
            continue;
        }
        const auto id = static_cast<std::size_t>(object.id);
        SceneObject*& shown = view.byId[id];
        if (shown == nullptr) {
            shown = placeObject(layer, object);
        }
        if (shown != nullptr) {
            copyFields(*shown, object);
            view.seen[id] = 1;
        }
    }
    for (std::size_t id = 0; id < view.byId.size(); ++id) {
        if (view.byId[id] != nullptr && view.seen[id] == 0) {
            removeObject(layer, view.byId[id]);
            view.byId[id] = nullptr;
        }
    }
}

void lightHall(SceneLayer& layer, float pointerRadius, float pointerX, float pointerY) {
    applyLights(layer, "hall", "halllight", pointerRadius, pointerX, pointerY, 0xFFFFFFFF);
}

SoundHandle soundHandle(const SoundCatalogue& s, SoundId sound) {
    switch (sound) {
    case SoundId::None:
        return 0;
    case SoundId::Move:
        return s.soundMove;
    case SoundId::Mark:
        return s.soundMark;
    case SoundId::Ball:
        return s.soundBall;
    case SoundId::Box:
        return s.soundBox;
    case SoundId::Spike:
        return s.soundSpike;
    case SoundId::Amoeba:
        return s.soundAmoeba;
    case SoundId::Destroy:
        return s.soundDestroy;
    case SoundId::Mutation:
        return s.soundMutation;
    case SoundId::Arrow:
        return s.soundArrow;
    case SoundId::Teleport:
        return s.soundTeleport;
    case SoundId::Gate:
        return s.soundGate;
    case SoundId::Wall:
        return s.soundWall;
    case SoundId::Morph:
        return s.soundMorph;
    case SoundId::Eat:
        return s.soundEat;
    case SoundId::BigAmoeba:
        return s.soundBigAmoeba;
    case SoundId::LightOn:
        return s.soundLightOn;
    case SoundId::LightOff:
        return s.soundLightOff;
    case SoundId::LightHot:
        return s.soundLightHot;
    }
    return 0;
}

void presentPlayEvents(const PlayEvents& events, Engine* engine, const SoundCatalogue& sounds,
                       EffectManager& effects, SceneLayer& hallLayer) {
    for (const PlayEvent& e : events) {
        if (e.kind == EventKind::Sound && engine != nullptr) {
            engine->playSound(soundHandle(sounds, e.sound), e.volume, e.pan, e.pitch, false);
        } else if (e.kind == EventKind::Effect) {
            spawnEffect(effects, hallLayer, e.effect, e.x, e.y, e.colour);
        }
    }
}
