#pragma once
// One frame of play as a function of the hall's state and the player's input, returning what
// happened in order: the sounds to play, the effects to spawn, pieces launched and destroyed, a
// torch switched, the hall solved. The rules never draw, play, save or ask the mouse; the shell
// and presentation act on the events.
//
// A frame: launch (the move), light switch, item pass with every contact, the rest test, and the
// hall's own life (torches, sparkle, blink, big amoebas). Lighting is presentation's.

#include "rules/play_state.h"

#include <cstdint>
#include <string_view>
#include <vector>

enum class Direction : std::uint8_t { Left, Right, Up, Down };

// "left", "right", "up" or "down", as tools print a move and the log names it.
const char* directionName(Direction direction);
// A push of the generator's model (pushLeft, pushRight, pushUp, pushDown) as a direction.
Direction directionOfPush(int push);

// "Move the piece under this point that way": the piece is the first one, in the rules' order,
// whose shape overlaps the pointer's probe at the point (within 23 units of a resting piece's
// centre); it must be at rest.
struct PlayMove {
    float x = 0, y = 0; // hall-plane units
    Direction direction = Direction::Right;
};

// The move of the piece standing on cell (x, y), 0..20: the probe at the cell's centre.
PlayMove cellMove(int x, int y, Direction direction);

// A finished drag from press to release as the player makes it: along the main axis, a tie to
// the vertical; false for a drag that did not move at all.
bool dragMove(float pressX, float pressY, float releaseX, float releaseY, PlayMove* move);

struct PlayInput {
    bool hasMove = false;
    PlayMove move;
    // The player clicks the torch under the pointer this frame (the shell has debounced it).
    bool switchLight = false;
    float pointerX = 0, pointerY = 0; // hall-plane units
    // The clock of this frame, in frame units since the level started.
    float clock = 0;
};

enum class EventKind : std::uint8_t {
    Sound,
    Effect,
    PieceLaunched,
    PieceDestroyed,
    TorchSwitched, // the player's click: the shell blocks its input for a moment
    HallSolved
};

struct PlayEvent {
    EventKind kind = EventKind::Sound;
    SoundId sound = SoundId::None;
    int volume = 0;          // 0..100
    int pan = 0;             // -95 at the hall's left edge .. +95 at its right
    float pitch = 1;         // 1 = as recorded
    std::string_view effect; // effect name, a literal
    float x = 0, y = 0;      // where, in hall-plane units
    std::uint32_t colour = 0xFFFFFFFF;
    std::int32_t objectId = 0; // the piece launched or destroyed, or the torch switched
};

using PlayEvents = std::vector<PlayEvent>;

// Runs one frame; events is cleared first. state.clock takes input.clock.
void stepPlay(PlayState& state, const PlayInput& input, PlayEvents& events);

// One frame as tools, tests and a solver step a hall: stepPlay with the state's own clock, which
// then advances by one frame.
void stepPlayFrame(PlayState& state, PlayInput input, PlayEvents& events);

// The pan of a sound made at hall-plane x: -95 .. +95, truncated toward zero.
int soundPan(float x);
