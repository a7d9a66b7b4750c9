#pragma once
// The hall record: the current grid of cell codes, the backup grid used by the scrambler and the
// table of special objects.
//
// Cells are addressed (x, y): x the column 0..20 from the left, y the row 0..20 from the top,
// and the grids are indexed [x][y], so the cells of one column lie together. The centre of cell
// (x, y) on the hall plane is (44·x + 22, 44·y + 22) in hall-plane units.
//
// The special-object table is three parallel columns of 30 entries. An entry whose code is 0 or
// less is free. Entries are filled from 0 upward and never removed while a hall is generated;
// the first entry whose x and y match a cell is the object lying on it.

#include "hall/cell_codes.h"

#include <cstdint>
#include <initializer_list>

constexpr int hallSize = 21;
constexpr int specialCapacity = 30;
constexpr int cellUnits = 44; // width and height of a cell in hall-plane units

struct HallGrid {
    std::int32_t grid[hallSize][hallSize] = {};
    std::int32_t backup[hallSize][hallSize] = {};
    std::int32_t specialX[specialCapacity] = {};
    std::int32_t specialY[specialCapacity] = {};
    std::int32_t specialCode[specialCapacity] = {};
};

constexpr bool insideHall(int x, int y) {
    return x >= 0 && x < hallSize && y >= 0 && y < hallSize;
}
constexpr float cellCentre(int index) {
    return static_cast<float>(cellUnits * index + cellUnits / 2);
}

// Sets every grid cell and every special-object column to 0; the backup stays.
void clearHall(HallGrid& hall);

// Index of the first entry lying on (x, y), or -1.
int findSpecialAt(const HallGrid& hall, int x, int y);
// Index of the first free entry, or -1 when the table is full.
int firstFreeSpecial(const HallGrid& hall);
int countSpecialsInUse(const HallGrid& hall);
int countSpecials(const HallGrid& hall, CellCode code);
int countSpecials(const HallGrid& hall, std::initializer_list<CellCode> codes);
int countSpecialsBetween(const HallGrid& hall, CellCode first, CellCode last);

int countCells(const HallGrid& hall, CellCode code);

// Whole-grid copies of the 441 cells; the special-object table is not touched.
void saveGrid(HallGrid& hall);
void restoreGrid(HallGrid& hall);
