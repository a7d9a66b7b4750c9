#pragma once
// Span kernels written once for any number of lanes (pixels shaded together). The file that
// includes this header compiles them for its own instruction set and supplies an Isa record:
//   lanes, Pixels, Halves       (from LaneTypes)
//   gather(texels, index)       the texels at index[k]
//   multiplyHigh(a, b)          the high 16 bits of each product of 16-bit halves
//   addSaturated(a, b)          each byte added, held to 255
//   noneSet(v, mask)            (v & mask) == 0 in every lane
//   allSet(v, mask)             (v & mask) == mask in every lane
// and may supply faster forms of the channel moves below (alphaGreen, spreadAlpha, opaqueAlpha,
// joinHalves), which the kernels then use.
// Everything here has internal linkage, so each file's copy keeps its instruction set. There are
// no lambdas: GCC would compile a lambda for the default instruction set.
//
// Units: a Pixels lane holds one 0xAARRGGBB pixel, or one 16.16 attribute (colour levels,
// texels). Channels are worked on in pairs, as the two 16-bit halves of a lane: "rb" holds red
// and blue (0x00RR00BB), "ag" alpha and green (0x00AA00GG).

#include "platform/sdl/soft_raster_span.h"

#include <cstring>

namespace {

// Spelled out for each width: GCC drops a vector size that depends on a template parameter.
template <int count>
struct LaneTypes;

template <>
struct LaneTypes<4> {
    static constexpr int lanes = 4;
    using Pixels = std::uint32_t __attribute__((vector_size(16)));
    using Halves = std::uint16_t __attribute__((vector_size(16)));
    using Signed = std::int32_t __attribute__((vector_size(16)));
};

template <>
struct LaneTypes<8> {
    static constexpr int lanes = 8;
    using Pixels = std::uint32_t __attribute__((vector_size(32)));
    using Halves = std::uint16_t __attribute__((vector_size(32)));
    using Signed = std::int32_t __attribute__((vector_size(32)));
};

constexpr std::uint32_t lowChannels = 0x00FF00FFu;
constexpr std::uint32_t alphaOfPair = 0x00FF0000u; // alpha's place in "ag"

template <class Isa>
[[gnu::always_inline]] inline typename Isa::Pixels splat(std::uint32_t x) {
    return typename Isa::Pixels{} + x;
}

template <class Isa>
[[gnu::always_inline]] inline typename Isa::Pixels laneIndex() {
    typename Isa::Pixels lane{};
    for (int k = 0; k < Isa::lanes; ++k) {
        lane[k] = static_cast<std::uint32_t>(k);
    }
    return lane;
}

// value + step * k in lane k: exact modulo 2^32, so exact for values that fit.
template <class Isa>
[[gnu::always_inline]] inline typename Isa::Pixels ramp(std::int64_t value, std::int64_t step) {
    return splat<Isa>(static_cast<std::uint32_t>(value)) +
           splat<Isa>(static_cast<std::uint32_t>(step)) * laneIndex<Isa>();
}

template <class Isa>
[[gnu::always_inline]] inline typename Isa::Pixels multiplyHalves(typename Isa::Pixels a,
                                                                  typename Isa::Pixels b) {
    using Halves = typename Isa::Halves;
    return reinterpret_cast<typename Isa::Pixels>(reinterpret_cast<Halves>(a) *
                                                  reinterpret_cast<Halves>(b));
}

// Each half divided by 255, rounded; exact for halves up to 255 * 255. With t = x + 128 that is
// (t + (t >> 8)) >> 8, which equals (t * 257) >> 16 for every such t.
template <class Isa>
[[gnu::always_inline]] inline typename Isa::Pixels divideBy255(typename Isa::Pixels x) {
    using Halves = typename Isa::Halves;
    const Halves t = reinterpret_cast<Halves>(x) + 128;
    return Isa::multiplyHigh(reinterpret_cast<typename Isa::Pixels>(t), splat<Isa>(0x01010101u));
}

// Alpha and green of 0xAARRGGBB pixels as the pair 0x00AA00GG.
template <class Isa>
[[gnu::always_inline]] inline typename Isa::Pixels alphaGreen(typename Isa::Pixels pixels) {
    if constexpr (requires { Isa::alphaGreen(pixels); }) {
        return Isa::alphaGreen(pixels);
    } else {
        return (pixels >> 8) & lowChannels;
    }
}

// The alpha of an alpha-green pair in both halves: 0x00AA00AA.
template <class Isa>
[[gnu::always_inline]] inline typename Isa::Pixels spreadAlpha(typename Isa::Pixels ag) {
    if constexpr (requires { Isa::spreadAlpha(ag); }) {
        return Isa::spreadAlpha(ag);
    } else {
        const typename Isa::Pixels alpha = ag >> 16;
        return alpha | (alpha << 16);
    }
}

// An alpha-green pair with alpha 255.
template <class Isa>
[[gnu::always_inline]] inline typename Isa::Pixels opaqueAlpha(typename Isa::Pixels ag) {
    if constexpr (requires { Isa::opaqueAlpha(ag); }) {
        return Isa::opaqueAlpha(ag);
    } else {
        return (ag & 0xFFFFu) | alphaOfPair;
    }
}

// The high half of high and the high half of low, moved down: the whole parts of two 16.16
// values under 2^24 as a channel pair.
template <class Isa>
[[gnu::always_inline]] inline typename Isa::Pixels joinHalves(typename Isa::Pixels high,
                                                              typename Isa::Pixels low) {
    if constexpr (requires { Isa::joinHalves(high, low); }) {
        return Isa::joinHalves(high, low);
    } else {
        return (high & 0xFFFF0000u) | (low >> 16);
    }
}

// A group of source pixels, straight alpha, as channel pairs.
template <class Isa>
struct Source {
    typename Isa::Pixels rb, ag;
};

template <class Isa>
[[gnu::always_inline]] inline Source<Isa> sourceOf(typename Isa::Pixels pixels) {
    return Source<Isa>{pixels & lowChannels, alphaGreen<Isa>(pixels)};
}

template <class Isa>
[[gnu::always_inline]] inline Source<Isa> modulate(typename Isa::Pixels texels,
                                                   const Source<Isa>& tint) {
    const Source<Isa> t = sourceOf<Isa>(texels);
    return Source<Isa>{divideBy255<Isa>(multiplyHalves<Isa>(t.rb, tint.rb)),
                       divideBy255<Isa>(multiplyHalves<Isa>(t.ag, tint.ag))};
}

// The source blended onto the frame's pixels.
template <class Isa, bool additive>
[[gnu::always_inline]] inline typename Isa::Pixels blended(typename Isa::Pixels frame,
                                                           const Source<Isa>& s) {
    using Pixels = typename Isa::Pixels;
    const Pixels alphas = spreadAlpha<Isa>(s.ag);
    if constexpr (additive) {
        // Only green is added in the alpha-green pair: the frame keeps its alpha.
        const Pixels green = divideBy255<Isa>(multiplyHalves<Isa>(s.ag, alphas)) & 0xFFFFu;
        const Pixels rb = divideBy255<Isa>(multiplyHalves<Isa>(s.rb, alphas));
        return Isa::addSaturated(frame, rb | (green << 8));
    } else {
        const Pixels frameRb = frame & lowChannels, frameAg = alphaGreen<Isa>(frame);
        // In the alpha half the source counts as 255: alpha becomes a + d * (1 - a).
        const Pixels sourceAg = opaqueAlpha<Isa>(s.ag);
        const Pixels rest = lowChannels - alphas; // 255 - a in both halves
        const Pixels rb = divideBy255<Isa>(multiplyHalves<Isa>(s.rb, alphas) +
                                           multiplyHalves<Isa>(frameRb, rest));
        const Pixels ag = divideBy255<Isa>(multiplyHalves<Isa>(sourceAg, alphas) +
                                           multiplyHalves<Isa>(frameAg, rest));
        return rb | (ag << 8);
    }
}

// A whole group. Most texels of hall pictures are opaque or clear: those groups need no
// arithmetic.
template <class Isa, bool additive>
[[gnu::always_inline]] inline void blendGroup(std::uint32_t* at, const Source<Isa>& s) {
    using Pixels = typename Isa::Pixels;
    if (Isa::noneSet(s.ag, splat<Isa>(alphaOfPair))) {
        return;
    }
    Pixels result;
    if (!additive && Isa::allSet(s.ag, splat<Isa>(alphaOfPair))) {
        result = s.rb | (s.ag << 8);
    } else {
        Pixels frame;
        std::memcpy(&frame, at, sizeof frame);
        result = blended<Isa, additive>(frame, s);
    }
    std::memcpy(at, &result, sizeof result);
}

// The first count pixels of a group; the rest are written back as they were.
template <class Isa, bool additive>
[[gnu::always_inline]] inline void blendPart(std::uint32_t* at, int count, const Source<Isa>& s) {
    using Pixels = typename Isa::Pixels;
    Pixels frame;
    std::memcpy(&frame, at, sizeof frame);
    const Pixels kept =
        reinterpret_cast<Pixels>(laneIndex<Isa>() >= static_cast<std::uint32_t>(count));
    const Pixels result = (blended<Isa, additive>(frame, s) & ~kept) | (frame & kept);
    std::memcpy(at, &result, sizeof result);
}

// The attributes of the current group of a span, stepped a group at a time.
template <class Isa, bool textured, RasterTint tint, bool level>
struct SpanWalk {
    using Pixels = typename Isa::Pixels;
    Pixels red{}, green{}, blue{}, alpha{}, colourStep[4]{}; // smooth tint: 16.16 levels
    Source<Isa> flatColour;                                  // flat tint
    Pixels u{}, v{}, uStep{}, vStep{};                       // texture: 16.16 texels
    std::uint32_t du = 0, dv = 0;                            // their change per pixel
    const std::uint32_t* texels = nullptr;                   // level: the texture row read
    std::uint32_t width = 0;

