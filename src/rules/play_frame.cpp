#include "rules/play_frame.h"

#include "hall/push_scrambler.h"
#include "rules/ambient.h"
#include "rules/contacts.h"
#include "rules/hall_pieces.h"
#include "rules/play_context.h"
#include "rules/play_queries.h"

#include <cmath>

namespace {

constexpr float spikeSpin = 0.15707963267948966f; // pi / 20 per step
constexpr float halfWidth = 462;                  // half the hall plane

// A move launches the resting piece under its point along its direction.
void launchPiece(PlayContext& c) {
    if (!c.input.hasMove) {
        return;
    }
    const PlayMove& move = c.input.move;
    const int slot = findOverlapping(c.state, pointerProbe(move.x, move.y), family::pieces);
    if (slot == noSlot || !c.at(slot).linked || c.at(slot).moving()) {
        return;
    }
    PlayObject& piece = c.at(slot);
    switch (move.direction) {
    case Direction::Left:
        piece.moveX = -4;
        break;
    case Direction::Right:
        piece.moveX = 4;
        break;
    case Direction::Up:
        piece.moveY = -4;
        break;
    case Direction::Down:
        piece.moveY = 4;
        break;
    }
    piece.stepsLeft = -1;
    c.report(EventKind::PieceLaunched, piece);
    c.sound(SoundId::Move, 60, piece.x);
}

void stepPiece(PlayObject& piece) {
    if (piece.moveX != 0) {
        setPlayX(piece, piece.x + static_cast<float>(piece.moveX));
    }
    if (piece.moveY != 0) {
        setPlayY(piece, piece.y + static_cast<float>(piece.moveY));
    }
    if (piece.stepsLeft > 0) {
        --piece.stepsLeft;
    }
    if (piece.name == PieceName::ItemSpike) {
        piece.rotation += spikeSpin;
    }
}

// A piece overlapping a wall or window steps back and stops with a knock.
void knockOnWall(PlayContext& c, int slot) {
    const int wall = findOverlapping(c.state, c.at(slot), family::walls, slot);
    if (wall == noSlot || !c.at(wall).linked) {
        return;
    }
    PlayObject& piece = c.at(slot);
    if (piece.moveX != 0) {
        setPlayX(piece, piece.x - static_cast<float>(piece.moveX));
    }
    if (piece.moveY != 0) {
        setPlayY(piece, piece.y - static_cast<float>(piece.moveY));
    }
    piece.moveX = piece.moveY = 0;
    piece.stepsLeft = -1;
    piece.rotation = 0;
    if (piece.mark == 0) {
        c.sound(SoundId::Wall, 25, piece.x);
        c.sound(piece.sound, 45, piece.x);
    }
}

void animateAmoeba(PlayContext& c, PlayObject& piece) {
    if (static_cast<int>(c.state.clock) % 3 == 0) {
        piece.frame = (piece.frame + 1) % 8;
    }
    piece.rotation = 0;
}

// An eaten piece's contact state: renewed by the eater each frame, so a 2 found at the start of
// its entry means the eater let go; the half-eaten piece then breaks off.
bool breakOffEatenPiece(PlayContext& c, int slot) {
    PlayObject& piece = c.at(slot);
    if (piece.scale >= 1) {
        return false;
    }
    if (piece.state == 1) {
        piece.state = 2;
        return false;
    }
    if (piece.state == 2) {
        const float x = piece.x;
        c.destroyPiece(slot);
        c.sound(SoundId::Destroy, 60, x);
        return true;
    }
    return false;
}

// Moves one piece through its frame; false when it left play before its end.
bool runMovingPiece(PlayContext& c, int slot) {
    stepPiece(c.at(slot));
    knockOnWall(c, slot);
    if (resolveContacts(c, slot)) {
        return false;
    }
    PlayObject& piece = c.at(slot);
    if (piece.stepsLeft == 0) {
        piece.moveX = piece.moveY = 0;
        piece.stepsLeft = -1;
        piece.rotation = 0;
    }
    c.state.motionSeen = 1;
    return true;
}

struct PassResult {
    int pieces = 0;
    int resting = 0;
};

// Every piece once, in the rules' order (amoebas first, then balls, boxes, spikes). Pieces made
// during the pass wait for the next frame; removed ones are skipped.
PassResult runItemPass(PlayContext& c) {
    const std::vector<int> slots = collectByName(c.state, family::pieces);
    PassResult result;
    result.pieces = static_cast<int>(slots.size());
    for (int slot : slots) {
        if (!c.at(slot).alive || !c.at(slot).linked) {
            continue;
        }
        if (family::amoebas.contains(c.at(slot).name)) {
            animateAmoeba(c, c.at(slot));
        }
        if (breakOffEatenPiece(c, slot)) {
            continue;
        }
        if (c.at(slot).moving()) {
            if (!runMovingPiece(c, slot)) {
                continue;
            }
        } else {
            ++result.resting;
        }
        touchBigAmoeba(c, slot);
    }
    return result;
}

bool coversEnd(PieceName end, PieceName piece) {
    return (end == PieceName::EndBall && piece == PieceName::ItemBall) ||
           (end == PieceName::EndBox && piece == PieceName::ItemBox) ||
           (end == PieceName::EndSpike && piece == PieceName::ItemSpike);
}

// Once per spell of motion, in the first frame that finds every piece at rest: are all ends
// covered by an item of their own kind?
void runRestTest(PlayContext& c, const PassResult& pass) {
    if (pass.resting != pass.pieces) {
        return;
    }
    if (c.state.motionSeen == 1) {
        const std::vector<int> ends = collectByName(c.state, family::ends);
        int covered = 0;
        float lastEndX = halfWidth; // centre pan when the hall has no end at all
        for (int slot : ends) {
            const PlayObject& end = c.at(slot);
            if (!end.alive || !end.linked) {
                continue;
            }
            lastEndX = end.x;
            const int piece = findOverlapping(c.state, end, family::pieces, slot);
            if (piece != noSlot && c.at(piece).linked && coversEnd(end.name, c.at(piece).name)) {
                ++covered;
            }
        }
        if (covered == static_cast<int>(ends.size())) {
            PlayEvent solved;
            solved.kind = EventKind::HallSolved;
            c.events.push_back(solved);
            c.sound(SoundId::Mark, 70, lastEndX);
        }
    }
    c.state.motionSeen = 0;
}

} // namespace

