#pragma once
// The piece creators of the hall. Each places an object in the play state at (x, y) in hall-plane
// units, with its picture, depth and decoration, and returns its slot. The hall scene builds the
// hall with them, and the rules use them when pieces are replaced during play. Decorations
// (floor pictures, turns, animation frames) draw from the state's random source.

#include "rules/piece_names.h"
#include "rules/play_state.h"

#include <cstdint>
#include <string_view>

// The colour of a piece's kind (0xAARRGGBB): what its explosion is tinted with. White for
// amoebas and anything that is no item.
std::uint32_t itemColour(std::string_view name);
std::uint32_t itemColour(PieceName name);

// Wall pictures by the masks of solid (1 left, 2 right, 4 above, 8 below) and void neighbours.
std::string_view wallDefinitionName(int solidMask, int voidMask);
bool isCornerWall(int solidMask, int voidMask);

// The grass behind the hall: not searchable, no piece.
int createBackground(PlayState& state);
int createWallPiece(PlayState& state, float x, float y, int solidMask, int voidMask,
                    std::uint32_t tint);
// code: the window cell code 60 .. 64; 60 (a wall beside a window) is placed invisible.
int createWindow(PlayState& state, float x, float y, int code, std::uint32_t tint);
// style 0 .. 5 and variant 0 .. 2 as drawn by the generator.
int createFloor(PlayState& state, float x, float y, int style, int variant);
int createItem(PlayState& state, float x, float y, PieceKind kind);
int createEnd(PlayState& state, float x, float y, PieceKind kind);
int createAmoeba(PlayState& state, float x, float y, PieceKind kind);
int createBigAmoeba(PlayState& state, float x, float y);
int createMutationCell(PlayState& state, float x, float y, PieceKind kind);
// direction: the way the arrow sends pieces.
int createArrow(PlayState& state, float x, float y, PieceName name);
int createTeleport(PlayState& state, float x, float y, PieceName name);
int createGate(PlayState& state, float x, float y, PieceKind kind);
int createFireLight(PlayState& state, float x, float y);
int createDayLight(PlayState& state, float x, float y);

// Name helpers of the families that come in kinds.
PieceName itemName(PieceKind kind);
PieceName amoebaName(PieceKind kind);
PieceName mutationName(PieceKind kind);
PieceName gateName(PieceKind kind);
PieceKind kindOfName(PieceName name); // the kind of an item, amoeba, end, cell or gate
