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

// Scuffed, lighter patches where feet have worn the surface.
void drawWear(Image& image, std::uint32_t seed) {
    paintField(image, [&](float x, float y) {
        const float patch =
            fractalNoise(x, y, 7.0f, 3, seed) - 0.5f * std::hypot(x - 20, y - 24) / 22.0f;
        return withAlpha(rgb(0xFFFFFF), 0.16f * smoothstep(0.3f, 0.5f, patch));
    });
}

// A broken-off corner of the slab, showing the darker bed below; irregular, so it never reads
// as a piece or a cell of the game.
void drawChip(Image& image) {
    const std::vector<Vec2> chip{{44, 27}, {38, 30}, {35, 36}, {31, 39}, {30, 44}, {44, 44}};
    auto shape = [&](float x, float y) { return polygonDistance(x, y, chip); };
    fillShape(image, shape, [&](float x, float y, float d) {
        const float lit = bevelLight(d, normalOf(shape, x, y), 1.5f);
        return shade(rgb(0x8A857C), 0.9f - 0.25f * lit);
    });
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
    switch (variant) {
    case 1:
        drawCrack(image, seed);
        break;
    case 2:
        drawStain(image, rgb(0x4A3A2A), seed);
        break;
    case 3:
        drawChip(image);
        break;
    default:
        break;
    }
    return image;
}

Image drawPlankFloor(int variant) {
    Image image(44, 44);
    const Rgba wood = rgb(0xBE9870);
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
        drawStain(image, rgb(0x4A3422), 211);
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
        // A short board let into a plank as a repair, greyer than the rest, nailed at both ends.
        auto patch = [](float x, float y) {
            return roundRectDistance(x, y, 21, 16.5f, 11, 4.5f, 0.5f);
        };
        fillShape(image, patch, [&](float x, float y, float d) {
            const float grain = fractalNoise(x * 0.12f, y * 1.6f, 3.0f, 3, 19);
            const float edge = d > -0.8f ? 0.6f : 1.0f;
            return shade(rgb(0x9C8A72), (0.86f + 0.2f * grain) * edge);
        });
        for (Vec2 p : {Vec2{12.5f, 16.5f}, Vec2{29.5f, 16.5f}}) {
            fillFlat(
                image, [p](float x, float y) { return circleDistance(x, y, p.x, p.y, 0.9f); },
                rgb(0x5A5A5E));
        }
        break;
    }
    default:
        break;
    }
    return image;
}

// Basket weave: each quarter of the tile holds two bricks, lying across in two quarters and
// along in the other two, so the pattern is the same turned a quarter. Low and even in contrast,
// with no ring or star a piece or an end could be taken for.
Image drawPatternFloor(int variant) {
    Image image(44, 44);
    const Rgba base = rgb(0xCFC6B6);
    const std::uint32_t seed = 300 + static_cast<std::uint32_t>(variant);
    paintField(image, [&](float x, float y) {
        const int qx = x < 22 ? 0 : 1, qy = y < 22 ? 0 : 1;
        const bool across = qx == qy;
        const float lx = x - 22.0f * static_cast<float>(qx),
                    ly = y - 22.0f * static_cast<float>(qy);
        const float along = across ? ly : lx, other = across ? lx : ly;
        const int brick = along < 11 ? 0 : 1;
        const float inBrick = std::fmod(along, 11.0f);
        const float tone = 0.93f + 0.1f * hashNoise(qx * 2 + brick, qy, seed);
        const float grain = fractalNoise(x, y, 9.0f, 2, seed);
        float k = tone * (0.93f + 0.1f * grain);
        if (inBrick < 0.8f || other < 0.8f) {
            k *= 0.8f; // the joint between bricks
        } else if (inBrick < 1.8f || other < 1.8f) {
            k *= 1.05f;
        }
        if (variant == 4 && qx == 1 && qy == 0 && brick == 1) {
            k *= 0.86f; // one brick replaced with a darker stone
        }
        return shade(base, k * tileEdge(x, y));
    });
    switch (variant) {
    case 1:
        drawCrack(image, seed);
        break;
    case 2:
        drawStain(image, rgb(0x3A3028), seed);
        break;
    case 3:
        drawWear(image, seed);
        break;
    default:
        break;
    }
    return image;
}
