#pragma once
// Cell codes of the hall grid and of the special-object table.
//
// The three kinds are ball, box and spike, in this order, and the families are spaced so that
// simple arithmetic moves between them: item = 3 + kind, amoeba = item + 10, mutation cell =
// item + 20, gate = item + 50. The generator and the scrambler rely on that spacing.

#include <cstdint>

using CellCode = std::int32_t;

// Codes of grid cells.
constexpr CellCode CellVoid = 0; // outside the hall
constexpr CellCode CellWall = 1;
constexpr CellCode CellFloor = 2;
constexpr CellCode CellBall = 3;
constexpr CellCode CellBox = 4;
constexpr CellCode CellSpike = 5;
constexpr CellCode CellAmoebaBall = 13;
constexpr CellCode CellAmoebaBox = 14;
constexpr CellCode CellAmoebaSpike = 15;
constexpr CellCode CellWindowSide = 60; // wall piece on either side of a window
constexpr CellCode CellWindowRight = 61;
constexpr CellCode CellWindowBottom = 62;
constexpr CellCode CellWindowLeft = 63;
constexpr CellCode CellWindowTop = 64;

// Codes of special objects; the grid cell under each of them is floor.
constexpr CellCode MutationBall = 23;
constexpr CellCode MutationBox = 24;
constexpr CellCode MutationSpike = 25;
constexpr CellCode ArrowRight = 31;
constexpr CellCode ArrowDown = 32;
constexpr CellCode ArrowLeft = 33;
constexpr CellCode ArrowUp = 34;
constexpr CellCode TeleportA = 41; // a hall holds no or exactly two entries of each pair
constexpr CellCode TeleportB = 42;
constexpr CellCode TeleportC = 43;
constexpr CellCode GateBall = 53;
constexpr CellCode GateBox = 54;
constexpr CellCode GateSpike = 55;

// Offsets from an item code to the other families of the same kind.
constexpr CellCode amoebaOffset = 10;
constexpr CellCode mutationOffset = 20;
constexpr CellCode gateOffset = 50;

constexpr bool isItem(CellCode code) {
    return code >= CellBall && code <= CellSpike;
}
constexpr bool isAmoeba(CellCode code) {
    return code >= CellAmoebaBall && code <= CellAmoebaSpike;
}
// A piece is an item or an amoeba: what moves.
constexpr bool isPiece(CellCode code) {
    return isItem(code) || isAmoeba(code);
}
// Solid cells stop moving pieces and count as wall in the generator's shape tests.
constexpr bool isSolid(CellCode code) {
    return code == CellWall || (code >= CellWindowSide && code <= CellWindowTop);
}
constexpr bool isMutation(CellCode code) {
    return code >= MutationBall && code <= MutationSpike;
}
constexpr bool isArrow(CellCode code) {
    return code >= ArrowRight && code <= ArrowUp;
}
constexpr bool isTeleport(CellCode code) {
    return code >= TeleportA && code <= TeleportC;
}
constexpr bool isGate(CellCode code) {
    return code >= GateBall && code <= GateSpike;
}
