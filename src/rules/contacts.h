#pragma once
// The contact rules a moving piece runs after its step and wall test, in their fixed order: ball,
// box, spike, amoeba, mutation cell, arrow, teleport, gate. A rule may destroy or replace the
// piece, which ends its entry in the item pass.

struct PlayContext;

// Runs the contact rules for the piece in slot; true when it left play (its entry is over).
bool resolveContacts(PlayContext& c, int slot);

// A piece touching a big amoeba is destroyed, moving or at rest; true when it was.
bool touchBigAmoeba(PlayContext& c, int slot);
