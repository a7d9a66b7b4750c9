#include "shell/play_bar.h"

#include "draw/bitmap_font.h"
#include "shell/frame_input.h"
#include "shell/game_actions.h"
#include "shell/game_state.h"
#include "shell/play_hint.h"

#include <string>

namespace {

constexpr float bandHeight = 20; // the band of the links, at the bottom
constexpr float margin = 6;      // a button reacts this far beside its text
constexpr std::uint32_t white = 0xFFFFFFFF;
constexpr std::uint32_t highlight = 0xFFF14250;
constexpr std::uint32_t grey = 0xFF707070;

struct BarButton {
    PlayBarButton button;
    const char* text;
    float centre; // x, logical units
};

constexpr BarButton buttons[] = {
    {PlayBarButton::Hint, "Hint", 225},
    {PlayBarButton::Undo, "Undo", 300},
    {PlayBarButton::Redo, "Redo", 370},
    {PlayBarButton::Restart, "Restart", 450},
};
constexpr float countersLeft = 530;

bool canAct(PlayBarButton button) {
    switch (button) {
    case PlayBarButton::Undo:
        return game.history.canUndo();
    case PlayBarButton::Redo:
        return game.history.canRedo();
    case PlayBarButton::Hint:
        return hintAvailable();
    default:
        return true;
    }
}

// The hint button says what the hint is doing.
const char* textOf(const BarButton& b) {
    return b.button == PlayBarButton::Hint ? hintButtonText() : b.text;
}

float halfWidth(const char* text) {
    game.smallFont->setScale(1);
    return game.smallFont->stringWidth(text) * 0.5f + margin;
}

std::string counters() {
    std::string text = "Moves " + std::to_string(game.history.moves());
    const auto found = game.progressBook.find(game.gameName);
    if (found != game.progressBook.end() && found->second.levels[game.level].bestMoves > 0) {
        text += "   best " + std::to_string(found->second.levels[game.level].bestMoves);
    }
    return text;
}

} // namespace

PlayBarButton playBarButtonAt(float x, float y) {
    if (y <= game.baseHeight - bandHeight || game.smallFont == nullptr) {
        return PlayBarButton::None;
    }
    for (const BarButton& b : buttons) {
        if (x > b.centre - halfWidth(textOf(b)) && x < b.centre + halfWidth(textOf(b))) {
            return b.button;
        }
    }
    return PlayBarButton::None;
}

bool servePlayBar(const FrameInput& in) {
    const PlayBarButton pressed =
        clickedButton(in, game.barPressed, inputBlocked(), playBarButtonAt);
    if (pressed == PlayBarButton::None || !canAct(pressed)) {
        return false;
    }
    playClickSound();
    switch (pressed) {
    case PlayBarButton::Hint:
        askForHint();
        return false;
    case PlayBarButton::Undo:
        undoStep();
        return true;
    case PlayBarButton::Redo:
        return !redoStep(); // a move is made again in this frame's play
    default:
        restartLevel();
        return true;
    }
}

void drawPlayBar(float x, float y, bool pointerIn) {
    BitmapFont& font = *game.smallFont;
    font.setScale(1);
    const PlayBarButton pointed = pointerIn ? playBarButtonAt(x, y) : PlayBarButton::None;
    const float textY = game.baseHeight - 15;
    for (const BarButton& b : buttons) {
        const bool active = canAct(b.button);
        font.setColour(!active ? grey : (b.button == pointed ? highlight : white));
        font.printf(b.centre, textY, alignCentre, "%s", textOf(b));
    }
    font.setColour(white);
    font.printf(countersLeft, textY, alignLeft, "%s", counters().c_str());
}