    [[gnu::always_inline]] SpanWalk(const RasterSpan& span, const RasterShading& shading) {
        const std::int64_t* step = span.step;
        if constexpr (tint == RasterTint::smooth) {
            red = ramp<Isa>(span.value[0], step[0]);
            green = ramp<Isa>(span.value[1], step[1]);
            blue = ramp<Isa>(span.value[2], step[2]);
            alpha = ramp<Isa>(span.value[3], step[3]);
#pragma GCC unroll 4
            for (int a = 0; a < 4; ++a) {
                colourStep[a] = splat<Isa>(static_cast<std::uint32_t>(step[a] * Isa::lanes));
            }
        }
        flatColour = sourceOf<Isa>(splat<Isa>(shading.colour));
        if constexpr (textured) {
            u = ramp<Isa>(span.value[rasterAttributeU], step[rasterAttributeU]);
            v = ramp<Isa>(span.value[rasterAttributeV], step[rasterAttributeV]);
            du = static_cast<std::uint32_t>(step[rasterAttributeU]);
            dv = static_cast<std::uint32_t>(step[rasterAttributeV]);
            uStep = splat<Isa>(static_cast<std::uint32_t>(step[rasterAttributeU] * Isa::lanes));
            vStep = splat<Isa>(static_cast<std::uint32_t>(step[rasterAttributeV] * Isa::lanes));
            width = static_cast<std::uint32_t>(shading.texture->width);
            texels = shading.texture->pixels;
            if (level) {
                texels += static_cast<std::size_t>(span.value[rasterAttributeV] >> 16) * width;
            }
        }
    }

