#pragma once
// One move as the player makes it, played to its end: the piece on a cell is moved, then frames
// run until every piece rests, and one frame more, in which the rest test looks at the ends.
// Tools and the solver play moves this way without a window.

#include "rules/play_frame.h"
#include "rules/play_state.h"

// A piece still moving after this many frames of one move is taken to run in a loop.
constexpr int replayFrameLimit = 5000;

// The live piece whose centre is the centre of cell (x, y); noSlot when none stands there.
int pieceOnCell(const PlayState& state, int x, int y);

// One frame with the input; true when it reported the hall solved.
bool playFrame(PlayState& state, const PlayInput& input, PlayEvents& events);

enum class MoveEnd : std::uint8_t {
    NoPiece, // no piece stands on the cell: nothing was played
    Rested,  // every piece came to rest
    Endless  // cut off after replayFrameLimit frames: a piece never stopped
};

struct PlayedMove {
    MoveEnd end = MoveEnd::NoPiece;
    bool solved = false; // a frame of the move reported the hall solved
};

// Frames until every piece rests, then one more for the rest test; false when cut off. solved
// is set when a frame reports the hall solved.
bool settlePlay(PlayState& state, PlayEvents& events, bool* solved);

// Moves the piece on cell (x, y) that way and plays the move to its end.
PlayedMove playMoveToRest(PlayState& state, int x, int y, Direction direction, PlayEvents& events);
