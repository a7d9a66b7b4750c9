#pragma once

#include <cstdint>
#include <vector>

// A colour with straight (not premultiplied) alpha; every channel 0..1.
struct Rgba {
    float r = 0, g = 0, b = 0, a = 0;
};

struct Image;
// A clear picture of w × h units at `unit` pixels per unit.
Image designImage(int w, int h, float unit);

// Builds a colour from 0xRRGGBB and an alpha 0..1.
Rgba rgb(std::uint32_t hex, float alpha = 1.0f);
Rgba mix(Rgba a, Rgba b, float t);
// Multiplies the colour channels (not alpha) by k, clamped to 0..1.
Rgba shade(Rgba c, float k);
Rgba withAlpha(Rgba c, float alpha);

// A picture being drawn: width × height pixels, row-major from the top-left.
struct Image {
    int width = 0, height = 0;
    std::vector<Rgba> pixels;
    // Pixels per drawing unit: pictures are designed in units and drawn at any scale.
    float unit = 1.0f;

    Image() = default;
    Image(int w, int h, Rgba fill = {});
    Rgba& at(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
    const Rgba& at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// Source-over compositing of straight-alpha colours, scaled by coverage 0..1.
void blendOver(Rgba& dst, Rgba src, float coverage = 1.0f);
// Places src with its top-left corner at (x, y), source-over, clipped to dst.
void drawImage(Image& dst, const Image& src, int x, int y);
// Places src scaled by an integer factor (nearest neighbour), source-over.
void drawImageScaled(Image& dst, const Image& src, int x, int y, int factor);
// Pastes frames side by side: frame i lands at (i × frame width, 0).
Image joinFrames(const std::vector<Image>& frames);
// Packs the picture as 8-bit RGBA rows; channels are rounded, so output is stable.
std::vector<std::uint8_t> toRgba8(const Image& image);
