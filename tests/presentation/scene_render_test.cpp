// Drawing a layer through the headless engine: frames, culling, colours; and vertex lighting.

#include "presentation/scene_fixture.h"

namespace {

using SceneRenderTest = SceneTest;

TEST_F(SceneRenderTest, FrameStepClampsColumnAndRowAndReadsFromTheSheetCorner) {
    // Texture 0 has a 1 x 1 texture size, so texture coordinates are pixels.
    SpriteDefinition* amoeba =
        defineSprite(*layer, "hallitemamoebabox", 0, 10, 10, 44, 44, 352, 88, 0);
    amoeba->sprite->setHotSpot(22, 22);
    SceneObject* o = place("hallitem", amoeba, 22, 22);
    const int columns[] = {9, -1, 3};
    const int rows[] = {5, -2, 1};
    const float expectedX[] = {308, 0, 132};
    const float expectedY[] = {44, 0, 44};
    for (int i = 0; i < 3; ++i) {
        selectFrame(o, rows[i], columns[i]);
        renderLayer(*layer);
        const SpriteQuad& q = headless().quads().back();
        EXPECT_FLOAT_EQ(q.vertex[0].tx, expectedX[i]) << i;
        EXPECT_FLOAT_EQ(q.vertex[0].ty, expectedY[i]) << i;
        EXPECT_FLOAT_EQ(q.vertex[2].tx, expectedX[i] + 44) << i;
    }
    // A frame of no size shows its single frame rather than dividing by zero.
    SpriteDefinition* empty = defineSprite(*layer, "empty", 0, 0, 0, 0, 0, 0, 0, 0);
    selectFrame(place("empty", empty, 0, 100), 3, 3);
    renderLayer(*layer);
    EXPECT_FLOAT_EQ(headless().quads().back().vertex[0].tx, 0);
    EXPECT_FLOAT_EQ(headless().quads().back().vertex[0].ty, 0);
}

TEST_F(SceneRenderTest, CullingKeepsObjectsWhoseScaledBoxMeetsTheBounds) {
    SpriteDefinition* d = cell("hallfloor");
    place("a", d, 112, 1000);              // box 90..134 on x
    place("b", d, 142, 1000);              // box 120..164
    place("c", d, 150, 1000)->scale = 2.5; // box 95..205
    SceneObject* hidden = place("d", d, 50, 1000);
    hidden->visible = false;
    place("e", nullptr, 50, 1000);

    renderLayer(*layer, 0, 0, 100, 0); // y is not culled: its min is not below its max
    ASSERT_EQ(headless().quads().size(), 2u);
    EXPECT_FLOAT_EQ(headless().quads()[0].vertex[0].x, 90);
    EXPECT_FLOAT_EQ(headless().quads()[1].vertex[0].x, 95);
    EXPECT_FLOAT_EQ(headless().quads()[1].vertex[2].x, 205); // drawn at the object's scale

    headless().clearRecordings();
    renderLayer(*layer);
    EXPECT_EQ(headless().quads().size(), 3u);

    headless().clearRecordings();
    renderLayer(*layer, 0, 0, 1000, 100);
    EXPECT_EQ(headless().quads().size(), 0u);
}

TEST_F(SceneRenderTest, UncolouredObjectsShowWhatTheLastColouredObjectLeftOnTheSprite) {
    SpriteDefinition* d = cell("hallfloor");
    SceneObject* tinted = place("a", d, 0, 0);
    SceneObject* cornered = place("b", d, 0, 1);
    SceneObject* plain = place("c", d, 0, 2);
    tinted->useColour = true;
    tinted->colour = 0xFF112233;
    cornered->perCornerColours = true; // without use colour this does nothing
    cornered->cornerColours[2] = 0xFF445566;

    renderLayer(*layer);
    const auto& quads = headless().quads();
    ASSERT_EQ(quads.size(), 3u);
    for (const SpriteQuad& q : quads) {
        for (const Vertex& v : q.vertex) {
            EXPECT_EQ(v.colour, 0xFF112233u);
        }
    }

    cornered->useColour = true;
    headless().clearRecordings();
    renderLayer(*layer);
    EXPECT_EQ(quads[1].vertex[2].colour, 0xFF445566u);
    EXPECT_EQ(quads[1].vertex[0].colour, 0xFFFFFFFFu);
    EXPECT_EQ(quads[2].vertex[2].colour, 0xFF445566u);
    EXPECT_EQ(quads[2].vertex[1].colour, 0xFFFFFFFFu);
    EXPECT_EQ(plain->useColour, false);
}

class SceneLightTest : public SceneTest {
  protected:
    void SetUp() override {
        SceneTest::SetUp();
        target = place("hallfloor", cell("hallfloor"), 100, 100); // corners at 78 and 122
    }

