#pragma once
// One frame of play: launch, light switch, item pass with every contact, the solved test and the
// hall's own life. Called by the frame loop while a level is played and no dialog is open, after
// the drag gesture has been read and before the clock advances.

struct HallGrid;

// frameTime is the frame's duration in seconds (play counts frames, not seconds); x, y is the
// pointer in hall-plane units.
void updateHall(HallGrid& hall, float frameTime, float x, float y);

// 1 once a piece has moved since the last rest test; the rest test clears it. It outlives level
// starts on purpose: a value left over makes the first frame of the next hall run the test once.
extern int motionSeen;
