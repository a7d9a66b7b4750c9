// The engine's own rasteriser on small frame buffers: which pixels a quad covers, how colours
// and texture coordinates spread over it, blending and clipping.

#include "platform/sdl/soft_raster.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

constexpr std::uint32_t black = 0xFF000000u;

struct Corners {
    float x[4], y[4];
};

Corners rectangle(float x0, float y0, float x1, float y1) {
    return Corners{{x0, x1, x1, x0}, {y0, y0, y1, y1}};
}

void draw(FrameBuffer& frame, const Corners& at, std::uint32_t colour,
          RasterBlend blend = RasterBlend::alpha, const RasterTexture* texture = nullptr,
          const std::uint32_t (*colours)[4] = nullptr) {
    const float us[4] = {0, 1, 1, 0}, vs[4] = {0, 0, 1, 1};
    RasterVertex corner[4];
    for (int i = 0; i < 4; ++i) {
        corner[i] = RasterVertex{at.x[i], at.y[i], colours ? (*colours)[i] : colour, us[i], vs[i]};
    }
    rasteriseQuad(frame, corner, texture, blend);
}

FrameBuffer blackFrame(int width, int height) {
    FrameBuffer frame;
    resizeFrameBuffer(frame, width, height);
    clearFrameBuffer(frame, black);
    return frame;
}

std::uint32_t at(const FrameBuffer& frame, int x, int y) {
    return frame.pixels[static_cast<std::size_t>(y) * frame.stride + x];
}

int channel(std::uint32_t argb, int shift) {
    return static_cast<int>((argb >> shift) & 0xFF);
}

// Pixels that differ from black, as a picture of '#' and '.' rows.
std::string coverage(const FrameBuffer& frame) {
    std::string picture;
    for (int y = 0; y < frame.height; ++y) {
        for (int x = 0; x < frame.width; ++x) {
            picture += at(frame, x, y) != black ? '#' : '.';
        }
        picture += '\n';
    }
    return picture;
}

TEST(SoftRaster, QuadCoversThePixelsWhoseCentresLieInsideInAnyCornerOrder) {
    FrameBuffer frame = blackFrame(8, 6);
    draw(frame, rectangle(1.0f, 0.5f, 5.5f, 3.75f), 0xFFFFFFFFu);
    // Columns: centres 1.5 to 4.5, as 5.5 lies on the right edge; rows: 0.5 lies on the top
    // edge and counts, 3.5 is above 3.75.
    const std::string expected = ".####...\n"
                                 ".####...\n"
                                 ".####...\n"
                                 ".####...\n"
                                 "........\n"
                                 "........\n";
    EXPECT_EQ(coverage(frame), expected);
    // The same rectangle given from another corner and in the other turn covers the same.
    for (const Corners& c : {Corners{{5.5f, 5.5f, 1.0f, 1.0f}, {0.5f, 3.75f, 3.75f, 0.5f}},
                             Corners{{5.5f, 1.0f, 1.0f, 5.5f}, {3.75f, 3.75f, 0.5f, 0.5f}}}) {
        FrameBuffer turned = blackFrame(8, 6);
        draw(turned, c, 0xFFFFFFFFu);
        EXPECT_EQ(coverage(turned), expected);
    }
}

TEST(SoftRaster, QuadsSharingAnEdgeDrawEachPixelOnceWhateverTheirSlant) {
    const std::uint32_t quarter = 0xFF404040u; // added: a pixel drawn twice shows 0x80
    auto sameAsWhole = [&](const Corners& whole, const Corners& left, const Corners& right) {
        FrameBuffer one = blackFrame(34, 34), two = blackFrame(34, 34);
        draw(one, whole, quarter, RasterBlend::additive);
        draw(two, left, quarter, RasterBlend::additive);
        draw(two, right, quarter, RasterBlend::additive);
        EXPECT_EQ(one.pixels, two.pixels);
        int drawn = 0;
        for (std::uint32_t p : two.pixels) {
            drawn += p == 0xFF404040u;
        }
        return drawn;
    };
    // Along the axes, split on pixel centres.
    EXPECT_EQ(sameAsWhole(rectangle(2.5f, 2.5f, 20.5f, 10.5f), rectangle(2.5f, 2.5f, 9.5f, 10.5f),
                          rectangle(9.5f, 2.5f, 20.5f, 10.5f)),
              18 * 8);
    // A slanted quad split from the middle of its top edge to the middle of its bottom edge:
    // every edge of the halves runs along an edge of the whole or along the split.
    const Corners whole{{2, 30, 28, 4}, {2, 6, 30, 26}};
    const Corners left{{2, 16, 16, 4}, {2, 4, 28, 26}}, right{{16, 30, 28, 16}, {4, 6, 30, 28}};
    EXPECT_GT(sameAsWhole(whole, left, right), 500);
}

