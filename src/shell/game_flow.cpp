#include "shell/game_flow.h"

#include "gui/dialog.h"
#include "presentation/effect_manager.h"
#include "presentation/scene_layer.h"
#include "rules/hall_scene.h"
#include "shell/game_state.h"
#include "shell/game_texts.h"
#include "shell/play_step.h"
#include "shell/progress_file.h"
#include "shell/text_fields.h"

#include <cmath>

namespace {

constexpr float topBarHeight = 32;     // logical units; the bar toggles the menu
constexpr float linkBandHeight = 20;   // the two links at the bottom
constexpr float makerLinkRight = 120;  // the maker link reacts left of this
constexpr float engineLinkWidth = 100; // the engine link reacts in this width at the right
constexpr int clickVolume = 40;
constexpr int logoVolume = 35;

// This frame's input, read once at its start.
struct FrameInput {
    float dt = 0;       // seconds
    float x = 0, y = 0; // pointer, logical units
    int key = 0;
    bool leftHeld = false;
};

Engine& engine() {
    return *game.engine;
}

// Shell actions are allowed only after the debounce interval since the last one.
bool blocked() {
    return !(game.clock > game.inputBlockedUntil);
}
void block() {
    game.inputBlockedUntil = game.clock + game.debounceInterval;
}

void playClick() {
    engine().playSound(game.sounds.soundMove, clickVolume, 0, 1.0f, false);
}

bool anyDialogOpen() {
    return game.menuDialog.open || game.levelDoneDialog.open || game.lastLevelDialog.open ||
           game.nameEntryDialog.open || game.nameButtonsDialog.open;
}

void updateGesture(const FrameInput& in) {
    switch (game.dragState) {
    case 0:
        if (in.leftHeld) {
            game.pressPoint = {in.x, in.y};
            game.dragState = 1;
        }
        break;
    case 1:
        if (!in.leftHeld) {
            game.releasePoint = {in.x, in.y};
            game.dragState = 2; // lasts exactly one frame: the rules read it
        }
        break;
    default:
        game.dragState = 0;
        break;
    }
}

void toggleMenuOn(bool request) {
    const bool otherDialog =
        game.levelDoneDialog.open || game.lastLevelDialog.open || game.nameButtonsDialog.open;
    if (request && !blocked() && !otherDialog) {
        game.menuDialog.open = !game.menuDialog.open;
        block();
        playClick();
    }
}

void followLink(bool request, const char* address) {
    if (request && !blocked()) {
        openWebPage(address);
        block();
        playClick();
    }
}

void handleToggleAndLinks(const FrameInput& in) {
    toggleMenuOn(engine().keyHeld(keyEscape));
    toggleMenuOn(engine().keyHeld(keyRightButton) || (in.leftHeld && in.y < topBarHeight));
    const bool inLinkBand = in.leftHeld && in.y > game.baseHeight - linkBandHeight;
    followLink(inLinkBand && in.x < makerLinkRight, makerAddress);
    followLink(inLinkBand && in.x > game.baseWidth - engineLinkWidth, engineAddress);
}

void openNameEntry(bool fromMenu) {
    clearDialog(game.nameEntryDialog);
    const float y = fromMenu ? game.baseHeight * 0.5f - 80 : game.baseHeight * 0.25f;
    const std::uint32_t colour = fromMenu ? 0xFFF14250 : 0xFFFFFFFF;
    buildEditDialog(game.nameEntryDialog, game.baseWidth * 0.5f, y, "Input name of new game",
                    game.gameName, game.largeFont.get(), colour, nameCharacters, maximumNameLength,
                    0x80808080);
    game.nameEntryDialog.open = true;
    game.nameButtonsDialog.open = true;
}

// What the dialogs decided this frame.
enum class Outcome { Continue, FrameDone, Quit };

// Updates a button dialog; true with the row name when a press counts for the shell: the left
// button went down over a button this frame and input is not blocked.
bool pressedButton(Dialog& dialog, const FrameInput& in, std::string* row) {
    const DialogResult result = updateDialog(dialog, in.key, std::trunc(in.x), std::trunc(in.y), 0);
    if (result.code == dialogEntered) {
        playClick();
    }
    if (result.code != dialogPressed || in.key != keyLeftButton || blocked()) {
        return false;
    }
    *row = result.row;
    return true;
}

Outcome serveMenu(const FrameInput& in) {
    std::string row;
    if (!game.menuDialog.open || !pressedButton(game.menuDialog, in, &row)) {
        return Outcome::Continue;
    }
    game.menuDialog.open = false;
    if (row == "Button1") {
        openNameEntry(true);
        return Outcome::FrameDone;
    }
    if (row == "Button2") {
        startLevel();
        return Outcome::FrameDone;
    }
    if (row == "Button3") {
        return Outcome::Quit;
    }
    block();
    return Outcome::Continue;
}

Outcome serveLevelDone(const FrameInput& in) {
    std::string row;
    if (!game.levelDoneDialog.open || !pressedButton(game.levelDoneDialog, in, &row)) {
        return Outcome::Continue;
    }
    game.levelDoneDialog.open = false;
    if (row == "Button1") {
        if (game.level < 99) {
            ++game.level;
        }
        startLevel();
        return Outcome::FrameDone;
    }
    if (row == "Button2") {
        return Outcome::Quit;
    }
    block();
    return Outcome::Continue;
}

Outcome serveLastLevel(const FrameInput& in) {
    std::string row;
    if (!game.lastLevelDialog.open || !pressedButton(game.lastLevelDialog, in, &row)) {
        return Outcome::Continue;
    }
    game.lastLevelDialog.open = false;
    if (row == "Button1") {
        openNameEntry(false);
        return Outcome::FrameDone;
    }
    if (row == "Button2") {
        return Outcome::Quit;
    }
    block();
    return Outcome::Continue;
}

Outcome serveNameEntry(const FrameInput& in) {
    if (game.nameEntryDialog.open) {
        const DialogResult typed = updateDialog(game.nameEntryDialog, in.key, std::trunc(in.x),
                                                std::trunc(in.y), engine().lastChar());
        if (typed.code == dialogEdited) {
            playClick();
        }
    }
    std::string row;
    if (!game.nameButtonsDialog.open || !pressedButton(game.nameButtonsDialog, in, &row)) {
        return Outcome::Continue;
    }
    game.nameButtonsDialog.open = false;
    game.nameEntryDialog.open = false;
    if (row == "Button1") {
        const std::string name = dialogRowText(game.nameEntryDialog, "Edit");
        if (!name.empty()) {
            game.gameName = name;
            game.level = 1;
            startLevel();
            return Outcome::FrameDone;
        }
    } else if (row == "Button2") {
        return Outcome::FrameDone;
    }
    block(); // also after "Start" with an empty name: the old game simply goes on
    return Outcome::Continue;
}

Outcome serveDialogs(const FrameInput& in) {
    for (Outcome (*serve)(const FrameInput&) :
         {serveMenu, serveLevelDone, serveLastLevel, serveNameEntry}) {
        const Outcome outcome = serve(in);
        if (outcome != Outcome::Continue) {
            return outcome;
        }
    }
    return Outcome::Continue;
}

// The logo's alpha 0..1. Its sprite holds the alpha in 8 bits, too coarse for the slow fade of
// 0.001 a frame (truncating would take a whole 1/255 every frame), so the exact value is kept in
// game.logoAlpha while the sprite still shows it.
float logoAlpha(const Sprite& sprite) {
    const std::uint32_t stored = sprite.colour(0) >> 24;
    if (stored == static_cast<std::uint32_t>(game.logoAlpha * 255.0f)) {
        return game.logoAlpha;
    }
    return static_cast<float>(stored) / 255.0f;
}

// Sets the alpha of all four corners, keeping the colour of corner 0.
void setLogoAlpha(Sprite& sprite, float alpha) {
    game.logoAlpha = alpha;
    const std::uint32_t rgb = sprite.colour(0) & 0x00FFFFFF;
    sprite.setColour(static_cast<std::uint32_t>(alpha * 255.0f) << 24 | rgb);
}

Sprite* logoSprite() {
    if (game.logoObject == nullptr || game.logoObject->definition == nullptr) {
        return nullptr;
    }
    return game.logoObject->definition->sprite.get();
}

// The logo fades slowly once 4 s of the level have passed, or within ten frames after a click
// or key.
void fadeLogo(const FrameInput& in) {
    Sprite* sprite = logoSprite();
    if (sprite == nullptr) {
        return;
    }
    float alpha = logoAlpha(*sprite);
    if (game.clock > 4.0f * static_cast<float>(game.framesPerSecond) || game.logoFadeStep > 0.09f) {
        if (alpha > 0) {
            alpha = alpha >= game.logoFadeStep ? alpha - game.logoFadeStep : 0;
        }
    }
    if (in.leftHeld || in.key != 0) {
        game.logoFadeStep = 0.1f;
    }
    setLogoAlpha(*sprite, alpha);
}

SceneObject* placeLogo() {
    return addObject(*game.overlayLayer, game.webDomain,
                     findDefinition(*game.hallLayer, game.webDomain), game.baseWidth * 0.5f,
                     game.baseHeight * 0.5f - 70, 0);
}

void spawnOpeningExplosion() {
    const int n = static_cast<int>(game.clock);
    const float w = game.baseWidth, h = game.baseHeight;
    auto r = [](int k) { return static_cast<float>(game.play.random.below(k)); };
    if (n % 20 == 0) {
        const float x = r(100) + w / 2 + 80, y = r(50) + h / 2 - 45;
        spawnEffect(game.effects, *game.hallLayer, "explosionitem", x, y, 0xFFE9D376);
    } else if (n % 2 == 1) {
        const float x = r(300) + w / 2 - 150, y = r(300) + h / 2 - 220;
        spawnEffect(game.effects, *game.hallLayer, "explosionitem", x, y, 0xFFFFFFFF);
    } else {
        const float x = r(300) + w / 2 - 150, y = r(100) + h / 2 - 80;
        spawnEffect(game.effects, *game.hallLayer, "explosionitem", x, y, 0xFFF14250);
    }
}

void fadeInLogo() {
    SceneLayer& overlay = *game.overlayLayer;
    if (collectObjectsByName(overlay, game.webDomain, false) < 1) {
        SceneObject* logo = placeLogo();
        if (logo != nullptr && logo->definition != nullptr && logo->definition->sprite) {
            setLogoAlpha(*logo->definition->sprite, 0);
        }
        return;
    }
    SceneObject* logo = nameResultAt(overlay, 0);
    if (logo != nullptr && logo->definition != nullptr && logo->definition->sprite) {
        Sprite& sprite = *logo->definition->sprite;
        setLogoAlpha(sprite, std::fmin(logoAlpha(sprite) + 0.02f, 1.0f));
    }
}

void playOrOpen(const FrameInput& in) {
    if (game.phase < 0) {
        playHallFrame(in.x, in.y, in.leftHeld);
        return;
    }
    if (openingSequence()) {
        startLevel();
        game.logoObject = placeLogo();
        game.phase = -1;
    }
}

} // namespace

