#pragma once
// The sound switch as the player left it: kept in the settings file as soon as it is switched,
// and read back at the next start.

#include "engine/engine.h"

#include <string>

// The switch saved in settingsFile; on when there is none or the file is broken (the window's
// restore has said so in the log already).
bool rememberedSound(const std::string& settingsFile);

// Keeps the switch in settingsFile, with the file's other settings; a failure goes to the log.
void rememberSound(Engine& engine, const std::string& settingsFile, bool on);
