#include "hall/push_scrambler.h"

#include "hall/floor_cells.h"
#include "support/hall_pictures.h"

#include <gtest/gtest.h>

#include <cstring>
#include <utility>
#include <vector>

namespace {

bool sameGrid(const std::int32_t a[hallSize][hallSize], const std::int32_t b[hallSize][hallSize]) {
    return std::memcmp(a, b, sizeof(std::int32_t) * hallSize * hallSize) == 0;
}

// One row of the meeting table: the piece d at x = 2 is pushed right into the piece c at x = 3,
// with floor up to x = 8 and a wall at x = 9.
struct Meeting {
    CellCode moving, hit;
    bool fails;
    CellCode movingAfter; // what stays at x = 2
    CellCode hitAfter;    // the code that carries on
    int hitEndX;          // where it comes to rest
};

class PushMeetingTest : public ::testing::TestWithParam<Meeting> {};

TEST_P(PushMeetingTest, FollowsTheMeetingTable) {
    const Meeting& m = GetParam();
    auto hall = hallFromPicture({"##########", "#........#", "##########"});
    hall->grid[2][1] = m.moving;
    hall->grid[3][1] = m.hit;
    std::int32_t before[hallSize][hallSize];
    std::memcpy(before, hall->grid, sizeof before);

    const bool stood = push(*hall, 2, 1, pushRight, slideUntilBlocked);

    if (m.fails) {
        EXPECT_FALSE(stood);
        EXPECT_TRUE(sameGrid(hall->grid, before)) << pictureRow(*hall, 1, 10);
        return;
    }
    EXPECT_TRUE(stood);
    EXPECT_EQ(hall->grid[2][1], m.movingAfter) << pictureRow(*hall, 1, 10);
    EXPECT_EQ(hall->grid[m.hitEndX][1], m.hitAfter) << pictureRow(*hall, 1, 10);
    EXPECT_EQ(countCells(*hall, CellFloor), 6) << pictureRow(*hall, 1, 10);
}

INSTANTIATE_TEST_SUITE_P(
    AllRows, PushMeetingTest,
    ::testing::Values(
        // Into a ball.
        Meeting{CellBall, CellBall, false, CellBall, CellBall, 8},
        Meeting{CellBox, CellBall, false, CellBox, CellBall, 8},
        Meeting{CellSpike, CellBall, true, 0, 0, 0},
        Meeting{CellAmoebaBall, CellBall, true, 0, 0, 0},
        Meeting{CellAmoebaBox, CellBall, false, CellAmoebaBall, CellBall, 8},
        Meeting{CellAmoebaSpike, CellBall, false, CellAmoebaBall, CellBall, 8},
        // Into a box, which moves one cell.
        Meeting{CellBall, CellBox, false, CellBall, CellBox, 4},
        Meeting{CellSpike, CellBox, false, CellSpike, CellBox, 4},
        Meeting{CellAmoebaBox, CellBox, true, 0, 0, 0},
        Meeting{CellAmoebaBall, CellBox, false, CellAmoebaBox, CellBox, 4},
        Meeting{CellAmoebaSpike, CellBox, false, CellAmoebaBox, CellBox, 4},
        // Into a spike.
        Meeting{CellBall, CellSpike, true, 0, 0, 0},
        Meeting{CellAmoebaSpike, CellSpike, true, 0, 0, 0},
        Meeting{CellBox, CellSpike, false, CellBox, CellSpike, 8},
        Meeting{CellAmoebaBall, CellSpike, false, CellAmoebaSpike, CellSpike, 8},
        // Into amoebas: an item of another kind turns the amoeba into its own kind.
        Meeting{CellBall, CellAmoebaBall, true, 0, 0, 0},
        Meeting{CellBox, CellAmoebaBall, false, CellBox, CellAmoebaBox, 8},
        Meeting{CellSpike, CellAmoebaBall, false, CellSpike, CellAmoebaSpike, 8},
        Meeting{CellBox, CellAmoebaBox, true, 0, 0, 0},
        Meeting{CellBall, CellAmoebaBox, false, CellBall, CellAmoebaBall, 8},
        Meeting{CellSpike, CellAmoebaSpike, true, 0, 0, 0},
        Meeting{CellBox, CellAmoebaSpike, false, CellBox, CellAmoebaBox, 8},
        Meeting{CellAmoebaBox, CellAmoebaBall, false, CellAmoebaBox, CellAmoebaBall, 8}));

TEST(PushTest, SlidesToTheWallAndStopsAtWalls) {
    auto hall = hallFromPicture({"#######", "#b....#", "#######"});
    EXPECT_TRUE(push(*hall, 1, 1, pushLeft, slideUntilBlocked)); // into the wall: nothing moves
    EXPECT_EQ(pictureRow(*hall, 1, 7), "#b....#");
    push(*hall, 1, 1, pushRight, slideUntilBlocked);
    EXPECT_EQ(pictureRow(*hall, 1, 7), "#....b#");
    push(*hall, 5, 1, pushLeft, 2);
    EXPECT_EQ(pictureRow(*hall, 1, 7), "#..b..#");
}

TEST(PushTest, BallHittingABoxStopsAndTheBoxMovesOneCell) {
    auto hall = hallFromPicture({"#########", "#b.x....#", "#########"});
    push(*hall, 1, 1, pushRight, slideUntilBlocked);
    EXPECT_EQ(pictureRow(*hall, 1, 9), "#.b.x...#");
    push(*hall, 2, 1, pushRight, slideUntilBlocked);
    EXPECT_EQ(pictureRow(*hall, 1, 9), "#..b.x..#");
}

TEST(PushTest, PiecesAtTheGridsEdgeStopThere) {
    HallGrid hall;
    hall.grid[20][4] = CellBall;
    hall.grid[0][4] = CellBox;
    EXPECT_TRUE(push(hall, 20, 4, pushRight, slideUntilBlocked));
    EXPECT_EQ(hall.grid[20][4], CellBall);
    EXPECT_FALSE(push(hall, 5, 5, pushRight, slideUntilBlocked)); // no piece there
    EXPECT_FALSE(push(hall, 21, 5, pushRight, slideUntilBlocked));
}

TEST(PushTest, ArrowsTurnThePieceOntoANewPath) {
    auto hall = hallFromPicture({"######", "#b..##", "###.##", "###..#", "######"});
    setSpecial(*hall, 0, 3, 1, ArrowDown);
    setSpecial(*hall, 1, 3, 3, ArrowRight);
    push(*hall, 1, 1, pushRight, slideUntilBlocked);
    EXPECT_EQ(hall->grid[4][3], CellBall);
    EXPECT_EQ(countCells(*hall, CellBall), 1);
}

// A path of arrows from (1, 1) right along row 1 and down column 11 to (11, 12), one arrow on
// every cell from (2, 1) to (11, 11): exactly 20 encounters.
std::unique_ptr<HallGrid> arrowPath() {
    auto hall = std::make_unique<HallGrid>();
    for (auto& column : hall->grid) {
        for (auto& cell : column) {
            cell = CellWall;
        }
    }
    int k = 0;
    for (int x = 1; x <= 11; ++x) {
        hall->grid[x][1] = CellFloor;
        if (x >= 2 && x <= 10) {
            setSpecial(*hall, k++, x, 1, ArrowRight);
        }
    }
    for (int y = 1; y <= 12; ++y) {
        hall->grid[11][y] = CellFloor;
        if (y <= 11) {
            setSpecial(*hall, k++, 11, y, ArrowDown);
        }
    }
    hall->grid[1][1] = CellBall;
    return hall;
}

TEST(PushTest, TwentyEncountersAreAllowedAndTheTwentyFirstUndoesThePush) {
    auto hall = arrowPath();
    EXPECT_EQ(countSpecialsInUse(*hall), 20);
    EXPECT_TRUE(push(*hall, 1, 1, pushRight, slideUntilBlocked));
    EXPECT_EQ(hall->grid[11][12], CellBall);

    hall = arrowPath();
    setSpecial(*hall, 20, 11, 12, ArrowDown);
    std::int32_t before[hallSize][hallSize];
    std::memcpy(before, hall->grid, sizeof before);
    EXPECT_FALSE(push(*hall, 1, 1, pushRight, slideUntilBlocked));
    EXPECT_TRUE(sameGrid(hall->grid, before));
}

TEST(PushTest, ArrowLoopIsUndone) {
    auto hall = hallFromPicture({"#####", "#.b.#", "#...#", "#...#", "#####"});
    setSpecial(*hall, 0, 3, 1, ArrowDown);
    setSpecial(*hall, 1, 3, 3, ArrowLeft);
    setSpecial(*hall, 2, 1, 3, ArrowUp);
    setSpecial(*hall, 3, 1, 1, ArrowRight);
    EXPECT_FALSE(push(*hall, 2, 1, pushRight, slideUntilBlocked));
    EXPECT_EQ(hall->grid[2][1], CellBall);
    EXPECT_EQ(countCells(*hall, CellBall), 1);
}

TEST(PushTest, TeleportCarriesOnFromItsPartner) {
    auto hall = hallFromPicture({"#####", "#####", "#####", "###b#", "###.#", "###.#", "###.#",
                                 "###.#", "###.#", "###.#", "###.#", "###.#", "#####"});
    setSpecial(*hall, 0, 3, 5, TeleportA);
    setSpecial(*hall, 1, 3, 9, TeleportA);
    push(*hall, 3, 3, pushDown, slideUntilBlocked);
    EXPECT_EQ(hall->grid[3][11], CellBall);
    EXPECT_EQ(countCells(*hall, CellBall), 1);

    // With the partner's cell taken the piece runs on over the teleport instead.
    hall->grid[3][11] = CellFloor;
    hall->grid[3][3] = CellBall;
    hall->grid[3][9] = CellBox;
    push(*hall, 3, 3, pushDown, slideUntilBlocked);
    EXPECT_EQ(hall->grid[3][8], CellBall);
    EXPECT_EQ(hall->grid[3][10], CellBox);
}

TEST(PushTest, GatesLetTheirKindPassAndSendOthersBack) {
    auto hall = hallFromPicture({"#########", "#.x.....#", "#.b.....#", "#########"});
    setSpecial(*hall, 0, 4, 1, GateBall);
    setSpecial(*hall, 1, 4, 2, GateBall);
    push(*hall, 2, 1, pushRight, slideUntilBlocked);
    EXPECT_EQ(pictureRow(*hall, 1, 9), "#x......#");
    push(*hall, 2, 2, pushRight, slideUntilBlocked);
    EXPECT_EQ(pictureRow(*hall, 2, 9), "#......b#");
}

TEST(PushTest, MutationCellsChangeItemsAndTakeTheKindOfAmoebas) {
    auto hall = hallFromPicture({"#########", "#x......#", "#X...x..#", "#########"});
    setSpecial(*hall, 0, 3, 1, MutationBall);
    setSpecial(*hall, 1, 3, 2, MutationBall);
    push(*hall, 1, 1, pushRight, slideUntilBlocked);
    EXPECT_EQ(pictureRow(*hall, 1, 9), "#......b#");

    // The amoeba box changes the cell to box kind, then fails on the box; the grid comes back,
    // the cell keeps its new kind.
    EXPECT_FALSE(push(*hall, 1, 2, pushRight, slideUntilBlocked));
    EXPECT_EQ(pictureRow(*hall, 2, 9), "#X...x..#");
    EXPECT_EQ(hall->specialCode[1], MutationBox);
}

class RecordingObserver : public PushObserver {
  public:
    void piecePushed(int x, int y, int direction, const HallGrid&) override {
        pushes.push_back({x, y, direction});
    }
    std::vector<std::vector<int>> pushes;
};

TEST(ScrambleTest, ReportsOnlyPushesThatChangedTheGrid) {
    // A ball walled in on all sides: every push stands, none changes a cell.
    auto closed = hallFromPicture({"###", "#b#", "###"});
    GameRandom random;
    random.state = 1;
    RecordingObserver observer;
    scramble(*closed, random, 40, &observer);
    EXPECT_TRUE(observer.pushes.empty());

    // In a two-cell corridor only a push towards the free cell moves the ball, so the reports
    // alternate between the two cells, and a ball that moved down is met again in the same pass.
    auto corridor = hallFromPicture({"###", "#b#", "#.#", "###"});
    scramble(*corridor, random, 40, &observer);
    ASSERT_FALSE(observer.pushes.empty());
    for (std::size_t i = 0; i < observer.pushes.size(); ++i) {
        const auto expected =
            i % 2 == 0 ? std::vector<int>{1, 1, pushDown} : std::vector<int>{1, 2, pushUp};
        EXPECT_EQ(observer.pushes[i], expected) << i;
    }
    EXPECT_EQ(corridor->grid[1][observer.pushes.size() % 2 == 0 ? 1 : 2], CellBall);
}

TEST(ScrambleTest, DrawsOneDirectionPerPieceMet) {
    auto hall = hallFromPicture({"#####", "#b.s#", "#####"});
    GameRandom random;
    random.state = 8965;
    GameRandom expected = random;
    scramble(*hall, random, 3, nullptr);
    for (int i = 0; i < 6; ++i) {
        expected.draw(3);
    }
    EXPECT_EQ(random.state, expected.state);
}

} // namespace
