#include "hall/hall_generator.h"

#include "hall/room_builder.h"
#include "hall/special_placement.h"
#include "hall/window_placer.h"

#include <algorithm>

namespace {

constexpr int firstLevel = 1;
constexpr int lastLevel = 99;

void placeItemsAndAmoebas(HallGrid& hall, GameRandom& random, int level) {
    const int items = random.draw(level / 2 + 1) + level / 3 + 5;
    placePieces(hall, random, std::clamp(items, 1, 50), CellBall);
    if (random.chance(level, 15, 100)) {
        const int amoebas = random.draw(level / 20 + 1) * 6 + level / 20;
        placePieces(hall, random, std::clamp(amoebas, 1, 50), CellAmoebaBall);
    }
}

void placeSpecialObjects(HallGrid& hall, GameRandom& random, int level) {
    if (random.chance(level, 25, 50)) {
        for (CellCode code : {TeleportA, TeleportB, TeleportC}) {
            if (random.draw(3) == 1) {
                placeTeleportPair(hall, random, code);
            }
        }
    }
    if (random.chance(level, 10, 100)) {
        const int arrows = random.draw(9) + level / 20;
        for (int i = 0; i < arrows; ++i) {
            placeArrow(hall, random);
        }
    }
    if (random.chance(level, 5, 100)) {
        // The first try asks for 1, the other four for 0: the same odds, other outcomes.
        for (int i = 0; i < 5; ++i) {
            const CellCode code = MutationBall + random.draw(2);
            if (random.draw(4) == (i == 0 ? 1 : 0)) {
                placeSpecialObject(hall, random, code);
            }
        }
    }
    if (random.chance(level, 35, 50)) {
        for (CellCode code : {GateBall, GateBox, GateSpike}) {
            placeGates(hall, random, code);
        }
    }
}

} // namespace

HallGeneration generateHall(HallGrid& hall, GameRandom& random, int level, HallSceneBuilder* scene,
                            PushObserver* observer) {
    level = std::clamp(level, firstLevel, lastLevel);
    HallGeneration result;

    clearHall(hall);
    result.layout = random.draw(2);
    buildRooms(hall, random, level, result.layout);
    placeWindows(hall, random, result.layout);
    placeItemsAndAmoebas(hall, random, level);
    placeSpecialObjects(hall, random, level);

    if (scene != nullptr) {
        scene->placeBackground(hall);
    }
    result.style.floorStyle = random.draw(5);
    result.style.wallTint = random.draw(4);
    result.style.floorVariant = random.draw(2);
    if (scene != nullptr) {
        scene->placeCells(hall, result.style);
        scene->placeSpecialObjects(hall);
    }

    result.passes = random.draw(level) + 100;
    scramble(hall, random, result.passes, observer);

    if (scene != nullptr) {
        scene->placeEnds(hall);
        scene->placeLightsAndSound(hall);
    }
    return result;
}
