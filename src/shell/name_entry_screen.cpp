// The name of a new game: an edit field that always takes the typed characters, with a caret
// after its text, and Start (also Enter) and Back (also Escape) under it.

#include "draw/bitmap_font.h"
#include "shell/dialog_screen.h"
#include "shell/game_actions.h"
#include "shell/game_state.h"
#include "shell/game_texts.h"
#include "shell/screens.h"

#include <cmath>

namespace {

constexpr std::uint32_t headColour = 0xFFFFFFFF; // readable over the backdrop
constexpr float caretBlink = 25;                 // frame units on, then as many off

class NameEntryScreen final : public DialogScreen {
  public:
    explicit NameEntryScreen(bool fromMenu) {
        const float y = fromMenu ? game.baseHeight * 0.5f - 80 : game.baseHeight * 0.25f;
        const std::uint32_t colour = fromMenu ? highlightColour : buttonColour;
        buildEditDialog(dialog, game.baseWidth * 0.5f, y, "Input name of new game", game.gameName,
                        game.largeFont.get(), colour, nameCharacters, maximumNameLength,
                        headColour);
        appendButtons(dialog, {"Start", "Back"}, game.largeFont.get(), buttonColour,
                      highlightColour, emptyButtonColour);
        dialog.open = true;
        focusFirstButton(dialog);
    }
    ScreenKind kind() const override { return ScreenKind::NameEntry; }
    ScreenOutcome update(const FrameInput& in) override {
        const ScreenOutcome outcome = DialogScreen::update(in);
        keepTyping();
        return outcome;
    }
    ScreenOutcome back() override {
        game.screens.pop(); // the old game goes on
        return ScreenOutcome::FrameDone;
    }
    void render() const override {
        DialogScreen::render();
        drawCaret();
    }

  private:
    bool takesTyping() const override { return true; }

    // A click beside the field would stop it taking characters; here it always takes them.
    void keepTyping() {
        for (DialogRow& row : dialog.rows) {
            for (DialogItem& item : row.items) {
                item.active = item.active || item.editable;
            }
        }
    }

    const DialogRow* editRow() const {
        for (const DialogRow& row : dialog.rows) {
            if (row.name == "Edit") {
                return &row;
            }
        }
        return nullptr;
    }

    void drawCaret() const {
        const DialogRow* row = editRow();
        if (row == nullptr || row->items.empty() || row->bounds.empty ||
            std::fmod(game.clock, 2 * caretBlink) >= caretBlink) {
            return;
        }
        const DialogItem& item = row->items[0];
        const float x = dialog.x + row->x + item.width * 0.5f + 3;
        const float half = item.font->height() * 0.4f;
        const float y = dialog.y + row->y;
        game.engine->drawLine(x, y - half, x, y + half, item.hoverColour, 0);
    }

    ScreenOutcome pressed(const std::string& row) override {
        if (row == "Button1") {
            return start(dialogRowText(dialog, "Edit"));
        }
        if (row == "Button2") {
            return back();
        }
        return ScreenOutcome::Continue;
    }

    // An empty name keeps the old game; a name played before offers to continue it.
    ScreenOutcome start(const std::string& name) {
        if (name.empty()) {
            game.screens.pop();
            blockInput();
            return ScreenOutcome::FrameDone;
        }
        const auto known = game.progressBook.find(name);
        if (known != game.progressBook.end() && known->second.current > 1) {
            game.screens.replace(makeContinueScreen(name, known->second.current));
            return ScreenOutcome::FrameDone;
        }
        playLevel(name, 1);
        return ScreenOutcome::FrameDone;
    }
};

} // namespace

std::unique_ptr<Screen> makeNameEntryScreen(bool fromMenu) {
    return std::make_unique<NameEntryScreen>(fromMenu);
}