TEST(SoftRaster, RotatedSquareCoversExactlyItsInside) {
    FrameBuffer frame = blackFrame(32, 32);
    // A square turned by 45 degrees about (16, 16): inside, |x - 16| + |y - 16| < 10.25.
    draw(frame, Corners{{16, 26.25f, 16, 5.75f}, {5.75f, 16, 26.25f, 16}}, 0xFFFFFFFFu);
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const bool inside = std::abs(x + 0.5f - 16) + std::abs(y + 0.5f - 16) < 10.25f;
            EXPECT_EQ(at(frame, x, y), inside ? 0xFFFFFFFFu : black) << x << ", " << y;
        }
    }
}

TEST(SoftRaster, CornerColoursSpreadLinearlyOverTheTrianglesOfTheQuad) {
    // Red 0 at corners 0 and 3, 255 at corner 1, 160 at corner 2: no single plane fits, so the
    // quad shows the two triangles (0, 1, 2) and (0, 2, 3) as a GPU draws them.
    const std::uint32_t colours[4] = {0xFF000000u, 0xFFFF0000u, 0xFFA00000u, 0xFF000000u};
    FrameBuffer frame = blackFrame(16, 16);
    clearFrameBuffer(frame, 0xFF00FF00u);
    draw(frame, rectangle(0, 0, 16, 16), 0, RasterBlend::alpha, nullptr, &colours);
    EXPECT_NEAR(channel(at(frame, 12, 3), 16), 178, 1); // upper right triangle
    EXPECT_NEAR(channel(at(frame, 3, 12), 16), 35, 1);  // lower left triangle
    EXPECT_NEAR(channel(at(frame, 7, 7), 16), 75, 1);   // on the diagonal: halfway in both
    EXPECT_EQ(channel(at(frame, 15, 0), 16), 244);      // 255 * 15/16 + 160 / 32
    EXPECT_EQ(channel(at(frame, 7, 7), 8), 0);          // green is gone: every corner is opaque

    // Shifted by 1/256 pixel, the quad is no longer a rectangle and goes through the general
    // triangle path: same pixels, same colours within a level.
    FrameBuffer slanted = blackFrame(16, 16);
    clearFrameBuffer(slanted, 0xFF00FF00u);
    Corners moved = rectangle(0, 0, 16, 16);
    moved.x[1] += 1.0f / 256;
    draw(slanted, moved, 0, RasterBlend::alpha, nullptr, &colours);
    for (std::size_t i = 0; i < 16 * 16; ++i) {
        for (int shift : {0, 8, 16, 24}) {
            ASSERT_NEAR(channel(frame.pixels[i], shift), channel(slanted.pixels[i], shift), 1) << i;
        }
    }
}

