#include "shell/user_files.h"

#include "support/scoped_variable.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

namespace {

TEST(UserFilePathTest, UsesTheDataHomeAndCreatesTheGamesFolder) {
    TempFolder folder;
    ScopedVariable xdg("XDG_DATA_HOME", folder.path().c_str());
    EXPECT_EQ(userFilePath("Quorvane.sav"), folder.file("quorvane/Quorvane.sav"));
    EXPECT_TRUE(std::filesystem::is_directory(folder.file("quorvane")));
}

TEST(UserFilePathTest, FallsBackToHomeButNeverToTheWorkingDirectory) {
    TempFolder folder;
    ScopedVariable xdg("XDG_DATA_HOME", "relative/ignored");
    {
        ScopedVariable home("HOME", folder.path().c_str());
        EXPECT_EQ(userFilePath("Quorvane.sav"), folder.file(".local/share/quorvane/Quorvane.sav"));
    }
    ScopedVariable home("HOME", nullptr);
    std::string problem;
    EXPECT_EQ(userFilePath("Quorvane.sav", &problem), "");
    EXPECT_EQ(problem, "no data folder: neither XDG_DATA_HOME nor HOME names one");
}

TEST(UserFilePathTest, AnUnusableDataFolderMeansNoPlaceAndSaysWhy) {
    TempFolder folder;
    folder.write("quorvane", "a file where the folder should be");
    {
        ScopedVariable xdg("XDG_DATA_HOME", folder.path().c_str());
        std::string problem;
        EXPECT_EQ(userFilePath("Quorvane.sav", &problem), "");
        const std::string expected = "can't make the data folder " + folder.file("quorvane") + ": ";
        EXPECT_EQ(problem.rfind(expected, 0), 0u) << problem;
    }
    ScopedVariable xdg("XDG_DATA_HOME", "/dev/null");
    std::string problem;
    EXPECT_EQ(userFilePath("Quorvane.sav", &problem), "");
    EXPECT_EQ(problem.rfind("can't make the data folder /dev/null/quorvane: ", 0), 0u) << problem;
}

} // namespace
