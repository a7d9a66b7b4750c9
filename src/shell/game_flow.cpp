#include "shell/game_flow.h"

#include "presentation/effect_manager.h"
#include "presentation/scene_layer.h"
#include "rules/hall_scene.h"
#include "shell/frame_input.h"
#include "shell/game_actions.h"
#include "shell/game_state.h"
#include "shell/game_texts.h"
#include "shell/lost_line.h"
#include "shell/play_bar.h"
#include "shell/play_hint.h"
#include "shell/play_step.h"
#include "shell/progress_file.h"
#include "shell/screens.h"
#include "shell/text_fields.h"

#include <cmath>

namespace {

constexpr float topBarHeight = 32;     // logical units; the bar toggles the menu
constexpr float linkBandHeight = 20;   // the two links at the bottom
constexpr float makerLinkRight = 120;  // the maker link reacts left of this
constexpr float engineLinkWidth = 100; // the engine link reacts in this width at the right
constexpr float clickDistance = 6;     // a press and release closer than this is a click
constexpr int logoVolume = 35;
constexpr int makerLink = 1, engineLink = 2;

Engine& engine() {
    return *game.engine;
}

FrameInput readInput() {
    FrameInput in;
    in.dt = engine().frameDelta();
    engine().mousePosition(&in.x, &in.y);
    in.x /= game.scale;
    in.y /= game.scale;
    in.key = engine().lastKey();
    in.character = engine().lastChar();
    in.leftHeld = engine().keyHeld(keyLeftButton);
    const bool rightHeld = engine().keyHeld(keyRightButton);
    const bool escapeHeld = engine().keyHeld(keyEscape);
    // A press and release within one frame (a slow frame) is seen only as this frame's key.
    in.leftPressed = !game.leftWasHeld && (in.leftHeld || in.key == keyLeftButton);
    in.rightPressed = !game.rightWasHeld && (rightHeld || in.key == keyRightButton);
    in.escapePressed = !game.escapeWasHeld && (escapeHeld || in.key == keyEscape);
    in.shift = engine().keyHeld(keyShift);
    in.control = engine().keyHeld(keyControl);
    game.leftWasHeld = in.leftHeld;
    game.rightWasHeld = rightHeld;
    game.escapeWasHeld = escapeHeld;
    return in;
}

// The drag the rules read. A release within clickDistance of the press is a click, not a drag:
// it is reported with the release on the press point, which launches nothing.
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
            const float dx = in.x - game.pressPoint.x, dy = in.y - game.pressPoint.y;
            const bool click = dx * dx + dy * dy < clickDistance * clickDistance;
            game.releasePoint = click ? game.pressPoint : Point{in.x, in.y};
            game.dragState = 2; // lasts exactly one frame: the rules read it
        }
        break;
    default:
        game.dragState = 0;
        break;
    }
}

// The link under the point, 0 for none.
int linkAt(float x, float y) {
    if (y <= game.baseHeight - linkBandHeight) {
        return 0;
    }
    if (x < makerLinkRight) {
        return makerLink;
    }
    return x > game.baseWidth - engineLinkWidth ? engineLink : 0;
}

// A link opens once per click that starts and ends on it. This works whether or not a screen
// is open, and also during the opening.
void followLinks(const FrameInput& in) {
    if (in.leftPressed) {
        game.linkPressed = inputBlocked() ? 0 : linkAt(in.x, in.y);
        return;
    }
    if (in.leftHeld || game.linkPressed == 0) {
        return;
    }
    const int pressed = game.linkPressed;
    game.linkPressed = 0;
    if (linkAt(in.x, in.y) != pressed) {
        return;
    }
    openWebPage(pressed == makerLink ? makerAddress : engineAddress);
    blockInput();
    playClickSound();
}

// Escape, the right button or the left button on the top bar, once per press: the menu opens
// during play and closes again; over the other screens Escape means "back" where there is one.
bool toggleMenu(const FrameInput& in) {
    const bool pointer = in.rightPressed || (in.leftPressed && in.y < topBarHeight);
    if (!(pointer || in.escapePressed) || inputBlocked()) {
        return false;
    }
    if (game.screens.empty()) {
        game.screens.push(makeMenuScreen());
    } else if (game.screens.shows(ScreenKind::Menu)) {
        game.screens.pop();
    } else {
        return false;
    }
    playClickSound();
    return true;
}

