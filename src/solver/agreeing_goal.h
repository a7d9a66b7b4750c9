#pragma once
// A search goal: a position that agrees with a given one on some cells. The items asked for are
// the ends of a copy of the puzzle, so that the solver's estimate of ends to cover guides them
// in; every other cell asked for counts one while it differs, and a mutation cell of the wrong
// kind counts the pushes an amoeba of the kind asked for needs to run over it.

#include "solver/end_distances.h"
#include "solver/hall_search.h"

#include <vector>

class AgreeingGoal final : public SearchGoal {
  public:
    // cells as PositionMoves::trace names them: x * hallSize + y, and hallSize * hallSize + k
    // for the code of special object k.
    AgreeingGoal(const HallPuzzle& puzzle, const std::uint8_t* target,
                 const std::vector<char>& cells);

    bool reached(const std::uint8_t* key) const override {
        return differing(key) == 0 && isSolvedPosition(items_, key);
    }
    int estimate(const std::uint8_t* key) const override {
        return differing(key) + distances_.estimate(key);
    }

  private:
    HallPuzzle items_;
    EndDistances distances_;
    // The other cells asked for, compared eight key bytes at a time: the target's nibbles, and
    // a mask of all ones on the nibbles asked for.
    std::vector<std::uint64_t> target_, mask_;
    std::size_t pieceBytes_ = 0;
    struct Mutation {
        int m, kind;
        std::vector<std::uint8_t> pushes; // per standing cell: for an amoeba to get there
    };
    std::vector<Mutation> mutations_;

    int differing(const std::uint8_t* key) const;
    int pushesToChange(const std::uint8_t* key, const Mutation& mutation) const;
};
