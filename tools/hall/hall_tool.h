#pragma once
// The command line of the hall tool, quorvane-hall: prints the hall of a name and a level.
// Kept apart from main so that tests run it as the tool would.

#include "hall/tool_text.h"

#include <string>
#include <vector>

constexpr int toolSuccess = 0;
constexpr int toolFailure = 1; // a replayed hall not solved, or the tool could not run
constexpr int toolUsageError = 2;

// args without the program name. Writes what the tool prints to out and errors to err, and
// returns the exit status. A usage error is found before anything is printed.
int runHallTool(const std::vector<std::string>& args, ToolOutput* out, std::string* err);
// The same, with what the tool prints gathered in out.
int runHallTool(const std::vector<std::string>& args, std::string* out, std::string* err);
