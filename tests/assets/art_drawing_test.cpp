// The drawing primitives and the pictures' readability rules: shapes, kinds, ends, loops, tiling.

#include <gtest/gtest.h>

#include <cmath>

#include "amoeba.h"
#include "contact_sheet.h"
#include "lights.h"
#include "paint.h"
#include "pieces.h"
#include "screens.h"

namespace {

float alphaSum(const Image& image) {
    float sum = 0;
    for (const Rgba& p : image.pixels) {
        sum += p.a;
    }
    return sum;
}

float difference(const Image& a, int ax, const Image& b, int bx, int width, int height) {
    float sum = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const Rgba& p = a.at(ax + x, y);
            const Rgba& q = b.at(bx + x, y);
            sum += std::abs(p.r - q.r) + std::abs(p.g - q.g) + std::abs(p.b - q.b) +
                   std::abs(p.a - q.a);
        }
    }
    return sum;
}

TEST(ArtDrawingTest, FilledCircleCoversItsAreaWithSmoothEdges) {
    Image image(40, 40);
    fillFlat(
        image, [](float x, float y) { return circleDistance(x, y, 20, 20, 12.5f); }, rgb(0xFFFFFF));
    EXPECT_NEAR(alphaSum(image), pi * 12.5f * 12.5f, 2.0f);
    EXPECT_FLOAT_EQ(image.at(20, 20).a, 1.0f);
    EXPECT_FLOAT_EQ(image.at(1, 1).a, 0.0f);
    // An edge pixel is partly covered, not stair-stepped to 0 or 1.
    const float edge = image.at(32, 20).a;
    EXPECT_GT(edge, 0.05f);
    EXPECT_LT(edge, 0.95f);
}

TEST(ArtDrawingTest, DesignUnitsScaleTheDrawing) {
    Image small = designImage(20, 20, 1.0f), large = designImage(20, 20, 2.0f);
    auto disc = [](float x, float y) { return circleDistance(x, y, 10, 10, 6); };
    fillFlat(small, disc, rgb(0xFFFFFF));
    fillFlat(large, disc, rgb(0xFFFFFF));
    EXPECT_EQ(large.width, 40);
    EXPECT_NEAR(alphaSum(large), 4 * alphaSum(small), 3.0f);
}

TEST(ArtDrawingTest, BlendOverKeepsStraightAlpha) {
    Rgba dst{0, 0, 1, 1};
    blendOver(dst, {1, 0, 0, 0.5f});
    EXPECT_FLOAT_EQ(dst.a, 1.0f);
    EXPECT_FLOAT_EQ(dst.r, 0.5f);
    EXPECT_FLOAT_EQ(dst.b, 0.5f);
    Rgba clear;
    blendOver(clear, {1, 1, 1, 0.25f});
    EXPECT_FLOAT_EQ(clear.r, 1.0f); // colour is not darkened by the clear ground
    EXPECT_FLOAT_EQ(clear.a, 0.25f);
}

TEST(ArtDrawingTest, QuarterTurnIsClockwise) {
    Image image(2, 1);
    image.at(0, 0) = rgb(0xFF0000);
    image.at(1, 0) = rgb(0x00FF00);
    const Image turned = rotateQuarter(image, 1);
    ASSERT_EQ(turned.width, 1);
    ASSERT_EQ(turned.height, 2);
    EXPECT_FLOAT_EQ(turned.at(0, 0).r, 1.0f); // left end goes to the top
    EXPECT_FLOAT_EQ(turned.at(0, 1).g, 1.0f);
    EXPECT_EQ(difference(rotateQuarter(image, 4), 0, image, 0, 2, 1), 0.0f);
}

// The share of the cell's corner region (outside radius 18.5, inside the box's outline) that
// the picture's solid body covers.
float cornerCoverage(const Image& image) {
    float covered = 0, total = 0;
    for (int y = 0; y < 44; ++y) {
        for (int x = 0; x < 44; ++x) {
            const float dx = x + 0.5f - 22, dy = y + 0.5f - 22;
            if (std::hypot(dx, dy) > 18.5f && std::abs(dx) < 14.5f && std::abs(dy) < 14.5f) {
                covered += image.at(x, y).a > 0.9f ? 1.0f : 0.0f;
                total += 1;
            }
        }
    }
    return covered / total;
}

TEST(ArtDrawingTest, KindsDifferInShapeNotOnlyColour) {
    const Image ball = drawItem(Kind::ball), box = drawItem(Kind::box),
                spike = drawItem(Kind::spike);
    // A square fills the corners that a round ball leaves empty.
    EXPECT_GT(cornerCoverage(box), 0.8f);
    EXPECT_LT(cornerCoverage(ball), 0.1f);
    // A star leaves gaps between its points at mid radius; a ball does not.
    auto ringCoverage = [](const Image& image) {
        float sum = 0;
        for (int i = 0; i < 64; ++i) {
            const float a = 2 * pi * i / 64;
            sum += image
                       .at(static_cast<int>(22 + 14 * std::cos(a)),
                           static_cast<int>(22 + 14 * std::sin(a)))
                       .a;
        }
        return sum / 64;
    };
    EXPECT_GT(ringCoverage(ball), 0.95f);
    EXPECT_LT(ringCoverage(spike), 0.8f);
}

