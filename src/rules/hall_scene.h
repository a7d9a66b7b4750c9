#pragma once
// The hall scene: what the player sees of a generated hall and what the rules act on. The
// generator calls these steps in its places (background and style, cell pass, special objects,
// then after its scramble the ends and the lights), so the order of its own draws stays exactly
// as it is without a scene. Decorations draw from randomBelow only.

#include <cstdint>

struct HallGrid;
struct GameRandom;
class PushObserver;

// The three style draws of the generator: floor style 0..5, wall tint 0..4, floor variant 0..2.
struct HallStyle {
    int floorStyle = 0;
    int wallTint = 0;
    int floorVariant = 0;
};

std::uint32_t wallTintColour(int tint);

// The grass behind the hall: not searchable, no HallObject.
void placeHallBackground();
// Walls, windows with their day lights, floors, items and amoebas, row by row.
void placeHallCells(HallGrid& hall, const HallStyle& style);
// Mutation cells, arrows, teleports (each with a day light) and gates of the special table.
void placeSpecialObjects(HallGrid& hall);
// An end under every item where the grid holds it now (after the scramble).
void placeHallEnds(HallGrid& hall);
// Fire lights on walls that no light reaches, the centre light, the first lighting and the door.
void finishHallScene(HallGrid& hall);
