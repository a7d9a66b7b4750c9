#pragma once
// Play as the running game makes it: the drag gesture and the pointer become the frame's input,
// the rules run on game.play, the shell acts on what they report (the solved dialogs and the
// progress, the debounce after a torch click) and presentation plays and shows it.

// One frame of play; x, y is the pointer in hall-plane units and leftHeld the left button.
void playHallFrame(float x, float y, bool leftHeld);

// Brings the hall layer in line with game.play; the hall is to be lit with a pointer light of
// radius pointerRadius at (x, y) (0: none) when it is next drawn.
void showHall(float pointerRadius, float x, float y);

// Lights the hall layer as the last showHall asked, unless it is lit so already. The render step
// calls it for frames that are drawn: lighting only serves the picture, and no rule reads it, so
// a hidden window's frames skip it.
void lightHallForDrawing();
