// Levels 1 to 99 of the current name in a grid of ten by ten: a level reached can be played, a
// solved one shows its fewest moves, a skipped one is marked, the rest are locked. The pointer
// or the arrow keys choose a level, a click or Enter plays it, Escape or "Back" goes back.

#include "draw/bitmap_font.h"
#include "shell/dialog_screen.h"
#include "shell/game_actions.h"
#include "shell/game_state.h"
#include "shell/screens.h"

#include <cmath>
#include <string>

namespace {

constexpr int columns = 10;
constexpr float cellWidth = 78, cellHeight = 66; // logical units
constexpr float gridTop = 120;
constexpr std::uint32_t lockedColour = 0xFF606060;
constexpr std::uint32_t skippedColour = 0xFFE9D376;
constexpr std::uint32_t solvedColour = 0xFF8FD18F;
constexpr std::uint32_t frameColour = 0x80FFFFFF;

float gridLeft() {
    return (game.baseWidth - columns * cellWidth) * 0.5f;
}

// The level under the point, 0 for none.
int levelAt(float x, float y) {
    const float column = std::floor((x - gridLeft()) / cellWidth);
    const float row = std::floor((y - gridTop) / cellHeight);
    if (column < 0 || column >= columns || row < 0 || row >= columns) {
        return 0;
    }
    const int level = static_cast<int>(row) * columns + static_cast<int>(column) + 1;
    return level <= lastLevel ? level : 0;
}

class LevelSelectScreen final : public DialogScreen {
  public:
    LevelSelectScreen() : chosen_(game.level) {
        // Only a pointer that moves onto a level chooses it; where it rests now does not.
        float x = 0, y = 0;
        game.engine->mousePosition(&x, &y);
        pointed_ = levelAt(x / game.scale, y / game.scale);
        buildButtonAt(game.baseHeight - 60, "Back");
        dialog.focus = -1; // the keys start on the grid
    }
    ScreenKind kind() const override { return ScreenKind::LevelSelect; }
    ScreenOutcome back() override {
        game.screens.pop();
        return ScreenOutcome::FrameDone;
    }
    ScreenOutcome update(const FrameInput& in) override {
        const int pointed = levelAt(in.x, in.y);
        if (pointed != 0 && pointed != pointed_) {
            chosen_ = pointed;
        }
        pointed_ = pointed;
        if (pointed != 0 && in.leftPressed) {
            return play(pointed);
        }
        if (dialog.focus < 0 && in.key == dialogKeyEnter) {
            return play(chosen_);
        }
        FrameInput rest = in;
        if (dialog.focus < 0 ? gridKey(in.key) : backToGrid(in.key)) {
            rest.key = 0; // the key is spent
        }
        return DialogScreen::update(rest);
    }
    void render() const override {
        BitmapFont& font = *game.largeFont;
        font.setColour(highlightColour);
        font.printf(game.baseWidth * 0.5f, 40, alignCentre, "Levels of %s", game.gameName.c_str());
        for (int level = 1; level <= lastLevel; ++level) {
            drawCell(level);
        }
        DialogScreen::render();
    }

  private:
    // Arrows move the choice within the grid; Down from the last row reaches "Back".
    bool gridKey(int key) {
        int step = 0;
        switch (key) {
        case dialogKeyLeft:
            step = -1;
            break;
        case dialogKeyRight:
            step = 1;
            break;
        case dialogKeyUp:
            step = -columns;
            break;
        case dialogKeyDown:
            step = columns;
            break;
        default:
            return false;
        }
        if (chosen_ + step > lastLevel && step == columns) {
            focusFirstButton(dialog);
        } else if (chosen_ + step >= 1 && chosen_ + step <= lastLevel) {
            chosen_ += step;
        }
        playClickSound();
        return true;
    }

    // Up from "Back" returns to the grid.
    bool backToGrid(int key) {
        if (key != dialogKeyUp) {
            return false;
        }
        dialog.focus = -1;
        playClickSound();
        return true;
    }

    ScreenOutcome play(int level) {
        if (inputBlocked() ||
            levelAccess(game.progressBook, game.gameName, level) == LevelAccess::Locked) {
            return ScreenOutcome::Continue;
        }
        playLevel(game.gameName, level);
        return ScreenOutcome::FrameDone;
    }

    ScreenOutcome pressed(const std::string& row) override {
        return row == "Button1" ? back() : ScreenOutcome::Continue;
    }

    void drawCell(int level) const {
        const int index = level - 1;
        const float left = gridLeft() + static_cast<float>(index % columns) * cellWidth;
        const float top = gridTop + static_cast<float>(index / columns) * cellHeight;
        const float cx = left + cellWidth * 0.5f;
        const LevelAccess access = levelAccess(game.progressBook, game.gameName, level);
        const bool chosen = level == chosen_ && dialog.focus < 0;
        drawFrame(left + 3, top + 3, left + cellWidth - 3, top + cellHeight - 3,
                  chosen ? highlightColour : frameColour);
        BitmapFont& large = *game.largeFont;
        large.setColour(access == LevelAccess::Locked ? lockedColour
                        : chosen                      ? highlightColour
                                                      : buttonColour);
        large.printf(cx, top + 4, alignCentre, "%d", level);
        BitmapFont& small = *game.smallFont;
        const LevelRecord& record = recordOf(level);
        if (access == LevelAccess::Solved) {
            small.setColour(solvedColour);
            if (record.bestMoves > 0) {
                small.printf(cx, top + cellHeight - 24, alignCentre, "%d moves", record.bestMoves);
            } else {
                small.printf(cx, top + cellHeight - 24, alignCentre, "solved");
            }
        } else if (access == LevelAccess::Skipped) {
            small.setColour(skippedColour);
            small.printf(cx, top + cellHeight - 24, alignCentre, "skipped");
        } else if (access == LevelAccess::Locked) {
            small.setColour(lockedColour);
            small.printf(cx, top + cellHeight - 24, alignCentre, "locked");
        }
    }

    static const LevelRecord& recordOf(int level) {
        static const LevelRecord none;
        const auto found = game.progressBook.find(game.gameName);
        return found == game.progressBook.end() ? none : found->second.levels[level];
    }

    static void drawFrame(float x1, float y1, float x2, float y2, std::uint32_t colour) {
        Engine& engine = *game.engine;
        engine.drawLine(x1, y1, x2, y1, colour, 0);
        engine.drawLine(x2, y1, x2, y2, colour, 0);
        engine.drawLine(x2, y2, x1, y2, colour, 0);
        engine.drawLine(x1, y2, x1, y1, colour, 0);
    }

    int chosen_;
    int pointed_ = 0;
};

} // namespace

std::unique_ptr<Screen> makeLevelSelectScreen() {
    return std::make_unique<LevelSelectScreen>();
}
