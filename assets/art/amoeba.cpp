#include "amoeba.h"

#include <algorithm>
#include <cmath>

#include "paint.h"

namespace {

constexpr int frameCount = 8;
const Rgba white{1, 1, 1, 1};

// The blob's outline: a circle whose radius ripples with whole-number harmonics of the loop
// phase, so the animation repeats exactly every eight frames.
struct Blob {
    float cx, cy, radius, ripple, phase;

    float outline(float angle) const {
        return radius + ripple * (1.6f * std::sin(3 * angle + phase) +
                                  1.1f * std::sin(5 * angle - 2 * phase + 1.0f) +
                                  0.7f * std::sin(2 * angle + 3 * phase + 2.0f));
    }
    float distance(float x, float y) const {
        // The ripple keeps the gradient below about 1.3, so scale back to a usable distance.
        return (std::hypot(x - cx, y - cy) - outline(std::atan2(y - cy, x - cx))) * 0.8f;
    }
};

Blob makeBlob(float size, int frame) {
    const float s = size / 44.0f;
    const float phase = 2 * pi * static_cast<float>(frame) / frameCount;
    return {size / 2 + 0.8f * s * std::sin(phase), size / 2 + 0.8f * s * std::cos(2 * phase),
            15.5f * s, s, phase};
}

Rgba membrane(const Blob& blob, Rgba colour, float x, float y, float d) {
    const float depth = std::clamp(-d / (blob.radius * 0.45f), 0.0f, 1.0f);
    Rgba c = mix(shade(colour, 0.55f), mix(colour, white, 0.18f), depth);
    c.a = 0.9f - 0.45f * depth;
    const float shine = domeSpecular(x, y, blob.cx, blob.cy, blob.radius, 18.0f);
    return mix(c, white, shine * 0.75f);
}

void drawBubbles(Image& image, const Blob& blob, float scale, int count, std::uint32_t seed) {
    for (int i = 0; i < count; ++i) {
        const float a = blob.phase * (i % 2 == 0 ? 1.0f : -1.0f) +
                        2 * pi * static_cast<float>(i) / static_cast<float>(count) +
                        static_cast<float>(seed);
        const float orbit = (8.5f + 1.5f * static_cast<float>(i % 3)) * scale;
        const float bx = blob.cx + orbit * std::cos(a), by = blob.cy + orbit * std::sin(a);
        const float r = (1.1f + 0.4f * static_cast<float>(i % 2)) * scale;
        fillShape(
            image, [=](float x, float y) { return circleDistance(x, y, bx, by, r); },
            [=](float x, float y, float) {
                return withAlpha(white, 0.25f + 0.5f * domeSpecular(x, y, bx, by, r, 6.0f));
            });
    }
}

// The small amoeba: a long, lopsided body that reaches out with two big pseudopods and two small
// ones, which stretch and shrink in turn. The long shape keeps its outline apart from the round
// ball and the square box, and the uneven lobes from the spike's regular star.
struct Crawler {
    static constexpr int lobes = 4;
    float cx, cy, core, phase;

