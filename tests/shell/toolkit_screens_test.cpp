// The screens the player reaches from the menu and the keys: level select, skip, help, sound,
// and "New" with a name played before.

#include "shell/game_actions.h"
#include "shell/screens.h"
#include "support/game_fixture.h"

namespace {

class ScreensTest : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        ASSERT_TRUE(start());
    }

    // The centre of level n's cell in the level select (ten columns of 78 by 66 from y 120).
    static void levelCell(int n, float* x, float* y) {
        *x = (game.baseWidth - 780) / 2 + static_cast<float>((n - 1) % 10) * 78 + 39;
        *y = 120 + static_cast<float>((n - 1) / 10) * 66 + 33;
    }

    void openMenuAndPress(const std::string& button) {
        tap(keyEscape);
        run(20);
        ASSERT_TRUE(shows(ScreenKind::Menu));
        clickButton(topDialog(), button);
        run(2);
    }
};

TEST_F(ScreensTest, TheLevelSelectPlaysReachedLevelsOnlyAndShowsSolvedAndSkippedOnes) {
    noteLevelSolved(game.progressBook, "Tessmark", 1, 17);
    noteLevelSkipped(game.progressBook, "Tessmark", 2);
    skipOpening();
    tap('L');
    run(2);
    ASSERT_TRUE(shows(ScreenKind::LevelSelect));
    EXPECT_EQ(levelAccess(game.progressBook, "Tessmark", 1), LevelAccess::Solved);
    EXPECT_EQ(levelAccess(game.progressBook, "Tessmark", 2), LevelAccess::Skipped);
    EXPECT_EQ(levelAccess(game.progressBook, "Tessmark", 3), LevelAccess::Open);
    EXPECT_EQ(levelAccess(game.progressBook, "Tessmark", 4), LevelAccess::Locked);

    float x = 0, y = 0;
    levelCell(4, &x, &y);
    clickAt(x, y);
    run(2);
    EXPECT_TRUE(shows(ScreenKind::LevelSelect)) << "a locked level stays shut";
    levelCell(3, &x, &y);
    clickAt(x, y);
    run(2);
    EXPECT_FALSE(anyScreen());
    EXPECT_EQ(game.level, 3);
    EXPECT_EQ(game.progressBook["Tessmark"].current, 3);
}

TEST_F(ScreensTest, TheLevelSelectAnswersTheKeysAndEscapeGoesBackToWhereItCameFrom) {
    noteLevelSolved(game.progressBook, "Tessmark", 1, 0);
    skipOpening();
    moveTo(5, 5); // away from the grid, where the pointer would choose a level
    tap(keyEscape);
    run(20);
    for (int key : {::keyDown, ::keyDown, keyEnter}) { // "Levels"
        tap(key);
        run(2);
    }
    ASSERT_TRUE(shows(ScreenKind::LevelSelect));
    tap(keyEscape);
    run(2);
    EXPECT_TRUE(shows(ScreenKind::Menu)) << "back to the menu";
    for (int key : {keyEnter, ::keyRight, keyEnter}) { // level 1, then 2
        tap(key);
        run(2);
    }
    EXPECT_FALSE(anyScreen());
    EXPECT_EQ(game.level, 2);
}

TEST_F(ScreensTest, SkipMarksTheLevelSavesAndStartsTheNextOne) {
    game.level = 4;
    skipOpening();
    openMenuAndPress("Button4");
    EXPECT_FALSE(anyScreen());
    EXPECT_EQ(game.level, 5);
    EXPECT_EQ(levelAccess(game.progressBook, "Tessmark", 4), LevelAccess::Skipped);
    EXPECT_EQ(folder.read("Quorvane.sav"), "Tessmark\r\n5\r\n");
    ProgressBook saved;
    ASSERT_EQ(loadProgressBook(folder.file("Quorvane.progress"), &saved), bookLoaded);
    EXPECT_TRUE(saved["Tessmark"].levels[4].skipped);
    EXPECT_EQ(saved["Tessmark"].current, 5);

    game.level = 99;
    skipLevel();
    run(1);
    EXPECT_TRUE(shows(ScreenKind::LevelSelect)) << "no level after 99: choose one";
}

