#include "specials.h"

#include <cmath>

#include "paint.h"

namespace {

constexpr float centre = 22.0f;
const Rgba white{1, 1, 1, 1};

float angleAt(float x, float y) {
    return std::atan2(y - centre, x - centre);
}
float radiusAt(float x, float y) {
    return std::hypot(x - centre, y - centre);
}

// The portal's glowing pattern 0..1 at a point of the pad.
float portalPattern(int pair, float x, float y) {
    const float a = angleAt(x, y), r = radiusAt(x, y);
    switch (pair) {
    case 0: // three spiral arms
        return 0.5f + 0.5f * std::sin(3 * a + r * 0.55f);
    case 1: // concentric rings
        return 0.5f + 0.5f * std::sin(r * 1.15f);
    default: { // a four-pointed star inside a diamond
        const float star = std::pow(std::abs(std::cos(2 * a)), 6.0f) * (1.0f - r / 16.0f);
        const float diamond = std::abs((std::abs(x - centre) + std::abs(y - centre)) - 10.0f);
        return std::max(smoothstep(0.0f, 0.5f, star), 1.0f - smoothstep(0.5f, 1.8f, diamond));
    }
    }
}

// The pad's outline, one per pair: a round pad, three lobes, four lobes.
float padDistance(int pair, float x, float y) {
    if (pair == 0) {
        return circleDistance(x, y, centre, centre, 19.5f);
    }
    const int lobes = pair == 1 ? 3 : 4;
    const float turn = pair == 1 ? -pi / 2 : pi / 4;
    const float reach = pair == 1 ? 11.0f : 12.0f, size = pair == 1 ? 7.6f : 6.4f;
    float d = circleDistance(x, y, centre, centre, 6.5f);
    for (int i = 0; i < lobes; ++i) {
        const float a = turn + 2 * pi * static_cast<float>(i) / static_cast<float>(lobes);
        d = smoothUnion(
            d,
            circleDistance(x, y, centre + reach * std::cos(a), centre + reach * std::sin(a), size),
            2.0f);
    }
    return d;
}

Rgba portalColour(int pair) {
    switch (pair) {
    case 0:
        return rgb(0xA060FF);
    case 1:
        return rgb(0x38B8FF);
    default:
        return rgb(0x6EE05A);
    }
}

} // namespace

Image drawArrow() {
    Image image(44, 44);
    // A broad head on a narrow shaft, the head beyond the cell's centre, so the arrow and its
    // turned copies share little of their outlines.
    const std::vector<Vec2> points{{8, 18.5f}, {22, 18.5f}, {22, 9},   {40, 22},
                                   {22, 35},   {22, 25.5f}, {8, 25.5f}};
    auto arrow = [&](float x, float y) { return polygonDistance(x, y, points) - 1.0f; };
    softShadow(image, arrow, 1.0f, 1.8f, 2.0f, 0.55f);
    fillShape(image, arrow, [&](float x, float y, float d) {
        const float lit = bevelLight(d, normalOf(arrow, x, y), 2.5f);
        // Brushed metal: fine streaks along the arrow.
        const float streak = 0.04f * std::sin(y * 2.7f) + 0.03f * std::sin(y * 5.3f + 1.0f);
        const float gradient = 1.05f - 0.1f * (x - 8.0f) / 32.0f;
        return shade(rgb(0xC9D4DE), (gradient + streak) * (1.0f + 0.4f * lit));
    });
    // An engraved chevron repeats the direction inside the head.
    const std::vector<Vec2> chevron{{26, 16.5f}, {32, 22}, {26, 27.5f}};
    auto groove = [&](float x, float y) {
        return std::min(segmentDistance(x, y, chevron[0], chevron[1]),
                        segmentDistance(x, y, chevron[1], chevron[2])) -
               1.0f;
    };
    fillFlat(image, groove, rgb(0x4A5560, 0.7f));
    return image;
}

Image drawTeleport(int pair) {
    Image image(44, 44);
    const Rgba colour = portalColour(pair);
    auto rim = [pair](float x, float y) { return padDistance(pair, x, y); };
    softShadow(image, rim, 1.0f, 2.0f, 2.5f, 0.5f);
    fillShape(image, rim, [&](float x, float y, float d) {
        const float lit = bevelLight(d, normalOf(rim, x, y), 3.0f);
        const Rgba metal = mix(rgb(0x8A8C96), colour, 0.35f);
        return shade(metal, 0.9f + 0.45f * lit);
    });
    auto well = [&](float x, float y) { return rim(x, y) + 3.0f; };
    fillShape(image, well, [&](float x, float y, float d) {
        const float depth = std::max(0.0f, 1.0f - radiusAt(x, y) / 17.0f);
        const float pattern = portalPattern(pair, x, y);
        Rgba c = mix(shade(colour, 0.25f), colour, pattern);
        c = mix(c, white, depth * depth * 0.7f);
        // The well's edge lies in the rim's shadow.
        return shade(c, 0.6f + 0.4f * smoothstep(0.0f, 3.0f, -d));
    });
    softShadow(
        image, [](float x, float y) { return circleDistance(x, y, centre, centre, 3.0f); }, 0, 0,
        4.0f, 0.9f, white);
    return image;
}
