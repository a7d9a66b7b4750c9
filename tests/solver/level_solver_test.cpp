// Solutions of generated halls as the hall tool prints them, played from a fresh level start
// with the rules alone, the solve modes' usage errors and budgets, and the game's hint.

#include "rules/hall_scene.h"
#include "rules/play_move.h"
#include "solver/hall_hint.h"
#include "solver/level_solver.h"
#include "tools/hall/hall_tool.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

// Plays "X Y DIRECTION" lines from a fresh level start up to the line "solved in N moves";
// true when the last move, and no earlier one, solves the hall and N counts the moves.
bool playsToSolved(const std::string& printed, std::string_view name, int level) {
    PlayState state;
    HallGrid hall;
    startPlay(state, hall, level, name);
    std::istringstream lines(printed);
    std::string line;
    PlayEvents events;
    int moves = 0;
    bool solved = false;
    while (std::getline(lines, line) && line.rfind("solved in ", 0) != 0) {
        std::istringstream words(line);
        int x = -1, y = -1;
        std::string word;
        words >> x >> y >> word;
        const Direction direction = word == "left"    ? Direction::Left
                                    : word == "right" ? Direction::Right
                                    : word == "up"    ? Direction::Up
                                                      : Direction::Down;
        EXPECT_TRUE(word == "left" || word == "right" || word == "up" || word == "down") << line;
        EXPECT_FALSE(solved) << "solved before move " << moves + 1;
        const PlayedMove played = playMoveToRest(state, x, y, direction, events);
        EXPECT_EQ(played.end, MoveEnd::Rested) << line;
        solved = played.solved;
        ++moves;
    }
    EXPECT_EQ(line, "solved in " + std::to_string(moves) + " moves");
    return solved;
}

TEST(SolveToolTest, PrintedSolutionsReplayToSolvedFromAFreshStart) {
    for (const auto& [name, level] : {std::pair{"Tessmark", 1}, {"Tessmark", 12}, {"abc", 3}}) {
        std::string out, err;
        const int status =
            runHallTool({"--solve", name, std::to_string(level), "--budget", "2"}, &out, &err);
        ASSERT_EQ(status, toolSuccess) << name << " " << level << ": " << out << err;
        EXPECT_TRUE(playsToSolved(out, name, level)) << name << " " << level;
    }
}

TEST(SolveToolTest, TheShortestSolutionOfTheFirstLevelIsFound) {
    // Level 1 of Tessmark: its scramble made 55 pushes; nine moves solve it, and no fewer.
    std::string out, err;
    ASSERT_EQ(runHallTool({"--solve", "Tessmark", "1"}, &out, &err), toolSuccess);
    EXPECT_NE(out.find("\nsolved in 9 moves\n"), std::string::npos) << out;
}

TEST(SolveToolTest, TheBudgetStopsASearchThatFindsNothing) {
    // Level 70 of Tessmark is beyond a tenth of a second.
    const auto began = std::chrono::steady_clock::now();
    const LevelSolution solution = solveLevel("Tessmark", 70, 0.1, std::size_t{16} << 20);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
    EXPECT_FALSE(solution.solved);
    EXPECT_FALSE(solution.why.empty());
    EXPECT_LT(seconds, 30.0) << "a search ran on far beyond its budget";
}

TEST(SolveToolTest, BadLevelsAndBudgetsAreUsageErrors) {
    const std::vector<std::vector<std::string>> cases = {
        {"--solve", "abc", "0"},
        {"--solve", "abc", "100"},
        {"--solve", "abc"},
        {"--solve", "abc", "1", "--budget", "0"},
        {"--solve", "abc", "1", "--budget", "x"},
        {"--solve", "abc", "1", "--budget", "nan"},
        {"--solve", "abc", "1", "--budget", "1e9"},
        {"--solve", "abc", "1", "--budget"},
        {"--solve", "abc", "1", "--bugdet", "5"},
        {"--solve-all", "abc", "--budget", "-3"},
        {"--solve-all", "abc", "1"},
        {"--replay", "abc", "1", "--budget", "5"},
        {"abc", "1", "--budget", "5"},
    };
    for (const auto& args : cases) {
        std::string out, err;
        EXPECT_EQ(runHallTool(args, &out, &err), toolUsageError) << args.size();
        EXPECT_TRUE(out.empty());
        EXPECT_NE(err.find("--solve NAME LEVEL [--budget SECONDS]"), std::string::npos);
    }
}

class HintTest : public ::testing::Test {
  protected:
    void SetUp() override { startPlay(state, hall, 1, "Tessmark"); }
    PlayState state;
    HallGrid hall;
    std::atomic<bool> stop{false};
    std::chrono::steady_clock::time_point soon() const {
        return std::chrono::steady_clock::now() + std::chrono::seconds(20);
    }
};

TEST_F(HintTest, FollowingTheHintsSolvesTheHallAndLeavesTheCallersStateAlone) {
    const PlayState before = state;
    PlayEvents events;
    bool solved = false;
    for (int moves = 0; moves < 9 && !solved; ++moves) {
        const std::optional<HintMove> hint = findHint("Tessmark", 1, state, soon(), stop);
        ASSERT_TRUE(hint.has_value()) << "after " << moves << " moves";
        if (moves == 0) {
            EXPECT_EQ(state, before);
        }
        const PlayedMove played = playMoveToRest(state, hint->x, hint->y, hint->direction, events);
        ASSERT_EQ(played.end, MoveEnd::Rested);
        solved = played.solved;
    }
    EXPECT_TRUE(solved) << "nine hints follow a shortest solution";
}

TEST_F(HintTest, AFollowedHintsNextMoveComesFromTheRememberedPlan) {
    // The scramble's own pushes, remembered as the plan, are followed where a search would hint
    // the first move of the shortest solution.
    const LevelPuzzle made = makeLevelPuzzle("Tessmark", 1);
    HintPlan plan;
    plan.remember(made.puzzle, made.start, made.scramble.pushes);
    const auto hintOf = [](const SolverMove& push) {
        return HintMove{push.x, push.y, directionOfPush(push.direction)};
    };
    const std::optional<HintMove> searched = findHint("Tessmark", 1, state, soon(), stop);
    ASSERT_TRUE(searched.has_value());
    ASSERT_NE(*searched, hintOf(made.scramble.pushes[0])) << "the plan must differ from a search";
    PlayEvents events;
    for (std::size_t i = 0; i < 5; ++i) {
        const HintMove pushed = hintOf(made.scramble.pushes[i]);
        const std::optional<HintMove> hint = findHint("Tessmark", 1, state, soon(), stop, &plan);
        ASSERT_TRUE(hint.has_value());
        EXPECT_EQ(*hint, pushed) << "push " << i;
        playMoveToRest(state, hint->x, hint->y, hint->direction, events);
    }
}

TEST_F(HintTest, NoHintOnceStoppedOrWhileAPieceMoves) {
    stop = true;
    EXPECT_FALSE(findHint("Tessmark", 1, state, soon(), stop).has_value());
    stop = false;
    const std::optional<HintMove> hint = findHint("Tessmark", 1, state, soon(), stop);
    ASSERT_TRUE(hint.has_value());
    PlayInput input;
    input.hasMove = true;
    input.move = cellMove(hint->x, hint->y, hint->direction);
    PlayEvents events;
    stepPlayFrame(state, input, events);
    ASSERT_FALSE(allAtRest(state));
    EXPECT_FALSE(findHint("Tessmark", 1, state, soon(), stop).has_value());
}

} // namespace
