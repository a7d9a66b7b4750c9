#pragma once
// The hall in play as one plain value: every object the rules look at or change, the random
// source they draw from and the flag of the rest test. Copy it and both copies evolve alike under
// the same inputs; compare two with ==. Objects refer to each other by slot or id, never by
// pointer, and their shapes come from the picture table, so a state plays without packs, an
// engine or a window.
//
// Slots: objects keep the slot they were created in for the whole hall; a removed object stays
// in its slot with alive false, so a slot held across a pass still names the same object.
// byName lists the live slots in the order the rules see them: by name (byte-wise), and among
// equal names the most recently created first.

#include "rules/piece_shapes.h"
#include "rules/play_names.h"
#include "rules/play_random.h"

#include <cstdint>
#include <vector>

// The sounds of play; presentation maps them to the sound catalogue's handles.
enum class SoundId : std::uint8_t {
    None,
    Move,
    Mark,
    Ball,
    Box,
    Spike,
    Amoeba,
    Destroy,
    Mutation,
    Arrow,
    Teleport,
    Gate,
    Wall,
    Morph,
    Eat,
    BigAmoeba,
    LightOn,
    LightOff,
    LightHot
};

struct PlayObject {
    std::int32_t id = 0; // the scene's object id: draw order among equal depths follows it
    PieceName name = PieceName::Floor;
    Picture picture = Picture::Floor;
    bool alive = true;
    bool searchable = true; // seen by name and overlap queries
    bool linked = true;     // a hall piece the rules act on (false only for the grass)
    bool visible = true;
    bool useColour = false;
    float x = 0, y = 0; // hall-plane units, the picture's hot spot
    float previousX = 0, previousY = 0;
    float rotation = 0; // radians, clockwise on screen
    float scale = 1;
    float depth = 0;                   // draw order
    std::uint32_t colour = 0xFFFFFFFF; // 0xAARRGGBB tint when useColour
    float lightRadius = 0;             // 0 = gives no light
    std::uint32_t lightColour = 0xFFFFFFFF;
    // Displacement per frame in hall-plane units while the piece moves: ±4, or ±1 while eating.
    std::int32_t moveX = 0, moveY = 0;
    std::int32_t stepsLeft = -1;   // -1 = slide until blocked
    std::int32_t state = 0;        // eating contact state 0, 1 or 2
    std::int32_t mark = 0;         // 1 once a big amoeba marked it: its wall knocks are silent
    std::int32_t frame = 0;        // animation column 0..7
    SoundId sound = SoundId::None; // the piece's own knock

    bool moving() const { return moveX != 0 || moveY != 0; }
    bool operator==(const PlayObject&) const = default;
};

struct PlayState {
    std::vector<PlayObject> objects; // by slot
    std::vector<std::uint16_t> byName;
    std::int32_t lastId = 1; // id 1 is the scene's pointer object
    // The clock of the frame last played, in frame units (1/50 s) since the level started.
    float clock = 0;
    // 1 once a piece has moved since the last rest test; the rest test clears it. It outlives
    // level starts on purpose: a value left over makes the first frame of the next hall run the
    // test once.
    std::int32_t motionSeen = 0;
    PlayRandom random;

    bool operator==(const PlayState&) const = default;
};

// Empties the hall for a new level; the random source and motionSeen carry on.
void clearPlay(PlayState& state);

// Places a new object (the next id, newest among its name) and returns its slot.
int addPlayObject(PlayState& state, PieceName name, Picture picture, float x, float y, float depth);
// Takes an object out of play; a dead slot is ignored.
void removePlayObject(PlayState& state, int slot);

inline PlayObject& objectAt(PlayState& state, int slot) {
    return state.objects[static_cast<std::size_t>(slot)];
}
inline const PlayObject& objectAt(const PlayState& state, int slot) {
    return state.objects[static_cast<std::size_t>(slot)];
}

// Moves an object, keeping where it was.
void setPlayX(PlayObject& object, float x);
void setPlayY(PlayObject& object, float y);

// True when no piece moves: a move played until then has run its course.
bool allAtRest(const PlayState& state);

// The live pieces (names beginning "hallitem") in the rules' order.
std::vector<int> pieceSlots(const PlayState& state);

// A hash of what a position is made of: every live piece's kind, position, scale, rotation and
// motion, in the rules' order. Equal positions hash equal; a solver keys visited positions on it.
std::uint64_t positionHash(const PlayState& state);
