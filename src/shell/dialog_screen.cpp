#include "shell/dialog_screen.h"

#include "shell/game_actions.h"
#include "shell/game_state.h"

#include <cmath>

ScreenOutcome DialogScreen::update(const FrameInput& in) {
    const int character = takesTyping() ? in.character : 0;
    const DialogResult pointer =
        updateDialog(dialog, in.key, std::trunc(in.x), std::trunc(in.y), character);
    const DialogResult keys = dialogKey(dialog, in.key, in.shift);
    if (pointer.code == dialogEntered || keys.code == dialogEntered ||
        (pointer.code == dialogEdited)) {
        playClickSound();
    }
    std::string row;
    if (pointer.code == dialogPressed && in.key == keyLeftButton) {
        row = pointer.row; // a right click on a button does nothing
    } else if (keys.code == dialogPressed) {
        row = keys.row;
    }
    if (row.empty() || inputBlocked()) {
        return ScreenOutcome::Continue;
    }
    const ScreenOutcome outcome = pressed(row);
    if (outcome == ScreenOutcome::Continue) {
        blockInput();
    }
    return outcome;
}

void DialogScreen::build(float y, const std::string& head,
                         const std::vector<std::string>& buttons) {
    buildButtonList(dialog, game.baseWidth * 0.5f, y, head, buttons, game.largeFont.get(),
                    buttonColour, highlightColour, emptyButtonColour);
    dialog.open = true;
    focusFirstButton(dialog);
}

void DialogScreen::buildButtonAt(float buttonY, const std::string& button) {
    // An empty head is one line high and the button stands one line under it.
    const float lineHeight = game.largeFont ? game.largeFont->height() : 0;
    build(buttonY - 2 * lineHeight, "", {button});
}
