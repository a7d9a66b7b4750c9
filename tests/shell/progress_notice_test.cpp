// What the player learns when progress cannot be saved: a log line with the cause and one line
// on the level-done screen, while the old progress file stays as it was.

#include "shell/progress_notice.h"

#include "shell/game_actions.h"
#include "shell/screens.h"
#include "support/failing_files.h"
#include "support/game_fixture.h"

#include <algorithm>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr std::uint32_t noticeRed = 0xFFF14250;

class ProgressNoticeTest : public GameTest {
  protected:
    // Letters of the notice: red quads in the band under the level-done dialog's buttons.
    int noticeQuads() const {
        const float top = game.baseHeight * 0.5f + 150, bottom = top + 50;
        return static_cast<int>(
            std::count_if(headless().quads().begin(), headless().quads().end(), [&](auto& quad) {
                const Vertex& corner = quad.vertex[0];
                return corner.colour == noticeRed && corner.y >= top && corner.y < bottom;
            }));
    }
    int logLinesStartingWith(const std::string& text) const {
        return static_cast<int>(
            std::count_if(headless().logLines().begin(), headless().logLines().end(),
                          [&](const std::string& line) { return line.rfind(text, 0) == 0; }));
    }
    // Solves the current level and draws a frame of the level-done screen.
    void solve() {
        headless().clearRecordings();
        levelSolved(game.level, 1);
        run(1);
        ASSERT_TRUE(game.screens.shows(ScreenKind::LevelDone));
    }
    std::string file() const { return folder.file("Quorvane.sav"); }
};

TEST_F(ProgressNoticeTest, EveryFailedSaveIsLoggedWithItsCauseAndKeepsTheOldFile) {
    ASSERT_TRUE(start());
    folder.write("Quorvane.sav", "Oldgame\r\n4\r\n");
    const std::string temp = folder.file("Quorvane.tmp");
    // Steps: remove a leftover, create, write, flush, close, rename.
    const struct {
        int step, error;
        std::string cause;
    } cases[] = {
        {1, EACCES, "can't write " + temp + ": Permission denied"},
        {2, ENOSPC, "can't write " + temp + ": No space left on device"},
        {3, EIO, "can't write " + temp + ": Input/output error"},
        {5, EROFS, "can't replace it: Read-only file system"},
    };
    for (const auto& c : cases) {
        FailingFiles files(c.step, c.error);
        storeProgress(5, files);
        EXPECT_EQ(headless().logLines().back(),
                  "Can't save progress to " + file() + ": " + c.cause);
        EXPECT_EQ(game.progressNotice, "Progress could not be saved to " + file());
        EXPECT_EQ(folder.read("Quorvane.sav"), "Oldgame\r\n4\r\n");
        EXPECT_FALSE(folder.exists("Quorvane.tmp"));
    }
    FailingFiles working(-1);
    storeProgress(5, working);
    EXPECT_EQ(game.progressNotice, "");
    EXPECT_EQ(folder.read("Quorvane.sav"), "Tessmark\r\n5\r\n");
}

TEST_F(ProgressNoticeTest, TheLevelDoneScreenSaysWhereTheProgressShouldHaveGone) {
    ASSERT_TRUE(start());
    skipOpening();
    std::filesystem::create_directory(file()); // a folder where the progress file should be
    solve();
    EXPECT_EQ(progressNoticeLine(), "Progress could not be saved to " + file());
    EXPECT_GT(noticeQuads(), 20);
    EXPECT_EQ(headless().logLines().back(),
              "Can't save progress to " + file() + ": can't replace it: Is a directory");

    clickButton(*screenDialog(game.screens.top()), "Button1");
    run(2);
    EXPECT_EQ(game.level, 2);
    EXPECT_EQ(progressNoticeLine(), "") << "the line goes with the dialog";
    headless().clearRecordings();
    run(1);
    EXPECT_EQ(noticeQuads(), 0);

    std::filesystem::remove(file());
    solve();
    EXPECT_EQ(progressNoticeLine(), "") << "a save that works says nothing";
    EXPECT_EQ(noticeQuads(), 0);
    EXPECT_EQ(folder.read("Quorvane.sav"), "Tessmark\r\n3\r\n");
}

TEST_F(ProgressNoticeTest, AnUnreadableProgressFileIsLeftAloneAndThePlayerIsTold) {
    ASSERT_EQ(mkfifo(file().c_str(), 0600), 0); // neither missing nor readable
    ASSERT_TRUE(startGame());
    const std::string reason = "can't read " + file() + " (it is not a plain file)";
    EXPECT_EQ(logLinesStartingWith("Progress is not saved in this game: " + reason), 1);
    EXPECT_EQ(game.gameName, "Tessmark");
    EXPECT_EQ(game.level, 1);
    run(1);
    EXPECT_EQ(progressNoticeLine(), "Progress is not saved: " + reason) << "during the opening";
    EXPECT_GT(noticeQuads(), 20);
    skipOpening();
    EXPECT_EQ(progressNoticeLine(), "");

    solve();
    EXPECT_EQ(progressNoticeLine(), "Progress is not saved: " + reason);
    struct stat status {};
    ASSERT_EQ(stat(file().c_str(), &status), 0);
    EXPECT_TRUE(S_ISFIFO(status.st_mode)) << "the file was replaced";
    EXPECT_FALSE(folder.exists("Quorvane.tmp"));
}

TEST_F(ProgressNoticeTest, ALockedProgressFileKeepsItsBytes) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "permissions do not stop the superuser";
    }
    folder.write("Quorvane.sav", "Other\r\n5\r\n");
    std::filesystem::permissions(file(), std::filesystem::perms::none);
    ASSERT_TRUE(start());
    skipOpening();
    solve();
    EXPECT_EQ(progressNoticeLine(),
              "Progress is not saved: can't read " + file() + " (Permission denied)");
    std::filesystem::permissions(file(), std::filesystem::perms::owner_read);
    EXPECT_EQ(folder.read("Quorvane.sav"), "Other\r\n5\r\n");
}

TEST_F(ProgressNoticeTest, WithNoPlaceForProgressTheGameSaysSoOnceAndWritesNothing) {
    game.progressFileName = "";
    game.unsavedReason = "no data folder: neither XDG_DATA_HOME nor HOME names one";
    const bool hadFile = std::filesystem::exists("Quorvane.sav");
    ASSERT_TRUE(startGame());
    EXPECT_EQ(logLinesStartingWith("Progress is not saved in this game: no data folder"), 1);
    skipOpening();
    solve();
    EXPECT_EQ(progressNoticeLine(),
              "Progress is not saved: no data folder: neither XDG_DATA_HOME nor HOME names one");
    clickButton(*screenDialog(game.screens.top()), "Button1");
    run(2);
    solve();
    EXPECT_EQ(logLinesStartingWith("Progress is not saved"), 0) << "logged only at start-up";
    EXPECT_EQ(std::filesystem::exists("Quorvane.sav"), hadFile) << "nothing in the working folder";
    EXPECT_FALSE(std::filesystem::exists("Quorvane.tmp"));
}

} // namespace
