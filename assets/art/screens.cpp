#include "screens.h"

#include <algorithm>
#include <cmath>

#include "noise.h"
#include "paint.h"
#include "pieces.h"
#include "type_face.h"

namespace {

// The text as an alpha mask (white), centred on x = cx with its baseline at y.
Image textMask(const TypeFace& face, const std::string& text, int width, int height, float cx,
               float y) {
    Image mask(width, height);
    face.drawText(mask, cx - static_cast<float>(face.textWidth(text)) / 2, y, text, {1, 1, 1, 1});
    return mask;
}

// Coverage of the mask grown by `radius` pixels (a round dilation).
Image grow(const Image& mask, int radius) {
    Image out(mask.width, mask.height);
    for (int y = 0; y < mask.height; ++y) {
        for (int x = 0; x < mask.width; ++x) {
            float best = 0;
            for (int dy = -radius; dy <= radius; ++dy) {
                for (int dx = -radius; dx <= radius; ++dx) {
                    const int sx = x + dx, sy = y + dy;
                    if (sx < 0 || sy < 0 || sx >= mask.width || sy >= mask.height) {
                        continue;
                    }
                    const float fall =
                        std::clamp(static_cast<float>(radius) + 0.5f -
                                       std::hypot(static_cast<float>(dx), static_cast<float>(dy)),
                                   0.0f, 1.0f);
                    best = std::max(best, mask.at(sx, sy).a * fall);
                }
            }
            out.at(x, y) = {1, 1, 1, best};
        }
    }
    return out;
}

Image blur(const Image& mask, int radius) {
    Image out(mask.width, mask.height);
    const float count = static_cast<float>((2 * radius + 1) * (2 * radius + 1));
    for (int y = 0; y < mask.height; ++y) {
        for (int x = 0; x < mask.width; ++x) {
            float sum = 0;
            for (int dy = -radius; dy <= radius; ++dy) {
                for (int dx = -radius; dx <= radius; ++dx) {
                    const int sx = x + dx, sy = y + dy;
                    if (sx >= 0 && sy >= 0 && sx < mask.width && sy < mask.height) {
                        sum += mask.at(sx, sy).a;
                    }
                }
            }
            out.at(x, y) = {1, 1, 1, sum / count};
        }
    }
    return out;
}

// Lays `colour(x, y)` over the image where the mask covers it, scaled by `opacity`.
template <class Colour>
void paintMask(Image& image, const Image& mask, Colour colour, float opacity = 1.0f) {
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const float a = mask.at(x, y).a * opacity;
            if (a > 0) {
                blendOver(image.at(x, y), colour(static_cast<float>(x), static_cast<float>(y)), a);
            }
        }
    }
}

// The game places the logo by its hot spot (154, 129), so the design is centred there.
constexpr int logoCentre = 154;
constexpr float logoCentreX = 154.0f;

int fittingSize(const std::string& file, const std::string& text, int largest, int width) {
    for (int size = largest; size > 8; --size) {
        if (TypeFace(file, size).textWidth(text) <= width) {
            return size;
        }
    }
    return 8;
}

} // namespace

