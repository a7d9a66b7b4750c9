#pragma once
// The piece creators of the hall. Each makes a HallObject in the hall's object list and, when the
// catalogue of the hall layer has its picture, a scene object at (x, y) in hall-plane units that
// is linked to it through the owner link. The HallObject is returned even when the picture is
// missing; then no scene object is made. The hall scene builds the hall with them, and the rules
// use them when pieces are replaced during play.

#include "rules/piece_names.h"

#include <cstdint>
#include <string_view>

struct HallGrid;
struct HallObject;
struct SceneObject;

// The colour of a piece's kind (0xAARRGGBB): what its explosion is tinted with. White for
// amoebas and anything that is no item.
std::uint32_t itemColour(std::string_view name);

// The HallObject linked to a scene object, or null (unlinked objects count as not found in play).
HallObject* hallObjectOf(const SceneObject* object);

// Wall pictures by the masks of solid (1 left, 2 right, 4 above, 8 below) and void neighbours.
std::string_view wallDefinitionName(int solidMask, int voidMask);
bool isCornerWall(int solidMask, int voidMask);

HallObject* createWallPiece(HallGrid& hall, float x, float y, int solidMask, int voidMask,
                            std::uint32_t tint);
// code: the window cell code 60 .. 64; 60 (a wall beside a window) is placed invisible.
HallObject* createWindow(HallGrid& hall, float x, float y, int code, std::uint32_t tint);
// style 0 .. 5 and variant 0 .. 2 as drawn by the generator.
HallObject* createFloor(HallGrid& hall, float x, float y, int style, int variant);
HallObject* createItem(HallGrid& hall, float x, float y, PieceKind kind);
HallObject* createEnd(HallGrid& hall, float x, float y, PieceKind kind);
HallObject* createAmoeba(HallGrid& hall, float x, float y, std::string_view name);
HallObject* createBigAmoeba(HallGrid& hall, float x, float y);
HallObject* createMutationCell(HallGrid& hall, float x, float y, std::string_view name);
HallObject* createArrow(HallGrid& hall, float x, float y, std::string_view name);
HallObject* createTeleport(HallGrid& hall, float x, float y, std::string_view name);
HallObject* createGate(HallGrid& hall, float x, float y, std::string_view name);
HallObject* createFireLight(HallGrid& hall, float x, float y);
HallObject* createDayLight(HallGrid& hall, float x, float y);

// Takes a piece out of play without effect or sound: its HallObject leaves the list (released)
// and its scene object leaves the hall layer (destroyed). Either may be null.
void removePiece(HallGrid& hall, SceneObject* object, HallObject* piece);
