#include "floors.h"

#include <algorithm>
#include <cmath>

#include "noise.h"
#include "paint.h"

namespace {

// Darkens the outer pixel ring (the grout shared with the neighbour) and bevels the tile edge.
float tileEdge(float x, float y) {
    const float d = std::min({x, 44.0f - x, y, 44.0f - y});
    const float grout = d < 1.0f ? 0.62f : 1.0f;
    const float bevel = 1.0f - smoothstep(1.0f, 3.0f, d);
    const bool lightSide = x < 3.0f || y < 3.0f;
    return grout * (1.0f + (lightSide ? 0.1f : -0.12f) * bevel);
}

void drawCrack(Image& image, std::uint32_t seed) {
    std::vector<Vec2> path;
    float x = 7, y = 11;
    for (int i = 0; i < 7; ++i) {
        path.push_back({x, y});
        x += 4.5f;
        y += 2.5f + 6.0f * (hashNoise(i, 0, seed) - 0.4f);
    }
    auto crack = [&](float px, float py) {
        float best = 99.0f;
        for (std::size_t i = 1; i < path.size(); ++i) {
            const float width = 0.75f - 0.08f * static_cast<float>(i);
            best = std::min(best, segmentDistance(px, py, path[i - 1], path[i]) - width);
        }
        return best;
    };
    softShadow(image, crack, -0.6f, -0.6f, 0.6f, 0.35f, {1, 1, 1, 1});
    fillFlat(image, crack, rgb(0x2A2622, 0.75f));
}

void drawStain(Image& image, Rgba colour, std::uint32_t seed) {
    paintField(image, [&](float x, float y) {
        const float r = std::hypot(x - 24, y - 20) / 15.0f;
        const float blot = fractalNoise(x, y, 8.0f, 3, seed) * 0.8f + 0.6f - r;
        return withAlpha(colour, 0.28f * smoothstep(0.3f, 0.6f, blot));
    });
}

void drawMosaic(Image& image, const Rgba* colours, float radius) {
    for (int i = 0; i < 4; ++i) {
        const float a = static_cast<float>(i) * pi / 2;
        const float cx = 22 + radius * 0.5f * std::cos(a), cy = 22 + radius * 0.5f * std::sin(a);
        const auto tile = regularPolygon(cx, cy, 4, radius * 0.5f, a);
        auto shape = [&](float x, float y) { return polygonDistance(x, y, tile) + 0.5f; };
        fillShape(image, shape, [&](float x, float y, float d) {
            return shade(colours[i % 2],
                         0.95f + 0.25f * bevelLight(d, normalOf(shape, x, y), 1.2f));
        });
    }
}

} // namespace

Image drawStoneFloor(int variant) {
    Image image(44, 44);
    const Rgba base = rgb(0xB5B0A6);
    const std::uint32_t seed = 100 + static_cast<std::uint32_t>(variant);
    paintField(image, [&](float x, float y) {
        const float grain = fractalNoise(x, y, 10.0f, 3, seed);
        const float speck = hashNoise(static_cast<int>(x), static_cast<int>(y), seed);
        return shade(base, (0.88f + 0.14f * grain + 0.04f * speck) * tileEdge(x, y));
    });
    const Rgba mosaic[2] = {rgb(0xA8674E), rgb(0x50708A)};
    switch (variant) {
    case 1:
        drawCrack(image, seed);
        break;
    case 2:
        drawStain(image, rgb(0x4A3A2A), seed);
        break;
    case 3:
        drawMosaic(image, mosaic, 11.0f);
        break;
    default:
        break;
    }
    return image;
}

