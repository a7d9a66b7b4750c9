#include "presets/effect_presets.h"

#include <bit>
#include <cstring>

namespace {

constexpr float fullCircle = 6.2831853f;
constexpr float down = 3.1415927f; // direction pointing down the screen

class RecordWriter {
  public:
    void u32(std::uint32_t v) {
        for (int i = 0; i < 4; ++i) {
            bytes_[at_++] = static_cast<std::uint8_t>(v >> (8 * i));
        }
    }
    void i32(std::int32_t v) { u32(static_cast<std::uint32_t>(v)); }
    void f32(float v) { u32(std::bit_cast<std::uint32_t>(v)); }
    void u8(std::uint8_t v) { bytes_[at_++] = v; }
    void skip(std::size_t n) { at_ += n; }
    std::size_t offset() const { return at_; }
    const std::array<std::uint8_t, presetRecordSize>& bytes() const { return bytes_; }

  private:
    std::array<std::uint8_t, presetRecordSize> bytes_{};
    std::size_t at_ = 0;
};

// Fragments of the broken item, in its own colour (the game sets the start colour), flung out in
// every direction and falling as they darken and fade.
PresetValues crash() {
    PresetValues p;
    p.emission = 400;
    p.lifetime = 0.1f;
    p.particleLifeMin = 0.4f;
    p.particleLifeMax = 0.8f;
    p.spread = fullCircle;
    p.speedMin = 1.5f;
    p.speedMax = 4.0f;
    p.gravityMin = 4;
    p.gravityMax = 8;
    p.radialMin = -2;
    p.radialMax = 0;
    p.sizeStart = 0.5f;
    p.sizeEnd = 0.15f;
    p.sizeVariation = 0.3f;
    p.spinStart = 2;
    p.spinEnd = 8;
    p.spinVariation = 1;
    p.colourEnd = {0.2f, 0.2f, 0.2f, 0};
    return p;
}

// A cloud of pale motes drifting up and curling around the cell as the kind changes.
PresetValues mutation() {
    PresetValues p;
    p.emission = 120;
    p.lifetime = 0.5f;
    p.particleLifeMin = 0.5f;
    p.particleLifeMax = 1.0f;
    p.spread = fullCircle;
    p.speedMin = 0.2f;
    p.speedMax = 0.8f;
    p.gravityMin = -3;
    p.gravityMax = -1;
    p.tangentialMin = 4;
    p.tangentialMax = 8;
    p.sizeStart = 0.1f;
    p.sizeEnd = 0.45f;
    p.sizeVariation = 0.5f;
    p.spinEnd = 3;
    p.spinVariation = 1;
    p.colourStart = {0.75f, 0.95f, 1.0f, 0.9f};
    p.colourEnd = {0.8f, 0.5f, 1.0f, 0};
    p.colourVariation = 0.4f;
    p.alphaVariation = 0.3f;
    return p;
}

// Blue light pulled back towards the gate as it turns: a short spiral.
PresetValues teleport() {
    PresetValues p;
    p.emission = 150;
    p.lifetime = 0.4f;
    p.particleLifeMin = 0.6f;
    p.particleLifeMax = 0.9f;
    p.spread = fullCircle;
    p.speedMin = 1.0f;
    p.speedMax = 1.6f;
    p.radialMin = -4;
    p.radialMax = -3;
    p.tangentialMin = 3;
    p.tangentialMax = 5;
    p.sizeStart = 0.6f;
    p.sizeEnd = 0.1f;
    p.sizeVariation = 0.2f;
    p.spinStart = 4;
    p.spinEnd = 6;
    p.colourStart = {0.4f, 0.7f, 1.0f, 0.9f};
    p.colourEnd = {0.7f, 0.3f, 1.0f, 0};
    p.colourVariation = 0.2f;
    return p;
}

// A small sparkle where the piece comes out.
PresetValues teleportArrival() {
    PresetValues p;
    p.emission = 200;
    p.lifetime = 0.1f;
    p.particleLifeMin = 0.3f;
    p.particleLifeMax = 0.5f;
    p.spread = fullCircle;
    p.speedMin = 0.5f;
    p.speedMax = 1.5f;
    p.radialMin = -1;
    p.radialMax = 0;
    p.sizeStart = 0.35f;
    p.sizeEnd = 0.05f;
    p.spinEnd = 6;
    p.spinVariation = 1;
    p.colourStart = {1.0f, 1.0f, 0.85f, 1.0f};
    p.colourEnd = {0.6f, 0.8f, 1.0f, 0};
    p.colourVariation = 0.3f;
    return p;
}

// A soft puff of greenish vapour that swells and slows as it thins.
PresetValues amoebaMorph() {
    PresetValues p;
    p.emission = 200;
    p.lifetime = 0.15f;
    p.particleLifeMin = 0.5f;
    p.particleLifeMax = 0.9f;
    p.spread = fullCircle;
    p.speedMin = 0.3f;
    p.speedMax = 0.9f;
    p.gravityMin = -0.5f;
    p.gravityMax = 0.5f;
    p.radialMin = -0.8f;
    p.radialMax = -0.2f;
    p.tangentialMin = -0.5f;
    p.tangentialMax = 0.5f;
    p.sizeStart = 0.4f;
    p.sizeEnd = 1.0f;
    p.sizeVariation = 0.3f;
    p.spinStart = -1;
    p.spinEnd = 1;
    p.spinVariation = 1;
    p.colourStart = {0.75f, 0.9f, 0.7f, 0.6f};
    p.colourEnd = {0.6f, 0.75f, 0.6f, 0};
    p.colourVariation = 0.2f;
    p.alphaVariation = 0.3f;
    return p;
}

// Crumbs of the eaten item, in its colour (set by the game), trickling down.
PresetValues amoebaEat() {
    PresetValues p;
    p.emission = 60;
    p.lifetime = 0.5f;
    p.particleLifeMin = 0.4f;
    p.particleLifeMax = 0.7f;
    p.direction = down;
    p.spread = 1.2f;
    p.speedMin = 0.3f;
    p.speedMax = 0.8f;
    p.gravityMin = 3;
    p.gravityMax = 6;
    p.sizeStart = 0.3f;
    p.sizeEnd = 0.1f;
    p.sizeVariation = 0.5f;
    p.spinEnd = 2;
    p.spinVariation = 1;
    p.colourEnd = {0.3f, 0.3f, 0.3f, 0};
    return p;
}

// Sparks rising from a torch and flickering out from yellow to red.
PresetValues lightFire() {
    PresetValues p;
    p.emission = 40;
    p.lifetime = 0.6f;
    p.particleLifeMin = 0.3f;
    p.particleLifeMax = 0.7f;
    p.spread = 0.8f;
    p.speedMin = 0.4f;
    p.speedMax = 1.2f;
    p.gravityMin = -2;
    p.gravityMax = -0.5f;
    p.tangentialMin = -1;
    p.tangentialMax = 1;
    p.sizeStart = 0.35f;
    p.sizeEnd = 0.05f;
    p.sizeVariation = 0.5f;
    p.spinEnd = 4;
    p.spinVariation = 1;
    p.colourStart = {1.0f, 0.85f, 0.4f, 1.0f};
    p.colourEnd = {1.0f, 0.25f, 0.05f, 0};
    p.colourVariation = 0.15f;
    p.alphaVariation = 0.2f;
    return p;
}

const PresetFile presets[] = {
    {"crash.psi", crash()},
    {"mutace.psi", mutation()},
    {"teleport.psi", teleport()},
    {"teleport2.psi", teleportArrival()},
    {"amoebamorf.psi", amoebaMorph()},
    {"amoebaeat.psi", amoebaEat()},
    {"lightfire.psi", lightFire()},
};

} // namespace

std::array<std::uint8_t, presetRecordSize> encodePreset(const PresetValues& v) {
    RecordWriter w;
    w.u32(0); // sprite: the game fills it in memory
    w.i32(v.emission);
    w.f32(v.lifetime);
    w.f32(v.particleLifeMin);
    w.f32(v.particleLifeMax);
    w.f32(v.direction);
    w.f32(v.spread);
    w.u8(v.relative ? 1 : 0);
    w.skip(3);
    for (float f : {v.speedMin, v.speedMax, v.gravityMin, v.gravityMax, v.radialMin, v.radialMax,
                    v.tangentialMin, v.tangentialMax, v.sizeStart, v.sizeEnd, v.sizeVariation,
                    v.spinStart, v.spinEnd, v.spinVariation}) {
        w.f32(f);
    }
    for (float f : v.colourStart) {
        w.f32(f);
    }
    for (float f : v.colourEnd) {
        w.f32(f);
    }
    w.f32(v.colourVariation);
    w.f32(v.alphaVariation);
    return w.bytes();
}

std::span<const PresetFile> effectPresets() {
    return presets;
}
