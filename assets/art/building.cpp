#include "building.h"

#include <cmath>

#include "noise.h"
#include "paint.h"

namespace {

const Rgba mortar = rgb(0x3A3631);
const Rgba stoneBase = rgb(0xB2ACA2);

// One dressed stone: a bevelled, speckled block centred on (cx, cy).
void drawStone(Image& image, float cx, float cy, float hw, float hh, std::uint32_t seed) {
    auto block = [=](float x, float y) { return roundRectDistance(x, y, cx, cy, hw, hh, 2.5f); };
    const float tone = 0.9f + 0.16f * hashNoise(static_cast<int>(cx), static_cast<int>(cy), seed);
    fillShape(image, block, [&](float x, float y, float d) {
        const float grain = fractalNoise(x, y, 7.0f, 3, seed);
        const float speck = hashNoise(static_cast<int>(x * 2), static_cast<int>(y * 2), seed + 7);
        const float lit = bevelLight(d, normalOf(block, x, y), 3.0f);
        const float k = tone * (0.8f + 0.3f * grain + 0.06f * speck) * (1.0f + 0.42f * lit);
        return shade(stoneBase, k);
    });
}

Image mortarCell(int width = 44, int height = 44) {
    Image image(width, height, mortar);
    paintField(image, [](float x, float y) {
        return withAlpha(rgb(0x000000), 0.3f * fractalNoise(x, y, 5.0f, 2, 91));
    });
    return image;
}

// A 22-pixel stone of the grid at column i, row j (spanning w × h grid squares).
void gridStone(Image& image, int i, int j, int w, int h, std::uint32_t seed, float yOffset = 0) {
    const float cx = 22.0f * static_cast<float>(i) + 11.0f * static_cast<float>(w);
    const float cy = yOffset + 22.0f * static_cast<float>(j) + 11.0f * static_cast<float>(h);
    drawStone(image, cx, cy, 11.0f * static_cast<float>(w) - 1.0f,
              11.0f * static_cast<float>(h) - 1.0f, seed);
}

} // namespace

Image drawWallRun() {
    Image image = mortarCell();
    gridStone(image, 0, 0, 2, 1, 11);
    gridStone(image, 0, 1, 1, 1, 12);
    gridStone(image, 1, 1, 1, 1, 13);
    return image;
}

Image drawWallRunCross() {
    Image image = mortarCell();
    gridStone(image, 0, 0, 1, 2, 21);
    gridStone(image, 1, 0, 1, 1, 22);
    gridStone(image, 1, 1, 1, 1, 23);
    return image;
}

Image drawWallJunction() {
    Image image = mortarCell();
    gridStone(image, 0, 0, 1, 1, 31);
    gridStone(image, 1, 0, 1, 1, 32);
    gridStone(image, 0, 1, 1, 1, 33);
    gridStone(image, 1, 1, 1, 1, 34);
    return image;
}

Image drawWallCorner() {
    Image image = mortarCell();
    gridStone(image, 0, 0, 2, 2, 41);
    // A carved square on the corner stone, as on the quoins of old halls.
    auto groove = [](float x, float y) {
        return std::abs(roundRectDistance(x, y, 22, 22, 12, 12, 2)) - 1.0f;
    };
    fillShape(image, groove, [&](float x, float y, float d) {
        return withAlpha(rgb(0x000000),
                         0.35f + 0.25f * bevelLight(d, normalOf(groove, x, y), 1.0f));
    });
    return image;
}

// A free-standing block of the same dressed stones and mortar as the walls, standing on the
// floor and casting its shadow there: it reads as a piece of wall, not as a special tile.
Image drawWallPillar() {
    Image image(44, 44);
    auto block = [](float x, float y) { return roundRectDistance(x, y, 22, 22, 20, 20, 2.5f); };
    softShadow(image, block, 1.5f, 2.0f, 2.0f, 0.6f);
    fillFlat(image, block, mortar);
    // Four stones, smaller than the wall's, so the mortar frames the block on every side.
    for (const Vec2 c : {Vec2{12, 12}, Vec2{32, 12}, Vec2{12, 32}, Vec2{32, 32}}) {
        drawStone(image, c.x, c.y, 9.0f, 9.0f, 51 + static_cast<std::uint32_t>(c.x + c.y));
    }
    return image;
}

Image drawWindow() {
    Image image = mortarCell(44, 132);
    // Above and below the opening the wall runs on.
    gridStone(image, 0, 0, 1, 1, 61);
    gridStone(image, 1, 0, 1, 1, 62);
    gridStone(image, 0, 1, 2, 1, 63, 0);
    gridStone(image, 0, 4, 2, 1, 64);
    gridStone(image, 0, 5, 1, 1, 65);
    gridStone(image, 1, 5, 1, 1, 66);
    // The opening: a stone frame holding a pane, the sill on the inner (right) side.
    auto frame = [](float x, float y) { return roundRectDistance(x, y, 22, 66, 21, 21, 2.5f); };
    fillShape(image, frame, [&](float x, float y, float d) {
        const float lit = bevelLight(d, normalOf(frame, x, y), 3.0f);
        return shade(stoneBase,
                     (0.92f + 0.16f * fractalNoise(x, y, 6.0f, 2, 67)) * (1.0f + 0.4f * lit));
    });
    auto sill = [](float x, float y) { return roundRectDistance(x, y, 35.5f, 66, 6.5f, 15, 1.5f); };
    fillShape(image, sill, [&](float x, float y, float d) {
        const float lit = bevelLight(d, normalOf(sill, x, y), 2.0f);
        return shade(rgb(0xD8D2C4), 0.95f + 0.35f * lit);
    });
    auto pane = [](float x, float y) { return roundRectDistance(x, y, 16, 66, 11, 16, 1.0f); };
    fillShape(image, pane, [&](float x, float y, float) {
        const float t = (y - 50.0f) / 32.0f;
        Rgba glass = mix(rgb(0xCFEFFF), rgb(0x5FA8D8), t);
        // Two slanted reflections.
        const float band = std::fmod(x * 0.8f + y + 200.0f, 22.0f);
        if (band < 2.5f || (band > 5.0f && band < 6.0f)) {
            glass = mix(glass, Rgba{1, 1, 1, 1}, 0.6f);
        }
        return glass;
    });
    // Lead cames divide the pane into four lights.
    auto cames = [](float x, float y) {
        return std::min(std::abs(x - 16.0f), std::abs(y - 66.0f)) - 0.8f;
    };
    fillShape(
        image, [&](float x, float y) { return std::max(cames(x, y), pane(x, y)); },
        [](float, float, float) { return rgb(0x2E3440); });
    return image;
}
