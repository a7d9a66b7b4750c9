#include "draw/particle_system.h"

#include "support/headless_fixture.h"

#include <bit>
#include <utility>
#include <vector>

namespace {

class ParticleSystemTest : public HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        engine->randomSeed(1234);
        sprite.setHotSpot(8, 8);
        preset.sprite = &sprite;
        preset.lifetime = -1;
        preset.particleLifeMin = preset.particleLifeMax = 10;
        preset.sizeStart = preset.sizeEnd = 1;
        preset.colourStart = preset.colourEnd = {1, 1, 1, 1};
    }

    Sprite sprite{0, 0, 0, 16, 16};
    ParticlePreset preset;
};

void putFloat(std::vector<std::uint8_t>& bytes, std::size_t offset, float value) {
    const std::uint32_t bits = std::bit_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i) {
        bytes[offset + i] = static_cast<std::uint8_t>(bits >> (8 * i));
    }
}

TEST(ParticlePresetRecord, FieldsAreReadLittleEndianAtTheirOffsets) {
    std::vector<std::uint8_t> bytes(140, 0);
    bytes[0] = 0xAB; // the file's sprite field means nothing
    bytes[4] = 0x2C;
    bytes[5] = 0x01; // emission 300
    for (std::size_t offset = 8; offset < 128; offset += 4) {
        if (offset != 28) {
            putFloat(bytes, offset, static_cast<float>(offset) / 4);
        }
    }
    bytes[28] = 7;
    ParticlePreset p;
    ASSERT_TRUE(readParticlePreset(bytes.data(), bytes.size(), &p));
    EXPECT_EQ(p.sprite, nullptr);
    EXPECT_EQ(p.emission, 300);
    EXPECT_FLOAT_EQ(p.lifetime, 2);
    EXPECT_TRUE(p.relative);
    EXPECT_FLOAT_EQ(p.speedMin, 8);
    EXPECT_FLOAT_EQ(p.sizeStart, 16);
    EXPECT_FLOAT_EQ(p.colourStart.alpha, 25);
    EXPECT_FLOAT_EQ(p.colourEnd.red, 26);
    EXPECT_FLOAT_EQ(p.alphaVariation, 31);
}

TEST(ParticlePresetRecord, ShorterRecordFailsAndLeavesThePresetAlone) {
    std::vector<std::uint8_t> bytes(127, 0x40);
    ParticlePreset p;
    p.emission = 5;
    EXPECT_FALSE(readParticlePreset(bytes.data(), bytes.size(), &p));
    EXPECT_FALSE(readParticlePreset(nullptr, 128, &p));
    EXPECT_EQ(p.emission, 5);
}

TEST_F(ParticleSystemTest, EmissionCarriesItsFractionFromUpdateToUpdate) {
    preset.emission = 10;
    ParticleSystem system(preset);
    system.fireAt(0, 0);
    system.update(0.016f);
    EXPECT_EQ(system.aliveCount(), 0);
    for (int i = 0; i < 5; ++i) {
        system.update(0.016f);
    }
    EXPECT_EQ(system.aliveCount(), 0);
    system.update(0.016f);
    EXPECT_EQ(system.aliveCount(), 1);
}

TEST_F(ParticleSystemTest, LimitedLifetimeEmitsForItsSecondsEndlessUntilStopped) {
    preset.emission = 100;
    preset.lifetime = 0.5f;
    ParticleSystem limited(preset);
    limited.fireAt(0, 0);
    EXPECT_FLOAT_EQ(limited.age(), 0);
    for (int i = 0; i < 40; ++i) {
        limited.update(0.02f);
    }
    EXPECT_GE(limited.aliveCount(), 48);
    EXPECT_LE(limited.aliveCount(), 50);
    EXPECT_FLOAT_EQ(limited.age(), -2);

    preset.lifetime = -1;
    ParticleSystem endless(preset);
    endless.fireAt(0, 0);
    EXPECT_FLOAT_EQ(endless.age(), -1);
    for (int i = 0; i < 100; ++i) {
        endless.update(0.02f);
    }
    EXPECT_EQ(endless.aliveCount(), 200);
    endless.stop(false);
    endless.update(0.02f);
    EXPECT_EQ(endless.aliveCount(), 200);
    endless.stop(true);
    EXPECT_EQ(endless.aliveCount(), 0);
}

TEST_F(ParticleSystemTest, FullSystemMakesNoParticleButStillUsesUpTheNeed) {
    preset.emission = 5015; // 501.5 particles in 0.1 s
    ParticleSystem system(preset);
    system.fireAt(0, 0);
    system.update(0.1f);
    EXPECT_EQ(system.aliveCount(), maxParticles);
    system.stop(true);
    system.fire();
    system.update(0); // only the half particle is carried, not the one that found no slot
    EXPECT_EQ(system.aliveCount(), 0);
    system.update(0.0001f);
    EXPECT_EQ(system.aliveCount(), 1);

    ParticlePreset huge = preset;
    huge.emission = 0x7FFFFFFF;
    ParticleSystem flood(huge);
    flood.fireAt(0, 0);
    flood.update(1000);
    EXPECT_EQ(flood.aliveCount(), maxParticles);
}

