#include "shell/progress_notice.h"

#include "draw/bitmap_font.h"
#include "shell/game_state.h"
#include "shell/text_fields.h"

#include <cerrno>
#include <cstring>

namespace {

constexpr std::uint32_t noticeColour = 0xFFF14250;
constexpr float noticeBelowMiddle = 160; // logical units: under the level-done dialog's buttons

std::string unsavedLine() {
    return "Progress is not saved: " + game.unsavedReason;
}

// The failed step of a save, in words; call straight after it, while errno still tells why.
std::string saveFailure(int code) {
    const std::string cause = std::strerror(errno);
    if (code == progressTempFailed) {
        const std::string temp = joinPath(directoryOf(game.progressFileName), game.tempFileName);
        return "can't write " + temp + ": " + cause;
    }
    return "can't replace it: " + cause;
}

} // namespace

void keepProgressUnsaved(const std::string& reason) {
    game.unsavedReason = reason;
    game.engine->logLine("Progress is not saved in this game: %s", reason.c_str());
}

void storeProgress(int level, ProgressFiles& files) {
    game.progressNotice.clear();
    if (!game.unsavedReason.empty()) {
        game.progressNotice = unsavedLine();
        return;
    }
    if (game.progressFileName.empty()) {
        return; // a run that asked for no progress file, such as the hall tool's replays
    }
    const int code =
        writeProgress(game.progressFileName, game.tempFileName, game.gameName, level, files);
    if (code == progressSaved) {
        return;
    }
    const std::string failure = saveFailure(code);
    game.engine->logLine("Can't save progress to %s: %s", game.progressFileName.c_str(),
                         failure.c_str());
    game.progressNotice = "Progress could not be saved to " + game.progressFileName;
}

std::string progressNoticeLine() {
    if (game.screens.shows(ScreenKind::LevelDone)) {
        return game.progressNotice;
    }
    if (game.phase >= 0 && !game.unsavedReason.empty()) {
        return unsavedLine();
    }
    return {};
}

void drawProgressNotice() {
    const std::string line = progressNoticeLine();
    if (line.empty() || game.smallFont == nullptr) {
        return;
    }
    game.smallFont->setColour(noticeColour);
    game.smallFont->printf(game.baseWidth * 0.5f, game.baseHeight * 0.5f + noticeBelowMiddle,
                           alignCentre, "%s", line.c_str());
}
