#include "presentation/scene_layer.h"

#include "presentation/scene_layer_lists.h"

#include <algorithm>
#include <charconv>
#include <cmath>

SceneLayer::SceneLayer() : lists(std::make_unique<SceneLayerLists>()) {}

SceneLayer::~SceneLayer() = default;

std::unique_ptr<SceneLayer> createLayer() {
    return std::make_unique<SceneLayer>();
}

std::string orderKey(int id, float value) {
    // Out-of-range depths and distances (NaN, infinities) get a defined key instead of an
    // undefined float-to-integer conversion.
    const double clamped = std::isnan(value) ? 0.0 : std::clamp<double>(value, -1e15, 1e15);
    const long long number = static_cast<long long>(std::trunc(clamped)) + 1000000000LL;
    char text[48];
    char* end = std::to_chars(text, text + 24, number).ptr;
    std::string key;
    const auto length = static_cast<std::size_t>(end - text);
    if (length < 11) {
        key.assign(11 - length, '0');
    }
    key.append(text, end);
    end = std::to_chars(text, text + sizeof text, id).ptr;
    key.append(text, end);
    return key;
}

void insertSorted(std::vector<KeyedObject>& list, std::string key, SceneObject* object) {
    auto at =
        std::lower_bound(list.begin(), list.end(), key,
                         [](const KeyedObject& e, const std::string& k) { return e.key < k; });
    list.insert(at, KeyedObject{std::move(key), object});
}

bool eraseSorted(std::vector<KeyedObject>& list, const std::string& key,
                 const SceneObject* object) {
    auto at =
        std::lower_bound(list.begin(), list.end(), key,
                         [](const KeyedObject& e, const std::string& k) { return e.key < k; });
    for (; at != list.end() && at->key == key; ++at) {
        if (at->object == object) {
            list.erase(at);
            return true;
        }
    }
    return false;
}

// Definitions --------------------------------------------------------------------------------

static bool definitionIdInUse(const SceneLayer& layer, int id) {
    for (const auto& definition : layer.lists->definitions) {
        if (definition->id == id) {
            return true;
        }
    }
    return false;
}

SpriteDefinition* defineSprite(SceneLayer& layer, std::string_view name, TextureHandle texture,
                               float x, float y, float frameWidth, float frameHeight,
                               float sheetWidth, float sheetHeight, int id) {
    if (id <= 0 || definitionIdInUse(layer, id)) {
        id = ++layer.lastDefinitionId;
    } else if (layer.lastDefinitionId < id) {
        layer.lastDefinitionId = id;
    }
    auto definition = std::make_unique<SpriteDefinition>();
    definition->name = name;
    definition->id = id;
    definition->sprite = std::make_unique<Sprite>(texture, x, y, frameWidth, frameHeight);
    definition->sprite->setColour(0xFFFFFFFF);
    definition->sprite->setBlendMode(blendAlpha);
    definition->sheetWidth = std::max(frameWidth, sheetWidth);
    definition->sheetHeight = std::max(frameHeight, sheetHeight);
    definition->layer = &layer;
    SpriteDefinition* result = definition.get();
    layer.lists->definitions.push_back(std::move(definition));
    layer.lists->definitionsByName.emplace(result->name, result);
    return result;
}

SpriteDefinition* findDefinition(SceneLayer& layer, std::string_view name) {
    auto found = layer.lists->definitionsByName.find(std::string(name));
    return found == layer.lists->definitionsByName.end() ? nullptr : found->second;
}

// Objects ------------------------------------------------------------------------------------

SceneObject* addObject(SceneLayer& layer, std::string_view name, SpriteDefinition* definition,
                       float x, float y, int id) {
    if (id < 1) {
        id = ++layer.lastObjectId;
    } else if (layer.lastObjectId < id) {
        layer.lastObjectId = id;
    }
    auto object = std::make_unique<SceneObject>();
    object->x = object->previousX = x;
    object->y = object->previousY = y;
    object->name = name;
    object->layer = &layer;
    object->id = id;
    object->definition = definition;
    object->depth = y;

    SceneObject* result = object.get();
    OwnedObject owned{std::move(object), result->name, orderKey(id, result->depth)};
    insertSorted(layer.lists->objectsByName, owned.nameKey, result);
    insertSorted(layer.lists->drawOrder, owned.drawKey, result);
    layer.lists->objects.emplace(result, std::move(owned));
    return result;
}

// Result entries of a removed object stay in place with no object, so indices a caller holds
// into a result keep meaning the same entry.
static void blankResults(SceneLayerLists& lists, const SceneObject* object) {
    for (SceneObject*& entry : lists.nameResult) {
        if (entry == object) {
            entry = nullptr;
        }
    }
    for (KeyedObject& entry : lists.radiusResult) {
        if (entry.object == object) {
            entry.object = nullptr;
        }
    }
}

void removeObject(SceneLayer& layer, SceneObject* object, bool keep) {
    SceneLayerLists& lists = *layer.lists;
    auto found = lists.objects.find(object);
    if (found == lists.objects.end()) {
        return;
    }
    eraseSorted(lists.objectsByName, found->second.nameKey, object);
    eraseSorted(lists.drawOrder, found->second.drawKey, object);
    blankResults(lists, object);
    if (keep) {
        // The caller takes the object over.
        static_cast<void>(found->second.object.release());
    }
    lists.objects.erase(found);
}

void clearObjects(SceneLayer& layer, bool keep) {
    SceneLayerLists& lists = *layer.lists;
    std::fill(lists.nameResult.begin(), lists.nameResult.end(), nullptr);
    for (KeyedObject& entry : lists.radiusResult) {
        entry.object = nullptr;
    }
    lists.objectsByName.clear();
    lists.drawOrder.clear();
    if (keep) {
        for (auto& [pointer, owned] : lists.objects) {
            static_cast<void>(owned.object.release());
        }
    }
    lists.objects.clear();
    layer.lastObjectId = 0;
}

void setDepth(SceneLayer& layer, SceneObject* object, float depth) {
    SceneLayerLists& lists = *layer.lists;
    auto found = lists.objects.find(object);
    if (found == lists.objects.end()) {
        return;
    }
    OwnedObject& owned = found->second;
    eraseSorted(lists.drawOrder, owned.drawKey, object);
    object->depth = depth;
    owned.drawKey = orderKey(object->id, depth);
    insertSorted(lists.drawOrder, owned.drawKey, object);
}

void selectFrame(SceneObject* object, int row, int column) {
    if (object != nullptr) {
        object->frameRow = row;
        object->frameColumn = column;
    }
}
