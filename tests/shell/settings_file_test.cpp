#include "shell/settings_file.h"

#include "support/failing_files.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

namespace {

struct Loaded {
    int code = -1;
    Settings settings;
    std::vector<std::string> problems;
};

Loaded loadFrom(const TempFolder& folder, const std::string& bytes) {
    folder.write("Quorvane.cfg", bytes);
    Loaded loaded;
    loaded.settings.windowWidth = 7; // must not survive a load
    loaded.code = loadSettings(folder.file("Quorvane.cfg"), &loaded.settings, &loaded.problems);
    return loaded;
}

bool isDefault(const Settings& settings) {
    return settings.windowWidth == 0 && settings.windowHeight == 0 && !settings.fullScreen &&
           settings.soundOn && settings.otherLines.empty();
}

TEST(SettingsFileTest, SavesAndReadsBackEveryKeyAndKeepsUnknownOnes) {
    TempFolder folder;
    Settings settings;
    settings.windowWidth = 1000;
    settings.windowHeight = 740;
    settings.fullScreen = true;
    settings.soundOn = false;
    settings.otherLines = {"music=off"};
    ASSERT_EQ(saveSettings(folder.file("Quorvane.cfg"), "Quorvane.cfg.tmp", settings),
              progressSaved);
    EXPECT_EQ(folder.read("Quorvane.cfg"), "# Quorvane's settings, rewritten when the game ends.\n"
                                           "window_width=1000\nwindow_height=740\n"
                                           "fullscreen=true\nsound=false\nmusic=off\n");
    EXPECT_FALSE(folder.exists("Quorvane.cfg.tmp"));

    Settings read;
    std::vector<std::string> problems;
    ASSERT_EQ(loadSettings(folder.file("Quorvane.cfg"), &read, &problems), settingsLoaded);
    EXPECT_TRUE(problems.empty());
    EXPECT_EQ(read.windowWidth, 1000);
    EXPECT_EQ(read.windowHeight, 740);
    EXPECT_TRUE(read.fullScreen);
    EXPECT_FALSE(read.soundOn);
    EXPECT_EQ(read.otherLines, std::vector<std::string>{"music=off"});
}

TEST(SettingsFileTest, ReadsWhatAPlayerMightWriteByHand) {
    TempFolder folder;
    const Loaded plain = loadFrom(folder, "# my settings\r\n\r\n"
                                          "  window_width = 800 \r\n"
                                          "\twindow_height=600\r\n"
                                          "fullscreen=yes\r\n"
                                          "colour.theme=dark blue\r\n"
                                          "window_width=820");
    ASSERT_EQ(plain.code, settingsLoaded);
    EXPECT_TRUE(plain.problems.empty());
    EXPECT_EQ(plain.settings.windowWidth, 820) << "the last of a repeated key counts";
    EXPECT_EQ(plain.settings.windowHeight, 600);
    EXPECT_TRUE(plain.settings.fullScreen);
    EXPECT_EQ(plain.settings.otherLines, std::vector<std::string>{"colour.theme=dark blue"});

    for (const char* off : {"false", "no", "off", "0"}) {
        EXPECT_FALSE(loadFrom(folder, std::string("fullscreen=") + off).settings.fullScreen);
    }
    for (const char* on : {"true", "yes", "on", "1"}) {
        EXPECT_TRUE(loadFrom(folder, std::string("fullscreen=") + on).settings.fullScreen);
    }
}

TEST(SettingsFileTest, AMissingOrEmptyFileGivesTheDefaultsQuietly) {
    TempFolder folder;
    Loaded missing;
    missing.code = loadSettings(folder.file("none.cfg"), &missing.settings, &missing.problems);
    EXPECT_EQ(missing.code, settingsMissing);
    EXPECT_TRUE(isDefault(missing.settings));
    EXPECT_TRUE(missing.problems.empty());

    for (const char* bytes : {"", "\n\n", "# nothing yet\n"}) {
        const Loaded empty = loadFrom(folder, bytes);
        EXPECT_EQ(empty.code, settingsLoaded);
        EXPECT_TRUE(isDefault(empty.settings)) << bytes;
        EXPECT_TRUE(empty.problems.empty());
    }
}

TEST(SettingsFileTest, AFileThatIsNotKeyValueLinesIsIgnoredWhole) {
    TempFolder folder;
    using namespace std::string_literals;
    const std::string cases[] = {
        "window_width=800\nthis is no setting\nfullscreen=true\n",
        "window_width=800\n=600\n",
        "window width=800\n",
        "window_width=800\nfullscreen=tr\0ue\n"s,
        "\xff\xfe\x00\x01\x02garbage"s,
        "window_width=800\nkey=value\x1b[2J\n",
        std::string(longestSettingsFile + 1, '#'),
    };
    for (const std::string& bytes : cases) {
        const Loaded broken = loadFrom(folder, bytes);
        EXPECT_EQ(broken.code, settingsBroken) << bytes;
        EXPECT_TRUE(isDefault(broken.settings)) << bytes;
        ASSERT_EQ(broken.problems.size(), 1u) << bytes;
        EXPECT_NE(broken.problems[0].find("ignoring the whole file"), std::string::npos);
    }
    EXPECT_NE(loadFrom(folder, cases[0]).problems[0].find("line 2"), std::string::npos);
    // A folder in the file's place cannot be read.
    std::filesystem::create_directory(folder.file("folder.cfg"));
    Loaded folderCase;
    folderCase.code =
        loadSettings(folder.file("folder.cfg"), &folderCase.settings, &folderCase.problems);
    EXPECT_NE(folderCase.code, settingsLoaded);
    EXPECT_TRUE(isDefault(folderCase.settings));
}

TEST(SettingsFileTest, AnUnusableValueKeepsItsDefaultAndIsNamed) {
    TempFolder folder;
    for (const char* value :
         {"-5", "16385", "99999999999999999999", "abc", "12px", "", "+800", "8 00", "0x300"}) {
        const Loaded loaded =
            loadFrom(folder, std::string("window_width=") + value + "\nwindow_height=600\n");
        EXPECT_EQ(loaded.code, settingsLoaded) << value;
        EXPECT_EQ(loaded.settings.windowWidth, 0) << value;
        EXPECT_EQ(loaded.settings.windowHeight, 600) << value;
        ASSERT_EQ(loaded.problems.size(), 1u) << value;
        EXPECT_NE(loaded.problems[0].find("window_width"), std::string::npos);
        EXPECT_NE(loaded.problems[0].find("line 1"), std::string::npos);
    }
    const Loaded largest = loadFrom(folder, "window_width=16384\nwindow_height=0\n");
    EXPECT_EQ(largest.settings.windowWidth, 16384);
    EXPECT_TRUE(largest.problems.empty());

    const Loaded flag = loadFrom(folder, "fullscreen=maybe\n");
    EXPECT_FALSE(flag.settings.fullScreen);
    EXPECT_EQ(flag.problems.size(), 1u);
}

TEST(SettingsFileTest, EveryFailingStepLeavesTheOldOrTheNewSettings) {
    Settings oldSettings, newSettings;
    oldSettings.windowWidth = 640;
    newSettings.windowWidth = 1280;
    newSettings.fullScreen = true;
    int step = 0;
    for (;; ++step) {
        TempFolder folder;
        const std::string file = folder.file("Quorvane.cfg");
        folder.write("Quorvane.cfg", settingsBytes(oldSettings));
        FailingFiles files(step);
        const int code = saveSettings(file, "Quorvane.cfg.tmp", newSettings, files);

        const std::string expected =
            settingsBytes(code == progressSaved ? newSettings : oldSettings);
        EXPECT_EQ(folder.read("Quorvane.cfg"), expected) << "step " << step;
        EXPECT_FALSE(folder.exists("Quorvane.cfg.tmp")) << "step " << step;
        if (step >= files.operations()) {
            EXPECT_EQ(code, progressSaved);
            break;
        }
        if (step >= 1 && step <= 5) {
            EXPECT_NE(code, progressSaved) << "step " << step;
        }
    }
    EXPECT_GE(step, 6);
}

TEST(SettingsFileTest, LiesBesideTheProgressFile) {
    EXPECT_EQ(settingsPathBeside("/home/p/.local/share/quorvane/Quorvane.sav"),
              "/home/p/.local/share/quorvane/Quorvane.cfg");
    EXPECT_EQ(settingsPathBeside("Quorvane.sav"), "Quorvane.cfg");
}

} // namespace
