#pragma once
// The screens of the game, each made fresh when it opens.

#include "shell/screen_stack.h"

#include <memory>
#include <string>

struct Dialog;

// New, Try again, Levels, Skip level, How to play, Sound, Quit; Escape closes it.
std::unique_ptr<Screen> makeMenuScreen();
// "Level Complete" with a line under it (moves, or a failed save), Next and Quit.
std::unique_ptr<Screen> makeLevelDoneScreen(const std::string& note);
// After level 99: New and Quit.
std::unique_ptr<Screen> makeLastLevelScreen();
// The name of a new game, with Start and Back; fromMenu places it as the menu's follower,
// otherwise as the last-level screen's.
std::unique_ptr<Screen> makeNameEntryScreen(bool fromMenu);
// A name played before: continue at its level, or start again at level 1.
std::unique_ptr<Screen> makeContinueScreen(const std::string& name, int level);
// Levels 1 to 99 of the current name.
std::unique_ptr<Screen> makeLevelSelectScreen();
// How to play: the aim, every element with its picture, and the keys.
std::unique_ptr<Screen> makeHelpScreen();

// The dialog of a screen that has one (tests press its buttons); null otherwise.
Dialog* screenDialog(Screen* screen);
