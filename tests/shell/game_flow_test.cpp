#include "shell/game_flow.h"

#include "presentation/effect_manager.h"
#include "shell/hall_solved.h"
#include "shell/game_texts.h"
#include "support/game_fixture.h"

#include <vector>

namespace {

class GameFlowTest : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        ASSERT_TRUE(start());
    }

    // The frames, from now, at which the menu opened or closed.
    std::vector<int> menuToggles(int frames) {
        std::vector<int> toggles;
        bool open = game.menuDialog.open;
        for (int i = 0; i < frames; ++i) {
            run(1);
            if (game.menuDialog.open != open) {
                toggles.push_back(i);
                open = game.menuDialog.open;
            }
        }
        return toggles;
    }

    // The hall as cells and piece positions, to compare two starts of a level.
    static std::vector<float> hallPicture() {
        std::vector<float> picture;
        for (int x = 0; x < hallSize; ++x) {
            for (int y = 0; y < hallSize; ++y) {
                picture.push_back(static_cast<float>(game.hall.grid[x][y]));
            }
        }
        const int n = collectObjectsByName(*game.hallLayer, "hall", false);
        for (int i = 0; i < n; ++i) {
            const SceneObject* object = nameResultAt(*game.hallLayer, i);
            if (object->name.rfind("hallitem", 0) == 0 || object->name.rfind("hallend", 0) == 0) {
                picture.push_back(object->x);
                picture.push_back(object->y);
            }
        }
        return picture;
    }

    static float logoAlpha() {
        return static_cast<float>(game.logoObject->definition->sprite->colour(0) >> 24) / 255.0f;
    }
};

TEST_F(GameFlowTest, TheOpeningPlaysItsSoundAndExplosionsAndEndsAfterFourSeconds) {
    run(1);
    EXPECT_EQ(soundCount(game.sounds.soundLogo), 1);
    EXPECT_GT(effectCount(game.effects), 0);
    run(199);
    EXPECT_EQ(soundCount(game.sounds.soundLogo), 1);
    EXPECT_EQ(game.phase, 0) << "still the opening at 4 s";
    run(2);
    EXPECT_EQ(game.phase, -1);
    EXPECT_GT(collectObjectsByName(*game.hallLayer, "hallitem", false), 0);
    ASSERT_NE(game.logoObject, nullptr);
    EXPECT_NEAR(logoAlpha(), 0.98f, 0.004f) << "the logo has faded in, 0.02 a frame";
}

TEST_F(GameFlowTest, AClickEndsTheOpeningAndTheLogoGoesWithinTenFrames) {
    run(70);
    clickAt(462, 800);
    run(1);
    EXPECT_EQ(game.phase, -1);
    ASSERT_NE(game.logoObject, nullptr);
    run(10);
    EXPECT_FLOAT_EQ(logoAlpha(), 0.0f);
}

TEST_F(GameFlowTest, AKeyEndsTheOpeningAndTheLogoGoesWithinTenFrames) {
    run(120); // the logo is fully in after 110 units
    tap('A');
    run(1);
    EXPECT_EQ(game.phase, -1);
    run(10);
    EXPECT_FLOAT_EQ(logoAlpha(), 0.0f);
}

TEST_F(GameFlowTest, WithoutInputTheLogoFadesOverNearlyTwentySecondsFromTheFourthSecond) {
    run(202);
    ASSERT_EQ(game.phase, -1);
    run(199);
    EXPECT_NEAR(logoAlpha(), 0.98f, 0.004f);
    run(501); // 0.001 a frame after the level's fourth second
    EXPECT_NEAR(logoAlpha(), 0.48f, 0.006f);
    run(470);
    EXPECT_GT(logoAlpha(), 0.0f);
    run(20);
    EXPECT_FLOAT_EQ(logoAlpha(), 0.0f);
}

