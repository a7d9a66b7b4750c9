#include "shell/progress_file.h"

#include "shell/game_state.h"

#include "support/failing_files.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

namespace {

struct Loaded {
    int code;
    std::string name;
    int level;
};

Loaded loadFrom(const TempFolder& folder, const std::string& bytes) {
    folder.write("Quorvane.sav", bytes);
    Loaded result{0, "unchanged", -7};
    result.code = loadProgress(folder.file("Quorvane.sav"), &result.name, &result.level);
    return result;
}

TEST(LoadProgressTest, TrimsTheNameAndReadsTheLevelWithAnyLineEnds) {
    TempFolder folder;
    using namespace std::string_literals;
    for (const std::string& bytes : {"  Tessmark  \r\n7\r\n"s, "  Tessmark  \n7\n"s,
                                     "\tTessmark\n\r7"s, "Tess\0mark\r\n7\r\n"s}) {
        const Loaded loaded = loadFrom(folder, bytes);
        EXPECT_EQ(loaded.code, progressLoaded);
        EXPECT_EQ(loaded.name, "Tessmark");
        EXPECT_EQ(loaded.level, 7);
    }
    // The level reads like strtol: digits up to the first other character.
    const Loaded trailing = loadFrom(folder, "Game\r\n12abc\r\n");
    EXPECT_EQ(trailing.code, progressLoaded);
    EXPECT_EQ(trailing.level, 12);
}

TEST(LoadProgressTest, EveryRejectionHasItsCodeAndChangesNothing) {
    TempFolder folder;
    const struct {
        std::string bytes;
        int code;
    } cases[] = {
        {"", progressNoName},
        {"\r\n7\r\n", progressNoName},
        {"   \r\n7\r\n", progressBadName},
        {"ABCDEFGHIJKLMNOPQ\r\n7\r\n", progressBadName},
        {"Tessmark", progressNoLevel},
        {"Tessmark\r\n", progressNoLevel},
        {"Tessmark\r\n\r\n7\r\n", progressNoLevel}, // CR LF CR LF ends two lines
        {"Tessmark\r\n0\r\n", progressBadLevel},
        {"Tessmark\r\n100\r\n", progressBadLevel},
        {"Tessmark\r\n-5\r\n", progressBadLevel},
        {"Tessmark\r\nseven\r\n", progressBadLevel},
        {"Tessmark\r\n99999999999999999999999\r\n", progressBadLevel},
    };
    for (const auto& c : cases) {
        const Loaded loaded = loadFrom(folder, c.bytes);
        EXPECT_EQ(loaded.code, c.code) << c.bytes;
        EXPECT_EQ(loaded.name, "unchanged");
        EXPECT_EQ(loaded.level, -7);
    }
    std::string name;
    int level = 0;
    EXPECT_EQ(loadProgress(folder.file("missing.sav"), &name, &level), progressCannotOpen);
}

TEST(LoadProgressTest, SixteenCharactersAreTheLongestName) {
    TempFolder folder;
    const Loaded loaded = loadFrom(folder, "ABCDEFGHIJKLMNOP\r\n99\r\n");
    EXPECT_EQ(loaded.code, progressLoaded);
    EXPECT_EQ(loaded.name, "ABCDEFGHIJKLMNOP");
    EXPECT_EQ(loaded.level, 99);
}

TEST(ReadLineTest, PairsOfUnlikeEndsEndOneLineAndLikeEndsTwo) {
    TempFolder folder;
    folder.write("lines", "a\r\nb\n\rc\r\rd\n\ne");
    std::FILE* file = std::fopen(folder.file("lines").c_str(), "rb");
    ASSERT_NE(file, nullptr);
    std::string text;
    std::vector<std::pair<int, std::string>> lines;
    int count;
    while ((count = readLine(file, &text)) >= 0) {
        lines.emplace_back(count, text);
    }
    std::fclose(file);
    const std::vector<std::pair<int, std::string>> expected = {
        {1, "a"}, {1, "b"}, {1, "c"}, {0, ""}, {1, "d"}, {0, ""}, {1, "e"}};
    EXPECT_EQ(lines, expected);
}

TEST(SaveProgressTest, WritesTheExactBytesBesideTheProgressFile) {
    TempFolder folder;
    EXPECT_EQ(writeProgress(folder.file("Quorvane.sav"), "Quorvane.tmp", "Tessmark", 12),
              progressSaved);
    EXPECT_EQ(folder.read("Quorvane.sav"), "Tessmark\r\n12\r\n");
    EXPECT_EQ(folder.read("Quorvane.sav").size(), 14u);
    EXPECT_FALSE(folder.exists("Quorvane.tmp"));

    std::string name;
    int level = 0;
    EXPECT_EQ(loadProgress(folder.file("Quorvane.sav"), &name, &level), progressLoaded);
    EXPECT_EQ(name, "Tessmark");
    EXPECT_EQ(level, 12);
}

TEST(SaveProgressTest, SavesTheGamesNameThroughItsTemporaryFile) {
    TempFolder folder;
    const std::string oldName = game.gameName;
    game.gameName = "Zq-7.x";
    EXPECT_EQ(saveProgress(folder.file("Quorvane.sav"), 6), progressSaved);
    game.gameName = oldName;
    EXPECT_EQ(folder.read("Quorvane.sav"), "Zq-7.x\r\n6\r\n");
    EXPECT_FALSE(folder.exists(game.tempFileName));
}

TEST(SaveProgressTest, ReplacesALeftoverTemporaryFile) {
    TempFolder folder;
    folder.write("Quorvane.tmp", "stale bytes from a crash");
    EXPECT_EQ(writeProgress(folder.file("Quorvane.sav"), "Quorvane.tmp", "Game", 3), progressSaved);
    EXPECT_EQ(folder.read("Quorvane.sav"), "Game\r\n3\r\n");
    EXPECT_FALSE(folder.exists("Quorvane.tmp"));
}

TEST(SaveProgressTest, AFailedRenameKeepsTheOldStateAndRemovesTheTemporaryFile) {
    TempFolder folder;
    // A folder in the progress file's place cannot be replaced by a file.
    std::filesystem::create_directory(folder.file("Quorvane.sav"));
    EXPECT_EQ(writeProgress(folder.file("Quorvane.sav"), "Quorvane.tmp", "Game", 3),
              progressRenameFailed);
    EXPECT_TRUE(std::filesystem::is_directory(folder.file("Quorvane.sav")));
    EXPECT_FALSE(folder.exists("Quorvane.tmp"));

    EXPECT_EQ(writeProgress(folder.file("nowhere/Quorvane.sav"), "Quorvane.tmp", "Game", 3),
              progressTempFailed);
}

TEST(SaveProgressTest, EveryFailingStepLeavesTheOldOrTheNewProgress) {
    int step = 0;
    for (;; ++step) {
        TempFolder folder;
        const std::string file = folder.file("Quorvane.sav");
        folder.write("Quorvane.sav", "Oldgame\r\n4\r\n");
        FailingFiles files(step);
        const int code = writeProgress(file, "Quorvane.tmp", "Newgame", 5, files);

        std::string name;
        int level = 0;
        ASSERT_EQ(loadProgress(file, &name, &level), progressLoaded) << "step " << step;
        if (code == progressSaved) {
            EXPECT_EQ(name, "Newgame");
            EXPECT_EQ(level, 5);
        } else {
            EXPECT_EQ(name, "Oldgame") << "step " << step;
            EXPECT_EQ(level, 4);
            EXPECT_EQ(folder.read("Quorvane.sav"), "Oldgame\r\n4\r\n");
        }
        if (step >= files.operations()) {
            EXPECT_EQ(code, progressSaved);
            break;
        }
    }
    EXPECT_GE(step, 6) << "remove, create, write, flush, close and rename must all be tried";
}

TEST(SaveProgressTest, FailuresBeforeTheRenameReportOneAndTheRenameTwo) {
    // Operation order: remove leftover, create, write, flush, close, rename.
    const int expected[] = {progressSaved,      progressTempFailed, progressTempFailed,
                            progressTempFailed, progressTempFailed, progressRenameFailed};
    for (int step = 0; step < 6; ++step) {
        TempFolder folder;
        FailingFiles files(step);
        EXPECT_EQ(writeProgress(folder.file("Quorvane.sav"), "Quorvane.tmp", "Game", 2, files),
                  expected[step])
            << "step " << step;
        EXPECT_FALSE(folder.exists("Quorvane.tmp")) << "step " << step;
    }
}

} // namespace
