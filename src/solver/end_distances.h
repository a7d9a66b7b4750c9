#pragma once
// The solver's estimate of how far a position is from solved, from the pushes a lone item needs
// at least to reach each end (see end_distance_table.h). The mutation cells' kinds are the
// position's own: a position whose mutation cells have changed kind gets distances for those.

#include "solver/end_distance_table.h"
#include "solver/hall_puzzle.h"

#include <cstdint>
#include <vector>

class EndDistances {
  public:
    explicit EndDistances(const HallPuzzle& puzzle);

    // Pushes for an item of kind (0..2) on standing cell i to reach end e, with the mutation
    // cells of key; unreachable counts as a long way.
    int distance(const std::uint8_t* key, int end, int standing, int kind) const {
        return entry(tableFor(key), end, standing, kind);
    }
    // The sum over free ends of the nearest item that stands on no end of its own kind, and one
    // more for each free end another piece stands on.
    int estimate(const std::uint8_t* key) const;
    // The standing cells of at most count items nearest to end that stand on no end of their
    // own kind and can reach it, nearest first.
    std::vector<int> nearestItems(const std::uint8_t* key, int end, std::size_t count) const;

    static constexpr int unreachable = endUnreachable;

  private:
    const HallPuzzle& puzzle_;
    std::size_t standingCount_;
    // A table for each set of mutation kinds met, the first met first; a search meets few.
    struct Table {
        std::uint64_t kinds; // two bits for each mutation cell
        std::vector<std::uint8_t> distances;
    };
    mutable std::vector<Table> tables_;
    // Working space of estimate, kept to spare allocations; like the tables, it makes an
    // EndDistances unsafe to share between threads.
    struct Scratch {
        std::vector<int> freeEnds, loose;
        std::vector<char> onEnd, endTaken, itemTaken;
        std::vector<std::vector<int>> buckets;
    };
    mutable Scratch scratch_;

    const std::uint8_t* tableFor(const std::uint8_t* key) const;
    int entry(const std::uint8_t* table, int end, int standing, int kind) const {
        const std::size_t i = (static_cast<std::size_t>(end) * standingCount_ + standing) * 3;
        return table[i + static_cast<std::size_t>(kind)];
    }
    struct Given {
        int total = 0;         // the distances summed
        std::size_t count = 0; // the ends given an item
    };
    void findLoose(const std::uint8_t* key) const;
    Given giveNearest(const std::uint8_t* table) const;
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
