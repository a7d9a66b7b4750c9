#pragma once
// Particle emitters. A preset (the 128-byte ".psi" record) describes an emitter; a system spawns
// up to 500 particles from it, moves them under speed, gravity, radial and tangential
// acceleration, grows, spins and fades them over their life, and draws them all with one sprite.
// Units: seconds, pixels, radians; colours as red, green, blue, alpha floats 0..1.

#include "draw/sprite.h"

#include <cstddef>
#include <cstdint>

struct ColourF {
    float red = 0, green = 0, blue = 0, alpha = 0;
};

struct ParticlePreset {
    Sprite* sprite = nullptr; // not in the file: set by whoever builds a system from the preset
    int emission = 0;         // particles per second while emitting
    float lifetime = 0;       // seconds of emission after firing; -1 = endless
    float particleLifeMin = 0, particleLifeMax = 0;
    float direction = 0;   // 0 points up the screen
    float spread = 0;      // full width of the emission cone
    bool relative = false; // direction relative to the emitter's movement
    float speedMin = 0, speedMax = 0;
    float gravityMin = 0, gravityMax = 0; // per second, positive = down the screen
    float radialMin = 0, radialMax = 0;
    float tangentialMin = 0, tangentialMax = 0;
    float sizeStart = 0, sizeEnd = 0, sizeVariation = 0;
    float spinStart = 0, spinEnd = 0, spinVariation = 0; // radians per second
    ColourF colourStart, colourEnd;
    float colourVariation = 0, alphaVariation = 0;
};

constexpr std::size_t particlePresetBytes = 128;

// Reads the little-endian record from the first 128 bytes; false (out untouched) when there are
// fewer. The sprite field is left null.
bool readParticlePreset(const std::uint8_t* bytes, std::size_t size, ParticlePreset* out);

struct Particle {
    float x = 0, y = 0;
    float velocityX = 0, velocityY = 0; // pixels per update
    float gravity = 0, radial = 0, tangential = 0;
    float spin = 0, spinDelta = 0;
    float size = 0, sizeDelta = 0;
    ColourF colour, colourDelta;
    float age = 0, terminalAge = 0;
};

constexpr int maxParticles = 500;

class ParticleSystem {
  public:
    // Copies the preset; the system starts stopped at (0, 0).
    explicit ParticleSystem(const ParticlePreset& preset);
    ~ParticleSystem();
    ParticleSystem(const ParticleSystem&) = delete;
    ParticleSystem& operator=(const ParticleSystem&) = delete;

    void fire();
    void stop(bool killParticles);
    void moveTo(float x, float y, bool moveParticles);
    // Restarts emission at (x, y); particles of an earlier firing keep flying.
    void fireAt(float x, float y);
    void update(float dt); // dt in seconds
    void render();

    // -2 = stopped, -1 = emitting without end, >= 0 = seconds since fired.
    float age() const { return age_; }
    int aliveCount() const { return alive_; }
    const Particle& particle(int index) const { return particles_[index]; }
    const ParticlePreset& preset() const { return preset_; }

  private:
    void moveParticles(float dt);
    void emit(float dt);
    void spawnParticle(Particle& p);
    float random(float min, float max);

    ParticlePreset preset_;
    float age_ = -2;
    float emissionResidue_ = 0;
    float previousX_ = 0, previousY_ = 0;
    float x_ = 0, y_ = 0;
    int alive_ = 0;
    Particle particles_[maxParticles]; // the first alive_ are live, in no particular order
    Engine* engine_ = nullptr;
};
