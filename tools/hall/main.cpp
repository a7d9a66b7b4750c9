// quorvane-hall: prints the hall that a game name and a level generate (see
// tools/hall/hall_tool.h).

#include "solver/search_memory.h"
#include "tools/hall/hall_tool.h"

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    keepSearchMemory();
    const std::vector<std::string> args(argv + 1, argv + argc);
    // Each part goes out as soon as it is printed: a run over every level takes many minutes.
    ToolOutput out([](std::string_view text) {
        std::fwrite(text.data(), 1, text.size(), stdout);
        std::fflush(stdout);
    });
    std::string err;
    const int status = runHallTool(args, &out, &err);
    std::fwrite(err.data(), 1, err.size(), stderr);
    return status;
}
