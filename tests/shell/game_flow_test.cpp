#include "shell/game_flow.h"

#include "presentation/effect_manager.h"
#include "shell/game_actions.h"
#include "shell/game_texts.h"
#include "shell/screens.h"
#include "support/game_fixture.h"

#include <algorithm>
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
        bool open = shows(ScreenKind::Menu);
        for (int i = 0; i < frames; ++i) {
            run(1);
            if (shows(ScreenKind::Menu) != open) {
                toggles.push_back(i);
                open = shows(ScreenKind::Menu);
            }
        }
        return toggles;
    }

    // Launches of a piece this far: the move sound at its play volume (clicks are quieter).
    int launches() const {
        int n = 0;
        for (const RecordedSound& s : headless().sounds()) {
            n += s.sound == game.sounds.soundMove && s.volume == 60 ? 1 : 0;
        }
        return n;
    }

    // The first item of the hall.
    static const SceneObject* firstItem() {
        collectObjectsByName(*game.hallLayer, "hallitem", false);
        return nameResultAt(*game.hallLayer, 0);
    }

    // Presses the left button at (x1, y1), moves to (x2, y2) and lets go there.
    void dragFromTo(float x1, float y1, float x2, float y2) {
        moveTo(x1, y1);
        keyDown(keyLeftButton, 1);
        moveTo(x2, y2, 3);
        keyUp(keyLeftButton, 4);
        run(6);
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

TEST_F(GameFlowTest, HoldingEscapeOrAButtonTogglesTheMenuOncePerPress) {
    skipOpening();
    keyDown(keyEscape);
    EXPECT_EQ(menuToggles(60).size(), 1u) << "held for over a second";
    keyUp(keyEscape);
    run(1);
    for (int key : {keyRightButton, keyLeftButton}) {
        moveTo(462, 10); // the top bar
        keyDown(key);
        EXPECT_EQ(menuToggles(60).size(), 1u) << "key " << key;
        keyUp(key);
        run(1);
    }
    EXPECT_TRUE(shows(ScreenKind::Menu)) << "three presses";
    tap(keyEscape);
    tap(keyEscape);
    run(2);
    headless().addEvent({0, InputEvent::Kind::KeyDown, 0, 0, keyEscape});
    EXPECT_EQ(menuToggles(3).size(), 1u) << "a new press acts at once";
}

TEST_F(GameFlowTest, EscapeAndARightClickInOneFrameToggleOnce) {
    skipOpening();
    keyDown(keyEscape);
    keyDown(keyRightButton);
    keyUp(keyEscape, 1);
    keyUp(keyRightButton, 1);
    EXPECT_EQ(menuToggles(10).size(), 1u);
    EXPECT_TRUE(shows(ScreenKind::Menu));
    EXPECT_EQ(soundCount(game.sounds.soundMove), 1);
}

TEST_F(GameFlowTest, TheTopBarOpensTheMenuButNotOverTheLevelDoneDialog) {
    skipOpening();
    clickAt(462, 10);
    run(2);
    EXPECT_TRUE(shows(ScreenKind::Menu));
    run(20);
    clickAt(462, 10);
    run(2);
    EXPECT_FALSE(anyScreen());
    run(20);
    game.screens.push(makeLevelDoneScreen(""));
    tap(keyEscape);
    run(2);
    clickAt(462, 10);
    run(2);
    EXPECT_TRUE(shows(ScreenKind::LevelDone)) << "neither Escape nor the bar leave it";
}

TEST_F(GameFlowTest, InputIsIgnoredForTheFirstThirdOfASecondOfALevel) {
    clickAt(462, 800); // ends the opening and starts the level
    run(2);
    tap(keyEscape);
    run(2);
    clickAt(50, 915);
    run(2);
    EXPECT_FALSE(anyScreen());
    EXPECT_TRUE(headless().webAddresses().empty());
    run(14); // 18 frames after the start
    tap(keyEscape);
    run(2);
    EXPECT_TRUE(shows(ScreenKind::Menu));
}

TEST_F(GameFlowTest, AButtonFiresOnlyOnTheFrameTheLeftButtonGoesDownOverIt) {
    skipOpening();
    tap(keyEscape);
    run(20);
    ASSERT_TRUE(shows(ScreenKind::Menu));
    float x = 0, y = 0;
    rowCentre(topDialog(), "Button7", &x, &y);
    ASSERT_EQ(dialogRowText(topDialog(), "Button7"), "Quit");

    moveTo(x, y);
    tap(keyRightButton);
    EXPECT_EQ(run(3), 3) << "a right click on Quit does nothing";
    run(20);
    game.screens.push(makeMenuScreen()); // the right button toggled the menu shut

    moveTo(x, y + 300);
    keyDown(keyLeftButton);
    run(2);
    moveTo(x, y);
    EXPECT_EQ(run(3), 3) << "coming onto Quit with the button already down does nothing";
    keyUp(keyLeftButton);
    run(20);

    clickAt(x, y);
    EXPECT_EQ(run(3), 1) << "Quit ends the frame loop";
}

TEST_F(GameFlowTest, TheKeysMoveOverTheButtonsAndEnterPressesOne) {
    skipOpening();
    tap(keyEscape);
    run(20);
    Dialog& menu = topDialog();
    ASSERT_EQ(menu.rows[menu.focus].name, "Button1") << "the first button has the focus";
    tap(::keyUp);
    run(2);
    EXPECT_EQ(menu.rows[menu.focus].name, "Button7") << "Up from the first wraps round";
    tap(keyTab);
    run(2);
    EXPECT_EQ(menu.rows[menu.focus].name, "Button1");
    for (int key : {::keyDown, ::keyRight}) {
        tap(key);
        run(2);
    }
    keyDown(keyShift);
    tap(keyTab);
    run(2);
    keyUp(keyShift);
    EXPECT_EQ(menu.rows[menu.focus].name, "Button2") << "Shift+Tab goes back";
    EXPECT_GE(soundCount(game.sounds.soundMove), 5) << "every move clicks";
    tap(keyEnter);
    run(2);
    EXPECT_FALSE(anyScreen()) << "Enter pressed \"Try again\"";
    EXPECT_EQ(game.clock, 1.0f);
}

TEST_F(GameFlowTest, TryAgainGivesExactlyTheSameHall) {
    skipOpening();
    const std::vector<float> first = hallPicture();
    tap(keyEscape);
    run(20);
    clickButton(topDialog(), "Button2");
    run(1);
    EXPECT_FALSE(anyScreen());
    EXPECT_EQ(game.clock, 0.0f) << "the level restarted";
    EXPECT_EQ(hallPicture(), first);
}

TEST_F(GameFlowTest, StartWithAnEmptyNameKeepsTheGameAndANewNameStartsItsFirstLevel) {
    game.level = 3;
    skipOpening();
    const std::vector<float> hall = hallPicture();
    tap(keyEscape);
    run(20);
    clickButton(topDialog(), "Button1");
    run(2);
    ASSERT_TRUE(shows(ScreenKind::NameEntry));
    EXPECT_EQ(dialogRowText(topDialog(), "Edit"), "Tessmark");
    for (int i = 0; i < 8; ++i) {
        tap(keyBackspace);
        run(2);
    }
    EXPECT_EQ(dialogRowText(topDialog(), "Edit"), "");
    clickButton(topDialog(), "Button1");
    run(2);
    EXPECT_FALSE(anyScreen());
    EXPECT_EQ(game.gameName, "Tessmark");
    EXPECT_EQ(game.level, 3);
    EXPECT_EQ(hallPicture(), hall);

    run(20);
    tap(keyEscape);
    run(20);
    clickButton(topDialog(), "Button1");
    run(2);
    clickAt(462, 900); // a click beside the field: it still takes the typing
    run(2);
    for (int c : {'Z', 'e', '!', 'd'}) { // '!' is not a name character
        typeChar(c);
        run(1);
    }
    EXPECT_EQ(dialogRowText(topDialog(), "Edit"), "TessmarkZed");
    clickButton(topDialog(), "Button1");
    run(2);
    EXPECT_EQ(game.gameName, "TessmarkZed");
    EXPECT_EQ(game.level, 1);
    EXPECT_EQ(headless().logLines().back(), "Level started: TessmarkZed 1");
}

TEST_F(GameFlowTest, TheNameEntryTakesEnterAsStartAndEscapeAsBackAndShowsACaret) {
    skipOpening();
    tap(keyEscape);
    run(20);
    tap(keyEnter); // "New"
    run(2);
    ASSERT_TRUE(shows(ScreenKind::NameEntry));
    EXPECT_EQ(topDialog().rows[0].items[0].inactiveColour, 0xFFFFFFFFu) << "a readable heading";
    // The caret: the upright line in the name's row and colour; it blinks.
    const float editY = topDialog().y + topDialog().rows[1].y;
    auto caret = [editY]() -> const RecordedLine* {
        for (const RecordedLine& line : headless().lines()) {
            if (line.x1 == line.x2 && line.y1 < editY && line.y2 > editY &&
                line.colour == 0xFFF14250u) { // the name's colour, from the menu
                return &line;
            }
        }
        return nullptr;
    };
    for (int i = 0; i < 50 && caret() == nullptr; ++i) {
        headless().clearRecordings();
        run(1);
    }
    ASSERT_NE(caret(), nullptr);
    EXPECT_GT(caret()->x1, 462 + topDialog().rows[1].items[0].width / 2) << "after the text";
    tap(keyEscape);
    run(2);
    EXPECT_FALSE(anyScreen()) << "Escape is Back";
    EXPECT_EQ(game.gameName, "Tessmark");

    run(20);
    tap(keyEscape);
    run(20);
    tap(keyEnter);
    run(2);
    typeChar('Q');
    run(2);
    tap(keyEnter);
    run(2);
    EXPECT_EQ(game.gameName, "TessmarkQ") << "Enter is Start";
    EXPECT_FALSE(anyScreen());
}

TEST_F(GameFlowTest, NextStartsTheNextLevelAfterTheProgressWasSaved) {
    game.level = 98;
    skipOpening();
    levelSolved(game.level, 0);
    run(1);
    ASSERT_TRUE(shows(ScreenKind::LevelDone));
    EXPECT_EQ(folder.read("Quorvane.sav"), "Tessmark\r\n99\r\n");
    EXPECT_TRUE(game.backdropObject->visible);
    clickButton(topDialog(), "Button1");
    run(2);
    EXPECT_EQ(game.level, 99);
    EXPECT_FALSE(anyScreen());
    EXPECT_FALSE(game.backdropObject->visible);
}

TEST_F(GameFlowTest, TheLastLevelSavesNothingAndOffersANewGame) {
    game.level = 99;
    skipOpening();
    levelSolved(game.level, 0);
    run(1);
    EXPECT_TRUE(shows(ScreenKind::LastLevel));
    EXPECT_EQ(dialogRowText(topDialog(), "Head"), "Last Level Complete\nCongratulation");
    EXPECT_FALSE(folder.exists("Quorvane.sav"));
    tap(keyEscape);
    run(2);
    EXPECT_TRUE(shows(ScreenKind::LastLevel)) << "no menu over the last-level screen";

    clickButton(topDialog(), "Button1");
    run(2);
    EXPECT_TRUE(shows(ScreenKind::NameEntry));
    EXPECT_FLOAT_EQ(topDialog().y, game.baseHeight * 0.25f);
    EXPECT_EQ(topDialog().rows[1].items[0].normalColour, 0xFFFFFFFFu);
}

TEST_F(GameFlowTest, TheLinksOpenTheirPagesAlsoDuringTheOpening) {
    run(20); // the opening's first 0.35 s block the links too
    clickAt(50, 915);
    run(2);
    ASSERT_EQ(headless().webAddresses().size(), 1u);
    EXPECT_EQ(headless().webAddresses()[0], makerAddress);
    EXPECT_EQ(game.phase, -1) << "the click also ended the opening";
    const std::vector<std::string>& log = headless().logLines();
    EXPECT_NE(std::find(log.begin(), log.end(),
                        "Opening web page: xdg-open https://www.quorvane.example/"),
              log.end());
}

TEST_F(GameFlowTest, ALinkOpensOncePerClickThatStartsAndEndsOnIt) {
    skipOpening();
    moveTo(900, 915);
    keyDown(keyLeftButton);
    run(60); // held for 1.2 s
    EXPECT_TRUE(headless().webAddresses().empty()) << "nothing before the release";
    keyUp(keyLeftButton);
    run(2);
    ASSERT_EQ(headless().webAddresses().size(), 1u);
    EXPECT_EQ(headless().webAddresses()[0], engineAddress);
    run(20);

    dragFromTo(462, 800, 50, 915); // from the hall onto the maker link
    dragFromTo(50, 915, 900, 915); // from one link to the other
    run(20);
    EXPECT_EQ(headless().webAddresses().size(), 1u);
}

TEST_F(GameFlowTest, ADragFromAPieceIsAMoveWhereverItEnds) {
    skipOpening();
    const SceneObject* item = firstItem();
    ASSERT_NE(item, nullptr);
    dragFromTo(item->x, item->y, item->x, 10); // ends on the top bar
    EXPECT_EQ(launches(), 1);
    EXPECT_FALSE(anyScreen()) << "the top bar did not take the release";
}

TEST_F(GameFlowTest, APressAndReleaseUnderSixUnitsApartIsAClickNotAMove) {
    skipOpening();
    const SceneObject* item = firstItem();
    ASSERT_NE(item, nullptr);
    const float x = item->x, y = item->y;
    dragFromTo(x, y, x + 4, y + 4); // 5.7 units
    EXPECT_EQ(launches(), 0);
    dragFromTo(x, y, x + 6, y);
    EXPECT_EQ(launches(), 1) << "six units are a drag";
}

TEST_F(GameFlowTest, EachLinkUnderlineSpansItsOwnText) {
    skipOpening();
    headless().clearRecordings();
    run(1);
    const std::vector<RecordedLine>& lines = headless().lines();
    ASSERT_GE(lines.size(), 2u);
    const RecordedLine maker = lines[lines.size() - 2], engine = lines.back(); // drawn last
    const std::string makerText = "www." + game.webDomain;
    game.smallFont->setScale(1);
    EXPECT_FLOAT_EQ(maker.x1, 5);
    EXPECT_FLOAT_EQ(maker.x2, 5 + game.smallFont->stringWidth(makerText.c_str()));
    EXPECT_FLOAT_EQ(engine.x2, game.baseWidth - 5);
    EXPECT_FLOAT_EQ(engine.x1, engine.x2 - game.smallFont->stringWidth(engineLinkText));
}

TEST_F(GameFlowTest, TheBrowserCommandQuotesOnlyAddressesThatNeedIt) {
    EXPECT_EQ(browserCommandLine("https://www.libsdl.org/"), "xdg-open https://www.libsdl.org/");
    EXPECT_EQ(browserCommandLine("https://x.example/a b"), "xdg-open \"https://x.example/a b\"");
    EXPECT_EQ(browserCommandLine("a\"b"), "xdg-open \"a\"\"b\"");
}

} // namespace
