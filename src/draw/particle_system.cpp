#include "draw/particle_system.h"

#include <bit>
#include <cmath>
#include <numbers>

namespace {

std::uint32_t readU32(const std::uint8_t* bytes, std::size_t offset) {
    const std::uint8_t* b = bytes + offset;
    return static_cast<std::uint32_t>(b[0]) | static_cast<std::uint32_t>(b[1]) << 8 |
           static_cast<std::uint32_t>(b[2]) << 16 | static_cast<std::uint32_t>(b[3]) << 24;
}

float readFloat(const std::uint8_t* bytes, std::size_t offset) {
    return std::bit_cast<float>(readU32(bytes, offset));
}

ColourF readColour(const std::uint8_t* bytes, std::size_t offset) {
    return {readFloat(bytes, offset), readFloat(bytes, offset + 4), readFloat(bytes, offset + 8),
            readFloat(bytes, offset + 12)};
}

// One Newton step on the classic bit-trick estimate, as the particle motion was tuned with it.
float fastInverseSquareRoot(float s) {
    const std::uint32_t i = std::bit_cast<std::uint32_t>(s);
    const float a = std::bit_cast<float>(0x5F3759DFu - (i >> 1));
    return a * (1.5f - 0.4999f * s * a * a);
}

// A channel 0..1 as a byte; out-of-range values (a preset may hold anything) are clamped.
std::uint32_t channelByte(float value) {
    const float scaled = value * 255.0f;
    if (!(scaled > 0.0f)) {
        return 0;
    }
    return scaled >= 255.0f ? 255u : static_cast<std::uint32_t>(scaled);
}

std::uint32_t packColour(const ColourF& c) {
    return channelByte(c.alpha) << 24 | channelByte(c.red) << 16 | channelByte(c.green) << 8 |
           channelByte(c.blue);
}

} // namespace

bool readParticlePreset(const std::uint8_t* bytes, std::size_t size, ParticlePreset* out) {
    if (bytes == nullptr || out == nullptr || size < particlePresetBytes) {
        return false;
    }
    ParticlePreset p;
    p.emission = static_cast<std::int32_t>(readU32(bytes, 4));
    p.lifetime = readFloat(bytes, 8);
    p.particleLifeMin = readFloat(bytes, 12);
    p.particleLifeMax = readFloat(bytes, 16);
    p.direction = readFloat(bytes, 20);
    p.spread = readFloat(bytes, 24);
    p.relative = bytes[28] != 0;
    p.speedMin = readFloat(bytes, 32);
    p.speedMax = readFloat(bytes, 36);
    p.gravityMin = readFloat(bytes, 40);
    p.gravityMax = readFloat(bytes, 44);
    p.radialMin = readFloat(bytes, 48);
    p.radialMax = readFloat(bytes, 52);
    p.tangentialMin = readFloat(bytes, 56);
    p.tangentialMax = readFloat(bytes, 60);
    p.sizeStart = readFloat(bytes, 64);
    p.sizeEnd = readFloat(bytes, 68);
    p.sizeVariation = readFloat(bytes, 72);
    p.spinStart = readFloat(bytes, 76);
    p.spinEnd = readFloat(bytes, 80);
    p.spinVariation = readFloat(bytes, 84);
    p.colourStart = readColour(bytes, 88);
    p.colourEnd = readColour(bytes, 104);
    p.colourVariation = readFloat(bytes, 120);
    p.alphaVariation = readFloat(bytes, 124);
    *out = p;
    return true;
}

ParticleSystem::ParticleSystem(const ParticlePreset& preset)
    : preset_(preset), engine_(createEngine(engineVersion)) {}

ParticleSystem::~ParticleSystem() {
    if (engine_ != nullptr) {
        engine_->release();
    }
}

void ParticleSystem::fire() {
    age_ = preset_.lifetime == -1.0f ? -1.0f : 0.0f;
}

void ParticleSystem::stop(bool killParticles) {
    age_ = -2;
    if (killParticles) {
        alive_ = 0;
    }
}

void ParticleSystem::moveTo(float x, float y, bool moveParticles) {
    if (moveParticles) {
        const float dx = x - x_, dy = y - y_;
        for (int i = 0; i < alive_; ++i) {
            particles_[i].x += dx;
            particles_[i].y += dy;
        }
        previousX_ += dx;
        previousY_ += dy;
    } else if (age_ == -2.0f) {
        previousX_ = x; // a stopped system leaves no trail
        previousY_ = y;
    } else {
        previousX_ = x_;
        previousY_ = y_;
    }
    x_ = x;
    y_ = y;
}

void ParticleSystem::fireAt(float x, float y) {
    stop(false);
    moveTo(x, y, false);
    fire();
}

