#pragma once
// The hall's own life: the player's light switch, the torches' start sequence and flicker,
// teleport sparkle, mutation blink and the big amoebas. (The lighting itself is presentation's:
// no rule reads it.)

struct PlayContext;

// Switches the torch under the pointer when the input asks for it.
void switchLightUnderPointer(PlayContext& c);

// The ambient steps that follow the rest test.
void runAmbientSteps(PlayContext& c);

// True in every frame whose whole tick of the clock is a multiple of n.
bool everyTicks(float clock, int n);
