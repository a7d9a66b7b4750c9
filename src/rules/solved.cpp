#include "rules/solved.h"

#include "gui/dialog.h"
#include "shell/game_state.h"
#include "shell/progress_file.h"

namespace {

constexpr int lastLevel = 99;

// The progress file moves on to the next level; a failed save leaves the old file as it was.
void storeProgress(int level) {
    writeProgress(game.progressFileName, game.tempFileName, game.gameName, level);
}

void openInsteadOfMenu(Dialog& dialog) {
    if (dialog.open) {
        return;
    }
    game.menuDialog.open = false;
    dialog.open = true;
}

} // namespace

void reportHallSolved(int level) {
    if (level < lastLevel) {
        openInsteadOfMenu(game.levelDoneDialog);
        storeProgress(level + 1);
    } else {
        openInsteadOfMenu(game.lastLevelDialog);
    }
}
