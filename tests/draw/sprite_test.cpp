#include "draw/sprite.h"

#include "support/headless_fixture.h"

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
