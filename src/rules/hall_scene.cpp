#include "rules/hall_scene.h"

#include "hall/hall_grid.h"
#include "presentation/scene_layer.h"
#include "rules/hall_pieces.h"
#include "rules/play_feedback.h"
#include "shell/game_state.h"

namespace {

constexpr std::uint32_t wallTints[5] = {0xFFFFFFFF, 0xFFD0C266, 0xFF96DBAE, 0xFFFFFF9E, 0xFFE7B774};

bool solidAt(const HallGrid& hall, int x, int y) {
    return insideHall(x, y) && isSolid(hall.grid[x][y]);
}

// Outside the grid counts as void.
bool voidAt(const HallGrid& hall, int x, int y) {
    return !insideHall(x, y) || hall.grid[x][y] == CellVoid;
}

// 1 left, 2 right, 4 above, 8 below.
int neighbourMask(const HallGrid& hall, int x, int y, bool (*test)(const HallGrid&, int, int)) {
    return (test(hall, x - 1, y) ? 1 : 0) | (test(hall, x + 1, y) ? 2 : 0) |
           (test(hall, x, y - 1) ? 4 : 0) | (test(hall, x, y + 1) ? 8 : 0);
}

PieceKind kindOfCode(CellCode code) {
    switch (code) {
    case CellBall:
    case CellAmoebaBall:
        return PieceKind::Ball;
    case CellBox:
    case CellAmoebaBox:
        return PieceKind::Box;
    case CellSpike:
    case CellAmoebaSpike:
        return PieceKind::Spike;
    default:
        return PieceKind::None;
    }
}

void placeCell(HallGrid& hall, int cx, int cy, const HallStyle& style) {
    const CellCode code = hall.grid[cx][cy];
    const float x = cellCentre(cx), y = cellCentre(cy);
    const std::uint32_t tint = wallTintColour(style.wallTint);
    if (code == CellWall) {
        const int solid = neighbourMask(hall, cx, cy, solidAt);
        createWallPiece(hall, x, y, solid, neighbourMask(hall, cx, cy, voidAt), tint);
        if (solid == 0) {
            createFloor(hall, x, y, style.floorStyle, style.floorVariant); // under a pillar
        }
    } else if (code >= CellWindowSide && code <= CellWindowTop) {
        createWindow(hall, x, y, code, tint);
        createDayLight(hall, x, y);
        createFloor(hall, x, y, style.floorStyle, style.floorVariant);
    } else if (code == CellFloor) {
        createFloor(hall, x, y, style.floorStyle, style.floorVariant);
    } else if (isItem(code)) {
        createFloor(hall, x, y, style.floorStyle, style.floorVariant);
        createItem(hall, x, y, kindOfCode(code));
    } else if (isAmoeba(code)) {
        createFloor(hall, x, y, style.floorStyle, style.floorVariant);
        createAmoeba(hall, x, y, "hallitemamoeba" + std::string(kindWord(kindOfCode(code))));
    }
}

void placeSpecial(HallGrid& hall, int k) {
    const CellCode code = hall.specialCode[k];
    const float x = cellCentre(hall.specialX[k]), y = cellCentre(hall.specialY[k]);
    static const char* const mutations[] = {"hallmutaceball", "hallmutacebox", "hallmutacespike"};
    static const char* const arrows[] = {"hallarrowright", "hallarrowdown", "hallarrowleft",
                                         "hallarrowup"};
    static const char* const teleports[] = {"hallteleporta", "hallteleportb", "hallteleportc"};
    static const char* const gates[] = {"hallgateball", "hallgatebox", "hallgatespike"};
    if (isMutation(code)) {
        createMutationCell(hall, x, y, mutations[code - MutationBall]);
    } else if (isArrow(code)) {
        createArrow(hall, x, y, arrows[code - ArrowRight]);
    } else if (isTeleport(code)) {
        createTeleport(hall, x, y, teleports[code - TeleportA]);
        createDayLight(hall, x, y);
    } else if (isGate(code)) {
        createGate(hall, x, y, gates[code - GateBall]);
    }
}

// A fire light on the wall piece nearest to the point within 90 units, unless a light already
// stands within 90 of that wall.
void lightWallNear(HallGrid& hall, float x, float y) {
    SceneLayer& layer = *game.hallLayer;
    SceneObject* wall = findObjectNear(layer, "hallwallx", true, x, y, 90);
    if (wall != nullptr && findObjectNearObject(layer, wall, "halllight", 90, false) == nullptr) {
        createFireLight(hall, wall->x, wall->y);
    }
}

void placeWallLights(HallGrid& hall) {
    for (int j = 0; j <= 10; j += 5) {
        for (int i = 0; i <= 10; i += 5) {
            const float near = static_cast<float>(44 * i + 17);
            const float far = static_cast<float>(907 - 44 * i);
            const float top = static_cast<float>(44 * j + 17);
            const float bottom = static_cast<float>(907 - 44 * j);
            lightWallNear(hall, near, top);
            lightWallNear(hall, near, bottom);
            lightWallNear(hall, far, top);
            lightWallNear(hall, far, bottom);
        }
    }
}

// A hall whose middle stays dark gets a torch on the wall nearest to the centre.
void placeCentreLight(HallGrid& hall) {
    SceneLayer& layer = *game.hallLayer;
    const float centre = 462;
    if (findObjectNear(layer, "halllight", false, centre, centre, 200) != nullptr) {
        return;
    }
    SceneObject* wall = findObjectNear(layer, "hallwallx", true, centre, centre, 200);
    if (wall != nullptr && findObjectNearObject(layer, wall, "halllight", 100, false) == nullptr) {
        createFireLight(hall, wall->x, wall->y);
    }
}

} // namespace