TEST(ArtDrawingTest, PiecesAreCentredOnTheCell) {
    for (Kind kind : {Kind::ball, Kind::box, Kind::spike}) {
        const Image item = drawItem(kind);
        float sx = 0, sy = 0, total = 0;
        for (int y = 0; y < 44; ++y) {
            for (int x = 0; x < 44; ++x) {
                const float a = item.at(x, y).a > 0.9f ? 1.0f : 0.0f; // the body, not its shadow
                sx += a * (x + 0.5f);
                sy += a * (y + 0.5f);
                total += a;
            }
        }
        EXPECT_NEAR(sx / total, 22.0f, 1.0f);
        EXPECT_NEAR(sy / total, 22.0f, 1.5f);
    }
}

TEST(ArtDrawingTest, EndsLeaveTheCoveringPieceVisible) {
    for (Kind kind : {Kind::ball, Kind::box, Kind::spike}) {
        const Image end = drawEnd(kind);
        float centre = 0;
        for (int y = 14; y < 30; ++y) {
            for (int x = 14; x < 30; ++x) {
                centre += end.at(x, y).a;
            }
        }
        EXPECT_LT(centre / 256.0f, 0.25f) << "the end hides the piece drawn under it";
        // Its outline is solid and in the kind's colour.
        const Rgba colour = kindColour(kind);
        float best = 9;
        for (const Rgba& p : end.pixels) {
            if (p.a > 0.95f) {
                best = std::min(best, std::abs(p.r - colour.r) + std::abs(p.g - colour.g) +
                                          std::abs(p.b - colour.b));
            }
        }
        EXPECT_LT(best, 0.25f);
    }
}

TEST(ArtDrawingTest, AmoebaSheetsLoopSmoothly) {
    const Image sheet = drawAmoebaSheet(Kind::box);
    ASSERT_EQ(sheet.width, 352);
    float largest = 0, smallest = 1e9f;
    for (int f = 0; f < 8; ++f) {
        const float step = difference(sheet, f * 44, sheet, ((f + 1) % 8) * 44, 44, 44);
        largest = std::max(largest, step);
        smallest = std::min(smallest, step);
    }
    EXPECT_GT(smallest, 1.0f) << "a frame repeats: the amoeba stands still";
    EXPECT_LT(largest, 2.5f * smallest) << "one step (maybe 7 → 0) jumps";
}

TEST(ArtDrawingTest, BigAmoebaStaysInsideItsFrames) {
    const Image sheet = drawBigAmoebaSheet();
    ASSERT_EQ(sheet.width, 1056);
    ASSERT_EQ(sheet.height, 132);
    for (int f = 0; f < 8; ++f) {
        for (int y = 0; y < 132; ++y) {
            EXPECT_LT(sheet.at(f * 132, y).a, 0.05f);
            EXPECT_LT(sheet.at(f * 132 + 131, y).a, 0.05f);
        }
    }
}

TEST(ArtDrawingTest, AdditiveSpritesAreBlackWhereTheyAddNoLight) {
    for (const Image& image : {drawGlow(), drawFlare()}) {
        for (int i = 0; i < 32; ++i) {
            EXPECT_LT(image.at(i, 0).r + image.at(0, i).r + image.at(i, 31).r, 0.05f);
        }
        EXPECT_GT(image.at(16, 16).r, 0.9f);
    }
}

TEST(ArtDrawingTest, GrassTilesWithoutASeam) {
    const Image grass = drawGrass();
    ASSERT_EQ(grass.width, 500);
    // Across the wrap (last column → first) the change is like that between neighbours.
    auto columns = [&](int a, int b) {
        float sum = 0;
        for (int y = 0; y < 500; ++y) {
            sum += std::abs(grass.at(a, y).g - grass.at(b, y).g);
        }
        return sum;
    };
    auto rows = [&](int a, int b) {
        float sum = 0;
        for (int x = 0; x < 500; ++x) {
            sum += std::abs(grass.at(x, a).g - grass.at(x, b).g);
        }
        return sum;
    };
    EXPECT_LT(columns(499, 0), 1.6f * columns(250, 251));
    EXPECT_LT(rows(499, 0), 1.6f * rows(250, 251));
}

TEST(ArtDrawingTest, BackdropDimsMoreAtTheEdges) {
    const Image back = drawBackdrop();
    EXPECT_GT(back.at(462, 462).a, 0.4f);
    EXPECT_GT(back.at(0, 0).a, back.at(462, 462).a + 0.2f);
    EXPECT_LT(back.at(462, 462).r + back.at(462, 462).g + back.at(462, 462).b, 0.15f);
}

} // namespace
