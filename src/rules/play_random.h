#pragma once
// The general-purpose random source of play and decoration: floor pictures, rotations, animation
// start frames, torch flicker and the big amoebas' whims. The game seeds it from the clock at
// start-up and hands it on from hall to hall, so whatever it draws differs from run to run; the
// hall generator has its own seeded source and never draws from this one. A plain value: a copy
// of a play state draws the same numbers as the original.

#include <chrono>
#include <cstdint>

// PCG32 (XSH RR): small, fast and the same on every compiler and standard library.
struct PlayRandom {
    std::uint64_t state = 0x853C49E6748FEA9Bull;

    // An integer in 0 .. n - 1; 0 when n is 0 or below.
    int below(int n) {
        if (n <= 0) {
            return 0;
        }
        return static_cast<int>(next() % static_cast<std::uint32_t>(n));
    }

    // The same seed gives the same sequence (tests and tools rely on it).
    void seed(std::uint64_t value) {
        state = 0;
        next();
        state += value;
        next();
    }

    void seedFromClock() {
        const auto now = std::chrono::system_clock::now().time_since_epoch();
        seed(static_cast<std::uint64_t>(
            std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
    }

    std::uint32_t next() {
        const std::uint64_t old = state;
        state = old * 6364136223846793005ull + increment;
        const auto xorShifted = static_cast<std::uint32_t>(((old >> 18u) ^ old) >> 27u);
        const auto rotate = static_cast<std::uint32_t>(old >> 59u);
        return (xorShifted >> rotate) | (xorShifted << ((32u - rotate) & 31u));
    }

    bool operator==(const PlayRandom&) const = default;

  private:
    static constexpr std::uint64_t increment = 0xDA3E39CB94B95BDBull;
};
