#pragma once
// Builds small halls for tests from pictures, one string per row from y = 0, one character per
// cell from x = 0, in the hall tool's map characters: ' ' void, '#' wall, '.' floor, b x s items,
// B X S amoebas, '+' a wall piece beside a window. Cells beyond the picture are void.

#include "hall/hall_grid.h"

#include <initializer_list>
#include <memory>
#include <string>

inline CellCode cellFromPicture(char c) {
    switch (c) {
    case '#':
        return CellWall;
    case '.':
        return CellFloor;
    case '+':
        return CellWindowSide;
    case 'b':
        return CellBall;
    case 'x':
        return CellBox;
    case 's':
        return CellSpike;
    case 'B':
        return CellAmoebaBall;
    case 'X':
        return CellAmoebaBox;
    case 'S':
        return CellAmoebaSpike;
    default:
        return CellVoid;
    }
}

inline std::unique_ptr<HallGrid> hallFromPicture(std::initializer_list<std::string> rows) {
    auto hall = std::make_unique<HallGrid>();
    int y = 0;
    for (const std::string& row : rows) {
        for (int x = 0; x < static_cast<int>(row.size()) && x < hallSize; ++x) {
            hall->grid[x][y] = cellFromPicture(row[x]);
        }
        ++y;
    }
    return hall;
}

// One row of the grid as a picture, for readable failure messages.
inline std::string pictureRow(const HallGrid& hall, int y, int width) {
    static const char codes[] = " #.bxs";
    std::string row;
    for (int x = 0; x < width; ++x) {
        const CellCode c = hall.grid[x][y];
        if (c >= 0 && c <= CellSpike) {
            row += codes[c];
        } else if (isAmoeba(c)) {
            row += "BXS"[c - CellAmoebaBall];
        } else {
            row += '?';
        }
    }
    return row;
}