void ParticleSystem::update(float dt) {
    if (age_ >= 0) {
        age_ += dt;
        if (age_ >= preset_.lifetime) {
            age_ = -2;
        }
    }
    moveParticles(dt);
    if (age_ != -2.0f) {
        emit(dt);
    }
    previousX_ = x_;
    previousY_ = y_;
}

void ParticleSystem::moveParticles(float dt) {
    int i = 0;
    while (i < alive_) {
        Particle& p = particles_[i];
        p.age += dt;
        if (p.age >= p.terminalAge) {
            --alive_;
            p = particles_[alive_]; // the last live particle takes the slot, examined next
            continue;
        }
        float rx = p.x - x_, ry = p.y - y_;
        const float n = fastInverseSquareRoot(rx * rx + ry * ry);
        rx *= n;
        ry *= n;
        const float tx = -ry, ty = rx;
        p.velocityX += (rx * p.radial + tx * p.tangential) * dt;
        p.velocityY += (ry * p.radial + ty * p.tangential) * dt;
        p.velocityY += p.gravity * dt;
        p.x += p.velocityX; // velocity is per update, not per second
        p.y += p.velocityY;
        p.spin += p.spinDelta * dt;
        p.size += p.sizeDelta * dt;
        p.colour.red += p.colourDelta.red * dt;
        p.colour.green += p.colourDelta.green * dt;
        p.colour.blue += p.colourDelta.blue * dt;
        p.colour.alpha += p.colourDelta.alpha * dt;
        ++i;
    }
}

void ParticleSystem::emit(float dt) {
    const float needed = static_cast<float>(preset_.emission) * dt + emissionResidue_;
    // Kept as a float: a bad preset may ask for more particles than an int holds.
    const float count = std::trunc(needed);
    emissionResidue_ = needed - count;
    for (float made = 0; made < count && alive_ < maxParticles; made += 1) {
        spawnParticle(particles_[alive_]);
        ++alive_;
    }
}

void ParticleSystem::spawnParticle(Particle& p) {
    const ParticlePreset& s = preset_;
    p.age = 0;
    p.terminalAge = random(s.particleLifeMin, s.particleLifeMax);
    const float along = random(0, 1); // spread along the emitter's path during this update
    p.x = previousX_ + (x_ - previousX_) * along;
    p.y = previousY_ + (y_ - previousY_) * along;
    p.x += random(-2, 2);
    p.y += random(-2, 2);

    constexpr float halfPi = std::numbers::pi_v<float> / 2;
    float angle = s.direction - halfPi + random(0, s.spread) - s.spread / 2;
    if (s.relative) {
        angle += std::atan2(previousY_ - y_, previousX_ - x_) + halfPi;
    }
    const float speed = random(s.speedMin, s.speedMax);
    p.velocityX = std::cos(angle) * speed;
    p.velocityY = std::sin(angle) * speed;

    p.gravity = random(s.gravityMin, s.gravityMax);
    p.radial = random(s.radialMin, s.radialMax);
    p.tangential = random(s.tangentialMin, s.tangentialMax);

    p.size = random(s.sizeStart, s.sizeStart + (s.sizeEnd - s.sizeStart) * s.sizeVariation);
    p.sizeDelta = (s.sizeEnd - p.size) / p.terminalAge;
    p.spin = random(s.spinStart, s.spinStart + (s.spinEnd - s.spinStart) * s.spinVariation);
    p.spinDelta = (s.spinEnd - p.spin) / p.terminalAge;

    const ColourF& a = s.colourStart;
    const ColourF& b = s.colourEnd;
    p.colour.red = random(a.red, a.red + (b.red - a.red) * s.colourVariation);
    p.colour.green = random(a.green, a.green + (b.green - a.green) * s.colourVariation);
    p.colour.blue = random(a.blue, a.blue + (b.blue - a.blue) * s.colourVariation);
    p.colour.alpha = random(a.alpha, a.alpha + (b.alpha - a.alpha) * s.alphaVariation);
    p.colourDelta.red = (b.red - p.colour.red) / p.terminalAge;
    p.colourDelta.green = (b.green - p.colour.green) / p.terminalAge;
    p.colourDelta.blue = (b.blue - p.colour.blue) / p.terminalAge;
    p.colourDelta.alpha = (b.alpha - p.colour.alpha) / p.terminalAge;
}

void ParticleSystem::render() {
    Sprite* sprite = preset_.sprite;
    if (sprite == nullptr) {
        return;
    }
    // The sprite is a catalogue sprite shared with the scene layers: give its colour back.
    const std::uint32_t before = sprite->colour(0);
    for (int i = 0; i < alive_; ++i) {
        const Particle& p = particles_[i];
        sprite->setColour(packColour(p.colour));
        sprite->render(p.x, p.y, p.spin * p.age, p.size, 0);
    }
    sprite->setColour(before);
}

float ParticleSystem::random(float min, float max) {
    return engine_ != nullptr ? engine_->randomFloat(min, max) : min;
}
