#include "shell/user_files.h"

#include "support/temp_folder.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace {

// Sets an environment variable for the test's duration.
class ScopedVariable {
  public:
    ScopedVariable(const char* name, const char* value) : name_(name) {
        const char* old = std::getenv(name);
        hadOld_ = old != nullptr;
        old_ = hadOld_ ? old : "";
        if (value != nullptr) {
            setenv(name, value, 1);
        } else {
            unsetenv(name);
        }
    }
    ~ScopedVariable() {
        if (hadOld_) {
            setenv(name_, old_.c_str(), 1);
        } else {
            unsetenv(name_);
        }
    }

  private:
    const char* name_;
    bool hadOld_;
    std::string old_;
};

TEST(UserFilePathTest, UsesTheDataHomeAndCreatesTheGamesFolder) {
    TempFolder folder;
    ScopedVariable xdg("XDG_DATA_HOME", folder.path().c_str());
    EXPECT_EQ(userFilePath("Quorvane.sav"), folder.file("quorvane/Quorvane.sav"));
    EXPECT_TRUE(std::filesystem::is_directory(folder.file("quorvane")));
}

TEST(UserFilePathTest, FallsBackToHomeThenToTheWorkingDirectory) {
    TempFolder folder;
    ScopedVariable xdg("XDG_DATA_HOME", "relative/ignored");
    {
        ScopedVariable home("HOME", folder.path().c_str());
        EXPECT_EQ(userFilePath("Quorvane.sav"), folder.file(".local/share/quorvane/Quorvane.sav"));
    }
    ScopedVariable home("HOME", nullptr);
    EXPECT_EQ(userFilePath("Quorvane.sav"), "Quorvane.sav");
}

TEST(UserFilePathTest, AFolderThatCannotBeMadeMeansTheWorkingDirectory) {
    TempFolder folder;
    folder.write("quorvane", "a file where the folder should be");
    ScopedVariable xdg("XDG_DATA_HOME", folder.path().c_str());
    EXPECT_EQ(userFilePath("Quorvane.sav"), "Quorvane.sav");
}

} // namespace
