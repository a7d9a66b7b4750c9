#include "shell/sound_memory.h"

#include "shell/settings_file.h"

#include <vector>

bool rememberedSound(const std::string& settingsFile) {
    Settings settings;
    std::vector<std::string> problems;
    loadSettings(settingsFile, &settings, &problems);
    return settings.soundOn;
}

void rememberSound(Engine& engine, const std::string& settingsFile, bool on) {
    Settings settings;
    std::vector<std::string> problems;
    loadSettings(settingsFile, &settings, &problems);
    if (settings.soundOn == on) {
        return;
    }
    settings.soundOn = on;
    if (saveSettings(settingsFile, settingsTempFileName, settings) != progressSaved) {
        engine.logLine("Can't save the settings to %s", settingsFile.c_str());
    }
}
