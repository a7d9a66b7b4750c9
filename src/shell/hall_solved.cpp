#include "shell/hall_solved.h"

#include "gui/dialog.h"
#include "shell/game_state.h"
#include "shell/progress_notice.h"

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
        storeProgress(level + 1); // a failed save keeps the old file and says so
    } else {
        openInsteadOfMenu(game.lastLevelDialog);
    }
}
