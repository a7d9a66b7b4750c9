// The scramble's own pushes, made as drags through play, solve the hall.

#include "rules/hall_replay.h"
#include "support/play_fixture.h"
#include "support/scoped_variable.h"
#include "tools/hall/hall_tool.h"

namespace {

class ReplayTest : public PlayTest {};

TEST_F(ReplayTest, ScramblePushesMadeAsDragsSolveTheHall) {
    PlayState state;
    const ReplayResult result = replayHall(state, "Tessmark", 3);
    EXPECT_TRUE(result.solved);
    EXPECT_GT(result.pushes, 0);
    EXPECT_EQ(result.replayed, result.pushes);
    EXPECT_EQ(result.firstDivergence, 0) << result.divergence;
    EXPECT_FALSE(result.endless);
    EXPECT_TRUE(allAtRest(state));
}

TEST_F(ReplayTest, ReportLineSaysHowFarTheReplayGot) {
    ReplayResult result;
    result.level = 7;
    result.pushes = 40;
    result.replayed = 12;
    result.firstDivergence = 12;
    result.divergence =
        "cell (3,4) holds ball in the model, nothing in the hall (right from (2,4))";
    EXPECT_EQ(formatReplay("abc", result),
              "abc level 7: not solved, 12 of 40 pushes replayed; pieces left the model after "
              "push 12: cell (3,4) holds ball in the model, nothing in the hall (right from "
              "(2,4))\n");
    result = ReplayResult{};
    result.level = 1;
    result.pushes = 9;
    result.replayed = 5;
    result.solved = true;
    EXPECT_EQ(formatReplay("abc", result), "abc level 1: solved early, 5 of 9 pushes replayed\n");
}

TEST(PlayRandom, StaysInRangeAndRepeatsAfterReseeding) {
    PlayRandom random;
    EXPECT_EQ(random.below(0), 0);
    EXPECT_EQ(random.below(-3), 0);
    random.seed(5);
    std::vector<int> first;
    bool sawTop = false;
    for (int i = 0; i < 200; ++i) {
        const int value = random.below(7);
        EXPECT_GE(value, 0);
        EXPECT_LT(value, 7);
        sawTop = sawTop || value == 6;
        first.push_back(value);
    }
    EXPECT_TRUE(sawTop);
    random.seed(5);
    for (int value : first) {
        EXPECT_EQ(random.below(7), value);
    }
}

} // namespace

namespace {

TEST(ReplayTool, LevelsOutsideTheGameAreUsageErrors) {
    std::string out, err;
    EXPECT_EQ(runHallTool({"--replay", "abc", "0"}, &out, &err), toolUsageError);
    EXPECT_EQ(runHallTool({"--replay", "abc", "100"}, &out, &err), toolUsageError);
    EXPECT_EQ(runHallTool({"--replay", "abc", "7x"}, &out, &err), toolUsageError);
    EXPECT_TRUE(out.empty());
    EXPECT_NE(err.find("--replay-all NAME"), std::string::npos);
}

TEST(ReplayTool, ASolvedHallEndsWithStatusZeroAndNeedsNoTemporaryFolder) {
    ScopedVariable tmp("TMPDIR", "/nonexistent");
    std::string out, err;
    EXPECT_EQ(runHallTool({"--replay", "Tessmark", "3"}, &out, &err), toolSuccess) << err;
    EXPECT_EQ(out.rfind("Tessmark level 3: solved, ", 0), 0u) << out;
    EXPECT_TRUE(err.empty()) << err;
}

} // namespace
