#pragma once
// GameState: the one global record of the running game. Every part of the game reaches it
// directly as `game`; nothing is passed around as context. Start-up fills what static
// initialisation leaves empty; afterwards only the frame and render handlers touch it, on one
// thread, so it needs no locking.

#include "draw/bitmap_font.h"
#include "engine/engine.h"
#include "hall/hall_grid.h"
#include "platform/pack/pack_password.h"
#include "presentation/effect_manager.h"
#include "presentation/play_view.h"
#include "presentation/scene_layer.h"
#include "presentation/sound_catalogue.h"
#include "rules/play_frame.h"
#include "shell/hint_binding.h"
#include "shell/hint_search.h"
#include "shell/keyboard_play.h"
#include "shell/lost_line.h"
#include "shell/name_progress.h"
#include "shell/play_bar.h"
#include "shell/play_history.h"
#include "shell/screen_stack.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>

struct Point {
    float x = 0, y = 0;
};

// The lighting the hall layer is to be drawn with, worked out only when a frame is drawn.
struct HallLight {
    float pointerRadius = 0, pointerX = 0, pointerY = 0; // the pointer's light; radius 0: none
    bool due = false; // the layer changed or the light moved since the hall was last lit
};

struct GameState {
    Engine* engine = nullptr; // obtained at start-up, released at the very end

    std::string gameName = "Tessmark"; // with level, makes the level seed
    std::int32_t level = 1;            // 1..99
    std::int32_t phase = 0;            // 0 while the opening sequence runs, -1 after it

    // The logical screen, in hall-plane units; the window is this times scale.
    float baseWidth = 924.0f;
    float baseHeight = 924.0f;
    float halfWidth = baseWidth * 0.5f;
    float scale = 1.0f;

    std::int32_t dragState = 0; // left button: 0 idle, 1 held, 2 just released
    Point pressPoint;           // logical position where the left button went down
    Point releasePoint;         // logical position where it came up

    // The held state of the frame before, so that a press acts once however long it is held.
    bool leftWasHeld = false, rightWasHeld = false, escapeWasHeld = false;
    int linkPressed = 0; // the link (1 maker, 2 engine) the left button went down on; 0 none
    KeyboardCursor keyboardCursor;                  // play without a mouse
    PlayBarButton barPressed = PlayBarButton::None; // the bar's button the left button went down on

    // Frame units (1/50 s) since the last level reset.
    float clock = 0.0f;
    float inputBlockedUntil = 0.0f; // clicks, keys and buttons before this clock value are ignored

    std::int32_t framesPerSecond = 50;
    float frameTime = 1.0f / static_cast<float>(framesPerSecond); // seconds per frame
    float debounceInterval = 0.35f / frameTime;                   // 0.35 s in frame units

    std::string productTitle = "Quorvane";
    std::string webDomain = "quorvane.example"; // bare host name, no scheme
    std::string programDirectory;               // without a trailing separator; set at start-up
    std::array<std::string, 4> packPasswordPieces = ::packPasswordPieces();
    std::string progressFileName = "Quorvane.sav"; // empty when there is no place for it
    std::string tempFileName = "Quorvane.tmp";
    std::string unsavedReason;  // why progress is not saved in this run; empty when it is
    std::string progressNotice; // the level-done screen's line about progress; empty when saved
    // Progress per game name, in its own file beside the progress file.
    std::string nameProgressFileName = "Quorvane.progress";
    std::string nameProgressTempName = "Quorvane.progress.tmp";
    ProgressBook progressBook;
    bool showHelpAtStart = false; // the very first start: the first level opens with the help
    bool soundOn = true;

    float logoFadeStep = 0.001f; // logo alpha taken per frame after the opening sequence
    float logoAlpha = 0.0f;      // the logo's exact alpha 0..1; its sprite keeps only 8 bits of it
    std::int32_t topBarHot = 0;  // 1 while the pointer rests on the top bar

    std::unique_ptr<BitmapFont> largeFont, smallFont;
    std::unique_ptr<SceneLayer> hallLayer, overlayLayer;
    EffectManager effects;
    SoundCatalogue sounds;
    ScreenStack screens; // menu, level done, name entry, level select, help, ...
    SceneObject* cursorObject = nullptr;
    SceneObject* backdropObject = nullptr;
    SceneObject* logoObject = nullptr;

    HallGrid hall;            // the current level's grid, as the generator left it
    PlayState play;           // the current hall in play; its random source runs through the run
    PlayEvents playEvents;    // what the last frame of play reported
    PlayView playView;        // which hall-layer object shows which object of play
    HallLight hallLight;      // how the hall layer is to be lit when next drawn
    PlayHistory history;      // the level's undo list, with the move counter
    PlayState moveBefore;     // the state before this frame's move, for the history
    bool redoPending = false; // redoMove is made in the next frame of play
    PlayMove redoMove;
    HintSearch hint; // the hint about the position in play, worked out beside the game
    std::shared_ptr<HintPlan> hintPlan; // the plan behind the level's hints
    LostWatch lostWatch;                // whether the position at rest can still be solved
};

extern GameState game;
