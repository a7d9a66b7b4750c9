#include "hall/push_scrambler.h"

#include <cstring>

namespace {

constexpr int stepX[4] = {-1, 1, 0, 0};
constexpr int stepY[4] = {0, 0, -1, 1};

// What the moving piece d does on meeting the piece in the next cell.
enum class Contact { fail, takeOver, takeOverOneStep };

// The table of piece meetings. It may change the moving piece's cell or the piece hit: a moving
// amoeba takes the kind of an item it hits, and an amoeba hit by an item of another kind takes
// that item's kind. An item meeting an amoeba of its own kind, a ball meeting a spike (either
// way) and an amoeba meeting an item of its own kind are forbidden.
Contact meet(std::int32_t& moving, std::int32_t& hit) {
    const CellCode d = moving;
    const CellCode c = hit;
    if (isItem(c)) {
        if (isAmoeba(d)) {
            if (d == c + amoebaOffset) {
                return Contact::fail;
            }
            moving = c + amoebaOffset;
        } else if ((c == CellBall && d == CellSpike) || (c == CellSpike && d == CellBall)) {
            return Contact::fail;
        }
        // A box that is hit moves one cell; balls and spikes slide on.
        return c == CellBox ? Contact::takeOverOneStep : Contact::takeOver;
    }
    // c is an amoeba.
    if (isItem(d)) {
        if (c == d + amoebaOffset) {
            return Contact::fail;
        }
        hit = d + amoebaOffset;
    }
    return Contact::takeOver;
}

struct Motion {
    int x, y;
    int dx, dy;
    CellCode piece;
    int steps;
};

// What a special object on the cell just entered does to the motion.
void applySpecial(HallGrid& hall, int k, Motion& m) {
    const CellCode o = hall.specialCode[k];
    if (isMutation(o)) {
        if (isAmoeba(m.piece)) {
            hall.specialCode[k] = m.piece + amoebaOffset; // the cell takes the amoeba's kind
        } else {
            m.piece = o - mutationOffset;
        }
    } else if (isArrow(o)) {
        constexpr int arrowX[4] = {1, 0, -1, 0};
        constexpr int arrowY[4] = {0, 1, 0, -1};
        m.dx = arrowX[o - ArrowRight];
        m.dy = arrowY[o - ArrowRight];
        m.steps = slideUntilBlocked;
    } else if (isTeleport(o)) {
        for (int j = 0; j < specialCapacity; ++j) {
            const int tx = hall.specialX[j];
            const int ty = hall.specialY[j];
            const bool elsewhere = tx != m.x || ty != m.y;
            if (hall.specialCode[j] == o && elsewhere && insideHall(tx, ty) &&
                hall.grid[tx][ty] == CellFloor) {
                m.x = tx;
                m.y = ty;
                break;
            }
        }
    } else if (isGate(o) && m.piece != o - gateOffset) {
        m.dx = -m.dx; // the gate sends other kinds back the way they came
        m.dy = -m.dy;
        m.steps = slideUntilBlocked;
    }
}

} // namespace

bool push(HallGrid& hall, int x, int y, int direction, int steps) {
    if (!insideHall(x, y) || !isPiece(hall.grid[x][y]) || direction < 0 || direction > 3) {
        return false;
    }
    Motion m{x, y, stepX[direction], stepY[direction], hall.grid[x][y], steps};
    saveGrid(hall);
    int encounters = 0;
    for (;;) {
        const int nx = m.x + m.dx;
        const int ny = m.y + m.dy;
        // Beyond the grid's edge counts as solid; a finished hall is walled in anyway.
        if (!insideHall(nx, ny) || isSolid(hall.grid[nx][ny])) {
            return true;
        }
        std::int32_t& next = hall.grid[nx][ny];
        if (isPiece(next)) {
            const Contact contact = meet(hall.grid[m.x][m.y], next);
            if (contact == Contact::fail) {
                restoreGrid(hall);
                return false;
            }
            // The moving piece stays; the one hit carries on the motion.
            m.x = nx;
            m.y = ny;
            m.piece = next;
            m.steps = contact == Contact::takeOverOneStep ? 1 : slideUntilBlocked;
            continue;
        }
        hall.grid[m.x][m.y] = CellFloor;
        m.x = nx;
        m.y = ny;
        const int k = findSpecialAt(hall, m.x, m.y);
        if (k >= 0) {
            applySpecial(hall, k, m);
            if (++encounters > maximumEncounters) {
                restoreGrid(hall);
                return false;
            }
        }
        hall.grid[m.x][m.y] = m.piece;
        if (m.steps >= 0 && --m.steps <= 0) {
            return true;
        }
    }
}

void scramble(HallGrid& hall, GameRandom& random, int passes, PushObserver* observer) {
    for (int pass = 0; pass < passes; ++pass) {
        for (int y = 0; y < hallSize; ++y) {
            for (int x = 0; x < hallSize; ++x) {
                if (!isPiece(hall.grid[x][y])) {
                    continue;
                }
                const int direction = random.draw(3);
                const bool stood = push(hall, x, y, direction, slideUntilBlocked);
                // The backup holds the grid from before the push, so any difference is its work.
                if (observer != nullptr && stood &&
                    std::memcmp(hall.grid, hall.backup, sizeof hall.grid) != 0) {
                    observer->piecePushed(x, y, direction);
                }
            }
        }
    }
}
