#pragma once
// Block kernels written once for any number of lanes, on top of the span kernels' pieces
// (soft_raster_kernels.h); the including file supplies the Isa record as for those. A block's
// rows are walked inside the kernel, so the lane ramps are set up once per block and only
// stepped from row to row. Values are clamped in the lanes as the reference clamps them, so no
// block needs the per-pixel fallback.

#include "platform/sdl/soft_raster_block.h"
#include "platform/sdl/soft_raster_kernels.h"

namespace {

// Rows of a block are too short for the processor to see the pattern and fetch the frame
// ahead: asking for a row a little before it is drawn saves most of the waiting.
constexpr int blockPrefetchRows = 8;

// The lane values of a block's group of pixels: each plane's red, green, blue and alpha levels
// and the first plane's texture coordinates, 16.16 modulo 2^32.
template <class Isa>
struct BlockLanes {
    typename Isa::Pixels colour[2][4];
    typename Isa::Pixels u, v;
};

// The lanes at the block's first group.
template <class Isa>
[[gnu::always_inline]] inline BlockLanes<Isa> firstLanes(const RasterBlock& block) {
    BlockLanes<Isa> l;
#pragma GCC unroll 2
    for (int p = 0; p < 2; ++p) {
#pragma GCC unroll 4
        for (int c = 0; c < 4; ++c) {
            l.colour[p][c] = ramp<Isa>(block.value[p][c], block.dx[p][c]);
        }
    }
    l.u = ramp<Isa>(block.value[0][rasterAttributeU], block.dx[0][rasterAttributeU]);
    l.v = ramp<Isa>(block.value[0][rasterAttributeV], block.dx[0][rasterAttributeV]);
    return l;
}

// The lanes' change over `times` steps.
template <class Isa>
[[gnu::always_inline]] inline BlockLanes<Isa>
laneSteps(const std::int64_t (&step)[2][rasterAttributeCount], int times) {
    BlockLanes<Isa> l;
#pragma GCC unroll 2
    for (int p = 0; p < 2; ++p) {
#pragma GCC unroll 4
        for (int c = 0; c < 4; ++c) {
            l.colour[p][c] = splat<Isa>(static_cast<std::uint32_t>(step[p][c] * times));
        }
    }
    l.u = splat<Isa>(static_cast<std::uint32_t>(step[0][rasterAttributeU] * times));
    l.v = splat<Isa>(static_cast<std::uint32_t>(step[0][rasterAttributeV] * times));
    return l;
}

template <class Isa, RasterFetch fetch, RasterTint tint>
[[gnu::always_inline]] inline void addLanes(BlockLanes<Isa>& to, const BlockLanes<Isa>& step) {
    if constexpr (tint == RasterTint::smooth) {
#pragma GCC unroll 2
        for (int p = 0; p < 2; ++p) {
#pragma GCC unroll 4
            for (int c = 0; c < 4; ++c) {
                to.colour[p][c] += step.colour[p][c];
            }
        }
    }
    if constexpr (fetch == RasterFetch::level || fetch == RasterFetch::gather) {
        to.u += step.u;
    }
    if constexpr (fetch == RasterFetch::gather) {
        to.v += step.v;
    }
}

// Signed 16.16 lanes held to [0, high].
template <class Isa>
[[gnu::always_inline]] inline typename Isa::Pixels clampLanes(typename Isa::Pixels x,
                                                              std::uint32_t high) {
    using Signed = typename Isa::Signed;
    Signed s = reinterpret_cast<Signed>(x);
    const Signed zero{}, top = zero + static_cast<std::int32_t>(high);
    s = s < zero ? zero : s;
    s = s > top ? top : s;
    return reinterpret_cast<typename Isa::Pixels>(s);
}

// The colour of each lane: the first plane's inside the mask, the second's outside.
template <class Isa, bool clamp>
[[gnu::always_inline]] inline Source<Isa> blockColour(const BlockLanes<Isa>& l,
                                                      typename Isa::Pixels inFirst) {
    using Pixels = typename Isa::Pixels;
    using Signed = typename Isa::Signed;
    constexpr std::uint32_t lastLevel = (256u << 16) - 1;
    const Signed first = reinterpret_cast<Signed>(inFirst);
    Pixels level[4];
#pragma GCC unroll 4
    for (int c = 0; c < 4; ++c) {
        level[c] = first != 0 ? l.colour[0][c] : l.colour[1][c];
        if constexpr (clamp) {
            level[c] = clampLanes<Isa>(level[c], lastLevel);
        }
    }
    return Source<Isa>{joinHalves<Isa>(level[0], level[2]), joinHalves<Isa>(level[3], level[1])};
}

// The texture row a row of the block reads (row and level fetches), and for the row fetch the
// texel of the row's first pixel.
template <RasterFetch fetch>
[[gnu::always_inline]] inline const std::uint32_t* blockRowTexels(const RasterBlock& block,
                                                                  const RasterTexture& t, int y) {
    const std::int64_t u = block.value[0][rasterAttributeU] + block.dy[0][rasterAttributeU] * y;
    const std::int64_t v = block.value[0][rasterAttributeV] + block.dy[0][rasterAttributeV] * y;
    if constexpr (fetch == RasterFetch::row) { // inside the texture, as blockKindOf checked
        return t.pixels + (v >> 16) * t.width + (u >> 16);
    } else {
        const std::int64_t row = v < 0 ? 0 : v >> 16 >= t.height ? t.height - 1 : v >> 16;
        return t.pixels + row * t.width;
    }
}

// The texels of the group at pixel i of a row; count of them for the last group of a row.
template <class Isa, RasterFetch fetch>
[[gnu::always_inline]] inline typename Isa::Pixels
blockTexels(const BlockLanes<Isa>& l, const std::uint32_t* rowTexels, const RasterTexture& t, int i,
            int count) {
    using Pixels = typename Isa::Pixels;
    Pixels texel;
    if constexpr (fetch == RasterFetch::row) {
        if (count == Isa::lanes) {
            std::memcpy(&texel, rowTexels + i, sizeof texel);
        } else { // lanes past the row's end read its last texel
            const Pixels last = splat<Isa>(static_cast<std::uint32_t>(count - 1));
            const Pixels lane = laneIndex<Isa>();
            texel = Isa::gather(rowTexels + i, lane < last ? lane : last);
        }
    } else {
        const std::uint32_t lastU = (static_cast<std::uint32_t>(t.width) << 16) - 1;
        Pixels index = clampLanes<Isa>(l.u, lastU) >> 16;
        if constexpr (fetch == RasterFetch::gather) {
            const std::uint32_t lastV = (static_cast<std::uint32_t>(t.height) << 16) - 1;
            index += (clampLanes<Isa>(l.v, lastV) >> 16) * static_cast<std::uint32_t>(t.width);
        }
        texel = Isa::gather(rowTexels, index);
    }
    return texel;
}

template <class Isa, RasterFetch fetch, RasterTint tint, bool clamp>
[[gnu::always_inline]] inline Source<Isa>
blockSource(const BlockLanes<Isa>& l, typename Isa::Pixels inFirst, const Source<Isa>& flat,
            const std::uint32_t* rowTexels, const RasterTexture* t, int i, int count) {
    const Source<Isa> colour =
        tint == RasterTint::smooth ? blockColour<Isa, clamp>(l, inFirst) : flat;
    if constexpr (fetch == RasterFetch::none) {
        return colour;
    } else {
        const typename Isa::Pixels texel = blockTexels<Isa, fetch>(l, rowTexels, *t, i, count);
        return tint == RasterTint::white ? sourceOf<Isa>(texel) : modulate<Isa>(texel, colour);
    }
}

inline void prefetchBlockRow(const std::uint32_t* row, int width) {
    for (int x = 0; x < width; x += 16) {
        __builtin_prefetch(row + x, 1);
    }
    __builtin_prefetch(row + width - 1, 1);
}

template <class Isa, RasterFetch fetch, RasterTint tint, bool additive, bool clamp>
void shadeBlockLanes(const RasterBlock& block, const RasterShading& shading) {
    using Pixels = typename Isa::Pixels;
    constexpr int lanes = Isa::lanes;
    BlockLanes<Isa> row = firstLanes<Isa>(block);
    const BlockLanes<Isa> across = laneSteps<Isa>(block.dx, lanes);
    const BlockLanes<Isa> down = laneSteps<Isa>(block.dy, 1);
    const Source<Isa> flat = sourceOf<Isa>(splat<Isa>(shading.colour));
    const RasterTexture* t = shading.texture;
    const int width = block.width;
    RasterEdgeRows split = block.split;
    for (int y = 0; y < blockPrefetchRows && y < block.height; ++y) {
        prefetchBlockRow(block.pixel + static_cast<std::size_t>(y) * block.stride, width);
    }
    for (int y = 0; y < block.height; ++y) {
        std::uint32_t* const pixel = block.pixel + static_cast<std::size_t>(y) * block.stride;
        if (y + blockPrefetchRows < block.height) {
            prefetchBlockRow(pixel + blockPrefetchRows * block.stride, width);
        }
        int first = 0, end = 0;
        split.narrow(first, end);
        // Lane k of the group at pixel i is in the first plane when i + k - first < end - first.
        const Pixels firstLength = splat<Isa>(static_cast<std::uint32_t>(end - first));
        Pixels fromFirst =
            laneIndex<Isa>() - splat<Isa>(static_cast<std::uint32_t>(first - split.x0));
        const std::uint32_t* rowTexels = t != nullptr ? t->pixels : nullptr;
        if constexpr (fetch == RasterFetch::row || fetch == RasterFetch::level) {
            rowTexels = blockRowTexels<fetch>(block, *t, y);
        }
        BlockLanes<Isa> l = row;
        int i = 0;
        for (; i + lanes <= width; i += lanes) {
            const Pixels inFirst = reinterpret_cast<Pixels>(fromFirst < firstLength);
            blendGroup<Isa, additive>(pixel + i, blockSource<Isa, fetch, tint, clamp>(
                                                     l, inFirst, flat, rowTexels, t, i, lanes));
            addLanes<Isa, fetch, tint>(l, across);
            fromFirst += lanes;
        }
        if (i < width) {
            const Pixels inFirst = reinterpret_cast<Pixels>(fromFirst < firstLength);
            blendPart<Isa, additive>(
                pixel + i, width - i,
                blockSource<Isa, fetch, tint, clamp>(l, inFirst, flat, rowTexels, t, i, width - i));
        }
        addLanes<Isa, fetch, tint>(row, down);
        split.down();
    }
}

template <class Isa, RasterFetch fetch, RasterTint tint, bool clamp = true>
RasterBlockKernel blockKernelOfBlend(bool additive) {
    return additive ? &shadeBlockLanes<Isa, fetch, tint, true, clamp>
                    : &shadeBlockLanes<Isa, fetch, tint, false, clamp>;
}

template <class Isa, RasterFetch fetch>
RasterBlockKernel blockKernelOfTint(const RasterBlockKind& kind) {
    switch (kind.tint) {
    case RasterTint::white:
        return fetch == RasterFetch::none
                   ? blockKernelOfBlend<Isa, fetch, RasterTint::flat>(kind.additive)
                   : blockKernelOfBlend<Isa, fetch, RasterTint::white>(kind.additive);
    case RasterTint::flat:
        return blockKernelOfBlend<Isa, fetch, RasterTint::flat>(kind.additive);
    case RasterTint::smooth:
        return kind.clampColours
                   ? blockKernelOfBlend<Isa, fetch, RasterTint::smooth, true>(kind.additive)
                   : blockKernelOfBlend<Isa, fetch, RasterTint::smooth, false>(kind.additive);
    }
    return nullptr;
}

template <class Isa>
RasterBlockKernel blockKernelOf(const RasterBlockKind& kind) {
    switch (kind.fetch) {
    case RasterFetch::none:
        return blockKernelOfTint<Isa, RasterFetch::none>(kind);
    case RasterFetch::row:
        return blockKernelOfTint<Isa, RasterFetch::row>(kind);
    case RasterFetch::level:
        return blockKernelOfTint<Isa, RasterFetch::level>(kind);
    case RasterFetch::gather:
        return blockKernelOfTint<Isa, RasterFetch::gather>(kind);
    }
    return nullptr;
}

} // namespace
