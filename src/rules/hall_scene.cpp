#include "rules/hall_scene.h"

#include "hall/hall_grid.h"
#include "rules/hall_pieces.h"
#include "rules/play_queries.h"

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

void placeCell(PlayState& state, const HallGrid& hall, int cx, int cy, const HallStyle& style) {
    const CellCode code = hall.grid[cx][cy];
    const float x = cellCentre(cx), y = cellCentre(cy);
    const std::uint32_t tint = wallTintColour(style.wallTint);
    if (code == CellWall) {
        const int solid = neighbourMask(hall, cx, cy, solidAt);
        createWallPiece(state, x, y, solid, neighbourMask(hall, cx, cy, voidAt), tint);
        if (solid == 0) {
            createFloor(state, x, y, style.floorStyle, style.floorVariant); // under a pillar
        }
    } else if (code >= CellWindowSide && code <= CellWindowTop) {
        createWindow(state, x, y, code, tint);
        createDayLight(state, x, y);
        createFloor(state, x, y, style.floorStyle, style.floorVariant);
    } else if (code == CellFloor) {
        createFloor(state, x, y, style.floorStyle, style.floorVariant);
    } else if (isItem(code)) {
        createFloor(state, x, y, style.floorStyle, style.floorVariant);
        createItem(state, x, y, kindOfCode(code));
    } else if (isAmoeba(code)) {
        createFloor(state, x, y, style.floorStyle, style.floorVariant);
        createAmoeba(state, x, y, kindOfCode(code));
    }
}

void placeSpecial(PlayState& state, const HallGrid& hall, int k) {
    const CellCode code = hall.specialCode[k];
    const float x = cellCentre(hall.specialX[k]), y = cellCentre(hall.specialY[k]);
    static const PieceKind kinds[] = {PieceKind::Ball, PieceKind::Box, PieceKind::Spike};
    static const PieceName arrows[] = {PieceName::ArrowRight, PieceName::ArrowDown,
                                       PieceName::ArrowLeft, PieceName::ArrowUp};
    static const PieceName teleports[] = {PieceName::TeleportA, PieceName::TeleportB,
                                          PieceName::TeleportC};
    if (isMutation(code)) {
        createMutationCell(state, x, y, kinds[code - MutationBall]);
    } else if (isArrow(code)) {
        createArrow(state, x, y, arrows[code - ArrowRight]);
    } else if (isTeleport(code)) {
        createTeleport(state, x, y, teleports[code - TeleportA]);
        createDayLight(state, x, y);
    } else if (isGate(code)) {
        createGate(state, x, y, kinds[code - GateBall]);
    }
}

// A fire light on the wall piece nearest to the point within 90 units, unless a light already
// stands within 90 of that wall.
void lightWallNear(PlayState& state, float x, float y) {
    const int wall = findNear(state, family::wallPieces, true, x, y, 90);
    if (wall == noSlot) {
        return;
    }
    const PlayObject& w = objectAt(state, wall);
    if (findNear(state, family::lights, false, w.x, w.y, 90, wall) == noSlot) {
        createFireLight(state, w.x, w.y);
    }
}

void placeWallLights(PlayState& state) {
    for (int j = 0; j <= 10; j += 5) {
        for (int i = 0; i <= 10; i += 5) {
            const float near = static_cast<float>(44 * i + 17);
            const float far = static_cast<float>(907 - 44 * i);
            const float top = static_cast<float>(44 * j + 17);
            const float bottom = static_cast<float>(907 - 44 * j);
            lightWallNear(state, near, top);
            lightWallNear(state, near, bottom);
            lightWallNear(state, far, top);
            lightWallNear(state, far, bottom);
        }
    }
}

// A hall whose middle stays dark gets a torch on the wall nearest to the centre.
void placeCentreLight(PlayState& state) {
    const float centre = 462;
    if (findNear(state, family::lights, false, centre, centre, 200) != noSlot) {
        return;
    }
    const int wall = findNear(state, family::wallPieces, true, centre, centre, 200);
    if (wall == noSlot) {
        return;
    }
    const PlayObject& w = objectAt(state, wall);
    if (findNear(state, family::lights, false, w.x, w.y, 100, wall) == noSlot) {
        createFireLight(state, w.x, w.y);
    }
}

} // namespace

std::uint32_t wallTintColour(int tint) {
    return wallTints[tint >= 0 && tint < 5 ? tint : 0];
}

void placeHallCells(PlayState& state, const HallGrid& hall, const HallStyle& style) {
    for (int y = 0; y < hallSize; ++y) {
        for (int x = 0; x < hallSize; ++x) {
            placeCell(state, hall, x, y, style);
        }
    }
}

void placeSpecialObjects(PlayState& state, const HallGrid& hall) {
    for (int k = 0; k < specialCapacity; ++k) {
        if (hall.specialCode[k] > 0) {
            placeSpecial(state, hall, k);
        }
    }
}

void placeHallEnds(PlayState& state, const HallGrid& hall) {
    for (int y = 0; y < hallSize; ++y) {
        for (int x = 0; x < hallSize; ++x) {
            if (isItem(hall.grid[x][y])) {
                createEnd(state, cellCentre(x), cellCentre(y), kindOfCode(hall.grid[x][y]));
            }
        }
    }
}

void placeHallLights(PlayState& state) {
    placeWallLights(state);
    placeCentreLight(state);
}

void HallScene::placeBackground(HallGrid&) {
    createBackground(state_);
}
void HallScene::placeCells(HallGrid& hall, const HallStyle& style) {
    placeHallCells(state_, hall, style);
}
void HallScene::placeSpecialObjects(HallGrid& hall) {
    ::placeSpecialObjects(state_, hall);
}
void HallScene::placeEnds(HallGrid& hall) {
    placeHallEnds(state_, hall);
}
void HallScene::placeLightsAndSound(HallGrid&) {
    placeHallLights(state_);
}

void startPlay(PlayState& state, HallGrid& hall, int level, std::string_view name,
               PushObserver* observer) {
    clearPlay(state);
    GameRandom random;
    random.seedFromText(levelSeedText(level, name));
    HallScene scene(state);
    generateHall(hall, random, level, &scene, observer);
}
