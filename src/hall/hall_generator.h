#pragma once
// The hall generator: from the level number and the seeded random source, a complete hall:
// rooms, windows, items, amoebas, teleports, arrows, mutation cells and gates, then the scene
// steps with the scramble in their midst. Every draw is made in a fixed place, also when nothing
// comes of it, so that a name and a level always give the same hall.

#include "hall/game_random.h"
#include "hall/hall_grid.h"
#include "hall/push_scrambler.h"

// The three style draws that choose the look of a hall.
struct HallStyle {
    int floorStyle = 0;   // 0..5
    int wallTint = 0;     // 0..4
    int floorVariant = 0; // 0..2
};

// What a generation decided besides the grid and the table.
struct HallGeneration {
    int layout = 0; // 0 mirrored left-right, 1 top-bottom, 2 both ways
    HallStyle style;
    int passes = 0; // scramble passes
};

// Builds the scene of a hall while it is generated. Each call comes at its own place among the
// generator's draws; a builder never draws from the generator's random source, so with or
// without one the same hall results.
class HallSceneBuilder {
  public:
    virtual ~HallSceneBuilder() = default;
    // Before the style draws.
    virtual void placeBackground(HallGrid& hall) = 0;
    // Walls, windows, floors and pieces where generation left them.
    virtual void placeCells(HallGrid& hall, const HallStyle& style) = 0;
    virtual void placeSpecialObjects(HallGrid& hall) = 0;
    // After the scramble: the ends, under the pieces' new places.
    virtual void placeEnds(HallGrid& hall) = 0;
    virtual void placeLightsAndSound(HallGrid& hall) = 0;
};

// Generates the hall of level (1..99; others are clamped) from the random source as seeded for
// it. The special-object table and the grid are cleared first; the object list is left alone.
HallGeneration generateHall(HallGrid& hall, GameRandom& random, int level,
                            HallSceneBuilder* scene = nullptr, PushObserver* observer = nullptr);
