#include "shell/render_pass.h"

#include "draw/bitmap_font.h"
#include "presentation/effect_manager.h"
#include "presentation/scene_layer.h"
#include "shell/game_state.h"
#include "shell/game_texts.h"
#include "shell/keyboard_play.h"
#include "shell/lost_line.h"
#include "shell/play_bar.h"
#include "shell/play_hint.h"
#include "shell/play_step.h"
#include "shell/progress_notice.h"

#include <string>

namespace {

constexpr std::uint32_t white = 0xFFFFFFFF;
constexpr std::uint32_t highlight = 0xFFF14250;

void drawTopBar(float y, bool pointerIn) {
    Engine& engine = *game.engine;
    if (y < 32 && pointerIn) {
        game.largeFont->setColour(highlight);
        if (game.topBarHot == 0) {
            engine.playSound(game.sounds.soundMove, 40, 0, 1.0f, false);
        }
        game.topBarHot = 1;
    } else {
        game.largeFont->setColour(white);
        game.topBarHot = 0;
    }
    game.largeFont->printf(game.baseWidth * 0.5f, -2.0f, alignCentre, "%s %d",
                           game.gameName.c_str(), game.level);
}

void drawLinks(float x, float y, bool pointerIn) {
    Engine& engine = *game.engine;
    const float w = game.baseWidth, h = game.baseHeight;
    BitmapFont& font = *game.smallFont;
    const bool inBand = pointerIn && y > h - 20;
    // Each underline spans its own text.
    const std::string maker = "www." + game.webDomain;
    font.setScale(1);
    font.setColour(inBand && x < 120 ? highlight : white);
    font.printf(5, h - 15, alignLeft, "%s", maker.c_str());
    engine.drawLine(5, h - 2, 5 + font.stringWidth(maker.c_str()), h - 2, white, 0);
    font.setColour(inBand && x > w - 100 ? highlight : white);
    font.printf(w - 5, h - 15, alignRight, "%s", engineLinkText);
    engine.drawLine(w - 5 - font.stringWidth(engineLinkText), h - 2, w - 5, h - 2, white, 0);
}

} // namespace

bool renderHandler() {
    Engine& engine = *game.engine;
    float x = 0, y = 0;
    engine.mousePosition(&x, &y);
    x /= game.scale;
    y /= game.scale;
    const bool pointerIn = engine.mouseInWindow();

    if (!engine.beginFrame(0)) {
        return false; // the window is hidden: nobody sees the frame
    }
    lightHallForDrawing();
    engine.clearFrame(0x00000000);
    renderLayer(*game.hallLayer);
    renderEffects(game.effects);
    if (game.phase < 0) {
        drawHint();
        drawKeyboardCursor(); // under the backdrop that the screens lay over the hall
    }
    renderLayer(*game.overlayLayer);
    if (const Screen* screen = game.screens.top(); screen != nullptr) {
        screen->render(); // the menu draws the credits under it, also during the opening
    }
    drawProgressNotice();
    if (game.phase < 0) {
        drawTopBar(y, pointerIn);
        drawPlayBar(x, y, pointerIn);
        drawLostLine(x, y, pointerIn);
        drawLinks(x, y, pointerIn);
    }
    engine.endFrame();
    return false;
}
