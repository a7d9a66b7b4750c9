#include "shell/game_actions.h"

#include "hall/hall_grid.h"
#include "presentation/effect_manager.h"
#include "shell/game_flow.h"
#include "shell/game_state.h"
#include "shell/play_step.h"
#include "shell/progress_notice.h"
#include "shell/screens.h"
#include "shell/settings_file.h"
#include "shell/sound_memory.h"
#include "shell/text_fields.h"

#include <utility>

namespace {

constexpr int clickVolume = 40;
constexpr int fullVolume = 100;
constexpr float cellSize = 44; // hall-plane units

const char* bookProblem(int code) {
    switch (code) {
    case bookMissing:
        return "not there yet";
    case bookUnreadable:
        return "cannot be read";
    case bookBroken:
        return "is not a progress file; progress per name starts afresh";
    default:
        return "has damaged lines";
    }
}

// The play state was put back: the clock goes back with it, so that the frames from here are
// played as they were then, and the hall's view and effects follow.
void positionRestored() {
    game.clock = game.play.clock + 1;
    if (game.inputBlockedUntil > game.clock) {
        game.inputBlockedUntil = game.clock;
    }
    killAllEffects(game.effects);
    showHall(0, 0, 0);
}

// The level's start again, without a new step in the history.
void restoreLevelStart() {
    HallGrid grid = std::move(game.hall); // the level's grid stays: the same hall
    resetLevel();
    game.hall = std::move(grid);
    game.play = game.history.levelStart();
    showHall(0, 0, 0);
    game.engine->logLine("Level restarted: %s %d", game.gameName.c_str(), game.level);
}

int cellOf(float position) {
    const int cell = static_cast<int>(position / cellSize);
    return cell < 0 ? 0 : (cell >= hallSize ? hallSize - 1 : cell);
}

} // namespace

bool inputBlocked() {
    return !(game.clock > game.inputBlockedUntil);
}

void blockInput() {
    game.inputBlockedUntil = game.clock + game.debounceInterval;
}

void playClickSound() {
    game.engine->playSound(game.sounds.soundMove, clickVolume, 0, 1.0f, false);
}

void playLevel(const std::string& name, int level) {
    game.gameName = name;
    game.level = level;
    startLevel();
}

void skipLevel() {
    noteLevelSkipped(game.progressBook, game.gameName, game.level);
    if (game.level >= lastLevel) {
        saveNameProgress();
        game.screens.clear();
        game.screens.push(makeLevelSelectScreen());
        return;
    }
    storeProgress(game.level + 1); // older copies continue there too
    playLevel(game.gameName, game.level + 1);
}

void levelSolved(int level, int moves) {
    game.engine->logLine("Level solved: %s %d in %d moves", game.gameName.c_str(), level, moves);
    noteLevelSolved(game.progressBook, game.gameName, level, moves);
    const bool bookSaved = saveNameProgress();
    game.screens.clear();
    if (level >= lastLevel) {
        game.screens.push(makeLastLevelScreen());
        return;
    }
    storeProgress(level + 1); // a failed save keeps the old file and says so under the buttons
    // A failed save of the progress file is said once, under the buttons; the note is for the
    // progress per name alone failing.
    std::string note;
    if (!bookSaved && game.progressNotice.empty()) {
        note = "Could not save the progress of this name";
    } else if (moves > 0) {
        note = "Solved in " + std::to_string(moves) + (moves == 1 ? " move" : " moves");
    }
    game.screens.push(makeLevelDoneScreen(note));
}

void undoStep() {
    HistoryStep step;
    if (!game.history.undo(&game.play, &step)) {
        return;
    }
    positionRestored();
    KeyboardCursor& cursor = game.keyboardCursor;
    cursor.picked = false;
    cursor.followId = 0;
    if (step.isMove) { // the cursor goes back to the piece that moved
        cursor.x = cellOf(step.move.x);
        cursor.y = cellOf(step.move.y);
    }
}

bool redoStep() {
    HistoryStep step;
    if (!game.history.redo(&game.play, &step)) {
        return false;
    }
    if (!step.isMove) {
        restoreLevelStart();
        return false;
    }
    positionRestored();
    game.redoMove = step.move;
    game.redoPending = true;
    return true;
}

void restartLevel() {
    game.history.recordRestart(game.play);
    restoreLevelStart();
}

void setSound(bool on) {
    game.soundOn = on;
    game.engine->setNumber(numberEffectsVolume, on ? fullVolume : 0);
}

void switchSound() {
    setSound(!game.soundOn);
    if (!game.progressFileName.empty()) { // without a data folder nothing is kept
        rememberSound(*game.engine, settingsPathBeside(game.progressFileName), game.soundOn);
    }
}

std::string nameProgressPath() {
    return joinPath(directoryOf(game.progressFileName), game.nameProgressFileName);
}

namespace {

// Reads the progress per name into the game's book and logs what was wrong with the file.
int loadNameProgress() {
    if (game.progressFileName.empty()) {
        return bookMissing; // no place for progress: no file to read, the book starts empty
    }
    int badLines = 0;
    const int code = loadProgressBook(nameProgressPath(), &game.progressBook, &badLines);
    if (code == bookDamaged) {
        game.engine->logLine("Progress per name: %d damaged lines of %s left out", badLines,
                             nameProgressPath().c_str());
    } else if (code != bookLoaded) {
        game.engine->logLine("Progress per name: %s %s", nameProgressPath().c_str(),
                             bookProblem(code));
    }
    return code;
}

} // namespace

int readNameProgress() {
    const int code = loadNameProgress();
    // The progress file may come from an older copy of the game: its level counts as reached.
    NameProgress& progress = game.progressBook[game.gameName];
    if (progress.reached < game.level) {
        progress.reached = game.level;
    }
    progress.current = game.level;
    return code;
}

bool saveNameProgress() {
    if (game.progressFileName.empty() || !game.unsavedReason.empty()) {
        return true; // this run saves nothing, and has said why once
    }
    const int code =
        saveProgressBook(nameProgressPath(), game.nameProgressTempName, game.progressBook);
    if (code != progressSaved) {
        game.engine->logLine("Progress per name: could not save %s", nameProgressPath().c_str());
    }
    return code == progressSaved;
}
