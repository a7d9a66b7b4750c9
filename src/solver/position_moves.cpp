#include "solver/position_moves.h"

#include <cstring>

namespace {

std::unique_ptr<HallGrid> fixedHall(const HallPuzzle& puzzle) {
    auto hall = std::make_unique<HallGrid>();
    fillFixedHall(puzzle, *hall);
    return hall;
}

} // namespace

PositionMoves::PositionMoves(const HallPuzzle& puzzle)
    : puzzle_(puzzle), hall_(fixedHall(puzzle)), trial_(*hall_),
      placed_(puzzle.standing.size(), CellFloor) {
    for (std::size_t e = 0; e < puzzle.endCells.size(); ++e) {
        placed_[static_cast<std::size_t>(puzzle.endCells[e])] = puzzle.endCodes[e];
    }
}

void PositionMoves::load(const std::uint8_t* key) {
    unpackPosition(puzzle_, key, *hall_);
}

// Runs the push on the loaded position and, when it stands and changes something, writes the
// resulting key; the grid is back to the loaded position afterwards.
bool PositionMoves::tryPush(const std::uint8_t* key, const SolverMove& move, std::uint8_t* child) {
    if (!trial_.run(*hall_, move.x, move.y, move.direction)) {
        return false;
    }
    const std::size_t size = static_cast<std::size_t>(puzzle_.keySize);
    std::memcpy(child, key, size);
    for (int i = 0; i < trial_.writtenCount(); ++i) {
        const int cell = trial_.writtenCell(i);
        setPieceAt(child, puzzle_.standingIndex[cell],
                   hall_->grid[cell / hallSize][cell % hallSize]);
    }
    for (std::size_t m = 0; m < puzzle_.mutations.size(); ++m) {
        const int kind = hall_->specialCode[puzzle_.mutations[m]] - MutationBall;
        setMutationKind(puzzle_, child, static_cast<int>(m), kind);
    }
    trial_.takeBack(*hall_);
    return std::memcmp(child, key, size) != 0;
}

void PositionMoves::expand(const std::uint8_t* key, PositionChildren& children,
                           bool keepPlacedItems, const std::vector<char>* movableCells) {
    const std::size_t size = static_cast<std::size_t>(puzzle_.keySize);
    children.moves.clear();
    children.keySize = size;
    load(key);
    std::size_t count = 0;
    for (std::size_t i = 0; i < puzzle_.standing.size(); ++i) {
        const CellCode piece = pieceAt(key, static_cast<int>(i));
        if (piece == CellFloor || (keepPlacedItems && placed_[i] == piece) ||
            (movableCells != nullptr && (*movableCells)[i] == 0)) {
            continue;
        }
        const int cell = puzzle_.standing[i];
        for (int direction = 0; direction < 4; ++direction) {
            const SolverMove move{cell / hallSize, cell % hallSize, direction};
            children.keys.resize((count + 1) * size);
            if (tryPush(key, move, children.keys.data() + count * size)) {
                children.moves.push_back(move);
                ++count;
            }
        }
    }
    children.keys.resize(count * size);
}

bool PositionMoves::apply(const std::uint8_t* key, const SolverMove& move, std::uint8_t* child) {
    const int cell = move.x * hallSize + move.y;
    if (!insideHall(move.x, move.y) || move.direction < 0 || move.direction > 3 ||
        puzzle_.standingIndex[cell] < 0 || pieceAt(key, puzzle_.standingIndex[cell]) == CellFloor) {
        return false;
    }
    load(key);
    return tryPush(key, move, child);
}

bool PositionMoves::trace(const std::uint8_t* key, const SolverMove& move,
                          std::vector<int>* changed, std::vector<int>* read) {
    std::vector<std::uint8_t> child(static_cast<std::size_t>(puzzle_.keySize));
    if (!apply(key, move, child.data())) {
        return false;
    }
    changed->clear();
    read->clear();
    trial_.run(*hall_, move.x, move.y, move.direction);
    constexpr int specialBase = hallSize * hallSize;
    for (int i = 0; i < trial_.writtenCount(); ++i) {
        const int cell = trial_.writtenCell(i);
        read->push_back(cell); // a cell passed had to be free, a piece met had to be there
        if (hall_->grid[cell / hallSize][cell % hallSize] !=
            hall_->backup[cell / hallSize][cell % hallSize]) {
            changed->push_back(cell);
        }
        for (int k = 0; k < specialCapacity; ++k) {
            if (puzzle_.specialCode[k] > 0 &&
                puzzle_.specialX[k] * hallSize + puzzle_.specialY[k] == cell) {
                read->push_back(specialBase + k);
                for (int j = 0; j < specialCapacity; ++j) { // a teleport looks at its partner
                    if (j != k && isTeleport(puzzle_.specialCode[k]) &&
                        puzzle_.specialCode[j] == puzzle_.specialCode[k]) {
                        read->push_back(puzzle_.specialX[j] * hallSize + puzzle_.specialY[j]);
                    }
                }
            }
        }
    }
    for (std::size_t m = 0; m < puzzle_.mutations.size(); ++m) {
        const int k = puzzle_.mutations[m];
        if (hall_->specialCode[k] !=
            MutationBall + mutationKind(puzzle_, key, static_cast<int>(m))) {
            changed->push_back(specialBase + k);
            read->push_back(specialBase + k);
        }
    }
    trial_.takeBack(*hall_);
    return true;
}

PositionKey keyAfter(const HallPuzzle& puzzle, const PositionKey& key,
                     const std::vector<SolverMove>& moves) {
    PositionMoves model(puzzle);
    PositionKey current = key, next(key.size());
    for (const SolverMove& move : moves) {
        if (model.apply(current.data(), move, next.data())) {
            current = next;
        }
    }
    return current;
}
