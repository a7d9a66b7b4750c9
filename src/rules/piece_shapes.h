#pragma once
// The shapes of the hall's pictures as play sees them: frame size, hot spot and collision
// circles, in the picture's own pixels. The graphics catalogue defines its sprites from the same
// rows, so play runs on exactly the shapes that are drawn, without loading a picture.

#include <cstdint>
#include <string_view>

// Every picture a hall object can show, plus the pointer's probe.
enum class Picture : std::uint8_t {
    Grass, // the tinted grass behind the hall ("game back" of the hall layer)
    Cursor,
    Wall,
    WallX1,
    WallX2,
    WallX3,
    WallX4,
    Window,
    Floor,
    Floor2,
    Floor3,
    Floor4,
    FloorA,
    FloorA1,
    FloorA2,
    FloorA3,
    FloorA4,
    FloorB,
    FloorB1,
    FloorB2,
    FloorB3,
    FloorB4,
    ItemBall,
    EndBall,
    ItemBox,
    EndBox,
    ItemSpike,
    EndSpike,
    MutationBall,
    MutationBox,
    MutationSpike,
    LightFire,
    LightDay,
    Arrow,
    AmoebaBall,
    AmoebaBox,
    AmoebaSpike,
    BigAmoeba,
    TeleportA,
    TeleportB,
    TeleportC,
    GateBall,
    GateBox,
    GateSpike,
    Count
};

struct ShapeCircle {
    float x, y; // picture pixels, the space of the hot spot
    float radius;
};

struct PieceShape {
    const char* definition; // the sprite definition's name in the hall layer
    float frameWidth, frameHeight;
    float sheetWidth, sheetHeight; // the frame, or wider when the frames of a loop stand in a row
    float hotX, hotY;
    int circleCount;
    ShapeCircle circles[5];
};

const PieceShape& shapeOf(Picture picture);

// The picture shown under a definition name; Picture::Count for a name that is none of them.
Picture pictureNamed(std::string_view definition);
