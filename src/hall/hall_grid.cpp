#include "hall/hall_grid.h"

#include <algorithm>
#include <cstring>
#include <iterator>

void clearHall(HallGrid& hall) {
    std::memset(hall.grid, 0, sizeof hall.grid);
    std::memset(hall.specialX, 0, sizeof hall.specialX);
    std::memset(hall.specialY, 0, sizeof hall.specialY);
    std::memset(hall.specialCode, 0, sizeof hall.specialCode);
}

int findSpecialAt(const HallGrid& hall, int x, int y) {
    for (int k = 0; k < specialCapacity; ++k) {
        if (hall.specialX[k] == x && hall.specialY[k] == y) {
            return k;
        }
    }
    return -1;
}

int firstFreeSpecial(const HallGrid& hall) {
    for (int k = 0; k < specialCapacity; ++k) {
        if (hall.specialCode[k] <= 0) {
            return k;
        }
    }
    return -1;
}

int countSpecialsInUse(const HallGrid& hall) {
    return static_cast<int>(std::count_if(std::begin(hall.specialCode), std::end(hall.specialCode),
                                          [](std::int32_t code) { return code > 0; }));
}

int countSpecials(const HallGrid& hall, CellCode code) {
    return static_cast<int>(
        std::count(std::begin(hall.specialCode), std::end(hall.specialCode), code));
}

int countSpecials(const HallGrid& hall, std::initializer_list<CellCode> codes) {
    int count = 0;
    for (CellCode code : codes) {
        count += countSpecials(hall, code);
    }
    return count;
}

int countSpecialsBetween(const HallGrid& hall, CellCode first, CellCode last) {
    return static_cast<int>(
        std::count_if(std::begin(hall.specialCode), std::end(hall.specialCode),
                      [first, last](std::int32_t code) { return code >= first && code <= last; }));
}

int countCells(const HallGrid& hall, CellCode code) {
    int count = 0;
    for (const auto& column : hall.grid) {
        count += static_cast<int>(std::count(std::begin(column), std::end(column), code));
    }
    return count;
}

void saveGrid(HallGrid& hall) {
    std::memcpy(hall.backup, hall.grid, sizeof hall.grid);
}

void restoreGrid(HallGrid& hall) {
    std::memcpy(hall.grid, hall.backup, sizeof hall.grid);
}
