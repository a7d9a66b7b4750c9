#include "solver/bearing_moves.h"

#include <algorithm>

BearingMoves::BearingMoves(const HallPuzzle& puzzle)
    : moves_(puzzle), cells_(hallSize * hallSize + specialCapacity, 0) {
    for (int end : puzzle.endCells) {
        cells_[static_cast<std::size_t>(puzzle.standing[static_cast<std::size_t>(end)])] = 1;
    }
}

bool BearingMoves::takeIn(const std::uint8_t* key, const SolverMove& move) {
    if (!moves_.trace(key, move, &changed_, &read_)) {
        return false;
    }
    const bool bears = std::any_of(changed_.begin(), changed_.end(), [&](int cell) {
        return cells_[static_cast<std::size_t>(cell)] != 0;
    });
    if (bears) {
        for (int cell : read_) {
            cells_[static_cast<std::size_t>(cell)] = 1;
        }
    }
    return bears;
}
