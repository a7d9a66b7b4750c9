#pragma once
// Helpers shared by the generator's placers: finding floor cells in scan order and claiming a
// special-object entry for a cell.
//
// The generator scans row-major: y = 0..20, and within each y, x = 0..20.

#include "hall/hall_grid.h"

// Finds the index-th floor cell (counting from 0) of the row-major scan; false when there are
// not that many.
bool findFloorCell(const HallGrid& hall, int index, int* x, int* y);

// Outcome of claiming an entry for a cell: a free entry index, or one of these.
constexpr int cellOccupied = -1; // an entry already lies on the cell
constexpr int tableFull = -2;

// Walks the entries from 0: an entry lying on (x, y) means the cell is taken; the first free
// entry is the one to fill. Every placer of special objects makes exactly this walk.
int claimSpecialEntry(const HallGrid& hall, int x, int y);

void setSpecial(HallGrid& hall, int k, int x, int y, CellCode code);
