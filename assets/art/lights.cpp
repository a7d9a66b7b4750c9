#include "lights.h"

#include <algorithm>
#include <cmath>

#include "noise.h"
#include "paint.h"

namespace {

const Rgba white{1, 1, 1, 1};

// Additive sprites: the colour is the light added; black adds nothing. Alpha follows the
// brightness, so the picture also works where alpha scales the added light.
Image additive(int size, float (*light)(float x, float y)) {
    Image image(size, size);
    paintField(image, [&](float x, float y) {
        const float v = std::clamp(light(x, y), 0.0f, 1.0f);
        return Rgba{v, v, v, 1.0f};
    });
    for (Rgba& p : image.pixels) {
        p.a = std::max({p.r, p.g, p.b});
    }
    return image;
}

} // namespace

Image drawTorch() {
    Image image(44, 44);
    // The iron plate that holds the torch to the wall, with its four rivets.
    auto plate = [](float x, float y) { return roundRectDistance(x, y, 22, 22, 9, 9, 2.5f); };
    softShadow(image, plate, 1.0f, 1.5f, 1.5f, 0.55f);
    fillShape(image, plate, [&](float x, float y, float d) {
        return shade(rgb(0x44444C), 0.85f + 0.5f * bevelLight(d, normalOf(plate, x, y), 1.8f));
    });
    for (float rx : {15.5f, 28.5f}) {
        for (float ry : {15.5f, 28.5f}) {
            fillShape(
                image, [=](float x, float y) { return circleDistance(x, y, rx, ry, 1.1f); },
                [=](float x, float y, float) {
                    return shade(rgb(0x8A8A94), 0.6f + 0.8f * domeDiffuse(x, y, rx, ry, 1.1f));
                });
        }
    }
    // The warm halo, lighting the plate, already mostly clear at the cell's edge.
    paintField(image, [](float x, float y) {
        const float r = std::hypot(x - 22, y - 22);
        return withAlpha(rgb(0xFFA040), 0.6f * std::exp(-r * r / 110.0f));
    });
    auto cup = [](float x, float y) { return circleDistance(x, y, 22, 22, 7.0f); };
    softShadow(image, cup, 1.0f, 1.5f, 1.5f, 0.5f);
    fillShape(image, cup, [](float x, float y, float d) {
        const float rim = 1.0f - smoothstep(0.0f, 2.0f, -d);
        return shade(rgb(0x4A4038), 0.5f + 0.8f * rim * domeDiffuse(x, y, 22, 22, 7.0f));
    });
    // The flame, seen from above: a bright core in an orange tongue that leans one way.
    auto flame = [](float x, float y) {
        return std::hypot((x - 22.5f) / 1.0f, (y - 21.0f) / 1.35f) - 5.2f;
    };
    fillShape(image, flame, [](float, float y, float d) {
        const float heat = smoothstep(0.0f, 4.0f, -d) + 0.15f * std::max(0.0f, 21.0f - y) / 6.0f;
        return mix(rgb(0xFF6A18), rgb(0xFFF6C8), std::clamp(heat, 0.0f, 1.0f));
    });
    return image;
}

Image drawDayLight() {
    Image image(44, 44);
    paintField(image, [](float x, float y) {
        const float r = std::hypot(x - 22, y - 22) / 21.0f;
        const float a = std::max(0.0f, 1.0f - r);
        // Faint rays, as light through a high window.
        const float ray =
            0.8f + 0.2f * std::pow(std::abs(std::cos(2.0f * std::atan2(y - 22, x - 22))), 8.0f);
        return withAlpha(rgb(0xEAF4FF), 0.45f * a * a * ray);
    });
    return image;
}

Image drawCursor() {
    Image image(4, 4);
    fillShape(
        image, [](float x, float y) { return circleDistance(x, y, 2, 2, 1.9f); },
        [](float x, float y, float) {
            return mix(rgb(0xFFFFFF), rgb(0x9098A8), std::hypot(x - 2, y - 2) / 2.0f);
        },
        8);
    return image;
}

Image drawGlow() {
    return additive(32, [](float x, float y) {
        const float r = std::hypot(x - 16, y - 16) / 15.5f;
        return std::pow(std::max(0.0f, 1.0f - r), 1.6f) * (0.8f + 0.2f * std::exp(-r * r * 20));
    });
}

Image drawFlare() {
    return additive(32, [](float x, float y) {
        const float dx = std::abs(x - 16), dy = std::abs(y - 16);
        const float r = std::hypot(dx, dy);
        const float core = std::exp(-r * r / 6.0f);
        const float rays = std::exp(-dy * dy / 0.8f) * std::max(0.0f, 1.0f - dx / 15.5f) +
                           std::exp(-dx * dx / 0.8f) * std::max(0.0f, 1.0f - dy / 15.5f);
        const float fade = std::max(0.0f, 1.0f - r / 16.0f);
        return core + 0.8f * rays * fade + 0.25f * fade * fade;
    });
}

Image drawStar() {
    Image image(32, 32);
    const auto points = starPoints(16, 16, 5, 14.5f, 6.0f, -pi / 2);
    auto star = [&](float x, float y) { return polygonDistance(x, y, points); };
    softShadow(image, star, 0, 0, 2.0f, 0.5f, white);
    fillShape(image, star, [](float x, float y, float) {
        return mix(rgb(0xFFFFFF), rgb(0xD8D8D8), std::hypot(x - 16, y - 16) / 14.5f);
    });
    return image;
}

Image drawFragment() {
    Image image(32, 32);
    const std::vector<Vec2> shard{{9, 7}, {21, 5}, {27, 14}, {24, 25}, {13, 27}, {6, 18}};
    auto shape = [&](float x, float y) { return polygonDistance(x, y, shard); };
    fillShape(image, shape, [&](float x, float y, float d) {
        const float lit = bevelLight(d, normalOf(shape, x, y), 3.0f);
        // Two faces of the broken piece meet on a ridge.
        const float face = (x - 9) * 0.6f + (y - 7) * -0.8f > -4.0f ? 1.0f : 0.82f;
        return shade(rgb(0xE8E8E8), face * (0.9f + 0.3f * lit));
    });
    return image;
}

Image drawPuff() {
    Image image(32, 32);
    paintField(image, [](float x, float y) {
        const float r = std::hypot(x - 16, y - 16) / 15.0f;
        const float cloud = fractalNoise(x, y, 6.0f, 3, 77);
        const float a = std::max(0.0f, 1.0f - r * (0.8f + 0.45f * cloud));
        return withAlpha(rgb(0xF4F4F4), std::min(1.0f, a * a * 1.3f));
    });
    return image;
}
