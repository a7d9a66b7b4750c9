#include "solver/agreeing_goal.h"

#include <algorithm>

namespace {

HallPuzzle itemsOf(const HallPuzzle& puzzle, const std::uint8_t* target,
                   const std::vector<char>& cells) {
    HallPuzzle items = puzzle;
    items.endCells.clear();
    items.endCodes.clear();
    for (std::size_t i = 0; i < puzzle.standing.size(); ++i) {
        const CellCode code = pieceAt(target, static_cast<int>(i));
        if (cells[static_cast<std::size_t>(puzzle.standing[i])] != 0 && isItem(code)) {
            items.endCells.push_back(static_cast<int>(i));
            items.endCodes.push_back(code);
        }
    }
    return items;
}

// For every standing cell, the pushes an amoeba of kind on it needs at least to come to rest on
// mutation cell m; empty when no piece can stand there. An amoeba keeps its kind on mutation
// cells, so they count as floor; running over the cell would do, so this is an upper bound.
std::vector<std::uint8_t> pushesOnto(const HallPuzzle& puzzle, int m, int kind) {
    const int special = puzzle.mutations[static_cast<std::size_t>(m)];
    const int cell = puzzle.specialX[special] * hallSize + puzzle.specialY[special];
    if (puzzle.standingIndex[cell] < 0) {
        return {};
    }
    HallPuzzle lone = puzzle;
    for (int k : puzzle.mutations) {
        lone.specialCode[k] = 0;
    }
    lone.endCells = {puzzle.standingIndex[cell]};
    lone.endCodes = {CellBall + kind};
    const std::vector<std::uint8_t> table = endDistanceTable(lone);
    std::vector<std::uint8_t> pushes(puzzle.standing.size());
    for (std::size_t i = 0; i < pushes.size(); ++i) {
        pushes[i] = table[i * 3 + static_cast<std::size_t>(kind)];
    }
    return pushes;
}

} // namespace

AgreeingGoal::AgreeingGoal(const HallPuzzle& puzzle, const std::uint8_t* target,
                           const std::vector<char>& cells)
    : items_(itemsOf(puzzle, target, cells)), distances_(items_) {
    for (std::size_t i = 0; i < puzzle.standing.size(); ++i) {
        const int nibble = nibbleAt(target, static_cast<int>(i));
        if (cells[static_cast<std::size_t>(puzzle.standing[i])] != 0 &&
            !isItem(codeOfNibble(nibble))) {
            others_.emplace_back(static_cast<int>(i), nibble);
        }
    }
    for (std::size_t m = 0; m < puzzle.mutations.size(); ++m) {
        if (cells[hallSize * hallSize + static_cast<std::size_t>(puzzle.mutations[m])] != 0) {
            const int kind = mutationKind(puzzle, target, static_cast<int>(m));
            mutations_.push_back(
                {static_cast<int>(m), kind, pushesOnto(puzzle, static_cast<int>(m), kind)});
        }
    }
}

int AgreeingGoal::differing(const std::uint8_t* key) const {
    int count = 0;
    for (const auto& [cell, nibble] : others_) {
        count += nibbleAt(key, cell) != nibble ? 1 : 0;
    }
    for (const Mutation& mutation : mutations_) {
        if (mutationKind(items_, key, mutation.m) != mutation.kind) {
            count += pushesToChange(key, mutation);
        }
    }
    return count;
}

// At least one, and where the table knows it, the pushes of the nearest amoeba of the kind.
int AgreeingGoal::pushesToChange(const std::uint8_t* key, const Mutation& mutation) const {
    if (mutation.pushes.empty()) {
        return 1;
    }
    int nearest = endUnreachable;
    const int amoeba = nibbleOf(CellAmoebaBall + mutation.kind);
    for (std::size_t i = 0; i < mutation.pushes.size(); ++i) {
        if (nibbleAt(key, static_cast<int>(i)) == amoeba) {
            nearest = std::min<int>(nearest, mutation.pushes[i]);
        }
    }
    return std::max(1, nearest);
}
