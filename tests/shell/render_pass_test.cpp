#include "shell/render_pass.h"

#include "draw/bitmap_font.h"
#include "presentation/play_view.h"
#include "support/game_fixture.h"

#include <cstring>

namespace {

constexpr std::uint32_t white = 0xFFFFFFFF, red = 0xFFF14250;

class RenderPassTest : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        ASSERT_TRUE(start());
    }
};

TEST_F(RenderPassTest, TheTopBarClicksOncePerVisitAndTurnsRed) {
    skipOpening();
    moveTo(462, 10);
    run(10);
    EXPECT_EQ(soundCount(game.sounds.soundMove), 1);
    EXPECT_EQ(game.largeFont->colour(), red);
    moveTo(462, 300);
    run(2);
    EXPECT_EQ(game.largeFont->colour(), white);
    moveTo(462, 20);
    run(5);
    EXPECT_EQ(soundCount(game.sounds.soundMove), 2);
    headless().addEvent({0, InputEvent::Kind::PointerLeave, 0, 0, 0});
    run(2);
    EXPECT_EQ(game.largeFont->colour(), white) << "the pointer is outside the window";
    EXPECT_EQ(game.topBarHot, 0);
}

TEST_F(RenderPassTest, TheLinksTurnRedOnlyWithThePointerInTheWindow) {
    skipOpening();
    moveTo(50, 915);
    run(1);
    EXPECT_EQ(game.smallFont->colour(), white) << "the engine link is drawn last, in white";
    moveTo(900, 915);
    run(1);
    EXPECT_EQ(game.smallFont->colour(), red);
    headless().addEvent({0, InputEvent::Kind::PointerLeave, 0, 0, 0});
    run(1);
    EXPECT_EQ(game.smallFont->colour(), white);
}

TEST_F(RenderPassTest, TheOpeningHasNoTopBarOrLinksButShowsCreditsWithTheMenu) {
    moveTo(462, 10);
    run(30);
    EXPECT_TRUE(headless().lines().empty()) << "no link underlines during the opening";
    EXPECT_EQ(soundCount(game.sounds.soundMove), 0) << "no top-bar click during the opening";
    headless().clearRecordings();
    run(1);
    const std::size_t withoutMenu = headless().quads().size();

    game.screens.push(makeMenuScreen());
    game.smallFont->setColour(red);
    headless().clearRecordings();
    run(1);
    EXPECT_EQ(game.smallFont->colour(), white) << "the credits are drawn in white";
    // Seven lines of credits and three buttons: well over a hundred letters.
    EXPECT_GT(headless().quads().size(), withoutMenu + 120);

    game.screens.clear();
    skipOpening();
    run(1);
    const std::vector<RecordedLine>& lines = headless().lines();
    ASSERT_EQ(lines.size(), 6u) << "the keyboard cursor's frame, then the two link underlines";
    EXPECT_FLOAT_EQ(lines[4].x1, 5);
    EXPECT_FLOAT_EQ(lines[4].y1, 922);
    EXPECT_FLOAT_EQ(lines[5].x2, 919);
    EXPECT_EQ(lines[5].colour, white);
}

TEST_F(RenderPassTest, ThePointerCarriesALightAfterTheHallsFirstSecondWhileInTheWindow) {
    skipOpening();
    moveTo(300, 300);
    run(1);
    ASSERT_LT(game.clock, 50) << "the hall has only just started";
    EXPECT_EQ(game.hallLight.pointerRadius, 0) << "no light in the hall's first second";
    while (game.clock <= 51) {
        run(1);
    }
    EXPECT_EQ(game.hallLight.pointerRadius, 380);
    const float litX = game.hallLight.pointerX;
    moveTo(400, 300);
    run(1);
    EXPECT_GT(game.hallLight.pointerX, litX) << "the light follows the pointer";
    headless().addEvent({0, InputEvent::Kind::PointerLeave, 0, 0, 0});
    run(1);
    EXPECT_EQ(game.hallLight.pointerRadius, 0) << "the pointer left the window";
}

TEST_F(RenderPassTest, AHiddenWindowDrawsNothingAndIsLitAfreshWhenShownAgain) {
    skipOpening();
    moveTo(300, 300);
    run(60); // the pointer's light is on once the hall's first second has passed
    headless().setWindowShown(false);
    moveTo(600, 600);
    headless().clearRecordings();
    run(5);
    EXPECT_TRUE(headless().quads().empty());
    EXPECT_TRUE(headless().lines().empty());

    headless().setWindowShown(true);
    run(1);
    const std::vector<SpriteQuad> shown = headless().quads();
    // The hall as a window shown all along draws it: lit now, with the pointer where it is now.
    headless().clearRecordings();
    lightHall(*game.hallLayer, 380, 600, 600);
    renderLayer(*game.hallLayer);
    const std::vector<SpriteQuad>& lit = headless().quads();
    ASSERT_GT(lit.size(), 100u);
    ASSERT_GE(shown.size(), lit.size());
    int different = 0;
    for (std::size_t i = 0; i < lit.size(); ++i) {
        different += std::memcmp(&shown[i], &lit[i], sizeof(SpriteQuad)) != 0 ? 1 : 0;
    }
    EXPECT_EQ(different, 0) << "of " << lit.size() << " quads of the hall";
}

} // namespace
