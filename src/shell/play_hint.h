#pragma once
// The hint in play (H and the play bar's button): the next move from the position on the board,
// worked out beside the game (game.hint) and shown as an arrow on the piece until the position
// changes: a move, an undo or redo, a restart or another level.

// Asks for a hint about the position now; only while every piece is at rest, and not again
// while one is being worked out or shown.
void askForHint();

// Once per frame: a change of position or pieces set moving drop the hint or cancel its search,
// and a finished search hands its result over.
void updateHint();

// What the play bar's hint button says: "Hint", or that it is thinking, or found none.
const char* hintButtonText();
// The button can ask for a hint now.
bool hintAvailable();

// The arrow on the piece to move, over the hall.
void drawHint();
