#include "solver/end_distances.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <memory>

namespace {

// A search seldom meets more; past this many sets of kinds the first table stands in for the
// rest, so that the tables stay small in time and memory.
constexpr std::size_t tableCapacity = 64;

} // namespace

EndDistances::EndDistances(const HallPuzzle& puzzle)
    : puzzle_(puzzle), standingCount_(puzzle.standing.size()) {
    scratch_.onEnd.assign(standingCount_, 0);
    scratch_.buckets.resize(unreachable + 1);
}

// The table for key's mutation kinds, made when they are first met.
const std::uint8_t* EndDistances::tableFor(const std::uint8_t* key) const {
    std::uint64_t kinds = 0;
    for (std::size_t m = 0; m < puzzle_.mutations.size(); ++m) {
        kinds |= static_cast<std::uint64_t>(mutationKind(puzzle_, key, static_cast<int>(m)))
                 << (2 * m);
    }
    for (const Table& table : tables_) {
        if (table.kinds == kinds) {
            return table.distances.data();
        }
    }
    if (tables_.size() == tableCapacity) {
        return tables_[0].distances.data();
    }
    const auto changed = std::make_unique<HallPuzzle>(puzzle_);
    for (std::size_t m = 0; m < puzzle_.mutations.size(); ++m) {
        changed->specialCode[puzzle_.mutations[m]] =
            MutationBall + static_cast<int>((kinds >> (2 * m)) & 3);
    }
    tables_.push_back({kinds, endDistanceTable(*changed)});
    return tables_.back().distances.data();
}

int EndDistances::estimate(const std::uint8_t* key) const {
    Scratch& s = scratch_;
    s.freeEnds.clear();
    int occupied = 0; // free ends with another piece on them, which must move off first
    for (std::size_t e = 0; e < puzzle_.endCells.size(); ++e) {
        const int cell = puzzle_.endCells[e];
        const CellCode piece = pieceAt(key, cell);
        if (piece == puzzle_.endCodes[e]) {
            s.onEnd[static_cast<std::size_t>(cell)] = 1;
        } else {
            s.freeEnds.push_back(static_cast<int>(e));
            occupied += piece == CellFloor ? 0 : 1;
        }
    }
    findLoose(key);
    for (int cell : puzzle_.endCells) {
        s.onEnd[static_cast<std::size_t>(cell)] = 0;
    }
    const Given given = giveNearest(tableFor(key));
    return given.total + occupied + static_cast<int>(s.freeEnds.size() - given.count) * unreachable;
}

// The items that still have somewhere to go, as standing cell * 3 + kind, into the scratch's
// loose list. Most cells are empty: eight key bytes without a piece are passed over at once.
void EndDistances::findLoose(const std::uint8_t* key) const {
    Scratch& s = scratch_;
    s.loose.clear();
    const std::size_t bytes = (standingCount_ + 1) / 2;
    for (std::size_t b = 0; b < bytes; b += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, key + b, std::min<std::size_t>(8, bytes - b));
        while (word != 0) {
            const std::size_t i = b * 2 + static_cast<std::size_t>(std::countr_zero(word)) / 4;
            word &= ~(std::uint64_t{0xF} << (i - b * 2) * 4);
            if (i >= standingCount_) {
                break; // a mutation cell's nibble shares the last byte
            }
            const CellCode code = pieceAt(key, static_cast<int>(i));
            if (isItem(code) && s.onEnd[i] == 0) {
                s.loose.push_back(static_cast<int>(i) * 3 + code - CellBall);
            }
        }
    }
}

