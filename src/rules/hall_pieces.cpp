#include "rules/hall_pieces.h"

#include <numbers>

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

// The four names of a family that comes in kinds, in the order ball, box, spike.
PieceName ofKind(PieceName ball, PieceKind kind) {
    const int offset = kind == PieceKind::Box ? 1 : kind == PieceKind::Spike ? 2 : 0;
    return static_cast<PieceName>(static_cast<int>(ball) + offset);
}

// The pictures of a family that comes in kinds, in the order ball, box, spike.
Picture pictureOfKind(const Picture (&pictures)[3], PieceKind kind) {
    return pictures[kind == PieceKind::Box ? 1 : kind == PieceKind::Spike ? 2 : 0];
}

constexpr Picture itemPictures[3] = {Picture::ItemBall, Picture::ItemBox, Picture::ItemSpike};
constexpr Picture endPictures[3] = {Picture::EndBall, Picture::EndBox, Picture::EndSpike};
constexpr Picture amoebaPictures[3] = {Picture::AmoebaBall, Picture::AmoebaBox,
                                       Picture::AmoebaSpike};
constexpr Picture mutationPictures[3] = {Picture::MutationBall, Picture::MutationBox,
                                         Picture::MutationSpike};
constexpr Picture gatePictures[3] = {Picture::GateBall, Picture::GateBox, Picture::GateSpike};

SoundId itemSound(PieceKind kind) {
    switch (kind) {
    case PieceKind::Ball:
        return SoundId::Ball;
    case PieceKind::Box:
        return SoundId::Box;
    case PieceKind::Spike:
        return SoundId::Spike;
    case PieceKind::None:
        break;
    }
    return SoundId::None;
}

// The first of the rare pictures whose one-in-n draw hits, else the plain one. The draws are
// made in order and only as far as needed.
Picture rareFloor(PlayRandom& random, Picture plain, const Picture* rare, const int* oneIn,
                  int count) {
    for (int i = 0; i < count; ++i) {
        if (random.below(oneIn[i]) == 0) {
            return rare[i];
        }
    }
    return plain;
}

struct FloorPicture {
    Picture picture;
    float rotation;
};

FloorPicture floorPicture(PlayRandom& random, int style, int cx, int cy) {
    const float pi = std::numbers::pi_v<float>;
    if (style <= 0) {
        static const Picture rare[] = {Picture::Floor2, Picture::Floor3, Picture::Floor4};
        static const int oneIn[] = {30, 30, 30};
        const Picture picture = rareFloor(random, Picture::Floor, rare, oneIn, 3);
        return {picture, static_cast<float>(random.below(4)) * quarterTurn};
    }
    if (style <= 2) {
        static const Picture rare[] = {Picture::FloorA1, Picture::FloorA2, Picture::FloorA3,
                                       Picture::FloorA4};
        static const int oneIn[] = {50, 50, 50, 80};
        const Picture picture = rareFloor(random, Picture::FloorA, rare, oneIn, 4);
        float rotation = static_cast<float>(random.below(2)) * pi;
        if (style == 2) {
            rotation += static_cast<float>((cx + cy) % 2) * quarterTurn;
        }
        return {picture, rotation};
    }
    static const Picture rare[] = {Picture::FloorB1, Picture::FloorB2, Picture::FloorB3};
    static const int oneIn[] = {50, 50, 50};
    const Picture picture = rareFloor(random, Picture::FloorB, rare, oneIn, 3);
    const int column = cx % 2, row = cy % 2;
    if (style == 3) {
        return {picture, static_cast<float>(column) * quarterTurn};
    }
    // Quarter turns by (column, row) parity: (0,0), (1,0), (0,1), (1,1).
    static const int style4[4] = {1, 0, 2, 3};
    static const int style5[4] = {1, 2, 0, 3};
    const int* turns = style == 4 ? style4 : style5;
    return {picture, static_cast<float>(turns[column + 2 * row]) * quarterTurn};
}

Picture wallPicture(int solidMask, int voidMask) {
    return pictureNamed(wallDefinitionName(solidMask, voidMask));
}

} // namespace

PieceName itemName(PieceKind kind) {
    return ofKind(PieceName::ItemBall, kind);
}
PieceName amoebaName(PieceKind kind) {
    return ofKind(PieceName::AmoebaBall, kind);
}
PieceName mutationName(PieceKind kind) {
    return ofKind(PieceName::MutationBall, kind);
}
PieceName gateName(PieceKind kind) {
    return ofKind(PieceName::GateBall, kind);
}

PieceKind kindOfName(PieceName name) {
    switch (name) {
    case PieceName::ItemBall:
    case PieceName::AmoebaBall:
    case PieceName::EndBall:
    case PieceName::MutationBall:
    case PieceName::GateBall:
        return PieceKind::Ball;
    case PieceName::ItemBox:
    case PieceName::AmoebaBox:
    case PieceName::EndBox:
    case PieceName::MutationBox:
    case PieceName::GateBox:
        return PieceKind::Box;
    case PieceName::ItemSpike:
    case PieceName::AmoebaSpike:
    case PieceName::EndSpike:
    case PieceName::MutationSpike:
    case PieceName::GateSpike:
        return PieceKind::Spike;
    default:
        return PieceKind::None;
    }
}

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

