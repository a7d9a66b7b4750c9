#include "platform/sdl/resample.h"

#include <algorithm>
#include <cmath>

std::vector<std::int16_t> resampleFrames(const std::int16_t* samples, std::size_t frames,
                                         int channels, float pitch) {
    if (!(pitch > 0.0f) || frames == 0 || channels <= 0) {
        return std::vector<std::int16_t>(samples, samples + frames * std::max(channels, 0));
    }
    const auto outFrames =
        std::max<std::size_t>(1, static_cast<std::size_t>(std::floor(frames / double(pitch))));
    std::vector<std::int16_t> out(outFrames * channels);
    for (std::size_t i = 0; i < outFrames; ++i) {
        const double at = i * double(pitch);
        const auto left = std::min(static_cast<std::size_t>(at), frames - 1);
        const std::size_t right = std::min(left + 1, frames - 1);
        const double t = at - static_cast<double>(left);
        for (int c = 0; c < channels; ++c) {
            const double a = samples[left * channels + c];
            const double b = samples[right * channels + c];
            out[i * channels + c] = static_cast<std::int16_t>(std::lround(a + (b - a) * t));
        }
    }
    return out;
}
