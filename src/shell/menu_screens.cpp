// The button screens: the menu, level done, last level and the offer to continue a name.

#include "shell/dialog_screen.h"
#include "shell/game_actions.h"
#include "shell/game_flow.h"
#include "shell/game_state.h"
#include "shell/game_texts.h"
#include "shell/screens.h"

namespace {

float middle() {
    return game.baseHeight * 0.5f;
}

class MenuScreen final : public DialogScreen {
  public:
    MenuScreen() { rebuild(); }
    ScreenKind kind() const override { return ScreenKind::Menu; }
    ScreenOutcome back() override {
        game.screens.pop();
        return ScreenOutcome::Continue;
    }
    void render() const override {
        DialogScreen::render();
        game.smallFont->setColour(buttonColour);
        game.smallFont->printf(game.baseWidth * 0.5f, middle() + 200, alignCentre, creditsFormat,
                               game.webDomain.c_str());
    }

  private:
    void rebuild() {
        const int focus = dialog.focus;
        clearDialog(dialog);
        // The seven buttons end above the credits.
        build(middle() - 330, "",
              {"New", "Try again", "Levels", "Skip level", "How to play",
               game.soundOn ? "Sound: on" : "Sound: off", "Quit"});
        if (focus >= 0) {
            dialog.focus = focus;
        }
    }
    ScreenOutcome pressed(const std::string& row) override {
        if (row == "Button1") {
            game.screens.replace(makeNameEntryScreen(true));
            return ScreenOutcome::FrameDone;
        }
        if (row == "Button2") {
            restartLevel(); // closes the menu too; undo takes it back
            return ScreenOutcome::FrameDone;
        }
        if (row == "Button3") {
            game.screens.push(makeLevelSelectScreen());
            return ScreenOutcome::FrameDone;
        }
        if (row == "Button4") {
            skipLevel();
            return ScreenOutcome::FrameDone;
        }
        if (row == "Button5") {
            game.screens.push(makeHelpScreen());
            return ScreenOutcome::FrameDone;
        }
        if (row == "Button6") {
            switchSound();
            rebuild();
            return ScreenOutcome::Continue;
        }
        if (row == "Button7") {
            return ScreenOutcome::Quit;
        }
        return ScreenOutcome::Continue;
    }
};

class LevelDoneScreen final : public DialogScreen {
  public:
    explicit LevelDoneScreen(const std::string& note) {
        build(middle() - 80, note.empty() ? "Level Complete" : "Level Complete\n" + note,
              {"Next", "Quit"});
    }
    ScreenKind kind() const override { return ScreenKind::LevelDone; }

  private:
    ScreenOutcome pressed(const std::string& row) override {
        if (row == "Button1") {
            playLevel(game.gameName, game.level < lastLevel ? game.level + 1 : game.level);
            return ScreenOutcome::FrameDone;
        }
        return row == "Button2" ? ScreenOutcome::Quit : ScreenOutcome::Continue;
    }
};

class LastLevelScreen final : public DialogScreen {
  public:
    LastLevelScreen() {
        build(middle() - 80, "Last Level Complete\nCongratulation", {"New", "Quit"});
    }
    ScreenKind kind() const override { return ScreenKind::LastLevel; }

  private:
    ScreenOutcome pressed(const std::string& row) override {
        if (row == "Button1") {
            game.screens.replace(makeNameEntryScreen(false));
            return ScreenOutcome::FrameDone;
        }
        return row == "Button2" ? ScreenOutcome::Quit : ScreenOutcome::Continue;
    }
};

class ContinueScreen final : public DialogScreen {
  public:
    ContinueScreen(const std::string& name, int level) : name_(name), level_(level) {
        build(middle() - 120, name + " was played before",
              {"Continue at level " + std::to_string(level), "Start at level 1", "Back"});
    }
    ScreenKind kind() const override { return ScreenKind::Continue; }
    ScreenOutcome back() override {
        game.screens.pop();
        return ScreenOutcome::FrameDone;
    }

  private:
    ScreenOutcome pressed(const std::string& row) override {
        if (row == "Button1" || row == "Button2") {
            playLevel(name_, row == "Button1" ? level_ : 1);
            return ScreenOutcome::FrameDone;
        }
        return row == "Button3" ? back() : ScreenOutcome::Continue;
    }

    std::string name_;
    int level_;
};

} // namespace

std::unique_ptr<Screen> makeMenuScreen() {
    return std::make_unique<MenuScreen>();
}

std::unique_ptr<Screen> makeLevelDoneScreen(const std::string& note) {
    return std::make_unique<LevelDoneScreen>(note);
}

std::unique_ptr<Screen> makeLastLevelScreen() {
    return std::make_unique<LastLevelScreen>();
}

std::unique_ptr<Screen> makeContinueScreen(const std::string& name, int level) {
    return std::make_unique<ContinueScreen>(name, level);
}

Dialog* screenDialog(Screen* screen) {
    auto* dialogScreen = dynamic_cast<DialogScreen*>(screen);
    return dialogScreen != nullptr ? &dialogScreen->dialog : nullptr;
}