Image drawLogo(const std::string& title, const std::string& maker) {
    const int width = 329, height = 258;
    Image image(width, height);
    // A soft dark cloud keeps the logo readable over a bright hall.
    paintField(image, [](float x, float y) {
        const float r = std::hypot((x - logoCentreX) / 150.0f, (y - 129.0f) / 124.0f);
        return withAlpha(rgb(0x05070C), 0.5f * std::max(0.0f, 1.0f - r * r));
    });
    // The three pieces at one and a half times their size in the hall, set in a dark plate with
    // a brass rim: while the logo fades out over a level, they must not pass for pieces of it.
    const int pieceY = 26, pieceSize = 66, spacing = 80;
    auto plate = [](float x, float y) {
        return roundRectDistance(x, y, logoCentreX, 59.0f, 124.0f, 38.0f, 14.0f);
    };
    softShadow(image, plate, 2.0f, 3.0f, 4.0f, 0.6f);
    fillShape(image, plate, [&](float x, float y, float d) {
        const float rim = 1.0f - smoothstep(2.0f, 3.5f, -d);
        const float lit = bevelLight(d, normalOf(plate, x, y), 3.5f);
        const Rgba brass = shade(rgb(0xC8A050), 0.9f + 0.5f * lit);
        return mix(rgb(0x161A24), brass, rim);
    });
    drawImage(image, drawItem(Kind::ball, 1.5f), logoCentre - pieceSize / 2 - spacing, pieceY);
    drawImage(image, drawItem(Kind::box, 1.5f), logoCentre - pieceSize / 2, pieceY);
    drawImage(image, drawItem(Kind::spike, 1.5f), logoCentre - pieceSize / 2 + spacing, pieceY);

    const std::string serif = fontFolder() + "DejaVuSerif-Bold.ttf";
    const TypeFace titleFace(serif, fittingSize(serif, title, 64, 290));
    const float baseline = 164.0f;
    const Image mask = textMask(titleFace, title, width, height, logoCentreX, baseline);
    const Image outline = grow(mask, 2);
    paintMask(
        image, blur(grow(mask, 3), 4), [](float, float) { return rgb(0x000000); }, 0.8f);
    paintMask(image, outline, [](float, float) { return rgb(0x2A1408); });
    const float top = baseline - static_cast<float>(titleFace.ascender()) * 0.75f;
    paintMask(image, mask, [&](float, float y) {
        const float t = std::clamp((y - top) / (baseline - top), 0.0f, 1.0f);
        Rgba c = mix(rgb(0xFFF4C0), rgb(0xE89A30), t);
        if (std::abs(t - 0.45f) < 0.04f) {
            c = mix(c, rgb(0xFFFFFF), 0.5f); // a glint across the letters
        }
        return c;
    });

    const TypeFace makerFace(fontFolder() + "DejaVuSans.ttf", 17);
    const Image makerMask = textMask(makerFace, maker, width, height, logoCentreX, 210.0f);
    paintMask(
        image, blur(grow(makerMask, 1), 2), [](float, float) { return rgb(0x000000); }, 0.9f);
    paintMask(image, makerMask, [](float, float) { return rgb(0xD8DCE6); });
    return image;
}

Image drawBackdrop() {
    Image image(924, 924);
    paintField(image, [](float x, float y) {
        const float r = std::hypot(x - 462, y - 462) / 653.0f;
        return withAlpha(rgb(0x06080E), 0.55f + 0.35f * smoothstep(0.25f, 1.0f, r));
    });
    return image;
}

Image drawGrass() {
    constexpr int size = 500, grid = 100; // blades are scattered on a 5-pixel grid that wraps
    Image image(size, size);
    paintField(image, [](float x, float y) {
        const float patch = fractalNoise(x, y, 25.0f, 4, 17, size / 25);
        Rgba c = shade(rgb(0x6E9A52), 0.75f + 0.45f * patch);
        const int gx = static_cast<int>(x) / 5, gy = static_cast<int>(y) / 5;
        for (int j = -2; j <= 2; ++j) {
            for (int i = -2; i <= 2; ++i) {
                const int cx = gx + i, cy = gy + j;
                const int wx = (cx % grid + grid) % grid, wy = (cy % grid + grid) % grid;
                const float bx = static_cast<float>(cx) * 5 + 5 * hashNoise(wx, wy, 1);
                const float by = static_cast<float>(cy) * 5 + 5 * hashNoise(wx, wy, 2);
                const float angle = 2 * pi * hashNoise(wx, wy, 3);
                const float length = 4.0f + 5.0f * hashNoise(wx, wy, 4);
                const Vec2 a{bx, by},
                    b{bx + length * std::cos(angle), by + length * std::sin(angle)};
                const float d = segmentDistance(x, y, a, b);
                if (d < 0.9f) {
                    const float tone = 0.7f + 0.7f * hashNoise(wx, wy, 5);
                    c = mix(c, shade(rgb(0x7FB060), tone), 0.7f * (1.0f - d / 0.9f));
                }
            }
        }
        return c;
    });
    return image;
}
