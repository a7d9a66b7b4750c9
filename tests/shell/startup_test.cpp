#include "shell/game_flow.h"
#include "support/game_fixture.h"

#include <filesystem>

namespace {

using StartupTest = GameTest;

TEST_F(StartupTest, SizesTheWindowToTheDesktopAndScalesThePointer) {
    headless().setDesktopSize(1024, 768);
    ASSERT_TRUE(start());
    EXPECT_EQ(headless().text(textTitle), "Quorvane - quorvane.example");
    EXPECT_EQ(headless().number(numberWidth), 693);
    EXPECT_EQ(headless().number(numberHeight), 693);
    EXPECT_EQ(headless().number(numberFramesPerSecond), 50);
    EXPECT_TRUE(headless().flag(flagWindowed));
    EXPECT_FLOAT_EQ(headless().viewScale(), 0.75f);

    // Window pixel 690 is logical 920: on the engine link, which opens its page.
    skipOpening();
    clickAt(690, 690);
    run(2);
    ASSERT_EQ(headless().webAddresses().size(), 1u);
    EXPECT_EQ(headless().webAddresses()[0], "https://www.libsdl.org/");
}

TEST_F(StartupTest, WithoutAProgressFileTheFirstLevelOfTessmarkIsPlayed) {
    ASSERT_TRUE(start());
    skipOpening();
    EXPECT_EQ(game.gameName, "Tessmark");
    EXPECT_EQ(game.level, 1);
    EXPECT_EQ(game.phase, -1);
    EXPECT_FALSE(folder.exists("Quorvane.sav")) << "nothing is saved before a level is solved";
}

TEST_F(StartupTest, ContinuesTheSavedGameAndIgnoresABrokenFile) {
    folder.write("Quorvane.sav", "Other\r\n5\r\n");
    ASSERT_TRUE(start());
    EXPECT_EQ(game.gameName, "Other");
    EXPECT_EQ(game.level, 5);
    endGame();

    resetGame();
    folder.write("Quorvane.sav", std::string("\xff\x00garbage\r\n\r\n", 13));
    headless().reset();
    ASSERT_TRUE(start());
    EXPECT_EQ(game.gameName, "Tessmark");
    EXPECT_EQ(game.level, 1);
}

TEST_F(StartupTest, WithoutTheGraphicsPackItSaysSoAndNeverLoadsSounds) {
    std::filesystem::copy_file(headless().programDirectory() + "/Sound.paq",
                               folder.file("Sound.paq"));
    headless().setProgramDirectory(folder.path());
    EXPECT_FALSE(startGame());
    ASSERT_EQ(headless().messageBoxes().size(), 1u);
    EXPECT_EQ(headless().messageBoxes()[0], "Error: Can't load graphics.");
    EXPECT_EQ(headless().soundName(1), "") << "the sound pack is never read";
}

TEST_F(StartupTest, WithoutTheSoundPackItSaysSo) {
    std::filesystem::copy_file(headless().programDirectory() + "/Graphics.paq",
                               folder.file("Graphics.paq"));
    headless().setProgramDirectory(folder.path());
    EXPECT_FALSE(startGame());
    ASSERT_EQ(headless().messageBoxes().size(), 1u);
    EXPECT_EQ(headless().messageBoxes()[0], "Error: Can't load sounds.");
}

TEST_F(StartupTest, FindsThePacksOfAnInstalledGame) {
    std::filesystem::create_directories(folder.file("bin"));
    std::filesystem::create_directories(folder.file("share/quorvane"));
    folder.write("share/quorvane/Graphics.paq", "x");
    EXPECT_EQ(findPack(folder.file("bin"), "Graphics.paq"),
              folder.file("share/quorvane/Graphics.paq"));
    folder.write("bin/Graphics.paq", "x");
    EXPECT_EQ(findPack(folder.file("bin"), "Graphics.paq"), folder.file("bin/Graphics.paq"));
    EXPECT_EQ(findPack(folder.file("bin"), "Sound.paq"), folder.file("bin/Sound.paq"));
}

TEST_F(StartupTest, FindsThePacksOfADebianPackageFirst) {
    // /usr/games/quorvane with /usr/share/games/quorvane, as Debian lays out games.
    for (const char* share : {"share/games/quorvane", "share/quorvane"}) {
        std::filesystem::create_directories(folder.file(share));
        folder.write(std::string(share) + "/Sound.paq", "x");
    }
    std::filesystem::create_directories(folder.file("games"));
    EXPECT_EQ(findPack(folder.file("games"), "Sound.paq"),
              folder.file("share/games/quorvane/Sound.paq"));
    EXPECT_EQ(findPack(folder.file("games"), "Graphics.paq"), folder.file("games/Graphics.paq"));

    // The whole game starts from there.
    const std::string installed = folder.file("usr/share/games/quorvane");
    std::filesystem::create_directories(installed);
    std::filesystem::create_directories(folder.file("usr/games"));
    for (const char* pack : {"Graphics.paq", "Sound.paq"}) {
        std::filesystem::copy_file(headless().programDirectory() + "/" + pack,
                                   installed + "/" + pack);
    }
    headless().setProgramDirectory(folder.file("usr/games"));
    EXPECT_TRUE(start());
    EXPECT_TRUE(headless().messageBoxes().empty());
}

} // namespace
