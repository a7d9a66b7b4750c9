#include "hall/special_placement.h"

#include "hall/floor_cells.h"

#include <algorithm>

namespace {

constexpr int minimumFloor = 5;

// Claims an entry on the index-th floor cell and fills it with the code drawn by makeCode,
// which is called only when an entry was found.
template <typename MakeCode>
void placeOnFloorCell(HallGrid& hall, int index, MakeCode makeCode) {
    int x = 0;
    int y = 0;
    if (!findFloorCell(hall, index, &x, &y)) {
        return;
    }
    const int k = claimSpecialEntry(hall, x, y);
    if (k >= 0) {
        setSpecial(hall, k, x, y, makeCode());
    }
}

bool openCell(CellCode code) {
    return code > CellVoid && !isSolid(code);
}

// 1: a wall between solid cells left and right, open above and below; 2: the same turned.
bool gateShape(const HallGrid& hall, int x, int y) {
    const auto& g = hall.grid;
    if (g[x][y] != CellWall) {
        return false;
    }
    const bool upDown = isSolid(g[x + 1][y]) && isSolid(g[x - 1][y]) && openCell(g[x][y + 1]) &&
                        openCell(g[x][y - 1]);
    const bool leftRight = isSolid(g[x][y + 1]) && isSolid(g[x][y - 1]) && openCell(g[x + 1][y]) &&
                           openCell(g[x - 1][y]);
    return upDown || leftRight;
}

// The next free entry after k, or -1. In a generated hall the table fills from 0 without gaps,
// so this is k + 1; it only matters for tables with gaps, where k + 1 may be in use.
int nextFreeAfter(const HallGrid& hall, int k) {
    for (int j = k + 1; j < specialCapacity; ++j) {
        if (hall.specialCode[j] <= 0) {
            return j;
        }
    }
    return -1;
}

} // namespace

void placeOnFloor(HallGrid& hall, GameRandom& random, CellCode code) {
    const int floor = countCells(hall, CellFloor);
    if (floor < minimumFloor) {
        return;
    }
    int x = 0;
    int y = 0;
    if (findFloorCell(hall, random.draw(floor - 1), &x, &y)) {
        hall.grid[x][y] = code;
    }
}

// The spike loop moves both its counter and the budget: it places half the remainder, rounded up.
void placePieces(HallGrid& hall, GameRandom& random, int budget, CellCode firstCode) {
    for (CellCode code = firstCode; code < firstCode + 2; ++code) {
        if (budget > 0) {
            const int count = random.draw(budget);
            for (int i = 0; i < count; ++i) {
                placeOnFloor(hall, random, code);
                --budget;
            }
        }
    }
    if (budget > 0) {
        for (int i = 0; i < budget; ++i, --budget) {
            placeOnFloor(hall, random, firstCode + 2);
        }
    }
}

void placeSpecialObject(HallGrid& hall, GameRandom& random, CellCode code) {
    if (countSpecialsInUse(hall) >= specialCapacity) {
        return;
    }
    const int mutations = countSpecialsBetween(hall, MutationBall, MutationSpike);
    const int floor = countCells(hall, CellFloor);
    constexpr int floorNeeded[4] = {30, 60, 100, 150}; // by mutation cells already placed
    if (floor < minimumFloor || (mutations < 4 && floor < floorNeeded[mutations])) {
        return;
    }
    placeOnFloorCell(hall, random.draw(floor - 1), [code] { return code; });
}

void placeArrow(HallGrid& hall, GameRandom& random) {
    if (countSpecialsInUse(hall) >= specialCapacity) {
        return;
    }
    const int arrows = countSpecialsBetween(hall, ArrowRight, ArrowUp);
    const int floor = countCells(hall, CellFloor);
    // Equality tests: only at exactly these arrow counts does the floor limit apply.
    const bool crowded = (arrows == 6 && floor < 30) || (arrows == 12 && floor < 60) ||
                         (arrows == 20 && floor < 100) || (arrows == 30 && floor < 150);
    if (floor < minimumFloor || crowded) {
        return;
    }
    placeOnFloorCell(hall, random.draw(floor - 1),
                     [&random] { return ArrowRight + random.draw(3); });
}

void placeTeleportPair(HallGrid& hall, GameRandom& random, CellCode code) {
    if (countSpecialsInUse(hall) + 1 >= specialCapacity || countSpecials(hall, code) > 0) {
        return;
    }
    const int floor = countCells(hall, CellFloor);
    if (floor < minimumFloor) {
        return;
    }
    const int s1 = random.draw(floor - 1);
    int s2 = random.draw(floor - 1);
    while (s2 == s1) {
        s2 = random.draw(floor - 1);
    }
    const int first = std::min(s1, s2);
    const int second = std::max(s1, s2);

    int firstX = 0;
    int firstY = 0;
    int secondX = 0;
    int secondY = 0;
    findFloorCell(hall, first, &firstX, &firstY);
    findFloorCell(hall, second, &secondX, &secondY);
    // Both cells are checked, the earlier one first; either being taken ends the placement.
    if (claimSpecialEntry(hall, firstX, firstY) < 0) {
        return;
    }
    const int k = claimSpecialEntry(hall, secondX, secondY);
    if (k < 0) {
        return;
    }
    const int j = nextFreeAfter(hall, k);
    if (j < 0) {
        return;
    }
    setSpecial(hall, k, secondX, secondY, code);
    setSpecial(hall, j, firstX, firstY, code);
}

void placeGates(HallGrid& hall, GameRandom& random, CellCode code) {
    if (countSpecialsInUse(hall) >= specialCapacity) {
        return;
    }
    for (int y = 1; y < 20; ++y) {
        for (int x = 1; x < 20; ++x) {
            if (!gateShape(hall, x, y) || random.draw(5) != 0) {
                continue;
            }
            const int k = claimSpecialEntry(hall, x, y);
            if (k == cellOccupied) {
                return;
            }
            if (k == tableFull) {
                break; // on to the next row; later cells still make their draws
            }
            setSpecial(hall, k, x, y, code);
            hall.grid[x][y] = CellFloor;
        }
    }
}
