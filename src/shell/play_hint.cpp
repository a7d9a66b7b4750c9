#include "shell/play_hint.h"

#include "hall/hall_grid.h"
#include "presentation/scene_layer.h"
#include "shell/game_state.h"
#include "shell/hint_binding.h"

#include <cmath>
#include <numbers>

namespace {

constexpr std::uint32_t arrowColour = 0xFFF14250; // the highlight of the bar and the cursor
constexpr float pulsePeriod = 25;                 // frame units: two beats a second

float rotationOf(Direction direction) {
    switch (direction) {
    case Direction::Right:
        return 0;
    case Direction::Down:
        return std::numbers::pi_v<float> * 0.5f;
    case Direction::Left:
        return std::numbers::pi_v<float>;
    case Direction::Up:
        break;
    }
    return -std::numbers::pi_v<float> * 0.5f;
}

} // namespace

void askForHint() {
    if (!hintAvailable() || !allAtRest(game.play)) {
        return;
    }
    game.hint.start(game.play, game.history.generation(), hintSearchFor(game.gameName, game.level));
    game.engine->logLine("Hint asked: %s %d", game.gameName.c_str(), game.level);
}

void updateHint() {
    if (game.hint.status() != HintSearch::Status::Idle && !allAtRest(game.play)) {
        game.hint.cancel(); // a torch's big amoeba may set pieces going without a move
    }
    const HintSearch::Status before = game.hint.status();
    game.hint.update(game.history.generation());
    if (before == HintSearch::Status::Searching &&
        game.hint.status() == HintSearch::Status::NotFound) {
        game.engine->logLine("Hint: none found");
    }
}

bool hintAvailable() {
    return game.hint.status() == HintSearch::Status::Idle;
}

const char* hintButtonText() {
    switch (game.hint.status()) {
    case HintSearch::Status::Searching:
        return "Thinking...";
    case HintSearch::Status::NotFound:
        return "No hint";
    default:
        return "Hint";
    }
}

void drawHint() {
    if (game.hint.status() != HintSearch::Status::Found || game.hallLayer == nullptr) {
        return;
    }
    SpriteDefinition* arrow = findDefinition(*game.hallLayer, "hallarrow");
    if (arrow == nullptr || !arrow->sprite) {
        return;
    }
    const HintMove& move = game.hint.move();
    const float beat = std::sin(game.clock * 2 * std::numbers::pi_v<float> / pulsePeriod);
    const float scale = 1.1f + 0.15f * beat;
    Sprite& sprite = *arrow->sprite;
    std::uint32_t lit[4]; // the hall's light on the arrows of the floor, given back after
    for (int corner = 0; corner < 4; ++corner) {
        lit[corner] = sprite.colour(corner);
    }
    sprite.setColour(arrowColour);
    sprite.render(cellCentre(move.x), cellCentre(move.y), rotationOf(move.direction), scale, scale);
    for (int corner = 0; corner < 4; ++corner) {
        sprite.setColour(lit[corner], corner);
    }
}
