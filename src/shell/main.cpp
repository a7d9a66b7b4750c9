// The game's entry: the progress file lives in the player's data folder, then the game runs.

#include "shell/game_state.h"
#include "shell/startup.h"
#include "shell/user_files.h"
#include "solver/search_memory.h"

int main() {
    keepSearchMemory(); // for the hints
    // Without a data folder progress is not kept; start-up tells the player why.
    game.progressFileName = userFilePath(game.progressFileName, &game.unsavedReason);
    return runGame();
}
