#include "rules/play_feedback.h"

#include "presentation/effect_manager.h"
#include "rules/hall_pieces.h"
#include "shell/game_state.h"

int soundPan(float x) {
    return static_cast<int>((x - game.halfWidth) * 95 / game.halfWidth);
}

void playPanned(SoundHandle sound, int volume, float x, float pitch) {
    if (game.engine != nullptr) {
        game.engine->playSound(sound, volume, soundPan(x), pitch, false);
    }
}

void spawnAt(std::string_view effect, float x, float y, std::uint32_t colour) {
    spawnEffect(game.effects, *game.hallLayer, effect, x, y, colour);
}

void destroyPiece(HallGrid& hall, SceneObject* object, HallObject* piece) {
    spawnAt("explosionitem", object->x, object->y, itemColour(object->name));
    removePiece(hall, object, piece);
}