    SceneObject* light(float x, float y, float radius, std::uint32_t colour) {
        SceneObject* o = place("halllightlightfire", cell("halllightlightfire"), x, y);
        o->lightRadius = radius;
        o->lightColour = colour;
        return o;
    }

    SceneObject* target = nullptr;
};

TEST_F(SceneLightTest, LightFadesLinearlyToItsRadiusAtEachCorner) {
    light(78, 78, 88, 0xFFFFFFFF);
    applyLights(*layer, "hall", "halllight", 0, 0, 0, 0);
    EXPECT_TRUE(target->useColour);
    EXPECT_TRUE(target->perCornerColours);
    EXPECT_EQ(target->cornerColours[0], 0xFFFFFFFFu); // on the light
    EXPECT_EQ(target->cornerColours[1], 0xFF7F7F7Fu); // 44 of 88 away: half, 127.5 truncated
    EXPECT_EQ(target->cornerColours[2], 0xFF4A4A4Au); // 62.2 away: 0.293
    EXPECT_EQ(target->cornerColours[3], 0xFF7F7F7Fu);
}

TEST_F(SceneLightTest, SmallLightBeyondTheCornerReachesOnlyThatCorner) {
    light(68, 68, 15, 0xFFFFFFFF); // 14.1 from the top-left corner, 45.3 from the centre
    applyLights(*layer, "hallfloor", "halllight", 0, 0, 0, 0);
    EXPECT_EQ(target->cornerColours[0], 0xFF0E0E0Eu);
    EXPECT_EQ(target->cornerColours[1], 0xFF000000u);
    EXPECT_EQ(target->cornerColours[2], 0xFF000000u);
}

TEST_F(SceneLightTest, ChannelsAddUpToFullAndScaleTheObjectsColour) {
    target->colour = 0x80FF8040;
    light(100, 100, 1000, 0xFFFF0000);
    light(100, 100, 1000, 0xFFFF0000);
    light(200, 100, 1, 0xFFFFFFFF); // too far to reach
    SceneObject* dark = light(100, 100, 0, 0xFFFFFFFF);
    applyLights(*layer, "hallfloor", "halllight", 0, 0, 0, 0);
    for (std::uint32_t corner : target->cornerColours) {
        EXPECT_EQ(corner & 0xFFFF0000u, 0x80FF0000u); // red capped at full, alpha kept
        EXPECT_EQ(corner & 0x0000FF00u, 0u);
        EXPECT_EQ(corner & 0x000000FFu, 0u);
    }
    EXPECT_FALSE(dark->useColour); // not a target: outside "hallfloor"

    // The extra light of the call: 31.1 of 1000 away, 0x80 green becomes 0x7C.
    applyLights(*layer, "hallfloor", "nolight", 1000, 100, 100, 0xFF00FF00);
    EXPECT_EQ(target->cornerColours[0], 0x80007C00u);
}

TEST_F(SceneLightTest, UnlitTargetsTurnBlackAndTurnedTargetsLightTheirTurnedCorners) {
    target->colour = 0x40FFFFFF;
    applyLights(*layer, "hall", "halllight", 0, 0, 0, 0);
    for (std::uint32_t corner : target->cornerColours) {
        EXPECT_EQ(corner, 0x40000000u);
    }

    target->colour = 0xFFFFFFFF;
    target->rotation = 1.5707964f; // top-left corner turns to the top right
    light(122, 78, 10, 0xFFFFFFFF);
    applyLights(*layer, "hallfloor", "halllight", 0, 0, 0, 0);
    EXPECT_GT(target->cornerColours[0], 0xFFF0F0F0u);
    EXPECT_EQ(target->cornerColours[1], 0xFF000000u);
    EXPECT_EQ(target->cornerColours[3], 0xFF000000u);
}

} // namespace
