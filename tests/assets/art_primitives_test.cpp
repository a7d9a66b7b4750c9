// Shapes, noise, PNG files and font sheets: the pieces every picture is built from.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <unistd.h>

#include "assets/png_reader.h"
#include "font_sheet.h"
#include "noise.h"
#include "png_file.h"
#include "shapes.h"
#include "type_face.h"

namespace {

TEST(ArtPrimitivesTest, PolygonDistanceIsSignedAndExact) {
    const std::vector<Vec2> square{{0, 0}, {10, 0}, {10, 10}, {0, 10}};
    EXPECT_FLOAT_EQ(polygonDistance(5, 5, square), -5.0f);
    EXPECT_FLOAT_EQ(polygonDistance(13, 5, square), 3.0f);
    EXPECT_FLOAT_EQ(polygonDistance(13, 14, square), 5.0f); // to the corner
    EXPECT_FLOAT_EQ(roundRectDistance(5, 5, 5, 5, 5, 5, 0), -5.0f);
    EXPECT_NEAR(roundRectDistance(12, 12, 5, 5, 5, 5, 2), std::hypot(4.0f, 4.0f) - 2.0f, 1e-5f);
    EXPECT_EQ(starPoints(0, 0, 8, 10, 5, 0).size(), 16u);
}

TEST(ArtPrimitivesTest, NoiseIsRepeatableInRangeAndTilesWithItsPeriod) {
    EXPECT_EQ(hashNoise(3, 4, 9), hashNoise(3, 4, 9));
    EXPECT_NE(hashNoise(3, 4, 9), hashNoise(4, 3, 9));
    for (int i = 0; i < 200; ++i) {
        const float v = fractalNoise(i * 1.7f, i * 2.3f, 8.0f, 4, 1);
        EXPECT_GE(v, 0.0f);
        EXPECT_LE(v, 1.0f);
    }
    // A period of 20 cells of 25 pixels repeats every 500 pixels, at every octave.
    for (float x : {0.0f, 13.5f, 247.25f}) {
        EXPECT_NEAR(fractalNoise(x, 31.0f, 25.0f, 4, 17, 20),
                    fractalNoise(x + 500.0f, 31.0f, 25.0f, 4, 17, 20), 1e-5f);
        EXPECT_NEAR(fractalNoise(x, 31.0f, 25.0f, 4, 17, 20),
                    fractalNoise(x, 531.0f, 25.0f, 4, 17, 20), 1e-5f);
    }
}

TEST(ArtPrimitivesTest, PngRoundTripsAndClearPixelsStoreBlack) {
    Image image(3, 2);
    image.at(0, 0) = rgb(0xFF8000);
    image.at(1, 0) = rgb(0x123456, 0.5f);
    image.at(2, 1) = {0.7f, 0.7f, 0.7f, 0.0f}; // clear, with a stray colour
    const std::string file = (std::filesystem::temp_directory_path() /
                              ("quorvane-png-" + std::to_string(getpid()) + ".png"))
                                 .string();
    ASSERT_TRUE(writePng(file, image));
    const DecodedPng png = readPng(file);
    std::filesystem::remove(file);
    ASSERT_TRUE(png.valid);
    EXPECT_EQ(png.width, 3);
    EXPECT_EQ(png.height, 2);
    EXPECT_EQ(png.rgba, toRgba8(image));
    EXPECT_EQ(png.rgba[0], 255);
    EXPECT_EQ(png.rgba[1], 128);
    EXPECT_EQ(png.rgba[7], 128); // alpha 0.5
    const std::size_t clear = (1 * 3 + 2) * 4;
    EXPECT_EQ(png.rgba[clear] + png.rgba[clear + 1] + png.rgba[clear + 2] + png.rgba[clear + 3], 0);
    EXPECT_FALSE(writePng("/proc/no-such-folder/x.png", image));
}

TEST(ArtPrimitivesTest, MissingTypeFaceIsReportedNotRendered) {
    const TypeFace face("/no/such/font.ttf", 20);
    EXPECT_FALSE(face.loaded());
    EXPECT_EQ(face.textWidth("abc"), 0);
    EXPECT_EQ(face.glyph('a').width, 0);
}

TEST(ArtPrimitivesTest, FontSheetCellsAdvanceLikeTheFaceAndDoNotOverlap) {
    const TypeFace face(fontFolder() + "DejaVuSans.ttf", 14);
    ASSERT_TRUE(face.loaded());
    const FontSheet font = buildFontSheet(face, "test.png", 256);
    EXPECT_EQ(font.description.rfind("[HGEFONT]\nBitmap = test.png\n", 0), 0u);
    struct Box {
        int x, y, w, h;
    };
    std::vector<Box> boxes;
    std::istringstream lines(font.description);
    std::string line;
    int count = 0;
    while (std::getline(lines, line)) {
        unsigned code = 0;
        int x, y, w, h, pre, post;
        if (std::sscanf(line.c_str(), "Char = %x, %d, %d, %d, %d, %d, %d", &code, &x, &y, &w, &h,
                        &pre, &post) != 7) {
            continue;
        }
        ++count;
        EXPECT_TRUE(isPrintableLatin1(code)) << code;
        EXPECT_EQ(pre + w + post, face.glyph(code).advance) << "code " << code;
        EXPECT_EQ(h, face.ascender() + face.descender() + 1);
        EXPECT_LE(x + w, font.sheet.width);
        EXPECT_LE(y + h, font.sheet.height);
        for (const Box& b : boxes) {
            const bool apart = x >= b.x + b.w || b.x >= x + w || y >= b.y + b.h || b.y >= y + h;
            EXPECT_TRUE(apart) << "code " << code << " overlaps another cell";
        }
        boxes.push_back({x, y, w, h});
    }
    EXPECT_EQ(count, 95 + 96);
    // Sheets are power-of-two sized, as small textures should be.
    EXPECT_EQ(font.sheet.height & (font.sheet.height - 1), 0);
}

// White letters keep a dark rim, so they read on pale stone; the rim never covers the letter.
TEST(ArtPrimitivesTest, FontHaloRingsLettersInDark) {
    const TypeFace face(fontFolder() + "DejaVuSans-Bold.ttf", 24);
    ASSERT_TRUE(face.loaded());
    const FontSheet plain = buildFontSheet(face, "a.png", 512);
    const FontSheet haloed = buildFontSheet(face, "a.png", 512, 2);
    int white = 0, dark = 0, rimmed = 0;
    for (const Rgba& p : haloed.sheet.pixels) {
        white += p.a > 0.9f && p.r > 0.9f ? 1 : 0;
        dark += p.a > 0.5f && p.r < 0.2f ? 1 : 0;
    }
    for (const Rgba& p : plain.sheet.pixels) {
        rimmed += p.a > 0.5f && p.r < 0.2f ? 1 : 0;
    }
    EXPECT_GT(white, 1000);
    // Around every letter: a dark rim, far more of it than the plain shadow gives.
    EXPECT_GT(dark, white / 2);
    EXPECT_GT(dark, 3 * rimmed);
}

} // namespace
