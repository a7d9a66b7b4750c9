#include "rules/play_move.h"

#include "hall/hall_grid.h"
#include "rules/play_queries.h"

int pieceOnCell(const PlayState& state, int x, int y) {
    for (int slot : pieceSlots(state)) {
        const PlayObject& piece = objectAt(state, slot);
        if (piece.x == cellCentre(x) && piece.y == cellCentre(y)) {
            return slot;
        }
    }
    return noSlot;
}

bool playFrame(PlayState& state, const PlayInput& input, PlayEvents& events) {
    stepPlayFrame(state, input, events);
    for (const PlayEvent& e : events) {
        if (e.kind == EventKind::HallSolved) {
            return true;
        }
    }
    return false;
}

bool settlePlay(PlayState& state, PlayEvents& events, bool* solved) {
    for (int frames = 0; frames < replayFrameLimit; ++frames) {
        *solved = playFrame(state, {}, events) || *solved;
        if (allAtRest(state)) {
            *solved = playFrame(state, {}, events) || *solved;
            return true;
        }
    }
    return false;
}

PlayedMove playMoveToRest(PlayState& state, int x, int y, Direction direction, PlayEvents& events) {
    PlayedMove played;
    const int piece = pieceOnCell(state, x, y);
    if (piece == noSlot) {
        return played;
    }
    PlayInput input;
    input.hasMove = true;
    input.move = {objectAt(state, piece).x, objectAt(state, piece).y, direction};
    played.solved = playFrame(state, input, events);
    played.end = settlePlay(state, events, &played.solved) ? MoveEnd::Rested : MoveEnd::Endless;
    return played;
}
