#include "rules/random_below.h"

#include <chrono>

namespace {

// PCG32 (XSH RR): small, fast and the same on every compiler and standard library.
struct Pcg32 {
    std::uint64_t state = 0x853C49E6748FEA9Bull;
    static constexpr std::uint64_t increment = 0xDA3E39CB94B95BDBull;

    std::uint32_t next() {
        const std::uint64_t old = state;
        state = old * 6364136223846793005ull + increment;
        const auto xorShifted = static_cast<std::uint32_t>(((old >> 18u) ^ old) >> 27u);
        const auto rotate = static_cast<std::uint32_t>(old >> 59u);
        return (xorShifted >> rotate) | (xorShifted << ((32u - rotate) & 31u));
    }

    void seed(std::uint64_t value) {
        state = 0;
        next();
        state += value;
        next();
    }
};

Pcg32 source;

} // namespace

int randomBelow(int n) {
    if (n <= 0) {
        return 0;
    }
    return static_cast<int>(source.next() % static_cast<std::uint32_t>(n));
}

void seedRandomBelow(std::uint32_t seed) {
    source.seed(seed);
}

void seedRandomBelowFromClock() {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    source.seed(static_cast<std::uint64_t>(
        std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
}
