#pragma once
// A walk's moves read backwards from its end, to find those that bear on its ends. A move bears
// on the ends when it changes an end's cell or a cell that a later such move reads. Played from
// a position that agrees with the walk's on the cells the later bearing moves read, each of them
// meets exactly the cells it met in the walk, so it does the same, and the ends come out the same.

#include "solver/position_moves.h"

#include <vector>

class BearingMoves {
  public:
    explicit BearingMoves(const HallPuzzle& puzzle);

    // Takes in the move made from key, the one before every move taken in so far; true when it
    // bears on the ends.
    bool takeIn(const std::uint8_t* key, const SolverMove& move);

    // Per cell as PositionMoves::trace names them: the ends' cells and the cells the bearing
    // moves taken in read.
    const std::vector<char>& cells() const { return cells_; }
    // The cells the last move taken in reads, when it bears on the ends.
    const std::vector<int>& read() const { return read_; }

  private:
    PositionMoves moves_;
    std::vector<char> cells_;
    std::vector<int> changed_, read_;
};
