#pragma once
// Start-up and shutdown of the game: the engine and its window, the two packs, graphics, sounds,
// dialogs and the saved progress, then the frame loop until "Quit", then shutdown.

#include <string>

// Everything before the frame loop. On a failure the player is told in a message box captioned
// "Error" and the result is false; the engine, when obtained, stays for endGame.
bool startGame();

// Frees the dialogs, effects, layers and fonts, then shuts the engine down and releases it.
void endGame();

// The whole run: start, the frame loop, shutdown. Returns 0 on every path.
int runGame();

// Where a pack of that name lies: beside the program, or for an installed game in
// ../share/games/quorvane (Debian's layout for games) or ../share/quorvane from it. The name
// beside the program when none exists.
std::string findPack(const std::string& programDirectory, const std::string& packName);

// Tells the player about a start-up failure: always on the standard error stream and, unless
// the environment variable QUORVANE_NO_MESSAGE_BOX is set (for unattended runs), in a message box.
void showStartupFailure(const char* text, int style);
