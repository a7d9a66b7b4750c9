// Joining a stalled covering to the walk's last moves.

#include "hall/push_scrambler.h"
#include "solver/walk_bridge.h"
#include "solver_pictures.h"

#include <gtest/gtest.h>

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

} // namespace
