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

// A click on a row of buttons: the left button pressed over one of them (unless blocked) and
// released over the same one. pressed keeps the button pressed over while it is held; at(x, y)
// is the button under a point. Returns that button on the release, Button::None otherwise.
template <typename Button, typename At>
Button clickedButton(const FrameInput& in, Button& pressed, bool blocked, At at) {
    if (in.leftPressed) {
        pressed = blocked ? Button::None : at(in.x, in.y);
        return Button::None;
    }
    if (in.leftHeld || pressed == Button::None) {
        return Button::None;
    }
    const Button released = pressed;
    pressed = Button::None;
    return at(in.x, in.y) == released ? released : Button::None;
}
