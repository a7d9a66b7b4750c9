#pragma once
// The quiet line of a hall that can no longer be solved: once the pieces come to rest in a
// position from which no sequence of moves can cover every end, a line above the play bar says
// so and offers Undo and Try again (also on their keys: the undo keys and R).

#include <cstdint>

struct FrameInput;

enum class LostChoice { None, Undo, TryAgain };

struct LostWatch {
    bool lost = false;                     // about the position judged
    std::uint64_t generation = ~0ull;      // the history's generation of the position judged
    std::uint32_t objectCount = 0;         // live objects then: a piece lost at rest counts too
    bool wasMoving = false;                // some piece moved in the frame before
    LostChoice pressed = LostChoice::None; // the word the left button went down on
};

// After each frame of play: judges the position when every piece has come to rest after
// moving, after another position was put back, or when an object left play; otherwise the last
// judgement stands. Logs why a position is lost.
void watchForLostHall();

// The line shows: the position in play is lost.
bool lostLineShown();

// The line's word under the point (logical units); None where the line does not show or Undo
// has nothing to take back.
LostChoice lostChoiceAt(float x, float y);

// A click on the line's Undo or Try again, while no screen is open. True when the play state was
// put back: the frame then shows it as it is.
bool serveLostLine(const FrameInput& in);

void drawLostLine(float x, float y, bool pointerIn);
