#pragma once
// HallObject, the record of one placed hall piece, and HallObjectList, the name-sorted list that
// owns them. The scene links each piece's scene object to its HallObject; the rules find pieces
// through that link and through the list.

#include "engine/engine.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct HallObject {
    char name[104] = {}; // sprite-definition name of the piece, zero-terminated
    // Displacement per frame in hall-plane units while the piece moves: ±4, or ±1 while eating.
    std::int32_t moveX = 0;
    std::int32_t moveY = 0;
    std::int32_t stepsLeft = -1; // -1 = slide until blocked
    std::int32_t state = 0;      // contact state 0, 1 or 2
    std::int32_t mark = 0;
    std::int32_t frame = 0; // animation step 0..7
    SoundHandle sound = 0;  // 0 = none
};

// Sorted byte-wise and case-sensitively by name; equal names are allowed, and a new entry goes
// before the entries of the same name, so a first-match search finds the newest.
class HallObjectList {
  public:
    // Creates the object (name cut to 103 bytes in the record) and inserts it; the list owns it.
    HallObject* add(std::string_view name, SoundHandle sound = 0);
    // Releases the object and its entry; false when the object is not in the list.
    bool remove(const HallObject* object);
    // Ignores an index outside 0..count-1.
    void removeAt(int index);
    void clear();

    int count() const { return static_cast<int>(entries.size()); }
    // Null for an index outside 0..count-1.
    HallObject* at(int index) const;
    const std::string& nameAt(int index) const;
    int indexOf(const HallObject* object) const; // -1 when absent

  private:
    struct Entry {
        std::string name;
        std::unique_ptr<HallObject> object;
    };
    std::vector<Entry> entries;
};
