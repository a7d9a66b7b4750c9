#pragma once
// The hall tool's solve modes: --solve NAME LEVEL and --solve-all NAME, each with an optional
// --budget SECONDS (default 10) that bounds the time of every hall's search.

#include "hall/tool_text.h"

#include <string>
#include <vector>

// args are NAME LEVEL (one level) or NAME (every level), then optionally --budget SECONDS.
// One level prints one "X Y DIRECTION" line per move and then "solved in N moves"; every level
// prints a line per level and then how many were solved. Returns the exit status: 0 when every
// hall asked for was solved and confirmed, 1 when one was not, 2 for a usage error.
int runSolveTool(const std::vector<std::string>& args, bool allLevels, ToolOutput* out);
