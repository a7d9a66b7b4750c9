#include "shell/keyboard_play.h"

#include "engine/engine.h"
#include "hall/hall_grid.h"
#include "rules/play_queries.h"
#include "shell/frame_input.h"
#include "shell/game_actions.h"
#include "shell/game_state.h"

#include <cmath>

namespace {

constexpr int lastCell = 20;
constexpr float cellSize = 44; // hall-plane units
constexpr std::uint32_t cursorColour = 0xC0FFFFFF;
constexpr std::uint32_t pickedColour = 0xFFF14250;

int cellOf(float position) {
    const int cell = static_cast<int>(std::floor(position / cellSize));
    return cell < 0 ? 0 : (cell > lastCell ? lastCell : cell);
}

// The piece a click at the cell's centre would take: its object id when it rests, else 0.
int restingPieceAt(int x, int y) {
    const int slot =
        findOverlapping(game.play, pointerProbe(cellCentre(x), cellCentre(y)), family::pieces);
    if (slot == noSlot || objectAt(game.play, slot).moving()) {
        return 0;
    }
    return objectAt(game.play, slot).id;
}

// Where the piece with this id is, and whether it still moves; false when it left play.
bool piecePlace(int id, float* x, float* y, bool* moving) {
    for (const PlayObject& object : game.play.objects) {
        if (object.alive && object.id == id) {
            *x = object.x;
            *y = object.y;
            *moving = object.moving();
            return true;
        }
    }
    return false;
}

// The arrow's cell step; false for any other key.
bool arrowStep(int key, int* dx, int* dy) {
    *dx = key == keyRight ? 1 : (key == keyLeft ? -1 : 0);
    *dy = key == keyDown ? 1 : (key == keyUp ? -1 : 0);
    return *dx != 0 || *dy != 0;
}

// Hands play a finished drag from the cell's centre one cell that way, as the mouse would.
bool launch(int dx, int dy) {
    KeyboardCursor& cursor = game.keyboardCursor;
    const int id = restingPieceAt(cursor.x, cursor.y);
    cursor.picked = false;
    if (id == 0 || game.dragState != 0) {
        return false;
    }
    const float x = cellCentre(cursor.x), y = cellCentre(cursor.y);
    game.pressPoint = {x, y};
    game.releasePoint = {x + static_cast<float>(dx) * cellSize,
                         y + static_cast<float>(dy) * cellSize};
    game.dragState = 2; // read by this frame's play, gone in the next frame's gesture
    cursor.followId = id;
    return true;
}

void drawFrame(float inset, std::uint32_t colour) {
    const KeyboardCursor& cursor = game.keyboardCursor;
    const float x1 = cellSize * static_cast<float>(cursor.x) + inset;
    const float y1 = cellSize * static_cast<float>(cursor.y) + inset;
    const float x2 = x1 + cellSize - 2 * inset, y2 = y1 + cellSize - 2 * inset;
    Engine& engine = *game.engine;
    engine.drawLine(x1, y1, x2, y1, colour, 0);
    engine.drawLine(x2, y1, x2, y2, colour, 0);
    engine.drawLine(x2, y2, x1, y2, colour, 0);
    engine.drawLine(x1, y2, x1, y1, colour, 0);
}

} // namespace

void resetKeyboardCursor() {
    game.keyboardCursor = KeyboardCursor{};
}

bool serveCursorKeys(const FrameInput& in) {
    KeyboardCursor& cursor = game.keyboardCursor;
    int dx = 0, dy = 0;
    if (arrowStep(in.key, &dx, &dy)) {
        if (cursor.picked) {
            launch(dx, dy);
        } else { // the cursor leaves a piece it follows
            cursor.followId = 0;
            cursor.x = cellOf(cellCentre(cursor.x + dx));
            cursor.y = cellOf(cellCentre(cursor.y + dy));
        }
        return true;
    }
    if (in.key == keyEnter || in.key == keySpace) {
        cursor.followId = 0;
        cursor.picked = !cursor.picked && restingPieceAt(cursor.x, cursor.y) != 0;
        playClickSound();
        return true;
    }
    return false;
}

void followLaunchedPiece() {
    KeyboardCursor& cursor = game.keyboardCursor;
    if (cursor.followId == 0) {
        return;
    }
    float x = 0, y = 0;
    bool moving = false;
    if (!piecePlace(cursor.followId, &x, &y, &moving)) {
        cursor.followId = 0; // the piece left play: the cursor stays where it was last
        return;
    }
    cursor.x = cellOf(x);
    cursor.y = cellOf(y);
    if (!moving) {
        cursor.followId = 0;
    }
}

void drawKeyboardCursor() {
    const bool picked = game.keyboardCursor.picked;
    drawFrame(2, picked ? pickedColour : cursorColour);
    if (picked) {
        drawFrame(5, pickedColour);
    }
}
