#include "hall/window_placer.h"

#include "hall/room_builder.h"

namespace {

// Code of a cell, with cells outside the grid counting as void.
CellCode cellAt(const HallGrid& hall, int x, int y) {
    return insideHall(x, y) ? hall.grid[x][y] : CellVoid;
}

// An outer-wall cell of a side is a wall with void (or the grid's edge) outside it and no wall
// inside it.
bool leftSide(const HallGrid& hall, int x, int y) {
    return cellAt(hall, x, y) == CellWall && cellAt(hall, x - 1, y) == CellVoid &&
           cellAt(hall, x + 1, y) != CellWall;
}

bool rightSide(const HallGrid& hall, int x, int y) {
    return cellAt(hall, x, y) == CellWall && cellAt(hall, x + 1, y) == CellVoid &&
           cellAt(hall, x - 1, y) != CellWall;
}

bool topSide(const HallGrid& hall, int x, int y) {
    return cellAt(hall, x, y) == CellWall && cellAt(hall, x, y - 1) == CellVoid &&
           cellAt(hall, x, y + 1) != CellWall;
}

bool bottomSide(const HallGrid& hall, int x, int y) {
    return cellAt(hall, x, y) == CellWall && cellAt(hall, x, y + 1) == CellVoid &&
           cellAt(hall, x, y - 1) != CellWall;
}

void setVerticalWindow(HallGrid& hall, int x, int y, CellCode window) {
    hall.grid[x][y] = window;
    hall.grid[x][y - 1] = CellWindowSide;
    hall.grid[x][y + 1] = CellWindowSide;
}

void setHorizontalWindow(HallGrid& hall, int x, int y, CellCode window) {
    hall.grid[x][y] = window;
    hall.grid[x - 1][y] = CellWindowSide;
    hall.grid[x + 1][y] = CellWindowSide;
}

void tryLeftAndRight(HallGrid& hall, GameRandom& random, int x, int y) {
    if (random.draw(1) != 0) {
        return;
    }
    setVerticalWindow(hall, x, y, CellWindowLeft);
    const int mx = 20 - x;
    if (rightSide(hall, mx, y - 1) && rightSide(hall, mx, y) && rightSide(hall, mx, y + 1)) {
        setVerticalWindow(hall, mx, y, CellWindowRight);
    }
}

void tryTopAndBottom(HallGrid& hall, GameRandom& random, int x, int y) {
    if (random.draw(1) != 0) {
        return;
    }
    setHorizontalWindow(hall, x, y, CellWindowTop);
    const int my = 20 - y;
    if (bottomSide(hall, x - 1, my) && bottomSide(hall, x, my) && bottomSide(hall, x + 1, my)) {
        setHorizontalWindow(hall, x, my, CellWindowBottom);
    }
}

} // namespace

void placeWindows(HallGrid& hall, GameRandom& random, int layout) {
    if (layout == layoutFourFold) {
        layout = random.draw(1);
    }
    for (int y = 0; y < hallSize; ++y) {
        for (int x = 0; x < hallSize; ++x) {
            if (layout == layoutMirrorX && y > 0 && y < 20 && x < 10 && leftSide(hall, x, y - 1) &&
                leftSide(hall, x, y) && leftSide(hall, x, y + 1)) {
                tryLeftAndRight(hall, random, x, y);
            } else if (layout == layoutMirrorY && x > 0 && x < 20 && y < 10 &&
                       topSide(hall, x - 1, y) && topSide(hall, x, y) && topSide(hall, x + 1, y)) {
                tryTopAndBottom(hall, random, x, y);
            }
        }
    }
}
