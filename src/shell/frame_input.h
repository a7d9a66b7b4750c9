#pragma once
// This frame's input, read once at its start by the frame handler and handed to the screens.
// The edges (pressed, released) come from comparing the held state with the frame before, so a
// button or key held down acts once per press, whatever its auto-repeat does.

struct FrameInput {
    float dt = 0;       // seconds
    float x = 0, y = 0; // pointer, logical units
    int key = 0;        // key pressed this frame (repeats included), 0 = none
    int character = 0;  // 8-bit character typed this frame, 0 = none
    bool leftHeld = false;
    bool leftPressed = false;  // the left button went down this frame
    bool rightPressed = false; // the right button went down this frame
    bool escapePressed = false;
    bool shift = false, control = false; // held
};
