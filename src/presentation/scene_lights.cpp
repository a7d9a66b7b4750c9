#include "presentation/scene_layer.h"

#include "presentation/scene_layer_lists.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

struct Light {
    double x, y;
    double radius;          // layer units, above 0
    float red, green, blue; // 0..1
};

float channel(std::uint32_t colour, int shift) {
    return static_cast<float>((colour >> shift) & 0xFF) / 255.0f;
}

Light makeLight(float x, float y, float radius, std::uint32_t colour) {
    return Light{x, y, radius, channel(colour, 16), channel(colour, 8), channel(colour, 0)};
}

std::uint32_t packChannel(float value, int shift) {
    return static_cast<std::uint32_t>(value * 255.0f) << shift;
}

// The light reaching one corner: each light adds its colour, fading linearly from full at its
// centre to nothing at its radius; the sum is capped at full. The result is the base colour with
// red, green and blue scaled by that sum, alpha kept.
std::uint32_t litColour(std::uint32_t base, double x, double y, const std::vector<Light>& lights) {
    double red = 0, green = 0, blue = 0;
    for (const Light& light : lights) {
        const double dx = x - light.x;
        const double dy = y - light.y;
        const double squared = dx * dx + dy * dy;
        if (squared >= light.radius * light.radius) {
            continue;
        }
        const double strength = (light.radius - std::sqrt(squared)) / light.radius;
        red += strength * light.red;
        green += strength * light.green;
        blue += strength * light.blue;
    }
    const float r = channel(base, 16) * static_cast<float>(std::min(red, 1.0));
    const float g = channel(base, 8) * static_cast<float>(std::min(green, 1.0));
    const float b = channel(base, 0) * static_cast<float>(std::min(blue, 1.0));
    return (base & 0xFF000000u) | packChannel(r, 16) | packChannel(g, 8) | packChannel(b, 0);
}

// The lights that can reach a corner lying `reach` from (x, y), in their order, so each corner
// sums the same lights in the same order as it would over the whole list.
void lightsWithin(const std::vector<Light>& lights, double x, double y, double reach,
                  std::vector<Light>& near) {
    near.clear();
    for (const Light& light : lights) {
        const double dx = x - light.x;
        const double dy = y - light.y;
        const double limit = light.radius + reach + 1e-3;
        if (dx * dx + dy * dy < limit * limit) {
            near.push_back(light);
        }
    }
}

void lightObject(SceneObject& target, const std::vector<Light>& lights, std::vector<Light>& near) {
    const Sprite& sprite = *target.definition->sprite;
    // The hot spot stands for the frame's centre; the corners lie at (+-hotX, +-hotY) from the
    // position, turned with the object. Scale is not applied.
    const double hotX = sprite.hotX();
    const double hotY = sprite.hotY();
    lightsWithin(lights, target.x, target.y, std::hypot(hotX, hotY), near);
    const double offsets[4][2] = {{-hotX, -hotY}, {hotX, -hotY}, {hotX, hotY}, {-hotX, hotY}};
    double c = 1;
    double s = 0;
    if (target.rotation != 0) {
        c = std::cos(static_cast<double>(target.rotation));
        s = std::sin(static_cast<double>(target.rotation));
    }
    target.useColour = true;
    target.perCornerColours = true;
    for (int corner = 0; corner < 4; ++corner) {
        const double ox = offsets[corner][0];
        const double oy = offsets[corner][1];
        const double x = target.x + (ox * c - oy * s);
        const double y = target.y + (ox * s + oy * c);
        target.cornerColours[corner] = litColour(target.colour, x, y, near);
    }
}

} // namespace

void applyLights(SceneLayer& layer, std::string_view targetPrefix, std::string_view lightPrefix,
                 float radius, float x, float y, std::uint32_t colour) {
    std::vector<Light> lights;
    std::vector<Light> near;
    const int lightCount = collectObjectsNear(layer, lightPrefix, false, 0, 0, 1e8f);
    for (int i = 0; i < lightCount; ++i) {
        const SceneObject* light = radiusResultAt(layer, i);
        if (light != nullptr && light->lightRadius > 0) {
            lights.push_back(makeLight(light->x, light->y, light->lightRadius, light->lightColour));
        }
    }
    if (radius > 0) {
        lights.push_back(makeLight(x, y, radius, colour));
    }
    const int targetCount = collectObjectsByName(layer, targetPrefix, false);
    for (int i = 0; i < targetCount; ++i) {
        SceneObject* target = nameResultAt(layer, i);
        // An object with no picture has no corners to light.
        if (target != nullptr && target->definition != nullptr &&
            target->definition->sprite != nullptr) {
            lightObject(*target, lights, near);
        }
    }
}
