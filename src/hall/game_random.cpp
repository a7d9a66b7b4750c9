#include "hall/game_random.h"

#include <cstdint>

namespace {

std::int32_t wrap(std::uint32_t value) {
    return static_cast<std::int32_t>(value);
}

std::int32_t wrappingAdd(std::int32_t a, std::int32_t b) {
    return wrap(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}

std::int32_t wrappingMultiply(std::int32_t a, std::int32_t b) {
    return wrap(static_cast<std::uint32_t>(a) * static_cast<std::uint32_t>(b));
}

// |v| as an unsigned value, so that |-2147483648| is 2147483648 rather than an overflow.
std::uint32_t magnitude(std::int32_t v) {
    return v < 0 ? 0u - static_cast<std::uint32_t>(v) : static_cast<std::uint32_t>(v);
}

constexpr std::int32_t seedModulus = 100000000;
constexpr std::int32_t drawMultiplier = 2879;
constexpr std::uint32_t drawModulus = 1000000021;

} // namespace

void GameRandom::seedFromText(std::string_view text) {
    std::int32_t a = 1;
    std::int32_t b = 1;
    std::int32_t w = 1;
    for (char byte : text) {
        const std::int32_t c = static_cast<std::int8_t>(byte);
        w = wrappingAdd(wrappingMultiply(w, 2), 1); // from the 31st byte on it stays -1
        a = wrappingAdd(a, wrappingMultiply(c, w));
        b = wrappingAdd(wrappingAdd(c, b), w);
        a %= seedModulus;
        b %= seedModulus;
    }
    // Both below 10^8 in magnitude, so the sum fits.
    const std::int32_t seed = static_cast<std::int32_t>(magnitude(a) + magnitude(b));
    if (seed > 0) {
        state = seed;
    }
}

std::int32_t GameRandom::draw(std::int32_t a) {
    if (a == 0) {
        return state;
    }
    if (a < 0) {
        state = wrap(0u - static_cast<std::uint32_t>(a));
        return a;
    }
    const std::int32_t s = state;
    state =
        static_cast<std::int32_t>(magnitude(wrappingMultiply(s, drawMultiplier)) % drawModulus + 1);
    // In 64 bits a + 1 cannot overflow; the remainder is the same as with 32-bit wrap-around.
    return static_cast<std::int32_t>(static_cast<std::int64_t>(s) % (std::int64_t{a} + 1));
}

bool GameRandom::chance(int level, int limit, std::int32_t n) {
    if (level > limit) {
        return true;
    }
    return draw(n) == 0;
}

std::string levelSeedText(int level, std::string_view name) {
    const std::string number = std::to_string(level);
    std::string text;
    text.reserve(number.size() * 2 + name.size());
    text += number;
    text += name;
    text += number;
    return text;
}
