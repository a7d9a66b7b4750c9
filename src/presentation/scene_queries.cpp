#include "presentation/scene_layer.h"

#include "presentation/scene_layer_lists.h"

#include <algorithm>
#include <bit>
#include <cmath>

int prefixStart(const SceneLayer& layer, std::string_view prefix) {
    const auto& list = layer.lists->objectsByName;
    auto at = std::lower_bound(
        list.begin(), list.end(), prefix,
        [](const KeyedObject& e, std::string_view p) { return std::string_view(e.key) < p; });
    return static_cast<int>(at - list.begin());
}

// A cursor above 0 resumes there; 0, a negative value or no cursor starts at the prefix's first
// position. A first match found at position 0 is therefore resumed with 1, never with 0.
int scanStart(const SceneLayer& layer, std::string_view prefix, const int* position) {
    if (position != nullptr && *position > 0) {
        return *position;
    }
    return prefixStart(layer, prefix);
}

// Near queries ---------------------------------------------------------------------------------
// Distances are worked in double from the float32 positions: the radius is inclusive, and an
// object exactly on it counts wherever in the hall it stands.

namespace {
struct NearMatch {
    SceneObject* object = nullptr;
    double distance = 0;
};
} // namespace

static NearMatch scanNear(SceneLayer& layer, std::string_view prefix, bool nearest, float cx,
                          float cy, float radius, int* position, const SceneObject* exclude) {
    const auto& list = layer.lists->objectsByName;
    const double r = radius;
    double best = std::bit_cast<float>(0x7F7FC99Eu); // about 3.4e38
    NearMatch match;
    int at = -1;
    const int size = static_cast<int>(list.size());
    for (int i = scanStart(layer, prefix, position); i < size; ++i) {
        if (!startsWith(list[i].key, prefix)) {
            break;
        }
        SceneObject* object = list[i].object;
        if (object == nullptr || object == exclude) {
            continue;
        }
        const double dx = static_cast<double>(object->x) - cx;
        const double dy = static_cast<double>(object->y) - cy;
        if (!(std::abs(dx) <= r && std::abs(dy) <= r)) {
            continue;
        }
        const double d = std::sqrt(dx * dx + dy * dy);
        if (!(d <= r)) {
            continue;
        }
        if (!nearest) {
            match = NearMatch{object, d};
            at = i;
            break;
        }
        if (d < best) {
            best = d;
            match = NearMatch{object, d};
        }
    }
    if (position != nullptr) {
        *position = at;
    }
    return match;
}

SceneObject* findObjectNear(SceneLayer& layer, std::string_view prefix, bool nearest, float cx,
                            float cy, float radius, int* position, const SceneObject* exclude) {
    return scanNear(layer, prefix, nearest, cx, cy, radius, position, exclude).object;
}

SceneObject* findObjectNearObject(SceneLayer& layer, const SceneObject* object,
                                  std::string_view prefix, float radius, bool nearest,
                                  int* position) {
    if (object == nullptr) {
        return nullptr;
    }
    return findObjectNear(layer, prefix, nearest, object->x, object->y, radius, position, object);
}

int collectObjectsNear(SceneLayer& layer, std::string_view prefix, bool firstOnly, float cx,
                       float cy, float radius, const SceneObject* exclude) {
    auto& result = layer.lists->radiusResult;
    result.clear();
    // With firstOnly the scan looks for the nearest object; otherwise it walks every match,
    // resuming one past the last.
    int cursor = 0;
    for (;;) {
        const NearMatch match =
            scanNear(layer, prefix, firstOnly, cx, cy, radius, &cursor, exclude);
        if (match.object != nullptr) {
            insertSorted(result, orderKey(match.object->id, static_cast<float>(match.distance)),
                         match.object);
            if (firstOnly) {
                break;
            }
        }
        if (cursor == -1) {
            break;
        }
        ++cursor;
    }
    return static_cast<int>(result.size());
}

int collectObjectsNearObject(SceneLayer& layer, const SceneObject* object, std::string_view prefix,
                             float radius, bool firstOnly) {
    if (object == nullptr) {
        return 0;
    }
    return collectObjectsNear(layer, prefix, firstOnly, object->x, object->y, radius, object);
}

SceneObject* radiusResultAt(SceneLayer& layer, int index) {
    const auto& result = layer.lists->radiusResult;
    if (index < 0 || index >= static_cast<int>(result.size())) {
        return nullptr;
    }
    return result[static_cast<std::size_t>(index)].object;
}

// Name queries ----------------------------------------------------------------------------------

int collectObjectsByName(SceneLayer& layer, std::string_view prefix, bool firstOnly,
                         const SceneObject* exclude) {
    SceneLayerLists& lists = *layer.lists;
    lists.nameResult.clear();
    const int size = static_cast<int>(lists.objectsByName.size());
    for (int i = prefixStart(layer, prefix); i < size; ++i) {
        const KeyedObject& entry = lists.objectsByName[static_cast<std::size_t>(i)];
        if (!startsWith(entry.key, prefix)) {
            break;
        }
        if (entry.object == nullptr || entry.object == exclude || !entry.object->searchable) {
            continue;
        }
        lists.nameResult.push_back(entry.object);
        if (firstOnly) {
            break;
        }
    }
    return static_cast<int>(lists.nameResult.size());
}

SceneObject* nameResultAt(SceneLayer& layer, int index) {
    const auto& result = layer.lists->nameResult;
    if (index < 0 || index >= static_cast<int>(result.size())) {
        return nullptr;
    }
    return result[static_cast<std::size_t>(index)];
}
