#pragma once
// The search behind the game's hint, for the hall of a name and level. Every hint the game
// asks for goes through this one function.

#include "shell/hint_search.h"

#include <string>

HintSearchFn hintSearchFor(const std::string& name, int level);
