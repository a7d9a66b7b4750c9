#pragma once
// Playing halls in the game state without the game's window: what benchmarks and tests of the
// whole frame need to load the real packs and to start a hall the way a level start does.

#include <string_view>

class Engine;
class PushObserver;

// Attaches "Graphics.paq" and "Sound.paq" from the program's directory and loads the sprite
// catalogue, fonts, effect presets and sounds into the game state; fresh layers are created.
// False when a pack or a catalogue fails.
bool loadPlayResources(Engine& engine);

// Gives back what loadPlayResources took (fonts, layers, effects) while the engine still lives.
void releasePlayResources();

// Empties the hall for a new level: the objects of both layers, the play state and the effects.
void clearHallScene();

// clearHallScene, then the level's start state: clock 0, no drag, dialogs closed and the
// hidden cursor object placed. Input is not blocked, unlike a level start of the game.
void prepareHallForPlay();

// prepareHallForPlay, then the hall of level and name generated, shown in the hall layer.
void startHall(int level, std::string_view name, PushObserver* observer = nullptr);
