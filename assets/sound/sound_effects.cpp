#include "sound/sound_effects.h"

#include <cmath>

// Every recipe builds its layers, mixes them and ends with finish(), which fades both ends and
// brings the effect to the common loudness. The game then sets the balance through the volume it
// passes when it plays each one. Seeds are fixed per effect so the packs are reproducible.

namespace {

Samples tone(Wave wave, const Curve& frequency, float seconds, const Curve& envelope) {
    Samples s = oscillator(wave, frequency, seconds);
    shape(s, envelope);
    return s;
}

// A struck resonance: a sine partial with a near-instant attack and an exponential decay.
Samples partial(float hz, float decay, float seconds) {
    return tone(Wave::Sine, constant(hz), seconds, attackDecay(0.0008f, decay));
}

// A short band of noise, the raw material of clicks, crackles and shards.
Samples grain(Noise& noise, float seconds, float centre, float q, float decay) {
    Samples s = whiteNoise(noise, seconds);
    filter(s, FilterKind::BandPass, constant(centre), q);
    shape(s, attackDecay(0.0005f, decay));
    return s;
}

// A mallet note: FM with a bright attack that mellows, like a soft electric piano.
Samples malletNote(float hz, float seconds, float decay) {
    Samples body = fm(constant(hz), 1.0f, attackDecay(0.001f, 0.12f), seconds);
    Samples shine = fm(constant(hz * 2), 3.5f, attackDecay(0.001f, 0.05f), seconds);
    mixInto(body, shine, 0, 0.25f);
    shape(body, attackDecay(0.004f, decay));
    return body;
}

Samples renderLogo() {
    // A rising C-major arpeggio that settles on a ringing chord.
    Samples s = silence(1.6f);
    const float arpeggio[4] = {392.0f, 523.25f, 659.25f, 783.99f};
    for (int i = 0; i < 4; ++i) {
        mixInto(s, malletNote(arpeggio[i], 0.6f, 0.18f), 0.11f * i, 0.55f);
    }
    const float chord[4] = {523.25f, 659.25f, 783.99f, 1046.5f};
    for (float hz : chord) {
        mixInto(s, malletNote(hz, 1.1f, 0.38f), 0.46f, 0.3f);
    }
    s.resize(static_cast<std::size_t>(sampleCount(1.6f)));
    room(s, 0.6f, 0.9f);
    finish(s, 0.002f, 0.12f);
    return s;
}

Samples renderButton() {
    Noise noise(11);
    Samples s = grain(noise, 0.05f, 3200, 1.5f, 0.003f);
    mixInto(s, partial(1750, 0.008f, 0.05f), 0, 0.6f);
    finish(s, 0.0005f, 0.01f);
    return s;
}

Samples renderMove() {
    // Air pushed aside: noise through a band that sweeps up as the piece sets off.
    Noise noise(23);
    Samples s = whiteNoise(noise, 0.24f);
    filter(s, FilterKind::BandPass, glide(700, 2600, 0.24f), 1.2f);
    onePoleLowPass(s, 6000);
    shape(s, attackHoldRelease(0.07f, 0.02f, 0.15f));
    finish(s, 0.004f, 0.02f);
    return s;
}

Samples bellNote(float hz, float seconds) {
    Samples s = partial(hz, 0.28f, seconds);
    mixInto(s, partial(hz * 2.756f, 0.08f, seconds), 0, 0.3f);
    mixInto(s, partial(hz * 5.404f, 0.03f, seconds), 0, 0.12f);
    return s;
}

Samples renderMark() {
    // A two-note chime, up a fifth: the end is covered.
    Samples s = silence(0.8f);
    mixInto(s, bellNote(1318.5f, 0.7f), 0, 0.5f);
    mixInto(s, bellNote(1975.5f, 0.7f), 0.08f, 0.5f);
    s.resize(static_cast<std::size_t>(sampleCount(0.8f)));
    room(s, 0.4f, 0.5f);
    finish(s, 0.001f, 0.08f);
    return s;
}

Samples renderBall() {
    // A rubber bounce: a falling "boing" with a quick, fading wobble.
    auto pitch = [](float t) {
        const float wobble = 1 + 0.05f * std::exp(-t / 0.05f) * std::sin(2 * pi * 22 * t);
        return (105 + 270 * std::exp(-t / 0.03f)) * wobble;
    };
    Samples s = tone(Wave::Sine, pitch, 0.24f, attackDecay(0.002f, 0.06f));
    mixInto(s, tone(Wave::Triangle, pitch, 0.24f, attackDecay(0.002f, 0.03f)), 0, 0.3f);
    onePoleLowPass(s, 2500);
    finish(s, 0.001f, 0.03f);
    return s;
}

Samples renderBox() {
    // A wooden knock: a few short body modes struck by a tiny click.
    Noise noise(37);
    const float seconds = 0.2f;
    Samples s = grain(noise, seconds, 2200, 1.0f, 0.002f);
    const float modes[4][3] = {
        {190, 0.05f, 1.0f}, {455, 0.03f, 0.6f}, {830, 0.02f, 0.4f}, {1450, 0.012f, 0.25f}};
    for (const auto& mode : modes) {
        mixInto(s, partial(mode[0], mode[1], seconds), 0, mode[2]);
    }
    finish(s, 0.0005f, 0.03f);
    return s;
}

Samples renderSpike() {
    // A metallic clink: inharmonic partials that ring briefly.
    Noise noise(41);
    const float seconds = 0.38f;
    Samples s = grain(noise, seconds, 7000, 1.0f, 0.001f);
    const float partials[5][3] = {{2350, 0.18f, 1.0f},
                                  {3570, 0.12f, 0.7f},
                                  {4980, 0.09f, 0.5f},
                                  {6820, 0.06f, 0.35f},
                                  {8460, 0.04f, 0.2f}};
    for (const auto& p : partials) {
        mixInto(s, partial(p[0], p[1], seconds), 0, p[2]);
    }
    finish(s, 0.0005f, 0.05f);
    return s;
}

Samples renderAmoeba() {
    // A squelch: a low buzz and mud noise through a wobbling, closing resonance.
    Noise noise(53);
    const float seconds = 0.42f;
    Samples s = oscillator(Wave::Saw, glide(75, 55, seconds), seconds);
    mixInto(s, brownNoise(noise, seconds), 0, 1.5f);
    filter(
        s, FilterKind::BandPass,
        [](float t) {
            return 300 + 1100 * std::exp(-t / 0.15f) * (0.6f + 0.4f * std::sin(2 * pi * 11 * t));
        },
        4.0f);
    shape(s, attackHoldRelease(0.02f, 0.12f, 0.28f));
    finish(s, 0.003f, 0.04f);
    return s;
}

Samples renderDestroy() {
    // A crunchy shatter: a thump, a burst, then shards that thin out.
    Noise noise(67);
    const float seconds = 0.7f;
    Samples s = tone(Wave::Sine, glide(130, 50, 0.15f), seconds, attackDecay(0.002f, 0.07f));
    Samples burst = whiteNoise(noise, seconds);
    onePoleHighPass(burst, 1200);
    shape(burst, attackDecay(0.001f, 0.07f));
    mixInto(s, burst, 0, 0.8f);
    for (int i = 0; i < 46; ++i) {
        const float u = noise.uniform(0, 1);
        const float at = 0.45f * u * u; // dense at first, sparse later
        const bool glassy = i % 3 != 0;
        const float centre = glassy ? noise.uniform(2500, 8000) : noise.uniform(600, 1500);
        const float length = noise.uniform(0.008f, 0.03f);
        mixInto(s, grain(noise, length, centre, glassy ? 8.0f : 2.0f, length / 3), at,
                0.9f * (1 - 0.7f * u));
    }
    s.resize(static_cast<std::size_t>(sampleCount(seconds)));
    finish(s, 0.001f, 0.06f);
    return s;
}

Samples renderMutation() {
    // A shimmering sweep: detuned partials gliding up under a tremolo, dusted with sparkles.
    Noise noise(71);
    const float seconds = 0.9f;
    Samples s = silence(seconds);
    const float ratios[4] = {1.0f, 1.5f, 2.0f, 2.012f};
    for (float r : ratios) {
        mixInto(s, oscillator(Wave::Sine, glide(300 * r, 1200 * r, 0.7f), seconds), 0, 0.3f);
    }
    shape(s, [](float t) { return 0.75f + 0.25f * std::sin(2 * pi * 14 * t); });
    phaser(
        s, [](float t) { return 800 + 600 * std::sin(2 * pi * 3 * t); }, 0.4f);
    for (int i = 0; i < 14; ++i) {
        const float at = noise.uniform(0.1f, 0.75f);
        mixInto(s, partial(noise.uniform(2500, 6000), 0.03f, 0.12f), at, 0.18f);
    }
    s.resize(static_cast<std::size_t>(sampleCount(seconds)));
    shape(s, attackHoldRelease(0.25f, 0.25f, 0.4f));
    finish(s, 0.01f, 0.05f);
    return s;
}

Samples renderArrow() {
    // A short rising blip with a breath of air: the piece is turned.
    Noise noise(79);
    const float seconds = 0.16f;
    Samples s = tone(Wave::Sine, glide(600, 1600, 0.08f), seconds, attackDecay(0.003f, 0.04f));
    Samples air = whiteNoise(noise, seconds);
    filter(air, FilterKind::BandPass, constant(3000), 1.0f);
    shape(air, attackHoldRelease(0.02f, 0.01f, 0.09f));
    mixInto(s, air, 0, 0.4f);
    finish(s, 0.002f, 0.03f);
    return s;
}

Samples renderTeleport() {
    // A phasey zap: a climbing saw chord swept by a fast phaser.
    const float seconds = 0.7f;
    Samples s = silence(seconds);
    const float ratios[3] = {1.0f, 1.5f, 2.003f};
    for (float r : ratios) {
        mixInto(s, oscillator(Wave::Saw, glide(180 * r, 900 * r, 0.5f), seconds), 0, 0.3f);
    }
    onePoleLowPass(s, 3500);
    phaser(
        s, [](float t) { return 300 + 2500 * (0.5f + 0.5f * std::sin(2 * pi * 6 * t)); }, 0.6f);
    shape(s, attackHoldRelease(0.02f, 0.3f, 0.36f));
    finish(s, 0.003f, 0.04f);
    return s;
}

Samples renderGate() {
    // A buzzy bounce: a square buzz that drops in pitch while its filter closes.
    const float seconds = 0.36f;
    auto pitch = [](float t) {
        return (95 + 140 * std::exp(-t / 0.05f)) * (1 + 0.03f * std::sin(2 * pi * 25 * t));
    };
    Samples s = oscillator(Wave::Square, pitch, seconds);
    mixInto(s,
            oscillator(
                Wave::Saw, [&](float t) { return 2 * pitch(t); }, seconds),
            0, 0.3f);
    filter(s, FilterKind::LowPass, glide(2500, 400, 0.25f), 2.0f);
    shape(s, attackDecay(0.003f, 0.09f));
    finish(s, 0.001f, 0.04f);
    return s;
}

Samples renderWall() {
    // A dull thud: a low falling sine and a muffled knock.
    Noise noise(89);
    const float seconds = 0.3f;
    Samples s = tone(Wave::Sine, glide(95, 45, 0.12f), seconds, attackDecay(0.002f, 0.08f));
    Samples knock = brownNoise(noise, seconds);
    onePoleLowPass(knock, 300);
    shape(knock, attackDecay(0.001f, 0.04f));
    mixInto(s, knock, 0, 3.0f);
    Samples click = grain(noise, 0.01f, 900, 0.8f, 0.003f);
    mixInto(s, click, 0, 0.3f);
    finish(s, 0.001f, 0.04f);
    return s;
}

Samples renderDoor() {
    // A stone door: a grinding rumble that jitters as the slab drags, then settles with a thud.
    Noise noise(97);
    const float seconds = 1.15f;
    Samples rumble = brownNoise(noise, seconds);
    filter(rumble, FilterKind::LowPass, constant(250), 0.7f);
    Samples grit = whiteNoise(noise, seconds);
    filter(grit, FilterKind::BandPass, constant(700), 2.0f);
    mixInto(rumble, grit, 0, 0.12f);
    Samples drag = whiteNoise(noise, seconds); // slow random gain: the stone catching and slipping
    onePoleLowPass(drag, 15);
    const float dragPeak = peak(drag);
    for (std::size_t i = 0; i < rumble.size(); ++i) {
        rumble[i] *= 0.55f + 0.45f * drag[i] / dragPeak;
    }
    shape(rumble, attackHoldRelease(0.12f, 0.68f, 0.25f));
    mixInto(rumble, tone(Wave::Sine, glide(70, 40, 0.1f), 0.2f, attackDecay(0.003f, 0.06f)), 0.93f,
            0.5f);
    rumble.resize(static_cast<std::size_t>(sampleCount(seconds)));
    finish(rumble, 0.01f, 0.05f);
    return rumble;
}

Samples renderMorph() {
    // A wobble: a round FM tone whose vibrato speeds up as the amoeba changes shape.
    const float seconds = 0.55f;
    auto pitch = [](float t) {
        const float rate = 6 + 22 * t; // Hz, rising
        return 260 * (1 + 0.25f * std::sin(2 * pi * rate * t));
    };
    Samples s = fm(pitch, 0.5f, constant(1.2f), seconds);
    onePoleLowPass(s, 1800);
    shape(s, attackHoldRelease(0.05f, 0.25f, 0.25f));
    finish(s, 0.005f, 0.04f);
    return s;
}

Samples renderEat() {
    // A gulp: a throaty pulse through a formant that opens and closes, then a small swallow.
    const float seconds = 0.32f;
    Samples s = oscillator(Wave::Square, constant(140), seconds);
    filter(
        s, FilterKind::BandPass,
        [](float t) {
            return t < 0.08f ? 350 + 750 * t / 0.08f : 250 + 850 * std::exp(-(t - 0.08f) / 0.05f);
        },
        5.0f);
    shape(s, attackHoldRelease(0.01f, 0.08f, 0.18f));
    mixInto(s, tone(Wave::Sine, glide(500, 220, 0.06f), 0.1f, attackDecay(0.003f, 0.03f)), 0.16f,
            0.5f);
    s.resize(static_cast<std::size_t>(sampleCount(seconds)));
    finish(s, 0.002f, 0.03f);
    return s;
}

Samples renderBigAmoeba() {
    // A deep bloop: a big bubble rising out of mud, and a smaller one after it.
    Noise noise(103);
    const float seconds = 0.6f;
    Samples s = tone(Wave::Sine, glide(220, 65, 0.25f), seconds, attackDecay(0.005f, 0.18f));
    mixInto(s, tone(Wave::Sine, glide(110, 40, 0.25f), seconds, attackDecay(0.005f, 0.2f)), 0,
            0.6f);
    Samples mud = brownNoise(noise, seconds);
    filter(mud, FilterKind::BandPass, glide(400, 150, 0.4f), 6.0f);
    shape(mud, attackDecay(0.01f, 0.15f));
    mixInto(s, mud, 0, 0.8f);
    mixInto(s, tone(Wave::Sine, glide(300, 120, 0.08f), 0.2f, attackDecay(0.004f, 0.05f)), 0.22f,
            0.4f);
    s.resize(static_cast<std::size_t>(sampleCount(seconds)));
    finish(s, 0.003f, 0.05f);
    return s;
}

Samples renderLightOn() {
    // A flame catching: a swelling whoomp of air that opens up and then calms, with a few crackles.
    Noise noise(107);
    const float seconds = 0.7f;
    Samples s = whiteNoise(noise, seconds);
    filter(
        s, FilterKind::LowPass,
        [](float t) {
            return t < 0.18f ? 150 * std::pow(2500.0f / 150, t / 0.18f)
                             : 500 + 2000 * std::exp(-(t - 0.18f) / 0.12f);
        },
        1.0f);
    mixInto(s, oscillator(Wave::Sine, glide(55, 90, 0.2f), seconds), 0, 0.4f);
    shape(s, attackHoldRelease(0.12f, 0.1f, 0.46f));
    for (int i = 0; i < 8; ++i) {
        mixInto(s, grain(noise, 0.01f, noise.uniform(2000, 5000), 3.0f, 0.003f),
                noise.uniform(0.1f, 0.5f), 0.5f);
    }
    s.resize(static_cast<std::size_t>(sampleCount(seconds)));
    finish(s, 0.01f, 0.05f);
    return s;
}

Samples renderLightOff() {
    // A puff: a short breath with a hiss that dies away.
    Noise noise(109);
    const float seconds = 0.45f;
    Samples s = whiteNoise(noise, seconds);
    filter(s, FilterKind::BandPass, glide(2500, 1200, 0.3f), 0.8f);
    shape(s, attackDecay(0.01f, 0.12f));
    Samples breath = whiteNoise(noise, seconds);
    onePoleLowPass(breath, 400);
    shape(breath, attackDecay(0.005f, 0.04f));
    mixInto(s, breath, 0, 1.5f);
    finish(s, 0.004f, 0.05f);
    return s;
}

Samples renderLightHot() {
    // A sizzle: bright hiss that flickers, peppered with tiny pops.
    Noise noise(113);
    const float seconds = 0.8f;
    Samples s = whiteNoise(noise, seconds);
    filter(s, FilterKind::HighPass, constant(3000), 0.7f);
    Samples flicker = whiteNoise(noise, seconds);
    onePoleLowPass(flicker, 60);
    const float flickerPeak = peak(flicker);
    for (std::size_t i = 0; i < s.size(); ++i) {
        s[i] *= 0.5f + 0.5f * std::fabs(flicker[i]) / flickerPeak;
    }
    for (int i = 0; i < 30; ++i) {
        mixInto(s, grain(noise, 0.006f, noise.uniform(3000, 9000), 2.0f, 0.0015f),
                noise.uniform(0.02f, 0.7f), 1.2f);
    }
    s.resize(static_cast<std::size_t>(sampleCount(seconds)));
    shape(s, attackHoldRelease(0.08f, 0.4f, 0.32f));
    finish(s, 0.01f, 0.05f);
    return s;
}

// Several files carry an ".mp3" name but hold WAV data like the rest: the engine's sound loader
// decides by the bytes, not by the name, so one encoder serves every effect.
constexpr SoundEffect effects[] = {
    {"logo.mp3", renderLogo, 1.3f, 1.8f},         {"button.wav", renderButton, 0.02f, 0.1f},
    {"move.wav", renderMove, 0.1f, 0.35f},        {"mark.wav", renderMark, 0.3f, 1.0f},
    {"ball.wav", renderBall, 0.1f, 0.4f},         {"box.wav", renderBox, 0.1f, 0.4f},
    {"spike.wav", renderSpike, 0.1f, 0.5f},       {"amoeba.mp3", renderAmoeba, 0.2f, 0.6f},
    {"destroy.wav", renderDestroy, 0.3f, 0.9f},   {"mutace.wav", renderMutation, 0.5f, 1.2f},
    {"arrow.mp3", renderArrow, 0.08f, 0.3f},      {"teleport.mp3", renderTeleport, 0.4f, 1.0f},
    {"gate.mp3", renderGate, 0.15f, 0.5f},        {"wall.mp3", renderWall, 0.1f, 0.5f},
    {"door.mp3", renderDoor, 0.8f, 1.4f},         {"morf.mp3", renderMorph, 0.3f, 0.8f},
    {"eat.mp3", renderEat, 0.15f, 0.5f},          {"bigamoeba.mp3", renderBigAmoeba, 0.3f, 0.9f},
    {"lighton.mp3", renderLightOn, 0.4f, 1.0f},   {"lightoff.mp3", renderLightOff, 0.2f, 0.7f},
    {"lighthot.mp3", renderLightHot, 0.4f, 1.1f},
};

} // namespace

std::span<const SoundEffect> soundEffects() {
    return effects;
}
