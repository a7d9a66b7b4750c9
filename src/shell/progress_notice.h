#pragma once
// What the player is told about their progress: a save that failed, or a run that keeps no
// progress at all (no data folder, or a progress file that cannot be read and so must not be
// overwritten). The log says why; the screen shows one line with the level-done dialog, and
// during the opening when the run keeps no progress.

#include "shell/progress_file.h"

#include <string>

// Makes this run save no progress, and logs why (once).
void keepProgressUnsaved(const std::string& reason);

// Saves level as the level to continue from, unless the run keeps no progress; a failed save is
// logged with its cause. Either way sets the line shown with the level-done dialog.
void storeProgress(int level, ProgressFiles& files = systemFiles());

// The line about progress that the screen shows now; empty when none.
std::string progressNoticeLine();

// Draws that line, centred under the dialogs, in the small font.
void drawProgressNotice();
