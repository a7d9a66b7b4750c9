#pragma once
// The contact rules a moving piece runs after its step and wall test, in their fixed order: ball,
// box, spike, amoeba, mutation cell, arrow, teleport, gate. A rule may destroy or replace the
// piece, which ends its entry in the item pass.

struct HallGrid;
struct HallObject;
struct SceneObject;

// Runs the contact rules for a piece; true when the piece left play (its entry is over).
bool resolveContacts(HallGrid& hall, SceneObject* piece, HallObject* state);

// A piece touching a big amoeba is destroyed, moving or at rest; true when it was.
bool touchBigAmoeba(HallGrid& hall, SceneObject* piece, HallObject* state);
