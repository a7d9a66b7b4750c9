// Span shading one pixel at a time: the definition every vector kernel matches, and the shading
// of the rare spans that need clamping.

#include "platform/sdl/soft_raster_span.h"

#include <algorithm>

namespace {

std::uint32_t divideBy255(std::uint32_t x) { // rounded; exact for x <= 255 * 255
    x += 128;
    return (x + (x >> 8)) >> 8;
}

std::uint32_t channel(std::uint32_t argb, int shift) {
    return (argb >> shift) & 0xFF;
}

std::uint32_t modulate(std::uint32_t texel, std::uint32_t colour) {
    std::uint32_t result = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        result |= divideBy255(channel(texel, shift) * channel(colour, shift)) << shift;
    }
    return result;
}

// The whole part of a 16.16 value, held to 0..last.
std::uint32_t wholeClamped(std::int64_t value, std::int64_t last) {
    return static_cast<std::uint32_t>(std::clamp<std::int64_t>(value >> 16, 0, last));
}

std::uint32_t tintAt(const RasterSpan& span, int k) {
    auto level = [&](int a) { return wholeClamped(span.value[a] + span.step[a] * k, 255); };
    return level(3) << 24 | level(0) << 16 | level(1) << 8 | level(2);
}

std::uint32_t texelAt(const RasterSpan& span, const RasterTexture& t, int k) {
    const std::uint32_t u =
        wholeClamped(span.value[rasterAttributeU] + span.step[rasterAttributeU] * k, t.width - 1);
    const std::uint32_t v =
        wholeClamped(span.value[rasterAttributeV] + span.step[rasterAttributeV] * k, t.height - 1);
    return t.pixels[static_cast<std::size_t>(v) * t.width + u];
}

} // namespace

void blendPixel(std::uint32_t* pixel, std::uint32_t source, bool additive) {
    const std::uint32_t frame = *pixel, a = source >> 24;
    std::uint32_t result = additive ? frame & 0xFF000000u
                                    : divideBy255(255 * a + channel(frame, 24) * (255 - a)) << 24;
    for (int shift = 0; shift < 24; shift += 8) {
        const std::uint32_t s = channel(source, shift), d = channel(frame, shift);
        const std::uint32_t mixed =
            additive ? std::min(255u, divideBy255(s * a) + d) : divideBy255(s * a + d * (255 - a));
        result |= mixed << shift;
    }
    *pixel = result;
}

void shadeSpanReference(const RasterSpan& span, const RasterShading& shading) {
    const RasterTexture* t = shading.texture;
    for (int k = 0; k < span.count; ++k) {
        const std::uint32_t tint =
            shading.tint == RasterTint::smooth ? tintAt(span, k) : shading.colour;
        const std::uint32_t source = t == nullptr ? tint
                                     : shading.tint == RasterTint::white
                                         ? texelAt(span, *t, k)
                                         : modulate(texelAt(span, *t, k), tint);
        blendPixel(span.pixel + k, source, shading.additive);
    }
}
