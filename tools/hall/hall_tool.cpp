#include "tools/hall/hall_tool.h"

#include "hall/hall_report.h"
#include "hall/tool_text.h"
#include "solver/solve_tool.h"
#include "tools/hall/replay_modes.h"

#include <string_view>

namespace {

// A mode of the tool: its option (empty for the default form), its arguments, and what it does
// with them. New modes are new rows.
struct ToolMode {
    std::string_view option;
    std::string_view synopsis;
    int (*run)(const std::vector<std::string>& args, ToolOutput* out, std::string* err);
    std::size_t argumentCount;
};

int printReport(const std::vector<std::string>& args, ToolOutput* out, std::string*) {
    int level = 0;
    if (!parseLevel(args[1], &level)) {
        return toolUsageError;
    }
    *out += formatHallReport(runHall(args[0], level));
    return toolSuccess;
}

int printMap(const std::vector<std::string>& args, ToolOutput* out, std::string*) {
    int level = 0;
    if (!parseLevel(args[1], &level)) {
        return toolUsageError;
    }
    *out += formatHallMap(args[0], level, runHall(args[0], level));
    return toolSuccess;
}

int replayOne(const std::vector<std::string>& args, ToolOutput* out, std::string*) {
    return runReplayTool(args, false, out);
}

int replayAll(const std::vector<std::string>& args, ToolOutput* out, std::string*) {
    return runReplayTool(args, true, out);
}

int solveOne(const std::vector<std::string>& args, ToolOutput* out, std::string*) {
    return runSolveTool(args, false, out);
}

int solveAll(const std::vector<std::string>& args, ToolOutput* out, std::string*) {
    return runSolveTool(args, true, out);
}

constexpr ToolMode modes[] = {
    {"", "NAME LEVEL", printReport, 2},
    {"--map", "--map NAME LEVEL", printMap, 2},
    {"--replay", "--replay NAME LEVEL", replayOne, 2},
    {"--replay-all", "--replay-all NAME", replayAll, 1},
    {"--solve", "--solve NAME LEVEL [--budget SECONDS]", solveOne, 2},
    {"--solve", "", solveOne, 4},
    {"--solve-all", "--solve-all NAME [--budget SECONDS]", solveAll, 1},
    {"--solve-all", "", solveAll, 3},
};

// A name that is one of the options is taken as that option, so "--map 12" is a usage error
// and not the hall of a game called "--map"; such a name still works after an option.
bool isOption(const std::string& arg) {
    for (const ToolMode& mode : modes) {
        if (!mode.option.empty() && arg == mode.option) {
            return true;
        }
    }
    return false;
}

std::string usage() {
    std::string text = "usage: quorvane-hall ";
    bool first = true;
    for (const ToolMode& mode : modes) {
        if (!mode.option.empty() && mode.synopsis.empty()) {
            continue; // the same mode with more arguments
        }
        text += first ? "" : " | ";
        text += mode.synopsis;
        first = false;
    }
    return text + "  (NAME may be empty; LEVEL 1..99)\n";
}

} // namespace

int runHallTool(const std::vector<std::string>& args, ToolOutput* out, std::string* err) {
    int status = toolUsageError;
    for (const ToolMode& mode : modes) {
        const bool plain =
            mode.option.empty() && args.size() == mode.argumentCount && !isOption(args[0]);
        const bool optioned =
            !mode.option.empty() && args.size() == mode.argumentCount + 1 && args[0] == mode.option;
        if (plain) {
            status = mode.run(args, out, err);
            break;
        }
        if (optioned) {
            status = mode.run(std::vector<std::string>(args.begin() + 1, args.end()), out, err);
            break;
        }
    }
    if (status == toolUsageError) {
        *err += usage();
    }
    return status;
}

int runHallTool(const std::vector<std::string>& args, std::string* out, std::string* err) {
    ToolOutput gathered;
    const int status = runHallTool(args, &gathered, err);
    *out = gathered.text();
    return status;
}
