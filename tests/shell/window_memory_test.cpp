#include "shell/game_actions.h"
#include "shell/settings_file.h"
#include "shell/window_memory.h"
#include "support/game_fixture.h"

#include <algorithm>

namespace {

using WindowMemoryTest = GameTest;

bool logged(const std::string& part) {
    const auto& lines = headlessEngine().logLines();
    return std::any_of(lines.begin(), lines.end(), [&](const std::string& line) {
        return line.find(part) != std::string::npos;
    });
}

TEST_F(WindowMemoryTest, TheFirstRunOpensTheGamesOwnWindowAndSavesIt) {
    ASSERT_TRUE(start());
    EXPECT_EQ(headless().number(numberWindowWidth), 0) << "no size is forced on the window";
    EXPECT_TRUE(headless().flag(flagWindowed));
    endGame();
    EXPECT_EQ(folder.read("Quorvane.cfg"), "# Quorvane's settings, rewritten when the game ends.\n"
                                           "window_width=924\nwindow_height=924\n"
                                           "fullscreen=false\nsound=true\n");
    EXPECT_FALSE(folder.exists("Quorvane.cfg.tmp"));
}

TEST_F(WindowMemoryTest, TheWindowComesBackAsThePlayerLeftIt) {
    folder.write("Quorvane.cfg", "window_width=1000\nwindow_height=800\nfullscreen=true\n"
                                 "sound=off\n");
    ASSERT_TRUE(start());
    EXPECT_EQ(headless().number(numberWindowWidth), 1000);
    EXPECT_EQ(headless().number(numberWindowHeight), 800);
    EXPECT_FALSE(headless().flag(flagWindowed));
    EXPECT_EQ(headless().number(numberWidth), 924) << "the drawing size stays the game's own";
    EXPECT_FALSE(game.soundOn) << "the sound switch comes back with the window";
    EXPECT_EQ(headless().number(numberEffectsVolume), 0);

    // The player leaves full screen and makes the window smaller.
    headless().setFlag(flagWindowed, true);
    headless().setNumber(numberWindowWidth, 700);
    headless().setNumber(numberWindowHeight, 650);
    endGame();
    EXPECT_EQ(folder.read("Quorvane.cfg"), "# Quorvane's settings, rewritten when the game ends.\n"
                                           "window_width=700\nwindow_height=650\n"
                                           "fullscreen=false\nsound=false\n");
}

TEST_F(WindowMemoryTest, ASizeThatNoLongerFitsTheDesktopIsClamped) {
    headless().setDesktopSize(1024, 768);
    folder.write("Quorvane.cfg", "window_width=1900\nwindow_height=1150\n");
    ASSERT_TRUE(start());
    EXPECT_EQ(headless().number(numberWindowWidth), 1024);
    EXPECT_EQ(headless().number(numberWindowHeight), 768);
    EXPECT_EQ(headless().number(numberWidth), 693) << "the picture is scaled as ever";
    endGame();

    resetGame();
    headless().reset();
    folder.write("Quorvane.cfg", "window_width=20\nwindow_height=1\n");
    ASSERT_TRUE(start());
    EXPECT_EQ(headless().number(numberWindowWidth), smallestWindow);
    EXPECT_EQ(headless().number(numberWindowHeight), smallestWindow);

    int width = 5000, height = 1;
    fitWindowToDesktop(&width, &height, 160, 120);
    EXPECT_EQ(width, 160) << "on a desktop smaller than the smallest window, the desktop";
    EXPECT_EQ(height, 120);
}

TEST_F(WindowMemoryTest, ABrokenFileIsSaidInTheLogAndReplaced) {
    folder.write("Quorvane.cfg", "\x7f"
                                 "ELF\x01\x01 garbage\nwindow_width=1000\nwindow_height=800\n");
    ASSERT_TRUE(startGame());
    EXPECT_TRUE(logged("ignoring the whole file, as line 1 is not key=value"));
    EXPECT_EQ(headless().number(numberWindowWidth), 0);
    EXPECT_TRUE(headless().flag(flagWindowed));
    endGame();
    Settings settings;
    std::vector<std::string> problems;
    EXPECT_EQ(loadSettings(folder.file("Quorvane.cfg"), &settings, &problems), settingsLoaded);
    EXPECT_TRUE(problems.empty());
    EXPECT_EQ(settings.windowWidth, 924);
}

TEST_F(WindowMemoryTest, OutOfRangeSizesAreSaidInTheLogAndLeftOut) {
    folder.write("Quorvane.cfg", "window_width=-40\nwindow_height=700\nfullscreen=true\n");
    ASSERT_TRUE(startGame());
    EXPECT_TRUE(logged("ignoring window_width=-40 on line 1"));
    EXPECT_EQ(headless().number(numberWindowWidth), 0) << "half a size is no size";
    EXPECT_FALSE(headless().flag(flagWindowed)) << "the good key still counts";
}

TEST_F(WindowMemoryTest, AnUnchangedWindowLeavesTheFileAlone) {
    const std::string mine = "# kept as I wrote it\nwindow_width=924\nwindow_height=924\n"
                             "fullscreen=no\n";
    folder.write("Quorvane.cfg", mine);
    ASSERT_TRUE(start());
    endGame();
    EXPECT_EQ(folder.read("Quorvane.cfg"), mine);
}

TEST_F(WindowMemoryTest, TheSoundSwitchIsKeptAsSoonAsItIsSwitched) {
    folder.write("Quorvane.cfg", "window_width=1000\nwindow_height=800\nvolume=7\n");
    ASSERT_TRUE(start());
    EXPECT_TRUE(game.soundOn);
    switchSound();
    EXPECT_EQ(folder.read("Quorvane.cfg"), "# Quorvane's settings, rewritten when the game ends.\n"
                                           "window_width=1000\nwindow_height=800\n"
                                           "fullscreen=false\nsound=false\nvolume=7\n")
        << "kept at once, with the other settings, in case the game never ends cleanly";
    switchSound();
    EXPECT_NE(folder.read("Quorvane.cfg").find("sound=true\n"), std::string::npos);
}

} // namespace
