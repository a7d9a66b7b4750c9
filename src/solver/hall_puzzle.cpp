#include "solver/hall_puzzle.h"

#include "hall/push_scrambler.h"

#include <cstring>

HallPuzzle makePuzzle(const std::int32_t grid[hallSize][hallSize], const std::int32_t specialX[],
                      const std::int32_t specialY[], const std::int32_t specialCode[],
                      const std::int32_t goal[hallSize][hallSize]) {
    HallPuzzle puzzle;
    std::memset(puzzle.standingIndex, -1, sizeof puzzle.standingIndex);
    for (int x = 0; x < hallSize; ++x) {
        for (int y = 0; y < hallSize; ++y) {
            const CellCode code = grid[x][y];
            const bool stands = code == CellFloor || isPiece(code);
            puzzle.cells[x][y] = stands ? CellFloor : code;
            if (stands) {
                puzzle.standingIndex[x * hallSize + y] =
                    static_cast<std::int16_t>(puzzle.standing.size());
                puzzle.standing.push_back(x * hallSize + y);
            }
            if (stands && isItem(goal[x][y])) {
                puzzle.endCells.push_back(puzzle.standingIndex[x * hallSize + y]);
                puzzle.endCodes.push_back(goal[x][y]);
            }
        }
    }
    for (int k = 0; k < specialCapacity; ++k) {
        puzzle.specialX[k] = specialX[k];
        puzzle.specialY[k] = specialY[k];
        puzzle.specialCode[k] = specialCode[k];
        if (isMutation(specialCode[k])) {
            puzzle.mutations.push_back(k);
        }
    }
    const int nibbles = static_cast<int>(puzzle.standing.size() + puzzle.mutations.size());
    puzzle.keySize = (nibbles + 1) / 2;
    return puzzle;
}

PositionKey packPosition(const HallPuzzle& puzzle, const std::int32_t grid[hallSize][hallSize],
                         const std::int32_t specialCode[]) {
    PositionKey key(static_cast<std::size_t>(puzzle.keySize), 0);
    const int standing = static_cast<int>(puzzle.standing.size());
    for (int i = 0; i < standing; ++i) {
        const int cell = puzzle.standing[static_cast<std::size_t>(i)];
        setNibble(key.data(), i, nibbleOf(grid[cell / hallSize][cell % hallSize]));
    }
    for (std::size_t m = 0; m < puzzle.mutations.size(); ++m) {
        const CellCode code = specialCode[puzzle.mutations[m]];
        setMutationKind(puzzle, key.data(), static_cast<int>(m), code - MutationBall);
    }
    return key;
}

void unpackPosition(const HallPuzzle& puzzle, const std::uint8_t* key, HallGrid& hall) {
    const int standing = static_cast<int>(puzzle.standing.size());
    for (int i = 0; i < standing; ++i) {
        const int cell = puzzle.standing[static_cast<std::size_t>(i)];
        const CellCode code = codeOfNibble(nibbleAt(key, i));
        hall.grid[cell / hallSize][cell % hallSize] = code;
        hall.backup[cell / hallSize][cell % hallSize] = code;
    }
    for (std::size_t m = 0; m < puzzle.mutations.size(); ++m) {
        hall.specialCode[puzzle.mutations[m]] =
            MutationBall + mutationKind(puzzle, key, static_cast<int>(m));
    }
}

int mutationKind(const HallPuzzle& puzzle, const std::uint8_t* key, int m) {
    return nibbleAt(key, static_cast<int>(puzzle.standing.size()) + m);
}

void setMutationKind(const HallPuzzle& puzzle, std::uint8_t* key, int m, int kind) {
    setNibble(key, static_cast<int>(puzzle.standing.size()) + m, kind);
}

bool isSolvedPosition(const HallPuzzle& puzzle, const std::uint8_t* key) {
    for (std::size_t e = 0; e < puzzle.endCells.size(); ++e) {
        if (nibbleAt(key, puzzle.endCells[e]) != nibbleOf(puzzle.endCodes[e])) {
            return false;
        }
    }
    return true;
}

bool isEndCovered(const HallPuzzle& puzzle, const std::uint8_t* key, std::size_t e) {
    return nibbleAt(key, puzzle.endCells[e]) == nibbleOf(puzzle.endCodes[e]);
}

int coveredEnds(const HallPuzzle& puzzle, const std::uint8_t* key) {
    int count = 0;
    for (std::size_t e = 0; e < puzzle.endCells.size(); ++e) {
        count += nibbleAt(key, puzzle.endCells[e]) == nibbleOf(puzzle.endCodes[e]) ? 1 : 0;
    }
    return count;
}

int sealedEnds(const HallPuzzle& puzzle, const std::uint8_t* key) {
    std::vector<int> endAt(hallSize * hallSize, -1);
    for (std::size_t e = 0; e < puzzle.endCells.size(); ++e) {
        endAt[static_cast<std::size_t>(
            puzzle.standing[static_cast<std::size_t>(puzzle.endCells[e])])] = static_cast<int>(e);
    }
    const auto coveredAt = [&](int e) {
        return isEndCovered(puzzle, key, static_cast<std::size_t>(e));
    };
    int sealed = 0;
    for (std::size_t e = 0; e < puzzle.endCells.size(); ++e) {
        if (coveredAt(static_cast<int>(e))) {
            continue;
        }
        const int cell = puzzle.standing[static_cast<std::size_t>(puzzle.endCells[e])];
        bool open = false;
        for (int d = 0; d < 4; ++d) {
            const int x = cell / hallSize + pushStepX[d], y = cell % hallSize + pushStepY[d];
            if (!insideHall(x, y) || puzzle.standingIndex[x * hallSize + y] < 0) {
                continue;
            }
            const int other = endAt[static_cast<std::size_t>(x * hallSize + y)];
            open = open || other < 0 || !coveredAt(other);
        }
        sealed += open ? 0 : 1;
    }
    return sealed;
}

void fillFixedHall(const HallPuzzle& puzzle, HallGrid& hall) {
    std::memcpy(hall.grid, puzzle.cells, sizeof hall.grid);
    std::memcpy(hall.backup, puzzle.cells, sizeof hall.backup);
    std::memcpy(hall.specialX, puzzle.specialX, sizeof hall.specialX);
    std::memcpy(hall.specialY, puzzle.specialY, sizeof hall.specialY);
    std::memcpy(hall.specialCode, puzzle.specialCode, sizeof hall.specialCode);
}
