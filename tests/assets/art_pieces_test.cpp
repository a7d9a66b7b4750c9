// What each picture must show in the hall: solid walls and floors, clear lights, pointing arrows,
// distinct teleports, gates that read the same in either direction.

#include <gtest/gtest.h>

#include <cmath>

#include "building.h"
#include "contact_sheet.h"
#include "floors.h"
#include "lights.h"
#include "pieces.h"
#include "screens.h"
#include "specials.h"

namespace {

float meanAlpha(const Image& image) {
    float sum = 0;
    for (const Rgba& p : image.pixels) {
        sum += p.a;
    }
    return sum / static_cast<float>(image.pixels.size());
}

float minAlpha(const Image& image, int x0, int y0, int x1, int y1) {
    float least = 1;
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            least = std::min(least, image.at(x, y).a);
        }
    }
    return least;
}

// Mean absolute difference per pixel and channel.
float meanDifference(const Image& a, const Image& b) {
    float sum = 0;
    for (std::size_t i = 0; i < a.pixels.size(); ++i) {
        const Rgba& p = a.pixels[i];
        const Rgba& q = b.pixels[i];
        sum += std::abs(p.r * p.a - q.r * q.a) + std::abs(p.g * p.a - q.g * q.a) +
               std::abs(p.b * p.a - q.b * q.a) + std::abs(p.a - q.a);
    }
    return sum / static_cast<float>(a.pixels.size() * 4);
}

TEST(ArtPiecesTest, WallsAndFloorsCoverTheirWholeCell) {
    for (const Image& wall :
         {drawWallRun(), drawWallRunCross(), drawWallJunction(), drawWallCorner()}) {
        EXPECT_GT(minAlpha(wall, 0, 0, 44, 44), 0.99f) << "a hole in a wall shows the grass";
    }
    for (int v = 0; v <= 4; ++v) {
        EXPECT_GT(minAlpha(drawPlankFloor(v), 0, 0, 44, 44), 0.99f) << v;
        EXPECT_GT(minAlpha(drawPatternFloor(v), 0, 0, 44, 44), 0.99f) << v;
    }
    for (int v = 0; v <= 3; ++v) {
        EXPECT_GT(minAlpha(drawStoneFloor(v), 0, 0, 44, 44), 0.99f) << v;
    }
}

TEST(ArtPiecesTest, PillarStandsOnTheFloorWithClearCorners) {
    const Image pillar = drawWallPillar();
    EXPECT_GT(minAlpha(pillar, 16, 16, 28, 28), 0.99f);
    EXPECT_LT(pillar.at(0, 0).a, 0.2f);
    EXPECT_LT(pillar.at(43, 0).a, 0.2f);
}

TEST(ArtPiecesTest, WindowIsWallGlassWall) {
    const Image window = drawWindow();
    ASSERT_EQ(window.width, 44);
    ASSERT_EQ(window.height, 132);
    EXPECT_GT(minAlpha(window, 0, 0, 44, 132), 0.99f);
    // The glass (bluish) lies in the middle cell, towards the outside on the left.
    const Rgba glass = window.at(12, 60);
    EXPECT_GT(glass.b, glass.r + 0.1f);
    const Rgba stone = window.at(12, 20);
    EXPECT_LT(std::abs(stone.b - stone.r), 0.1f);
    const Rgba sill = window.at(36, 66);
    EXPECT_LT(std::abs(sill.b - sill.r), 0.15f) << "the inner side is stone, not glass";
}

TEST(ArtPiecesTest, LightsAreSmallAndMostlyClear) {
    for (const Image& light : {drawTorch(), drawDayLight()}) {
        EXPECT_LT(meanAlpha(light), 0.35f);
        EXPECT_LT(light.at(0, 0).a, 0.05f);
        EXPECT_LT(light.at(43, 43).a, 0.05f);
    }
    // The torch's flame is bright and warm at its centre.
    const Rgba flame = drawTorch().at(22, 22);
    EXPECT_GT(flame.r, 0.95f);
    EXPECT_GT(flame.r, flame.b + 0.2f);
}

