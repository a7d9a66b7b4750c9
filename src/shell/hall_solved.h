#pragma once
// What a solved hall does to the game: the level-done dialog (or, after the last level, the
// last-level dialog) opens and the progress file moves on to the next level.

// Opens the dialog for a solved level (closing the menu) and stores the progress when a next
// level exists.
void reportHallSolved(int level);
