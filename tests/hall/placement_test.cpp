#include "hall/floor_cells.h"
#include "hall/room_builder.h"
#include "hall/special_placement.h"
#include "hall/window_placer.h"

#include "support/hall_pictures.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// A hall of exactly `floor` floor cells on row 1 (and more rows if needed), walled in.
std::unique_ptr<HallGrid> hallWithFloor(int floor) {
    auto hall = std::make_unique<HallGrid>();
    for (auto& column : hall->grid) {
        for (auto& cell : column) {
            cell = CellWall;
        }
    }
    for (int i = 0; i < floor; ++i) {
        hall->grid[1 + i % 19][1 + i / 19] = CellFloor;
    }
    return hall;
}

void fillTable(HallGrid& hall, int count, CellCode code) {
    for (int k = 0; k < count; ++k) {
        setSpecial(hall, k, 19, 19, code); // on a wall cell, out of the way of every placer
    }
}

TEST(PlaceOnFloorTest, TooLittleFloorMakesNoDraw) {
    auto hall = hallWithFloor(4);
    GameRandom random;
    random.state = 99;
    placeOnFloor(*hall, random, CellBall);
    EXPECT_EQ(random.state, 99);
    EXPECT_EQ(countCells(*hall, CellFloor), 4);
}

TEST(PlaceOnFloorTest, CountsFloorCellsRowByRow) {
    // Row-major the floor cells are (1,1) (2,1) (3,1) (1,2) (2,2); the third is (3, 1).
    auto hall = hallFromPicture({"#####", "#...#", "#..##", "#####"});
    GameRandom random;
    random.state = 7; // draw(4) gives 7 rem 5 = 2
    placeOnFloor(*hall, random, CellBox);
    EXPECT_EQ(hall->grid[3][1], CellBox);
}

TEST(PlacePiecesTest, SpikeLoopPlacesHalfTheRemainderRoundedUp) {
    // Whatever the first two kinds take, the spikes are half the rest, rounded up: with 4 left
    // over, 2 spikes; with 5, 3.
    int largeRemainders = 0;
    for (int seed = 1; seed <= 300; ++seed) {
        auto hall = hallWithFloor(60);
        GameRandom random;
        random.state = seed * 104729;
        placePieces(*hall, random, 7, CellBall);
        const int rest = 7 - countCells(*hall, CellBall) - countCells(*hall, CellBox);
        ASSERT_EQ(countCells(*hall, CellSpike), (rest + 1) / 2) << seed;
        largeRemainders += rest >= 4 ? 1 : 0;
    }
    EXPECT_GT(largeRemainders, 0);
}

TEST(PlacePiecesTest, AmoebasUseTheirOwnCodes) {
    auto hall = hallWithFloor(60);
    GameRandom random;
    random.state = 12345;
    placePieces(*hall, random, 20, CellAmoebaBall);
    const int amoebas = countCells(*hall, CellAmoebaBall) + countCells(*hall, CellAmoebaBox) +
                        countCells(*hall, CellAmoebaSpike);
    EXPECT_GE(amoebas, 10);
    EXPECT_EQ(countCells(*hall, CellBall) + countCells(*hall, CellSpike), 0);
}

TEST(ClaimEntryTest, OccupiedCellAndFullTable) {
    HallGrid hall;
    setSpecial(hall, 0, 4, 4, ArrowUp);
    EXPECT_EQ(claimSpecialEntry(hall, 4, 4), cellOccupied);
    EXPECT_EQ(claimSpecialEntry(hall, 5, 4), 1);
    fillTable(hall, specialCapacity, GateBox);
    EXPECT_EQ(claimSpecialEntry(hall, 5, 4), tableFull);
}

TEST(TeleportPlacerTest, NeedsTwoFreeEntries) {
    auto hall = hallWithFloor(40);
    fillTable(*hall, 29, ArrowUp);
    GameRandom random;
    random.state = 1000;
    placeTeleportPair(*hall, random, TeleportB);
    EXPECT_EQ(countSpecials(*hall, TeleportB), 0);
    EXPECT_EQ(random.state, 1000);

    hall->specialCode[28] = 0;
    placeTeleportPair(*hall, random, TeleportB);
    ASSERT_EQ(hall->specialCode[28], TeleportB);
    ASSERT_EQ(hall->specialCode[29], TeleportB);
    EXPECT_EQ(hall->grid[hall->specialX[28]][hall->specialY[28]], CellFloor);
    // Entry k holds the later cell of the scan, k + 1 the earlier one.
    EXPECT_GT(hall->specialY[28] * 100 + hall->specialX[28],
              hall->specialY[29] * 100 + hall->specialX[29]);

    // One pair per code.
    hall->specialCode[0] = 0;
    const std::int32_t before = random.state;
    placeTeleportPair(*hall, random, TeleportB);
    EXPECT_EQ(random.state, before);
}

TEST(TeleportPlacerTest, NeverOverwritesAnEntryInUse) {
    // A table with a gap: entry 0 free, entry 1 in use. The pair goes to 0 and 2.
    auto hall = hallWithFloor(40);
    setSpecial(*hall, 1, 19, 19, GateSpike);
    GameRandom random;
    random.state = 4242;
    placeTeleportPair(*hall, random, TeleportC);
    EXPECT_EQ(hall->specialCode[0], TeleportC);
    EXPECT_EQ(hall->specialCode[1], GateSpike);
    EXPECT_EQ(hall->specialCode[2], TeleportC);
}

