#pragma once
// Pitch change by resampling: the sound plays pitch times faster (and higher). SDL_mixer has no
// pitch control, so each pitch a sound is played at gets its own resampled copy.

#include <cstddef>
#include <cstdint>
#include <vector>

// Interleaved 16-bit frames of channels samples each, linearly interpolated; pitch <= 0 or an
// empty input gives a copy of the input.
std::vector<std::int16_t> resampleFrames(const std::int16_t* samples, std::size_t frames,
                                         int channels, float pitch);
