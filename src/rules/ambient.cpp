#include "rules/ambient.h"

#include "presentation/scene_layer.h"
#include "rules/hall_pieces.h"
#include "rules/play_feedback.h"
#include "rules/random_below.h"
#include "shell/game_state.h"

#include <algorithm>

namespace {

constexpr float everywhere = 100000000.0f; // a query radius that reaches every object

// Torch states live in the light radius: at or above 380 lit (flickering up to 426), 379 dark
// with a faint glow, -1 destroyed.
constexpr float litRadius = 380, darkRadius = 379;
constexpr std::uint32_t litColour = 0xFFF0F0A0, darkColour = 0xFF101010;

// In clock ticks (1/50 s): the torches start after one second and are all lit after four.
constexpr float sequenceStart = 50, sequenceAllLit = 200, sequenceEnd = 250;

constexpr std::uint32_t mutationTint = 0xFFFFA040;

bool isLit(const SceneObject* torch) {
    return torch->lightRadius >= litRadius;
}

void lightTorch(SceneObject* torch) {
    torch->lightRadius = litRadius;
    torch->lightColour = litColour;
}

void darkenTorch(SceneObject* torch) {
    torch->lightRadius = darkRadius;
    torch->lightColour = darkColour;
}

// A torch lighting up by itself, each with a pitch of its own (0.60 .. 1.39).
void igniteTorch(SceneObject* torch) {
    lightTorch(torch);
    const float pitch = 0.6f + static_cast<float>(randomBelow(80)) * 0.01f;
    playPanned(game.sounds.soundLightOn, 80, torch->x, pitch);
}

void runTorches() {
    SceneLayer& layer = *game.hallLayer;
    const int torches = collectObjectsNear(layer, "halllightlightfire", false, 0, 0, everywhere);
    if (torches <= 0) {
        return;
    }
    SceneObject* chosen = radiusResultAt(layer, randomBelow(torches));
    if (chosen != nullptr) {
        if (game.clock > sequenceStart && game.clock < sequenceAllLit) {
            if (!isLit(chosen) && randomBelow(3) == 0) {
                igniteTorch(chosen);
            }
        }
        if (game.clock >= sequenceAllLit && game.clock < sequenceEnd) {
            for (int i = 0; i < torches; ++i) {
                SceneObject* torch = radiusResultAt(layer, i);
                if (torch != nullptr && !isLit(torch)) {
                    igniteTorch(torch);
                }
            }
            chosen = radiusResultAt(layer, torches - 1);
        }
        if (chosen != nullptr && isLit(chosen)) {
            chosen->lightRadius = litRadius + static_cast<float>(randomBelow(47));
        }
    }
    if (everyTicks(15)) {
        for (int i = 0; i < torches; ++i) {
            SceneObject* torch = radiusResultAt(layer, i);
            if (torch != nullptr && isLit(torch)) {
                spawnAt("explosionlightfire", torch->x, torch->y);
            }
        }
    }
}

void sparkleTeleports() {
    SceneLayer& layer = *game.hallLayer;
    const int count = collectObjectsNear(layer, "hallteleport", false, 0, 0, everywhere);
    for (int i = 0; i < count; ++i) {
        SceneObject* teleport = radiusResultAt(layer, i);
        if (teleport == nullptr) {
            continue;
        }
        const float dy = static_cast<float>(randomBelow(8) - 4); // drawn first
        const float dx = static_cast<float>(randomBelow(8) - 4);
        spawnAt("explosionteleport2", teleport->x + dx, teleport->y + dy);
    }
}

void blinkMutationCells() {
    SceneLayer& layer = *game.hallLayer;
    const int count = collectObjectsNear(layer, "hallmutace", false, 0, 0, everywhere);
    for (int i = 0; i < count; ++i) {
        SceneObject* cell = radiusResultAt(layer, i);
        if (cell == nullptr) {
            continue;
        }
        cell->useColour = true;
        cell->colour = cell->colour == mutationTint ? 0xFFFFFFFF : mutationTint;
    }
}

// A grown big amoeba now and then tugs a piece one cell towards itself and marks it silent.
void tugPieces(SceneObject* amoeba) {
    SceneLayer& layer = *game.hallLayer;
    const int count = collectObjectsNearObject(layer, amoeba, "hallitem", everywhere, false);
    for (int i = 0; i < count; ++i) {
        SceneObject* object = radiusResultAt(layer, i);
        HallObject* piece = hallObjectOf(object);
        if (piece == nullptr || randomBelow(50) != 0) {
            continue;
        }
        if (piece->stepsLeft < 1) {
            if (randomBelow(2) == 0) {
                piece->moveX = object->x >= amoeba->x ? -4 : 4;
            } else {
                piece->moveY = object->y >= amoeba->y ? -4 : 4;
            }
            piece->stepsLeft = 11;
        }
        piece->mark = 1;
    }
}

// A grown big amoeba puts lit torches out, and rarely destroys one.
void quenchTorches(HallGrid& hall, SceneObject* amoeba) {
    SceneLayer& layer = *game.hallLayer;
    const int count =
        collectObjectsNearObject(layer, amoeba, "halllightlightfire", everywhere, false);
    for (int i = 0; i < count; ++i) {
        SceneObject* torch = radiusResultAt(layer, i);
        HallObject* piece = hallObjectOf(torch);
        if (piece == nullptr) {
            continue;
        }
        if (randomBelow(50) == 0) {
            if (isLit(torch)) {
                darkenTorch(torch);
                playPanned(game.sounds.soundLightHot, 40, torch->x);
            }
        } else if (randomBelow(300) == 0 && isLit(torch)) {
            torch->lightRadius = -1;
            playPanned(game.sounds.soundLightOff, 60, torch->x);
            removePiece(hall, torch, piece);
        }
    }
}

void runBigAmoebas(HallGrid& hall) {
    SceneLayer& layer = *game.hallLayer;
    const int count = collectObjectsByName(layer, "hallbigamoeba", false);
    for (int i = 0; i < count; ++i) {
        SceneObject* amoeba = nameResultAt(layer, i);
        HallObject* piece = hallObjectOf(amoeba);
        if (piece == nullptr) {
            continue;
        }
        if (everyTicks(4)) {
            piece->frame = (piece->frame + 1) % 8;
            selectFrame(amoeba, 0, piece->frame);
            amoeba->scale = std::min(1.0f, amoeba->scale + 0.04f);
        }
        amoeba->rotation = 0;
        if (amoeba->scale > 0.5f) {
            tugPieces(amoeba);
            quenchTorches(hall, amoeba);
        }
    }
}

} // namespace

