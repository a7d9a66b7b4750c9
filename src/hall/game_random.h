#pragma once
// The seeded random source of the hall generator and the level seed text it is seeded from.
//
// The same name and level must give the same hall on every machine, so every formula here is
// exact: signed 32-bit words with two's-complement wrap-around (done in unsigned arithmetic so
// that overflow is defined), "rem" the remainder of truncating division.

#include <cstdint>
#include <string>
#include <string_view>

struct GameRandom {
    std::int32_t state = 0;

    // Seeds from the bytes of text (each read as a signed byte). A text whose seed comes out 0
    // leaves the state as it was.
    void seedFromText(std::string_view text);
    // a > 0: a value 0..a, taken from the state before it steps; afterwards the state lies in
    // 1..1000000021. a = 0: the state itself, unchanged. a < 0: the state becomes -a, result a.
    std::int32_t draw(std::int32_t a);
    // True without a draw when level > limit; otherwise one draw(n), true when it gives 0.
    bool chance(int level, int limit, std::int32_t n);
};

// The level number, the game name, the level number again: level 12 of "Hall" is "12Hall12".
std::string levelSeedText(int level, std::string_view name);
