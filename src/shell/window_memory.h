#pragma once
// The window as the player left it: its size on the desktop and whether it filled the screen
// are kept in the settings file when the game ends, and given back to the window at the next
// start, made to fit the desktop of the day.

#include "engine/engine.h"

#include <string>

// No restored window is smaller than this, in either direction, unless the desktop is.
constexpr int smallestWindow = 200;

// A saved window size made to fit the desktop: each side within smallestWindow and the
// desktop's side.
void fitWindowToDesktop(int* width, int* height, int desktopWidth, int desktopHeight);

// Before the window opens: the saved size (fitted to the desktop) and full screen from the
// settings file, set as the engine's window states. Problems with the file go to the log.
void restoreWindow(Engine& engine, const std::string& settingsFile, int desktopWidth,
                   int desktopHeight);

// When the game ends, while the window is open: its size and full screen into the settings
// file, keeping the file's other settings. The file is left alone when nothing changed.
void rememberWindow(Engine& engine, const std::string& settingsFile);
