#pragma once
// Play without a mouse: a cell cursor that the arrow keys move over the hall (cells 0 to 20, from
// (10, 10) at each level start). Enter or Space on a resting piece picks it up; an arrow key then
// launches it that way, exactly as a drag from its cell in that direction does, and the cursor
// follows it to where it stops. Enter, Space or Escape puts a picked piece down again.

struct FrameInput;

struct KeyboardCursor {
    int x = 10, y = 10;  // cell
    bool picked = false; // the piece on the cursor's cell is picked up
    int followId = 0;    // the launched piece the cursor follows; 0 none
};

// Back to cell (10, 10), nothing picked.
void resetKeyboardCursor();

// The cursor's keys of this frame; true when the key was the cursor's (Escape only while a piece
// is picked). A launch is handed to play as this frame's finished drag.
bool serveCursorKeys(const FrameInput& in);

// Moves the cursor along with the piece it follows; call after each frame of play.
void followLaunchedPiece();

// The cursor over the hall; a picked piece's cell is framed twice, in the highlight colour.
void drawKeyboardCursor();