std::uint32_t wallTintColour(int tint) {
    return wallTints[tint >= 0 && tint < 5 ? tint : 0];
}

void placeHallBackground() {
    SceneLayer& layer = *game.hallLayer;
    SceneObject* back = addObject(layer, "hallwallwindow", findDefinition(layer, "game back"),
                                  game.baseWidth / 2, game.baseHeight / 2, 0);
    setDepth(layer, back, 0);
    back->scale = 2;
    back->searchable = false; // it covers the whole hall and must stop nothing
}

void placeHallCells(HallGrid& hall, const HallStyle& style) {
    for (int y = 0; y < hallSize; ++y) {
        for (int x = 0; x < hallSize; ++x) {
            placeCell(hall, x, y, style);
        }
    }
}

void placeSpecialObjects(HallGrid& hall) {
    for (int k = 0; k < specialCapacity; ++k) {
        if (hall.specialCode[k] > 0) {
            placeSpecial(hall, k);
        }
    }
}

void placeHallEnds(HallGrid& hall) {
    for (int y = 0; y < hallSize; ++y) {
        for (int x = 0; x < hallSize; ++x) {
            if (isItem(hall.grid[x][y])) {
                createEnd(hall, cellCentre(x), cellCentre(y), kindOfCode(hall.grid[x][y]));
            }
        }
    }
}

void finishHallScene(HallGrid& hall) {
    placeWallLights(hall);
    placeCentreLight(hall);
    applyLights(*game.hallLayer, "hall", "halllight", 0, 0, 0, 0xFFFFFFFF);
    if (game.engine != nullptr) {
        game.engine->playSound(game.sounds.soundDoor, 30, 0, 1.0f, false);
    }
}

void HallScene::placeBackground(HallGrid&) {
    placeHallBackground();
}
void HallScene::placeCells(HallGrid& hall, const HallStyle& style) {
    placeHallCells(hall, style);
}
void HallScene::placeSpecialObjects(HallGrid& hall) {
    ::placeSpecialObjects(hall);
}
void HallScene::placeEnds(HallGrid& hall) {
    placeHallEnds(hall);
}
void HallScene::placeLightsAndSound(HallGrid& hall) {
    finishHallScene(hall);
}

void buildHallScene(HallGrid& hall, GameRandom& random, int level, PushObserver* observer) {
    HallScene scene;
    generateHall(hall, random, level, &scene, observer);
}