    [[gnu::always_inline]] Source<Isa> colour() const {
        if constexpr (tint == RasterTint::smooth) {
            // The whole part of each level, moved into its half.
            return Source<Isa>{joinHalves<Isa>(red, blue), joinHalves<Isa>(alpha, green)};
        } else {
            return flatColour;
        }
    }

    [[gnu::always_inline]] Source<Isa> source() const {
        if constexpr (!textured) {
            return colour();
        } else {
            const Pixels index = level ? u >> 16 : (v >> 16) * width + (u >> 16);
            const Pixels texel = Isa::gather(texels, index);
            return tint == RasterTint::white ? sourceOf<Isa>(texel)
                                             : modulate<Isa>(texel, colour());
        }
    }

    [[gnu::always_inline]] void advance() {
        red += colourStep[0];
        green += colourStep[1];
        blue += colourStep[2];
        alpha += colourStep[3];
        u += uStep;
        v += vStep;
    }

    // Lanes past the pixel `last` read that pixel's texel, which is inside the texture; their
    // colours are computed but never stored.
    [[gnu::always_inline]] void holdAfter(int last) {
        const Pixels past =
            reinterpret_cast<Pixels>(laneIndex<Isa>() > static_cast<std::uint32_t>(last));
        const std::uint32_t k = static_cast<std::uint32_t>(last);
        u = (u & ~past) | (splat<Isa>(u[0] + du * k) & past);
        v = (v & ~past) | (splat<Isa>(v[0] + dv * k) & past);
    }
};

template <class Isa, bool textured, RasterTint tint, bool additive, bool level>
void shadeSpanLanes(const RasterSpan& span, const RasterShading& shading) {
    SpanWalk<Isa, textured, tint, level> walk(span, shading);
    // Local copies: the compiler cannot tell that the pixels written are not the span record.
    std::uint32_t* const pixel = span.pixel;
    const int count = span.count;
    int i = 0;
    for (; i + Isa::lanes <= count; i += Isa::lanes) {
        blendGroup<Isa, additive>(pixel + i, walk.source());
        walk.advance();
    }
    if (i < count) {
        walk.holdAfter(count - i - 1);
        blendPart<Isa, additive>(pixel + i, count - i, walk.source());
    }
}

template <class Isa, bool textured, RasterTint tint>
RasterSpanKernel kernelOfBlend(const RasterSpanKind& kind) {
    if (kind.additive) {
        return kind.level ? &shadeSpanLanes<Isa, textured, tint, true, true>
                          : &shadeSpanLanes<Isa, textured, tint, true, false>;
    }
    return kind.level ? &shadeSpanLanes<Isa, textured, tint, false, true>
                      : &shadeSpanLanes<Isa, textured, tint, false, false>;
}

template <class Isa, bool textured>
RasterSpanKernel kernelOfTint(const RasterSpanKind& kind) {
    switch (kind.tint) {
    case RasterTint::white:
        return kernelOfBlend < Isa, textured,
               textured ? RasterTint::white : RasterTint::flat > (kind);
    case RasterTint::flat:
        return kernelOfBlend<Isa, textured, RasterTint::flat>(kind);
    case RasterTint::smooth:
        return kernelOfBlend<Isa, textured, RasterTint::smooth>(kind);
    }
    return nullptr;
}

template <class Isa>
RasterSpanKernel kernelOf(const RasterSpanKind& kind) {
    return kind.textured ? kernelOfTint<Isa, true>(kind) : kernelOfTint<Isa, false>(kind);
}

} // namespace