TEST_F(ScreensTest, NewWithANamePlayedBeforeOffersToContinueIt) {
    noteLevelStarted(game.progressBook, "Other", 7);
    skipOpening();
    openMenuAndPress("Button1");
    for (int i = 0; i < 8; ++i) {
        tap(keyBackspace);
        run(2);
    }
    for (int c : {'O', 't', 'h', 'e', 'r'}) {
        typeChar(c);
        run(1);
    }
    tap(keyEnter);
    run(2);
    ASSERT_TRUE(shows(ScreenKind::Continue));
    EXPECT_EQ(dialogRowText(topDialog(), "Button1"), "Continue at level 7");
    tap(keyEnter);
    run(2);
    EXPECT_EQ(game.gameName, "Other");
    EXPECT_EQ(game.level, 7);
}

TEST_F(ScreensTest, F1OpensAndClosesTheHelpWithAPictureForEveryElement) {
    skipOpening();
    tap(keyF1);
    run(2);
    ASSERT_TRUE(shows(ScreenKind::Help));
    headless().clearRecordings();
    run(1);
    int pictures = 0;
    for (const SpriteQuad& quad : headless().quads()) {
        const std::string texture = headless().textureName(quad.texture);
        pictures += texture.find("font") == std::string::npos ? 1 : 0;
    }
    EXPECT_GE(pictures, 15) << "the hall stays hidden behind the backdrop; pictures of 16";
    tap(keyF1);
    run(2);
    EXPECT_FALSE(anyScreen());
    tap(keyF1);
    run(20);
    tap(keyEscape);
    run(2);
    EXPECT_FALSE(anyScreen()) << "Escape closes it too";
}

TEST_F(ScreensTest, MSwitchesTheSoundOffAndOnAndTheMenuSaysWhich) {
    skipOpening();
    tap('M');
    run(2);
    EXPECT_FALSE(game.soundOn);
    headless().clearRecordings();
    tap(keyEscape);
    run(2);
    EXPECT_TRUE(headless().sounds().empty()) << "the menu's click is silent";
    EXPECT_EQ(dialogRowText(topDialog(), "Button6"), "Sound: off");
    clickButton(topDialog(), "Button6");
    run(2);
    EXPECT_TRUE(game.soundOn);
    EXPECT_EQ(dialogRowText(topDialog(), "Button6"), "Sound: on");
    EXPECT_TRUE(shows(ScreenKind::Menu));
}

class FirstStartTest : public GameTest {};

TEST_F(FirstStartTest, TheVeryFirstStartOpensTheFirstLevelWithTheHelp) {
    std::filesystem::remove(folder.file("Quorvane.progress"));
    ASSERT_TRUE(start());
    skipOpening();
    EXPECT_TRUE(shows(ScreenKind::Help));
    EXPECT_TRUE(folder.exists("Quorvane.progress")) << "the level start was noted";
    tap(keyEscape);
    run(2);
    EXPECT_FALSE(anyScreen());
}

TEST_F(FirstStartTest, APlayerOfAnOlderCopyGetsNoHelpButKeepsTheirLevel) {
    std::filesystem::remove(folder.file("Quorvane.progress"));
    folder.write("Quorvane.sav", "Older\r\n12\r\n");
    ASSERT_TRUE(start());
    skipOpening();
    EXPECT_FALSE(anyScreen());
    EXPECT_EQ(game.level, 12);
    EXPECT_EQ(levelAccess(game.progressBook, "Older", 12), LevelAccess::Open);
    EXPECT_EQ(folder.read("Quorvane.sav"), "Older\r\n12\r\n") << "left as it was";
}

TEST_F(FirstStartTest, ABrokenProgressPerNameFileIsLoggedAndLosesNothing) {
    folder.write("Quorvane.progress", "\xff\xfe garbage");
    folder.write("Quorvane.sav", "Older\r\n12\r\n");
    ASSERT_TRUE(startGame());
    bool logged = false;
    for (const std::string& line : headless().logLines()) {
        logged = logged || line.find("Progress per name") != std::string::npos;
    }
    EXPECT_TRUE(logged);
    skipOpening();
    EXPECT_EQ(game.gameName, "Older");
    EXPECT_EQ(game.level, 12);
    EXPECT_EQ(folder.read("Quorvane.sav"), "Older\r\n12\r\n");
}

} // namespace