TEST(ArtPiecesTest, ArrowPointsRight) {
    const Image arrow = drawArrow();
    auto columnHeight = [&](int x) {
        int covered = 0;
        for (int y = 0; y < 44; ++y) {
            covered += arrow.at(x, y).a > 0.9f ? 1 : 0;
        }
        return covered;
    };
    EXPECT_GT(columnHeight(25), columnHeight(12) + 6) << "the head is on the right";
    EXPECT_GT(columnHeight(34), 0);
    EXPECT_EQ(columnHeight(3), 0);
    EXPECT_EQ(columnHeight(41), 0);
}

TEST(ArtPiecesTest, TeleportPairsDifferClearly) {
    const Image a = drawTeleport(0), b = drawTeleport(1), c = drawTeleport(2);
    EXPECT_GT(meanDifference(a, b), 0.05f);
    EXPECT_GT(meanDifference(b, c), 0.05f);
    EXPECT_GT(meanDifference(a, c), 0.05f);
}

// The picture as seen at a glance: the mean of each 4 × 4 block.
Image glance(const Image& image) {
    Image out(image.width / 4, image.height / 4);
    for (int y = 0; y < out.height; ++y) {
        for (int x = 0; x < out.width; ++x) {
            Rgba sum;
            for (int i = 0; i < 16; ++i) {
                const Rgba& p = image.at(4 * x + i % 4, 4 * y + i / 4);
                sum = {sum.r + p.r * p.a / 16, sum.g + p.g * p.a / 16, sum.b + p.b * p.a / 16,
                       sum.a + p.a / 16};
            }
            out.at(x, y) =
                sum.a > 0 ? Rgba{sum.r / sum.a, sum.g / sum.a, sum.b / sum.a, sum.a} : Rgba{};
        }
    }
    return out;
}

TEST(ArtPiecesTest, GatesReadTheSameTurnedAQuarter) {
    for (Kind kind : {Kind::ball, Kind::box, Kind::spike}) {
        const Image gate = glance(drawGate(kind));
        const float turned = meanDifference(gate, glance(rotateQuarter(drawGate(kind), 1)));
        const Image other = glance(drawGate(kind == Kind::ball ? Kind::box : Kind::ball));
        EXPECT_LT(turned, 0.5f * meanDifference(gate, other));
    }
}

TEST(ArtPiecesTest, KindCellsCarryTheKindColour) {
    for (Kind kind : {Kind::ball, Kind::box, Kind::spike}) {
        const Rgba colour = kindColour(kind);
        for (const Image& image : {drawMutation(kind), drawGate(kind)}) {
            int close = 0;
            for (const Rgba& p : image.pixels) {
                const float d =
                    std::abs(p.r - colour.r) + std::abs(p.g - colour.g) + std::abs(p.b - colour.b);
                close += p.a > 0.5f && d < 0.3f ? 1 : 0;
            }
            EXPECT_GT(close, 20);
        }
    }
}

TEST(ArtPiecesTest, LogoIsCentredOnItsHotSpotWithClearCorners) {
    const Image logo = drawLogo("Quorvane", "quorvane.example");
    ASSERT_EQ(logo.width, 329);
    ASSERT_EQ(logo.height, 258);
    EXPECT_LT(logo.at(0, 0).a + logo.at(328, 0).a + logo.at(0, 257).a + logo.at(328, 257).a, 0.05f);
    // The title's ink is balanced about x = 154, where the game places the logo.
    float sum = 0, weight = 0;
    for (int y = 110; y < 170; ++y) {
        for (int x = 0; x < 329; ++x) {
            const Rgba& p = logo.at(x, y);
            const float ink = p.a > 0.9f && p.r > 0.8f ? 1.0f : 0.0f;
            sum += ink * static_cast<float>(x);
            weight += ink;
        }
    }
    ASSERT_GT(weight, 500.0f);
    EXPECT_NEAR(sum / weight, 154.0f, 12.0f);
}

} // namespace
