#include "shell/startup.h"

#include "platform/pack/pack_password.h"
#include "presentation/graphics_catalogue.h"
#include "presentation/sound_catalogue.h"
#include "shell/game_actions.h"
#include "shell/game_flow.h"
#include "shell/game_state.h"
#include "shell/progress_file.h"
#include "shell/progress_notice.h"
#include "shell/render_pass.h"
#include "shell/settings_file.h"
#include "shell/sound_memory.h"
#include "shell/window_memory.h"
#include "shell/window_scale.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace {

void configureWindow(Engine& engine) {
    engine.setHandler(handlerFrame, frameHandler);
    engine.setHandler(handlerRender, renderHandler);
    const std::string title = game.productTitle + " - " + game.webDomain;
    engine.setText(textTitle, title.c_str());
    engine.setFlag(flagWindowed, true);
    engine.setNumber(numberWidth, static_cast<int>(game.baseWidth * game.scale));
    engine.setNumber(numberHeight, static_cast<int>(game.baseHeight * game.scale));
    engine.setNumber(numberColourDepth, 32);
    engine.setFlag(flagUseSound, true);
    engine.setFlag(flagHideSystemPointer, false);
    engine.setFlag(flagDepthBuffer, false);
    engine.setNumber(numberFramesPerSecond, game.framesPerSecond);
    engine.setFlag(flagRunUnfocused, true);
    engine.setFlag(flagTextureFilter, true);
}

bool attach(Engine& engine, const char* packName) {
    const std::string path = findPack(game.programDirectory, packName);
    // The game's pieces are joined afresh for every pack it attaches.
    return engine.attachPack(path.c_str(), joinPasswordPieces(game.packPasswordPieces).c_str());
}

// The progress file, then the progress per name beside it; a first start (neither file there)
// opens the first level with the help. A progress file that is there but cannot be read is the
// player's progress out of reach: this run leaves it alone and saves nothing.
void readProgress() {
    if (game.progressFileName.empty()) {
        keepProgressUnsaved(game.unsavedReason); // the entry found no place and said why
        readNameProgress();
        return;
    }
    std::string name, problem;
    int level = 0;
    const int code = loadProgress(game.progressFileName, &name, &level, &problem);
    if (code == progressLoaded) {
        game.gameName = name;
        game.level = level;
    } else if (code == progressUnreadable) {
        keepProgressUnsaved("can't read " + game.progressFileName + " (" + problem + ")");
    }
    const int bookCode = readNameProgress();
    game.showHelpAtStart = code == progressCannotOpen && bookCode == bookMissing;
}

} // namespace

std::string findPack(const std::string& programDirectory, const std::string& packName) {
    namespace fs = std::filesystem;
    const fs::path beside = fs::path(programDirectory) / packName;
    std::error_code ec;
    if (fs::exists(beside, ec)) {
        return beside.string();
    }
    // A Debian package's /usr/games and /usr/share/games/quorvane, then bin and share/quorvane.
    for (const char* share : {"share/games/quorvane", "share/quorvane"}) {
        const fs::path installed = fs::path(programDirectory) / ".." / share / packName;
        if (fs::exists(installed, ec)) {
            return installed.lexically_normal().string();
        }
    }
    return beside.string();
}

void showStartupFailure(const char* text, int style) {
    if (std::getenv("QUORVANE_NO_MESSAGE_BOX") != nullptr || game.engine == nullptr) {
        std::fprintf(stderr, "Error: %s\n", text);
        return;
    }
    game.engine->showMessageBox(text, "Error", style);
}

bool startGame() {
    game.play.random.seedFromClock();
    game.engine = createEngine(engineVersion);
    if (game.engine == nullptr) {
        showStartupFailure("The engine is missing.", messageError);
        return false;
    }
    Engine& engine = *game.engine;
    game.programDirectory = engine.programDirectory();
    int desktopWidth = 0, desktopHeight = 0;
    engine.desktopSize(&desktopWidth, &desktopHeight);
    game.scale = computeScale(desktopWidth, desktopHeight, game.baseHeight);
    configureWindow(engine);
    if (!game.progressFileName.empty()) { // without a data folder nothing is kept
        restoreWindow(engine, settingsPathBeside(game.progressFileName), desktopWidth,
                      desktopHeight);
    }
    if (!engine.initialise()) {
        showStartupFailure(engine.lastError(), messageError | messageSystemModal);
        return false;
    }
    engine.setViewTransform(0, 0, 0, 0, 0, game.scale, game.scale);
    game.hallLayer = createLayer();
    game.overlayLayer = createLayer();
    attach(engine, "Graphics.paq");
    if (!loadGraphics(engine, *game.hallLayer, *game.overlayLayer, game.largeFont, game.smallFont,
                      game.effects, game.webDomain)) {
        showStartupFailure("Can't load graphics.", messageError);
        return false;
    }
    attach(engine, "Sound.paq");
    if (!loadSounds(engine, game.sounds)) {
        showStartupFailure("Can't load sounds.", messageError);
        return false;
    }
    game.screens.clear();
    if (!game.progressFileName.empty()) {
        game.soundOn = rememberedSound(settingsPathBeside(game.progressFileName));
    }
    setSound(game.soundOn);
    readProgress();
    resetLevel();
    return true;
}

void endGame() {
    // Everything that holds engine resources goes before the engine does.
    game.screens.clear();
    game.screens.forget();
    killAllEffects(game.effects);
    resetPlayView(game.playView);
    clearPlay(game.play);
    game.cursorObject = game.backdropObject = game.logoObject = nullptr;
    game.hallLayer.reset();
    game.overlayLayer.reset();
    game.largeFont.reset();
    game.smallFont.reset();
    if (game.engine != nullptr) {
        if (!game.progressFileName.empty()) {
            rememberWindow(*game.engine, settingsPathBeside(game.progressFileName));
        }
        game.engine->shutdown();
        game.engine->release();
        game.engine = nullptr;
    }
}

int runGame() {
    const bool started = startGame();
    if (started) {
        game.engine->runLoop();
    }
    endGame();
    return started ? 0 : 1;
}