// Gives each free end the nearest loose item not yet given to another, closest pairs first;
// the pairs are sorted by bucketing their distances, which are small. Pairs that cannot meet
// are left out: items of another kind, unless a mutation cell on the way changes them.
EndDistances::Given EndDistances::giveNearest(const std::uint8_t* table) const {
    Scratch& s = scratch_;
    static_assert(unreachable <= 64, "one bit per distance");
    std::uint64_t used = 0;
    for (std::size_t f = 0; f < s.freeEnds.size(); ++f) {
        const std::uint8_t* row =
            table + static_cast<std::size_t>(s.freeEnds[f]) * standingCount_ * 3;
        for (std::size_t i = 0; i < s.loose.size(); ++i) {
            const std::uint8_t distance = row[s.loose[i]];
            if (distance < unreachable) {
                s.buckets[distance].push_back(static_cast<int>(f * s.loose.size() + i));
                used |= std::uint64_t{1} << distance;
            }
        }
    }
    s.endTaken.assign(s.freeEnds.size(), 0);
    s.itemTaken.assign(s.loose.size(), 0);
    Given given;
    for (; used != 0; used &= used - 1) {
        const int distance = std::countr_zero(used);
        auto& bucket = s.buckets[static_cast<std::size_t>(distance)];
        for (std::size_t p = 0; p < bucket.size() && given.count < s.freeEnds.size(); ++p) {
            const std::size_t f = static_cast<std::size_t>(bucket[p]) / s.loose.size();
            const std::size_t i = static_cast<std::size_t>(bucket[p]) % s.loose.size();
            if (s.endTaken[f] == 0 && s.itemTaken[i] == 0) {
                s.endTaken[f] = s.itemTaken[i] = 1;
                given.total += distance;
                ++given.count;
            }
        }
        bucket.clear();
    }
    return given;
}

std::vector<int> EndDistances::nearestItems(const std::uint8_t* key, int end,
                                            std::size_t count) const {
    std::vector<char> placed(standingCount_, 0);
    for (std::size_t e = 0; e < puzzle_.endCells.size(); ++e) {
        const int cell = puzzle_.endCells[e];
        placed[static_cast<std::size_t>(cell)] = pieceAt(key, cell) == puzzle_.endCodes[e] ? 1 : 0;
    }
    const std::uint8_t* table = tableFor(key);
    std::vector<std::pair<int, int>> near; // (distance, standing cell)
    for (std::size_t i = 0; i < standingCount_; ++i) {
        const CellCode code = pieceAt(key, static_cast<int>(i));
        if (isItem(code) && placed[i] == 0) {
            const int d = entry(table, end, static_cast<int>(i), code - CellBall);
            if (d < unreachable) {
                near.emplace_back(d, static_cast<int>(i));
            }
        }
    }
    std::sort(near.begin(), near.end());
    std::vector<int> items;
    for (std::size_t n = 0; n < near.size() && n < count; ++n) {
        items.push_back(near[n].second);
    }
    return items;
}

int strandedEnds(const HallPuzzle& puzzle, const std::uint8_t* key) {
    const auto walled = std::make_unique<HallPuzzle>(puzzle);
    for (std::size_t e = 0; e < puzzle.endCells.size(); ++e) {
        if (isEndCovered(puzzle, key, e)) {
            const int cell = puzzle.standing[static_cast<std::size_t>(puzzle.endCells[e])];
            walled->cells[cell / hallSize][cell % hallSize] = CellWall;
        }
    }
    const EndDistances distances(*walled);
    int stranded = 0;
    for (std::size_t e = 0; e < puzzle.endCells.size(); ++e) {
        if (!isEndCovered(puzzle, key, e) &&
            distances.nearestItems(key, static_cast<int>(e), 1).empty()) {
            ++stranded;
        }
    }
    return stranded;
}

ShutEnds shutEnds(const HallPuzzle& puzzle, const std::uint8_t* key, bool countStranded) {
    return {sealedEnds(puzzle, key), countStranded ? strandedEnds(puzzle, key) : -1};
}

bool shutsNoMore(const HallPuzzle& puzzle, const std::uint8_t* key, const ShutEnds& before) {
    return sealedEnds(puzzle, key) <= before.sealed &&
           (before.stranded < 0 || strandedEnds(puzzle, key) <= before.stranded);
}
