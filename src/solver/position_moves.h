#pragma once
// The moves of a position under the scrambler's grid model of play: every push of every piece
// in every direction that the model allows and that changes something.

#include "hall/push_scrambler.h"
#include "solver/hall_puzzle.h"

#include <memory>
#include <vector>

struct PositionChildren {
    std::vector<SolverMove> moves;
    std::vector<std::uint8_t> keys; // moves.size() keys of the puzzle's key size, in order
    const std::uint8_t* key(std::size_t i) const { return keys.data() + i * keySize; }
    std::size_t keySize = 0;
};

// The key that moves lead to from key on the model; a move it refuses is passed over.
PositionKey keyAfter(const HallPuzzle& puzzle, const PositionKey& key,
                     const std::vector<SolverMove>& moves);

class PositionMoves {
  public:
    explicit PositionMoves(const HallPuzzle& puzzle);

    // Fills children with the moves from key and the keys they lead to. With keepPlacedItems
    // an item on an end of its kind is not pushed: a narrower search that reaches deeper. With
    // movableCells only the pieces on standing cells marked there are pushed.
    void expand(const std::uint8_t* key, PositionChildren& children, bool keepPlacedItems = false,
                const std::vector<char>* movableCells = nullptr);
    // Writes the key that move leads to into child; false when the model forbids the move or it
    // changes nothing.
    bool apply(const std::uint8_t* key, const SolverMove& move, std::uint8_t* child);
    // After a move applied: the standing cell where the piece pushed came to rest, where it ran
    // into another piece and handed its motion on, or where the move ended.
    int pushedRest() const {
        const int cell = trial_.pushedRest();
        return cell < 0 ? -1 : puzzle_.standingIndex[cell];
    }

    // The cells move changes from key, and the cells it depends on, as x * hallSize + y, with
    // hallSize * hallSize + k for the code of special object k. False when it is no move.
    bool trace(const std::uint8_t* key, const SolverMove& move, std::vector<int>* changed,
               std::vector<int>* read);

  private:
    const HallPuzzle& puzzle_;
    std::unique_ptr<HallGrid> hall_;
    TrialPush trial_;
    std::vector<CellCode> placed_; // per standing cell: the item code of its end, or floor

    void load(const std::uint8_t* key);
    bool tryPush(const std::uint8_t* key, const SolverMove& move, std::uint8_t* child);
};
