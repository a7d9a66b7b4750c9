// The grid model as the solver uses it: pushes tried and taken back, the play rule for amoebas
// leaving mutation cells, positions packed into keys, the bounded store and the path shortcuts.

#include "hall/push_scrambler.h"
#include "solver/path_shortcuts.h"
#include "solver/position_moves.h"
#include "solver/position_store.h"
#include "solver/solver_pictures.h"
#include "solver/stretch_shortcuts.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(TrialPushTest, APushTriedIsTakenBackCompletely) {
    auto hall = hallFromPicture({"#######", "#b.X..#", "#######"});
    hall->specialX[0] = 5, hall->specialY[0] = 1, hall->specialCode[0] = MutationSpike;
    saveGrid(*hall);
    std::int32_t before[hallSize][hallSize];
    std::memcpy(before, hall->grid, sizeof before);
    TrialPush trial(*hall);
    ASSERT_TRUE(trial.run(*hall, 1, 1, pushRight));
    EXPECT_EQ(pictureRow(*hall, 1, 7), "#.b..B#");
    EXPECT_EQ(hall->specialCode[0], MutationBall);
    trial.takeBack(*hall);
    EXPECT_EQ(std::memcmp(before, hall->grid, sizeof before), 0);
    EXPECT_EQ(hall->specialCode[0], MutationSpike);
}

// An amoeba of kind ball resting on a mutation cell of kind box, pushed right towards what
// stands in the next cell.
struct Leaving {
    const char* row;
    CellCode cellAfterTrial;
};

TEST(TrialPushTest, AnAmoebaLeavingAMutationCellGivesItItsKindUnlessItRunsIntoAnItem) {
    const Leaving cases[] = {
        {"#.B..#", MutationBall}, // slides off
        {"#..#B#", MutationBall}, // stopped by the wall at once
        {"#.BX.#", MutationBall}, // sets the other amoeba going
        {"#.Bx.#", MutationBox},  // turns into a box amoeba and stays
    };
    for (const Leaving& c : cases) {
        auto hall = hallFromPicture({"######", c.row, "######"});
        int x = 0;
        while (hall->grid[x][1] != CellAmoebaBall) {
            ++x;
        }
        hall->specialX[0] = x, hall->specialY[0] = 1, hall->specialCode[0] = MutationBox;
        saveGrid(*hall);
        TrialPush trial(*hall);
        ASSERT_TRUE(trial.run(*hall, x, 1, pushRight)) << c.row;
        EXPECT_EQ(hall->specialCode[0], c.cellAfterTrial) << c.row;
        // The scramble's own model keeps the cell as it was.
        trial.takeBack(*hall);
        push(*hall, x, 1, pushRight, slideUntilBlocked);
        EXPECT_EQ(hall->specialCode[0], MutationBox) << c.row;
    }
}

TEST(PositionKeyTest, PackAndUnpackKeepPiecesAndMutationKinds) {
    const PicturePuzzle p = puzzleFromPictures({"######", "#bXs.#", "#.x.S#", "######"},
                                               {"######", "#....#", "#....#", "######"},
                                               {{4, 1, MutationSpike}, {2, 2, ArrowUp}});
    HallGrid hall;
    fillFixedHall(p.puzzle, hall);
    unpackPosition(p.puzzle, p.start.data(), hall);
    EXPECT_EQ(pictureRow(hall, 1, 6), "#bXs.#");
    EXPECT_EQ(pictureRow(hall, 2, 6), "#.x.S#");
    EXPECT_EQ(hall.specialCode[0], MutationSpike);
    EXPECT_EQ(hall.specialCode[1], ArrowUp);
    EXPECT_EQ(packPosition(p.puzzle, hall.grid, hall.specialCode), p.start);
}

TEST(PositionMovesTest, ForbiddenAndEmptyPushesAreNoMoves) {
    // The ball may not run into the spike; pushing either against a wall changes nothing.
    const PicturePuzzle p =
        puzzleFromPictures({"#####", "#bs.#", "#####"}, {"#####", "#.bs#", "#####"});
    PositionMoves moves(p.puzzle);
    PositionChildren children;
    moves.expand(p.start.data(), children);
    ASSERT_EQ(children.moves.size(), 1u);
    EXPECT_EQ(children.moves[0], (SolverMove{2, 1, pushRight}));
    PositionKey child(p.start.size());
    EXPECT_FALSE(moves.apply(p.start.data(), {1, 1, pushRight}, child.data()));
    EXPECT_FALSE(moves.apply(p.start.data(), {3, 1, pushRight}, child.data())); // no piece
}

