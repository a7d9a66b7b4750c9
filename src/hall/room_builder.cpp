#include "hall/room_builder.h"

#include <algorithm>
#include <cstdlib>

namespace {

void stampMirroredSet(HallGrid& hall, int layout, int* cx, int* cy) {
    stampRoom(hall, *cx, *cy);
    if (layout == layoutMirrorX) {
        *cx = 20 - *cx;
        stampRoom(hall, *cx, *cy);
        return;
    }
    if (layout == layoutMirrorY) {
        *cy = 20 - *cy;
        stampRoom(hall, *cx, *cy);
        return;
    }
    // Four-fold: walk the centre round its mirror images. It is not put back afterwards, so the
    // next set starts from the last image.
    for (int i = 0; i < 3; ++i) {
        if (*cx < 10 && *cy < 10) {
            *cx = 20 - *cx;
        } else if (*cx > 10 && *cy < 10) {
            *cy = 20 - *cy;
        } else if (*cx > 10 && *cy > 10) {
            *cx = 20 - *cx;
        } else {
            *cy = 20 - *cy;
        }
        stampRoom(hall, *cx, *cy);
    }
}

// Scans for the next room centre. Every cell first makes its chance draws (which can take any
// cell, even floor or void); otherwise the s-th wall cell of the scan is taken.
void chooseNextCentre(HallGrid& hall, GameRandom& random, int level, int* cx, int* cy) {
    const int walls = countCells(hall, CellWall);
    const int s = random.draw(walls - 1);
    int counter = 0;
    for (int y = 0; y < hallSize; ++y) {
        for (int x = 0; x < hallSize; ++x) {
            bool take = (level >= 30 || random.draw(100) == 0) && random.draw(1000) == 0;
            if (!take && hall.grid[x][y] == CellWall) {
                take = counter == s;
                ++counter;
            }
            if (take) {
                *cx = std::clamp(x, 2, 18);
                *cy = std::clamp(y, 2, 18);
                random.draw(1); // its value plays no part, but it advances the sequence
                return;
            }
        }
    }
}

} // namespace

void stampRoom(HallGrid& hall, int cx, int cy) {
    for (int dx = -2; dx <= 2; ++dx) {
        for (int dy = -2; dy <= 2; ++dy) {
            const bool ring = std::abs(dx) == 2 || std::abs(dy) == 2;
            const CellCode code = ring ? CellWall : CellFloor;
            std::int32_t& cell = hall.grid[cx + dx][cy + dy];
            if (cell == CellVoid || (cell == CellWall && code == CellFloor)) {
                cell = code;
            }
        }
    }
}

void buildRooms(HallGrid& hall, GameRandom& random, int level, int layout) {
    int rooms = random.draw(level / 2 + 2) + level / 2;
    rooms = layout == layoutFourFold ? rooms / 4 + 5 : rooms / 2 + 3;
    int cx = 10;
    int cy = 10;
    for (;;) {
        stampMirroredSet(hall, layout, &cx, &cy);
        --rooms;
        if (rooms <= 0) {
            return;
        }
        chooseNextCentre(hall, random, level, &cx, &cy);
    }
}
