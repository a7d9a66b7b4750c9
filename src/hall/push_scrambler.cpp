#include "hall/push_scrambler.h"

#include <cassert>
#include <cstring>
#include <memory>

namespace {

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

// The first special-object entry on each cell, or -1. Pushes change the codes of entries but
// never their cells, so one index serves a whole scramble.
struct SpecialIndex {
    std::int8_t entry[hallSize][hallSize];
};

void buildSpecialIndex(const HallGrid& hall, SpecialIndex& index) {
    std::memset(index.entry, -1, sizeof index.entry);
    for (int k = specialCapacity - 1; k >= 0; --k) { // downwards, so the first entry wins
        if (insideHall(hall.specialX[k], hall.specialY[k])) {
            index.entry[hall.specialX[k]][hall.specialY[k]] = static_cast<std::int8_t>(k);
        }
    }
}

// The cells one push wrote, so that the scramble can undo a push, and bring the backup up to
// date, without copying the whole grid each time.
//
// A push advances at most 20 cells between two special-object encounters (then it meets the
// grid's edge) and is undone at its 21st encounter, so it makes at most 22 runs of 20 advances,
// each writing two cells: 880 writes.
class PushJournal {
  public:
    void clear() {
        count = 0;
        rest = -1;
    }
    int size() const { return count; }
    int cell(int i) const { return cells[i]; } // x * hallSize + y

    // Where the pushed piece itself came to rest, x * hallSize + y: where it first handed its
    // motion on, or where the push ended.
    int pushedRest() const { return rest; }
    void pushedPieceRests(int x, int y) {
        if (rest < 0) {
            rest = x * hallSize + y;
        }
    }

    void write(HallGrid& hall, int x, int y, CellCode code) {
        assert(count < capacity && "a push writes at most 880 cells");
        hall.grid[x][y] = code;
        cells[count++] = static_cast<std::uint16_t>(x * hallSize + y);
    }

    // Backup to grid over the cells written: the push is undone.
    void undo(HallGrid& hall) const {
        for (int i = 0; i < count; ++i) {
            gridCell(hall, i) = backupCell(hall, i);
        }
    }

    // Grid to backup over the cells written: the backup is a saved grid again.
    void sync(HallGrid& hall) const {
        for (int i = 0; i < count; ++i) {
            backupCell(hall, i) = gridCell(hall, i);
        }
    }

    bool changedGrid(HallGrid& hall) const {
        for (int i = 0; i < count; ++i) {
            if (gridCell(hall, i) != backupCell(hall, i)) {
                return true;
            }
        }
        return false;
    }

  private:
    static constexpr int capacity = 1024;
    int count = 0;
    int rest = -1;
    std::uint16_t cells[capacity];

