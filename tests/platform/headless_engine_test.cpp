// The headless engine: scripted input, recordings and the game's fixed frame.

#include "support/headless_fixture.h"

namespace {

using HeadlessEngineTest = HeadlessTest;

int frames = 0;
bool stopAfterThree() {
    return ++frames >= 3;
}

TEST_F(HeadlessEngineTest, ScriptedInputArrivesOnItsFrameAndLastsOneFrame) {
    headless().addEvent({1, InputEvent::Kind::PointerMove, 30, 40, 0});
    headless().addEvent({1, InputEvent::Kind::KeyDown, 0, 0, keyLeftButton});
    headless().addEvent({1, InputEvent::Kind::Char, 0, 0, 0xE9});
    headless().addEvent({2, InputEvent::Kind::KeyUp, 0, 0, keyLeftButton});
    headless().beginInputFrame();
    EXPECT_EQ(engine->lastKey(), 0);
    headless().runFrames(1);
    headless().beginInputFrame();
    float x = 0, y = 0;
    engine->mousePosition(&x, &y);
    EXPECT_EQ(x, 30);
    EXPECT_EQ(y, 40);
    EXPECT_EQ(engine->lastKey(), keyLeftButton);
    EXPECT_EQ(engine->lastChar(), 0xE9);
    EXPECT_TRUE(engine->keyHeld(keyLeftButton));
    headless().runFrames(1);
    headless().beginInputFrame();
    EXPECT_EQ(engine->lastKey(), 0);
    EXPECT_FALSE(engine->keyHeld(keyLeftButton));
    EXPECT_FLOAT_EQ(engine->frameDelta(), 0.02f);
}

TEST_F(HeadlessEngineTest, LoopEndsWhenTheFrameHandlerSaysSo) {
    frames = 0;
    engine->setHandler(handlerFrame, stopAfterThree);
    ASSERT_TRUE(engine->initialise());
    EXPECT_TRUE(engine->runLoop());
    EXPECT_EQ(frames, 3);
}

TEST_F(HeadlessEngineTest, IconStateTakesAResourceNumberWithoutReadingIt) {
    engine->setText(textIcon, reinterpret_cast<const char*>(1)); // must not be dereferenced
    engine->setText(textTitle, "Quorvane - quorvane.example");
    EXPECT_EQ(headless().text(textTitle), "Quorvane - quorvane.example");
}

TEST_F(HeadlessEngineTest, MissingResourcesGiveNullAndALogLine) {
    std::uint32_t size = 99;
    EXPECT_EQ(engine->loadFile("graphics\\none.fnt", &size), nullptr);
    EXPECT_EQ(size, 99u);
    EXPECT_EQ(engine->loadSound("sound\\none.wav", 0), 0u);
    EXPECT_FALSE(engine->attachPack("none.paq", "x"));
    EXPECT_EQ(headless().logLines().size(), 3u);
}

TEST_F(HeadlessEngineTest, SeededRandomFloatsRepeatAndStayInRange) {
    engine->randomSeed(42);
    std::vector<float> first;
    for (int i = 0; i < 100; ++i) {
        first.push_back(engine->randomFloat(-2.0f, 3.0f));
        EXPECT_GE(first.back(), -2.0f);
        EXPECT_LE(first.back(), 3.0f);
    }
    engine->randomSeed(42);
    for (float f : first) {
        EXPECT_EQ(engine->randomFloat(-2.0f, 3.0f), f);
    }
}

} // namespace
