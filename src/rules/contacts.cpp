#include "rules/contacts.h"

#include "presentation/scene_layer.h"
#include "rules/hall_pieces.h"
#include "rules/piece_names.h"
#include "rules/play_feedback.h"
#include "shell/game_state.h"

#include <cmath>
#include <string>

namespace {

// An eaten piece loses this much scale per frame of contact, from 1 down.
constexpr float eatingStep = 0.01f;

// What a rule found: the first overlapping object of a family, linked to its HallObject.
struct Contact {
    SceneObject* object = nullptr;
    HallObject* piece = nullptr;
    explicit operator bool() const { return piece != nullptr; }
};

// The piece whose entry is being processed.
struct Mover {
    HallGrid& hall;
    SceneObject* object;
    HallObject* piece;
};

Contact findContact(const SceneObject* object, std::string_view prefix) {
    SceneObject* found = findOverlappingObject(*game.hallLayer, object, prefix);
    return {found, hallObjectOf(found)};
}

bool isMoving(const HallObject* piece) {
    return piece->moveX != 0 || piece->moveY != 0;
}

void stepBack(const Mover& p) {
    if (p.piece->moveX != 0) {
        setObjectX(p.object, p.object->x - static_cast<float>(p.piece->moveX));
    }
    if (p.piece->moveY != 0) {
        setObjectY(p.object, p.object->y - static_cast<float>(p.piece->moveY));
    }
}

void stop(SceneObject* object, HallObject* piece) {
    piece->moveX = piece->moveY = 0;
    piece->stepsLeft = -1;
    object->rotation = 0;
}

void push(const Mover& p, const Contact& f, int steps) {
    f.piece->moveX = p.piece->moveX;
    f.piece->moveY = p.piece->moveY;
    f.piece->stepsLeft = steps;
}

// Both centres within 4 units on each axis: on the 4-unit lattice, exactly on it.
bool isCentredOn(const SceneObject* object, const SceneObject* on) {
    return std::fabs(object->x - on->x) < 4 && std::fabs(object->y - on->y) < 4;
}

// Less than half an eating step left counts as eaten up, so that 100 steps of 0.01 finish the
// meal although their float sum stays a hair above 0.
bool eatenUp(float scale) {
    return scale < eatingStep / 2;
}

// Two moving pieces that meet both burst; the second colour is the found piece's own (white
// for an amoeba).
bool collideMoving(const Mover& p, const Contact& f) {
    spawnAt("explosionitem", p.object->x, p.object->y, itemColour(p.object->name));
    spawnAt("explosionitem", f.object->x, f.object->y, itemColour(f.object->name));
    playPanned(game.sounds.soundDestroy, 60, p.object->x);
    removePiece(p.hall, f.object, f.piece);
    removePiece(p.hall, p.object, p.piece);
    return true;
}

// A piece is replaced by an amoeba of another kind, at rest.
bool morphInto(const Mover& p, PieceKind kind) {
    const float x = p.object->x, y = p.object->y;
    createAmoeba(p.hall, x, y, "hallitemamoeba" + std::string(kindWord(kind)));
    spawnAt("explosionamoebamorf", x, y);
    playPanned(game.sounds.soundMorph, 50, x);
    removePiece(p.hall, p.object, p.piece);
    return true;
}

// A moving amoeba closes in on a piece of its own kind, one unit per axis and frame, while the
// piece shrinks away.
void eatPiece(const Mover& p, const Contact& f) {
    p.piece->moveX = f.object->x > p.object->x ? 1 : -1;
    p.piece->moveY = f.object->y > p.object->y ? 1 : -1;
    p.piece->stepsLeft = -1;
    p.piece->state = 1;
    f.piece->state = 1;
    spawnAt("explosionamoebaeat", (p.object->x + f.object->x) / 2, (p.object->y + f.object->y) / 2,
            itemColour(f.object->name));
    if (f.object->scale == 1) {
        const bool ball = itemKind(f.piece->name) == PieceKind::Ball;
        playPanned(game.sounds.soundEat, ball ? 60 : 50, f.object->x);
    }
    f.object->scale -= eatingStep;
    if (eatenUp(f.object->scale)) {
        stop(p.object, p.piece);
        p.piece->state = 0;
        removePiece(p.hall, f.object, f.piece);
    }
}

// Rules 1 to 3: the piece runs into an item of the given kind. A ball pushes a ball on, a box
// moves one cell, a spike breaks a ball and is pushed by anything else; an amoeba of the item's
// kind eats it, an amoeba of another kind stops and takes the item's kind.
bool hitItem(const Mover& p, PieceKind kind) {
    const Contact f = findContact(p.object, "hallitem" + std::string(kindWord(kind)));
    if (!f) {
        return false;
    }
    if (isMoving(p.piece) && isMoving(f.piece)) {
        return collideMoving(p, f);
    }
    const bool eater = amoebaKind(p.piece->name) == kind;
    if (!eater) {
        stepBack(p);
    }
    const PieceKind moverKind = itemKind(p.piece->name);
    if (kind == PieceKind::Spike && moverKind == PieceKind::Ball) {
        const float x = p.object->x;
        destroyPiece(p.hall, p.object, p.piece);
        playPanned(game.sounds.soundDestroy, 60, x);
        return true;
    }
    if (kind == PieceKind::Ball && moverKind == PieceKind::Spike) {
        spawnAt("explosionitem", f.object->x, f.object->y, itemColour("hallitemball"));
        playPanned(game.sounds.soundDestroy, 60, p.object->x);
        removePiece(p.hall, f.object, f.piece);
    } else if (!eater) {
        if (kind == PieceKind::Box) {
            // A box moves one cell, and only a resting box answers the knock.
            if (!isMoving(f.piece)) {
                push(p, f, 11);
                playPanned(f.piece->sound, 45, p.object->x);
            }
        } else {
            if (!isMoving(f.piece)) {
                push(p, f, -1);
            }
            playPanned(f.piece->sound, 45, p.object->x);
        }
    }
    if (eater) {
        eatPiece(p, f);
        return false;
    }
    stop(p.object, p.piece);
    playPanned(p.piece->sound, 45, p.object->x);
    if (isAmoeba(p.piece->name)) {
        return morphInto(p, kind);
    }
    return false;
}

// An item of an amoeba's own kind creeps into it and shrinks away.
bool feedAmoeba(const Mover& p, const Contact& f) {
    if (isCentredOn(p.object, f.object)) {
        setObjectX(p.object, f.object->x);
        setObjectY(p.object, f.object->y);
    }
    auto unit = [](int v) { return v > 0 ? 1 : v < 0 ? -1 : 0; };
    p.piece->moveX = unit(p.piece->moveX);
    p.piece->moveY = unit(p.piece->moveY);
    p.piece->stepsLeft = -1;
    p.piece->state = 1;
    f.piece->state = 1;
    spawnAt("explosionamoebaeat", (p.object->x + f.object->x) / 2, (p.object->y + f.object->y) / 2,
            itemColour(p.object->name));
    if (p.object->scale == 1) {
        playPanned(game.sounds.soundEat, 50, p.object->x);
    }
    p.object->scale -= eatingStep;
    if (eatenUp(p.object->scale)) {
        f.piece->state = 0;
        removePiece(p.hall, p.object, p.piece);
        return true;
    }
    return false;
}

// Rule 4: the piece runs into an amoeba.
bool hitAmoeba(const Mover& p) {
    const Contact f = findContact(p.object, "hallitemamoeba");
    if (!f) {
        return false;
    }
    const PieceKind moverKind = itemKind(p.piece->name);
    if (isMoving(p.piece) && isMoving(f.piece)) {
        if (isAmoeba(p.piece->name)) {
            // Two sliding amoebas merge into a big amoeba between them.
            const float x = (p.object->x + f.object->x) / 2, y = (p.object->y + f.object->y) / 2;
            createBigAmoeba(p.hall, x, y);
            spawnAt("explosionitem", x, y);
            playPanned(game.sounds.soundBigAmoeba, 80, p.object->x);
            playPanned(game.sounds.soundDestroy, 60, p.object->x);
            removePiece(p.hall, f.object, f.piece);
            removePiece(p.hall, p.object, p.piece);
            return true;
        }
        return collideMoving(p, f);
    }
    if (moverKind != PieceKind::None && amoebaKind(f.piece->name) == moverKind) {
        return feedAmoeba(p, f);
    }
    // The amoeba takes over the motion; hit by an item, it also takes the item's kind.
    stepBack(p);
    push(p, f, -1);
    playPanned(f.piece->sound, 45, p.object->x);
    if (moverKind != PieceKind::None) {
        HallObject* amoeba = createAmoeba(p.hall, f.object->x, f.object->y,
                                          "hallitemamoeba" + std::string(kindWord(moverKind)));
        amoeba->moveX = p.piece->moveX;
        amoeba->moveY = p.piece->moveY;
        amoeba->stepsLeft = -1;
        spawnAt("explosionamoebamorf", f.object->x, f.object->y);
        playPanned(game.sounds.soundMorph, 50, f.object->x);
        removePiece(p.hall, f.object, f.piece);
    }
    stop(p.object, p.piece);
    playPanned(p.piece->sound, 45, p.object->x);
    return false;
}

// Rule 5: an item crossing a mutation cell of another kind becomes that kind and carries on;
// an amoeba crossing one gives the cell its own kind.
bool crossMutationCell(const Mover& p) {
    const Contact f = findContact(p.object, "hallmutace");
    if (!f) {
        return false;
    }
    const std::string_view cellName = f.piece->name;
    const PieceKind amoeba = amoebaKind(p.piece->name);
    if (amoeba != PieceKind::None) {
        const std::string ownCell = "hallmutace" + std::string(kindWord(amoeba));
        if (!startsWith(cellName, ownCell)) {
            const float x = f.object->x, y = f.object->y;
            createMutationCell(p.hall, x, y, ownCell);
            spawnAt("explosionamoebamorf", x, y);
            playPanned(game.sounds.soundMorph, 50, x);
            removePiece(p.hall, f.object, f.piece);
        }
        return false;
    }
    const PieceKind moverKind = itemKind(p.piece->name);
    PieceKind becomes = PieceKind::None;
    for (PieceKind kind : {PieceKind::Ball, PieceKind::Box, PieceKind::Spike}) {
        if (startsWith(cellName, "hallmutace" + std::string(kindWord(kind))) && moverKind != kind) {
            becomes = kind;
            break;
        }
    }
    if (becomes == PieceKind::None) {
        return false;
    }
    HallObject* item = createItem(p.hall, p.object->x, p.object->y, becomes);
    item->moveX = p.piece->moveX;
    item->moveY = p.piece->moveY;
    item->stepsLeft = p.piece->stepsLeft;
    spawnAt("explosionmutace", f.object->x, f.object->y);
    playPanned(game.sounds.soundMutation, 70, f.object->x);
    removePiece(p.hall, p.object, p.piece);
    return true;
}

// Rule 6: an arrow turns a moving piece centred on it; a counted push becomes a slide.
void followArrow(const Mover& p) {
    const Contact f = findContact(p.object, "hallarrow");
    if (!f || !isMoving(p.piece) || !isCentredOn(p.object, f.object)) {
        return;
    }
    const std::string_view name = f.piece->name;
    if (startsWith(name, "hallarrowright")) {
        p.piece->moveX = 4, p.piece->moveY = 0;
    } else if (startsWith(name, "hallarrowdown")) {
        p.piece->moveX = 0, p.piece->moveY = 4;
    } else if (startsWith(name, "hallarrowleft")) {
        p.piece->moveX = -4, p.piece->moveY = 0;
    } else if (startsWith(name, "hallarrowup")) {
        p.piece->moveX = 0, p.piece->moveY = -4;
    }
    p.piece->stepsLeft = -1;
    playPanned(game.sounds.soundArrow, 50, p.object->x);
}

// Rule 7: a moving piece centred on a teleport comes out at the nearest partner of the same
// name, unless a piece stands on it.
void useTeleport(const Mover& p) {
    const Contact f = findContact(p.object, "hallteleport");
    if (!f || !isMoving(p.piece) || !isCentredOn(p.object, f.object)) {
        return;
    }
    SceneLayer& layer = *game.hallLayer;
    if (collectObjectsNearObject(layer, f.object, f.object->name, 100000000.0f, false) == 0) {
        return;
    }
    SceneObject* partner = radiusResultAt(layer, 0);
    if (partner == nullptr || collectObjectsNearObject(layer, partner, "hallitem", 4, false) != 0) {
        return;
    }
    setObjectX(p.object, partner->x);
    setObjectY(p.object, partner->y);
    spawnAt("explosionteleport", f.object->x, f.object->y);
    spawnAt("explosionteleport", partner->x, partner->y);
    playPanned(game.sounds.soundTeleport, 50, f.object->x);
    playPanned(game.sounds.soundTeleport, 30, partner->x);
}

// Rule 8: a gate sends back every moving piece centred on it that is not an item of its kind.
void passGate(const Mover& p) {
    const Contact f = findContact(p.object, "hallgate");
    if (!f || !isMoving(p.piece) || !isCentredOn(p.object, f.object)) {
        return;
    }
    const std::string_view name = f.piece->name;
    const PieceKind moverKind = itemKind(p.piece->name);
    const bool passes = (startsWith(name, "hallgateball") && moverKind == PieceKind::Ball) ||
                        (startsWith(name, "hallgatebox") && moverKind == PieceKind::Box) ||
                        (startsWith(name, "hallgatespike") && moverKind == PieceKind::Spike);
    const bool known = startsWith(name, "hallgateball") || startsWith(name, "hallgatebox") ||
                       startsWith(name, "hallgatespike");
    if (passes || !known) {
        return;
    }
    p.piece->moveX = -p.piece->moveX;
    p.piece->moveY = -p.piece->moveY;
    p.piece->stepsLeft = -1;
    playPanned(game.sounds.soundGate, 40, p.object->x);
}

} // namespace

bool resolveContacts(HallGrid& hall, SceneObject* object, HallObject* piece) {
    const Mover p{hall, object, piece};
    for (PieceKind kind : {PieceKind::Ball, PieceKind::Box, PieceKind::Spike}) {
        if (hitItem(p, kind)) {
            return true;
        }
    }
    if (hitAmoeba(p)) {
        return true;
    }
    // A piece in an eating contact, eater or eaten, ignores cells, arrows, teleports and gates.
    if (piece->state != 0) {
        return false;
    }
    if (crossMutationCell(p)) {
        return true;
    }
    followArrow(p);
    useTeleport(p);
    passGate(p);
    return false;
}

bool touchBigAmoeba(HallGrid& hall, SceneObject* object, HallObject* piece) {
    if (findOverlappingObject(*game.hallLayer, object, "hallbigamoeba") == nullptr) {
        return false;
    }
    const float x = object->x;
    destroyPiece(hall, object, piece);
    playPanned(game.sounds.soundDestroy, 60, x);
    return true;
}
