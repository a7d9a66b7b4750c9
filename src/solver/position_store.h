#pragma once
// The positions a search has met, each once, with the move that first led to it: a hash set of
// fixed-size keys in chunks, bounded by a memory budget so that no search can grow without end.

#include "solver/hall_puzzle.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

class PositionStore {
  public:
    // Bytes the store may take, its table included.
    PositionStore(std::size_t keySize, std::size_t memoryBytes);
    // Lets the store take up to memoryBytes from now on, where that is more than before.
    void allow(std::size_t memoryBytes);

    static constexpr int full = -1;
    static constexpr int none = -1;

    // The index of key; a new key is added with the move from parent (none for the start).
    // full when a new key does not fit. added tells whether it was new.
    int insert(const std::uint8_t* key, int parent, const SolverMove& move, bool* added);
    int find(const std::uint8_t* key) const;

    const std::uint8_t* key(int i) const;
    int depth(int i) const { return depth_[static_cast<std::size_t>(i)]; }
    int size() const { return static_cast<int>(parent_.size()); }
    int capacity() const { return capacity_; }
    // The moves from the start to position i.
    std::vector<SolverMove> pathTo(int i) const;

  private:
    static constexpr std::size_t chunkKeys = 4096;
    std::size_t keySize_;
    int capacity_;
    std::vector<std::unique_ptr<std::uint8_t[]>> chunks_;
    std::vector<int> parent_;
    std::vector<std::uint16_t> move_; // x * hallSize + y, times 4, plus the direction
    std::vector<std::uint16_t> depth_;
    // Open addressing; each slot keeps its key's hash, so that a probe compares keys only when
    // the hashes agree and the table grows without hashing the keys again.
    struct Slot {
        int index = -1; // -1 free
        std::uint32_t hash = 0;
    };
    std::vector<Slot> table_;
    std::size_t mask_ = 0;

    std::uint32_t hashOf(const std::uint8_t* key) const;
    std::size_t slotOf(const std::uint8_t* key, std::uint32_t hash) const;
    void growTable();
    std::uint8_t* slotFor(int i);
};