TEST_F(GameFlowTest, HoldingEscapeTogglesTheMenuOncePerDebounceInterval) {
    skipOpening();
    keyDown(keyEscape);
    const std::vector<int> toggles = menuToggles(60);
    ASSERT_EQ(toggles.size(), 4u);
    for (std::size_t i = 1; i < toggles.size(); ++i) {
        EXPECT_EQ(toggles[i] - toggles[i - 1], 18) << "17.5 frames, strictly after";
    }
}

TEST_F(GameFlowTest, EscapeAndARightClickInOneFrameToggleOnce) {
    skipOpening();
    keyDown(keyEscape);
    keyDown(keyRightButton);
    keyUp(keyEscape, 1);
    keyUp(keyRightButton, 1);
    EXPECT_EQ(menuToggles(10).size(), 1u);
    EXPECT_TRUE(game.menuDialog.open);
    EXPECT_EQ(soundCount(game.sounds.soundMove), 1);
}

TEST_F(GameFlowTest, TheTopBarOpensTheMenuButNotOverTheLevelDoneDialog) {
    skipOpening();
    clickAt(462, 10);
    run(2);
    EXPECT_TRUE(game.menuDialog.open);
    run(20);
    clickAt(462, 10);
    run(2);
    EXPECT_FALSE(game.menuDialog.open);
    run(20);
    game.levelDoneDialog.open = true;
    tap(keyEscape);
    run(2);
    EXPECT_FALSE(game.menuDialog.open);
}

TEST_F(GameFlowTest, InputIsIgnoredForTheFirstThirdOfASecondOfALevel) {
    clickAt(462, 800); // ends the opening and starts the level
    run(2);
    tap(keyEscape);
    run(2);
    clickAt(50, 915);
    run(2);
    EXPECT_FALSE(game.menuDialog.open);
    EXPECT_TRUE(headless().webAddresses().empty());
    run(14); // 18 frames after the start
    tap(keyEscape);
    run(2);
    EXPECT_TRUE(game.menuDialog.open);
}

TEST_F(GameFlowTest, AButtonFiresOnlyOnTheFrameTheLeftButtonGoesDownOverIt) {
    skipOpening();
    tap(keyEscape);
    run(20);
    ASSERT_TRUE(game.menuDialog.open);
    float x = 0, y = 0;
    rowCentre(game.menuDialog, "Button3", &x, &y);

    moveTo(x, y);
    tap(keyRightButton);
    EXPECT_EQ(run(3), 3) << "a right click on Quit does nothing";
    run(20);
    game.menuDialog.open = true; // the right button toggled the menu shut

    moveTo(x, y + 200);
    keyDown(keyLeftButton);
    run(2);
    moveTo(x, y);
    EXPECT_EQ(run(3), 3) << "coming onto Quit with the button already down does nothing";
    keyUp(keyLeftButton);
    run(20);

    clickAt(x, y);
    EXPECT_EQ(run(3), 1) << "Quit ends the frame loop";
}

TEST_F(GameFlowTest, TryAgainGivesExactlyTheSameHall) {
    skipOpening();
    const std::vector<float> first = hallPicture();
    tap(keyEscape);
    run(20);
    clickButton(game.menuDialog, "Button2");
    run(1);
    EXPECT_FALSE(game.menuDialog.open);
    EXPECT_EQ(game.clock, 0.0f) << "the level restarted";
    EXPECT_EQ(hallPicture(), first);
}

