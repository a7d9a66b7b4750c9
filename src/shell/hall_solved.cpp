#include "shell/hall_solved.h"

#include "gui/dialog.h"
#include "shell/game_state.h"
#include "shell/progress_file.h"

namespace {

constexpr int lastLevel = 99;

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
        saveProgress(game.progressFileName, level + 1); // a failed save keeps the old file
    } else {
        openInsteadOfMenu(game.lastLevelDialog);
    }
}
