// The vector block kernels against the per-pixel reference: on random blocks, split by random
// diagonals, every kernel this processor runs must draw exactly the same pixels, clamping
// included.

#include "platform/sdl/soft_raster_block.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

constexpr std::int64_t levels = 256 << 16;

struct BlockCase {
    std::vector<std::uint32_t> texels, frame;
    RasterTexture texture;
    RasterShading shading;
    RasterBlock block;
};

std::int64_t uniform(std::mt19937& random, std::int64_t low, std::int64_t high) {
    return std::uniform_int_distribution<std::int64_t>(low, high)(random);
}

// Mostly opaque and clear, as in hall pictures, with every value possible.
std::uint32_t randomPixel(std::mt19937& random) {
    const std::uint32_t bits = static_cast<std::uint32_t>(random());
    const std::uint32_t alphas[4] = {0x00u, 0xFFu, bits >> 24, bits >> 24};
    return alphas[random() % 4] << 24 | (bits & 0xFFFFFFu);
}

// The attribute a of plane p: inside [0, limit) over the whole block when inside is set, else
// anywhere in 32 bits, often far outside.
void randomPlane(std::mt19937& random, RasterBlock& b, int p, int a, std::int64_t limit,
                 bool inside) {
    const std::int64_t reach = inside ? limit - 1 : std::int64_t{1} << 28;
    for (;;) {
        const std::int64_t v =
            inside ? uniform(random, 0, limit - 1) : uniform(random, -reach, reach);
        b.value[p][a] = v;
        b.dx[p][a] = (uniform(random, -reach, reach) - v / 2) / std::max(b.width - 1, 1);
        b.dy[p][a] = (uniform(random, -reach, reach) - v / 2) / std::max(b.height - 1, 1);
        const std::int64_t right = b.dx[p][a] * (b.width - 1), down = b.dy[p][a] * (b.height - 1);
        bool fits = true;
        for (const std::int64_t corner : {v, v + right, v + down, v + right + down}) {
            fits = fits && (!inside || (corner >= 0 && corner < limit));
        }
        if (fits) {
            return;
        }
    }
}

// A diagonal crossing the rows anywhere, in either direction, or none.
RasterEdgeRows randomSplit(std::mt19937& random, int x0, int width) {
    if (random() % 4 == 0) {
        return wholeRows(x0, x0 + width);
    }
    RasterEdgeRows rows = wholeRows(x0, x0 + width);
    const std::int64_t sign = random() % 2 == 0 ? 1 : -1;
    rows.step = random() % 8 == 0 ? 0 : sign * uniform(random, 1, 1000);
    rows.divisor = rows.step != 0 ? std::abs(rows.step) : 1;
    rows.quotient = uniform(random, -width, width);
    rows.remainder = uniform(random, 0, rows.divisor - 1);
    rows.quotientStep = uniform(random, -3, 3);
    rows.remainderStep = uniform(random, 0, rows.divisor - 1);
    return rows;
}