    std::int32_t& gridCell(HallGrid& hall, int i) const {
        return hall.grid[cells[i] / hallSize][cells[i] % hallSize];
    }
    std::int32_t& backupCell(HallGrid& hall, int i) const {
        return hall.backup[cells[i] / hallSize][cells[i] % hallSize];
    }
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

// In play an amoeba gives a mutation cell its kind whenever it moves while their shapes
// overlap: also when it sets off from the cell it rests on, or is stopped there by a wall or an
// amoeba. Only when it runs straight into an item does it change kind and stop before that.
void markCellLeft(HallGrid& hall, const SpecialIndex& index, const Motion& m, int nx, int ny) {
    const int k = index.entry[m.x][m.y];
    const bool intoItem = insideHall(nx, ny) && isItem(hall.grid[nx][ny]);
    if (k >= 0 && isAmoeba(m.piece) && isMutation(hall.specialCode[k]) && !intoItem) {
        hall.specialCode[k] = m.piece + amoebaOffset;
    }
}

// Runs a push on a grid whose backup holds the grid as it was before. Returns false when the
// push must be undone; the caller restores the cells. With playMutations the push also gives
// the cells amoebas set off from their kind, as play does (the scramble does not).
bool runPush(HallGrid& hall, const SpecialIndex& index, Motion m, PushJournal& journal,
             bool playMutations = false) {
    int encounters = 0;
    bool settingOff = true; // the moving piece has not left its cell yet
    for (;;) {
        const int nx = m.x + m.dx;
        const int ny = m.y + m.dy;
        if (playMutations && settingOff) {
            markCellLeft(hall, index, m, nx, ny);
        }
        settingOff = false;
        // Beyond the grid's edge counts as solid; a finished hall is walled in anyway.
        if (!insideHall(nx, ny) || isSolid(hall.grid[nx][ny])) {
            journal.pushedPieceRests(m.x, m.y);
            return true;
        }
        if (isPiece(hall.grid[nx][ny])) {
            std::int32_t moving = hall.grid[m.x][m.y];
            std::int32_t hit = hall.grid[nx][ny];
            const Contact contact = meet(moving, hit);
            if (contact == Contact::fail) {
                return false;
            }
            journal.pushedPieceRests(m.x, m.y);
            journal.write(hall, m.x, m.y, moving);
            journal.write(hall, nx, ny, hit);
            // The moving piece stays; the one hit carries on the motion.
            m.x = nx;
            m.y = ny;
            m.piece = hit;
            m.steps = contact == Contact::takeOverOneStep ? 1 : slideUntilBlocked;
            settingOff = true;
            continue;
        }
        journal.write(hall, m.x, m.y, CellFloor);
        m.x = nx;
        m.y = ny;
        const int k = index.entry[m.x][m.y];
        if (k >= 0) {
            applySpecial(hall, k, m);
            if (++encounters > maximumEncounters) {
                return false;
            }
        }
        journal.write(hall, m.x, m.y, m.piece);
        if (m.steps >= 0 && --m.steps <= 0) {
            journal.pushedPieceRests(m.x, m.y);
            return true;
        }
    }
}

Motion startMotion(const HallGrid& hall, int x, int y, int direction, int steps) {
    return Motion{x, y, pushStepX[direction], pushStepY[direction], hall.grid[x][y], steps};
}

} // namespace

bool push(HallGrid& hall, int x, int y, int direction, int steps) {
    if (!insideHall(x, y) || !isPiece(hall.grid[x][y]) || direction < 0 || direction > 3) {
        return false;
    }
    SpecialIndex index;
    buildSpecialIndex(hall, index);
    saveGrid(hall);
    PushJournal journal;
    if (!runPush(hall, index, startMotion(hall, x, y, direction, steps), journal)) {
        restoreGrid(hall);
        return false;
    }
    return true;
}

void scramble(HallGrid& hall, GameRandom& random, int passes, PushObserver* observer) {
    SpecialIndex index;
    buildSpecialIndex(hall, index);
    // Every push starts from a saved grid. The whole grid is saved once; after that only the
    // cells the previous push wrote can differ from the backup.
    PushJournal journal;
    saveGrid(hall);
    for (int pass = 0; pass < passes; ++pass) {
        for (int y = 0; y < hallSize; ++y) {
            for (int x = 0; x < hallSize; ++x) {
                if (!isPiece(hall.grid[x][y])) {
                    continue;
                }
                const int direction = random.draw(3);
                journal.sync(hall);
                journal.clear();
                const Motion motion = startMotion(hall, x, y, direction, slideUntilBlocked);
                const bool stood = runPush(hall, index, motion, journal);
                if (!stood) {
                    journal.undo(hall);
                }
                if (observer != nullptr && stood && journal.changedGrid(hall)) {
                    observer->piecePushed(x, y, direction, hall);
                }
            }
        }
    }
}

struct TrialPush::Model {
    SpecialIndex index;
    PushJournal journal;
    std::int32_t specialCode[specialCapacity];
};

TrialPush::TrialPush(const HallGrid& hall) : model_(std::make_unique<Model>()) {
    buildSpecialIndex(hall, model_->index);
}

TrialPush::~TrialPush() = default;

bool TrialPush::run(HallGrid& hall, int x, int y, int direction) {
    assert(insideHall(x, y) && isPiece(hall.grid[x][y]) && direction >= 0 && direction < 4);
    Model& model = *model_;
    model.journal.clear();
    std::memcpy(model.specialCode, hall.specialCode, sizeof model.specialCode);
    const Motion motion = startMotion(hall, x, y, direction, slideUntilBlocked);
    if (runPush(hall, model.index, motion, model.journal, true)) {
        return true;
    }
    takeBack(hall);
    return false;
}

void TrialPush::takeBack(HallGrid& hall) {
    model_->journal.undo(hall);
    std::memcpy(hall.specialCode, model_->specialCode, sizeof hall.specialCode);
}

int TrialPush::writtenCount() const {
    return model_->journal.size();
}

int TrialPush::writtenCell(int i) const {
    return model_->journal.cell(i);
}

int TrialPush::pushedRest() const {
    return model_->journal.pushedRest();
}
