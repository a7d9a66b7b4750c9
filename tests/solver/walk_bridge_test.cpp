// Joining a stalled covering to the walk's last moves.

#include "hall/push_scrambler.h"
#include "solver/level_solver.h"
#include "solver/walk_bridge.h"
#include "solver_pictures.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// A ball end in the open at (4,1): a ball sent right along the top row stops on it only where a
// piece stands at (5,1). The boxes are no end's items.
PicturePuzzle stopperHall(std::initializer_list<std::string> start) {
    return puzzleFromPictures(start, {"#######", "#...b.#", "#.....#", "#.....#", "#######"});
}

// The ball wanders down and up, then the box goes right and up, and the ball right.
const std::vector<SolverMove> stopperWalk = {
    {1, 1, pushDown}, {1, 3, pushUp},    {1, 1, pushDown}, {1, 3, pushUp},   {1, 1, pushDown},
    {1, 3, pushUp},   {2, 3, pushRight}, {5, 3, pushUp},   {1, 1, pushRight}};

TEST(WalkBridgeTest, AStallReachesThePiecesTheWalksLastMovesNeed) {
    const PicturePuzzle walkStart =
        stopperHall({"#######", "#b....#", "#.x...#", "#.x...#", "#######"});
    const FollowedPath walk = followPushes(walkStart.puzzle, walkStart.start, stopperWalk);
    ASSERT_TRUE(walk.solved);
    ASSERT_EQ(walk.moves.size(), stopperWalk.size());
    // Both boxes stand in the ball's way, where the walk never has them. The bridge must clear
    // the way the walk's last move takes, not only bring a box where it stops the ball.
    const PicturePuzzle stalled =
        stopperHall({"#######", "#bxx..#", "#.....#", "#.....#", "#######"});
    const SearchOutcome bridge = bridgeToWalk(stalled.puzzle, stalled.start, walk, {});
    ASSERT_TRUE(bridge.solved);
    EXPECT_TRUE(followPushes(stalled.puzzle, stalled.start, bridge.moves).solved);
    EXPECT_EQ(bridge.moves.back(), (SolverMove{1, 1, pushRight}));
}

TEST(WalkBridgeTest, TheScramblesLastPushesSolveFromTheGeneratorsPositionBeforeThem) {
    // In this hall play parts from the generator's model: an amoeba changes a mutation cell that
    // the generator's model leaves as it was, and the scramble's pushes no longer solve it.
    const LevelPuzzle made = makeLevelPuzzle("Quorvane", 25);
    const ScrambleWalk& scramble = made.scramble;
    ASSERT_EQ(scramble.keys.size(), scramble.pushes.size());
    ASSERT_FALSE(followPushes(made.puzzle, made.start, scramble.pushes).solved);
    EXPECT_TRUE(isSolvedPosition(made.puzzle, scramble.keys.back().data()));
    const FollowedPath tail = scrambleTail(made.puzzle, scramble);
    ASSERT_TRUE(tail.solved);
    // The longest tail the bridge tries, pushes and positions as the generator made them.
    const std::size_t from = scramble.pushes.size() - 96;
    EXPECT_EQ(tail.keys.front(), scramble.keys[from - 1]);
    EXPECT_TRUE(std::equal(tail.moves.begin(), tail.moves.end(),
                           scramble.pushes.begin() + static_cast<std::ptrdiff_t>(from)));
    EXPECT_FALSE(scrambleTail(made.puzzle, {}).solved);
}

TEST(WalkBridgeTest, AScrambleThatPlayPartsFromIsMendedIntoAWalkFromTheStart) {
    // Play parts from the generator's model five times in this hall, first at push 148; the
    // scramble's pushes up to then stand.
    const LevelPuzzle made = makeLevelPuzzle("Quorvane", 21);
    ASSERT_FALSE(followPushes(made.puzzle, made.start, made.scramble.pushes).solved);
    const FollowedPath mended = mendScramble(made.puzzle, made.start, made.scramble, {});
    ASSERT_TRUE(mended.solved);
    EXPECT_EQ(mended.keys.front(), made.start);
    EXPECT_TRUE(followPushes(made.puzzle, made.start, mended.moves).solved);
    ASSERT_GT(mended.moves.size(), 147U);
    EXPECT_TRUE(
        std::equal(mended.moves.begin(), mended.moves.begin() + 147, made.scramble.pushes.begin()));
    EXPECT_FALSE(mendScramble(made.puzzle, made.start, {}, {}).solved);
}

TEST(WalkBridgeTest, AWalkThatLosesABallIsCoveredOnFromItsMostCoveredPosition) {
    // Ball ends at (6,1) and (7,1). The walk sends the top ball onto (7,1) and back, then the
    // bottom ball across a box cell: from the walk's end one ball is left for two ends.
    const PicturePuzzle hall = puzzleFromPictures(
        {"#########", "#b......#", "#.......#", "#b......#", "#########"},
        {"#########", "#.....bb#", "#.......#", "#.......#", "#########"}, {{4, 3, MutationBox}});
    const FollowedPath walk = followPushes(
        hall.puzzle, hall.start, {{1, 1, pushRight}, {7, 1, pushLeft}, {1, 3, pushRight}});
    ASSERT_EQ(walk.moves.size(), 3U);
    ASSERT_FALSE(walk.solved);
    const SearchOutcome fromEnd = searchMoves(hall.puzzle, walk.keys.back(), {});
    ASSERT_TRUE(!fromEnd.solved && fromEnd.exhausted);
    // The position after the first push covers one end, and the bottom ball, still a ball there,
    // the other.
    const SearchOutcome covered = coverFromWalk(hall.puzzle, walk, {});
    ASSERT_TRUE(covered.solved);
    EXPECT_TRUE(followPushes(hall.puzzle, hall.start, covered.moves).solved);
    EXPECT_EQ(covered.moves.front(), walk.moves.front());
    EXPECT_EQ(covered.moves.size(), 3U);

    // A walk that loses the ball before it covers anything leaves nothing to cover from.
    const FollowedPath lost = followPushes(hall.puzzle, hall.start, {{1, 3, pushRight}});
    ASSERT_EQ(lost.moves.size(), 1U);
    EXPECT_FALSE(coverFromWalk(hall.puzzle, lost, {}).solved);
}

} // namespace
