#include "solver/piece_routes.h"

#include <cstring>

namespace {

constexpr int pieceCodes = 6; // ball, box, spike and the three amoebas

int codeIndex(CellCode code) {
    return isItem(code) ? code - CellBall : code - CellAmoebaBall + 3;
}

} // namespace

PieceRoutes::PieceRoutes(const HallPuzzle& puzzle, PositionMoves& model)
    : puzzle_(puzzle), model_(model) {}

int PieceRoutes::slot(int cell, CellCode code) const {
    return cell * pieceCodes + codeIndex(code);
}

void PieceRoutes::explore(const std::uint8_t* key, int from, int depth) {
    const std::size_t size = static_cast<std::size_t>(puzzle_.keySize);
    nodes_.clear();
    keys_.clear();
    nodeAt_.assign(puzzle_.standing.size() * pieceCodes, -1);
    const CellCode start = pieceAt(key, from);
    if (!isPiece(start)) {
        return;
    }
    nodes_.push_back({-1, {}, 0, {from, start}});
    keys_.assign(key, key + size);
    nodeAt_[static_cast<std::size_t>(slot(from, start))] = 0;
    std::vector<std::uint8_t> child(size);
    for (std::size_t n = 0; n < nodes_.size() && nodes_[n].depth < depth; ++n) {
        const int cell = puzzle_.standing[static_cast<std::size_t>(nodes_[n].reach.cell)];
        for (int direction = 0; direction < 4; ++direction) {
            const SolverMove move{cell / hallSize, cell % hallSize, direction};
            if (!model_.apply(keys_.data() + n * size, move, child.data())) {
                continue;
            }
            const int rest = model_.pushedRest();
            const CellCode code = rest < 0 ? CellFloor : pieceAt(child.data(), rest);
            if (!isPiece(code) || nodeAt_[static_cast<std::size_t>(slot(rest, code))] >= 0) {
                continue;
            }
            nodeAt_[static_cast<std::size_t>(slot(rest, code))] = static_cast<int>(nodes_.size());
            nodes_.push_back({static_cast<int>(n), move, nodes_[n].depth + 1, {rest, code}});
            keys_.insert(keys_.end(), child.begin(), child.end());
        }
    }
}

int PieceRoutes::nodeFor(int cell, CellCode code) const {
    if (nodeAt_.empty()) {
        return -1;
    }
    if (code != CellFloor) {
        return nodeAt_[static_cast<std::size_t>(slot(cell, code))];
    }
    int best = -1;
    for (int c = 0; c < pieceCodes; ++c) {
        const int node = nodeAt_[static_cast<std::size_t>(cell * pieceCodes + c)];
        if (node >= 0 && (best < 0 || nodes_[static_cast<std::size_t>(node)].depth <
                                          nodes_[static_cast<std::size_t>(best)].depth)) {
            best = node;
        }
    }
    return best;
}

int PieceRoutes::pushesTo(int cell, CellCode code) const {
    const int node = nodeFor(cell, code);
    return node < 0 ? -1 : nodes_[static_cast<std::size_t>(node)].depth;
}

std::vector<SolverMove> PieceRoutes::movesTo(int cell, CellCode code) const {
    std::vector<SolverMove> moves;
    for (int node = nodeFor(cell, code); node > 0;
         node = nodes_[static_cast<std::size_t>(node)].parent) {
        moves.insert(moves.begin(), nodes_[static_cast<std::size_t>(node)].move);
    }
    return moves;
}

const std::uint8_t* PieceRoutes::keyAt(int cell, CellCode code) const {
    const int node = nodeFor(cell, code);
    return node < 0 ? nullptr : keys_.data() + static_cast<std::size_t>(node) * puzzle_.keySize;
}

std::vector<PieceRoutes::Reach> PieceRoutes::reached() const {
    std::vector<Reach> all;
    for (const Node& node : nodes_) {
        all.push_back(node.reach);
    }
    return all;
}
