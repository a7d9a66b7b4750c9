#pragma once
// Where one piece can be brought by pushing it alone: breadth first over its own pushes from a
// position, each played on the grid model, so the pieces it runs into are pushed on as in play
// and it may change kind on the way. Cheap next to a search over every piece's moves, and the
// way a player thinks: this ball, left, then up.

#include "solver/position_moves.h"

#include <vector>

class PieceRoutes {
  public:
    PieceRoutes(const HallPuzzle& puzzle, PositionMoves& model);

    // Explores from key the pushes of the piece on standing cell from, at most depth deep.
    void explore(const std::uint8_t* key, int from, int depth);

    // The fewest pushes that bring the piece to rest on standing cell cell as code (CellFloor:
    // as any code), or -1 when the exploration found none.
    int pushesTo(int cell, CellCode code) const;
    // Those pushes, and the key they lead to.
    std::vector<SolverMove> movesTo(int cell, CellCode code) const;
    const std::uint8_t* keyAt(int cell, CellCode code) const;

    // Every standing cell and code the piece came to rest with, nearest first.
    struct Reach {
        int cell;
        CellCode code;
    };
    std::vector<Reach> reached() const;

  private:
    struct Node {
        int parent;
        SolverMove move;
        int depth;
        Reach reach;
    };
    const HallPuzzle& puzzle_;
    PositionMoves& model_;
    std::vector<Node> nodes_;
    std::vector<std::uint8_t> keys_; // one key per node
    std::vector<int> nodeAt_;        // per standing cell and piece nibble: the node, or -1

    int slot(int cell, CellCode code) const;
    int nodeFor(int cell, CellCode code) const;
};
