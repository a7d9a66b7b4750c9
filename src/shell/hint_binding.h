#pragma once
// The search behind the game's hint, for the hall of a name and level. Every hint the game
// asks for goes through this one function.

#include "shell/hint_search.h"

#include <memory>
#include <string>

class HintPlan;

// A new memory of the plan behind the hints, for one level.
std::shared_ptr<HintPlan> newHintPlan();

// The search for the hall of name and level; plan, that level's memory, lets a player who
// follows the hints get each next one at once.
HintSearchFn hintSearchFor(const std::string& name, int level, std::shared_ptr<HintPlan> plan);