TEST(SoftRaster, RectanglesSplitAtTheDiagonalExactlyAsTheirTwoTrianglesDo) {
    // Corner colours that no single plane fits, on rectangles of many shapes and fractional
    // positions. Each half is drawn again on its own as a quad with a repeated corner, which
    // takes the general triangle path: the same pixels, and colours within a level, show that
    // every row is split where the triangles split it.
    const std::uint32_t colours[4] = {0xFF808080u, 0xFFFF2000u, 0xFF808080u, 0xFF0020FFu};
    const std::uint32_t upperColours[4] = {colours[0], colours[1], colours[2], colours[0]};
    const std::uint32_t lowerColours[4] = {colours[0], colours[2], colours[3], colours[0]};
    for (int shape = 0; shape < 60; ++shape) {
        const float x0 = 0.3f + 0.37f * static_cast<float>(shape % 7);
        const float y0 = 0.1f + 0.29f * static_cast<float>(shape % 5);
        const float x1 = x0 + 1.7f + 2.9f * static_cast<float>(shape % 11);
        const float y1 = y0 + 1.3f + 3.1f * static_cast<float>(shape % 9);
        const Corners whole = rectangle(x0, y0, x1, y1);
        const Corners upper{{x0, x1, x1, x0}, {y0, y0, y1, y0}};
        const Corners lower{{x0, x1, x0, x0}, {y0, y1, y1, y0}};
        FrameBuffer expected = blackFrame(40, 40), actual = blackFrame(40, 40);
        draw(actual, whole, 0, RasterBlend::alpha, nullptr, &colours);
        draw(expected, upper, 0, RasterBlend::alpha, nullptr, &upperColours);
        draw(expected, lower, 0, RasterBlend::alpha, nullptr, &lowerColours);
        ASSERT_EQ(coverage(actual), coverage(expected)) << "shape " << shape;
        for (std::size_t i = 0; i < actual.pixels.size(); ++i) {
            for (int shift : {0, 8, 16}) {
                ASSERT_NEAR(channel(actual.pixels[i], shift), channel(expected.pixels[i], shift), 1)
                    << "shape " << shape << ", pixel " << i;
            }
        }
    }
}

TEST(SoftRaster, AlphaBlendingMixesAdditiveBlendingAddsAndSaturates) {
    FrameBuffer frame = blackFrame(4, 1);
    clearFrameBuffer(frame, 0xFF640000u);      // red 100
    const std::uint32_t halfBlue = 0x800000C8; // blue 200 at alpha 128
    draw(frame, rectangle(0, 0, 1, 1), halfBlue, RasterBlend::alpha);
    draw(frame, rectangle(1, 0, 2, 1), halfBlue, RasterBlend::additive);
    draw(frame, rectangle(2, 0, 3, 1), 0xFFFFFFFFu, RasterBlend::additive);
    draw(frame, rectangle(3, 0, 4, 1), 0x00FFFFFFu, RasterBlend::alpha);
    EXPECT_EQ(at(frame, 0, 0), 0xFF320064u); // red fades to 50, blue 100
    EXPECT_EQ(at(frame, 1, 0), 0xFF640064u); // red stays, blue 100 is added
    EXPECT_EQ(at(frame, 2, 0), 0xFFFFFFFFu); // saturates
    EXPECT_EQ(at(frame, 3, 0), 0xFF640000u); // fully transparent: nothing
    // Alpha blending builds up the frame's own alpha; adding leaves it.
    clearFrameBuffer(frame, 0x00000000u);
    draw(frame, rectangle(0, 0, 1, 1), halfBlue, RasterBlend::alpha);
    draw(frame, rectangle(1, 0, 2, 1), halfBlue, RasterBlend::additive);
    EXPECT_EQ(channel(at(frame, 0, 0), 24), 128);
    EXPECT_EQ(channel(at(frame, 1, 0), 24), 0);
}

