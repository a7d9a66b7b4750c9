#pragma once
// Encodes a finished sound as a RIFF WAVE file: 16-bit PCM, mono, at sampleRate.

#include "sound/synth.h"

#include <cstdint>
#include <string>
#include <vector>

// Samples are clamped to -1..1 and rounded to the nearest 16-bit step.
std::vector<std::uint8_t> encodeWav(const Samples& samples);

// Writes the bytes to the path; false when the file cannot be written whole.
bool writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes);
