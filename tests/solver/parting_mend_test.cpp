// Mending a scramble where the generator's walk has a mutation cell of a kind its pushes never
// gave it, and the goal that guides the mend's searches.

#include "solver/agreeing_goal.h"
#include "solver/level_solver.h"
#include "solver/parting_mend.h"
#include "solver/position_moves.h"
#include "solver/solver_pictures.h"

#include <gtest/gtest.h>

namespace {

constexpr int ballKind = 0, boxKind = 1, spikeKind = 2;

// A box end at (5,1). The ball at (1,1) turns into a box on the way only where the mutation
// cell at (3,1), a ball cell at the start, has become a box cell; amoeba is what stands at
// (3,2) to change it.
PicturePuzzle mutationHall(char amoeba) {
    std::string below = "#.....#";
    below[3] = amoeba;
    return puzzleFromPictures({"#######", "#b....#", below, "#######"},
                              {"#######", "#....x#", "#.....#", "#######"}, {{3, 1, MutationBall}});
}

const SolverMove amoebaRight{3, 2, pushRight}, ballRight{1, 1, pushRight};

// The generator's walk: the amoeba is sent right, and the generator's position after it has the
// mutation cell a box cell all the same; then the ball, a box from the cell on, covers the end.
ScrambleWalk partingWalk(const PicturePuzzle& hall) {
    PositionMoves model(hall.puzzle);
    ScrambleWalk walk;
    PositionKey key(hall.start.size());
    EXPECT_TRUE(model.apply(hall.start.data(), amoebaRight, key.data()));
    setMutationKind(hall.puzzle, key.data(), 0, boxKind);
    walk.pushes = {amoebaRight, ballRight};
    walk.keys.push_back(key);
    EXPECT_TRUE(model.apply(walk.keys[0].data(), ballRight, key.data()));
    walk.keys.push_back(key);
    return walk;
}

TEST(PartingMendTest, AnAmoebaIsBroughtOverTheCellThePartingLeftOfTheWrongKind) {
    const PicturePuzzle hall = mutationHall('X');
    const ScrambleWalk walk = partingWalk(hall);
    ASSERT_TRUE(isSolvedPosition(hall.puzzle, walk.keys.back().data()));
    ASSERT_FALSE(followPushes(hall.puzzle, hall.start, walk.pushes).solved);

    const FollowedPath mended = mendAtPartings(hall.puzzle, hall.start, walk, {});
    ASSERT_TRUE(mended.solved);
    EXPECT_EQ(mended.keys.front(), hall.start);
    EXPECT_TRUE(followPushes(hall.puzzle, hall.start, mended.moves).solved);
    // The walk's last push is the one that covers the end, once the amoeba made the cell a box
    // cell.
    EXPECT_EQ(mended.moves.back(), ballRight);
    EXPECT_EQ(mutationKind(hall.puzzle, mended.keys[mended.keys.size() - 2].data(), 0), boxKind);
}

TEST(PartingMendTest, AWalkIsNotMendedWhereNoPieceCanGiveTheCellItsKind) {
    // A ball amoeba cannot make the cell a box cell, and nothing else can.
    const PicturePuzzle hall = mutationHall('B');
    EXPECT_FALSE(mendAtPartings(hall.puzzle, hall.start, partingWalk(hall), {}).solved);
    EXPECT_FALSE(mendAtPartings(hall.puzzle, hall.start, {}, {}).solved);
}

TEST(PartingMendTest, WhereNoJoinIsFoundTheMendTakesTheJoinBeforeItsNextTry) {
    // A ball end at (5,1), and a spike cell at (3,1) that turns the ball into a spike for good.
    const PicturePuzzle hall =
        puzzleFromPictures({"#######", "#b....#", "#.....#", "#######"},
                           {"#######", "#....b#", "#.....#", "#######"}, {{3, 1, MutationSpike}});
    // The generator's walk sends the ball down, yet has it stay; then right onto the end, yet a
    // ball still.
    const SolverMove ballDown{1, 1, pushDown}, ballRight{1, 1, pushRight};
    PositionKey onEnd(hall.start.size());
    ASSERT_TRUE(PositionMoves(hall.puzzle).apply(hall.start.data(), ballRight, onEnd.data()));
    ASSERT_FALSE(isSolvedPosition(hall.puzzle, onEnd.data()));
    const int ball = nibbleAt(hall.start.data(), hall.puzzle.standingIndex[1 * hallSize + 1]);
    setNibble(onEnd.data(), hall.puzzle.standingIndex[5 * hallSize + 1], ball);
    const ScrambleWalk walk{{ballDown, ballRight}, {hall.start, onEnd}};

    // The first join brings the ball back up, and the walk's push makes it a spike; at the end
    // no join is found. Taken again, the parting joins the walk's end along the row below.
    const FollowedPath mended = mendAtPartings(hall.puzzle, hall.start, walk, {});
    ASSERT_TRUE(mended.solved);
    EXPECT_EQ(mended.moves, (std::vector<SolverMove>{ballDown, {1, 2, pushRight}, {5, 2, pushUp}}));
}

TEST(PartingMendTest, AWalkWithoutPartingsKeepsOnlyThePushesThatBearOnTheEnds) {
    // Here the cell is a box cell from the start: the amoeba's push changes nothing the ball
    // meets, and the ball's push alone solves.
    PicturePuzzle hall = mutationHall('X');
    setMutationKind(hall.puzzle, hall.start.data(), 0, boxKind);
    const FollowedPath walk = followPushes(hall.puzzle, hall.start, {amoebaRight, ballRight});
    ASSERT_TRUE(walk.solved);
    const ScrambleWalk scramble{walk.moves, {walk.keys.begin() + 1, walk.keys.end()}};
    const FollowedPath mended = mendAtPartings(hall.puzzle, hall.start, scramble, {});
    ASSERT_TRUE(mended.solved);
    EXPECT_EQ(mended.moves, std::vector<SolverMove>{ballRight});
}

TEST(PartingMendTest, AKindThatDiffersWhereNoPushsOutcomeDependsOnItNeedsNoJoin) {
    // The generator's walk has the cell at (3,1) a spike cell after the ball goes down. The box
    // amoeba then stands on the cell and makes it a box cell whatever its kind was; back up, the
    // ball turns into a box there and covers the end at (5,1).
    const PicturePuzzle hall = puzzleFromPictures(
        {"#######", "#b....#", "#.....#", "#..X..#", "#######"},
        {"#######", "#....x#", "#.....#", "#..X..#", "#######"}, {{3, 1, MutationBall}});
    const std::vector<SolverMove> pushes = {
        {1, 1, pushDown}, {3, 3, pushUp}, {3, 1, pushDown}, {1, 3, pushUp}, {1, 1, pushRight}};
    PositionMoves model(hall.puzzle);
    ScrambleWalk walk{pushes, {}};
    PositionKey key = hall.start, next(key.size());
    for (const SolverMove& push : pushes) {
        ASSERT_TRUE(model.apply(key.data(), push, next.data()));
        key = next;
        if (walk.keys.empty()) {
            setMutationKind(hall.puzzle, key.data(), 0, spikeKind);
        }
        walk.keys.push_back(key);
    }
    ASSERT_TRUE(isSolvedPosition(hall.puzzle, key.data()));

    // The walk's own pushes are the mend, found without a search: none has time to run.
    SearchLimits noTime;
    noTime.deadline = SolverClock::now();
    const FollowedPath mended = mendAtPartings(hall.puzzle, hall.start, walk, noTime);
    ASSERT_TRUE(mended.solved);
    EXPECT_EQ(mended.moves, pushes);
}

TEST(PartingMendTest, AJoinNeedsNoKindThatAnAmoebaGivesTheCellBeforeAnItemCrossesIt) {
    // The generator's walk has the ball at (6,4) stay put when sent left, and the cell at (3,1)
    // a spike cell, which no piece here can make it. The walk then sends the ball left after all;
    // the box amoeba makes the cell a box cell before the ball at (1,1) crosses it to the box end.
    const PicturePuzzle hall =
        puzzleFromPictures({"########", "#b.....#", "#......#", "#..X...#", "#.....b#", "########"},
                           {"########", "#.....x#", "#......#", "#......#", "#b.....#", "########"},
                           {{3, 1, MutationBall}});
    const SolverMove ballLeft{6, 4, pushLeft};
    const std::vector<SolverMove> pushes = {
        ballLeft, ballLeft, {3, 3, pushUp}, {3, 1, pushDown}, {1, 1, pushRight}};
    PositionMoves model(hall.puzzle);
    PositionKey stayed = hall.start, key(stayed.size());
    setMutationKind(hall.puzzle, stayed.data(), 0, spikeKind);
    ScrambleWalk walk{pushes, {stayed}};
    for (std::size_t k = 1; k < pushes.size(); ++k) {
        ASSERT_TRUE(model.apply(walk.keys.back().data(), pushes[k], key.data()));
        walk.keys.push_back(key);
    }
    ASSERT_TRUE(isSolvedPosition(hall.puzzle, key.data()));

    // The walk parts at its second push, where the mend has the ball at (1,4) already; the join
    // brings it back without making the cell a spike cell.
    const FollowedPath mended = mendAtPartings(hall.puzzle, hall.start, walk, {});
    ASSERT_TRUE(mended.solved);
    EXPECT_EQ(mended.moves,
              (std::vector<SolverMove>{
                  ballLeft, {1, 4, pushRight}, ballLeft, pushes[2], pushes[3], pushes[4]}));
}

// A generated hall whose scramble does not replay, mended from its start: the mended walk
// solves when played from there.
FollowedPath mendedFromItsStart(const LevelPuzzle& made) {
    EXPECT_FALSE(followPushes(made.puzzle, made.start, made.scramble.pushes).solved);
    FollowedPath mended = mendAtPartings(made.puzzle, made.start, made.scramble, {});
    EXPECT_TRUE(mended.solved);
    EXPECT_TRUE(followPushes(made.puzzle, made.start, mended.moves).solved);
    return mended;
}

TEST(PartingMendTest, AGeneratedHallWhoseScramblePartsIsMendedFromItsStart) {
    // The generator's walk parts from the model twice in this hall, and the old mend, joining
    // only after the last parting, found no way.
    const LevelPuzzle made = makeLevelPuzzle("Quorvane", 80);
    const FollowedPath mended = mendedFromItsStart(made);
    ASSERT_TRUE(mended.solved);
    EXPECT_EQ(mended.keys.front(), made.start);
}

TEST(PartingMendTest, WhereNoJoinIsFoundAtThePartingTheMendJoinsWhereTheKindsParted) {
    // A box end at (8,1), and a ball cell at (4,1) between the ball and the end. The box amoeba
    // at (5,1) that alone can make it a box cell is sent down, where the arrow at (5,3) shuts it
    // in for good; the generator has the cell a box cell after that push all the same.
    const PicturePuzzle hall =
        puzzleFromPictures({"##########", "#b...X...#", "#...#.####", "#####...##", "##########"},
                           {"##########", "#.......x#", "#...#.####", "#####...##", "##########"},
                           {{4, 1, MutationBall}, {5, 3, ArrowRight}});
    const SolverMove amoebaDown{5, 1, pushDown}, ballRight{1, 1, pushRight};
    PositionMoves model(hall.puzzle);
    PositionKey shutIn(hall.start.size()), solved(hall.start.size());
    ASSERT_TRUE(model.apply(hall.start.data(), amoebaDown, shutIn.data()));
    PositionKey kept = shutIn;
    setMutationKind(hall.puzzle, kept.data(), 0, boxKind);
    ASSERT_TRUE(model.apply(kept.data(), ballRight, solved.data()));
    ASSERT_TRUE(isSolvedPosition(hall.puzzle, solved.data()));
    // No join at the parting: from where the walk's first push leaves the amoeba, nothing
    // solves.
    EXPECT_TRUE(searchMoves(hall.puzzle, shutIn, {}).exhausted);

    // From before that push, the amoeba goes over the cell and out of the ball's way instead.
    const ScrambleWalk walk{{amoebaDown, ballRight}, {kept, solved}};
    const FollowedPath mended = mendAtPartings(hall.puzzle, hall.start, walk, {});
    ASSERT_TRUE(mended.solved);
    EXPECT_EQ(mended.moves.back(), ballRight);
    EXPECT_NE(mended.moves.front(), amoebaDown);
}

TEST(PartingMendTest, AHallWhoseJoinsCannotAgreeOnTheWholeWalkIsMendedAFewPushesAtATime) {
    // Here the mend's searches for a position that agrees with the generator's on every cell its
    // walk reads on all fail; joins that agree only on the cells of the next pushes get through,
    // and later joins mend what they leave.
    mendedFromItsStart(makeLevelPuzzle("Tessmark", 85));
}

TEST(AgreeingGoalTest, AMutationCellOfTheWrongKindCountsThePushesOfTheNearestAmoebaOfTheKind) {
    const PicturePuzzle near = mutationHall('X');
    PositionKey boxCell = near.start;
    setMutationKind(near.puzzle, boxCell.data(), 0, boxKind);
    std::vector<char> cells(hallSize * hallSize + specialCapacity, 0);
    cells[hallSize * hallSize + static_cast<std::size_t>(near.puzzle.mutations[0])] = 1;
    const AgreeingGoal goal(near.puzzle, boxCell.data(), cells);
    EXPECT_TRUE(goal.reached(boxCell.data()));
    EXPECT_EQ(goal.estimate(boxCell.data()), 0);
    // Right below the cell, the amoeba runs up onto it in one push; from the corner it needs
    // more.
    EXPECT_FALSE(goal.reached(near.start.data()));
    EXPECT_EQ(goal.estimate(near.start.data()), 1);
    PositionMoves model(near.puzzle);
    PositionKey far(near.start.size());
    ASSERT_TRUE(model.apply(near.start.data(), amoebaRight, far.data()));
    EXPECT_GT(goal.estimate(far.data()), 1);
    // With no amoeba of the kind, the cell counts as a long way.
    const PicturePuzzle none = mutationHall('B');
    EXPECT_EQ(goal.estimate(none.start.data()), EndDistances::unreachable);
}

// Cells other than items count one each while they differ, across the whole key and on no
// cell not asked for; the hall has an odd count of cells, so its mutation cell's kind shares the
// last byte of the pieces.
TEST(AgreeingGoalTest, EachCellAskedForCountsOneWhileItDiffers) {
    const std::initializer_list<std::string> picture = {
        "#####################", "#X.................X#", "#...................#",
        "#.........X.........#", "#####################"};
    const PicturePuzzle hall = puzzleFromPictures(picture, picture, {{10, 2, MutationBall}});
    const auto index = [&](int x, int y) { return hall.puzzle.standingIndex[x * hallSize + y]; };
    PositionKey target = hall.start;
    setPieceAt(target.data(), index(19, 1), CellFloor);
    setPieceAt(target.data(), index(19, 3), pieceAt(hall.start.data(), index(1, 1)));
    setPieceAt(target.data(), index(10, 3), CellFloor);
    setPieceAt(target.data(), index(11, 3), pieceAt(hall.start.data(), index(1, 1)));
    setMutationKind(hall.puzzle, target.data(), 0, boxKind);
    ASSERT_EQ(index(19, 3), static_cast<int>(hall.puzzle.standing.size()) - 1);

    std::vector<char> cells(hallSize * hallSize + specialCapacity, 0);
    for (int cell : hall.puzzle.standing) {
        cells[static_cast<std::size_t>(cell)] = 1;
    }
    const AgreeingGoal everyCell(hall.puzzle, target.data(), cells);
    EXPECT_EQ(everyCell.estimate(hall.start.data()), 4);
    EXPECT_FALSE(everyCell.reached(hall.start.data()));
    EXPECT_TRUE(everyCell.reached(target.data()));
    EXPECT_EQ(everyCell.estimate(target.data()), 0);

    for (int x = 1; x < 20; ++x) {
        cells[static_cast<std::size_t>(x * hallSize + 3)] = 0;
    }
    EXPECT_EQ(AgreeingGoal(hall.puzzle, target.data(), cells).estimate(hall.start.data()), 1);
}

// The differing cells are counted eight key bytes at a time: a key whose every cell differs
// counts each, however many share a word.
TEST(AgreeingGoalTest, AKeyDifferingOnEveryCellCountsThemAll) {
    const std::initializer_list<std::string> picture = {
        "#####################", "#...................#", "#...................#",
        "#...................#", "#####################"};
    const PicturePuzzle hall = puzzleFromPictures(picture, picture);
    PositionKey target = hall.start;
    std::vector<char> cells(hallSize * hallSize + specialCapacity, 0);
    for (std::size_t i = 0; i < hall.puzzle.standing.size(); ++i) {
        setPieceAt(target.data(), static_cast<int>(i), CellAmoebaBox);
        cells[static_cast<std::size_t>(hall.puzzle.standing[i])] = 1;
    }
    const AgreeingGoal goal(hall.puzzle, target.data(), cells);
    EXPECT_EQ(goal.estimate(hall.start.data()), 57);
    EXPECT_EQ(goal.estimate(target.data()), 0);
}

} // namespace