void PlayContext::destroyPiece(int slot) {
    const PlayObject& piece = at(slot);
    effect("explosionitem", piece.x, piece.y, itemColour(piece.name));
    removePiece(slot);
}

int soundPan(float x) {
    return static_cast<int>((x - halfWidth) * 95 / halfWidth);
}

const char* directionName(Direction direction) {
    static const char* const names[4] = {"left", "right", "up", "down"};
    return names[static_cast<int>(direction)];
}

Direction directionOfPush(int push) {
    static_assert(pushLeft == 0 && pushRight == 1 && pushUp == 2 && pushDown == 3);
    return static_cast<Direction>(push);
}

PlayMove cellMove(int x, int y, Direction direction) {
    return PlayMove{static_cast<float>(44 * x + 22), static_cast<float>(44 * y + 22), direction};
}

bool dragMove(float pressX, float pressY, float releaseX, float releaseY, PlayMove* move) {
    const float dx = releaseX - pressX;
    const float dy = releaseY - pressY;
    if (dx == 0 && dy == 0) {
        return false;
    }
    move->x = pressX;
    move->y = pressY;
    if (std::fabs(dx) > std::fabs(dy)) {
        move->direction = dx >= 0 ? Direction::Right : Direction::Left;
    } else {
        move->direction = dy >= 0 ? Direction::Down : Direction::Up;
    }
    return true;
}

void stepPlay(PlayState& state, const PlayInput& input, PlayEvents& events) {
    events.clear();
    state.clock = input.clock;
    PlayContext c{state, events, input};
    launchPiece(c);
    switchLightUnderPointer(c);
    const PassResult pass = runItemPass(c);
    runRestTest(c, pass);
    runAmbientSteps(c);
}

void stepPlayFrame(PlayState& state, PlayInput input, PlayEvents& events) {
    input.clock = state.clock;
    stepPlay(state, input, events);
    state.clock += 1;
}