TEST(PositionStoreTest, KeepsEachPositionOnceAndStopsAtItsBudget) {
    PositionStore store(3, 2000);
    const std::uint8_t a[3] = {1, 2, 3}, b[3] = {1, 2, 4};
    bool added = false;
    const int first = store.insert(a, PositionStore::none, {}, &added);
    EXPECT_TRUE(added);
    EXPECT_EQ(store.insert(b, first, {4, 5, pushUp}, &added), 1);
    EXPECT_EQ(store.insert(a, 1, {}, &added), first);
    EXPECT_FALSE(added);
    EXPECT_EQ(store.find(b), 1);
    EXPECT_EQ(store.depth(1), 1);
    EXPECT_EQ(store.pathTo(1), (std::vector<SolverMove>{{4, 5, pushUp}}));
    int last = 0;
    for (int i = 0; i < 1000 && last != PositionStore::full; ++i) {
        const std::uint8_t key[3] = {static_cast<std::uint8_t>(i),
                                     static_cast<std::uint8_t>(i >> 8), 9};
        last = store.insert(key, 0, {}, &added);
    }
    EXPECT_EQ(last, PositionStore::full);
    EXPECT_EQ(store.size(), store.capacity());
    EXPECT_EQ(store.find(a), first);
}

TEST(PositionStoreTest, FindsEveryKeyAfterTheTableGrows) {
    // Keys of 11 bytes hash a full word and a tail; keys differing in the tail alone and in the
    // word alone must stay apart through several doublings of the table.
    PositionStore store(11, std::size_t{4} << 20);
    auto keyOf = [](int i) {
        std::vector<std::uint8_t> key(11, 7);
        key[i % 2 == 0 ? 10 : 3] = static_cast<std::uint8_t>(i);
        key[i % 2 == 0 ? 9 : 2] = static_cast<std::uint8_t>(i >> 8);
        return key;
    };
    bool added = false;
    constexpr int count = 5000;
    for (int i = 0; i < count; ++i) {
        ASSERT_EQ(store.insert(keyOf(i).data(), i - 1, {}, &added), i);
        ASSERT_TRUE(added);
    }
    for (int i = 0; i < count; ++i) {
        EXPECT_EQ(store.find(keyOf(i).data()), i);
        EXPECT_EQ(store.insert(keyOf(i).data(), 0, {}, &added), i);
        EXPECT_FALSE(added);
    }
    const std::vector<std::uint8_t> other(11, 8);
    EXPECT_EQ(store.find(other.data()), PositionStore::none);
}

TEST(PathShortcutsTest, LoopsAndDetoursOfTheScrambleAreCut) {
    const PicturePuzzle p = puzzleFromPictures({"#######", "#b....#", "#....x#", "#######"},
                                               {"#######", "#...bx#", "#.....#", "#######"});
    // Down and back up is a loop; the ball's trip down and right is a detour. The box pushed
    // into the wall changes nothing and is left out.
    const std::vector<SolverMove> pushes = {{1, 1, pushDown},  {1, 2, pushUp},    {1, 1, pushDown},
                                            {1, 2, pushRight}, {5, 2, pushRight}, {4, 2, pushUp},
                                            {5, 2, pushUp}};
    const FollowedPath path = followPushes(p.puzzle, p.start, pushes);
    ASSERT_TRUE(path.solved);
    EXPECT_EQ(path.moves.size(), 6u);
    EXPECT_EQ(path.keys.size(), 7u);
    const auto moves = shortenPath(p.puzzle, path, {});
    EXPECT_EQ(moves, (std::vector<SolverMove>{{5, 2, pushUp}, {1, 1, pushRight}}));
}

TEST(StretchShortcutsTest, AStretchIsDoneInFewerPushesOfItsPieces) {
    const PicturePuzzle p = puzzleFromPictures({"#######", "#b....#", "#..x..#", "#######"},
                                               {"#######", "#....b#", "#x....#", "#######"});
    // The box goes right and back left past its start before the ball's push: one push left
    // does the same. The search from the start finds it, and the moves after it stand.
    const std::vector<SolverMove> pushes = {{3, 2, pushRight}, {5, 2, pushLeft}, {1, 1, pushRight}};
    const FollowedPath path = followPushes(p.puzzle, p.start, pushes);
    ASSERT_TRUE(path.solved);
    ASSERT_EQ(path.moves.size(), 3u);
    const FollowedPath shorter = shortenStretches(p.puzzle, path, {});
    EXPECT_TRUE(shorter.solved);
    EXPECT_EQ(shorter.moves, (std::vector<SolverMove>{{3, 2, pushLeft}, {1, 1, pushRight}}));
    EXPECT_EQ(shorter.keys.size(), 3u);
}

} // namespace