    float outline(float angle) const {
        static const float lobeAngle[lobes] = {-2.75f, -1.1f, 0.39f, 1.75f};
        static const float lobeLength[lobes] = {13.0f, 5.5f, 13.5f, 6.5f};
        float r = core;
        for (int k = 0; k < lobes; ++k) {
            float delta = std::remainder(angle - lobeAngle[k], 2 * pi);
            delta /= 0.55f;
            const float stretch = 1.0f + 0.2f * std::sin(phase + 2.1f * static_cast<float>(k));
            r += lobeLength[k] * stretch * std::exp(-delta * delta);
        }
        return r;
    }
    float distance(float x, float y) const {
        // The lobes steepen the outline; scale back to a distance that never overestimates.
        return (std::hypot(x - cx, y - cy) - outline(std::atan2(y - cy, x - cx))) * 0.6f;
    }
};

Image amoebaFrame(Kind kind, int frame) {
    Image image(44, 44);
    const float phase = 2 * pi * static_cast<float>(frame) / frameCount;
    const Crawler crawler{22.0f + 0.6f * std::sin(phase), 22.0f + 0.6f * std::cos(2 * phase), 7.0f,
                          phase};
    const Blob blob{crawler.cx, crawler.cy, 14.0f, 1.0f, phase};
    const Rgba colour = kindColour(kind);
    auto body = [&](float x, float y) { return crawler.distance(x, y); };
    softShadow(image, body, 1.5f, 2.5f, 3.0f, 0.45f);
    fillFlat(image, body, inkColour());
    fillShape(
        image, [&](float x, float y) { return body(x, y) + inkWidth; },
        [&](float x, float y, float d) {
            Rgba c = membrane(blob, colour, x, y, d);
            c.a = std::max(c.a, 0.8f); // a faint body would vanish on a wooden floor
            return c;
        });
    // The nucleus carries the kind's shape, drifting a little inside the body.
    const float nx = crawler.cx + 1.2f * std::sin(phase + 1.0f);
    const float ny = crawler.cy + 1.0f * std::cos(phase);
    auto nucleus = [&](float x, float y) { return kindDistance(kind, x, y, nx, ny, 6.5f); };
    fillFlat(image, nucleus, withAlpha(inkColour(), 0.8f));
    fillShape(
        image, [&](float x, float y) { return nucleus(x, y) + 1.0f; },
        [&](float x, float y, float d) {
            const float lit = bevelLight(d, normalOf(nucleus, x, y), 1.8f);
            return shade(colour, 0.75f + 0.35f * lit);
        });
    drawBubbles(image, blob, 0.75f, 3, 0);
    return image;
}

Image bigAmoebaFrame(int frame) {
    Image image(132, 132);
    Blob blob = makeBlob(132, frame);
    blob.radius = 48.0f;
    blob.ripple = 2.4f;
    const Rgba colour = rgb(0x7A4FC0);
    auto body = [&](float x, float y) { return blob.distance(x, y); };
    softShadow(image, body, 2.0f, 4.0f, 5.0f, 0.5f);
    fillShape(
        image, body, [&](float x, float y, float d) { return membrane(blob, colour, x, y, d); }, 3);
    // Three nuclei of the kinds it has eaten, circling slowly.
    const Kind kinds[3] = {Kind::ball, Kind::box, Kind::spike};
    for (int i = 0; i < 3; ++i) {
        const float a = 2 * pi * static_cast<float>(i) / 3 + 0.5f +
                        0.12f * std::sin(blob.phase + static_cast<float>(i));
        const float nx = blob.cx + 20.0f * std::cos(a), ny = blob.cy + 20.0f * std::sin(a);
        auto nucleus = [&](float x, float y) {
            return kindDistance(kinds[i], x, y, nx, ny, 11.0f);
        };
        const Rgba kc = mix(kindColour(kinds[i]), colour, 0.35f);
        fillShape(image, nucleus, [&](float x, float y, float d) {
            const float lit = bevelLight(d, normalOf(nucleus, x, y), 3.0f);
            return withAlpha(shade(kc, 0.7f + 0.4f * lit), 0.75f);
        });
    }
    drawBubbles(image, blob, 3.0f, 7, 3);
    return image;
}

} // namespace

Image drawAmoebaSheet(Kind kind) {
    std::vector<Image> frames;
    for (int f = 0; f < frameCount; ++f) {
        frames.push_back(amoebaFrame(kind, f));
    }
    return joinFrames(frames);
}

Image drawBigAmoebaSheet() {
    std::vector<Image> frames;
    for (int f = 0; f < frameCount; ++f) {
        frames.push_back(bigAmoebaFrame(f));
    }
    return joinFrames(frames);
}
