#include "shell/lost_line.h"

#include "draw/bitmap_font.h"
#include "shell/frame_input.h"
#include "shell/game_actions.h"
#include "shell/game_state.h"
#include "solver/lost_hall.h"

#include <string>

namespace {

constexpr const char* sentence = "This hall can no longer be solved.";
constexpr const char* undoWord = "Undo";
constexpr const char* retryWord = "Try again";
constexpr float lineBottom = 42; // logical units above the bottom edge, over the play bar
constexpr float wordGap = 24;
constexpr float lineHeight = 16; // of the small font
constexpr float margin = 6;      // a word reacts this far around its text
constexpr std::uint32_t quiet = 0xFFE9D376;
constexpr std::uint32_t white = 0xFFFFFFFF;
constexpr std::uint32_t highlight = 0xFFF14250;
constexpr std::uint32_t grey = 0xFF707070;

struct Layout {
    float sentenceLeft = 0, undoLeft = 0, retryLeft = 0, right = 0;
};

float widthOf(const char* text) {
    game.smallFont->setScale(1);
    return game.smallFont->stringWidth(text);
}

Layout layout() {
    const float sentenceWidth = widthOf(sentence), undoWidth = widthOf(undoWord);
    const float total = sentenceWidth + wordGap + undoWidth + wordGap + widthOf(retryWord);
    Layout l;
    l.sentenceLeft = (game.baseWidth - total) * 0.5f;
    l.undoLeft = l.sentenceLeft + sentenceWidth + wordGap;
    l.retryLeft = l.undoLeft + undoWidth + wordGap;
    l.right = l.sentenceLeft + total;
    return l;
}

float textTop() {
    return game.baseHeight - lineBottom;
}

} // namespace

LostChoice lostChoiceAt(float x, float y) {
    if (!lostLineShown() || game.smallFont == nullptr || y < textTop() - margin ||
        y > textTop() + lineHeight + margin) {
        return LostChoice::None;
    }
    const Layout l = layout();
    if (x > l.undoLeft - margin && x < l.retryLeft - wordGap + margin) {
        return game.history.canUndo() ? LostChoice::Undo : LostChoice::None;
    }
    return x > l.retryLeft - margin && x < l.right + margin ? LostChoice::TryAgain
                                                            : LostChoice::None;
}

void watchForLostHall() {
    LostWatch& watch = game.lostWatch;
    const bool moving = !allAtRest(game.play);
    const bool wasMoving = watch.wasMoving;
    watch.wasMoving = moving;
    const auto objectCount = static_cast<std::uint32_t>(game.play.byName.size());
    const std::uint64_t generation = game.history.generation();
    if (generation != watch.generation) {
        watch.lost = false;
    }
    const bool news =
        wasMoving || generation != watch.generation || objectCount != watch.objectCount;
    if (moving || !news) {
        return;
    }
    const LostHall lost = findLostHall(game.play);
    if (lost.lost && !watch.lost) {
        game.engine->logLine("Hall can no longer be solved: %s", describeLostHall(lost).c_str());
    }
    watch.lost = lost.lost;
    watch.generation = generation;
    watch.objectCount = objectCount;
}

bool lostLineShown() {
    return game.lostWatch.lost && game.lostWatch.generation == game.history.generation() &&
           game.screens.empty();
}

bool serveLostLine(const FrameInput& in) {
    const LostChoice pressed =
        clickedButton(in, game.lostWatch.pressed, inputBlocked(), lostChoiceAt);
    if (pressed == LostChoice::None) {
        return false;
    }
    playClickSound();
    if (pressed == LostChoice::Undo) {
        undoStep();
    } else {
        restartLevel();
    }
    return true;
}

void drawLostLine(float x, float y, bool pointerIn) {
    if (!lostLineShown() || game.smallFont == nullptr) {
        return;
    }
    BitmapFont& font = *game.smallFont;
    const Layout l = layout();
    const LostChoice pointed = pointerIn ? lostChoiceAt(x, y) : LostChoice::None;
    font.setColour(quiet);
    font.printf(l.sentenceLeft, textTop(), alignLeft, "%s", sentence);
    const bool canUndo = game.history.canUndo();
    font.setColour(!canUndo ? grey : (pointed == LostChoice::Undo ? highlight : white));
    font.printf(l.undoLeft, textTop(), alignLeft, "%s", undoWord);
    font.setColour(pointed == LostChoice::TryAgain ? highlight : white);
    font.printf(l.retryLeft, textTop(), alignLeft, "%s", retryWord);
}
