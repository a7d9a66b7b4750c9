#include "sound/sound_effects.h"
#include "sound/synth.h"
#include "sound/wav_file.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace {

std::uint32_t little32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

std::uint16_t little16(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}

// The PCM samples of a canonical 16-bit mono WAV file, checking its header on the way.
std::vector<std::int16_t> decodeWav(const std::vector<std::uint8_t>& b) {
    EXPECT_GE(b.size(), 44u);
    EXPECT_EQ(0, std::memcmp(b.data(), "RIFF", 4));
    EXPECT_EQ(b.size() - 8, little32(b, 4));
    EXPECT_EQ(0, std::memcmp(b.data() + 8, "WAVEfmt ", 8));
    EXPECT_EQ(1, little16(b, 20)); // PCM
    EXPECT_EQ(1, little16(b, 22)); // mono
    EXPECT_TRUE(little32(b, 24) == 22050 || little32(b, 24) == 44100);
    EXPECT_EQ(little32(b, 24) * 2, little32(b, 28));
    EXPECT_EQ(16, little16(b, 34));
    EXPECT_EQ(0, std::memcmp(b.data() + 36, "data", 4));
    EXPECT_EQ(b.size() - 44, little32(b, 40));
    std::vector<std::int16_t> samples((b.size() - 44) / 2);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        samples[i] = static_cast<std::int16_t>(little16(b, 44 + 2 * i));
    }
    return samples;
}

float maxAbs(const std::vector<std::int16_t>& s, std::size_t from, std::size_t to) {
    int m = 0;
    for (std::size_t i = from; i < to; ++i) {
        m = std::max(m, std::abs(static_cast<int>(s[i])));
    }
    return m / 32768.0f;
}

} // namespace

TEST(SoundEffects, TwentyOneDistinctFilesInLoadOrder) {
    const auto effects = soundEffects();
    ASSERT_EQ(21u, effects.size());
    EXPECT_STREQ("logo.mp3", effects.front().file);
    EXPECT_STREQ("gate.mp3", effects[12].file);
    EXPECT_STREQ("lighthot.mp3", effects.back().file);
    std::set<std::string> names;
    std::set<std::vector<float>> contents;
    for (const SoundEffect& effect : effects) {
        names.insert(effect.file);
        contents.insert(effect.render());
    }
    EXPECT_EQ(21u, names.size());
    EXPECT_EQ(21u, contents.size()) << "two effects render the same samples";
}

TEST(SoundEffects, EachIsAValidQuietEdgedUnclippedWavOfItsLength) {
    for (const SoundEffect& effect : soundEffects()) {
        SCOPED_TRACE(effect.file);
        const std::vector<std::int16_t> s = decodeWav(encodeWav(effect.render()));
        ASSERT_FALSE(s.empty());
        const float seconds = static_cast<float>(s.size()) / sampleRate;
        EXPECT_GE(seconds, effect.minSeconds);
        EXPECT_LE(seconds, effect.maxSeconds);
        const float top = maxAbs(s, 0, s.size());
        EXPECT_LE(top, peakCeiling + 0.001f) << "no headroom left: it would clip";
        EXPECT_GE(top, 0.2f) << "far too quiet";
        // No click: both ends ramp from silence.
        const std::size_t fifthMs = static_cast<std::size_t>(sampleRate / 5000);
        const std::size_t fiveMs = static_cast<std::size_t>(sampleRate / 200);
        EXPECT_LT(maxAbs(s, 0, fifthMs), 0.08f);
        EXPECT_LT(maxAbs(s, s.size() - fiveMs, s.size()), 0.05f);
        EXPECT_EQ(0, s.front());
        EXPECT_EQ(0, s.back());
    }
}

TEST(SoundEffects, LoudnessIsBalancedUnlessThePeakLimits) {
    for (const SoundEffect& effect : soundEffects()) {
        SCOPED_TRACE(effect.file);
        const Samples s = effect.render();
        const float loudness = shortTermLoudness(s);
        if (peak(s) < peakCeiling - 0.001f) {
            EXPECT_NEAR(loudnessTarget, loudness, loudnessTarget * 0.05f);
        } else {
            // A low thud meets the peak first; it may be quieter, but not by much.
            EXPECT_GT(loudness, loudnessTarget * 0.5f);
        }
    }
}

TEST(SoundEffects, RenderingIsDeterministic) {
    for (const SoundEffect& effect : soundEffects()) {
        EXPECT_EQ(effect.render(), effect.render()) << effect.file;
    }
}

TEST(Synth, NoiseRepeatsForASeedAndDiffersBetweenSeeds) {
    Noise a(5), b(5), c(6);
    for (int i = 0; i < 100; ++i) {
        const float va = a.white();
        EXPECT_EQ(va, b.white());
        EXPECT_GE(va, -1.0f);
        EXPECT_LE(va, 1.0f);
    }
    EXPECT_NE(Noise(5).white(), c.white());
}

TEST(Synth, LowPassKeepsLowAndRemovesHighTones) {
    Samples low = oscillator(Wave::Sine, constant(200), 0.5f);
    Samples high = oscillator(Wave::Sine, constant(8000), 0.5f);
    filter(low, FilterKind::LowPass, constant(1000), 0.7f);
    filter(high, FilterKind::LowPass, constant(1000), 0.7f);
    EXPECT_GT(peak(low), 0.9f);
    EXPECT_LT(peak(Samples(high.begin() + 1000, high.end())), 0.05f);
}

TEST(Synth, GlideReachesItsEndAndHolds) {
    const Curve g = glide(100, 400, 0.5f);
    EXPECT_FLOAT_EQ(100, g(0));
    EXPECT_NEAR(200, g(0.25f), 0.01f);
    EXPECT_FLOAT_EQ(400, g(0.5f));
    EXPECT_FLOAT_EQ(400, g(3));
}

TEST(Synth, FinishFadesAndNormalisesAnAbruptTone) {
    Samples s = oscillator(Wave::Square, constant(440), 0.3f); // starts and ends at full level
    finish(s, 0.005f, 0.02f);
    EXPECT_EQ(0.0f, s.front());
    EXPECT_NEAR(0.0f, s.back(), 1e-4f);
    EXPECT_LE(peak(s), peakCeiling + 1e-6f);
    EXPECT_NEAR(loudnessTarget, shortTermLoudness(s), 0.01f);
}

TEST(Synth, WavEncodingClampsAndRounds) {
    const Samples s = {0.0f, 1.5f, -2.0f, 0.5f};
    const std::vector<std::int16_t> pcm = decodeWav(encodeWav(s));
    ASSERT_EQ(4u, pcm.size());
    EXPECT_EQ(0, pcm[0]);
    EXPECT_EQ(32767, pcm[1]);
    EXPECT_EQ(-32767, pcm[2]);
    EXPECT_EQ(16384, pcm[3]);
}
