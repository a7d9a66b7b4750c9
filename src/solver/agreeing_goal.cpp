#include "solver/agreeing_goal.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace {

constexpr std::uint64_t lowBits = 0x1111111111111111;

// The nibbles set in a word that has at most the lowest bit of each nibble set: summed into its
// bytes, then the bytes summed by one multiply. std::popcount is a library call on the plain
// x86-64 the game is built for, and this count is in the search's inner loop.
int nibblesSet(std::uint64_t lows) {
    const std::uint64_t bytes = (lows + (lows >> 4)) & 0x0F0F0F0F0F0F0F0F;
    return static_cast<int>((bytes * 0x0101010101010101) >> 56);
}

// Key bytes b to b + 7 as one word, nibble i of the key at bits 4 * (i - 2 * b); bytes past
// the key's pieces read as none.
std::uint64_t wordAt(const std::uint8_t* key, std::size_t b, std::size_t bytes) {
    std::uint64_t word = 0;
    std::memcpy(&word, key + b, std::min<std::size_t>(8, bytes - b));
    return word;
}

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
    : items_(itemsOf(puzzle, target, cells)), distances_(items_),
      target_((puzzle.standing.size() + 15) / 16), mask_(target_.size()),
      pieceBytes_((puzzle.standing.size() + 1) / 2) {
    for (std::size_t i = 0; i < puzzle.standing.size(); ++i) {
        const auto nibble = static_cast<std::uint64_t>(nibbleAt(target, static_cast<int>(i)));
        if (cells[static_cast<std::size_t>(puzzle.standing[i])] != 0 &&
            !isItem(codeOfNibble(static_cast<int>(nibble)))) {
            target_[i / 16] |= nibble << i % 16 * 4;
            mask_[i / 16] |= std::uint64_t{0xF} << i % 16 * 4;
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
    for (std::size_t w = 0; w < target_.size(); ++w) {
        const std::uint64_t x = (wordAt(key, w * 8, pieceBytes_) ^ target_[w]) & mask_[w];
        count += nibblesSet((x | x >> 1 | x >> 2 | x >> 3) & lowBits);
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
    for (std::size_t b = 0; b < pieceBytes_; b += 8) {
        // Only the cells with a piece on them are looked at.
        for (std::uint64_t word = wordAt(key, b, pieceBytes_); word != 0;) {
            const int bit = std::countr_zero(word) / 4 * 4;
            const std::size_t i = b * 2 + static_cast<std::size_t>(bit) / 4;
            if (i < mutation.pushes.size() && static_cast<int>(word >> bit & 0xF) == amoeba) {
                nearest = std::min<int>(nearest, mutation.pushes[i]);
            }
            word &= ~(std::uint64_t{0xF} << bit);
        }
    }
    return std::max(1, nearest);
}