bool everyTicks(int n) {
    return static_cast<int>(game.clock) % n == 0;
}

void switchLightUnderPointer() {
    SceneObject* torch =
        findOverlappingObject(*game.hallLayer, game.cursorObject, "halllightlightfire");
    if (torch == nullptr || game.engine == nullptr || !game.engine->keyHeld(keyLeftButton) ||
        !(game.inputBlockedUntil < game.clock)) {
        return;
    }
    if (isLit(torch)) {
        darkenTorch(torch);
        playPanned(game.sounds.soundLightOff, 60, torch->x);
    } else {
        lightTorch(torch);
        playPanned(game.sounds.soundLightOn, 90, torch->x);
    }
    game.inputBlockedUntil = game.clock + game.debounceInterval;
}

void runAmbientSteps(HallGrid& hall, float x, float y) {
    SceneLayer& layer = *game.hallLayer;
    const bool pointerLight =
        game.clock > sequenceStart && game.engine != nullptr && game.engine->mouseInWindow();
    applyLights(layer, "hall", "halllight", pointerLight ? litRadius : 0, x, y, 0xFFFFFFFF);
    runTorches();
    if (everyTicks(10)) {
        sparkleTeleports();
    }
    if (everyTicks(8)) {
        blinkMutationCells();
    }
    runBigAmoebas(hall);
}
