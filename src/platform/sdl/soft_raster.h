#pragma once
// A rasteriser of our own for the engine's quads and lines, drawing into a plain 0xAARRGGBB frame
// buffer. The SDL engine uses it when SDL only offers its software renderer, whose
// colour-interpolated textured triangles are far too slow for a lit hall.
//
// Pixel (x, y) covers [x, x + 1) x [y, y + 1) and is drawn when its centre lies inside a
// triangle. A centre exactly on an edge belongs to the triangle only if that is a top or a left
// edge, so quads that share an edge draw each pixel along it exactly once. Positions are snapped
// to 1/256 pixel first. A quad is drawn as the triangles (0, 1, 2) and (0, 2, 3), as a GPU draws
// it: colours and texture coordinates are interpolated linearly over each triangle.

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <new>
#include <vector>

struct RasterVertex {
    float x, y;           // frame-buffer pixels
    std::uint32_t colour; // 0xAARRGGBB
    float u, v;           // texture coordinates, 0..1 across the texture
};

// A texture's pixels, 0xAARRGGBB row by row; sampled at the nearest texel, clamped to the edge.
struct RasterTexture {
    const std::uint32_t* pixels = nullptr;
    int width = 0, height = 0;
};

enum class RasterBlend {
    alpha,    // dst = src * a + dst * (1 - a)
    additive, // dst = dst + src * a, saturating; the destination's alpha is kept
};

// Frame memory in huge pages where the system offers them: a quad's rows lie a frame's width
// apart, and with small pages each row needs its own address translation.
template <class T>
struct FrameAllocator {
    using value_type = T;
    FrameAllocator() = default;
    template <class U>
    FrameAllocator(const FrameAllocator<U>&) {}
    T* allocate(std::size_t count);
    void deallocate(T* pointer, std::size_t) { std::free(pointer); }
    friend bool operator==(const FrameAllocator&, const FrameAllocator&) { return true; }
};

// A frame: 0xAARRGGBB pixels row by row. Each row is followed by spare pixels that are never
// shown, so that the vector kernels may read and write back a few pixels past a row's end
// without touching the next row, which another thread may be drawing.
constexpr int frameRowSpare = 8;

struct FrameBuffer {
    int width = 0, height = 0;
    int stride = 0; // pixels from one row to the next: the width and the spare pixels
    std::vector<std::uint32_t, FrameAllocator<std::uint32_t>> pixels;
};

// The rows [first, end) of a frame and within them the columns [left, right). Drawing confined to
// an area gives exactly the pixels that drawing the whole frame gives there, so separate areas of
// a frame can be drawn at once, or drawn anew while the rest keeps its pixels.
struct RasterArea {
    int first = 0, end = INT_MAX;
    int left = 0, right = INT_MAX;
};

void resizeFrameBuffer(FrameBuffer& frame, int width, int height);
void clearFrameBuffer(FrameBuffer& frame, std::uint32_t colour, RasterArea area = {});
// The texel colour is multiplied by the interpolated vertex colour; a null texture draws the
// vertex colours alone. Quads with a position that is not a finite number are not drawn.
void rasteriseQuad(FrameBuffer& frame, const RasterVertex (&corner)[4],
                   const RasterTexture* texture, RasterBlend blend, RasterArea area = {});
// A one-pixel line from (x1, y1) to (x2, y2), both ends included, blended by alpha.
void rasteriseLine(FrameBuffer& frame, float x1, float y1, float x2, float y2, std::uint32_t colour,
                   RasterArea area = {});
