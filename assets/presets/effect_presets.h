#pragma once
// The seven particle presets of the game's effects, as the 128-byte little-endian records the
// game reads from the graphics pack. Speeds are pixels per frame (the particle system adds the
// velocity once per update); accelerations and gravity are pixels per frame, per second; times
// are seconds; angles radians with 0 pointing up the screen; colours 0..1.

#include <array>
#include <cstdint>
#include <span>

struct PresetValues {
    std::int32_t emission = 0; // particles per second while emitting
    float lifetime = 0;        // seconds of emission; every effect here ends by itself
    float particleLifeMin = 0, particleLifeMax = 0;
    float direction = 0, spread = 0;
    bool relative = false;
    float speedMin = 0, speedMax = 0;
    float gravityMin = 0, gravityMax = 0;
    float radialMin = 0, radialMax = 0;
    float tangentialMin = 0, tangentialMax = 0;
    float sizeStart = 1, sizeEnd = 1, sizeVariation = 0;
    float spinStart = 0, spinEnd = 0, spinVariation = 0;
    std::array<float, 4> colourStart{1, 1, 1, 1}; // red, green, blue, alpha
    std::array<float, 4> colourEnd{1, 1, 1, 0};
    float colourVariation = 0, alphaVariation = 0;
};

constexpr std::size_t presetRecordSize = 128;

struct PresetFile {
    const char* file; // inside the pack's "graphics" folder
    PresetValues values;
};

// The record, field by field; the sprite field (offset 0) and the reserved bytes are zero.
std::array<std::uint8_t, presetRecordSize> encodePreset(const PresetValues& values);

// The seven presets in the order the game loads them.
std::span<const PresetFile> effectPresets();
