#include "shell/hall_session.h"

#include "platform/pack/pack_password.h"
#include "presentation/effect_manager.h"
#include "presentation/graphics_catalogue.h"
#include "presentation/play_view.h"
#include "presentation/scene_layer.h"
#include "presentation/sound_catalogue.h"
#include "rules/hall_scene.h"
#include "shell/game_state.h"
#include "shell/play_step.h"
#include "shell/startup.h"

bool loadPlayResources(Engine& engine) {
    game.engine = &engine;
    game.hallLayer = createLayer();
    game.overlayLayer = createLayer();
    killAllEffects(game.effects);
    const std::string password = packPassword();
    // The packs are found as the game finds them, so an installed tool reads the installed packs.
    const std::string graphics = findPack(engine.programDirectory(), "Graphics.paq");
    const std::string sound = findPack(engine.programDirectory(), "Sound.paq");
    return engine.attachPack(graphics.c_str(), password.c_str()) &&
           loadGraphics(engine, *game.hallLayer, *game.overlayLayer, game.largeFont, game.smallFont,
                        game.effects, game.webDomain) &&
           engine.attachPack(sound.c_str(), password.c_str()) && loadSounds(engine, game.sounds);
}

void releasePlayResources() {
    clearHallScene();
    game.cursorObject = nullptr;
    game.largeFont.reset();
    game.smallFont.reset();
    game.hallLayer.reset();
    game.overlayLayer.reset();
    game.engine = nullptr;
}

void clearHallScene() {
    clearObjects(*game.hallLayer);
    clearObjects(*game.overlayLayer);
    resetPlayView(game.playView);
    clearPlay(game.play);
    killAllEffects(game.effects);
}

void prepareHallForPlay() {
    clearHallScene();
    game.clock = 0;
    game.inputBlockedUntil = 0;
    game.dragState = 0;
    game.screens.clear();
    SceneLayer& layer = *game.hallLayer;
    game.cursorObject =
        addObject(layer, "mouse cursor", findDefinition(layer, "mouse cursor"), 0, 0, 0);
    game.cursorObject->visible = false;
}

void startHall(int level, std::string_view name, PushObserver* observer) {
    prepareHallForPlay();
    game.level = level;
    startPlay(game.play, game.hall, level, name, observer);
    showHall(0, 0, 0);
}
