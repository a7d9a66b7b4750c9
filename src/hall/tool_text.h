#pragma once
// How the hall tool reads a level from its command line and prints a game name.

#include <string>
#include <string_view>

// A level as the game writes it: 1 to 99 in decimal digits, with no sign, blank or leading zero.
// False (level untouched) for anything else.
bool parseLevel(std::string_view text, int* level);

// The name with every control byte (below 32, and 127) written as \xNN, so that a name can
// neither drive the terminal nor break a one-line report. Other bytes are kept as they are.
std::string printableName(std::string_view name);
