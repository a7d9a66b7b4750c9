#include "noise.h"

#include <cmath>

namespace {

std::uint32_t mixBits(std::uint32_t v) {
    v ^= v >> 16;
    v *= 0x7FEB352Du;
    v ^= v >> 15;
    v *= 0x846CA68Bu;
    v ^= v >> 16;
    return v;
}

int wrap(int v, int period) {
    if (period <= 0) {
        return v;
    }
    const int m = v % period;
    return m < 0 ? m + period : m;
}

float fade(float t) {
    return t * t * (3.0f - 2.0f * t);
}

} // namespace

float hashNoise(int x, int y, std::uint32_t seed) {
    const std::uint32_t h = mixBits(static_cast<std::uint32_t>(x) * 0x9E3779B1u ^
                                    mixBits(static_cast<std::uint32_t>(y) + seed * 0x85EBCA77u));
    return static_cast<float>(h & 0xFFFFFF) / static_cast<float>(0xFFFFFF);
}

float valueNoise(float x, float y, float cell, std::uint32_t seed, int period) {
    const float fx = x / cell, fy = y / cell;
    const int ix = static_cast<int>(std::floor(fx)), iy = static_cast<int>(std::floor(fy));
    const float tx = fade(fx - static_cast<float>(ix)), ty = fade(fy - static_cast<float>(iy));
    const int x0 = wrap(ix, period), x1 = wrap(ix + 1, period);
    const int y0 = wrap(iy, period), y1 = wrap(iy + 1, period);
    const float a = hashNoise(x0, y0, seed), b = hashNoise(x1, y0, seed);
    const float c = hashNoise(x0, y1, seed), d = hashNoise(x1, y1, seed);
    return (a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty;
}

float fractalNoise(float x, float y, float cell, int octaves, std::uint32_t seed, int period) {
    float sum = 0, weight = 1, total = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += valueNoise(x, y, cell, seed + static_cast<std::uint32_t>(i) * 101u, period) * weight;
        total += weight;
        weight *= 0.5f;
        cell *= 0.5f;
        period *= 2;
    }
    return sum / total;
}
