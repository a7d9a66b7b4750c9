#pragma once
// A block: the rows of a rectangle along the axes, shaded in one call. Most of a hall's quads
// are such rectangles, about 44 pixels a side, and shading them row by row in separate spans
// spent more on setting up each span than on its pixels.
//
// A quad is drawn as two triangles, so each row of a block is split where the quad's diagonal
// crosses it: the pixels in [first, end) take their colours from the first plane, the others
// from the second. Texture coordinates come from the first plane everywhere: a block is only
// used when both triangles share them.

#include "platform/sdl/soft_raster_span.h"

#include <cstdint>

// Where an edge crosses the rows of the columns [x0, x1), row after row, without a division per
// row: for each row the columns [first, end) on the edge's inside. The crossing is the quotient
// floor(e / divisor) of the edge function e, which changes by a fixed amount from row to row, so
// the quotient is stepped with its remainder.
struct RasterEdgeRows {
    int x0 = 0, x1 = 0;
    // The edge function's change per column to the right: positive when the inside lies to the
    // right of the crossing, negative when to its left, 0 for an edge along the rows.
    std::int64_t step = 0;
    std::int64_t divisor = 1, quotient = 0, remainder = 0, quotientStep = 0, remainderStep = 0;

    void narrow(int& first, int& end) const {
        first = x0;
        end = x1;
        if (step > 0) {
            first += static_cast<int>(clampWide(-quotient, 0, x1 - x0));
        } else if (step < 0) {
            end = static_cast<int>(clampWide(x0 + quotient + 1, x0, x1));
        } else if (quotient < 0) { // along the rows: the quotient is e itself
            end = first;
        }
    }
    void down() {
        quotient += quotientStep;
        remainder += remainderStep;
        if (remainder >= divisor) {
            remainder -= divisor;
            ++quotient;
        }
    }

  private:
    static std::int64_t clampWide(std::int64_t x, std::int64_t low, std::int64_t high) {
        return x < low ? low : x > high ? high : x;
    }
};

// Every column of every row inside: a block under a single plane.
inline RasterEdgeRows wholeRows(int x0, int x1) {
    RasterEdgeRows rows;
    rows.x0 = x0;
    rows.x1 = x1;
    return rows;
}

struct RasterBlock {
    std::uint32_t* pixel = nullptr; // the top-left pixel
    int stride = 0;                 // pixels from one row to the next
    int width = 0, height = 0;
    RasterEdgeRows split; // in frame columns; its x0 is the block's left column
    // Each plane's values at the top-left pixel's centre and their change per pixel to the right
    // and down, 16.16 as in a span.
    std::int64_t value[2][rasterAttributeCount] = {};
    std::int64_t dx[2][rasterAttributeCount] = {};
    std::int64_t dy[2][rasterAttributeCount] = {};
    // Every pixel's colour lies in 0..255 under its own plane (the plane's values beyond its own
    // triangle need not): the kernels then skip holding the colours to that range.
    bool coloursInside = false;
};

// How a block kernel reads the texture.
enum class RasterFetch {
    none,   // untextured
    row,    // one texel to the next along a texture row: pixel for texel, read without gathering
    level,  // along one texture row at any pace
    gather, // anywhere
};

struct RasterBlockKind {
    RasterFetch fetch = RasterFetch::none;
    RasterTint tint = RasterTint::flat;
    bool additive = false;
    bool clampColours = true; // smooth tints only
};

// The kind of kernel for a block, or false when the vector kernels cannot draw it: they work
// modulo 2^32, so every value they use must fit in 32 bits. The row fetch also needs the block's
// texels inside the texture, since it does not clamp them.
bool blockKindOf(const RasterBlock& block, const RasterShading& shading, RasterBlockKind& kind);

// Shades every pixel on its own through the span reference: the definition of a block.
void shadeBlockReference(const RasterBlock& block, const RasterShading& shading);

using RasterBlockKernel = void (*)(const RasterBlock&, const RasterShading&);
RasterBlockKernel portableBlockKernel(const RasterBlockKind& kind);
RasterBlockKernel avx2BlockKernel(const RasterBlockKind& kind);
RasterBlockKernel fastBlockKernel(const RasterBlockKind& kind);
