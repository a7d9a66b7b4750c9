#pragma once
// Where the game keeps the player's files: $XDG_DATA_HOME/quorvane, or ~/.local/share/quorvane
// when that is not set, so that an installed game needs no writable working directory.

#include <string>

// The path of fileName in the game's data folder, creating the folder. The bare fileName (the
// working directory) when no home is known or the folder cannot be made.
std::string userFilePath(const std::string& fileName);
