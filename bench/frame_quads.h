#pragma once
// The benchmark frame: 3,000 textured 44-pixel quads over the 924 x 924 hall, in runs of 100
// that switch between alpha and additive blending, as the hall, its lights and the effects do.
// With cornerColours the corners are tinted differently (as lit hall pieces are), else all white.

#include "engine/engine.h"

#include <algorithm>
#include <vector>

// The benchmark's 44 x 44 sprite, 0xAARRGGBB: soft-edged, so that blending has work to do.
inline std::vector<std::uint32_t> benchmarkSpritePixels() {
    std::vector<std::uint32_t> pixels(44 * 44);
    for (int y = 0; y < 44; ++y) {
        for (int x = 0; x < 44; ++x) {
            const int edge = std::min(std::min(x, 43 - x), std::min(y, 43 - y));
            pixels[y * 44 + x] =
                static_cast<std::uint32_t>(std::min(255, edge * 24)) << 24 | 0x00C08040u;
        }
    }
    return pixels;
}

inline std::vector<SpriteQuad> benchmarkQuads(TextureHandle texture, bool cornerColours) {
    const std::uint32_t tint1 = cornerColours ? 0xC0FFE0A0 : 0xFFFFFFFF;
    const std::uint32_t tint3 = cornerColours ? 0x80A0C0FF : 0xFFFFFFFF;
    std::vector<SpriteQuad> quads;
    for (int i = 0; i < 3000; ++i) {
        const float x = static_cast<float>((i * 37) % 880);
        const float y = static_cast<float>((i * 53) % 880);
        SpriteQuad q{};
        q.vertex[0] = {x, y, 0.5f, 0xFFFFFFFF, 0, 0};
        q.vertex[1] = {x + 44, y, 0.5f, tint1, 1, 0};
        q.vertex[2] = {x + 44, y + 44, 0.5f, 0xFFFFFFFF, 1, 1};
        q.vertex[3] = {x, y + 44, 0.5f, tint3, 0, 1};
        q.texture = texture;
        q.blend = (i / 100) % 2 == 0 ? blendAlpha : blendAdditive;
        quads.push_back(q);
    }
    return quads;
}

inline void drawBenchmarkFrame(Engine& engine, const std::vector<SpriteQuad>& quads) {
    engine.beginFrame(0);
    engine.clearFrame(0xFF000000);
    for (const SpriteQuad& q : quads) {
        engine.drawQuad(q);
    }
    engine.endFrame();
}

// The fastest of the repetitions: on a machine shared with other work, the run least disturbed.
inline double fastestRun(const std::vector<double>& times) {
    return times.empty() ? 0 : *std::min_element(times.begin(), times.end());
}
