#pragma once
// Where the game keeps the player's files: $XDG_DATA_HOME/quorvane, or ~/.local/share/quorvane
// when that is not set, so that an installed game needs no writable working directory. Never
// the working directory: a game started from some other folder must not read or scatter progress
// files there.

#include <string>

// The path of fileName in the game's data folder, creating the folder. Empty when no data folder
// is known or it cannot be made; then problem, when given, says why in one line.
std::string userFilePath(const std::string& fileName, std::string* problem = nullptr);
