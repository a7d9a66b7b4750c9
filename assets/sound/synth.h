#pragma once
// Small building blocks for the game's sound effects: oscillators, seeded noise, filters,
// envelopes, mixing and the finishing steps (fades, loudness normalisation). Every sound is a
// mono buffer of floats in -1..1 at sampleRate; nothing here reads a file or a sample.

#include <cstdint>
#include <functional>
#include <vector>

constexpr int sampleRate = 44100; // Hz
constexpr float pi = 3.14159265358979f;

using Samples = std::vector<float>;

// A buffer of silence lasting the given seconds.
Samples silence(float seconds);
int sampleCount(float seconds);

// Deterministic noise: xorshift32, so the same seed always renders the same sound.
class Noise {
  public:
    explicit Noise(std::uint32_t seed) : state_(seed != 0 ? seed : 0x9E3779B9u) {}
    float white();                   // uniform in -1..1
    float uniform(float a, float b); // uniform in a..b
    float brown();                   // integrated white noise, kept within -1..1

  private:
    std::uint32_t state_;
    float brown_ = 0;
};

// A value that changes over the sound's time in seconds (pitch glides, filter sweeps, LFOs).
using Curve = std::function<float(float t)>;

Curve constant(float value);
// Exponential glide from a to b over the given seconds, then held at b.
Curve glide(float a, float b, float seconds);

// Oscillators that follow a frequency curve in Hz; phase is kept continuous.
enum class Wave { Sine, Triangle, Saw, Square };
Samples oscillator(Wave wave, const Curve& frequency, float seconds, float startPhase = 0);
// Two-operator FM: a sine carrier whose phase is modulated by a sine at ratio × carrier with the
// given index curve (radians of phase deviation).
Samples fm(const Curve& carrier, float ratio, const Curve& index, float seconds);

Samples whiteNoise(Noise& noise, float seconds);
Samples brownNoise(Noise& noise, float seconds);

// Envelopes, as gain curves in 0..1.
Curve attackDecay(float attack, float decay); // linear rise, exponential fall (time constant)
Curve attackHoldRelease(float attack, float hold, float release); // raised-cosine edges

// Applies a gain curve sample by sample.
void shape(Samples& s, const Curve& gain);

// Filters. The cutoff or centre follows a curve in Hz; q is the resonance (0.5 = gentle).
enum class FilterKind { LowPass, HighPass, BandPass };
void filter(Samples& s, FilterKind kind, const Curve& cutoff, float q);
void onePoleLowPass(Samples& s, float cutoff);
void onePoleHighPass(Samples& s, float cutoff);
// A phaser: four first-order all-pass stages whose break frequency follows the curve, mixed
// with the dry signal.
void phaser(Samples& s, const Curve& centre, float feedback);
// A short room: a few feedback delays mixed under the dry signal, so chimes ring out softly. The
// buffer keeps its length: leave silence at its end for the tail.
void room(Samples& s, float mix, float decaySeconds);

// Adds src into dst starting at the given second, scaled by gain; dst grows when needed.
void mixInto(Samples& dst, const Samples& src, float atSeconds, float gain);

// Finishing: removes DC, fades both ends (seconds) so the sound starts and ends at silence,
// then scales it to the common loudness with the peak kept below the ceiling.
constexpr float peakCeiling = 0.891f;   // -1 dBFS
constexpr float loudnessTarget = 0.18f; // weighted short-term RMS every effect is brought to
void finish(Samples& s, float fadeIn, float fadeOut, float trimDecibels = 0);

// Loudness as the ear hears it, roughly: the RMS of the loudest 50 ms window after a weighting
// that discounts deep bass and lifts presence, so a thud and a chime at equal figures balance.
float shortTermLoudness(const Samples& s);
float peak(const Samples& s);
