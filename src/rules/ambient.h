#pragma once
// The hall's own life: the player's light switch, the pointer light, the torches' start sequence
// and flicker, teleport sparkle, mutation blink and the big amoebas.

struct HallGrid;

// Switches the torch under the cursor object while the left button is held (debounced).
void switchLightUnderPointer();

// The ambient steps that follow the rest test; x, y is the pointer in hall-plane units.
void runAmbientSteps(HallGrid& hall, float x, float y);

// True in every frame whose whole tick of the clock is a multiple of n.
bool everyTicks(int n);
