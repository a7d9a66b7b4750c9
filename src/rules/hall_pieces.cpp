#include "rules/hall_pieces.h"

#include "presentation/scene_layer.h"
#include "rules/random_below.h"
#include "shell/game_state.h"

#include <numbers>
#include <string>

namespace {

constexpr float quarterTurn = std::numbers::pi_v<float> / 2;

// Depths: the draw order of the hall's families.
constexpr float depthFloor = 2, depthArrow = 10, depthWall = 40, depthCornerWall = 41,
                depthWindow = 42, depthItem = 50, depthAmoeba = 52, depthEnd = 55,
                depthMutation = 60, depthTeleport = 61, depthGate = 62, depthLight = 200;

// Floor colours by style (0 .. 5) and variant (0 .. 2).
constexpr std::uint32_t floorColours[6][3] = {
    {0xFFFFFFFF, 0xFFFFCDFF, 0xFFBFFFFF}, {0xFFFFFFFF, 0xFF8BEEFE, 0xFFFFC698},
    {0xFFFFFFFF, 0xFF8BEEFE, 0xFFFFC698}, {0xFFFFFFFF, 0xFFFFD3FF, 0xFFFFFF8F},
    {0xFFFFFFFF, 0xFFFFD3FF, 0xFFFFFF8F}, {0xFFFFFFFF, 0xFFFFD3FF, 0xFFFFFF8F}};

// Makes the HallObject and, when the picture exists, its linked scene object at the given depth.
// Returns the scene object (null without a picture); *piece receives the HallObject.
SceneObject* placePiece(HallGrid& hall, HallObject** piece, std::string_view objectName,
                        std::string_view hallName, std::string_view definitionName,
                        SoundHandle sound, float x, float y, float depth) {
    *piece = hall.objects.add(hallName, sound);
    SceneLayer& layer = *game.hallLayer;
    SpriteDefinition* definition = findDefinition(layer, definitionName);
    if (definition == nullptr) {
        return nullptr;
    }
    SceneObject* object = addObject(layer, objectName, definition, x, y, 0);
    object->owner = *piece;
    setDepth(layer, object, depth);
    return object;
}

// The common case: object, HallObject and picture share one name.
SceneObject* placeNamed(HallGrid& hall, HallObject** piece, std::string_view name,
                        SoundHandle sound, float x, float y, float depth) {
    return placePiece(hall, piece, name, name, name, sound, x, y, depth);
}

SoundHandle itemSound(PieceKind kind) {
    switch (kind) {
    case PieceKind::Ball:
        return game.sounds.soundBall;
    case PieceKind::Box:
        return game.sounds.soundBox;
    case PieceKind::Spike:
        return game.sounds.soundSpike;
    case PieceKind::None:
        break;
    }
    return 0;
}

struct FloorPicture {
    std::string_view definition;
    float rotation;
};

// The first of the rare pictures whose one-in-n draw hits, else the plain one. The draws are
// made in order and only as far as needed.
std::string_view rareFloor(std::string_view plain, const std::string_view* rare, const int* oneIn,
                           int count) {
    for (int i = 0; i < count; ++i) {
        if (randomBelow(oneIn[i]) == 0) {
            return rare[i];
        }
    }
    return plain;
}

FloorPicture floorPicture(int style, int cx, int cy) {
    const float pi = std::numbers::pi_v<float>;
    if (style <= 0) {
        static const std::string_view rare[] = {"hallfloor2", "hallfloor3", "hallfloor4"};
        static const int oneIn[] = {30, 30, 30};
        const std::string_view name = rareFloor("hallfloor", rare, oneIn, 3);
        return {name, static_cast<float>(randomBelow(4)) * quarterTurn};
    }
    if (style <= 2) {
        static const std::string_view rare[] = {"hallfloora1", "hallfloora2", "hallfloora3",
                                                "hallfloora4"};
        static const int oneIn[] = {50, 50, 50, 80};
        const std::string_view name = rareFloor("hallfloora", rare, oneIn, 4);
        float rotation = static_cast<float>(randomBelow(2)) * pi;
        if (style == 2) {
            rotation += static_cast<float>((cx + cy) % 2) * quarterTurn;
        }
        return {name, rotation};
    }
    static const std::string_view rare[] = {"hallfloorb1", "hallfloorb2", "hallfloorb3"};
    static const int oneIn[] = {50, 50, 50};
    const std::string_view name = rareFloor("hallfloorb", rare, oneIn, 3);
    const int column = cx % 2, row = cy % 2;
    if (style == 3) {
        return {name, static_cast<float>(column) * quarterTurn};
    }
    // Quarter turns by (column, row) parity: (0,0), (1,0), (0,1), (1,1).
    static const int style4[4] = {1, 0, 2, 3};
    static const int style5[4] = {1, 2, 0, 3};
    const int* turns = style == 4 ? style4 : style5;
    return {name, static_cast<float>(turns[column + 2 * row]) * quarterTurn};
}

} // namespace

