#pragma once
// One span of a quad: a run of pixels along a frame row whose colour and texture coordinates
// change by a fixed step from pixel to pixel. shadeSpanReference defines the result pixel by
// pixel; the vector kernels draw the same spans several pixels at a time, bit for bit the same.

#include "platform/sdl/soft_raster.h"

#include <cstdint>

// Red, green, blue, alpha in levels (0..255 in the whole part, with half a level added so that
// taking the whole part rounds), then u and v in texels: all 16.16 fixed point.
constexpr int rasterAttributeCount = 6;
constexpr int rasterAttributeU = 4, rasterAttributeV = 5;
// Pixels past a span's end that a vector kernel may read and write back unchanged: every frame
// row is followed by at least that many spare pixels.
constexpr int rasterSpareCount = 7;

enum class RasterTint {
    white,  // textured only: the texels as they are
    flat,   // one colour for the whole quad
    smooth, // corner colours spread over the quad
};

struct RasterShading {
    const RasterTexture* texture = nullptr; // null: untextured
    RasterTint tint = RasterTint::white;
    std::uint32_t colour = 0xFFFFFFFFu; // 0xAARRGGBB of a white or flat tint
    bool additive = false;
};

struct RasterSpan {
    std::uint32_t* pixel = nullptr; // the first pixel
    int count = 0;
    std::int64_t value[rasterAttributeCount] = {}; // at the first pixel's centre
    const std::int64_t* step = nullptr;            // change per pixel to the right
};

// Shades every pixel on its own, clamping colours to 0..255 and texels to the texture's edge.
void shadeSpanReference(const RasterSpan& span, const RasterShading& shading);
// Blends a source pixel (straight alpha) onto the frame pixel, as every span does.
void blendPixel(std::uint32_t* pixel, std::uint32_t source, bool additive);

// True when the attribute a stays in [0, limit) over the whole span (16.16). Values and steps are
// small enough (under 2^41) that the last pixel's value cannot overflow.
inline bool rampStaysInside(const RasterSpan& span, int a, std::int64_t limit) {
    const std::int64_t last = span.value[a] + span.step[a] * (span.count - 1);
    const auto below = [&](std::int64_t x) {
        return static_cast<std::uint64_t>(x) < static_cast<std::uint64_t>(limit);
    };
    return below(span.value[a]) && below(last);
}

// True when every pixel's colour lies in 0..255 and its texel inside the texture, so that no
// pixel needs clamping: the only spans a vector kernel may shade.
inline bool spanStaysInside(const RasterSpan& span, const RasterShading& shading) {
    constexpr std::int64_t levels = 256 << 16;
    if (shading.tint == RasterTint::smooth &&
        !(rampStaysInside(span, 0, levels) && rampStaysInside(span, 1, levels) &&
          rampStaysInside(span, 2, levels) && rampStaysInside(span, 3, levels))) {
        return false;
    }
    const RasterTexture* t = shading.texture;
    return t == nullptr || (rampStaysInside(span, rasterAttributeU, std::int64_t{t->width} << 16) &&
                            rampStaysInside(span, rasterAttributeV, std::int64_t{t->height} << 16));
}

// A vector kernel for one kind of span, with the kind's shading.
using RasterSpanKernel = void (*)(const RasterSpan&, const RasterShading&);
struct RasterSpanKind {
    bool textured = false;
    RasterTint tint = RasterTint::flat;
    bool additive = false;
    bool level = false; // the texture is read along one of its rows (v does not change)
};

// Four pixels at a time in portable vector code (SSE2 on x86-64).
RasterSpanKernel portableSpanKernel(const RasterSpanKind& kind);
// Eight pixels at a time with AVX2; null where the processor lacks it or is not x86-64.
RasterSpanKernel avx2SpanKernel(const RasterSpanKind& kind);
// The fastest kernel this processor runs.
RasterSpanKernel fastSpanKernel(const RasterSpanKind& kind);
