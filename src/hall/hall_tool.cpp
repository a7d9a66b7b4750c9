#include "hall/hall_tool.h"

#include "hall/hall_report.h"
#include "rules/hall_replay.h"

#include <string_view>

namespace {

// Parses a level 1..99: decimal digits only.
bool parseLevel(const std::string& text, int* level) {
    if (text.empty() || text.size() > 3) {
        return false;
    }
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
        value = value * 10 + (c - '0');
    }
    if (value < 1 || value > 99) {
        return false;
    }
    *level = value;
    return true;
}

// A mode of the tool: its option (empty for the default form), its arguments, and what it does
// with them. New modes are new rows.
struct ToolMode {
    std::string_view option;
    std::string_view synopsis;
    int (*run)(const std::vector<std::string>& args, std::string* out, std::string* err);
    std::size_t argumentCount;
};

int printReport(const std::vector<std::string>& args, std::string* out, std::string*) {
    int level = 0;
    if (!parseLevel(args[1], &level)) {
        return toolUsageError;
    }
    *out += formatHallReport(runHall(args[0], level));
    return toolSuccess;
}

int printMap(const std::vector<std::string>& args, std::string* out, std::string*) {
    int level = 0;
    if (!parseLevel(args[1], &level)) {
        return toolUsageError;
    }
    *out += formatHallMap(args[0], level, runHall(args[0], level));
    return toolSuccess;
}

int replayOne(const std::vector<std::string>& args, std::string* out, std::string*) {
    return runReplayTool(args, false, out);
}

int replayAll(const std::vector<std::string>& args, std::string* out, std::string*) {
    return runReplayTool(args, true, out);
}

constexpr ToolMode modes[] = {
    {"", "NAME LEVEL", printReport, 2},
    {"--map", "--map NAME LEVEL", printMap, 2},
    {"--replay", "--replay NAME LEVEL", replayOne, 2},
    {"--replay-all", "--replay-all NAME", replayAll, 1},
};

std::string usage() {
    std::string text = "usage: quorvane-hall ";
    bool first = true;
    for (const ToolMode& mode : modes) {
        text += first ? "" : " | ";
        text += mode.synopsis;
        first = false;
    }
    return text + "  (NAME may be empty; LEVEL 1..99)\n";
}

} // namespace

int runHallTool(const std::vector<std::string>& args, std::string* out, std::string* err) {
    // The default form comes first, so a name that looks like an option is still a name.
    int status = toolUsageError;
    for (const ToolMode& mode : modes) {
        const bool plain = mode.option.empty() && args.size() == mode.argumentCount;
        const bool optioned =
            !mode.option.empty() && args.size() == mode.argumentCount + 1 && args[0] == mode.option;
        if (plain) {
            status = mode.run(args, out, err);
            if (status != toolUsageError) {
                break;
            }
            continue; // "--replay-all NAME" has the plain form's count but no level
        }
        if (optioned) {
            status = mode.run(std::vector<std::string>(args.begin() + 1, args.end()), out, err);
            break;
        }
    }
    if (status == toolUsageError) {
        out->clear();
        *err += usage();
    }
    return status;
}