Image drawPlankFloor(int variant) {
    Image image(44, 44);
    const Rgba wood = rgb(0xB08A62);
    paintField(image, [&](float x, float y) {
        const int plank = static_cast<int>(y / 11.0f);
        const float tone = 0.88f + 0.16f * hashNoise(plank, 0, 7);
        // Grain: noise stretched along the plank.
        const float grain =
            fractalNoise(x * 0.12f + static_cast<float>(plank) * 9, y * 1.6f, 3.0f, 3, 8);
        float k = tone * (0.86f + 0.22f * grain);
        const float inPlank = std::fmod(y, 11.0f);
        if (inPlank < 1.0f) {
            k *= 0.55f; // the gap between planks
        } else if (inPlank < 2.0f) {
            k *= 1.08f;
        } else if (inPlank > 10.0f) {
            k *= 0.9f;
        }
        // Every other plank ends inside the cell, the rest at its edge.
        const float joint = plank % 2 == 0 ? 0.0f : 14.0f + 16.0f * hashNoise(plank, 1, 7);
        if (std::abs(x - joint) < 0.6f || x < 0.6f) {
            k *= 0.6f;
        }
        return shade(wood, k);
    });
    const Rgba dark = rgb(0x3A2818);
    switch (variant) {
    case 1: {
        auto knot = [](float x, float y) { return std::hypot((x - 27) / 1.6f, y - 27.5f) - 2.6f; };
        softShadow(image, knot, 0, 0, 2.5f, 0.4f, dark);
        fillFlat(image, knot, rgb(0x5A3C22));
        fillFlat(
            image,
            [](float x, float y) {
                return std::abs(std::hypot((x - 27) / 1.6f, y - 27.5f) - 4.2f) - 0.4f;
            },
            withAlpha(dark, 0.4f));
        break;
    }
    case 2:
        drawStain(image, rgb(0x2A1A10), 211);
        break;
    case 3:
        for (Vec2 p : {Vec2{4, 5.5f}, Vec2{40, 5.5f}, Vec2{4, 27.5f}, Vec2{40, 27.5f}}) {
            fillShape(
                image, [p](float x, float y) { return circleDistance(x, y, p.x, p.y, 1.3f); },
                [p](float x, float y, float) {
                    return shade(rgb(0x8A8E96), 0.5f + 0.9f * domeDiffuse(x, y, p.x, p.y, 1.3f));
                });
        }
        break;
    case 4: {
        auto inlay = [](float x, float y) {
            return polygonDistance(x, y, regularPolygon(22, 22, 4, 7, 0));
        };
        softShadow(image, inlay, 0.5f, 0.8f, 1.0f, 0.4f);
        fillShape(image, inlay, [&](float x, float y, float d) {
            return shade(rgb(0xD6B05A), 0.95f + 0.4f * bevelLight(d, normalOf(inlay, x, y), 1.5f));
        });
        break;
    }
    default:
        break;
    }
    return image;
}

Image drawPatternFloor(int variant) {
    Image image(44, 44);
    const Rgba base = rgb(0xD2CABA);
    const Rgba band = rgb(0xAE9A84);
    const Rgba inner = rgb(0x909CA4);
    const std::uint32_t seed = 300 + static_cast<std::uint32_t>(variant);
    paintField(image, [&](float x, float y) {
        const float grain = fractalNoise(x, y, 9.0f, 2, seed);
        const float r = std::hypot(x, y);
        Rgba c = mix(base, band, 1.0f - smoothstep(2.0f, 3.0f, std::abs(r - 24.0f)));
        c = mix(c, inner, 1.0f - smoothstep(7.5f, 8.5f, r));
        // A thin ring at the far corner completes a second motif with the neighbours.
        const float far = std::abs(std::hypot(44.0f - x, 44.0f - y) - 10.0f);
        c = mix(c, band, 0.6f * (1.0f - smoothstep(0.4f, 1.2f, far)));
        return shade(c, (0.92f + 0.12f * grain) * tileEdge(x, y));
    });
    const Rgba mosaic[2] = {rgb(0xC8A050), rgb(0x4E7A6A)};
    switch (variant) {
    case 1:
        drawCrack(image, seed);
        break;
    case 2:
        drawStain(image, rgb(0x3A3028), seed);
        break;
    case 3:
        drawMosaic(image, mosaic, 9.0f);
        break;
    case 4: {
        const auto points = starPoints(22, 22, 4, 8.0f, 2.6f, 0);
        auto star = [&](float x, float y) { return polygonDistance(x, y, points); };
        softShadow(image, star, 0.5f, 0.8f, 1.0f, 0.35f);
        fillShape(image, star, [&](float x, float y, float d) {
            return shade(rgb(0xC8A050), 0.95f + 0.4f * bevelLight(d, normalOf(star, x, y), 1.5f));
        });
        break;
    }
    default:
        break;
    }
    return image;
}
