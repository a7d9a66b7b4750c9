#pragma once
// The bar along the bottom edge during play, for the mouse: Hint, Undo, Redo and Restart, and
// the move counter with the level's best. A button acts on a click that starts and ends on it.

struct FrameInput;

enum class PlayBarButton { None, Hint, Undo, Redo, Restart };

// The button under the point (logical units).
PlayBarButton playBarButtonAt(float x, float y);

// A click on a button of the bar, while no screen is open: the press and the release must be
// on the same button. True when the play state was put back (undo, restart): the frame then
// shows it as it is.
bool servePlayBar(const FrameInput& in);

// Draws the bar; the button under the pointer is highlighted, one that cannot act now is grey.
void drawPlayBar(float x, float y, bool pointerIn);
