#include "solver/focused_cover.h"

#include "solver/end_distances.h"
#include "solver/piece_routes.h"

#include <algorithm>

namespace {

// Memory and time of the search around one end.
constexpr std::size_t endMemory = std::size_t{16} << 20;
constexpr auto endTime = std::chrono::milliseconds(400);
// Items of the end's kind whose reach joins the search, nearest first.
constexpr int nearItems = 3;
constexpr int reachDepth = 2;

void markWithNeighbours(const HallPuzzle& puzzle, int standing, std::vector<char>& cells) {
    const int cell = puzzle.standing[static_cast<std::size_t>(standing)];
    cells[static_cast<std::size_t>(standing)] = 1;
    for (int d = 0; d < 4; ++d) {
        const int x = cell / hallSize + pushStepX[d], y = cell % hallSize + pushStepY[d];
        const int next = insideHall(x, y) ? puzzle.standingIndex[x * hallSize + y] : -1;
        if (next >= 0) {
            cells[static_cast<std::size_t>(next)] = 1;
        }
    }
}

// The cells whose pieces the search around end may push.
std::vector<char> cellsAround(const HallPuzzle& puzzle, const std::uint8_t* key, int end,
                              const std::vector<int>& items) {
    std::vector<char> cells(puzzle.standing.size(), 0);
    const int endCell = puzzle.endCells[static_cast<std::size_t>(end)];
    markWithNeighbours(puzzle, endCell, cells);
    const int cell = puzzle.standing[static_cast<std::size_t>(endCell)];
    for (int d = 0; d < 4; ++d) {
        int x = cell / hallSize + pushStepX[d], y = cell % hallSize + pushStepY[d];
        for (; insideHall(x, y) && puzzle.standingIndex[x * hallSize + y] >= 0;
             x += pushStepX[d], y += pushStepY[d]) {
            markWithNeighbours(puzzle, puzzle.standingIndex[x * hallSize + y], cells);
        }
    }
    PositionMoves model(puzzle);
    PieceRoutes routes(puzzle, model);
    for (int item : items) {
        routes.explore(key, item, reachDepth);
        for (std::size_t i = 0; i < puzzle.standing.size(); ++i) {
            if (routes.pushesTo(static_cast<int>(i), CellFloor) >= 0) {
                markWithNeighbours(puzzle, static_cast<int>(i), cells);
            }
        }
    }
    return cells;
}

} // namespace

bool coverNearEnd(const HallPuzzle& puzzle, PositionKey& key, SearchOutcome& outcome,
                  const SearchLimits& limits) {
    const EndDistances distances(puzzle);
    std::vector<char> kept(puzzle.endCells.size(), 0);
    std::vector<std::pair<int, int>> ends; // (distance of the nearest item, end)
    for (std::size_t e = 0; e < kept.size(); ++e) {
        kept[e] = isEndCovered(puzzle, key.data(), e) ? 1 : 0;
        const int end = static_cast<int>(e);
        const std::vector<int> near = distances.nearestItems(key.data(), end, 1);
        const bool wanted = limits.endToCover < 0 || limits.endToCover == end;
        if (kept[e] == 0 && wanted && !near.empty()) {
            const CellCode kind = pieceAt(key.data(), near.front()) - CellBall;
            ends.emplace_back(distances.distance(key.data(), end, near.front(), kind), end);
        }
    }
    std::sort(ends.begin(), ends.end());
    for (const auto& [distance, end] : ends) {
        const std::vector<int> near = distances.nearestItems(key.data(), end, nearItems);
        const std::vector<char> movable = cellsAround(puzzle, key.data(), end, near);
        SearchLimits part = limits;
        part.weight = 2;
        part.memoryBytes = std::min(limits.memoryBytes, endMemory);
        part.deadline = std::min(limits.deadline, SolverClock::now() + endTime);
        part.keptEnds = &kept;
        part.endsToCover = coveredEnds(puzzle, key.data()) + 1;
        part.movableCells = &movable;
        const SearchOutcome step = searchMoves(puzzle, key, part);
        outcome.positions += step.positions;
        if (step.solved) {
            key = keyAfter(puzzle, key, step.moves);
            outcome.moves.insert(outcome.moves.end(), step.moves.begin(), step.moves.end());
            return true;
        }
        if (SolverClock::now() >= limits.deadline) {
            return false;
        }
    }
    return false;
}
