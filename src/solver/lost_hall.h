#pragma once
// Whether a hall at rest can still be solved, by counting alone: pieces are only ever lost and
// ends never move, so when a kind has fewer items that could ever be of that kind than it has
// ends that each need an item of their own, no sequence of moves solves the hall. The count
// errs on the side of "still solvable": whatever could possibly supply or share a kind is
// counted as though it would.

#include "rules/piece_names.h"
#include "rules/play_state.h"

#include <string>

struct LostHall {
    bool lost = false;
    // What is short: ends of one kind (None: of all kinds together) against the items that could
    // still cover them; or an end under a big amoeba, which no item can ever rest on.
    PieceKind kind = PieceKind::None;
    int endsNeeded = 0;
    int itemsAvailable = 0;
    bool endSwallowed = false;
};

LostHall findLostHall(const PlayState& state);

inline bool hallIsLost(const PlayState& state) {
    return findLostHall(state).lost;
}

// One line for the log: what makes the hall lost.
std::string describeLostHall(const LostHall& lost);
