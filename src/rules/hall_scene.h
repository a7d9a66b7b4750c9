#pragma once
// The hall scene: what the player sees of a generated hall and what the rules act on. The
// generator calls these steps in its places (background and style, cell pass, special objects,
// then after its scramble the ends and the lights), so the order of its own draws stays exactly
// as it is without a scene. Decorations draw from randomBelow only.

#include "hall/hall_generator.h"

#include <cstdint>

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

// The builder that plugs the steps above into the generator.
class HallScene final : public HallSceneBuilder {
  public:
    void placeBackground(HallGrid& hall) override;
    void placeCells(HallGrid& hall, const HallStyle& style) override;
    void placeSpecialObjects(HallGrid& hall) override;
    void placeEnds(HallGrid& hall) override;
    void placeLightsAndSound(HallGrid& hall) override;
};

// Generates the level's hall and builds its scene in the hall layer; observer, when given, sees
// every push of the scramble. The level reset must have emptied the layers, the object list and
// the effects, and seeded random from the level seed text.
void buildHallScene(HallGrid& hall, GameRandom& random, int level,
                    PushObserver* observer = nullptr);
