#include "hall/hall_grid.h"

#include <gtest/gtest.h>

namespace {

TEST(HallGridTest, CellsOfOneColumnLieTogether) {
    HallGrid hall;
    hall.grid[3][7] = CellBall;
    // The eighth cell of the fourth column.
    const auto offset = reinterpret_cast<const char*>(&hall.grid[3][7]) -
                        reinterpret_cast<const char*>(&hall.grid[0][0]);
    EXPECT_EQ(offset, static_cast<long>((3 * hallSize + 7) * sizeof(std::int32_t)));
    EXPECT_FLOAT_EQ(cellCentre(3), 154.0f);
    EXPECT_FLOAT_EQ(cellCentre(7), 330.0f);
}

TEST(HallGridTest, SpecialTableLookups) {
    HallGrid hall;
    for (int k = 0; k < 5; ++k) {
        hall.specialX[k] = k + 1;
        hall.specialY[k] = 2;
        hall.specialCode[k] = ArrowRight + k % 4;
    }
    hall.specialX[7] = 9;
    hall.specialY[7] = 9;
    hall.specialCode[7] = TeleportA; // written earlier, beyond a free entry
    EXPECT_EQ(firstFreeSpecial(hall), 5);
    EXPECT_EQ(countSpecialsInUse(hall), 6);
    EXPECT_EQ(countSpecials(hall, ArrowRight), 2);
    EXPECT_EQ(countSpecials(hall, {ArrowRight, ArrowDown}), 3);
    EXPECT_EQ(countSpecialsBetween(hall, ArrowRight, ArrowUp), 5);
    EXPECT_EQ(findSpecialAt(hall, 3, 2), 2);
    EXPECT_EQ(findSpecialAt(hall, 9, 9), 7);
    EXPECT_EQ(findSpecialAt(hall, 6, 6), -1);

    for (int k = 0; k < specialCapacity; ++k) {
        hall.specialCode[k] = GateBall;
    }
    EXPECT_EQ(firstFreeSpecial(hall), -1);
}

TEST(HallGridTest, RestoreBringsBackCellsButNotSpecialObjects) {
    HallGrid hall;
    hall.grid[4][4] = CellBox;
    saveGrid(hall);
    hall.grid[4][4] = CellFloor;
    hall.grid[5][4] = CellBox;
    hall.specialCode[0] = MutationBox;
    restoreGrid(hall);
    EXPECT_EQ(hall.grid[4][4], CellBox);
    EXPECT_EQ(hall.grid[5][4], CellVoid);
    EXPECT_EQ(hall.specialCode[0], MutationBox);
    EXPECT_EQ(countCells(hall, CellBox), 1);
    EXPECT_EQ(countCells(hall, CellVoid), hallSize * hallSize - 1);
}

TEST(HallGridTest, ClearLeavesTheBackup) {
    HallGrid hall;
    hall.grid[1][1] = CellWall;
    hall.specialX[3] = 4;
    hall.specialCode[3] = GateBox;
    saveGrid(hall);
    clearHall(hall);
    EXPECT_EQ(countCells(hall, CellVoid), hallSize * hallSize);
    EXPECT_EQ(hall.specialX[3], 0);
    EXPECT_EQ(hall.specialCode[3], 0);
    EXPECT_EQ(hall.backup[1][1], CellWall);
}

} // namespace
