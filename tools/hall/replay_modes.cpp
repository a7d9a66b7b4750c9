#include "tools/hall/replay_modes.h"

#include "hall/tool_text.h"
#include "rules/hall_replay.h"
#include "rules/play_state.h"
#include "tools/hall/hall_tool.h"

int runReplayTool(const std::vector<std::string>& args, bool allLevels, ToolOutput* out) {
    int first = 1, last = 99;
    if (!allLevels) {
        if (!parseLevel(args[1], &first)) {
            return toolUsageError;
        }
        last = first;
    }
    // One random source runs through all the levels, as one through a game's halls.
    PlayState state;
    int solved = 0, diverged = 0, endless = 0;
    for (int level = first; level <= last; ++level) {
        const ReplayResult result = replayHall(state, args[0], level);
        *out += formatReplay(args[0], result);
        solved += result.solved ? 1 : 0;
        diverged += result.firstDivergence > 0 ? 1 : 0;
        endless += result.endless ? 1 : 0;
    }
    if (allLevels) {
        *out += printableName(args[0]) + ": " + std::to_string(solved) + " of 99 levels solved, " +
                std::to_string(diverged) + " diverged from the model, " + std::to_string(endless) +
                " cut off\n";
    }
    return solved == last - first + 1 ? toolSuccess : toolFailure;
}
