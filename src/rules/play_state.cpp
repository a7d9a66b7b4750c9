#include "rules/play_state.h"

#include <algorithm>
#include <bit>
#include <cassert>

void clearPlay(PlayState& state) {
    state.objects.clear();
    state.byName.clear();
    state.lastId = 1;
    state.clock = 0;
}

int addPlayObject(PlayState& state, PieceName name, Picture picture, float x, float y,
                  float depth) {
    const int slot = static_cast<int>(state.objects.size());
    assert(slot < 65535 && "a hall holds a few thousand objects at most");
    PlayObject object;
    object.id = ++state.lastId;
    object.name = name;
    object.picture = picture;
    object.x = object.previousX = x;
    object.y = object.previousY = y;
    object.depth = depth;
    state.objects.push_back(object);
    // Before every object of the same name: the newest comes first.
    const auto at =
        std::lower_bound(state.byName.begin(), state.byName.end(), name,
                         [&](std::uint16_t s, PieceName n) { return objectAt(state, s).name < n; });
    state.byName.insert(at, static_cast<std::uint16_t>(slot));
    return slot;
}

void removePlayObject(PlayState& state, int slot) {
    if (slot < 0 || slot >= static_cast<int>(state.objects.size()) ||
        !objectAt(state, slot).alive) {
        return;
    }
    objectAt(state, slot).alive = false;
    state.byName.erase(
        std::find(state.byName.begin(), state.byName.end(), static_cast<std::uint16_t>(slot)));
}

void setPlayX(PlayObject& object, float x) {
    object.previousX = object.x;
    object.x = x;
}

void setPlayY(PlayObject& object, float y) {
    object.previousY = object.y;
    object.y = y;
}

bool allAtRest(const PlayState& state) {
    for (std::uint16_t slot : state.byName) {
        const PlayObject& object = objectAt(state, slot);
        if (family::pieces.contains(object.name) && object.linked && object.moving()) {
            return false;
        }
    }
    return true;
}

std::vector<int> pieceSlots(const PlayState& state) {
    std::vector<int> slots;
    for (std::uint16_t slot : state.byName) {
        if (family::pieces.contains(objectAt(state, slot).name)) {
            slots.push_back(slot);
        }
    }
    return slots;
}

namespace {

// FNV-1a over 32-bit words.
struct Hasher {
    std::uint64_t value = 0xCBF29CE484222325ull;
    void add(std::uint32_t word) {
        for (int i = 0; i < 4; ++i) {
            value ^= (word >> (8 * i)) & 0xFFu;
            value *= 0x100000001B3ull;
        }
    }
    void add(float f) { add(std::bit_cast<std::uint32_t>(f)); }
    void add(std::int32_t i) { add(static_cast<std::uint32_t>(i)); }
};

// What can change during play and decides what happens next: pieces, mutation cells (amoebas
// give them their kind) and big amoebas.
bool partOfPosition(PieceName name) {
    return family::pieces.contains(name) || family::mutationCells.contains(name) ||
           family::bigAmoebas.contains(name);
}

} // namespace

std::uint64_t positionHash(const PlayState& state) {
    Hasher h;
    for (std::uint16_t slot : state.byName) {
        const PlayObject& o = objectAt(state, slot);
        if (!partOfPosition(o.name)) {
            continue;
        }
        h.add(static_cast<std::uint32_t>(o.name));
        h.add(o.x);
        h.add(o.y);
        h.add(o.scale);
        h.add(o.rotation);
        h.add(o.moveX);
        h.add(o.moveY);
        h.add(o.stepsLeft);
        h.add(o.state);
        h.add(o.mark);
    }
    return h.value;
}
