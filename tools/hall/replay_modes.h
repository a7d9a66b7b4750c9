#pragma once
// The hall tool's replay modes, on the replay of the rules library.

#include "hall/tool_text.h"

#include <string>
#include <vector>

// args are NAME LEVEL (--replay) or NAME (--replay-all). Needs no packs and writes no file.
// Returns the exit status: 0 when every hall was solved, 1 when one was not, 2 for a bad level.
int runReplayTool(const std::vector<std::string>& args, bool allLevels, ToolOutput* out);