namespace {

class KeyboardPlayTest : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        ASSERT_TRUE(start());
        skipOpening();
    }

    // Every item's place, in the layer's order.
    static std::vector<float> items() {
        std::vector<float> places;
        const int n = collectObjectsByName(*game.hallLayer, "hallitem", false);
        for (int i = 0; i < n; ++i) {
            const SceneObject* object = nameResultAt(*game.hallLayer, i);
            places.push_back(object->x);
            places.push_back(object->y);
        }
        return places;
    }

    void press(int key, int times = 1) {
        for (int i = 0; i < times; ++i) {
            tap(key);
            run(2);
        }
    }
};

TEST_F(KeyboardPlayTest, TheCursorStartsInTheMiddleAndStopsAtTheHallsEdges) {
    EXPECT_EQ(game.keyboardCursor.x, 10);
    EXPECT_EQ(game.keyboardCursor.y, 10);
    press(::keyRight, 14);
    press(::keyUp, 3);
    EXPECT_EQ(game.keyboardCursor.x, 20);
    EXPECT_EQ(game.keyboardCursor.y, 7);
    press(::keyLeft, 25);
    press(::keyDown, 25);
    EXPECT_EQ(game.keyboardCursor.x, 0);
    EXPECT_EQ(game.keyboardCursor.y, 20);
}

// The ball of level 1 of Tessmark on cell (13, 10), with floor to its left, and a spike on
// (5, 16) that breaks the ball on (10, 16) when that one is sent left.
TEST_F(KeyboardPlayTest, APickedPieceLaunchesExactlyAsADragAndTheCursorFollowsIt) {
    const std::vector<float> start = items();
    const float x = 13 * 44 + 22, y = 10 * 44 + 22;

    // The mouse: a drag to the left, then the hall until it rests.
    moveTo(x, y);
    keyDown(keyLeftButton, 1);
    moveTo(x - 60, y, 3);
    keyUp(keyLeftButton, 4);
    run(300);
    const std::vector<float> dragged = items();
    ASSERT_NE(dragged, start) << "the drag moved the ball";

    game.screens.push(makeMenuScreen()); // "Try again"
    clickButton(topDialog(), "Button2");
    run(20);
    ASSERT_EQ(items(), start);

    // The keys: to the ball's cell, Enter, Left.
    moveTo(5, 5); // the pointer out of the way
    press(::keyRight, 3);
    EXPECT_EQ(game.keyboardCursor.x, 13);
    EXPECT_EQ(game.keyboardCursor.y, 10);
    press(::keyEnter);
    EXPECT_TRUE(game.keyboardCursor.picked);
    press(::keyLeft);
    EXPECT_FALSE(game.keyboardCursor.picked);
    run(300);
    EXPECT_EQ(items(), dragged);
    EXPECT_EQ(game.keyboardCursor.x, 7) << "the cursor followed the ball to the wall";
    EXPECT_EQ(game.keyboardCursor.y, 10);

    game.keyboardCursor.x = 10; // the other ball, which the spike breaks
    game.keyboardCursor.y = 16;
    press(::keyEnter);
    press(::keyLeft);
    run(300);
    EXPECT_EQ(game.keyboardCursor.y, 16);
    EXPECT_GE(game.keyboardCursor.x, 6) << "the cursor stays where the ball broke";
}

TEST_F(KeyboardPlayTest, EnterOnAnEmptyCellPicksNothingAndEscapePutsAPieceDown) {
    game.keyboardCursor.x = 0; // the corner is no piece's place
    game.keyboardCursor.y = 0;
    press(::keyEnter);
    EXPECT_FALSE(game.keyboardCursor.picked);

    collectObjectsByName(*game.hallLayer, "hallitem", false);
    const SceneObject* item = nameResultAt(*game.hallLayer, 0);
    game.keyboardCursor.x = static_cast<int>(item->x / 44);
    game.keyboardCursor.y = static_cast<int>(item->y / 44);
    press(::keyEnter);
    ASSERT_TRUE(game.keyboardCursor.picked);
    press(keyEscape);
    EXPECT_FALSE(game.keyboardCursor.picked);
    EXPECT_FALSE(anyScreen()) << "the first Escape only put the piece down";
    press(::keySpace);
    EXPECT_TRUE(game.keyboardCursor.picked);
    press(::keySpace);
    EXPECT_FALSE(game.keyboardCursor.picked);
}

} // namespace
