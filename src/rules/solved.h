#pragma once
// What a solved hall does to the game: the level-done screen (or, after the last level, the
// last-level screen) opens and the progress moves on to the next level.

// Opens the screen for a solved level (closing any other) and stores the progress.
void reportHallSolved(int level);
