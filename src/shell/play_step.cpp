#include "shell/play_step.h"

#include "presentation/play_view.h"
#include "shell/game_actions.h"
#include "shell/game_state.h"

namespace {

// The pointer carries a light once the hall's first second has passed.
constexpr float pointerLightFrom = 50;
constexpr float pointerLightRadius = 380;

PlayInput frameInput(float x, float y, bool leftHeld) {
    PlayInput input;
    input.clock = game.clock;
    input.pointerX = x;
    input.pointerY = y;
    if (game.dragState == 2) {
        input.hasMove = dragMove(game.pressPoint.x, game.pressPoint.y, game.releasePoint.x,
                                 game.releasePoint.y, &input.move);
    }
    input.switchLight = leftHeld && game.inputBlockedUntil < game.clock;
    return input;
}

} // namespace

void playHallFrame(float x, float y, bool leftHeld) {
    PlayInput input = frameInput(x, y, leftHeld);
    // A redone move is made as it was made then; the history has it already.
    const bool redone = game.redoPending;
    if (redone) {
        input.hasMove = true;
        input.move = game.redoMove;
        game.redoPending = false;
    }
    if (input.hasMove && !redone) {
        game.moveBefore = game.play; // kept for the history should the move launch a piece
    }
    stepPlay(game.play, input, game.playEvents);
    for (const PlayEvent& e : game.playEvents) {
        if (e.kind == EventKind::PieceLaunched && input.hasMove && !redone) {
            game.history.recordMove(game.moveBefore, input.move);
        } else if (e.kind == EventKind::TorchSwitched) {
            game.inputBlockedUntil = game.clock + game.debounceInterval;
        } else if (e.kind == EventKind::HallSolved) {
            levelSolved(game.level, game.history.moves());
        }
    }
    presentPlayEvents(game.playEvents, game.engine, game.sounds, game.effects, *game.hallLayer);
    const bool pointerLight =
        game.clock > pointerLightFrom && game.engine != nullptr && game.engine->mouseInWindow();
    showHall(pointerLight ? pointerLightRadius : 0, x, y);
}

void showHall(float pointerRadius, float x, float y) {
    showPlayState(*game.hallLayer, game.play, game.playView);
    game.hallLight = {pointerRadius, x, y, true};
}

void lightHallForDrawing() {
    HallLight& light = game.hallLight;
    if (light.due && game.hallLayer != nullptr) {
        lightHall(*game.hallLayer, light.pointerRadius, light.pointerX, light.pointerY);
        light.due = false;
    }
}