TEST_F(GameFlowTest, StartWithAnEmptyNameKeepsTheGameAndANewNameStartsItsFirstLevel) {
    game.level = 3;
    skipOpening();
    const std::vector<float> hall = hallPicture();
    tap(keyEscape);
    run(20);
    clickButton(game.menuDialog, "Button1");
    run(2);
    ASSERT_TRUE(game.nameEntryDialog.open);
    ASSERT_TRUE(game.nameButtonsDialog.open);
    EXPECT_EQ(dialogRowText(game.nameEntryDialog, "Edit"), "Tessmark");
    for (int i = 0; i < 8; ++i) {
        tap(keyBackspace);
        run(2);
    }
    EXPECT_EQ(dialogRowText(game.nameEntryDialog, "Edit"), "");
    clickButton(game.nameButtonsDialog, "Button1");
    run(2);
    EXPECT_FALSE(game.nameEntryDialog.open);
    EXPECT_FALSE(game.nameButtonsDialog.open);
    EXPECT_EQ(game.gameName, "Tessmark");
    EXPECT_EQ(game.level, 3);
    EXPECT_EQ(hallPicture(), hall);

    run(20);
    tap(keyEscape);
    run(20);
    clickButton(game.menuDialog, "Button1");
    run(2);
    for (int c : {'Z', 'e', '!', 'd'}) { // '!' is not a name character
        typeChar(c);
        run(1);
    }
    EXPECT_EQ(dialogRowText(game.nameEntryDialog, "Edit"), "TessmarkZed");
    clickButton(game.nameButtonsDialog, "Button1");
    run(2);
    EXPECT_EQ(game.gameName, "TessmarkZed");
    EXPECT_EQ(game.level, 1);
    EXPECT_EQ(headless().logLines().back(), "Level started: TessmarkZed 1");
}

TEST_F(GameFlowTest, NextStartsTheNextLevelAfterTheProgressWasSaved) {
    game.level = 98;
    skipOpening();
    reportHallSolved(game.level);
    run(1);
    ASSERT_TRUE(game.levelDoneDialog.open);
    EXPECT_EQ(folder.read("Quorvane.sav"), "Tessmark\r\n99\r\n");
    EXPECT_TRUE(game.backdropObject->visible);
    clickButton(game.levelDoneDialog, "Button1");
    run(2);
    EXPECT_EQ(game.level, 99);
    EXPECT_FALSE(game.levelDoneDialog.open);
    EXPECT_FALSE(game.backdropObject->visible);
}

TEST_F(GameFlowTest, TheLastLevelSavesNothingAndOffersANewGame) {
    game.level = 99;
    skipOpening();
    reportHallSolved(game.level);
    run(1);
    EXPECT_TRUE(game.lastLevelDialog.open);
    EXPECT_FALSE(game.levelDoneDialog.open);
    EXPECT_EQ(dialogRowText(game.lastLevelDialog, "Head"), "Last Level Complete\nCongratulation");
    EXPECT_FALSE(folder.exists("Quorvane.sav"));
    tap(keyEscape);
    run(2);
    EXPECT_FALSE(game.menuDialog.open) << "no menu over the last-level dialog";

    clickButton(game.lastLevelDialog, "Button1");
    run(2);
    EXPECT_TRUE(game.nameEntryDialog.open);
    EXPECT_FLOAT_EQ(game.nameEntryDialog.y, game.baseHeight * 0.25f);
    EXPECT_EQ(game.nameEntryDialog.rows[1].items[0].normalColour, 0xFFFFFFFFu);
}

TEST_F(GameFlowTest, TheLinksOpenTheirPagesAlsoDuringTheOpening) {
    run(20); // the opening's first 0.35 s block the links too
    clickAt(50, 915);
    run(2);
    ASSERT_EQ(headless().webAddresses().size(), 1u);
    EXPECT_EQ(headless().webAddresses()[0], makerAddress);
    EXPECT_EQ(game.phase, -1) << "the click also ended the opening";
    EXPECT_EQ(headless().logLines().front(),
              "Opening web page: xdg-open https://www.quorvane.example/");
}

TEST_F(GameFlowTest, TheBrowserCommandQuotesOnlyAddressesThatNeedIt) {
    EXPECT_EQ(browserCommandLine("https://www.libsdl.org/"), "xdg-open https://www.libsdl.org/");
    EXPECT_EQ(browserCommandLine("https://x.example/a b"), "xdg-open \"https://x.example/a b\"");
    EXPECT_EQ(browserCommandLine("a\"b"), "xdg-open \"a\"\"b\"");
}

} // namespace
