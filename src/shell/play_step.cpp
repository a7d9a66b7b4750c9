#include "shell/play_step.h"

#include "presentation/play_view.h"
#include "shell/game_state.h"
#include "shell/hall_solved.h"

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
    stepPlay(game.play, frameInput(x, y, leftHeld), game.playEvents);
    for (const PlayEvent& e : game.playEvents) {
        if (e.kind == EventKind::TorchSwitched) {
            game.inputBlockedUntil = game.clock + game.debounceInterval;
        } else if (e.kind == EventKind::HallSolved) {
            reportHallSolved(game.level);
        }
    }
    presentPlayEvents(game.playEvents, game.engine, game.sounds, game.effects, *game.hallLayer);
    const bool pointerLight =
        game.clock > pointerLightFrom && game.engine != nullptr && game.engine->mouseInWindow();
    showHall(pointerLight ? pointerLightRadius : 0, x, y);
}

void showHall(float pointerRadius, float x, float y) {
    showPlayState(*game.hallLayer, game.play, game.playView);
    lightHall(*game.hallLayer, pointerRadius, x, y);
}