TEST_F(ParticleSystemTest, ParticleDiesInTheUpdateThatPassesItsTerminalAge) {
    preset.emission = 50;
    preset.particleLifeMin = preset.particleLifeMax = 0.05f;
    ParticleSystem system(preset);
    system.fireAt(0, 0);
    system.update(0.02f);
    ASSERT_EQ(system.aliveCount(), 1);
    system.stop(false);
    system.update(0.02f);
    system.update(0.02f);
    EXPECT_EQ(system.aliveCount(), 1);
    system.update(0.02f);
    EXPECT_EQ(system.aliveCount(), 0);
    system.render();
    EXPECT_TRUE(headless().quads().empty());
}

TEST_F(ParticleSystemTest, VelocityIsPerUpdateAndGravityPerSecond) {
    preset.emission = 50;
    preset.speedMin = preset.speedMax = 10;
    preset.gravityMin = preset.gravityMax = 100;
    ParticleSystem system(preset);
    system.fireAt(200, 300);
    system.update(0.02f); // born with velocity (0, -10): direction 0 points up the screen
    system.stop(false);
    const Particle born = system.particle(0);
    EXPECT_NEAR(born.velocityX, 0, 1e-4);
    EXPECT_NEAR(born.velocityY, -10, 1e-4);
    EXPECT_NEAR(born.x, 200, 2.0001);
    system.update(0.02f);
    const Particle& moved = system.particle(0);
    EXPECT_NEAR(moved.velocityY, -8, 1e-4);
    EXPECT_NEAR(moved.y, born.y - 8, 1e-3);
    EXPECT_NEAR(moved.x, born.x, 1e-4);
}

TEST_F(ParticleSystemTest, RadialPushesAwayFromEmitterAndTangentialTurnsClockwise) {
    preset.emission = 50;
    // A particle 100 to the emitter's right: radial pushes right, tangential down the screen.
    auto velocity = [&](float radial, float tangential) {
        preset.radialMin = preset.radialMax = radial;
        preset.tangentialMin = preset.tangentialMax = tangential;
        ParticleSystem system(preset);
        system.fireAt(100, 100);
        system.update(0.02f);
        system.stop(false);
        system.moveTo(0, 100, false);
        system.update(0.02f);
        return std::pair(system.particle(0).velocityX, system.particle(0).velocityY);
    };
    const auto [rx, ry] = velocity(1000, 0);
    EXPECT_NEAR(rx, 20, 0.1); // unit direction from the fast inverse square root
    EXPECT_NEAR(ry, 0, 0.5);
    const auto [tx, ty] = velocity(0, 1000);
    EXPECT_NEAR(tx, 0, 0.5);
    EXPECT_NEAR(ty, 20, 0.1);
}

TEST_F(ParticleSystemTest, MovingWithParticlesShiftsThemFiringAgainKeepsThem) {
    preset.emission = 250;
    ParticleSystem system(preset);
    system.fireAt(10, 10);
    system.update(0.02f);
    ASSERT_EQ(system.aliveCount(), 5);
    const Particle before = system.particle(3);
    system.moveTo(110, 60, true);
    EXPECT_FLOAT_EQ(system.particle(3).x, before.x + 100);
    EXPECT_FLOAT_EQ(system.particle(3).y, before.y + 50);

    system.fireAt(500, 500);
    system.update(0.02f);
    EXPECT_EQ(system.aliveCount(), 10);
    // A stopped system fired elsewhere leaves no trail: new particles start at the new place.
    for (int i = 5; i < 10; ++i) {
        EXPECT_NEAR(system.particle(i).x, 500, 2.0001);
        EXPECT_NEAR(system.particle(i).y, 500, 2.0001);
    }
}

TEST_F(ParticleSystemTest, RenderDrawsEachParticleAndGivesTheSpriteItsColourBack) {
    preset.emission = 150;
    preset.sizeStart = preset.sizeEnd = 2;
    preset.colourStart = preset.colourEnd = {1, 0.5f, 0.25f, 1};
    ParticleSystem system(preset);
    system.fireAt(0, 0);
    system.update(0.02f);
    ASSERT_EQ(system.aliveCount(), 3);
    sprite.setColour(0xFF112233, 0);
    sprite.setColour(0xFF445566, 2);
    system.render();
    ASSERT_EQ(headless().quads().size(), 3u);
    const SpriteQuad& q = headless().quads()[1];
    EXPECT_EQ(q.vertex[0].colour, 0xFFFF7F3Fu);
    EXPECT_EQ(q.vertex[2].colour, 0xFFFF7F3Fu);
    EXPECT_FLOAT_EQ(q.vertex[1].x - q.vertex[0].x, 32);
    EXPECT_NEAR((q.vertex[0].x + q.vertex[2].x) / 2, system.particle(1).x, 1e-4);
    for (int corner = 0; corner < 4; ++corner) {
        EXPECT_EQ(sprite.colour(corner), 0xFF112233u);
    }
}

TEST_F(ParticleSystemTest, ColoursOutsideTheUnitRangeAreClampedWhenDrawn) {
    preset.emission = 50;
    preset.colourStart = preset.colourEnd = {2, -1, 0.5f, 300};
    ParticleSystem system(preset);
    system.fireAt(0, 0);
    system.update(0.02f);
    system.render();
    ASSERT_EQ(headless().quads().size(), 1u);
    EXPECT_EQ(headless().quads()[0].vertex[0].colour, 0xFFFF007Fu);
}

} // namespace
