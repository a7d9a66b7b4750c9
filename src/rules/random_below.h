#pragma once
// The general-purpose random source of play and decoration: floor pictures, rotations, animation
// start frames, torch flicker and the big amoebas' whims. It is seeded from the clock at start-up,
// so whatever it draws differs from run to run; the hall generator has its own seeded source and
// never draws from this one.

#include <cstdint>

// An integer in 0 .. n - 1; 0 when n is 0 or below.
int randomBelow(int n);

// Restarts the sequence; the same seed gives the same sequence (tests and tools rely on it).
void seedRandomBelow(std::uint32_t seed);

// Seeds from the wall clock; called once at start-up.
void seedRandomBelowFromClock();
