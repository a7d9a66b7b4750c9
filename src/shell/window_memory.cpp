#include "shell/window_memory.h"

#include "shell/settings_file.h"

#include <algorithm>

void fitWindowToDesktop(int* width, int* height, int desktopWidth, int desktopHeight) {
    *width = std::clamp(*width, std::min(smallestWindow, desktopWidth), desktopWidth);
    *height = std::clamp(*height, std::min(smallestWindow, desktopHeight), desktopHeight);
}

void restoreWindow(Engine& engine, const std::string& settingsFile, int desktopWidth,
                   int desktopHeight) {
    Settings settings;
    std::vector<std::string> problems;
    loadSettings(settingsFile, &settings, &problems);
    for (const std::string& problem : problems) {
        engine.logLine("Settings file %s: %s", settingsFile.c_str(), problem.c_str());
    }
    int width = settings.windowWidth, height = settings.windowHeight;
    if (width > 0 && height > 0 && desktopWidth > 0 && desktopHeight > 0) {
        fitWindowToDesktop(&width, &height, desktopWidth, desktopHeight);
        engine.setNumber(numberWindowWidth, width);
        engine.setNumber(numberWindowHeight, height);
        engine.logLine("Window size restored: %d x %d", width, height);
    }
    if (settings.fullScreen) {
        engine.setFlag(flagWindowed, false);
        engine.logLine("Window restored to full screen");
    }
}

void rememberWindow(Engine& engine, const std::string& settingsFile) {
    int width = 0, height = 0;
    bool fullScreen = false;
    if (!engine.windowPlacement(&width, &height, &fullScreen)) {
        return;
    }
    Settings settings;
    std::vector<std::string> problems; // said in the log at start-up already
    const int loaded = loadSettings(settingsFile, &settings, &problems);
    const std::string before = settingsBytes(settings);
    settings.windowWidth = std::min(width, largestWindowSide);
    settings.windowHeight = std::min(height, largestWindowSide);
    settings.fullScreen = fullScreen;
    if (loaded == settingsLoaded && problems.empty() && settingsBytes(settings) == before) {
        return;
    }
    if (saveSettings(settingsFile, settingsTempFileName, settings) != progressSaved) {
        engine.logLine("Can't save the settings to %s", settingsFile.c_str());
    }
}
