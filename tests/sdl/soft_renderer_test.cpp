// Drawing a frame in areas, on two threads, or only where it changed gives exactly the frame
// drawn whole.

#include "platform/sdl/soft_renderer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>
#include <string>
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

// The first pixel shown differently, as "x, y", or "" when the frames show the same picture.
std::string firstDifference(const FrameBuffer& a, const FrameBuffer& b) {
    for (int y = 0; y < a.height; ++y) {
        for (int x = 0; x < a.width; ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * a.stride + x;
            if (a.pixels[i] != b.pixels[i]) {
                return std::to_string(x) + ", " + std::to_string(y);
            }
        }
    }
    return "";
}

void drawWhole(FrameBuffer& frame, const Scene& scene) {
    clearFrameBuffer(frame, 0xFF203040u);
    for (const Scene::Quad& q : scene.quads) {
        rasteriseQuad(frame, q.corner, q.textured ? &scene.texture : nullptr, q.blend);
    }
    rasteriseLine(frame, -5, 3, 120, 80, 0x80FFFFFFu);
}

TEST(SoftRenderer, AnyAreasDrawExactlyTheWholeFrame) {
    std::mt19937 random(8122026);
    for (int round = 0; round < 20; ++round) {
        const Scene scene = randomScene(random);
        FrameBuffer whole, pieced;
        resizeFrameBuffer(whole, 100, 90);
        resizeFrameBuffer(pieced, 100, 90);
        drawWhole(whole, scene);
        // Bands of rows, each cut into columns, every cut anywhere.
        for (int first = 0; first < 90;) {
            const int end = first + 1 + static_cast<int>(random() % 30);
            for (int left = 0; left < 100;) {
                const RasterArea area{first, end, left, left + 1 + static_cast<int>(random() % 40)};
                clearFrameBuffer(pieced, 0xFF203040u, area);
                for (const Scene::Quad& q : scene.quads) {
                    rasteriseQuad(pieced, q.corner, q.textured ? &scene.texture : nullptr, q.blend,
                                  area);
                }
                rasteriseLine(pieced, -5, 3, 120, 80, 0x80FFFFFFu, area);
                left = area.right;
            }
            first = end;
        }
        ASSERT_EQ(firstDifference(pieced, whole), "") << "round " << round;
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

void record(SoftRenderer& renderer, const Scene& scene, bool clear) {
    if (clear) {
        renderer.clear(0xFF203040u);
    }
    for (const Scene::Quad& q : scene.quads) {
        renderer.quad(q.corner, q.textured ? &scene.texture : nullptr, q.blend);
    }
    renderer.line(-5, 3, 120, 80, 0x80FFFFFFu);
}

// Moves, recolours, drops or adds a few quads, or none.
void change(std::mt19937& random, Scene& scene) {
    for (int n = static_cast<int>(random() % 3); n > 0; --n) {
        Scene::Quad& q = scene.quads[random() % scene.quads.size()];
        switch (random() % 4) {
        case 0:
            for (RasterVertex& v : q.corner) {
                v.y += 0.25f;
            }
            break;
        case 1:
            q.corner[random() % 4].colour ^= 0x00010000u;
            break;
        case 2:
            scene.quads.erase(scene.quads.begin() + static_cast<long>(random() % 10));
            break;
        default:
            scene.quads.push_back(q);
            break;
        }
    }
}

TEST(SoftRenderer, FramesKeepingUnchangedTilesEqualFramesDrawnAfresh) {
    std::mt19937 random(9122026);
    SoftRenderer renderer;
    renderer.resize(100, 90);
    Scene scene = randomScene(random);
    FrameBuffer expected;
    resizeFrameBuffer(expected, 100, 90);
    bool lastCleared = false;
    for (int round = 0; round < 200; ++round) {
        const std::vector<Scene::Quad> before = scene.quads;
        change(random, scene);
        const bool clear = random() % 8 != 0; // now and then drawn over the last frame
        const bool newTexels = random() % 16 == 0;
        if (newTexels) { // a texture changed its pixels in place
            scene.texels[random() % scene.texels.size()] ^= 0x00FF00FFu;
            renderer.forget();
        }
        const auto shown = renderer.frame().pixels;
        record(renderer, scene, clear);
        renderer.finish();
        if (clear) {
            clearFrameBuffer(expected, 0xFF203040u);
        }
        for (const Scene::Quad& q : scene.quads) {
            rasteriseQuad(expected, q.corner, q.textured ? &scene.texture : nullptr, q.blend);
        }
        rasteriseLine(expected, -5, 3, 120, 80, 0x80FFFFFFu);
        ASSERT_EQ(renderer.frame().pixels, expected.pixels) << "round " << round;
        const std::vector<RasterArea> changed = renderer.takeChangedAreas();
        // Every pixel that changed lies in an area said to have changed: the rest of the
        // window's picture may stay as it is.
        for (int y = 0; y < 90; ++y) {
            for (int x = 0; x < 100; ++x) {
                const std::size_t i = static_cast<std::size_t>(y) * renderer.frame().stride + x;
                if (shown[i] != expected.pixels[i]) {
                    ASSERT_TRUE(std::any_of(changed.begin(), changed.end(),
                                            [&](RasterArea a) {
                                                return a.first <= y && y < a.end && a.left <= x &&
                                                       x < a.right;
                                            }))
                        << "pixel " << x << ", " << y << " in round " << round;
                }
            }
        }
        const bool sameAsLast = clear && lastCleared && !newTexels;
        lastCleared = clear;
        if (sameAsLast && scene.quads.size() == before.size() &&
            std::equal(before.begin(), before.end(), scene.quads.begin(),
                       [](const Scene::Quad& a, const Scene::Quad& b) {
                           return std::memcmp(&a, &b, sizeof a) == 0;
                       })) {
            EXPECT_TRUE(changed.empty()) << "round " << round; // nothing to show anew
        } else {
            EXPECT_FALSE(changed.empty()) << "round " << round;
        }
        EXPECT_TRUE(renderer.takeChangedAreas().empty()); // taken
    }
}

// Frames whose first quads stay the same start their new tiles from a picture of those quads; it
// must follow when they change after all, when a texture changes its pixels or when the frame
// is resized.
TEST(SoftRenderer, FramesBeginningAlikeEqualFramesDrawnAfresh) {
    std::mt19937 random(12122026);
    SoftRenderer renderer;
    Scene scene = randomScene(random);
    const Scene moving = randomScene(random);
    int size = 90;
    renderer.resize(size, size);
    for (int round = 0; round < 300; ++round) {
        Scene frame = scene; // the first 60 quads: still, but for a change now and then
        if (round % 97 == 40) {
            scene.quads[random() % 20].corner[0].colour ^= 0x00200000u;
        }
        if (round % 89 == 70) {
            scene.texels[random() % scene.texels.size()] ^= 0x00FF00FFu;
            renderer.forget();
        }
        if (round == 200) {
            size = 100;
            renderer.resize(size, size);
        }
        for (Scene::Quad q : moving.quads) { // then quads on the move
            for (RasterVertex& v : q.corner) {
                v.x += static_cast<float>(round % 7);
            }
            frame.quads.push_back(q);
        }
        record(renderer, frame, true);
        renderer.finish();
        FrameBuffer expected;
        resizeFrameBuffer(expected, size, size);
        drawWhole(expected, frame);
        ASSERT_EQ(firstDifference(renderer.frame(), expected), "") << "round " << round;
    }
}

} // namespace
