#include "draw/sprite.h"

#include "support/headless_fixture.h"

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

using SpriteTest = HeadlessTest;

TEST_F(SpriteTest, TextureZeroUsesUnitTextureSizeSoCoordinatesArePixels) {
    Sprite sprite(0, 4, 8, 16, 32);
    const SpriteQuad& q = sprite.quad();
    EXPECT_FLOAT_EQ(q.vertex[0].tx, 4);
    EXPECT_FLOAT_EQ(q.vertex[0].ty, 8);
    EXPECT_FLOAT_EQ(q.vertex[2].tx, 20);
    EXPECT_FLOAT_EQ(q.vertex[2].ty, 40);
    EXPECT_EQ(q.blend, blendAlpha);
    EXPECT_EQ(q.vertex[3].colour, 0xFFFFFFFFu);
    EXPECT_FLOAT_EQ(q.vertex[1].z, 0.5f);
}

TEST_F(SpriteTest, RenderWithZeroVerticalScaleUsesHorizontalScaleAboutHotSpot) {
    Sprite sprite(0, 0, 0, 10, 20);
    sprite.setHotSpot(5, 10);
    sprite.render(100, 200, 0, 2, 0);
    ASSERT_EQ(headless().quads().size(), 1u);
    const SpriteQuad& q = headless().quads()[0];
    EXPECT_FLOAT_EQ(q.vertex[0].x, 90);
    EXPECT_FLOAT_EQ(q.vertex[0].y, 180);
    EXPECT_FLOAT_EQ(q.vertex[2].x, 110);
    EXPECT_FLOAT_EQ(q.vertex[2].y, 220);
}

TEST_F(SpriteTest, QuarterTurnRotatesCornersClockwiseAboutHotSpot) {
    Sprite sprite(0, 0, 0, 10, 10);
    sprite.setHotSpot(5, 5);
    sprite.render(0, 0, 1.5707963f, 1, 1);
    const SpriteQuad& q = headless().quads().back();
    // Top-left (-5, -5) turns to (5, -5) on a y-down screen.
    EXPECT_NEAR(q.vertex[0].x, 5, 1e-4);
    EXPECT_NEAR(q.vertex[0].y, -5, 1e-4);
}

TEST_F(SpriteTest, SetColourOnOneCornerLeavesTheOthers) {
    Sprite sprite(0, 0, 0, 4, 4);
    sprite.setColour(0xFF102030, 2);
    EXPECT_EQ(sprite.colour(2), 0xFF102030u);
    EXPECT_EQ(sprite.colour(0), 0xFFFFFFFFu);
    EXPECT_EQ(sprite.colour(1), 0xFFFFFFFFu);
    EXPECT_EQ(sprite.colour(3), 0xFFFFFFFFu);
}

TEST_F(SpriteTest, EachSpriteHoldsOneEngineReference) {
    const int before = headless().references;
    {
        Sprite a(0, 0, 0, 1, 1);
        Sprite b(0, 0, 0, 1, 1);
        EXPECT_EQ(headless().references, before + 2);
    }
    EXPECT_EQ(headless().references, before);
}

TEST(EngineCreation, AnyOtherVersionYieldsNone) {
    EXPECT_EQ(createEngine(0x150), nullptr);
    EXPECT_EQ(createEngine(0x161), nullptr);
}

} // namespace

namespace {

// A 352 x 44 PNG served from a temporary program directory.
class SpriteSheetTest : public HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        directory = std::filesystem::temp_directory_path() /
                    ("quorvane-sprite-" + std::to_string(::getpid()));
        std::filesystem::create_directories(directory / "graphics");
        // Signature, then an IHDR chunk: width 352, height 44, 8-bit RGBA.
        const unsigned char png[] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0,    0,    0,
                                     13,   'I', 'H', 'D', 'R',  0,    0,    1,    0x60, 0,    0,
                                     0,    44,  8,   6,   0,    0,    0,    0x3C, 0x5B, 0x8F, 0x2E};
        std::ofstream(directory / "graphics" / "items.png", std::ios::binary)
            .write(reinterpret_cast<const char*>(png), sizeof png);
        headless().setProgramDirectory(directory.string());
    }
    void TearDown() override {
        std::filesystem::remove_all(directory);
        HeadlessTest::TearDown();
    }
    std::filesystem::path directory;
};

TEST_F(SpriteSheetTest, RegionOfASheetGivesCoordinatesAsFractionsOfTheTexture) {
    const TextureHandle texture = engine->loadTexture("graphics\\items.png", 0, false);
    ASSERT_NE(texture, 0u);
    Sprite sprite(texture, 0, 0, 44, 44);
    EXPECT_FLOAT_EQ(sprite.quad().vertex[1].tx, 0.125f);
    sprite.setTextureRegion(44, 0, 44, 44);
    const SpriteQuad& q = sprite.quad();
    EXPECT_FLOAT_EQ(q.vertex[0].tx, 0.125f);
    EXPECT_FLOAT_EQ(q.vertex[0].ty, 0.0f);
    EXPECT_FLOAT_EQ(q.vertex[2].tx, 0.25f);
    EXPECT_FLOAT_EQ(q.vertex[2].ty, 1.0f);
    EXPECT_EQ(q.texture, texture);
}

TEST_F(SpriteSheetTest, AMissingTextureLeavesTheSpriteWithUnitTextureSize) {
    EXPECT_EQ(engine->loadTexture("graphics\\absent.png", 0, false), 0u);
    EXPECT_FALSE(headless().logLines().empty());
    Sprite sprite(77, 2, 3, 4, 5); // a handle the engine does not know reports size 0
    EXPECT_FLOAT_EQ(sprite.quad().vertex[0].tx, 2.0f);
    EXPECT_FLOAT_EQ(sprite.quad().vertex[2].ty, 8.0f);
}

} // namespace
