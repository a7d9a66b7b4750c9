#include "solver/solve_tool.h"

#include "hall/tool_text.h"
#include "rules/play_frame.h"
#include "solver/level_solver.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr double defaultBudget = 10;
constexpr double longestBudget = 24 * 60 * 60;
// Every search of one hall keeps at most this much of positions.
constexpr std::size_t searchMemory = std::size_t{128} << 20;

// A number of seconds above 0 and at most a day.
bool parseBudget(const std::string& text, double* seconds) {
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != 0 || !std::isfinite(value) || value <= 0 || value > longestBudget) {
        return false;
    }
    *seconds = value;
    return true;
}

std::string formatSeconds(double seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", seconds);
    return text;
}

std::string moveLines(const std::vector<SolverMove>& moves) {
    std::string text;
    for (const SolverMove& move : moves) {
        text += std::to_string(move.x) + " " + std::to_string(move.y) + " " +
                directionName(directionOfPush(move.direction)) + "\n";
    }
    return text;
}

std::string levelLine(std::string_view name, int level, const LevelSolution& solution) {
    std::string line = printableName(name) + " level " + std::to_string(level) + ": ";
    line += solution.solved ? "solved in " + std::to_string(solution.moves.size()) + " moves"
                            : "not solved";
    line += ", scramble " + std::to_string(solution.scramblePushes) + " pushes, " +
            formatSeconds(solution.seconds) + " s";
    if (!solution.solved) {
        line += "; " + solution.why;
    }
    return line + "\n";
}

} // namespace

int runSolveTool(const std::vector<std::string>& args, bool allLevels, ToolOutput* out) {
    const std::size_t named = allLevels ? 1 : 2;
    double budget = defaultBudget;
    const bool budgetGiven = args.size() == named + 2 && args[named] == "--budget";
    if ((args.size() != named && !budgetGiven) ||
        (budgetGiven && !parseBudget(args[named + 1], &budget))) {
        return 2;
    }
    int first = 1, last = 99;
    if (!allLevels) {
        if (!parseLevel(args[1], &first)) {
            return 2;
        }
        last = first;
    }
    int solved = 0;
    for (int level = first; level <= last; ++level) {
        const LevelSolution solution = solveLevel(args[0], level, budget, searchMemory);
        solved += solution.solved ? 1 : 0;
        if (allLevels) {
            *out += levelLine(args[0], level, solution);
        } else if (solution.solved) {
            *out += moveLines(solution.moves) + "solved in " +
                    std::to_string(solution.moves.size()) + " moves\n";
        } else {
            *out += "not solved within " + formatSeconds(budget) + " s: " + solution.why + "\n";
        }
    }
    if (allLevels) {
        *out += printableName(args[0]) + ": " + std::to_string(solved) + " of 99 levels solved\n";
    }
    return solved == last - first + 1 ? 0 : 1;
}
