#include "image.h"

#include <algorithm>
#include <cmath>

namespace {

float clamp01(float v) {
    return std::clamp(v, 0.0f, 1.0f);
}

std::uint8_t toByte(float v) {
    return static_cast<std::uint8_t>(std::lround(clamp01(v) * 255.0f));
}

} // namespace

Rgba rgb(std::uint32_t hex, float alpha) {
    return {((hex >> 16) & 0xFF) / 255.0f, ((hex >> 8) & 0xFF) / 255.0f, (hex & 0xFF) / 255.0f,
            alpha};
}

Rgba mix(Rgba a, Rgba b, float t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t,
            a.a + (b.a - a.a) * t};
}

Rgba shade(Rgba c, float k) {
    return {clamp01(c.r * k), clamp01(c.g * k), clamp01(c.b * k), c.a};
}

Rgba withAlpha(Rgba c, float alpha) {
    return {c.r, c.g, c.b, alpha};
}

Image::Image(int w, int h, Rgba fill)
    : width(w), height(h), pixels(static_cast<std::size_t>(w) * h, fill) {}

Image designImage(int w, int h, float unit) {
    Image image(static_cast<int>(static_cast<float>(w) * unit),
                static_cast<int>(static_cast<float>(h) * unit));
    image.unit = unit;
    return image;
}

void blendOver(Rgba& dst, Rgba src, float coverage) {
    const float sa = clamp01(src.a * coverage);
    if (sa <= 0.0f) {
        return;
    }
    const float da = dst.a * (1.0f - sa);
    const float outA = sa + da;
    dst.r = (src.r * sa + dst.r * da) / outA;
    dst.g = (src.g * sa + dst.g * da) / outA;
    dst.b = (src.b * sa + dst.b * da) / outA;
    dst.a = outA;
}

void drawImage(Image& dst, const Image& src, int x, int y) {
    drawImageScaled(dst, src, x, y, 1);
}

void drawImageScaled(Image& dst, const Image& src, int x, int y, int factor) {
    for (int sy = 0; sy < src.height * factor; ++sy) {
        const int dy = y + sy;
        if (dy < 0 || dy >= dst.height) {
            continue;
        }
        for (int sx = 0; sx < src.width * factor; ++sx) {
            const int dx = x + sx;
            if (dx >= 0 && dx < dst.width) {
                blendOver(dst.at(dx, dy), src.at(sx / factor, sy / factor));
            }
        }
    }
}

Image joinFrames(const std::vector<Image>& frames) {
    if (frames.empty()) {
        return {};
    }
    Image sheet(frames[0].width * static_cast<int>(frames.size()), frames[0].height);
    for (std::size_t i = 0; i < frames.size(); ++i) {
        drawImage(sheet, frames[i], static_cast<int>(i) * frames[0].width, 0);
    }
    return sheet;
}

std::vector<std::uint8_t> toRgba8(const Image& image) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(image.pixels.size() * 4);
    for (const Rgba& p : image.pixels) {
        const bool clear = toByte(p.a) == 0;
        // Fully clear pixels store black so equal pictures give equal bytes.
        bytes.push_back(clear ? 0 : toByte(p.r));
        bytes.push_back(clear ? 0 : toByte(p.g));
        bytes.push_back(clear ? 0 : toByte(p.b));
        bytes.push_back(toByte(p.a));
    }
    return bytes;
}
