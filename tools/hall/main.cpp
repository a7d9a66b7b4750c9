// quorvane-hall: prints the hall that a game name and a level generate (see
// tools/hall/hall_tool.h).

#include "tools/hall/hall_tool.h"

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    std::string out;
    std::string err;
    const int status = runHallTool(args, &out, &err);
    std::fwrite(out.data(), 1, out.size(), stdout);
    std::fwrite(err.data(), 1, err.size(), stderr);
    return status;
}
