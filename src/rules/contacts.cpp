#include "rules/contacts.h"

#include "rules/hall_pieces.h"
#include "rules/play_context.h"
#include "rules/play_queries.h"

#include <cmath>

namespace {

// An eaten piece loses this much scale per frame of contact, from 1 down.
constexpr float eatingStep = 0.01f;

// The piece whose entry is being processed (p) and what a rule found (f): slots, so that a
// rule that creates objects (which may move the state's storage) reads them afresh.
struct Pair {
    PlayContext& c;
    int p;
    int f = noSlot;
    PlayObject& mover() const { return c.at(p); }
    PlayObject& found() const { return c.at(f); }
};

// The first linked object of the family overlapping the mover, or noSlot.
int findContact(PlayContext& c, int slot, NameRange family) {
    const int found = findOverlapping(c.state, c.at(slot), family, slot);
    return found != noSlot && c.at(found).linked ? found : noSlot;
}

void stepBack(PlayObject& piece) {
    if (piece.moveX != 0) {
        setPlayX(piece, piece.x - static_cast<float>(piece.moveX));
    }
    if (piece.moveY != 0) {
        setPlayY(piece, piece.y - static_cast<float>(piece.moveY));
    }
}

void stop(PlayObject& piece) {
    piece.moveX = piece.moveY = 0;
    piece.stepsLeft = -1;
    piece.rotation = 0;
}

void push(const PlayObject& mover, PlayObject& found, int steps) {
    found.moveX = mover.moveX;
    found.moveY = mover.moveY;
    found.stepsLeft = steps;
}

// Both centres within 4 units on each axis: on the 4-unit lattice, exactly on it.
bool isCentredOn(const PlayObject& object, const PlayObject& on) {
    return std::fabs(object.x - on.x) < 4 && std::fabs(object.y - on.y) < 4;
}

// Less than half an eating step left counts as eaten up, so that 100 steps of 0.01 finish the
// meal although their float sum stays a hair above 0.
bool eatenUp(float scale) {
    return scale < eatingStep / 2;
}

// Two moving pieces that meet both burst; the second colour is the found piece's own (white
// for an amoeba).
bool collideMoving(const Pair& q) {
    const PlayObject& p = q.mover();
    const PlayObject& f = q.found();
    q.c.effect("explosionitem", p.x, p.y, itemColour(p.name));
    q.c.effect("explosionitem", f.x, f.y, itemColour(f.name));
    q.c.sound(SoundId::Destroy, 60, p.x);
    q.c.removePiece(q.f);
    q.c.removePiece(q.p);
    return true;
}

// A piece is replaced by an amoeba of another kind, at rest.
bool morphInto(const Pair& q, PieceKind kind) {
    const float x = q.mover().x, y = q.mover().y;
    createAmoeba(q.c.state, x, y, kind);
    q.c.effect("explosionamoebamorf", x, y);
    q.c.sound(SoundId::Morph, 50, x);
    removePlayObject(q.c.state, q.p);
    return true;
}

// A moving amoeba closes in on a piece of its own kind, one unit per axis and frame, while the
// piece shrinks away.
void eatPiece(const Pair& q) {
    PlayObject& p = q.mover();
    PlayObject& f = q.found();
    p.moveX = f.x > p.x ? 1 : -1;
    p.moveY = f.y > p.y ? 1 : -1;
    p.stepsLeft = -1;
    p.state = 1;
    f.state = 1;
    q.c.effect("explosionamoebaeat", (p.x + f.x) / 2, (p.y + f.y) / 2, itemColour(f.name));
    if (f.scale == 1) {
        const bool ball = f.name == PieceName::ItemBall;
        q.c.sound(SoundId::Eat, ball ? 60 : 50, f.x);
    }
    f.scale -= eatingStep;
    if (eatenUp(f.scale)) {
        stop(p);
        p.state = 0;
        q.c.removePiece(q.f);
    }
}

bool isItemName(PieceName name) {
    return name == PieceName::ItemBall || name == PieceName::ItemBox ||
           name == PieceName::ItemSpike;
}

PieceKind moverItemKind(const PlayObject& p) {
    return isItemName(p.name) ? kindOfName(p.name) : PieceKind::None;
}

PieceKind moverAmoebaKind(const PlayObject& p) {
    return family::amoebas.contains(p.name) ? kindOfName(p.name) : PieceKind::None;
}

// Rules 1 to 3: the piece runs into an item of the given kind. A ball pushes a ball on, a box
// moves one cell, a spike breaks a ball and is pushed by anything else; an amoeba of the item's
// kind eats it, an amoeba of another kind stops and takes the item's kind.
bool hitItem(PlayContext& c, int slot, PieceKind kind) {
    const Pair q{c, slot, findContact(c, slot, onlyName(itemName(kind)))};
    if (q.f == noSlot) {
        return false;
    }
    if (q.mover().moving() && q.found().moving()) {
        return collideMoving(q);
    }
    const bool eater = moverAmoebaKind(q.mover()) == kind;
    if (!eater) {
        stepBack(q.mover());
    }
    const PieceKind moverKind = moverItemKind(q.mover());
    if (kind == PieceKind::Spike && moverKind == PieceKind::Ball) {
        const float x = q.mover().x;
        c.destroyPiece(slot);
        c.sound(SoundId::Destroy, 60, x);
        return true;
    }
    if (kind == PieceKind::Ball && moverKind == PieceKind::Spike) {
        c.effect("explosionitem", q.found().x, q.found().y, itemColour(PieceName::ItemBall));
        c.sound(SoundId::Destroy, 60, q.mover().x);
        c.removePiece(q.f);
    } else if (!eater) {
        if (kind == PieceKind::Box) {
            // A box moves one cell, and only a resting box answers the knock.
            if (!q.found().moving()) {
                push(q.mover(), q.found(), 11);
                c.sound(q.found().sound, 45, q.mover().x);
            }
        } else {
            if (!q.found().moving()) {
                push(q.mover(), q.found(), -1);
            }
            c.sound(q.found().sound, 45, q.mover().x);
        }
    }
    if (eater) {
        eatPiece(q);
        return false;
    }
    stop(q.mover());
    c.sound(q.mover().sound, 45, q.mover().x);
    if (family::amoebas.contains(q.mover().name)) {
        return morphInto(q, kind);
    }
    return false;
}

// An item of an amoeba's own kind creeps into it and shrinks away.
bool feedAmoeba(const Pair& q) {
    PlayObject& p = q.mover();
    PlayObject& f = q.found();
    if (isCentredOn(p, f)) {
        setPlayX(p, f.x);
        setPlayY(p, f.y);
    }
    auto unit = [](int v) { return v > 0 ? 1 : v < 0 ? -1 : 0; };
    p.moveX = unit(p.moveX);
    p.moveY = unit(p.moveY);
    p.stepsLeft = -1;
    p.state = 1;
    f.state = 1;
    q.c.effect("explosionamoebaeat", (p.x + f.x) / 2, (p.y + f.y) / 2, itemColour(p.name));
    if (p.scale == 1) {
        q.c.sound(SoundId::Eat, 50, p.x);
    }
    p.scale -= eatingStep;
    if (eatenUp(p.scale)) {
        f.state = 0;
        q.c.removePiece(q.p);
        return true;
    }
    return false;
}

// Rule 4: the piece runs into an amoeba.
bool hitAmoeba(PlayContext& c, int slot) {
    const Pair q{c, slot, findContact(c, slot, family::amoebas)};
    if (q.f == noSlot) {
        return false;
    }
    const PieceKind moverKind = moverItemKind(q.mover());
    if (q.mover().moving() && q.found().moving()) {
        if (family::amoebas.contains(q.mover().name)) {
            // Two sliding amoebas merge into a big amoeba between them.
            const float moverX = q.mover().x;
            const float x = (q.mover().x + q.found().x) / 2, y = (q.mover().y + q.found().y) / 2;
            createBigAmoeba(c.state, x, y);
            c.effect("explosionitem", x, y);
            c.sound(SoundId::BigAmoeba, 80, moverX);
            c.sound(SoundId::Destroy, 60, moverX);
            c.removePiece(q.f);
            c.removePiece(q.p);
            return true;
        }
        return collideMoving(q);
    }
    if (moverKind != PieceKind::None && moverAmoebaKind(q.found()) == moverKind) {
        return feedAmoeba(q);
    }
    // The amoeba takes over the motion; hit by an item, it also takes the item's kind.
    stepBack(q.mover());
    push(q.mover(), q.found(), -1);
    c.sound(q.found().sound, 45, q.mover().x);
    if (moverKind != PieceKind::None) {
        const float fx = q.found().x, fy = q.found().y;
        const int amoeba = createAmoeba(c.state, fx, fy, moverKind);
        c.at(amoeba).moveX = q.mover().moveX;
        c.at(amoeba).moveY = q.mover().moveY;
        c.at(amoeba).stepsLeft = -1;
        c.effect("explosionamoebamorf", fx, fy);
        c.sound(SoundId::Morph, 50, fx);
        removePlayObject(c.state, q.f);
    }
    stop(q.mover());
    c.sound(q.mover().sound, 45, q.mover().x);
    return false;
}

// Rule 5: an item crossing a mutation cell of another kind becomes that kind and carries on;
// an amoeba crossing one gives the cell its own kind.
bool crossMutationCell(PlayContext& c, int slot) {
    const Pair q{c, slot, findContact(c, slot, family::mutationCells)};
    if (q.f == noSlot) {
        return false;
    }
    const PieceKind cellKind = kindOfName(q.found().name);
    const PieceKind amoeba = moverAmoebaKind(q.mover());
    if (amoeba != PieceKind::None) {
        if (cellKind != amoeba) {
            const float x = q.found().x, y = q.found().y;
            createMutationCell(c.state, x, y, amoeba);
            c.effect("explosionamoebamorf", x, y);
            c.sound(SoundId::Morph, 50, x);
            removePlayObject(c.state, q.f);
        }
        return false;
    }
    const PieceKind moverKind = moverItemKind(q.mover());
    if (cellKind == PieceKind::None || cellKind == moverKind) {
        return false;
    }
    const float x = q.mover().x, y = q.mover().y;
    const int item = createItem(c.state, x, y, cellKind);
    c.at(item).moveX = q.mover().moveX;
    c.at(item).moveY = q.mover().moveY;
    c.at(item).stepsLeft = q.mover().stepsLeft;
    c.effect("explosionmutace", q.found().x, q.found().y);
    c.sound(SoundId::Mutation, 70, q.found().x);
    removePlayObject(c.state, q.p);
    return true;
}

// Rule 6: an arrow turns a moving piece centred on it; a counted push becomes a slide.
void followArrow(PlayContext& c, int slot) {
    const Pair q{c, slot, findContact(c, slot, family::arrows)};
    if (q.f == noSlot || !q.mover().moving() || !isCentredOn(q.mover(), q.found())) {
        return;
    }
    PlayObject& p = q.mover();
    switch (q.found().name) {
    case PieceName::ArrowRight:
        p.moveX = 4, p.moveY = 0;
        break;
    case PieceName::ArrowDown:
        p.moveX = 0, p.moveY = 4;
        break;
    case PieceName::ArrowLeft:
        p.moveX = -4, p.moveY = 0;
        break;
    default:
        p.moveX = 0, p.moveY = -4;
        break;
    }
    p.stepsLeft = -1;
    c.sound(SoundId::Arrow, 50, p.x);
}

// Rule 7: a moving piece centred on a teleport comes out at the nearest partner of the same
// name, unless a piece stands on it.
void useTeleport(PlayContext& c, int slot) {
    const Pair q{c, slot, findContact(c, slot, family::teleports)};
    if (q.f == noSlot || !q.mover().moving() || !isCentredOn(q.mover(), q.found())) {
        return;
    }
    const PlayObject& f = q.found();
    const std::vector<int> partners =
        collectNear(c.state, onlyName(f.name), f.x, f.y, 100000000.0f, q.f);
    if (partners.empty()) {
        return;
    }
    const PlayObject& partner = c.at(partners[0]);
    if (!collectNear(c.state, family::pieces, partner.x, partner.y, 4, partners[0]).empty()) {
        return;
    }
    PlayObject& p = q.mover();
    setPlayX(p, partner.x);
    setPlayY(p, partner.y);
    c.effect("explosionteleport", f.x, f.y);
    c.effect("explosionteleport", partner.x, partner.y);
    c.sound(SoundId::Teleport, 50, f.x);
    c.sound(SoundId::Teleport, 30, partner.x);
}

// Rule 8: a gate sends back every moving piece centred on it that is not an item of its kind.
void passGate(PlayContext& c, int slot) {
    const Pair q{c, slot, findContact(c, slot, family::gates)};
    if (q.f == noSlot || !q.mover().moving() || !isCentredOn(q.mover(), q.found())) {
        return;
    }
    if (moverItemKind(q.mover()) == kindOfName(q.found().name)) {
        return;
    }
    PlayObject& p = q.mover();
    p.moveX = -p.moveX;
    p.moveY = -p.moveY;
    p.stepsLeft = -1;
    c.sound(SoundId::Gate, 40, p.x);
}

} // namespace

bool resolveContacts(PlayContext& c, int slot) {
    for (PieceKind kind : {PieceKind::Ball, PieceKind::Box, PieceKind::Spike}) {
        if (hitItem(c, slot, kind)) {
            return true;
        }
    }
    if (hitAmoeba(c, slot)) {
        return true;
    }
    // A piece in an eating contact, eater or eaten, ignores cells, arrows, teleports and gates.
    if (c.at(slot).state != 0) {
        return false;
    }
    if (crossMutationCell(c, slot)) {
        return true;
    }
    followArrow(c, slot);
    useTeleport(c, slot);
    passGate(c, slot);
    return false;
}

bool touchBigAmoeba(PlayContext& c, int slot) {
    if (findOverlapping(c.state, c.at(slot), family::bigAmoebas, slot) == noSlot) {
        return false;
    }
    const float x = c.at(slot).x;
    c.destroyPiece(slot);
    c.sound(SoundId::Destroy, 60, x);
    return true;
}
