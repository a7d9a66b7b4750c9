#pragma once
// The frame handler and the game flow: the opening sequence, the menu and the other dialogs, the
// two web links, the drag gesture that the rules read, one step of play, the effects, the logo's
// fade-out and the clock. Times are in frame units (1/50 s) of game.clock.

#include <string>

// Called by the engine once per frame before the render handler; true ends the program.
bool frameHandler();

// Prepares the scene and the seed of game.level without generating the hall: empties both layers,
// the hall and the effects, closes the dialogs, places the cursor and the backdrop, restarts the
// clock and blocks input for the debounce interval.
void resetLevel();

// resetLevel, then generates the hall of game.level and game.gameName and builds its scene.
void startLevel();

// One frame of the opening: the logo sound, the explosions and the logo's fade-in. True when it
// is over: after 4 s, or on a click or key.
bool openingSequence();

// The command that hands an address to the desktop's browser, as one line of blank-separated
// fields, the address quoted only when it holds a blank or a double quote.
std::string browserCommandLine(const std::string& address);

// Opens the address in the player's browser through the engine (no shell is involved) and
// notes the command in the engine's log.
void openWebPage(const std::string& address);
