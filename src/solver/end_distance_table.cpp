#include "solver/end_distance_table.h"

#include "hall/push_scrambler.h"

#include <algorithm>

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

// For every (standing cell, kind) node, the nodes from which one push can bring an item there.
std::vector<std::vector<int>> reverseRuns(const HallPuzzle& puzzle) {
    const std::size_t standingCount = puzzle.standing.size();
    std::vector<std::vector<int>> reverse(standingCount * 3);
    for (std::size_t i = 0; i < standingCount; ++i) {
        const int cell = puzzle.standing[i];
        for (int kind = 0; kind < 3; ++kind) {
            const int from = static_cast<int>(i) * 3 + kind;
            for (int direction = 0; direction < 4; ++direction) {
                Run r{cell / hallSize, cell % hallSize, direction, kind};
                // A run longer than the hall's cells is going round in arrows.
                for (int steps = 0; steps < hallSize * hallSize; ++steps) {
                    const int nx = r.x + pushStepX[r.direction], ny = r.y + pushStepY[r.direction];
                    if (!insideHall(nx, ny) || puzzle.cells[nx][ny] != CellFloor) {
                        break;
                    }
                    r.x = nx, r.y = ny;
                    const int k = specialOn(puzzle, nx, ny);
                    if (k >= 0) {
                        followSpecial(puzzle, k, r);
                    }
                    const int to = puzzle.standingIndex[r.x * hallSize + r.y] * 3 + r.kind;
                    const int ax = r.x + pushStepX[r.direction], ay = r.y + pushStepY[r.direction];
                    const bool needsBlocker =
                        insideHall(ax, ay) && puzzle.cells[ax][ay] == CellFloor;
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

// Fills row, end's part of the table, by a search backwards from the end.
void fillFrom(const HallPuzzle& puzzle, int end, const std::vector<std::vector<int>>& reverse,
              std::uint8_t* row) {
    const int target = puzzle.endCells[static_cast<std::size_t>(end)] * 3 +
                       (puzzle.endCodes[static_cast<std::size_t>(end)] - CellBall);
    row[target] = 0;
    // Cheapest runs first: a run that stops against a wall costs 1, one that needs a piece to
    // stop it costs 2.
    std::vector<std::vector<int>> queue(endUnreachable + 2);
    queue[0].push_back(target);
    for (int distance = 0; distance < endUnreachable; ++distance) {
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

} // namespace

std::vector<std::uint8_t> endDistanceTable(const HallPuzzle& puzzle) {
    const std::size_t standingCount = puzzle.standing.size();
    std::vector<std::uint8_t> table(puzzle.endCells.size() * standingCount * 3, endUnreachable);
    const auto reverse = reverseRuns(puzzle);
    for (std::size_t e = 0; e < puzzle.endCells.size(); ++e) {
        fillFrom(puzzle, static_cast<int>(e), reverse, table.data() + e * standingCount * 3);
    }
    return table;
}
