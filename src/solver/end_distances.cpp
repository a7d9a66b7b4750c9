#include "solver/end_distances.h"

#include "hall/push_scrambler.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <memory>

namespace {

int specialOn(const HallPuzzle& puzzle, int x, int y) {
    for (int k = 0; k < specialCapacity; ++k) {
        if (puzzle.specialCode[k] > 0 && puzzle.specialX[k] == x && puzzle.specialY[k] == y) {
            return k;
        }
    }
    return -1;
}

struct Run {
    int x, y, direction, kind;
};

// Turns, jumps and kind changes of a lone item that has just entered (r.x, r.y).
void followSpecial(const HallPuzzle& puzzle, int k, Run& r) {
    const CellCode code = puzzle.specialCode[k];
    if (isMutation(code)) {
        r.kind = code - MutationBall;
    } else if (isArrow(code)) {
        constexpr int arrowDirection[4] = {1, 3, 0, 2}; // right, down, left, up
        r.direction = arrowDirection[code - ArrowRight];
    } else if (isGate(code) && r.kind != code - GateBall) {
        r.direction ^= 1; // left <-> right, up <-> down
    } else if (isTeleport(code)) {
        for (int j = 0; j < specialCapacity; ++j) {
            if (j != k && puzzle.specialCode[j] == code) {
                r.x = puzzle.specialX[j];
                r.y = puzzle.specialY[j];
                break;
            }
        }
    }
}

} // namespace

EndDistances::EndDistances(const HallPuzzle& puzzle)
    : puzzle_(puzzle), standingCount_(puzzle.standing.size()) {
    scratch_.onEnd.assign(standingCount_, 0);
    scratch_.buckets.resize(unreachable + 1);
    table_.assign(puzzle.endCells.size() * standingCount_ * 3, unreachable);
    const auto reverse = reverseRuns();
    for (std::size_t e = 0; e < puzzle.endCells.size(); ++e) {
        fillFrom(static_cast<int>(e), reverse);
    }
}

// For every (standing cell, kind) node, the nodes from which one push can bring an item there.
std::vector<std::vector<int>> EndDistances::reverseRuns() const {
    std::vector<std::vector<int>> reverse(standingCount_ * 3);
    for (std::size_t i = 0; i < standingCount_; ++i) {
        const int cell = puzzle_.standing[i];
        for (int kind = 0; kind < 3; ++kind) {
            const int from = static_cast<int>(i) * 3 + kind;
            for (int direction = 0; direction < 4; ++direction) {
                Run r{cell / hallSize, cell % hallSize, direction, kind};
                // A run longer than the hall's cells is going round in arrows.
                for (int steps = 0; steps < hallSize * hallSize; ++steps) {
                    const int nx = r.x + pushStepX[r.direction], ny = r.y + pushStepY[r.direction];
                    if (!insideHall(nx, ny) || puzzle_.cells[nx][ny] != CellFloor) {
                        break;
                    }
                    r.x = nx, r.y = ny;
                    const int k = specialOn(puzzle_, nx, ny);
                    if (k >= 0) {
                        followSpecial(puzzle_, k, r);
                    }
                    const int to = puzzle_.standingIndex[r.x * hallSize + r.y] * 3 + r.kind;
                    const int ax = r.x + pushStepX[r.direction], ay = r.y + pushStepY[r.direction];
                    const bool needsBlocker =
                        insideHall(ax, ay) && puzzle_.cells[ax][ay] == CellFloor;
                    reverse[static_cast<std::size_t>(to)].push_back(from * 2 +
                                                                    (needsBlocker ? 1 : 0));
                }
            }
        }
    }
    // Of two runs from the same node, keep the one that stops by itself.
    for (auto& sources : reverse) {
        std::sort(sources.begin(), sources.end());
        const auto same = [](int a, int b) { return a / 2 == b / 2; };
        sources.erase(std::unique(sources.begin(), sources.end(), same), sources.end());
    }
    return reverse;
}

void EndDistances::fillFrom(int end, const std::vector<std::vector<int>>& reverse) {
    std::uint8_t* row = table_.data() + static_cast<std::size_t>(end) * standingCount_ * 3;
    const int target = puzzle_.endCells[static_cast<std::size_t>(end)] * 3 +
                       (puzzle_.endCodes[static_cast<std::size_t>(end)] - CellBall);
    row[target] = 0;
    // Cheapest runs first: a run that stops against a wall costs 1, one that needs a piece to
    // stop it costs 2.
    std::vector<std::vector<int>> queue(unreachable + 2);
    queue[0].push_back(target);
    for (int distance = 0; distance < unreachable; ++distance) {
        for (std::size_t q = 0; q < queue[static_cast<std::size_t>(distance)].size(); ++q) {
            const int node = queue[static_cast<std::size_t>(distance)][q];
            if (row[node] < distance) {
                continue; // met again later at a greater distance
            }
            for (int source : reverse[static_cast<std::size_t>(node)]) {
                const int from = source / 2;
                const int reached = distance + 1 + source % 2;
                if (reached < row[from]) {
                    row[from] = static_cast<std::uint8_t>(reached);
                    queue[static_cast<std::size_t>(reached)].push_back(from);
                }
            }
        }
    }
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
    const Given given = giveNearest();
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
EndDistances::Given EndDistances::giveNearest() const {
    Scratch& s = scratch_;
    static_assert(unreachable <= 64, "one bit per distance");
    std::uint64_t used = 0;
    for (std::size_t f = 0; f < s.freeEnds.size(); ++f) {
        const std::uint8_t* row =
            table_.data() + static_cast<std::size_t>(s.freeEnds[f]) * standingCount_ * 3;
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
    std::vector<std::pair<int, int>> near; // (distance, standing cell)
    for (std::size_t i = 0; i < standingCount_; ++i) {
        const CellCode code = pieceAt(key, static_cast<int>(i));
        if (isItem(code) && placed[i] == 0) {
            const int d = distance(end, static_cast<int>(i), code - CellBall);
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
