#include "rules/update_hall.h"

#include "presentation/scene_layer.h"
#include "rules/ambient.h"
#include "rules/contacts.h"
#include "rules/hall_pieces.h"
#include "rules/piece_names.h"
#include "rules/play_feedback.h"
#include "rules/solved.h"
#include "shell/game_state.h"

#include <cmath>
#include <string_view>

int motionSeen = 0;

namespace {

constexpr float spikeSpin = 0.15707963267948966f; // pi / 20 per step

bool isMoving(const HallObject& piece) {
    return piece.moveX != 0 || piece.moveY != 0;
}

void moveCursor(float x, float y) {
    if (game.cursorObject != nullptr) {
        setObjectX(game.cursorObject, x);
        setObjectY(game.cursorObject, y);
    }
}

// A finished drag launches the resting piece under the press point along the drag's main axis;
// a tie goes to the vertical.
void launchPiece() {
    if (game.dragState != 2 || game.cursorObject == nullptr) {
        return;
    }
    moveCursor(game.pressPoint.x, game.pressPoint.y);
    SceneObject* object = findOverlappingObject(*game.hallLayer, game.cursorObject, "hallitem");
    HallObject* piece = hallObjectOf(object);
    if (piece == nullptr || isMoving(*piece)) {
        return;
    }
    const float dx = game.releasePoint.x - game.pressPoint.x;
    const float dy = game.releasePoint.y - game.pressPoint.y;
    if (dx == 0 && dy == 0) {
        return;
    }
    if (std::fabs(dx) > std::fabs(dy)) {
        piece->moveX = dx >= 0 ? 4 : -4;
    } else {
        piece->moveY = dy >= 0 ? 4 : -4;
    }
    piece->stepsLeft = -1;
    playPanned(game.sounds.soundMove, 60, object->x, 1.0f);
}

void stepPiece(SceneObject* object, HallObject* piece) {
    if (piece->moveX != 0) {
        setObjectX(object, object->x + static_cast<float>(piece->moveX));
    }
    if (piece->moveY != 0) {
        setObjectY(object, object->y + static_cast<float>(piece->moveY));
    }
    if (piece->stepsLeft > 0) {
        --piece->stepsLeft;
    }
    if (startsWith(piece->name, "hallitemspike")) {
        object->rotation += spikeSpin;
    }
}

// A piece overlapping a wall or window steps back and stops with a knock.
void knockOnWall(SceneObject* object, HallObject* piece) {
    SceneObject* wall = findOverlappingObject(*game.hallLayer, object, "hallwall");
    if (hallObjectOf(wall) == nullptr) {
        return;
    }
    if (piece->moveX != 0) {
        setObjectX(object, object->x - static_cast<float>(piece->moveX));
    }
    if (piece->moveY != 0) {
        setObjectY(object, object->y - static_cast<float>(piece->moveY));
    }
    piece->moveX = piece->moveY = 0;
    piece->stepsLeft = -1;
    object->rotation = 0;
    if (piece->mark == 0) {
        playPanned(game.sounds.soundWall, 25, object->x);
        playPanned(piece->sound, 45, object->x);
    }
}

void animateAmoeba(SceneObject* object, HallObject* piece) {
    if (static_cast<int>(game.clock) % 3 == 0) {
        piece->frame = (piece->frame + 1) % 8;
        selectFrame(object, 0, piece->frame);
    }
    object->rotation = 0;
}

// An eaten piece's contact state: renewed by the eater each frame, so a 2 found at the start of
// its entry means the eater let go; the half-eaten piece then breaks off.
bool breakOffEatenPiece(HallGrid& hall, SceneObject* object, HallObject* piece) {
    if (object->scale >= 1) {
        return false;
    }
    if (piece->state == 1) {
        piece->state = 2;
        return false;
    }
    if (piece->state == 2) {
        const float x = object->x;
        destroyPiece(hall, object, piece);
        playPanned(game.sounds.soundDestroy, 60, x);
        return true;
    }
    return false;
}

// Moves one piece through its frame; false when it left play before its end.
bool runMovingPiece(HallGrid& hall, SceneObject* object, HallObject* piece) {
    stepPiece(object, piece);
    knockOnWall(object, piece);
    if (resolveContacts(hall, object, piece)) {
        return false;
    }
    if (piece->stepsLeft == 0) {
        piece->moveX = piece->moveY = 0;
        piece->stepsLeft = -1;
        object->rotation = 0;
    }
    motionSeen = 1;
    return true;
}

struct PassResult {
    int pieces = 0;
    int resting = 0;
};

// Every piece once, in the layer's name order (amoebas first, then balls, boxes, spikes).
// Pieces made during the pass wait for the next frame; removed ones leave empty entries.
PassResult runItemPass(HallGrid& hall) {
    SceneLayer& layer = *game.hallLayer;
    PassResult result;
    result.pieces = collectObjectsByName(layer, "hallitem", false);
    for (int i = 0; i < result.pieces; ++i) {
        SceneObject* object = nameResultAt(layer, i);
        HallObject* piece = hallObjectOf(object);
        if (piece == nullptr) {
            continue;
        }
        if (isAmoeba(piece->name)) {
            animateAmoeba(object, piece);
        }
        if (breakOffEatenPiece(hall, object, piece)) {
            continue;
        }
        if (isMoving(*piece)) {
            if (!runMovingPiece(hall, object, piece)) {
                continue;
            }
        } else {
            ++result.resting;
        }
        touchBigAmoeba(hall, object, piece);
    }
    return result;
}

bool coversEnd(std::string_view endName, std::string_view pieceName) {
    return (endName == "hallendball" && pieceName == "hallitemball") ||
           (endName == "hallendbox" && pieceName == "hallitembox") ||
           (endName == "hallendspike" && pieceName == "hallitemspike");
}

// Once per spell of motion, in the first frame that finds every piece at rest: are all ends
// covered by an item of their own kind?
void runRestTest(const PassResult& pass) {
    if (pass.resting != pass.pieces) {
        return;
    }
    if (motionSeen == 1) {
        SceneLayer& layer = *game.hallLayer;
        const int ends = collectObjectsByName(layer, "hallend", false);
        int covered = 0;
        float lastEndX = game.halfWidth; // centre pan when the hall has no end at all
        for (int i = 0; i < ends; ++i) {
            SceneObject* end = nameResultAt(layer, i);
            HallObject* endPiece = hallObjectOf(end);
            if (endPiece == nullptr) {
                continue;
            }
            lastEndX = end->x;
            HallObject* piece = hallObjectOf(findOverlappingObject(layer, end, "hallitem"));
            if (piece != nullptr && coversEnd(endPiece->name, piece->name)) {
                ++covered;
            }
        }
        if (covered == ends) {
            reportHallSolved(game.level);
            playPanned(game.sounds.soundMark, 70, lastEndX);
        }
    }
    motionSeen = 0;
}

} // namespace

void updateHall(HallGrid& hall, float frameTime, float x, float y) {
    (void)frameTime; // play is counted in frames
    launchPiece();
    moveCursor(x, y);
    switchLightUnderPointer();
    const PassResult pass = runItemPass(hall);
    runRestTest(pass);
    runAmbientSteps(hall, x, y);
}
