// Drawing a frame in bands of rows, and on two threads, gives exactly the frame drawn whole.

#include "platform/sdl/soft_renderer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

namespace {

struct Scene {
    std::vector<std::uint32_t> texels;
    RasterTexture texture;
    struct Quad {
        RasterVertex corner[4];
        bool textured;
        RasterBlend blend;
    };
    std::vector<Quad> quads;
};

float uniform(std::mt19937& random, float low, float high) {
    return std::uniform_real_distribution<float>(low, high)(random);
}

// Quads along the axes and turned, tinted per corner or not, with and without the texture, in
// both blends, over and past every edge of a 100 x 90 frame.
Scene randomScene(std::mt19937& random) {
    Scene scene;
    scene.texels.resize(16 * 12);
    for (std::uint32_t& t : scene.texels) {
        t = static_cast<std::uint32_t>(random());
    }
    scene.texture = RasterTexture{scene.texels.data(), 16, 12};
    for (int i = 0; i < 60; ++i) {
        Scene::Quad q{};
        const float x = uniform(random, -20, 110), y = uniform(random, -20, 100);
        const float w = uniform(random, 1, 50), h = uniform(random, 1, 50);
        const float turn = random() % 2 == 0 ? 0 : uniform(random, 0, 6.3f);
        const float dx[4] = {0, w, w, 0}, dy[4] = {0, 0, h, h};
        const float us[4] = {0, 1, 1, 0}, vs[4] = {0, 0, 1, 1};
        const bool tinted = random() % 2 == 0;
        for (int k = 0; k < 4; ++k) {
            const float c = std::cos(turn), s = std::sin(turn);
            q.corner[k] = RasterVertex{x + dx[k] * c - dy[k] * s, y + dx[k] * s + dy[k] * c,
                                       tinted ? static_cast<std::uint32_t>(random()) : 0xFFFFFFFFu,
                                       us[k], vs[k]};
        }
        q.textured = random() % 4 != 0;
        q.blend = random() % 2 == 0 ? RasterBlend::alpha : RasterBlend::additive;
        scene.quads.push_back(q);
    }
    return scene;
}

void drawWhole(FrameBuffer& frame, const Scene& scene) {
    clearFrameBuffer(frame, 0xFF203040u);
    for (const Scene::Quad& q : scene.quads) {
        rasteriseQuad(frame, q.corner, q.textured ? &scene.texture : nullptr, q.blend);
    }
    rasteriseLine(frame, -5, 3, 120, 80, 0x80FFFFFFu);
}

TEST(SoftRenderer, AnyBandsOfRowsDrawExactlyTheWholeFrame) {
    std::mt19937 random(8122026);
    for (int round = 0; round < 20; ++round) {
        const Scene scene = randomScene(random);
        FrameBuffer whole, banded;
        resizeFrameBuffer(whole, 100, 90);
        resizeFrameBuffer(banded, 100, 90);
        drawWhole(whole, scene);
        for (int first = 0; first < 90;) {
            const RasterRows rows{first, first + 1 + static_cast<int>(random() % 30)};
            clearFrameBuffer(banded, 0xFF203040u, rows);
            for (const Scene::Quad& q : scene.quads) {
                rasteriseQuad(banded, q.corner, q.textured ? &scene.texture : nullptr, q.blend,
                              rows);
            }
            rasteriseLine(banded, -5, 3, 120, 80, 0x80FFFFFFu, rows);
            first = rows.end;
        }
        ASSERT_EQ(banded.pixels, whole.pixels) << "round " << round;
    }
}

TEST(SoftRenderer, RecordedFrameMatchesTheFrameDrawnDirectly) {
    std::mt19937 random(20261208);
    SoftRenderer renderer;
    for (int size : {40, 100}) { // too few rows for two threads, then enough
        for (int round = 0; round < 5; ++round) {
            const Scene scene = randomScene(random);
            FrameBuffer whole;
            resizeFrameBuffer(whole, size, size);
            drawWhole(whole, scene);
            renderer.resize(size, size);
            renderer.quad(scene.quads[0].corner, nullptr, RasterBlend::alpha); // then cleared
            renderer.clear(0xFF203040u);
            for (const Scene::Quad& q : scene.quads) {
                renderer.quad(q.corner, q.textured ? &scene.texture : nullptr, q.blend);
            }
            renderer.line(-5, 3, 120, 80, 0x80FFFFFFu);
            renderer.finish();
            ASSERT_EQ(renderer.frame().pixels, whole.pixels) << "size " << size;
            renderer.finish(); // nothing new: the frame stays
            ASSERT_EQ(renderer.frame().pixels, whole.pixels);
        }
    }
}

} // namespace
