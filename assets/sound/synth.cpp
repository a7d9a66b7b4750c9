#include "sound/synth.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float nyquistLimit = 0.45f * sampleRate; // filters are kept below this, Hz

float clampFrequency(float hz) {
    return std::clamp(hz, 10.0f, nyquistLimit);
}

float waveValue(Wave wave, float phase) { // phase in 0..1
    switch (wave) {
    case Wave::Sine:
        return std::sin(2 * pi * phase);
    case Wave::Triangle:
        return phase < 0.5f ? 4 * phase - 1 : 3 - 4 * phase;
    case Wave::Saw:
        return 2 * phase - 1;
    case Wave::Square:
        return phase < 0.5f ? 1.0f : -1.0f;
    }
    return 0;
}

// Raised-cosine gain for a fade of n samples at position i (0 = silent).
float fadeGain(int i, int n) {
    return 0.5f - 0.5f * std::cos(pi * static_cast<float>(i) / n);
}

} // namespace

int sampleCount(float seconds) {
    return std::max(0, static_cast<int>(seconds * sampleRate));
}

Samples silence(float seconds) {
    return Samples(static_cast<std::size_t>(sampleCount(seconds)));
}

float Noise::white() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return static_cast<float>(state_) / 2147483648.0f - 1.0f;
}

float Noise::uniform(float a, float b) {
    return a + (b - a) * (white() * 0.5f + 0.5f);
}

float Noise::brown() {
    // A leaky integrator: the leak keeps the walk near zero without a hard wall.
    brown_ = 0.995f * brown_ + 0.06f * white();
    return std::clamp(brown_, -1.0f, 1.0f);
}

Curve constant(float value) {
    return [value](float) { return value; };
}

Curve glide(float a, float b, float seconds) {
    return [a, b, seconds](float t) {
        if (t >= seconds) {
            return b;
        }
        return a * std::pow(b / a, t / seconds);
    };
}

Samples oscillator(Wave wave, const Curve& frequency, float seconds, float startPhase) {
    Samples s = silence(seconds);
    float phase = startPhase - std::floor(startPhase);
    for (std::size_t i = 0; i < s.size(); ++i) {
        s[i] = waveValue(wave, phase);
        phase += frequency(static_cast<float>(i) / sampleRate) / sampleRate;
        phase -= std::floor(phase);
    }
    return s;
}

Samples fm(const Curve& carrier, float ratio, const Curve& index, float seconds) {
    Samples s = silence(seconds);
    double carrierPhase = 0, modulatorPhase = 0; // in cycles; double so long notes stay in tune
    for (std::size_t i = 0; i < s.size(); ++i) {
        const float t = static_cast<float>(i) / sampleRate;
        const float modulation = index(t) * std::sin(2 * pi * static_cast<float>(modulatorPhase));
        s[i] = std::sin(2 * pi * static_cast<float>(carrierPhase) + modulation);
        const double hz = carrier(t);
        carrierPhase += hz / sampleRate;
        modulatorPhase += hz * ratio / sampleRate;
        carrierPhase -= std::floor(carrierPhase);
        modulatorPhase -= std::floor(modulatorPhase);
    }
    return s;
}

Samples whiteNoise(Noise& noise, float seconds) {
    Samples s = silence(seconds);
    for (float& v : s) {
        v = noise.white();
    }
    return s;
}

Samples brownNoise(Noise& noise, float seconds) {
    Samples s = silence(seconds);
    for (float& v : s) {
        v = noise.brown();
    }
    return s;
}

Curve attackDecay(float attack, float decay) {
    return [attack, decay](float t) {
        if (t < attack) {
            return t / attack;
        }
        return std::exp(-(t - attack) / decay);
    };
}

Curve attackHoldRelease(float attack, float hold, float release) {
    return [attack, hold, release](float t) {
        if (t < attack) {
            return 0.5f - 0.5f * std::cos(pi * t / attack);
        }
        if (t < attack + hold) {
            return 1.0f;
        }
        const float r = (t - attack - hold) / release;
        return r >= 1 ? 0.0f : 0.5f + 0.5f * std::cos(pi * r);
    };
}

void shape(Samples& s, const Curve& gain) {
    for (std::size_t i = 0; i < s.size(); ++i) {
        s[i] *= gain(static_cast<float>(i) / sampleRate);
    }
}

void filter(Samples& s, FilterKind kind, const Curve& cutoff, float q) {
    // Trapezoidal state-variable filter: stable while the cutoff moves every sample.
    const float k = 1.0f / std::max(q, 0.05f);
    float ic1 = 0, ic2 = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const float fc = clampFrequency(cutoff(static_cast<float>(i) / sampleRate));
        const float g = std::tan(pi * fc / sampleRate);
        const float a1 = 1 / (1 + g * (g + k));
        const float a2 = g * a1;
        const float a3 = g * a2;
        const float v3 = s[i] - ic2;
        const float v1 = a1 * ic1 + a2 * v3;
        const float v2 = ic2 + a2 * ic1 + a3 * v3;
        ic1 = 2 * v1 - ic1;
        ic2 = 2 * v2 - ic2;
        switch (kind) {
        case FilterKind::LowPass:
            s[i] = v2;
            break;
        case FilterKind::HighPass:
            s[i] = s[i] - k * v1 - v2;
            break;
        case FilterKind::BandPass:
            s[i] = k * v1; // unity gain at the centre
            break;
        }
    }
}