TEST(SoftRaster, QuadsAreClippedToTheFrameAndBadPositionsDrawNothing) {
    FrameBuffer frame = blackFrame(6, 4);
    draw(frame, rectangle(-3, -2, 2, 1), 0xFFFFFFFFu);       // over the top left corner
    draw(frame, rectangle(4.5f, 2.5f, 40, 40), 0xFFFFFFFFu); // over the bottom right corner
    draw(frame, Corners{{-10, 3, 3, -10}, {3.5f, 2, 9, 9}}, 0xFFFFFFFFu); // slanted, bottom left
    EXPECT_EQ(coverage(frame), "##....\n"
                               "......\n"
                               "###.##\n"
                               "###.##\n");
    const auto before = frame.pixels;
    draw(frame, rectangle(7, 0, 9, 4), 0xFFFFFFFFu);  // right of the frame
    draw(frame, rectangle(0, -5, 6, 0), 0xFFFFFFFFu); // above it: the bottom edge is open
    draw(frame, rectangle(-1e9f, -1e9f, 1e9f, -1e8f), 0xFFFFFFFFu);
    const float nan = std::numeric_limits<float>::quiet_NaN();
    draw(frame, rectangle(0, 0, nan, 4), 0xFFFFFFFFu);
    EXPECT_EQ(frame.pixels, before);
    // Corners a world away are held to a range the arithmetic can take; what stays of the quad
    // is drawn inside the frame.
    draw(frame, Corners{{0, 1e30f, 3, -1e30f}, {0, 1, 4, 2}}, 0xFFFFFFFFu);
    EXPECT_EQ(at(frame, 2, 1), 0xFFFFFFFFu);
}

TEST(SoftRaster, TextureCoordinatesPickTexelsTurnWithTheCornersAndClampAtTheEdge) {
    // 2 x 2 texels: red, green / blue, white; tinted by the vertex colour.
    const std::uint32_t texels[4] = {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0xFFFFFFFFu};
    const RasterTexture texture{texels, 2, 2};
    FrameBuffer frame = blackFrame(8, 8);
    draw(frame, rectangle(0, 0, 4, 4), 0xFFFFFFFFu, RasterBlend::alpha, &texture);
    EXPECT_EQ(at(frame, 0, 0), texels[0]);
    EXPECT_EQ(at(frame, 3, 0), texels[1]);
    EXPECT_EQ(at(frame, 1, 3), texels[2]);
    EXPECT_EQ(at(frame, 2, 2), texels[3]);
    // A quarter turn: the corners move on, the texture turns with them.
    draw(frame, Corners{{8, 8, 4, 4}, {0, 4, 4, 0}}, 0xFF808080u, RasterBlend::alpha, &texture);
    EXPECT_EQ(at(frame, 7, 0), 0xFF800000u); // corner 0, red, tinted grey
    EXPECT_EQ(at(frame, 7, 3), 0xFF008000u); // corner 1, green
    EXPECT_EQ(at(frame, 4, 0), 0xFF000080u); // corner 3, blue
    // Coordinates past 1 repeat the edge texel; the same through the slanted path.
    RasterVertex past[4];
    const Corners c = rectangle(0, 4, 8, 8);
    const float us[4] = {0, 2, 2, 0}, vs[4] = {0, 0, 2, 2};
    for (int i = 0; i < 4; ++i) {
        past[i] = RasterVertex{c.x[i], c.y[i], 0xFFFFFFFFu, us[i], vs[i]};
    }
    rasteriseQuad(frame, past, &texture, RasterBlend::alpha);
    EXPECT_EQ(at(frame, 7, 7), texels[3]);
    EXPECT_EQ(at(frame, 0, 4), texels[0]);
    EXPECT_EQ(at(frame, 7, 4), texels[1]);
    past[2].x += 1.0f / 256;
    clearFrameBuffer(frame, black);
    rasteriseQuad(frame, past, &texture, RasterBlend::alpha);
    EXPECT_EQ(at(frame, 7, 7), texels[3]);
    EXPECT_EQ(at(frame, 0, 7), texels[2]);
}

TEST(SoftRaster, LinesIncludeBothEndsAndAreClipped) {
    FrameBuffer frame = blackFrame(8, 4);
    rasteriseLine(frame, 1.2f, 1.5f, 4.9f, 1.5f, 0xFFFFFFFFu);
    rasteriseLine(frame, -100, 3.5f, 100, 3.5f, 0x80FF0000u);
    rasteriseLine(frame, 0, 0, 1e30f, 1e30f, 0xFFFFFFFFu);
    EXPECT_EQ(coverage(frame), "#.......\n"
                               ".####...\n"
                               "..#.....\n"
                               "########\n");
    EXPECT_EQ(at(frame, 5, 3), 0xFF800000u);
}

} // namespace