std::uint32_t itemColour(std::string_view name) {
    switch (itemKind(name)) {
    case PieceKind::Ball:
        return 0xFFF14250;
    case PieceKind::Box:
        return 0xFF2B9391;
    case PieceKind::Spike:
        return 0xFFE9D376;
    case PieceKind::None:
        break;
    }
    return 0xFFFFFFFF;
}

HallObject* hallObjectOf(const SceneObject* object) {
    return object != nullptr ? static_cast<HallObject*>(object->owner) : nullptr;
}

std::string_view wallDefinitionName(int solidMask, int voidMask) {
    if (solidMask == 3) {
        return "hallwall";
    }
    if (solidMask == 12) {
        return "hallwallx1";
    }
    if (solidMask == 0) {
        return "hallwallx4";
    }
    if (isCornerWall(solidMask, voidMask)) {
        return "hallwallx3";
    }
    return "hallwallx2";
}

bool isCornerWall(int solidMask, int voidMask) {
    const bool voidCorner = voidMask == 5 || voidMask == 6 || voidMask == 9 || voidMask == 10;
    return solidMask != 3 && solidMask != 12 && solidMask != 0 && voidCorner;
}

HallObject* createWallPiece(HallGrid& hall, float x, float y, int solidMask, int voidMask,
                            std::uint32_t tint) {
    const bool corner = isCornerWall(solidMask, voidMask);
    HallObject* piece = nullptr;
    SceneObject* object =
        placePiece(hall, &piece, "hallwallx", "hallwall", wallDefinitionName(solidMask, voidMask),
                   0, x, y, corner ? depthCornerWall : depthWall);
    if (object == nullptr) {
        return piece;
    }
    object->useColour = true;
    object->colour = tint;
    if (corner) {
        // Corners keep the turn that makes their picture meet the void on the right two sides;
        // every other wall piece is turned at random, which its picture allows.
        const int turns = voidMask == 5 ? 0 : voidMask == 6 ? 1 : voidMask == 10 ? 2 : 3;
        object->rotation = static_cast<float>(turns) * quarterTurn;
    } else {
        object->rotation = static_cast<float>(randomBelow(4)) * quarterTurn;
    }
    return piece;
}

HallObject* createWindow(HallGrid& hall, float x, float y, int code, std::uint32_t tint) {
    HallObject* piece = nullptr;
    SceneObject* object = placeNamed(hall, &piece, "hallwallwindow", 0, x, y, depthWindow);
    if (object == nullptr) {
        return piece;
    }
    // 63 left, 64 top, 61 right, 62 bottom outer wall; 60 is the wall on either side.
    const int turns = code == 64 ? 1 : code == 61 ? 2 : code == 62 ? 3 : 0;
    object->rotation = static_cast<float>(turns) * quarterTurn;
    object->visible = code != 60;
    object->useColour = true;
    object->colour = tint;
    return piece;
}