bool frameHandler() {
    FrameInput in;
    in.dt = engine().frameDelta();
    engine().mousePosition(&in.x, &in.y);
    in.x /= game.scale;
    in.y /= game.scale;
    in.key = engine().lastKey();
    in.leftHeld = engine().keyHeld(keyLeftButton);

    updateGesture(in);
    handleToggleAndLinks(in);
    const Outcome outcome = serveDialogs(in);
    if (outcome == Outcome::Quit) {
        return true;
    }
    if (outcome == Outcome::FrameDone) {
        return false;
    }
    if (game.backdropObject != nullptr) {
        game.backdropObject->visible = anyDialogOpen();
    }
    if (!anyDialogOpen()) {
        playOrOpen(in);
    }
    updateEffects(game.effects, in.dt);
    fadeLogo(in);
    game.clock += in.dt / game.frameTime;
    return false;
}

bool openingSequence() {
    const float clock = game.clock;
    if (clock >= 0 && clock < 1) {
        engine().playSound(game.sounds.soundLogo, logoVolume, 0, 1.0f, false);
    }
    if (clock >= 0 && clock < 50) {
        spawnOpeningExplosion();
    }
    if (clock >= 60 && clock < 110) {
        fadeInLogo();
    }
    return clock > 200 || engine().keyHeld(keyLeftButton) || engine().lastKey() != 0;
}

