// What a block is, pixel by pixel, and which kernel may draw it.

#include "platform/sdl/soft_raster_block.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace {

constexpr int largestSide = 1 << 16; // keeps a block's corner values well inside 64 bits

// True when the attribute a of plane p lies in [low, high] over the whole block: it changes
// linearly, so its extremes are at the corner pixels.
bool planeStaysWithin(const RasterBlock& b, int p, int a, std::int64_t low, std::int64_t high) {
    const std::int64_t right = b.dx[p][a] * (b.width - 1), down = b.dy[p][a] * (b.height - 1);
    const std::int64_t least =
        b.value[p][a] + std::min<std::int64_t>(right, 0) + std::min<std::int64_t>(down, 0);
    const std::int64_t most =
        b.value[p][a] + std::max<std::int64_t>(right, 0) + std::max<std::int64_t>(down, 0);
    return least >= low && most <= high;
}

bool fitsLanes(const RasterBlock& b, int p, int a) {
    return planeStaysWithin(b, p, a, std::numeric_limits<std::int32_t>::min(),
                            std::numeric_limits<std::int32_t>::max());
}

// The pixels [from, to) of row y under plane p's colours and the first plane's texels.
void shadeRowPart(const RasterBlock& b, const RasterShading& shading, int y, int p, int from,
                  int to) {
    if (to <= from) {
        return;
    }
    std::int64_t step[rasterAttributeCount];
    RasterSpan span;
    span.pixel = b.pixel + static_cast<std::size_t>(y) * b.stride + from;
    span.count = to - from;
    span.step = step;
    for (int a = 0; a < rasterAttributeCount; ++a) {
        const int plane = a < rasterAttributeU ? p : 0;
        step[a] = b.dx[plane][a];
        span.value[a] = b.value[plane][a] + b.dx[plane][a] * from + b.dy[plane][a] * y;
    }
    shadeSpanReference(span, shading);
}

} // namespace

bool blockKindOf(const RasterBlock& block, const RasterShading& shading, RasterBlockKind& kind) {
    if (block.width <= 0 || block.height <= 0 || block.width > largestSide ||
        block.height > largestSide) {
        return false;
    }
    kind.tint = shading.tint;
    kind.additive = shading.additive;
    kind.clampColours = !block.coloursInside;
    // Colours inside 0..255 fit; the lanes of the other plane may wrap, as they are not used.
    if (shading.tint == RasterTint::smooth && !block.coloursInside) {
        for (int p = 0; p < 2; ++p) {
            for (int c = 0; c < rasterAttributeU; ++c) {
                if (!fitsLanes(block, p, c)) {
                    return false;
                }
            }
        }
    }
    const RasterTexture* t = shading.texture;
    if (t == nullptr) {
        kind.fetch = RasterFetch::none;
        return true;
    }
    if (!fitsLanes(block, 0, rasterAttributeU) || !fitsLanes(block, 0, rasterAttributeV)) {
        return false;
    }
    constexpr std::int64_t oneTexel = 1 << 16;
    const bool level = block.dx[0][rasterAttributeV] == 0;
    const bool inside =
        planeStaysWithin(block, 0, rasterAttributeU, 0, std::int64_t{t->width} * oneTexel - 1) &&
        planeStaysWithin(block, 0, rasterAttributeV, 0, std::int64_t{t->height} * oneTexel - 1);
    kind.fetch = level && inside && block.dx[0][rasterAttributeU] == oneTexel ? RasterFetch::row
                 : level                                                      ? RasterFetch::level
                                                                              : RasterFetch::gather;
    return true;
}

void shadeBlockReference(const RasterBlock& block, const RasterShading& shading) {
    RasterEdgeRows split = block.split;
    for (int y = 0; y < block.height; ++y, split.down()) {
        int first = 0, end = 0;
        split.narrow(first, end);
        first -= split.x0;
        end -= split.x0;
        shadeRowPart(block, shading, y, 1, 0, first);
        shadeRowPart(block, shading, y, 0, first, end);
        shadeRowPart(block, shading, y, 1, end, block.width);
    }
}
