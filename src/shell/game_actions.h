#pragma once
// What the player's choices do to the running game, shared by the frame handler and the
// screens: starting a game at a level, skipping a level, a solved level, the sound switch, and
// the short input block after each of them.

#include <string>

// Input is ignored until the debounce interval after the last shell action (and the first
// 0.35 s of every level) has passed.
bool inputBlocked();
void blockInput();

void playClickSound();

// The game named name at level (1..99) starts; it becomes that name's current level.
void playLevel(const std::string& name, int level);

// The current level is marked skipped and the next one starts; level 99 opens the level choice
// instead, as there is no next level.
void skipLevel();

// A solved level: both progress files move on, and the level-done screen (or after the last
// level, the last-level screen) opens. moves is the count of moves that solved it (0 = not
// counted).
void levelSolved(int level, int moves);

// Undo and redo: the steps of the level's history (game.history). A redone move is made in
// this frame's play, as it was made then: redoStep is true then.
void undoStep();
bool redoStep();

// "Try again" and R: the level from its start, as a step that undo takes back.
void restartLevel();

// Sound on or off, for every sound from now on.
void setSound(bool on);
// The sound switch (M and the menu): turns sound off or on and keeps it for the next run.
void switchSound();

// The progress-per-name file, beside the progress file.
std::string nameProgressPath();

// Reads the progress per name at start-up; a missing or broken file is said in the log and
// leaves an empty book. The progress file's name and level count as reached. Returns the
// loadProgressBook code.
int readNameProgress();

// Writes the progress per name; a failure is said in the log. False on failure.
bool saveNameProgress();
