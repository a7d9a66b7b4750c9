#pragma once
// The settings file: the player's preferences as lines of "key=value", beside the progress
// file. Lines starting with '#' and empty lines are skipped; keys this game does not know are
// kept as they are, so a newer game's settings survive an older one. It is replaced atomically,
// as the progress file is.
//
// A setting is one field of Settings and one row of the key table in settings_file.cpp.

#include "shell/progress_file.h"

#include <string>
#include <vector>

constexpr int largestWindowSide = 16384;

struct Settings {
    // The window's size on the desktop in pixels, up to largestWindowSide; 0 when none is saved.
    int windowWidth = 0;
    int windowHeight = 0;
    bool fullScreen = false;
    bool soundOn = true; // the sound switch (M)

    std::vector<std::string> otherLines; // "key=value" lines of keys this game does not know
};

// The settings file's name and its temporary file's, in the progress file's folder.
constexpr char settingsFileName[] = "Quorvane.cfg";
constexpr char settingsTempFileName[] = "Quorvane.cfg.tmp";

// The settings file beside the progress file progressFile.
std::string settingsPathBeside(const std::string& progressFile);

// loadSettings results.
constexpr int settingsLoaded = 0;  // every line read; problems may still name ignored values
constexpr int settingsMissing = 1; // no file: the defaults
constexpr int settingsBroken = 2;  // unreadable or not made of key=value lines: the defaults

// A settings file longer than this is not ours.
constexpr std::size_t longestSettingsFile = 16384;

// Reads fileName into settings. A broken file leaves settings at their defaults; a known key
// with an unusable value keeps its default alone. Every such problem is added to problems as a
// sentence for the log.
int loadSettings(const std::string& fileName, Settings* settings,
                 std::vector<std::string>* problems);

// The bytes of a settings file: a comment, the known keys in table order, then the others.
std::string settingsBytes(const Settings& settings);

// Replaces fileName with the settings through the temporary file tempName beside it. Returns
// the codes of writeProgress: on failure the old file is untouched and no temporary is left.
int saveSettings(const std::string& fileName, const std::string& tempName, const Settings& settings,
                 ProgressFiles& files = systemFiles());