std::uint32_t itemColour(PieceName name) {
    return itemColour(nameText(name));
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

int createBackground(PlayState& state) {
    // Named like a window, but it covers the whole hall and must stop nothing.
    const int slot = addPlayObject(state, PieceName::WallWindow, Picture::Grass, 462, 462, 0);
    PlayObject& back = objectAt(state, slot);
    back.scale = 2;
    back.searchable = false;
    back.linked = false;
    return slot;
}

int createWallPiece(PlayState& state, float x, float y, int solidMask, int voidMask,
                    std::uint32_t tint) {
    const bool corner = isCornerWall(solidMask, voidMask);
    const int slot = addPlayObject(state, PieceName::WallPiece, wallPicture(solidMask, voidMask), x,
                                   y, corner ? depthCornerWall : depthWall);
    PlayObject& wall = objectAt(state, slot);
    wall.useColour = true;
    wall.colour = tint;
    if (corner) {
        // Corners keep the turn that makes their picture meet the void on the right two sides;
        // every other wall piece is turned at random, which its picture allows.
        const int turns = voidMask == 5 ? 0 : voidMask == 6 ? 1 : voidMask == 10 ? 2 : 3;
        wall.rotation = static_cast<float>(turns) * quarterTurn;
    } else {
        wall.rotation = static_cast<float>(state.random.below(4)) * quarterTurn;
    }
    return slot;
}

int createWindow(PlayState& state, float x, float y, int code, std::uint32_t tint) {
    const int slot =
        addPlayObject(state, PieceName::WallWindow, Picture::Window, x, y, depthWindow);
    PlayObject& window = objectAt(state, slot);
    // 63 left, 64 top, 61 right, 62 bottom outer wall; 60 is the wall on either side.
    const int turns = code == 64 ? 1 : code == 61 ? 2 : code == 62 ? 3 : 0;
    window.rotation = static_cast<float>(turns) * quarterTurn;
    window.visible = code != 60;
    window.useColour = true;
    window.colour = tint;
    return slot;
}

int createFloor(PlayState& state, float x, float y, int style, int variant) {
    const int cx = static_cast<int>(x / 44), cy = static_cast<int>(y / 44);
    const FloorPicture picture = floorPicture(state.random, style, cx, cy);
    const int slot = addPlayObject(state, PieceName::Floor, picture.picture, x, y, depthFloor);
    PlayObject& floor = objectAt(state, slot);
    floor.rotation = picture.rotation;
    floor.useColour = true;
    const int s = style < 0 ? 0 : style > 5 ? 5 : style;
    const int v = variant < 0 ? 0 : variant > 2 ? 2 : variant;
    floor.colour = floorColours[s][v];
    return slot;
}

int createItem(PlayState& state, float x, float y, PieceKind kind) {
    const int slot =
        addPlayObject(state, itemName(kind), pictureOfKind(itemPictures, kind), x, y, depthItem);
    objectAt(state, slot).sound = itemSound(kind);
    return slot;
}

int createEnd(PlayState& state, float x, float y, PieceKind kind) {
    return addPlayObject(state, ofKind(PieceName::EndBall, kind), pictureOfKind(endPictures, kind),
                         x, y, depthEnd);
}

int createAmoeba(PlayState& state, float x, float y, PieceKind kind) {
    const int slot = addPlayObject(state, amoebaName(kind), pictureOfKind(amoebaPictures, kind), x,
                                   y, depthAmoeba);
    PlayObject& amoeba = objectAt(state, slot);
    amoeba.sound = SoundId::Amoeba;
    amoeba.frame = state.random.below(8);
    return slot;
}

int createBigAmoeba(PlayState& state, float x, float y) {
    const int slot =
        addPlayObject(state, PieceName::BigAmoeba, Picture::BigAmoeba, x, y, depthAmoeba);
    PlayObject& amoeba = objectAt(state, slot);
    amoeba.frame = state.random.below(8);
    amoeba.scale = 0.01f;
    return slot;
}

int createMutationCell(PlayState& state, float x, float y, PieceKind kind) {
    return addPlayObject(state, mutationName(kind), pictureOfKind(mutationPictures, kind), x, y,
                         depthMutation);
}

int createArrow(PlayState& state, float x, float y, PieceName name) {
    const int slot = addPlayObject(state, name, Picture::Arrow, x, y, depthArrow);
    const float turns = name == PieceName::ArrowDown   ? 1
                        : name == PieceName::ArrowLeft ? 2
                        : name == PieceName::ArrowUp   ? -1
                                                       : 0;
    objectAt(state, slot).rotation = turns * quarterTurn;
    return slot;
}

int createTeleport(PlayState& state, float x, float y, PieceName name) {
    const int offset = static_cast<int>(name) - static_cast<int>(PieceName::TeleportA);
    const auto picture = static_cast<Picture>(static_cast<int>(Picture::TeleportA) + offset);
    return addPlayObject(state, name, picture, x, y, depthTeleport);
}

int createGate(PlayState& state, float x, float y, PieceKind kind) {
    return addPlayObject(state, gateName(kind), pictureOfKind(gatePictures, kind), x, y, depthGate);
}

int createFireLight(PlayState& state, float x, float y) {
    const int slot =
        addPlayObject(state, PieceName::LightFire, Picture::LightFire, x, y, depthLight);
    PlayObject& light = objectAt(state, slot);
    light.lightRadius = 379; // placed dark: below the lit threshold of 380
    light.lightColour = 0xFF101010;
    light.rotation = static_cast<float>(state.random.below(360)) * std::numbers::pi_v<float> / 180;
    return slot;
}

int createDayLight(PlayState& state, float x, float y) {
    const int slot = addPlayObject(state, PieceName::LightDay, Picture::LightDay, x, y, depthLight);
    PlayObject& light = objectAt(state, slot);
    light.lightRadius = 200;
    light.lightColour = 0xFFF0F0F0;
    return slot;
}
