#pragma once

#include <cstdint>

// Deterministic hash noise: the same seed and position always give the same value.

// A value 0..1 for the integer lattice point (x, y).
float hashNoise(int x, int y, std::uint32_t seed);
// Smooth value noise 0..1 with lattice spacing `cell` pixels. A period > 0 (in lattice cells)
// wraps the lattice, so the noise tiles every period × cell pixels.
float valueNoise(float x, float y, float cell, std::uint32_t seed, int period = 0);
// Sum of `octaves` value-noise layers, each half the cell size and half the weight; 0..1.
float fractalNoise(float x, float y, float cell, int octaves, std::uint32_t seed, int period = 0);
