#include "hall/hall_grid.h"

#include "hall/hall_object.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

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

TEST(HallGridTest, ClearLeavesBackupAndObjects) {
    HallGrid hall;
    hall.grid[1][1] = CellWall;
    hall.specialX[3] = 4;
    hall.specialCode[3] = GateBox;
    saveGrid(hall);
    hall.objects.add("hallfloor");
    clearHall(hall);
    EXPECT_EQ(countCells(hall, CellVoid), hallSize * hallSize);
    EXPECT_EQ(hall.specialX[3], 0);
    EXPECT_EQ(hall.specialCode[3], 0);
    EXPECT_EQ(hall.backup[1][1], CellWall);
    EXPECT_EQ(hall.objects.count(), 1);
}

std::string names(const HallObjectList& list) {
    std::string text;
    for (int i = 0; i < list.count(); ++i) {
        text += list.nameAt(i) + ",";
    }
    return text;
}

TEST(HallObjectListTest, SortedByteWiseWithTheNewestFirstAmongEqualNames) {
    HallObjectList list;
    HallObject* first = list.add("hallitemball");
    list.add("hallend");
    list.add("Hallwall"); // capitals sort before small letters
    list.add("hall\xE9"); // a byte above 127 sorts after every ASCII letter
    HallObject* second = list.add("hallitemball");
    EXPECT_EQ(names(list), "Hallwall,hallend,hallitemball,hallitemball,hall\xE9,");
    EXPECT_EQ(list.at(2), second);
    EXPECT_EQ(list.at(3), first);
    EXPECT_EQ(list.indexOf(first), 3);
    EXPECT_EQ(list.at(5), nullptr);
    EXPECT_EQ(list.at(-1), nullptr);
}

TEST(HallObjectListTest, NewObjectHasTheInitialValues) {
    HallObjectList list;
    HallObject* object = list.add("hallitembox", 7);
    EXPECT_STREQ(object->name, "hallitembox");
    EXPECT_EQ(object->stepsLeft, -1);
    EXPECT_EQ(object->moveX, 0);
    EXPECT_EQ(object->frame, 0);
    EXPECT_EQ(object->sound, 7u);

    // The record keeps at most 103 bytes and its terminator.
    const std::string longName(200, 'q');
    HallObject* cut = list.add(longName);
    EXPECT_EQ(std::strlen(cut->name), 103u);
    EXPECT_EQ(list.nameAt(list.indexOf(cut)), longName);
}

TEST(HallObjectListTest, RemovalsOutsideTheListChangeNothing) {
    HallObjectList list;
    HallObject* a = list.add("a");
    list.add("b");
    HallObjectList other;
    HallObject* stranger = other.add("a");

    EXPECT_FALSE(list.remove(stranger));
    EXPECT_FALSE(list.remove(nullptr));
    list.removeAt(-1);
    list.removeAt(list.count());
    EXPECT_EQ(names(list), "a,b,");

    EXPECT_TRUE(list.remove(a));
    EXPECT_EQ(names(list), "b,");
    list.removeAt(0);
    EXPECT_EQ(list.count(), 0);

    other.add("c");
    other.clear();
    EXPECT_EQ(other.count(), 0);
}

} // namespace