HallObject* createFloor(HallGrid& hall, float x, float y, int style, int variant) {
    const int cx = static_cast<int>(x / 44), cy = static_cast<int>(y / 44);
    const FloorPicture picture = floorPicture(style, cx, cy);
    HallObject* piece = nullptr;
    SceneObject* object =
        placePiece(hall, &piece, "hallfloor", "hallfloor", picture.definition, 0, x, y, depthFloor);
    if (object == nullptr) {
        return piece;
    }
    object->rotation = picture.rotation;
    object->useColour = true;
    const int s = style < 0 ? 0 : style > 5 ? 5 : style;
    const int v = variant < 0 ? 0 : variant > 2 ? 2 : variant;
    object->colour = floorColours[s][v];
    return piece;
}

HallObject* createItem(HallGrid& hall, float x, float y, PieceKind kind) {
    HallObject* piece = nullptr;
    const std::string name = "hallitem" + std::string(kindWord(kind));
    placeNamed(hall, &piece, name, itemSound(kind), x, y, depthItem);
    return piece;
}

HallObject* createEnd(HallGrid& hall, float x, float y, PieceKind kind) {
    HallObject* piece = nullptr;
    const std::string name = "hallend" + std::string(kindWord(kind));
    placeNamed(hall, &piece, name, 0, x, y, depthEnd);
    return piece;
}

HallObject* createAmoeba(HallGrid& hall, float x, float y, std::string_view name) {
    HallObject* piece = nullptr;
    SceneObject* object =
        placeNamed(hall, &piece, name, game.sounds.soundAmoeba, x, y, depthAmoeba);
    piece->frame = randomBelow(8);
    if (object != nullptr) {
        selectFrame(object, 0, piece->frame);
    }
    return piece;
}

HallObject* createBigAmoeba(HallGrid& hall, float x, float y) {
    HallObject* piece = nullptr;
    SceneObject* object = placeNamed(hall, &piece, "hallbigamoeba", 0, x, y, depthAmoeba);
    piece->frame = randomBelow(8);
    if (object != nullptr) {
        object->scale = 0.01f;
        selectFrame(object, 0, piece->frame);
    }
    return piece;
}

HallObject* createMutationCell(HallGrid& hall, float x, float y, std::string_view name) {
    HallObject* piece = nullptr;
    placeNamed(hall, &piece, name, 0, x, y, depthMutation);
    return piece;
}

HallObject* createArrow(HallGrid& hall, float x, float y, std::string_view name) {
    HallObject* piece = nullptr;
    SceneObject* object = placePiece(hall, &piece, name, name, "hallarrow", 0, x, y, depthArrow);
    if (object != nullptr) {
        const float turns = name == "hallarrowdown"   ? 1
                            : name == "hallarrowleft" ? 2
                            : name == "hallarrowup"   ? -1
                                                      : 0;
        object->rotation = turns * quarterTurn;
    }
    return piece;
}

HallObject* createTeleport(HallGrid& hall, float x, float y, std::string_view name) {
    HallObject* piece = nullptr;
    placeNamed(hall, &piece, name, 0, x, y, depthTeleport);
    return piece;
}

HallObject* createGate(HallGrid& hall, float x, float y, std::string_view name) {
    HallObject* piece = nullptr;
    placeNamed(hall, &piece, name, 0, x, y, depthGate);
    return piece;
}

HallObject* createFireLight(HallGrid& hall, float x, float y) {
    HallObject* piece = nullptr;
    SceneObject* object = placeNamed(hall, &piece, "halllightlightfire", 0, x, y, depthLight);
    if (object != nullptr) {
        object->lightRadius = 379; // placed dark: below the lit threshold of 380
        object->lightColour = 0xFF101010;
        object->rotation = static_cast<float>(randomBelow(360)) * std::numbers::pi_v<float> / 180;
    }
    return piece;
}

HallObject* createDayLight(HallGrid& hall, float x, float y) {
    HallObject* piece = nullptr;
    SceneObject* object = placeNamed(hall, &piece, "halllightlightday", 0, x, y, depthLight);
    if (object != nullptr) {
        object->lightRadius = 200;
        object->lightColour = 0xFFF0F0F0;
    }
    return piece;
}

void removePiece(HallGrid& hall, SceneObject* object, HallObject* piece) {
    if (piece != nullptr) {
        hall.objects.remove(piece);
    }
    if (object != nullptr) {
        removeObject(*game.hallLayer, object);
    }
}
