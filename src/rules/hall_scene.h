#pragma once
// The hall scene: what the player sees of a generated hall and what the rules act on, placed in
// a play state. The generator calls these steps in its places (background and style, cell pass,
// special objects, then after its scramble the ends and the lights), so the order of its own
// draws stays exactly as it is without a scene. Decorations draw from the state's random source.

#include "hall/hall_generator.h"
#include "rules/play_state.h"

#include <cstdint>
#include <string_view>

std::uint32_t wallTintColour(int tint);

// Walls, windows with their day lights, floors, items and amoebas, row by row.
void placeHallCells(PlayState& state, const HallGrid& hall, const HallStyle& style);
// Mutation cells, arrows, teleports (each with a day light) and gates of the special table.
void placeSpecialObjects(PlayState& state, const HallGrid& hall);
// An end under every item where the grid holds it now (after the scramble).
void placeHallEnds(PlayState& state, const HallGrid& hall);
// Fire lights on walls that no light reaches, and the centre light.
void placeHallLights(PlayState& state);

// The builder that plugs the steps above into the generator.
class HallScene final : public HallSceneBuilder {
  public:
    explicit HallScene(PlayState& state) : state_(state) {}
    void placeBackground(HallGrid& hall) override;
    void placeCells(HallGrid& hall, const HallStyle& style) override;
    void placeSpecialObjects(HallGrid& hall) override;
    void placeEnds(HallGrid& hall) override;
    void placeLightsAndSound(HallGrid& hall) override;

  private:
    PlayState& state_;
};

// Empties the state (its random source and motionSeen carry on), generates the hall of the level
// and name into hall and builds its objects into the state. observer, when given, sees every push
// of the scramble. The same name and level always give the same hall.
void startPlay(PlayState& state, HallGrid& hall, int level, std::string_view name,
               PushObserver* observer = nullptr);
