// The vector span kernels against the per-pixel reference: on random spans every kernel this
// processor runs must draw exactly the same pixels.

#include "platform/sdl/soft_raster_span.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

struct SpanCase {
    std::vector<std::uint32_t> texels;
    RasterTexture texture;
    RasterShading shading;
    RasterSpan span;
    std::int64_t step[rasterAttributeCount] = {};
    std::vector<std::uint32_t> frame;
};

// A random value and step whose count pixels stay inside [0, limit), 16.16.
void randomRamp(std::mt19937& random, int count, std::int64_t limit, std::int64_t& value,
                std::int64_t& step, bool still) {
    std::uniform_int_distribution<std::int64_t> any(0, limit - 1);
    const std::int64_t first = any(random), last = still ? first : any(random);
    value = first;
    step = count > 1 ? (last - first) / (count - 1) : 0;
}

// Mostly opaque and clear texels and alphas, as in hall pictures, with every value possible.
std::uint32_t randomPixel(std::mt19937& random) {
    const std::uint32_t bits = static_cast<std::uint32_t>(random());
    const std::uint32_t alphas[4] = {0x00u, 0xFFu, bits >> 24, bits >> 24};
    return alphas[random() % 4] << 24 | (bits & 0xFFFFFFu);
}

void makeCase(std::mt19937& random, SpanCase& c, const RasterSpanKind& kind, int count) {
    const int width = static_cast<int>(1 + random() % 40);
    c.texels.resize(static_cast<std::size_t>(width) * (1 + random() % 40));
    for (std::uint32_t& t : c.texels) {
        t = randomPixel(random);
    }
    c.texture = RasterTexture{c.texels.data(), width, static_cast<int>(c.texels.size()) / width};
    c.shading.texture = kind.textured ? &c.texture : nullptr;
    c.shading.tint = kind.tint;
    c.shading.colour = kind.tint == RasterTint::white ? 0xFFFFFFFFu : randomPixel(random);
    c.shading.additive = kind.additive;
    for (int a = 0; a < rasterAttributeU; ++a) {
        randomRamp(random, count, 256 << 16, c.span.value[a], c.step[a], false);
    }
    randomRamp(random, count, std::int64_t{c.texture.width} << 16, c.span.value[rasterAttributeU],
               c.step[rasterAttributeU], false);
    randomRamp(random, count, std::int64_t{c.texture.height} << 16, c.span.value[rasterAttributeV],
               c.step[rasterAttributeV], kind.level);
    c.frame.resize(static_cast<std::size_t>(count) + rasterSpareCount);
    for (std::uint32_t& p : c.frame) {
        p = randomPixel(random);
    }
    c.span.pixel = c.frame.data();
    c.span.count = count;
    c.span.step = c.step;
}

std::vector<RasterSpanKind> everyKind() {
    std::vector<RasterSpanKind> kinds;
    for (bool additive : {false, true}) {
        for (RasterTint tint : {RasterTint::flat, RasterTint::smooth}) {
            kinds.push_back(RasterSpanKind{false, tint, additive, true});
        }
        for (RasterTint tint : {RasterTint::white, RasterTint::flat, RasterTint::smooth}) {
            for (bool level : {false, true}) {
                kinds.push_back(RasterSpanKind{true, tint, additive, level});
            }
        }
    }
    return kinds;
}

void expectSameAsReference(RasterSpanKernel (*kernelOf)(const RasterSpanKind&)) {
    std::mt19937 random(20261208);
    for (const RasterSpanKind& kind : everyKind()) {
        const RasterSpanKernel kernel = kernelOf(kind);
        ASSERT_NE(kernel, nullptr);
        for (int round = 0; round < 400; ++round) {
            SpanCase c;
            makeCase(random, c, kind, 1 + static_cast<int>(random() % 50));
            ASSERT_TRUE(spanStaysInside(c.span, c.shading));
            const std::vector<std::uint32_t> before = c.frame;
            shadeSpanReference(c.span, c.shading);
            const std::vector<std::uint32_t> expected = c.frame;
            c.frame = before;
            kernel(c.span, c.shading);
            ASSERT_EQ(c.frame, expected)
                << "textured " << kind.textured << ", tint " << static_cast<int>(kind.tint)
                << ", additive " << kind.additive << ", level " << kind.level << ", round "
                << round;
        }
    }
}

TEST(SoftRasterSpan, PortableKernelsDrawExactlyWhatThePerPixelShadingDraws) {
    expectSameAsReference(&portableSpanKernel);
}

TEST(SoftRasterSpan, Avx2KernelsDrawExactlyWhatThePerPixelShadingDraws) {
    if (avx2SpanKernel(RasterSpanKind{}) == nullptr) {
        GTEST_SKIP() << "this processor has no AVX2";
    }
    expectSameAsReference(&avx2SpanKernel);
}

TEST(SoftRasterSpan, ReferenceBlendsRoundAndSaturate) {
    std::uint32_t pixel = 0xFF640000u;
    blendPixel(&pixel, 0x800000C8u, false); // blue 200 at alpha 128 over red 100
    EXPECT_EQ(pixel, 0xFF320064u);
    blendPixel(&pixel, 0xFFFFFFFFu, true);
    EXPECT_EQ(pixel, 0xFFFFFFFFu);
}

} // namespace
