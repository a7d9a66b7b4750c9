#include "solver/position_store.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr std::size_t perPositionOverhead = sizeof(int) + 2 * sizeof(std::uint16_t);

constexpr std::size_t firstSlots = 1024;

} // namespace

PositionStore::PositionStore(std::size_t keySize, std::size_t memoryBytes)
    : keySize_(std::max<std::size_t>(keySize, 1)), capacity_(0) {
    allow(memoryBytes);
    table_.assign(firstSlots, Slot{});
    mask_ = table_.size() - 1;
}

void PositionStore::allow(std::size_t memoryBytes) {
    // Each position costs its key, its links and two table slots (the table is half full at
    // most); the search's open list takes about as much again as the links.
    const std::size_t each = keySize_ + perPositionOverhead + 2 * sizeof(Slot) + 16;
    const std::size_t fit = std::max<std::size_t>(memoryBytes / each, 16);
    capacity_ = std::max(capacity_, static_cast<int>(std::min<std::size_t>(fit, 1u << 30)));
}

// Doubles the table when it is half full, so that small searches stay small.
void PositionStore::growTable() {
    std::vector<Slot> old(table_.size() * 2);
    old.swap(table_);
    mask_ = table_.size() - 1;
    for (const Slot& entry : old) {
        if (entry.index >= 0) {
            std::size_t slot = entry.hash & mask_;
            while (table_[slot].index >= 0) {
                slot = (slot + 1) & mask_;
            }
            table_[slot] = entry;
        }
    }
}

// Eight bytes at a time, each word mixed in by a multiply and a shift.
std::uint32_t PositionStore::hashOf(const std::uint8_t* key) const {
    constexpr std::uint64_t mix = 0x9e3779b97f4a7c15ull;
    std::uint64_t h = keySize_;
    std::size_t i = 0;
    for (; i + 8 <= keySize_; i += 8) {
        std::uint64_t word;
        std::memcpy(&word, key + i, 8);
        h = (h ^ word) * mix;
        h ^= h >> 32;
    }
    std::uint64_t tail = 0;
    std::memcpy(&tail, key + i, keySize_ - i);
    h = (h ^ tail) * mix;
    h ^= h >> 29;
    return static_cast<std::uint32_t>(h);
}

const std::uint8_t* PositionStore::key(int i) const {
    const std::size_t index = static_cast<std::size_t>(i);
    return chunks_[index / chunkKeys].get() + index % chunkKeys * keySize_;
}

std::uint8_t* PositionStore::slotFor(int i) {
    const std::size_t index = static_cast<std::size_t>(i);
    if (index / chunkKeys >= chunks_.size()) {
        chunks_.push_back(std::make_unique_for_overwrite<std::uint8_t[]>(chunkKeys * keySize_));
    }
    return chunks_[index / chunkKeys].get() + index % chunkKeys * keySize_;
}

// The slot that holds key, or the free slot where it would go.
std::size_t PositionStore::slotOf(const std::uint8_t* key, std::uint32_t hash) const {
    std::size_t slot = hash & mask_;
    for (; table_[slot].index >= 0; slot = (slot + 1) & mask_) {
        const Slot& entry = table_[slot];
        if (entry.hash == hash && std::memcmp(this->key(entry.index), key, keySize_) == 0) {
            break;
        }
    }
    return slot;
}

int PositionStore::find(const std::uint8_t* key) const {
    const int i = table_[slotOf(key, hashOf(key))].index;
    return i < 0 ? none : i;
}

int PositionStore::insert(const std::uint8_t* key, int parent, const SolverMove& move,
                          bool* added) {
    *added = false;
    if (static_cast<std::size_t>(size()) * 2 >= table_.size()) {
        growTable();
    }
    const std::uint32_t hash = hashOf(key);
    const std::size_t slot = slotOf(key, hash);
    if (table_[slot].index >= 0) {
        return table_[slot].index;
    }
    if (size() >= capacity_) {
        return full;
    }
    const int i = size();
    std::memcpy(slotFor(i), key, keySize_);
    parent_.push_back(parent);
    move_.push_back(static_cast<std::uint16_t>((move.x * hallSize + move.y) * 4 + move.direction));
    const int d = parent < 0 ? 0 : depth_[static_cast<std::size_t>(parent)] + 1;
    depth_.push_back(static_cast<std::uint16_t>(std::min(d, 65535)));
    table_[slot] = Slot{i, hash};
    *added = true;
    return i;
}

std::vector<SolverMove> PositionStore::pathTo(int i) const {
    std::vector<SolverMove> moves;
    for (; i >= 0 && parent_[static_cast<std::size_t>(i)] >= 0;
         i = parent_[static_cast<std::size_t>(i)]) {
        const int code = move_[static_cast<std::size_t>(i)];
        const int cell = code / 4;
        moves.push_back(SolverMove{cell / hallSize, cell % hallSize, code % 4});
    }
    std::reverse(moves.begin(), moves.end());
    return moves;
}