void makeCase(std::mt19937& random, BlockCase& c, RasterFetch fetch, RasterTint tint, bool additive,
              bool coloursInside) {
    RasterBlock& b = c.block;
    b.width = static_cast<int>(uniform(random, 1, 60));
    b.height = static_cast<int>(uniform(random, 1, 12));
    b.stride = b.width + static_cast<int>(uniform(random, 0, 9));
    c.frame.resize(static_cast<std::size_t>(b.stride) * b.height + rasterSpareCount);
    for (std::uint32_t& p : c.frame) {
        p = randomPixel(random);
    }
    b.pixel = c.frame.data();
    b.split = randomSplit(random, static_cast<int>(uniform(random, 0, 500)), b.width);
    b.coloursInside = coloursInside;
    for (int p = 0; p < 2; ++p) {
        for (int a = 0; a < rasterAttributeU; ++a) {
            randomPlane(random, b, p, a, levels, coloursInside);
        }
    }
    const int width = static_cast<int>(uniform(random, 1, 64));
    c.texels.resize(static_cast<std::size_t>(width) * uniform(random, 1, 40));
    for (std::uint32_t& t : c.texels) {
        t = randomPixel(random);
    }
    c.texture = RasterTexture{c.texels.data(), width, static_cast<int>(c.texels.size()) / width};
    const bool inside = fetch == RasterFetch::row || random() % 2 == 0;
    randomPlane(random, b, 0, rasterAttributeU, std::int64_t{c.texture.width} << 16, inside);
    randomPlane(random, b, 0, rasterAttributeV, std::int64_t{c.texture.height} << 16, inside);
    if (fetch == RasterFetch::row) {
        // A texel a pixel along each row, starting anywhere in the first texel and sliding by up
        // to two texels over the rows.
        b.value[0][rasterAttributeU] = uniform(random, 0, 1 << 16);
        b.dx[0][rasterAttributeU] = 1 << 16;
        b.dy[0][rasterAttributeU] = uniform(random, 0, 2 << 16) / std::max(b.height - 1, 1);
        c.texture.width = std::max(c.texture.width, b.width + 4);
        c.texels.resize(static_cast<std::size_t>(c.texture.width) * c.texture.height);
        c.texture.pixels = c.texels.data();
    }
    if (fetch == RasterFetch::row || fetch == RasterFetch::level) {
        b.dx[0][rasterAttributeV] = 0;
    }
    c.shading.texture = fetch == RasterFetch::none ? nullptr : &c.texture;
    c.shading.tint = tint;
    c.shading.colour = tint == RasterTint::white ? 0xFFFFFFFFu : randomPixel(random);
    c.shading.additive = additive;
}

void expectSameAsReference(RasterBlockKernel (*kernelOf)(const RasterBlockKind&)) {
    std::mt19937 random(20261208);
    for (RasterFetch fetch :
         {RasterFetch::none, RasterFetch::row, RasterFetch::level, RasterFetch::gather}) {
        for (RasterTint tint : {RasterTint::white, RasterTint::flat, RasterTint::smooth}) {
            for (int variant = 0; variant < 4; ++variant) {
                const bool additive = variant % 2 == 1, coloursInside = variant >= 2;
                for (int round = 0; round < 150; ++round) {
                    BlockCase c;
                    makeCase(random, c, fetch, tint, additive, coloursInside);
                    RasterBlockKind kind;
                    ASSERT_TRUE(blockKindOf(c.block, c.shading, kind));
                    if (fetch == RasterFetch::row) {
                        ASSERT_EQ(kind.fetch, RasterFetch::row);
                    }
                    const std::vector<std::uint32_t> before = c.frame;
                    shadeBlockReference(c.block, c.shading);
                    const std::vector<std::uint32_t> expected = c.frame;
                    c.frame = before;
                    kernelOf(kind)(c.block, c.shading);
                    ASSERT_EQ(c.frame, expected)
                        << "fetch " << static_cast<int>(fetch) << ", tint "
                        << static_cast<int>(tint) << ", variant " << variant << ", round " << round;
                }
            }
        }
    }
}

TEST(SoftRasterBlock, PortableKernelsDrawExactlyWhatThePerPixelShadingDraws) {
    expectSameAsReference(&portableBlockKernel);
}

TEST(SoftRasterBlock, Avx2KernelsDrawExactlyWhatThePerPixelShadingDraws) {
    if (avx2BlockKernel(RasterBlockKind{}) == nullptr) {
        GTEST_SKIP() << "this processor has no AVX2";
    }
    expectSameAsReference(&avx2BlockKernel);
}

TEST(SoftRasterBlock, ValuesBeyondThirtyTwoBitsAreLeftToTheReference) {
    std::vector<std::uint32_t> frame(64 + rasterSpareCount);
    RasterBlock block;
    block.pixel = frame.data();
    block.stride = block.width = 8;
    block.height = 8;
    block.split = wholeRows(0, 8);
    RasterShading shading;
    shading.tint = RasterTint::smooth;
    RasterBlockKind kind;
    EXPECT_TRUE(blockKindOf(block, shading, kind));
    block.dy[1][2] = std::int64_t{1} << 29; // the last row's blue: 7 * 2^29, past 2^31
    EXPECT_FALSE(blockKindOf(block, shading, kind));
    shading.tint = RasterTint::flat; // colours unused
    EXPECT_TRUE(blockKindOf(block, shading, kind));
}

} // namespace