void resetLevel() {
    clearObjects(*game.hallLayer);
    clearObjects(*game.overlayLayer);
    game.clock = 0;
    game.inputBlockedUntil = game.debounceInterval; // nothing reacts in the first 0.35 s
    for (Dialog* dialog : {&game.menuDialog, &game.levelDoneDialog, &game.lastLevelDialog,
                           &game.nameEntryDialog, &game.nameButtonsDialog}) {
        dialog->open = false;
    }
    clearHall(game.hall);
    resetPlayView(game.playView);
    clearPlay(game.play);
    killAllEffects(game.effects);
    game.cursorObject = addObject(*game.hallLayer, "mouse cursor",
                                  findDefinition(*game.hallLayer, "mouse cursor"), 0, 0, 0);
    if (game.cursorObject != nullptr) {
        game.cursorObject->visible = false;
    }
    game.backdropObject = addObject(*game.overlayLayer, "game back",
                                    findDefinition(*game.overlayLayer, "game back"), 0, 0, 0);
    if (game.backdropObject != nullptr) {
        game.backdropObject->visible = false;
        setDepth(*game.overlayLayer, game.backdropObject, 500.0f);
    }
    game.logoObject = nullptr;
}

void startLevel() {
    resetLevel();
    startPlay(game.play, game.hall, game.level, game.gameName);
    showHall(0, 0, 0);
    engine().playSound(game.sounds.soundDoor, 30, 0, 1.0f, false);
    engine().logLine("Level started: %s %d", game.gameName.c_str(), game.level);
}

std::string browserCommandLine(const std::string& address) {
    std::string line;
    setField(line, ' ', "xdg-open", 0, '"');
    setField(line, ' ', address, 1, '"');
    return line;
}

void openWebPage(const std::string& address) {
    engine().logLine("Opening web page: %s", browserCommandLine(address).c_str());
    engine().openWebAddress(address.c_str());
}
