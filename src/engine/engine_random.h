#pragma once
// The engine's random floats: a small generator of our own, so that a seed gives the same
// sequence with every compiler and standard library (tests rely on it).

#include <cstdint>

class EngineRandom {
  public:
    void seed(std::uint32_t value) { state_ = value != 0 ? value : 0x9E3779B9u; }

    // A float in [min, max].
    float next(float min, float max) {
        state_ ^= state_ << 13; // xorshift32
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        const float unit = static_cast<float>(state_ >> 8) * (1.0f / 16777215.0f);
        return min + (max - min) * unit;
    }

  private:
    std::uint32_t state_ = 0x9E3779B9u;
};
