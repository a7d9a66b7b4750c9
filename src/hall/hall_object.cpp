#include "hall/hall_object.h"

#include <algorithm>
#include <cstring>

HallObject* HallObjectList::add(std::string_view name, SoundHandle sound) {
    auto object = std::make_unique<HallObject>();
    const std::size_t length = std::min(name.size(), sizeof object->name - 1);
    std::memcpy(object->name, name.data(), length);
    object->sound = sound;

    // std::string compares as unsigned bytes, so the order is byte-wise.
    auto position = std::lower_bound(entries.begin(), entries.end(), name,
                                     [](const Entry& entry, std::string_view key) {
                                         return std::string_view(entry.name) < key;
                                     });
    HallObject* result = object.get();
    entries.insert(position, Entry{std::string(name), std::move(object)});
    return result;
}

bool HallObjectList::remove(const HallObject* object) {
    const int index = indexOf(object);
    if (index < 0) {
        return false;
    }
    removeAt(index);
    return true;
}

void HallObjectList::removeAt(int index) {
    if (index < 0 || index >= count()) {
        return;
    }
    entries.erase(entries.begin() + index);
}

void HallObjectList::clear() {
    entries.clear();
}

HallObject* HallObjectList::at(int index) const {
    if (index < 0 || index >= count()) {
        return nullptr;
    }
    return entries[index].object.get();
}

const std::string& HallObjectList::nameAt(int index) const {
    static const std::string none;
    if (index < 0 || index >= count()) {
        return none;
    }
    return entries[index].name;
}

int HallObjectList::indexOf(const HallObject* object) const {
    if (object == nullptr) {
        return -1;
    }
    for (int i = 0; i < count(); ++i) {
        if (entries[i].object.get() == object) {
            return i;
        }
    }
    return -1;
}
