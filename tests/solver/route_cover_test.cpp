// Covering ends a piece at a time: the routes of one piece pushed alone, an item routed onto its
// end (with a stopper or the end's occupant moved first), and the search around one end.

#include "solver/end_distances.h"
#include "solver/focused_cover.h"
#include "solver/piece_routes.h"
#include "solver/position_moves.h"
#include "solver/route_cover.h"
#include "solver/solver_pictures.h"

#include <gtest/gtest.h>

namespace {

int standingAt(const HallPuzzle& puzzle, int x, int y) {
    return puzzle.standingIndex[x * hallSize + y];
}

PositionKey afterMoves(const PicturePuzzle& p, const std::vector<SolverMove>& moves) {
    PositionMoves model(p.puzzle);
    PositionKey key = p.start, next(key.size());
    for (const SolverMove& move : moves) {
        EXPECT_TRUE(model.apply(key.data(), move, next.data()));
        key = next;
    }
    return key;
}

TEST(PieceRoutesTest, FollowsThePushedPieceWhereItHandsItsMotionOn) {
    // The first ball runs into the second, stops beside it and sends it on to the wall.
    const PicturePuzzle p = puzzleFromPictures({"#######", "#b..b.#", "#.....#", "#######"},
                                               {"#######", "#.....#", "#.....#", "#######"});
    PositionMoves model(p.puzzle);
    PieceRoutes routes(p.puzzle, model);
    routes.explore(p.start.data(), standingAt(p.puzzle, 1, 1), 3);

    const int beside = standingAt(p.puzzle, 3, 1);
    ASSERT_EQ(routes.pushesTo(beside, CellBall), 1);
    const std::uint8_t* reached = routes.keyAt(beside, CellBall);
    EXPECT_EQ(pieceAt(reached, standingAt(p.puzzle, 4, 1)), CellFloor);
    EXPECT_EQ(pieceAt(reached, standingAt(p.puzzle, 5, 1)), CellBall);

    const int corner = standingAt(p.puzzle, 5, 2);
    const std::vector<SolverMove> expected{{1, 1, pushDown}, {1, 2, pushRight}};
    EXPECT_EQ(routes.movesTo(corner, CellBall), expected);
    EXPECT_EQ(routes.pushesTo(corner, CellFloor), 2);
    EXPECT_EQ(routes.pushesTo(corner, CellBox), -1);
    // The route's key is the model's position after its moves.
    const PositionKey played = afterMoves(p, expected);
    EXPECT_TRUE(std::equal(played.begin(), played.end(), routes.keyAt(corner, CellBall)));
}

TEST(PieceRoutesTest, KnowsTheKindAPieceArrivesWith) {
    const PicturePuzzle p =
        puzzleFromPictures({"#######", "#x....#", "#######"}, {"#######", "#.....#", "#######"},
                           {{3, 1, MutationBall}});
    PositionMoves model(p.puzzle);
    PieceRoutes routes(p.puzzle, model);
    routes.explore(p.start.data(), standingAt(p.puzzle, 1, 1), 2);
    EXPECT_EQ(routes.pushesTo(standingAt(p.puzzle, 5, 1), CellBall), 1);
    EXPECT_EQ(routes.pushesTo(standingAt(p.puzzle, 5, 1), CellBox), -1);
    // Back to the left it stays a ball: the cell takes nothing from an item.
    EXPECT_EQ(routes.pushesTo(standingAt(p.puzzle, 1, 1), CellBall), 2);
    EXPECT_EQ(routes.pushesTo(standingAt(p.puzzle, 1, 1), CellBox), 0);
}

struct CoverCase {
    const char* what;
    PicturePuzzle puzzle;
    std::vector<SolverMove> moves;
};

std::vector<CoverCase> coverCases() {
    std::vector<CoverCase> cases;
    cases.push_back({"a box brought up first stops the ball on its end",
                     puzzleFromPictures({"#######", "#b....#", "#....x#", "#######"},
                                        {"#######", "#...b.#", "#.....#", "#######"}),
                     {{5, 2, pushUp}, {1, 1, pushRight}}});
    cases.push_back({"the amoeba standing on the end moves off it first",
                     puzzleFromPictures({"#######", "#b...X#", "#.....#", "#######"},
                                        {"#######", "#....b#", "#.....#", "#######"}),
                     {{5, 1, pushDown}, {1, 1, pushRight}}});
    cases.push_back(
        {"an amoeba gives the mutation cell its kind before the box crosses it",
         puzzleFromPictures({"#########", "#...B...#", "#x......#", "#.......#", "#########"},
                            {"#########", "#.......#", "#......b#", "#.......#", "#########"},
                            {{4, 2, MutationBox}}),
         {{4, 1, pushDown}, {1, 2, pushRight}}});
    return cases;
}

TEST(RouteCoverTest, CoversAnEndAfterMovingAStopperAnOccupantOrAnAmoeba) {
    for (const CoverCase& c : coverCases()) {
        PositionKey key = c.puzzle.start;
        SearchOutcome outcome;
        ASSERT_TRUE(coverByRoutes(c.puzzle.puzzle, key, outcome, {})) << c.what;
        EXPECT_EQ(outcome.moves, c.moves) << c.what;
        EXPECT_EQ(key, afterMoves(c.puzzle, outcome.moves)) << c.what;
        EXPECT_TRUE(isSolvedPosition(c.puzzle.puzzle, key.data())) << c.what;
    }
}

TEST(RouteCoverTest, NeverUncoversAnEndCoveredBefore) {
    // The only ball route onto the free end at (2,1) runs through the covered end at (4,1)'s
    // ball, which would be pushed off its end into the corner.
    const PicturePuzzle p = puzzleFromPictures({"#######", "#...b.#", "#..b..#", "#######"},
                                               {"#######", "#.b.b.#", "#.....#", "#######"});
    PositionKey key = p.start;
    SearchOutcome outcome;
    if (coverByRoutes(p.puzzle, key, outcome, {})) {
        EXPECT_TRUE(isEndCovered(p.puzzle, key.data(), 1));
        EXPECT_EQ(coveredEnds(p.puzzle, key.data()), 2);
    }
    EXPECT_EQ(key, afterMoves(p, outcome.moves));
}

TEST(RouteCoverTest, GoesOnWhereAnEndWasWalledInAtTheStart) {
    // The middle ball end lies between two covered ends; the box's end is free to take.
    const PicturePuzzle p =
        puzzleFromPictures({"#######", "#b.b.b#", "#######", "#x....#", "#######"},
                           {"#######", "#bbb..#", "#######", "#....x#", "#######"});
    ASSERT_EQ(sealedEnds(p.puzzle, p.start.data()), 1);
    PositionKey key = p.start;
    SearchOutcome outcome;
    ASSERT_TRUE(coverByRoutes(p.puzzle, key, outcome, {}));
    const std::vector<SolverMove> boxRight{{1, 3, pushRight}};
    EXPECT_EQ(outcome.moves, boxRight);
    EXPECT_EQ(coveredEnds(p.puzzle, key.data()), 3);
}

TEST(RouteCoverTest, KeepingEndsReachableFillsTheCorridorFromItsFoot) {
    // The nearer ball can cover the corridor's mouth in one push, but then the other ball can no
    // longer get in to its foot; kept reachable, the first ball goes down to the foot instead.
    const PicturePuzzle p =
        corridorOfTwoEnds({"#######", "#..b.b#", "#.#####", "#.#####", "#######"});
    PositionKey key = p.start;
    SearchOutcome outcome;
    ASSERT_TRUE(coverByRoutes(p.puzzle, key, outcome, {}));
    const std::vector<SolverMove> mouth{{3, 1, pushLeft}};
    EXPECT_EQ(outcome.moves, mouth);
    EXPECT_EQ(strandedEnds(p.puzzle, key.data()), 1);

    key = p.start;
    outcome = {};
    SearchLimits reachable;
    reachable.keepEndsReachable = true;
    ASSERT_TRUE(coverByRoutes(p.puzzle, key, outcome, reachable));
    const std::vector<SolverMove> foot{{3, 1, pushLeft}, {1, 1, pushDown}};
    EXPECT_EQ(outcome.moves, foot);
    EXPECT_EQ(strandedEnds(p.puzzle, key.data()), 0);
    ASSERT_TRUE(coverByRoutes(p.puzzle, key, outcome, reachable));
    EXPECT_TRUE(isSolvedPosition(p.puzzle, key.data()));
}

TEST(RouteCoverTest, CoversOnlyTheEndItIsToldTo) {
    const PicturePuzzle p =
        corridorOfTwoEnds({"#######", "#..b.b#", "#.#####", "#.#####", "#######"});
    SearchLimits told;
    told.endToCover = endAt(p.puzzle, 1, 3);
    PositionKey key = p.start;
    SearchOutcome outcome;
    ASSERT_TRUE(coverByRoutes(p.puzzle, key, outcome, told));
    const std::vector<SolverMove> foot{{3, 1, pushLeft}, {1, 1, pushDown}};
    EXPECT_EQ(outcome.moves, foot);
    // The foot covered, no route covers it again.
    EXPECT_FALSE(coverByRoutes(p.puzzle, key, outcome, told));
}

TEST(RouteCoverTest, RoutesGoAsDeepAsTheyAreAllowed) {
    // The ball reaches its end down the winding corridor in five pushes and no fewer.
    const PicturePuzzle p = puzzleFromPictures(
        {"#######", "#b....#", "#####.#", "#.....#", "#.#####", "#.....#", "#######"},
        {"#######", "#.....#", "#####.#", "#.....#", "#.#####", "#....b#", "#######"});
    PositionKey key = p.start;
    SearchOutcome outcome;
    EXPECT_FALSE(coverByRoutes(p.puzzle, key, outcome, {}, 4));
    EXPECT_EQ(key, p.start);
    ASSERT_TRUE(coverByRoutes(p.puzzle, key, outcome, {}, 5));
    const std::vector<SolverMove> winding{
        {1, 1, pushRight}, {5, 1, pushDown}, {5, 3, pushLeft}, {1, 3, pushDown}, {1, 5, pushRight}};
    EXPECT_EQ(outcome.moves, winding);
    EXPECT_TRUE(isSolvedPosition(p.puzzle, key.data()));
}

TEST(FocusedCoverTest, SearchesOnlyThePiecesAroundTheEnd) {
    // The stopper case again, with a far room whose balls the search must leave alone.
    const PicturePuzzle p =
        puzzleFromPictures({"############", "#b....#b.b.#", "#....x#....#", "############"},
                           {"############", "#...b.#b.b.#", "#.....#....#", "############"});
    PositionKey key = p.start;
    SearchOutcome outcome;
    ASSERT_TRUE(coverNearEnd(p.puzzle, key, outcome, {}));
    EXPECT_TRUE(isSolvedPosition(p.puzzle, key.data()));
    EXPECT_EQ(key, afterMoves(p, outcome.moves));
    for (const SolverMove& move : outcome.moves) {
        EXPECT_LT(move.x, 6) << "a piece of the far room was pushed";
    }
}

} // namespace