TEST(ArrowPlacerTest, FloorLimitsApplyAtExactArrowCounts) {
    auto hall = hallWithFloor(25);
    fillTable(*hall, 6, ArrowLeft);
    GameRandom random;
    random.state = 31;
    placeArrow(*hall, random);
    EXPECT_EQ(countSpecialsInUse(*hall), 6);
    EXPECT_EQ(random.state, 31);

    fillTable(*hall, 7, ArrowLeft);
    placeArrow(*hall, random);
    EXPECT_EQ(countSpecialsInUse(*hall), 8);
    EXPECT_TRUE(isArrow(hall->specialCode[7]));
}

TEST(MutationPlacerTest, EachFurtherCellNeedsMoreFloor) {
    auto hall = hallWithFloor(59);
    GameRandom random;
    random.state = 5;
    placeSpecialObject(*hall, random, MutationSpike);
    EXPECT_EQ(countSpecials(*hall, MutationSpike), 1);
    placeSpecialObject(*hall, random, MutationSpike); // the second needs 60
    EXPECT_EQ(countSpecials(*hall, MutationSpike), 1);
}

TEST(GatePlacerTest, GateOpensTheWallBetweenTwoRooms) {
    HallGrid hall;
    stampRoom(hall, 5, 5);
    stampRoom(hall, 9, 5);
    // The shared wall x = 7 has three cells between open cells: (7,4), (7,5), (7,6).
    GameRandom random;
    random.state = 6; // the first draw(5) gives 0
    placeGates(hall, random, GateBall);
    ASSERT_EQ(hall.specialCode[0], GateBall);
    EXPECT_EQ(hall.specialX[0], 7);
    EXPECT_EQ(hall.specialY[0], 4);
    EXPECT_EQ(hall.grid[7][4], CellFloor);
}

TEST(GatePlacerTest, FullTablePlacesNothingButKeepsDrawing) {
    HallGrid hall;
    stampRoom(hall, 5, 5);
    stampRoom(hall, 9, 5);
    fillTable(hall, specialCapacity - 1, ArrowUp);
    hall.specialCode[29] = 0;
    hall.specialX[29] = 19;
    hall.specialY[29] = 19;
    GameRandom random;
    random.state = 6;
    placeGates(hall, random, GateBox);
    EXPECT_EQ(hall.specialCode[29], GateBox);
    EXPECT_EQ(countSpecials(hall, GateBox), 1);
}

TEST(RoomBuilderTest, FloorCutsThroughWallsButWallsNeverCoverFloor) {
    HallGrid hall;
    stampRoom(hall, 5, 5);
    stampRoom(hall, 7, 5);
    EXPECT_EQ(hall.grid[5][5], CellFloor);
    EXPECT_EQ(hall.grid[6][5], CellFloor); // floor of the second room
    EXPECT_EQ(hall.grid[7][5], CellFloor); // wall of the first, floor of the second
    EXPECT_EQ(hall.grid[9][5], CellWall);
    EXPECT_EQ(hall.grid[3][5], CellWall);
    EXPECT_EQ(hall.grid[5][3], CellWall);
}

bool mirroredLeftRight(const HallGrid& hall) {
    for (int x = 0; x < hallSize; ++x) {
        for (int y = 0; y < hallSize; ++y) {
            if (hall.grid[x][y] != hall.grid[20 - x][y]) {
                return false;
            }
        }
    }
    return true;
}

bool mirroredTopBottom(const HallGrid& hall) {
    for (int x = 0; x < hallSize; ++x) {
        for (int y = 0; y < hallSize; ++y) {
            if (hall.grid[x][y] != hall.grid[x][20 - y]) {
                return false;
            }
        }
    }
    return true;
}

// Four-fold halls are not checked: a centre on a middle line walks onto itself, so such a set
// stamps the same room four times.
TEST(RoomBuilderTest, MirroredLayoutsAreSymmetric) {
    for (int level : {1, 29, 30, 99}) {
        for (int seed = 1; seed < 40; ++seed) {
            GameRandom random;
            random.state = seed * 7919;
            for (int layout : {layoutMirrorX, layoutMirrorY}) {
                HallGrid hall;
                buildRooms(hall, random, level, layout);
                EXPECT_EQ(hall.grid[10][10], CellFloor);
                EXPECT_EQ(countCells(hall, CellVoid) + countCells(hall, CellWall) +
                              countCells(hall, CellFloor),
                          hallSize * hallSize);
                EXPECT_TRUE(layout == layoutMirrorX ? mirroredLeftRight(hall)
                                                    : mirroredTopBottom(hall))
                    << level << " " << seed;
            }
        }
    }
}

TEST(WindowPlacerTest, LeftWindowIsMirroredOntoTheRightWall) {
    HallGrid hall;
    stampRoom(hall, 2, 10);
    stampRoom(hall, 18, 10);
    GameRandom random;
    random.state = 2; // draw(1) gives 0
    placeWindows(hall, random, layoutMirrorX);
    EXPECT_EQ(hall.grid[0][10], CellWindowLeft);
    EXPECT_EQ(hall.grid[0][9], CellWindowSide);
    EXPECT_EQ(hall.grid[0][11], CellWindowSide);
    EXPECT_EQ(hall.grid[20][10], CellWindowRight);
    EXPECT_EQ(hall.grid[20][9], CellWindowSide);
    EXPECT_EQ(hall.grid[20][11], CellWindowSide);
    EXPECT_EQ(hall.grid[0][8], CellWall);
}

TEST(WindowPlacerTest, TopWindowWithoutAMatchingBottomWall) {
    HallGrid hall;
    stampRoom(hall, 10, 2);
    GameRandom random;
    random.state = 4;
    placeWindows(hall, random, layoutMirrorY);
    EXPECT_EQ(hall.grid[10][0], CellWindowTop);
    EXPECT_EQ(hall.grid[9][0], CellWindowSide);
    EXPECT_EQ(hall.grid[11][0], CellWindowSide);
    EXPECT_EQ(countCells(hall, CellWindowBottom), 0);
}

} // namespace
