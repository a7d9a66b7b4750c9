#pragma once
// The solver's estimate of how far a position is from solved. For every end it knows how many
// pushes a lone item needs at least to come to rest on it with the end's kind, were it free to
// stop anywhere (other pieces could stop it there): straight runs between walls, turned by
// arrows, sent back by gates, carried by teleports and changed by mutation cells.

#include "solver/hall_puzzle.h"

#include <cstdint>
#include <vector>

class EndDistances {
  public:
    explicit EndDistances(const HallPuzzle& puzzle);

    // Pushes for an item of kind (0..2) on standing cell i to reach end e; unreachable counts
    // as a long way.
    int distance(int end, int standing, int kind) const {
        return table_[(static_cast<std::size_t>(end) * standingCount_ + standing) * 3 + kind];
    }
    // The sum over free ends of the nearest item that stands on no end of its own kind, and one
    // more for each free end another piece stands on.
    int estimate(const std::uint8_t* key) const;
    // The standing cells of at most count items nearest to end that stand on no end of their
    // own kind and can reach it, nearest first.
    std::vector<int> nearestItems(const std::uint8_t* key, int end, std::size_t count) const;

    static constexpr int unreachable = 60;

  private:
    const HallPuzzle& puzzle_;
    std::size_t standingCount_;
    std::vector<std::uint8_t> table_;
    // Working space of estimate, kept to spare allocations; an estimate is not thread-safe.
    struct Scratch {
        std::vector<int> freeEnds, loose;
        std::vector<char> onEnd, endTaken, itemTaken;
        std::vector<std::vector<int>> buckets;
    };
    mutable Scratch scratch_;

    std::vector<std::vector<int>> reverseRuns() const;
    void fillFrom(int end, const std::vector<std::vector<int>>& reverse);
    struct Given {
        int total = 0;         // the distances summed
        std::size_t count = 0; // the ends given an item
    };
    void findLoose(const std::uint8_t* key) const;
    Given giveNearest() const;
};

// The free ends that no item off the covered ends can reach with the end's kind, were the items
// on covered ends walls: an end whose only ways in a covered end blocks counts among them.
int strandedEnds(const HallPuzzle& puzzle, const std::uint8_t* key);

// The free ends a position shuts off: walled in by covered ends, and when counted, stranded.
struct ShutEnds {
    int sealed = 0;
    int stranded = -1; // -1 when not counted
};

ShutEnds shutEnds(const HallPuzzle& puzzle, const std::uint8_t* key, bool countStranded);
// key shuts off no more free ends than before, counted as before counts them.
bool shutsNoMore(const HallPuzzle& puzzle, const std::uint8_t* key, const ShutEnds& before);
