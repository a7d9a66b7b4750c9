#include "shell/play_hint.h"

#include "hall/hall_grid.h"
#include "presentation/scene_layer.h"
#include "shell/game_state.h"
#include "shell/hint_binding.h"

#include <cmath>
#include <numbers>

namespace {

// White over a dark shadow stands out on every piece and floor.
constexpr std::uint32_t arrowColour = 0xFFFFFFFF;
constexpr std::uint32_t shadowColour = 0xB0000000;
constexpr float shadowOffset = 3;
constexpr float arrowOut = 30;    // from the piece's centre the way it is to go: over its edge
constexpr float pulsePeriod = 25; // frame units: two beats a second

void stepOf(Direction direction, float* dx, float* dy) {
    *dx = direction == Direction::Left ? -1.0f : (direction == Direction::Right ? 1.0f : 0.0f);
    *dy = direction == Direction::Up ? -1.0f : (direction == Direction::Down ? 1.0f : 0.0f);
}

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
    game.hint.start(game.play, game.history.generation(),
                    hintSearchFor(game.gameName, game.level, game.hintPlan));
    game.engine->logLine("Hint asked: %s %d", game.gameName.c_str(), game.level);
}

void updateHint() {
    if (game.hint.status() != HintSearch::Status::Idle && !allAtRest(game.play)) {
        game.hint.cancel(); // a big amoeba's tug sets pieces going without a move
    }
    const HintSearch::Status before = game.hint.status();
    game.hint.update(game.history.generation());
    if (before != HintSearch::Status::Searching) {
        return;
    }
    if (game.hint.status() == HintSearch::Status::NotFound) {
        game.engine->logLine("Hint: none found");
    } else if (game.hint.status() == HintSearch::Status::Found) {
        const HintMove& move = game.hint.move();
        game.engine->logLine("Hint: %d %d %s", move.x, move.y, directionName(move.direction));
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
    const float scale = 1.4f + 0.15f * beat;
    float dx = 0, dy = 0;
    stepOf(move.direction, &dx, &dy);
    const float x = cellCentre(move.x) + dx * arrowOut, y = cellCentre(move.y) + dy * arrowOut;
    const float rotation = rotationOf(move.direction);
    Sprite& sprite = *arrow->sprite;
    std::uint32_t lit[4]; // the hall's light on the arrows of the floor, given back after
    for (int corner = 0; corner < 4; ++corner) {
        lit[corner] = sprite.colour(corner);
    }
    sprite.setColour(shadowColour);
    sprite.render(x + shadowOffset, y + shadowOffset, rotation, scale, scale);
    sprite.setColour(arrowColour);
    sprite.render(x, y, rotation, scale, scale);
    for (int corner = 0; corner < 4; ++corner) {
        sprite.setColour(lit[corner], corner);
    }
}
