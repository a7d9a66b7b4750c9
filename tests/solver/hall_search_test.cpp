// The solver's searches on small hand-drawn halls whose shortest solutions are known.

#include "solver/end_by_end.h"
#include "solver/end_distances.h"
#include "solver/hall_search.h"
#include "solver/hall_solver.h"
#include "solver/hill_climb.h"
#include "solver/path_shortcuts.h"
#include "solver/position_moves.h"
#include "solver/solver_pictures.h"

#include <gtest/gtest.h>

namespace {

// Plays moves on the model from the start; true when they end solved.
bool solvesInModel(const PicturePuzzle& p, const std::vector<SolverMove>& moves) {
    PositionMoves model(p.puzzle);
    PositionKey key = p.start, next(key.size());
    for (const SolverMove& move : moves) {
        if (!model.apply(key.data(), move, next.data())) {
            return false;
        }
        key = next;
    }
    return isSolvedPosition(p.puzzle, key.data());
}

struct KnownHall {
    const char* what;
    PicturePuzzle puzzle;
    std::vector<SolverMove> shortest; // the only shortest solution
};

std::vector<KnownHall> knownHalls() {
    std::vector<KnownHall> halls;
    halls.push_back({"one slide to the wall",
                     puzzleFromPictures({"#####", "#b..#", "#####"}, //
                                        {"#####", "#..b#", "#####"}),
                     {{1, 1, 1}}});
    halls.push_back({"a box pushed up first stops the ball",
                     puzzleFromPictures({"#######", "#b....#", "#....x#", "#######"},
                                        {"#######", "#...bx#", "#.....#", "#######"}),
                     {{5, 2, 2}, {1, 1, 1}}});
    halls.push_back({"a hit box moves one cell, twice",
                     puzzleFromPictures({"########", "#b.x...#", "########"},
                                        {"########", "#..b.x.#", "########"}),
                     {{1, 1, 1}, {2, 1, 1}}});
    halls.push_back({"the ball may not run into the spike, so it goes round",
                     puzzleFromPictures({"######", "#b.s.#", "#..#.#", "#....#", "######"},
                                        {"######", "#..sb#", "#..#.#", "#....#", "######"}),
                     {{1, 1, 3}, {1, 3, 1}, {4, 3, 2}}});
    halls.push_back({"a box crossing a ball cell ends as a ball",
                     puzzleFromPictures({"#######", "#x....#", "#######"},
                                        {"#######", "#....b#", "#######"}, {{3, 1, MutationBall}}),
                     {{1, 1, 1}}});
    halls.push_back(
        {"a ball stops at an amoeba, which takes its kind and slides on",
         puzzleFromPictures({"#######", "#b.X..#", "#######"}, {"#######", "#.b...#", "#######"}),
         {{1, 1, 1}}});
    halls.push_back(
        {"an arrow turns the ball down into the corner",
         puzzleFromPictures({"######", "#b...#", "#....#", "######"},
                            {"######", "#....#", "#..b.#", "######"}, {{3, 1, ArrowDown}}),
         {{1, 1, 1}}});
    return halls;
}

TEST(HallSearchTest, BreadthFirstFindsTheKnownShortestSolution) {
    for (const KnownHall& hall : knownHalls()) {
        const SearchOutcome outcome = searchMoves(hall.puzzle.puzzle, hall.puzzle.start, {});
        EXPECT_TRUE(outcome.solved) << hall.what;
        EXPECT_EQ(outcome.moves, hall.shortest) << hall.what;
        EXPECT_TRUE(solvesInModel(hall.puzzle, outcome.moves)) << hall.what;
    }
}

TEST(HallSearchTest, SolverPlanLeadsWithTheShortestSolution) {
    for (const KnownHall& hall : knownHalls()) {
        const SolverAnswer answer = solvePuzzle(hall.puzzle.puzzle, hall.puzzle.start, {}, {});
        ASSERT_FALSE(answer.solutions.empty()) << hall.what;
        EXPECT_TRUE(answer.shortest) << hall.what;
        EXPECT_EQ(answer.solutions[0], hall.shortest) << hall.what;
    }
}

TEST(HallSearchTest, BestFirstAndTheClimbSolveToo) {
    SearchLimits limits;
    limits.weight = 2;
    for (const KnownHall& hall : knownHalls()) {
        const SearchOutcome best = searchMoves(hall.puzzle.puzzle, hall.puzzle.start, limits);
        EXPECT_TRUE(best.solved) << hall.what;
        EXPECT_TRUE(solvesInModel(hall.puzzle, best.moves)) << hall.what;
        const SearchOutcome climbed = climbMoves(hall.puzzle.puzzle, hall.puzzle.start, limits);
        EXPECT_TRUE(climbed.solved) << hall.what;
        EXPECT_TRUE(solvesInModel(hall.puzzle, climbed.moves)) << hall.what;
    }
}

TEST(HallSearchTest, CoveringEndByEndSolvesTheKnownHalls) {
    for (const KnownHall& hall : knownHalls()) {
        const SearchOutcome outcome = coverEndByEnd(hall.puzzle.puzzle, hall.puzzle.start, {});
        EXPECT_TRUE(outcome.solved) << hall.what;
        EXPECT_TRUE(solvesInModel(hall.puzzle, outcome.moves)) << hall.what;
    }
}

TEST(HallSearchTest, TheEstimateCountsAPieceThatMustLeaveAFreeEnd) {
    const PicturePuzzle open = puzzleFromPictures({"#######", "#b....#", "#######"}, //
                                                  {"#######", "#....b#", "#######"});
    EXPECT_EQ(EndDistances(open.puzzle).estimate(open.start.data()), 1);
    const PicturePuzzle taken = puzzleFromPictures({"#######", "#b...X#", "#######"}, //
                                                   {"#######", "#....b#", "#######"});
    EXPECT_EQ(EndDistances(taken.puzzle).estimate(taken.start.data()), 2);
}

// Side by side, the pieces share key bytes; each item counts once, for the end it is nearest.
TEST(HallSearchTest, TheEstimateGivesEachFreeEndItsOwnNearestItem) {
    // The right ball slides to the wall's end in one push; the other ball and the box each need
    // a piece to stop them, two pushes.
    const PicturePuzzle row = puzzleFromPictures({"#########", "#bbx....#", "#########"}, //
                                                 {"#########", "#....xbb#", "#########"});
    EXPECT_EQ(EndDistances(row.puzzle).estimate(row.start.data()), 5);
    // A box cannot become a ball: the ball end it would need counts as out of reach.
    const PicturePuzzle wrongKind = puzzleFromPictures({"#########", "#bxx....#", "#########"}, //
                                                       {"#########", "#....xbb#", "#########"});
    EXPECT_EQ(EndDistances(wrongKind.puzzle).estimate(wrongKind.start.data()),
              1 + 2 + EndDistances::unreachable);
}

// The distances follow the mutation cells' kinds in the position, not those the hall began with.
TEST(HallSearchTest, TheEstimateFollowsTheMutationCellsOfThePosition) {
    const PicturePuzzle hall =
        puzzleFromPictures({"########", "#x.....#", "########"}, //
                           {"########", "#.....b#", "########"}, {{3, 1, MutationBox}});
    const EndDistances distances(hall.puzzle);
    // A box stays a box over a box cell and never becomes the ball the end wants.
    EXPECT_EQ(distances.estimate(hall.start.data()), EndDistances::unreachable);
    PositionKey turned = hall.start;
    setMutationKind(hall.puzzle, turned.data(), 0, 0); // the cell now makes balls
    EXPECT_EQ(distances.estimate(turned.data()), 1);
    EXPECT_EQ(distances.nearestItems(turned.data(), 0, 1).size(), 1u);
    EXPECT_EQ(distances.estimate(hall.start.data()), EndDistances::unreachable);
}

TEST(HallSearchTest, AFreeEndWalledInByCoveredEndsIsSealed) {
    const PicturePuzzle open = puzzleFromPictures({"######", "#bb..#", "######"}, //
                                                  {"######", "#..bb#", "######"});
    EXPECT_EQ(sealedEnds(open.puzzle, open.start.data()), 0);
    const PicturePuzzle allCovered = puzzleFromPictures({"######", "#.bbb#", "######"}, //
                                                        {"######", "#..bb#", "######"});
    EXPECT_EQ(sealedEnds(allCovered.puzzle, allCovered.start.data()), 0);
    // The middle end has covered ends on both sides and walls above and below.
    const PicturePuzzle walledIn = puzzleFromPictures({"######", "#.b.b#", "######"}, //
                                                      {"######", "#.bbb#", "######"});
    EXPECT_EQ(sealedEnds(walledIn.puzzle, walledIn.start.data()), 1);
}

TEST(HallSearchTest, AFreeEndOnlyACoveredEndLeadsToIsStranded) {
    const PicturePuzzle open =
        corridorOfTwoEnds({"#######", "#..b.b#", "#.#####", "#.#####", "#######"});
    EXPECT_EQ(strandedEnds(open.puzzle, open.start.data()), 0);
    // With the mouth covered no ball gets into the corridor, though the foot is not walled in.
    const PicturePuzzle mouthCovered =
        corridorOfTwoEnds({"#######", "#b...b#", "#.#####", "#.#####", "#######"});
    EXPECT_EQ(sealedEnds(mouthCovered.puzzle, mouthCovered.start.data()), 0);
    EXPECT_EQ(strandedEnds(mouthCovered.puzzle, mouthCovered.start.data()), 1);
    // A box reaches both, but neither with the ends' kind.
    const PicturePuzzle onlyABox =
        corridorOfTwoEnds({"#######", "#....x#", "#.#####", "#.#####", "#######"});
    EXPECT_EQ(strandedEnds(onlyABox.puzzle, onlyABox.start.data()), 2);
}

TEST(HallSearchTest, APartialGoalKeepsEndsReachableWhenTold) {
    const PicturePuzzle p =
        corridorOfTwoEnds({"#######", "#..b.b#", "#.#####", "#.#####", "#######"});
    SearchLimits oneEnd;
    oneEnd.endsToCover = 1;
    const std::vector<SolverMove> mouth{{3, 1, pushLeft}};
    EXPECT_EQ(searchMoves(p.puzzle, p.start, oneEnd).moves, mouth);
    oneEnd.keepEndsReachable = true;
    const std::vector<SolverMove> foot{{3, 1, pushLeft}, {1, 1, pushDown}};
    EXPECT_EQ(searchMoves(p.puzzle, p.start, oneEnd).moves, foot);
}

TEST(HallSearchTest, APartialGoalCoversTheEndItIsToldTo) {
    const PicturePuzzle p =
        corridorOfTwoEnds({"#######", "#..b.b#", "#.#####", "#.#####", "#######"});
    SearchLimits foot;
    foot.endsToCover = 1;
    foot.endToCover = endAt(p.puzzle, 1, 3);
    const std::vector<SolverMove> down{{3, 1, pushLeft}, {1, 1, pushDown}};
    EXPECT_EQ(searchMoves(p.puzzle, p.start, foot).moves, down);
}

TEST(HallSearchTest, EndsAreCoveredInTheOrderAKnownSolutionLastCoversThem) {
    const PicturePuzzle p =
        corridorOfTwoEnds({"#######", "#..b.b#", "#.#####", "#.#####", "#######"});
    // The walk covers the mouth first, then moves that ball on to the foot and covers the mouth
    // again: for good, the foot comes first.
    const FollowedPath walk =
        followPushes(p.puzzle, p.start, {{3, 1, pushLeft}, {1, 1, pushDown}, {5, 1, pushLeft}});
    ASSERT_TRUE(walk.solved);
    const int foot = endAt(p.puzzle, 1, 3), mouth = endAt(p.puzzle, 1, 1);
    const std::vector<int> order = lastCoverOrder(p.puzzle, walk.keys);
    EXPECT_EQ(order, (std::vector<int>{foot, mouth}));
    const SearchOutcome covered = coverEndByEnd(p.puzzle, p.start, {}, order);
    ASSERT_TRUE(covered.solved);
    EXPECT_EQ(covered.moves, walk.moves);
}

TEST(HallSearchTest, ACoveringThatStallsGoesBackAndCoversTheEndItLeftFreeFirst) {
    // One push covers the end at the row's far wall, the cheapest first step, and shuts the
    // other off: no ball stops on it but against the ball from the shaft, and the arrow lets no
    // ball back. Covered first, with that ball sent up as the stopper, it takes two pushes,
    // the stopper passed on to the far end.
    const PicturePuzzle p = puzzleFromPictures(
        {"#######", "#b....#", "####.##", "####b##", "#######"},
        {"#######", "#..b.b#", "####.##", "####.##", "#######"}, {{2, 1, ArrowRight}});
    const SearchOutcome covered = coverEndByEnd(p.puzzle, p.start, {});
    ASSERT_TRUE(covered.solved);
    const std::vector<SolverMove> stopperFirst{{4, 3, pushUp}, {1, 1, pushRight}};
    EXPECT_EQ(covered.moves, stopperFirst);
}

TEST(HallSearchTest, ACoveringTriesOtherOrdersAndKeepsTheShortest) {
    // The right end first takes the near ball there, and the other ball must go round to the
    // left end: three pushes. The left end first takes two.
    const PicturePuzzle p =
        puzzleFromPictures({"##########", "#...b....#", "#.######.#", "#.......b#", "##########"},
                           {"##########", "#b......b#", "#.######.#", "#........#", "##########"});
    const int left = endAt(p.puzzle, 1, 1), right = endAt(p.puzzle, 8, 1);
    const SearchOutcome covered = coverEndByEnd(p.puzzle, p.start, {}, {right, left});
    ASSERT_TRUE(covered.solved);
    const std::vector<SolverMove> leftFirst{{4, 1, pushLeft}, {8, 3, pushUp}};
    EXPECT_EQ(covered.moves, leftFirst);
}

TEST(HallSearchTest, ASolutionInHandGivesWayToAShorterOne) {
    // Four balls and two boxes, too many positions for a breadth-first search in 2 MB. Weight 2
    // finds 22 moves, shortened to 20; weight 1 finds 13.
    const PicturePuzzle p = puzzleFromPictures(
        {"##########", "#b..x...b#", "#........#", "#...##...#", "#b..x...b#", "##########"},
        {"##########", "#........#", "#.bb.xb..#", "#...##...#", "#...x..b.#", "##########"});
    SearchLimits small;
    small.memoryBytes = std::size_t{2} << 20;
    const SolverAnswer answer = solvePuzzle(p.puzzle, p.start, {}, small);
    ASSERT_FALSE(answer.solutions.empty());
    EXPECT_FALSE(answer.shortest);
    EXPECT_LE(answer.solutions[0].size(), 13u);
    EXPECT_TRUE(solvesInModel(p, answer.solutions[0]));
}

TEST(HallSearchTest, AHallWhoseEndsCannotBeReachedIsSearchedToTheEnd) {
    // The ball's end lies in the other room.
    const PicturePuzzle p = puzzleFromPictures({"#########", "#b..#...#", "#########"},
                                               {"#########", "#...#.b.#", "#########"});
    const SolverAnswer answer = solvePuzzle(p.puzzle, p.start, {}, {});
    EXPECT_TRUE(answer.solutions.empty());
    EXPECT_TRUE(answer.unsolvable);
    EXPECT_FALSE(answer.why.empty());
}

TEST(HallSearchTest, WithoutASolutionTheAnswerOffersProgressTowardsOne) {
    // The end in the closed room can never be covered, but the budget is too small to show it;
    // the end in the corner can be.
    const PicturePuzzle p =
        puzzleFromPictures({"##############", "#b.b.b.b.#...#", "#........#...#", "#........#...#",
                            "#b.b.b.b.#...#", "##############"},
                           {"##############", "#........#...#", "#........#.b.#", "#........#...#",
                            "#.......b#...#", "##############"});
    SearchLimits tiny;
    tiny.memoryBytes = 4096;
    const SolverAnswer answer = solvePuzzle(p.puzzle, p.start, {}, tiny);
    ASSERT_TRUE(answer.solutions.empty());
    EXPECT_FALSE(answer.unsolvable);
    ASSERT_FALSE(answer.progress.empty());
    PositionMoves model(p.puzzle);
    PositionKey key = p.start, next(key.size());
    for (const SolverMove& move : answer.progress) {
        ASSERT_TRUE(model.apply(key.data(), move, next.data()));
        key = next;
    }
    EXPECT_EQ(coveredEnds(p.puzzle, key.data()), 1);

    // A solution leaves no progress beside it.
    const PicturePuzzle open = puzzleFromPictures({"#####", "#b..#", "#####"}, //
                                                  {"#####", "#..b#", "#####"});
    EXPECT_TRUE(solvePuzzle(open.puzzle, open.start, {}, {}).progress.empty());
}

// Eight balls in an open room, four of them on the row of ends: far more positions than a tiny
// budget holds.
PicturePuzzle eightBallRoom() {
    return puzzleFromPictures(
        {"##########", "#b.b.b.b.#", "#........#", "#........#", "#b.b.b.b.#", "##########"},
        {"##########", "#bbbbbbbb#", "#........#", "#........#", "#........#", "##########"});
}

TEST(HallSearchTest, ASearchStopsAtItsMemoryBudgetAndWhenCancelled) {
    const PicturePuzzle p = eightBallRoom();
    SearchLimits tiny;
    tiny.memoryBytes = 4096;
    const SearchOutcome full = searchMoves(p.puzzle, p.start, tiny);
    EXPECT_FALSE(full.solved);
    EXPECT_TRUE(full.outOfMemory);
    EXPECT_LE(full.positions, 100);

    std::atomic<bool> cancel{true};
    SearchLimits cancelled;
    cancelled.cancel = &cancel;
    const SearchOutcome stopped = searchMoves(p.puzzle, p.start, cancelled);
    EXPECT_FALSE(stopped.solved);
    EXPECT_TRUE(stopped.outOfTime);
    EXPECT_FALSE(stopped.exhausted);
}

TEST(HallSearchTest, ASearchStoppedByItsBudgetGoesOnWhereItStopped) {
    // Two more ends covered lie three moves deep, past hundreds of positions.
    const PicturePuzzle p = eightBallRoom();
    SearchLimits sixEnds;
    sixEnds.endsToCover = 6;
    const SearchOutcome whole = searchMoves(p.puzzle, p.start, sixEnds);
    ASSERT_TRUE(whole.solved);

    // Breadth first, a search given a little more memory at a time finds what one search with
    // all the memory finds.
    MoveSearch search(p.puzzle, p.start, sixEnds);
    SearchOutcome outcome;
    int runs = 0;
    for (std::size_t bytes = 4096; !outcome.solved && runs < 20; bytes *= 2, ++runs) {
        outcome = search.run(bytes, SolverClock::time_point::max());
    }
    EXPECT_GT(runs, 2);
    EXPECT_EQ(outcome.moves, whole.moves);
    EXPECT_EQ(outcome.positions, whole.positions);

    // Best first, the whole room from a budget that holds a few positions.
    SearchLimits weighted;
    weighted.weight = 2;
    MoveSearch best(p.puzzle, p.start, weighted);
    ASSERT_TRUE(best.run(4096, SolverClock::time_point::max()).outOfMemory);
    const SearchOutcome solved = best.run(std::size_t{64} << 20, SolverClock::time_point::max());
    ASSERT_TRUE(solved.solved);
    EXPECT_TRUE(solvesInModel(p, solved.moves));
}

} // namespace
