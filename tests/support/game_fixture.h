#pragma once
// A fixture that starts the whole game on the headless engine, with the real packs, as the
// program does before its frame loop; tests then script the pointer and keys and run frames
// through the game's own frame and render handlers.

#include "gui/dialog.h"
#include "shell/game_state.h"
#include "shell/screens.h"
#include "shell/startup.h"
#include "support/headless_fixture.h"
#include "support/temp_folder.h"

#include <string>

class GameTest : public HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        resetGame();
        game.progressFileName = folder.file("Quorvane.sav");
        // A progress file per name is there, so the first level opens without the help.
        folder.write("Quorvane.progress", "Quorvane progress 1\n");
    }

    void TearDown() override {
        endGame();
        HeadlessTest::TearDown();
    }

    // Start-up as the program runs it; true when it reached the frame loop.
    bool start() {
        const bool started = startGame();
        headless().clearRecordings();
        return started;
    }

    // The fields the game changes while it runs, back to their first values. The layers, fonts
    // and sounds stay: start-up loads them afresh.
    static void resetGame() {
        game.gameName = "Tessmark";
        game.level = 1;
        game.phase = 0;
        game.scale = 1;
        game.dragState = 0;
        game.clock = 0;
        game.inputBlockedUntil = 0;
        game.logoFadeStep = 0.001f;
        game.topBarHot = 0;
        game.tempFileName = "Quorvane.tmp";
        game.unsavedReason.clear();
        game.progressNotice.clear();
        game.logoObject = nullptr;
        game.screens.clear();
        game.screens.forget();
        game.progressBook.clear();
        game.leftWasHeld = game.rightWasHeld = game.escapeWasHeld = false;
        game.linkPressed = 0;
        game.soundOn = true;
        game.showHelpAtStart = false;
    }

    // The open screen's kind, or nothing.
    static bool shows(ScreenKind kind) { return game.screens.shows(kind); }
    static bool anyScreen() { return !game.screens.empty(); }
    // The dialog of the open screen; fails the test when there is none.
    static Dialog& topDialog() {
        Dialog* dialog = screenDialog(game.screens.top());
        if (dialog == nullptr) {
            ADD_FAILURE() << "no dialog open";
            static Dialog none;
            return none;
        }
        return *dialog;
    }

    void moveTo(float x, float y, int frame = 0) {
        headless().addEvent({frame, InputEvent::Kind::PointerMove, x, y, 0});
    }
    void keyDown(int key, int frame = 0) {
        headless().addEvent({frame, InputEvent::Kind::KeyDown, 0, 0, key});
    }
    void keyUp(int key, int frame = 0) {
        headless().addEvent({frame, InputEvent::Kind::KeyUp, 0, 0, key});
    }
    void typeChar(int character, int frame = 0) {
        headless().addEvent({frame, InputEvent::Kind::Char, 0, 0, character});
    }
    // A key or button pressed in the next frame and released in the one after.
    void tap(int key) {
        keyDown(key, 0);
        keyUp(key, 1);
    }
    void clickAt(float x, float y) {
        moveTo(x, y);
        tap(keyLeftButton);
    }
    int run(int frames) { return headless().runFrames(frames); }

    // Ends the opening with a click in the hall's lower part, then lets the 0.35 s of blocked
    // input after the level start pass.
    void skipOpening() {
        clickAt(462, 800);
        run(2);
        run(20);
        headless().clearRecordings();
    }

    // The centre of a dialog's row, where the pointer hits it.
    static void rowCentre(const Dialog& dialog, const std::string& name, float* x, float* y) {
        for (const DialogRow& row : dialog.rows) {
            if (row.name == name) {
                *x = dialog.x + row.x;
                *y = dialog.y + row.y;
                return;
            }
        }
        ADD_FAILURE() << "no row " << name;
    }
    // Moves onto the button, then clicks it in the next frame.
    void clickButton(const Dialog& dialog, const std::string& name) {
        float x = 0, y = 0;
        rowCentre(dialog, name, &x, &y);
        moveTo(x, y);
        run(1);
        clickAt(x, y);
    }

    int soundCount(SoundHandle sound) const {
        int n = 0;
        for (const RecordedSound& s : headless().sounds()) {
            n += s.sound == sound ? 1 : 0;
        }
        return n;
    }

    TempFolder folder;
};

// A hall in play, level 1 of Tessmark, with the pointer out of the way, moved with the keys.
class HallInPlayTest : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        ASSERT_TRUE(start());
        skipOpening();
        moveTo(5, 5);
        run(1);
    }

    // Picks the piece on the cell and sends it with the arrow; returns the state just before
    // the frame that launched it.
    PlayState send(int x, int y, int arrow) {
        game.keyboardCursor.x = x;
        game.keyboardCursor.y = y;
        tap(keyEnter);
        run(2);
        keyDown(arrow);
        keyUp(arrow, 1);
        PlayState before = game.play;
        run(1);
        return before;
    }

    void runUntilRest() {
        for (int i = 0; i < 500 && !allAtRest(game.play); ++i) {
            run(1);
        }
        run(1);
    }
};
