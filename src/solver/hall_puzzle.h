#pragma once
// A hall as a puzzle for the solver: its fixed cells and special objects, the cells a piece may
// stand on, and the goal (the items' places after the scramble, where the ends are drawn).
//
// A position is packed into a key of fixed size: one nibble per standing cell for the piece on
// it (0 none, 1..3 ball, box, spike, 4..6 amoebas of those kinds), then one nibble per mutation
// cell for its kind (0..2). Keys compare and hash as bytes.

#include "hall/hall_grid.h"

#include <cstdint>
#include <vector>

using PositionKey = std::vector<std::uint8_t>;

struct SolverMove {
    int x = 0, y = 0;  // the pushed piece's cell
    int direction = 0; // pushLeft, pushRight, pushUp, pushDown
    bool operator==(const SolverMove&) const = default;
};

struct HallPuzzle {
    // The fixed cells: walls, windows and floor; the pieces' cells hold floor.
    std::int32_t cells[hallSize][hallSize] = {};
    std::int32_t specialX[specialCapacity] = {};
    std::int32_t specialY[specialCapacity] = {};
    std::int32_t specialCode[specialCapacity] = {}; // as at the start
    std::vector<int> standing;                      // cells x * hallSize + y a piece may stand on
    std::int16_t standingIndex[hallSize * hallSize] = {}; // the reverse, -1 for other cells
    std::vector<int> mutations;                           // special-table entries of mutation cells
    std::vector<int> endCells;                            // the standing cells that hold an end
    std::vector<CellCode> endCodes;                       // and the item code that covers each
    int keySize = 0;
};

// grid and specials as the hall starts; goal the grid after the scramble.
HallPuzzle makePuzzle(const std::int32_t grid[hallSize][hallSize], const std::int32_t specialX[],
                      const std::int32_t specialY[], const std::int32_t specialCode[],
                      const std::int32_t goal[hallSize][hallSize]);

// The pieces of grid and the mutation kinds of specialCode as a key.
PositionKey packPosition(const HallPuzzle& puzzle, const std::int32_t grid[hallSize][hallSize],
                         const std::int32_t specialCode[]);
// Writes a key's pieces into hall's grid and backup, over the fixed cells, and its mutation
// kinds into the special table.
void unpackPosition(const HallPuzzle& puzzle, const std::uint8_t* key, HallGrid& hall);

// The key's nibbles, defined here so that the searches, which read them for every position
// they meet, have them inline.
inline int nibbleOf(CellCode code) {
    if (isItem(code)) {
        return code - CellBall + 1;
    }
    if (isAmoeba(code)) {
        return code - CellAmoebaBall + 4;
    }
    return 0;
}

inline CellCode codeOfNibble(int nibble) {
    if (nibble == 0) {
        return CellFloor;
    }
    return nibble <= 3 ? CellBall + nibble - 1 : CellAmoebaBall + nibble - 4;
}

inline int nibbleAt(const std::uint8_t* key, int i) {
    return (key[i / 2] >> (i % 2 * 4)) & 0xF;
}

inline void setNibble(std::uint8_t* key, int i, int value) {
    const int shift = i % 2 * 4;
    key[i / 2] = static_cast<std::uint8_t>((key[i / 2] & ~(0xF << shift)) | (value << shift));
}

// The piece code on standing cell i of a key (CellFloor for none).
inline CellCode pieceAt(const std::uint8_t* key, int i) {
    return codeOfNibble(nibbleAt(key, i));
}

inline void setPieceAt(std::uint8_t* key, int i, CellCode code) {
    setNibble(key, i, nibbleOf(code));
}
// The kind (0 ball, 1 box, 2 spike) of the puzzle's mutation cell m in a key.
int mutationKind(const HallPuzzle& puzzle, const std::uint8_t* key, int m);
void setMutationKind(const HallPuzzle& puzzle, std::uint8_t* key, int m, int kind);
// Every end covered by an item of its kind.
bool isSolvedPosition(const HallPuzzle& puzzle, const std::uint8_t* key);

// Whether end e is covered by an item of its kind, and how many ends are.
bool isEndCovered(const HallPuzzle& puzzle, const std::uint8_t* key, std::size_t e);
int coveredEnds(const HallPuzzle& puzzle, const std::uint8_t* key);

// The free ends with covered ends or solid cells on all four sides: no item can reach them any
// more unless one of those is moved away again.
int sealedEnds(const HallPuzzle& puzzle, const std::uint8_t* key);

// A hall grid set up with the puzzle's fixed cells and special objects, for trying pushes.
void fillFixedHall(const HallPuzzle& puzzle, HallGrid& hall);