// Ctrl+Z, U and Backspace undo; Ctrl+Y and Ctrl+Shift+Z redo; R restarts. An undo or a restart
// shows the state it put back in this frame; a redo makes its move in this frame's play.
ScreenOutcome serveHistoryKeys(const FrameInput& in, bool* served) {
    const bool undo = (in.key == 'Z' && in.control && !in.shift) ||
                      (in.key == 'U' && !in.control) || in.key == keyBackspace;
    const bool redo = (in.key == 'Y' && in.control) || (in.key == 'Z' && in.control && in.shift);
    *served = true;
    if (undo) {
        undoStep();
        return ScreenOutcome::FrameDone;
    }
    if (redo) {
        return redoStep() ? ScreenOutcome::Continue : ScreenOutcome::FrameDone;
    }
    if (in.key == 'R' && !in.control) {
        restartLevel();
        return ScreenOutcome::FrameDone;
    }
    *served = false;
    return ScreenOutcome::Continue;
}

// The keys of play, while no screen is open and the opening is over.
ScreenOutcome servePlayKeys(const FrameInput& in) {
    if (game.phase >= 0 || inputBlocked() || serveCursorKeys(in)) {
        return ScreenOutcome::Continue;
    }
    bool served = false;
    const ScreenOutcome outcome = serveHistoryKeys(in, &served);
    if (served) {
        return outcome;
    }
    switch (in.key) {
    case 'H':
        askForHint();
        break;
    case 'L':
        game.screens.push(makeLevelSelectScreen());
        break;
    case keyF1:
        game.screens.push(makeHelpScreen());
        break;
    case 'M':
        switchSound();
        break;
    default:
        return ScreenOutcome::Continue;
    }
    playClickSound();
    return ScreenOutcome::Continue;
}

// The keys every screen shares: F1 opens and closes the help, M switches the sound (but not
// while a name is typed), Escape goes back.
ScreenOutcome serveScreenKeys(Screen& top, const FrameInput& in, bool* served) {
    *served = true;
    if (in.escapePressed && !inputBlocked()) {
        return top.back();
    }
    if (in.key == keyF1) {
        if (top.kind() == ScreenKind::Help) {
            return top.back();
        }
        game.screens.push(makeHelpScreen());
        return ScreenOutcome::FrameDone;
    }
    if (in.key == 'M' && top.kind() != ScreenKind::NameEntry) {
        switchSound();
        return ScreenOutcome::Continue;
    }
    *served = false;
    return ScreenOutcome::Continue;
}

ScreenOutcome serveScreens(const FrameInput& in) {
    if (game.screens.empty() && in.escapePressed && game.keyboardCursor.picked) {
        game.keyboardCursor.picked = false; // Escape puts a picked piece down first
        return ScreenOutcome::Continue;
    }
    if (toggleMenu(in)) {
        return ScreenOutcome::Continue;
    }
    Screen* top = game.screens.top();
    if (top == nullptr) {
        return servePlayKeys(in);
    }
    bool served = false;
    const ScreenOutcome outcome = serveScreenKeys(*top, in, &served);
    return served ? outcome : top->update(in);
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
        followLaunchedPiece();
        watchForLostHall();
        return;
    }
    if (openingSequence()) {
        startLevel();
        game.logoObject = placeLogo();
        game.phase = -1;
        if (game.showHelpAtStart) { // the very first start
            game.showHelpAtStart = false;
            game.screens.push(makeHelpScreen());
            engine().logLine("First start: how to play");
        }
    }
}

} // namespace

bool frameHandler() {
    game.screens.forget();
    const FrameInput in = readInput();
    updateGesture(in);
    followLinks(in);
    const ScreenOutcome outcome = serveScreens(in);
    if (outcome == ScreenOutcome::Quit) {
        return true;
    }
    if (outcome == ScreenOutcome::FrameDone) {
        return false;
    }
    if (game.backdropObject != nullptr) {
        game.backdropObject->visible = !game.screens.empty();
    }
    if (game.phase < 0 && game.screens.empty() && (servePlayBar(in) || serveLostLine(in))) {
        return false;
    }
    if (game.phase < 0) {
        updateHint();
    }
    if (game.screens.empty()) {
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
    game.screens.clear();
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
    resetKeyboardCursor();
}

void startLevel() {
    game.hint.finish(); // a search about the last hall ends with it
    game.hintPlan = newHintPlan();
    game.lostWatch = LostWatch{};
    resetLevel();
    noteLevelStarted(game.progressBook, game.gameName, game.level);
    saveNameProgress();
    startPlay(game.play, game.hall, game.level, game.gameName);
    game.history.reset(game.play);
    game.redoPending = false;
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
