#pragma once
// A scene layer: named sprite definitions and the objects placed from them, drawn in depth order,
// with the queries the game asks of them: objects by name prefix, objects within a radius, and
// per-corner lighting from light objects.
//
// Names are compared byte-wise and case-sensitively. Among equal names the most recently added
// object comes first, so a first-match query finds the newest.

#include "draw/sprite.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct SceneLayer;

struct SpriteDefinition {
    std::string name;
    int id = 0;
    std::unique_ptr<Sprite> sprite;        // one frame of the sheet
    float sheetWidth = 0, sheetHeight = 0; // pixels, never below the frame size
    SceneLayer* layer = nullptr;
};

struct SceneObject {
    float x = 0, y = 0; // position of the hot spot, layer units
    float previousX = 0, previousY = 0;
    std::string name;
    SceneLayer* layer = nullptr;
    int id = 0;
    bool visible = true;
    bool searchable = true;
    float rotation = 0; // radians, clockwise on screen
    float scale = 1;
    bool useColour = false;
    std::uint32_t colour = 0xFFFFFFFF; // 0xAARRGGBB
    bool perCornerColours = false;
    std::uint32_t cornerColours[4] = {0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF};
    float lightRadius = 0; // 0 = gives no light
    std::uint32_t lightColour = 0xFFFFFFFF;
    SpriteDefinition* definition = nullptr;
    float depth = 0;
    int frameRow = 0, frameColumn = 0;
};

// Created by createLayer; the layer owns its definitions and objects. The lists and their
// containers are private to the scene layer's implementation.
struct SceneLayerLists;
struct SceneLayer {
    SceneLayer();
    ~SceneLayer();
    SceneLayer(const SceneLayer&) = delete;
    SceneLayer& operator=(const SceneLayer&) = delete;

    std::unique_ptr<SceneLayerLists> lists;
    int lastObjectId = 0;
    int lastDefinitionId = 0;
};

std::unique_ptr<SceneLayer> createLayer();

// Layer and definitions.
SpriteDefinition* defineSprite(SceneLayer& layer, std::string_view name, TextureHandle texture,
                               float x, float y, float frameWidth, float frameHeight,
                               float sheetWidth, float sheetHeight, int id);
SpriteDefinition* findDefinition(SceneLayer& layer, std::string_view name);

// Objects. An id below 1 means the next free one.
SceneObject* addObject(SceneLayer& layer, std::string_view name, SpriteDefinition* definition,
                       float x, float y, int id);
// Entries in the name and radius results stay; their object becomes none. With keep the object
// is not destroyed: the caller owns it from then on.
void removeObject(SceneLayer& layer, SceneObject* object, bool keep = false);
void clearObjects(SceneLayer& layer, bool keep = false);
void setDepth(SceneLayer& layer, SceneObject* object, float depth);
void selectFrame(SceneObject* object, int row, int column);

// Draws the objects in depth order; an axis whose min is not below its max is not culled.
void renderLayer(SceneLayer& layer, float xmin = 0, float ymin = 0, float xmax = 0, float ymax = 0);

// Queries. A position cursor, when given, resumes a scan (> 0) and receives the position of the
// object returned, or -1 when the scan ran to its end.
SceneObject* findObjectNear(SceneLayer& layer, std::string_view prefix, bool nearest, float cx,
                            float cy, float radius, int* position = nullptr,
                            const SceneObject* exclude = nullptr);
SceneObject* findObjectNearObject(SceneLayer& layer, const SceneObject* object,
                                  std::string_view prefix, float radius, bool nearest,
                                  int* position = nullptr);
int collectObjectsNear(SceneLayer& layer, std::string_view prefix, bool firstOnly, float cx,
                       float cy, float radius, const SceneObject* exclude = nullptr);
int collectObjectsNearObject(SceneLayer& layer, const SceneObject* object, std::string_view prefix,
                             float radius, bool firstOnly);
SceneObject* radiusResultAt(SceneLayer& layer, int index);
int collectObjectsByName(SceneLayer& layer, std::string_view prefix, bool firstOnly,
                         const SceneObject* exclude = nullptr);
SceneObject* nameResultAt(SceneLayer& layer, int index);
void applyLights(SceneLayer& layer, std::string_view targetPrefix, std::string_view lightPrefix,
                 float radius, float x, float y, std::uint32_t colour);

// The text key of the draw order and the radius result: trunc(value) + 1000000000 in decimal,
// zero-padded to 11 characters, then the id text, so id 12 sorts before id 9.
std::string orderKey(int id, float value);
