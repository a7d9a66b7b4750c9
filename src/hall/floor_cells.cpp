#include "hall/floor_cells.h"

bool findFloorCell(const HallGrid& hall, int index, int* x, int* y) {
    int counter = 0;
    for (int cy = 0; cy < hallSize; ++cy) {
        for (int cx = 0; cx < hallSize; ++cx) {
            if (hall.grid[cx][cy] != CellFloor) {
                continue;
            }
            if (counter == index) {
                *x = cx;
                *y = cy;
                return true;
            }
            ++counter;
        }
    }
    return false;
}

int claimSpecialEntry(const HallGrid& hall, int x, int y) {
    for (int k = 0; k < specialCapacity; ++k) {
        if (hall.specialX[k] == x && hall.specialY[k] == y) {
            return cellOccupied;
        }
        if (hall.specialCode[k] <= 0) {
            return k;
        }
    }
    return tableFull;
}

void setSpecial(HallGrid& hall, int k, int x, int y, CellCode code) {
    hall.specialX[k] = x;
    hall.specialY[k] = y;
    hall.specialCode[k] = code;
}
