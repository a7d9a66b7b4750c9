#include "presentation/scene_layer.h"

#include "presentation/scene_layer_lists.h"

#include <algorithm>
#include <cmath>

// How many frames of the given size fit along a sheet; at least one, so a frame of no size (or a
// nonsense sheet) shows the single frame instead of dividing by zero.
static int framesAlong(float sheet, float frame) {
    const float count = frame > 0 ? std::floor(sheet / frame) : 1;
    if (!(count >= 1)) {
        return 1;
    }
    return count < 65536 ? static_cast<int>(count) : 65536;
}

// Points the definition's shared sprite at the object's frame. Frames stand side by side from
// the sheet's top-left corner (0, 0); a row or column outside the sheet shows the nearest one.
static void selectSheetFrame(const SpriteDefinition& definition, const SceneObject& object) {
    Sprite& sprite = *definition.sprite;
    const float w = sprite.width();
    const float h = sprite.height();
    const int columns = framesAlong(definition.sheetWidth, w);
    const int rows = framesAlong(definition.sheetHeight, h);
    const int column = std::max(0, std::min(object.frameColumn, columns - 1));
    const int row = std::max(0, std::min(object.frameRow, rows - 1));
    sprite.setTextureRegion(w * static_cast<float>(column), h * static_cast<float>(row), w, h);
}

// True when the object's drawn extent along one axis meets [min, max] (edges included).
static bool withinAxis(float min, float max, float position, float hot, float size, float scale) {
    if (!(min < max)) {
        return true; // this axis is not culled
    }
    const float low = position - hot * scale;
    const float high = low + size * scale;
    return min <= high && low <= max;
}

static void putColours(Sprite& sprite, const SceneObject& object) {
    if (!object.useColour) {
        return; // the shared sprite keeps whatever colours the last coloured object left
    }
    if (object.perCornerColours) {
        for (int corner = 0; corner < 4; ++corner) {
            sprite.setColour(object.cornerColours[corner], corner);
        }
    } else {
        sprite.setColour(object.colour);
    }
}

void renderLayer(SceneLayer& layer, float xmin, float ymin, float xmax, float ymax) {
    for (const KeyedObject& entry : layer.lists->drawOrder) {
        const SceneObject* object = entry.object;
        if (object == nullptr || object->definition == nullptr ||
            object->definition->sprite == nullptr) {
            continue;
        }
        Sprite& sprite = *object->definition->sprite;
        selectSheetFrame(*object->definition, *object);
        if (!object->visible ||
            !withinAxis(xmin, xmax, object->x, sprite.hotX(), sprite.width(), object->scale) ||
            !withinAxis(ymin, ymax, object->y, sprite.hotY(), sprite.height(), object->scale)) {
            continue;
        }
        putColours(sprite, *object);
        sprite.render(object->x, object->y, object->rotation, object->scale, 0);
    }
}
