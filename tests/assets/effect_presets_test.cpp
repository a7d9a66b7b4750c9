#include "draw/particle_system.h"
#include "presets/effect_presets.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

TEST(EffectPresets, SevenFilesInLoadOrder) {
    const auto presets = effectPresets();
    ASSERT_EQ(7u, presets.size());
    const char* files[] = {"crash.psi",      "mutace.psi",    "teleport.psi", "teleport2.psi",
                           "amoebamorf.psi", "amoebaeat.psi", "lightfire.psi"};
    for (int i = 0; i < 7; ++i) {
        EXPECT_STREQ(files[i], presets[i].file);
    }
}

TEST(EffectPresets, RecordsReadBackFieldByField) {
    PresetValues v;
    v.emission = 123;
    v.lifetime = 0.25f;
    v.direction = 1.5f;
    v.relative = true;
    v.speedMin = 2;
    v.tangentialMax = -7;
    v.spinVariation = 0.5f;
    v.colourStart = {0.1f, 0.2f, 0.3f, 0.4f};
    v.colourEnd = {0.5f, 0.6f, 0.7f, 0.8f};
    v.alphaVariation = 0.9f;
    const auto bytes = encodePreset(v);
    EXPECT_EQ(0, bytes[0] | bytes[1] | bytes[2] | bytes[3]); // no sprite in the file
    EXPECT_EQ(123, bytes[4]);
    EXPECT_EQ(1, bytes[28]);
    float f = 0;
    std::memcpy(&f, bytes.data() + 88, 4);
    EXPECT_FLOAT_EQ(0.1f, f); // colour start red sits at offset 88
    std::memcpy(&f, bytes.data() + 124, 4);
    EXPECT_FLOAT_EQ(0.9f, f); // alpha variation ends the record

    ParticlePreset p;
    ASSERT_TRUE(readParticlePreset(bytes.data(), bytes.size(), &p));
    EXPECT_EQ(123, p.emission);
    EXPECT_FLOAT_EQ(0.25f, p.lifetime);
    EXPECT_FLOAT_EQ(1.5f, p.direction);
    EXPECT_TRUE(p.relative);
    EXPECT_FLOAT_EQ(2, p.speedMin);
    EXPECT_FLOAT_EQ(-7, p.tangentialMax);
    EXPECT_FLOAT_EQ(0.5f, p.spinVariation);
    EXPECT_FLOAT_EQ(0.4f, p.colourStart.alpha);
    EXPECT_FLOAT_EQ(0.7f, p.colourEnd.blue);
    EXPECT_FLOAT_EQ(0.9f, p.alphaVariation);
}

TEST(EffectPresets, EveryEffectIsShortAndEndsByItself) {
    for (const PresetFile& preset : effectPresets()) {
        SCOPED_TRACE(preset.file);
        const PresetValues& v = preset.values;
        EXPECT_GT(v.lifetime, 0.0f) << "an endless effect would never be removed";
        EXPECT_LE(v.lifetime, 1.0f);
        EXPECT_GT(v.particleLifeMin, 0.0f);
        EXPECT_LE(v.particleLifeMin, v.particleLifeMax);
        EXPECT_LE(v.particleLifeMax, 1.5f);
        EXPECT_GT(v.emission, 0);
        EXPECT_LE(v.emission * v.lifetime, 500.0f) << "more than the system can hold";
        EXPECT_GE(v.emission * v.lifetime, 8.0f) << "too few particles to read as an effect";
        EXPECT_EQ(0.0f, v.colourEnd[3]) << "particles must fade out, not vanish";
        for (float c : v.colourStart) {
            EXPECT_TRUE(c >= 0 && c <= 1);
        }
        EXPECT_GE(v.sizeEnd, 0.0f);
    }
}

// Runs a system built from the record through its whole life: it must stop emitting and empty.
TEST(EffectPresets, SystemsFromTheRecordsFinishWithinTwoSeconds) {
    for (const PresetFile& preset : effectPresets()) {
        SCOPED_TRACE(preset.file);
        const auto bytes = encodePreset(preset.values);
        ParticlePreset p;
        ASSERT_TRUE(readParticlePreset(bytes.data(), bytes.size(), &p));
        ParticleSystem system(p);
        system.fireAt(100, 100);
        int most = 0;
        for (int frame = 0; frame < 100; ++frame) {
            system.update(0.02f);
            most = std::max(most, system.aliveCount());
        }
        EXPECT_GT(most, 5);
        EXPECT_EQ(-2.0f, system.age());
        EXPECT_EQ(0, system.aliveCount());
    }
}