void onePoleLowPass(Samples& s, float cutoff) {
    const float a = std::exp(-2 * pi * clampFrequency(cutoff) / sampleRate);
    float y = 0;
    for (float& v : s) {
        y = (1 - a) * v + a * y;
        v = y;
    }
}

void onePoleHighPass(Samples& s, float cutoff) {
    const float a = std::exp(-2 * pi * clampFrequency(cutoff) / sampleRate);
    float x1 = 0, y = 0;
    for (float& v : s) {
        y = a * (y + v - x1);
        x1 = v;
        v = y;
    }
}

void phaser(Samples& s, const Curve& centre, float feedback) {
    float state[4] = {0, 0, 0, 0}; // previous input of each all-pass stage
    float out[4] = {0, 0, 0, 0};   // previous output of each stage
    float last = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const float t =
            std::tan(pi * clampFrequency(centre(static_cast<float>(i) / sampleRate)) / sampleRate);
        const float a = (t - 1) / (t + 1);
        float x = s[i] + feedback * last;
        for (int stage = 0; stage < 4; ++stage) {
            const float y = a * x + state[stage] - a * out[stage];
            state[stage] = x;
            out[stage] = y;
            x = y;
        }
        last = x;
        s[i] = 0.5f * (s[i] + x);
    }
}

void room(Samples& s, float mix, float decaySeconds) {
    static const float delays[4] = {0.0297f, 0.0371f, 0.0411f, 0.0437f}; // seconds, coprime-ish
    Samples wet(s.size(), 0.0f);
    for (float delay : delays) {
        const std::size_t d = static_cast<std::size_t>(delay * sampleRate);
        const float g = std::pow(10.0f, -3 * delay / decaySeconds); // -60 dB after decaySeconds
        Samples line(s.size(), 0.0f);
        for (std::size_t i = 0; i < s.size(); ++i) {
            line[i] = s[i] + (i >= d ? g * line[i - d] : 0.0f);
            wet[i] += line[i] - s[i];
        }
    }
    onePoleLowPass(wet, 4000); // a soft room swallows the top
    for (std::size_t i = 0; i < s.size(); ++i) {
        s[i] += mix * 0.25f * wet[i];
    }
}

void mixInto(Samples& dst, const Samples& src, float atSeconds, float gain) {
    const std::size_t start = static_cast<std::size_t>(sampleCount(atSeconds));
    if (dst.size() < start + src.size()) {
        dst.resize(start + src.size(), 0.0f);
    }
    for (std::size_t i = 0; i < src.size(); ++i) {
        dst[start + i] += gain * src[i];
    }
}

float peak(const Samples& s) {
    float p = 0;
    for (float v : s) {
        p = std::max(p, std::fabs(v));
    }
    return p;
}

float shortTermLoudness(const Samples& s) {
    Samples w = s;
    filter(w, FilterKind::HighPass, constant(100), 0.5f);
    Samples presence = w;
    onePoleHighPass(presence, 1500);
    for (std::size_t i = 0; i < w.size(); ++i) {
        w[i] += 0.58f * presence[i]; // about +4 dB above 1.5 kHz
    }
    const std::size_t window = static_cast<std::size_t>(sampleCount(0.05f));
    const std::size_t step = static_cast<std::size_t>(sampleCount(0.005f));
    double best = 0;
    for (std::size_t start = 0; start < w.size(); start += step) {
        const std::size_t end = std::min(w.size(), start + window);
        double sum = 0;
        for (std::size_t i = start; i < end; ++i) {
            sum += static_cast<double>(w[i]) * w[i];
        }
        best = std::max(best, sum / static_cast<double>(window)); // short tails count as quiet
    }
    return static_cast<float>(std::sqrt(best));
}

void finish(Samples& s, float fadeIn, float fadeOut, float trimDecibels) {
    onePoleHighPass(s, 20);
    const int n = static_cast<int>(s.size());
    // At least a millisecond in: shorter still clicks, longer blunts a knock's attack.
    const int in = std::min(n, sampleCount(std::max(fadeIn, 0.001f)));
    const int out = std::min(n, std::max(1, sampleCount(fadeOut)));
    for (int i = 0; i < in; ++i) {
        s[static_cast<std::size_t>(i)] *= fadeGain(i, in);
    }
    for (int i = 0; i < out; ++i) {
        s[static_cast<std::size_t>(n - 1 - i)] *= fadeGain(i, out);
    }
    const float loudness = shortTermLoudness(s);
    const float top = peak(s);
    if (loudness <= 0 || top <= 0) {
        return;
    }
    float gain = loudnessTarget * std::pow(10.0f, trimDecibels / 20) / loudness;
    gain = std::min(gain, peakCeiling / top);
    for (float& v : s) {
        v *= gain;
    }
}
