#pragma once
// What stands where in a play state: the same questions, with the same answers, that the scene
// layer answers about its objects. Name queries walk byName over a family's range; near queries
// order their result nearest first and, at equal whole distances, by the ids' decimal text (12
// before 9), as the scene layer's radius result does.

#include "rules/play_state.h"

#include <vector>

constexpr int noSlot = -1;

// The first live, searchable object of the family, other than the one in excludeSlot, whose
// shape overlaps the probe's; noSlot when none does. Circle sets decide when both have circles,
// otherwise boxes (strict: touching edges do not overlap).
int findOverlapping(const PlayState& state, const PlayObject& probe, NameRange family,
                    int excludeSlot = noSlot);

// The live, searchable objects of the family in name order.
std::vector<int> collectByName(const PlayState& state, NameRange family);

// The first object of the family (or with nearest, the closest) within radius of (cx, cy);
// searchable or not.
int findNear(const PlayState& state, NameRange family, bool nearest, float cx, float cy,
             float radius, int excludeSlot = noSlot);

// Every object of the family within radius of (cx, cy), nearest first.
std::vector<int> collectNear(const PlayState& state, NameRange family, float cx, float cy,
                             float radius, int excludeSlot = noSlot);

// A probe of the pointer's shape (the cursor picture) at (x, y), in no state.
PlayObject pointerProbe(float x, float y);
