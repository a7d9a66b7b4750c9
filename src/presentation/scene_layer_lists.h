#pragma once
// The lists inside a scene layer. Private to the scene layer's own files.
//
// Every sorted list is a vector kept in ascending byte-wise key order; a new entry goes before
// the entries with an equal key (lower bound), so among equal keys the newest comes first. A
// position in objects by name is an index into that vector, which is what the query cursors hold.

#include "presentation/scene_layer.h"

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

struct KeyedObject {
    std::string key;
    SceneObject* object; // null once the object was removed (result lists only)
};

// What the layer keeps for each object it owns: the object and the keys it was filed under, so
// it can be found again even if a caller rewrote its name or depth fields.
struct OwnedObject {
    std::unique_ptr<SceneObject> object;
    std::string nameKey;
    std::string drawKey;
};

struct SceneLayerLists {
    std::unordered_map<const SceneObject*, OwnedObject> objects; // owns the objects
    std::vector<KeyedObject> objectsByName;                      // sorted by name
    std::vector<KeyedObject> drawOrder;                          // sorted by orderKey(id, depth)
    std::vector<SceneObject*> nameResult;                        // in by-name order
    std::vector<KeyedObject> radiusResult; // sorted by orderKey(id, distance): nearest first

    std::vector<std::unique_ptr<SpriteDefinition>> definitions; // owns them, in creation order
    std::unordered_map<std::string, SpriteDefinition*> definitionsByName; // first one registered
};

inline bool startsWith(std::string_view name, std::string_view prefix) {
    return name.size() >= prefix.size() && name.compare(0, prefix.size(), prefix) == 0;
}

// Inserts before any equal keys.
void insertSorted(std::vector<KeyedObject>& list, std::string key, SceneObject* object);
// Removes the entry of object filed under key; false when there is none.
bool eraseSorted(std::vector<KeyedObject>& list, const std::string& key, const SceneObject* object);
// Index of the first name not less than prefix.
int prefixStart(const SceneLayer& layer, std::string_view prefix);
// Where a scan over objects by name begins under the cursor rule.
int scanStart(const SceneLayer& layer, std::string_view prefix, const int* position);
