// The software rasteriser: exact coverage from edge functions on snapped positions, then spans
// of pixels shaded by the vector kernels (soft_raster_kernels.h).

#include "platform/sdl/soft_raster.h"

#include "platform/sdl/soft_raster_block.h"
#include "platform/sdl/soft_raster_span.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <sys/mman.h>

namespace {

constexpr std::int64_t subPixel = 256;     // positions snap to 1/256 pixel
constexpr float positionLimit = 1 << 21;   // keeps products of edge functions inside 64 bits
constexpr double attributeLimit = 1 << 24; // levels or texels (per pixel), ample and overflow-safe
constexpr std::int64_t one = 1 << 16;      // attributes are 16.16 fixed point
constexpr int attributeCount = rasterAttributeCount;
constexpr int attributeU = rasterAttributeU, attributeV = rasterAttributeV;

struct Point {
    std::int64_t x, y; // 1/256 pixel
};

// An attribute over a triangle: its value at the centre of pixel (x0, y0) and its change per
// pixel to the right and down, all 16.16.
struct Plane {
    int x0 = 0, y0 = 0;
    std::int64_t origin[attributeCount] = {}, dx[attributeCount] = {}, dy[attributeCount] = {};

    std::int64_t at(int a, int x, int y) const {
        return origin[a] + dx[a] * (x - x0) + dy[a] * (y - y0);
    }
};

using Attributes = double[attributeCount];

// Rounds half away from zero, as llround does, without a library call: every quad rounds a few
// dozen values. Exact for |value| < 2^52, where value - whole part is exact.
std::int64_t roundToInteger(double value) {
    std::int64_t whole = static_cast<std::int64_t>(value); // towards zero
    const double rest = value - static_cast<double>(whole);
    whole += rest >= 0.5 ? 1 : 0;
    whole -= rest <= -0.5 ? 1 : 0;
    return whole;
}

std::int64_t snap(float value) {
    return roundToInteger(std::clamp(value, -positionLimit, positionLimit) * subPixel);
}

std::int64_t toFixed(double value) {
    return roundToInteger(std::clamp(value, -attributeLimit, attributeLimit) * one);
}

std::int64_t floorDiv(std::int64_t a, std::int64_t b) { // b > 0
    return a / b - (a % b != 0 && a < 0 ? 1 : 0);
}

std::int64_t ceilDiv(std::int64_t a, std::int64_t b) { // b > 0
    return -floorDiv(-a, b);
}

// The first pixel whose centre is at or right of (below) the fixed-point position.
int firstPixelFrom(std::int64_t position) {
    return static_cast<int>(ceilDiv(position - subPixel / 2, subPixel));
}

// The plane of the attributes the shading uses; the others stay 0.
Plane makePlane(const Point (&p)[3], const Attributes* (&values)[3], int x0, int y0,
                const RasterShading& shading) {
    const int from = shading.tint == RasterTint::smooth ? 0 : attributeU;
    const int to = shading.texture != nullptr ? attributeCount : attributeU;
    const double e1x = static_cast<double>(p[1].x - p[0].x) / subPixel;
    const double e1y = static_cast<double>(p[1].y - p[0].y) / subPixel;
    const double e2x = static_cast<double>(p[2].x - p[0].x) / subPixel;
    const double e2y = static_cast<double>(p[2].y - p[0].y) / subPixel;
    const double area = e1x * e2y - e2x * e1y;
    const double inverse = area != 0 ? 1 / area : 0;
    const double cx = x0 + 0.5 - static_cast<double>(p[0].x) / subPixel;
    const double cy = y0 + 0.5 - static_cast<double>(p[0].y) / subPixel;
    Plane plane;
    plane.x0 = x0;
    plane.y0 = y0;
    for (int a = from; a < to; ++a) {
        const double v0 = (*values[0])[a];
        const double d1 = (*values[1])[a] - v0, d2 = (*values[2])[a] - v0;
        const double gx = (d1 * e2y - d2 * e1y) * inverse;
        const double gy = (d2 * e1x - d1 * e2x) * inverse;
        // Colours carry half a level so that taking the whole part rounds them.
        const double bias = a < attributeU ? 0.5 : 0.0;
        plane.origin[a] = toFixed(v0 + gx * cx + gy * cy + bias);
        plane.dx[a] = toFixed(gx);
        plane.dy[a] = toFixed(gy);
    }
    return plane;
}

// --- Spans ----------------------------------------------------------------------------------

// The kernel for a plane's spans: the texture is read along one of its rows when v does not
// change along the frame's rows.
RasterSpanKernel kernelFor(const Plane& plane, const RasterShading& shading) {
    return fastSpanKernel(RasterSpanKind{shading.texture != nullptr, shading.tint, shading.additive,
                                         plane.dx[attributeV] == 0});
}

void shadeSpan(const RasterSpan& span, RasterSpanKernel kernel, const RasterShading& shading) {
    if (spanStaysInside(span, shading)) {
        kernel(span, shading);
    } else {
        shadeSpanReference(span, shading);
    }
}

// The span of count pixels from (x, y); row holds the plane's values at the row's pixel rowX.
void drawSpan(FrameBuffer& frame, const Plane& plane, const std::int64_t (&row)[attributeCount],
              int rowX, RasterSpanKernel kernel, int x, int y, int count,
              const RasterShading& shading) {
    if (count <= 0) {
        return;
    }
    RasterSpan span;
    span.pixel = &frame.pixels[static_cast<std::size_t>(y) * frame.stride + x];
    span.count = count;
    span.step = plane.dx;
#pragma GCC unroll 6 // once per row: the loop's own overhead would show
    for (int a = 0; a < attributeCount; ++a) {
        span.value[a] = row[a] + plane.dx[a] * (x - rowX);
    }
    shadeSpan(span, kernel, shading);
}

// The plane's values at the pixel (x, y).
struct PlaneRow {
    std::int64_t value[attributeCount];

    PlaneRow(const Plane& plane, int x, int y) {
        for (int a = 0; a < attributeCount; ++a) {
            value[a] = plane.at(a, x, y);
        }
    }
    void down(const Plane& plane) {
#pragma GCC unroll 6
        for (int a = 0; a < attributeCount; ++a) {
            value[a] += plane.dy[a];
        }
    }
};

// --- Coverage --------------------------------------------------------------------------------

// The edge from a to b of a triangle whose inside lies to the edge's right on screen (y down):
// e(p) = (b.x - a.x)(p.y - a.y) - (b.y - a.y)(p.x - a.x) is positive inside. A centre exactly on
// the edge counts only for a top edge (horizontal, inside below) or a left edge.
struct Edge {
    std::int64_t ax, ay, dx, dy;
    std::int64_t threshold; // 0 for a top or left edge, else 1

    Edge(Point a, Point b) : ax(a.x), ay(a.y), dx(b.x - a.x), dy(b.y - a.y) {
        threshold = dy < 0 || (dy == 0 && dx > 0) ? 0 : 1;
    }
    std::int64_t at(int px, int py) const {
        return dx * (py * subPixel + subPixel / 2 - ay) - dy * (px * subPixel + subPixel / 2 - ax);
    }
    // Narrows [first, end) of the pixels px of row py to those inside this edge.
    void narrow(int py, int& first, int& end) const {
        const std::int64_t e = at(first, py), step = -dy * subPixel;
        if (step > 0) {
            first += static_cast<int>(std::min<std::int64_t>(
                std::max<std::int64_t>(ceilDiv(threshold - e, step), 0), end - first));
        } else if (step < 0) {
            const std::int64_t last = floorDiv(e - threshold, -step); // offset of the last pixel
            end = static_cast<int>(std::clamp<std::int64_t>(first + last + 1, first, end));
        } else if (e < threshold) {
            end = first;
        }
    }
};

// Where the edge crosses the rows of [x0, x1) from row y on: the same pixels as Edge::narrow
// without a division per row. Both of narrow's cases take floor((e - threshold) / |step|), with
// e changing by a fixed amount from one row to the next.
RasterEdgeRows edgeRows(const Edge& edge, int x0, int x1, int y) {
    RasterEdgeRows rows;
    rows.x0 = x0;
    rows.x1 = x1;
    rows.step = -edge.dy * subPixel;
    const std::int64_t divisor = rows.step > 0 ? rows.step : -rows.step;
    rows.divisor = divisor != 0 ? divisor : 1;
    const std::int64_t e = edge.at(x0, y) - edge.threshold;
    rows.quotient = floorDiv(e, rows.divisor);
    rows.remainder = e - rows.quotient * rows.divisor;
    const std::int64_t change = edge.dx * subPixel;
    rows.quotientStep = floorDiv(change, rows.divisor);
    rows.remainderStep = change - rows.quotientStep * rows.divisor;
    return rows;
}

std::int64_t orientation(Point a, Point b, Point c) {
    return (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
}

struct PixelBox {
    int x0, y0, x1, y1; // [x0, x1) x [y0, y1)
};

// The pixels whose centres may lie inside [minX, maxX] x [minY, maxY], within the frame.
PixelBox pixelBox(const FrameBuffer& frame, const Point* p, int count, bool closedRight) {
    std::int64_t minX = p[0].x, maxX = p[0].x, minY = p[0].y, maxY = p[0].y;
    for (int i = 1; i < count; ++i) {
        minX = std::min(minX, p[i].x), maxX = std::max(maxX, p[i].x);
        minY = std::min(minY, p[i].y), maxY = std::max(maxY, p[i].y);
    }
    const int extra = closedRight ? 1 : 0;
    return PixelBox{std::max(firstPixelFrom(minX), 0), std::max(firstPixelFrom(minY), 0),
                    std::min(firstPixelFrom(maxX) + extra, frame.width),
                    std::min(firstPixelFrom(maxY) + extra, frame.height)};
}

// The part of the box inside the area. Planes are set up on the whole box, so that each pixel
// gets the same values whichever part of it is drawn.
PixelBox withinArea(PixelBox box, RasterArea area) {
    box.x0 = std::max(box.x0, area.left);
    box.x1 = std::min(box.x1, area.right);
    box.y0 = std::max(box.y0, area.first);
    box.y1 = std::min(box.y1, area.end);
    return box;
}

void drawTriangle(FrameBuffer& frame, RasterArea area, Point a, Point b, Point c,
                  const Attributes& va, const Attributes& vb, const Attributes& vc,
                  const RasterShading& shading) {
    const std::int64_t turn = orientation(a, b, c);
    if (turn == 0) {
        return;
    }
    Point p[3] = {a, b, c};
    const Attributes* values[3] = {&va, &vb, &vc};
    if (turn < 0) {
        std::swap(p[1], p[2]);
        std::swap(values[1], values[2]);
    }
    const PixelBox box = pixelBox(frame, p, 3, true), band = withinArea(box, area);
    if (band.x0 >= band.x1 || band.y0 >= band.y1) {
        return;
    }
    const Plane plane = makePlane(p, values, box.x0, box.y0, shading);
    const RasterSpanKernel kernel = kernelFor(plane, shading);
    const Edge edges[3] = {Edge(p[0], p[1]), Edge(p[1], p[2]), Edge(p[2], p[0])};
    PlaneRow row(plane, band.x0, band.y0);
    for (int y = band.y0; y < band.y1; ++y, row.down(plane)) {
        int first = band.x0, end = band.x1;
        for (const Edge& edge : edges) {
            edge.narrow(y, first, end);
        }
        drawSpan(frame, plane, row.value, band.x0, kernel, first, y, end - first, shading);
    }
}

// Corners that form a rectangle with sides along the axes, in either turn.
bool isAxisAligned(const Point (&p)[4]) {
    const bool rowsFirst =
        p[0].y == p[1].y && p[1].x == p[2].x && p[2].y == p[3].y && p[3].x == p[0].x;
    const bool columnsFirst =
        p[0].x == p[1].x && p[1].y == p[2].y && p[2].x == p[3].x && p[3].y == p[0].y;
    return rowsFirst || columnsFirst;
}

// True when the planes agree on the attributes [from, to), within the rounding of their setups.
bool samePlane(const Plane& a, const Plane& b, int from, int to) {
    constexpr std::int64_t tolerance = 4; // invisible
    for (int i = from; i < to; ++i) {
        if (std::abs(a.origin[i] - b.origin[i]) > tolerance ||
            std::abs(a.dx[i] - b.dx[i]) > tolerance || std::abs(a.dy[i] - b.dy[i]) > tolerance) {
            return false;
        }
    }
    return true;
}

// The plane as plane p of a block whose top-left pixel is (x, y).
void copyPlane(const Plane& plane, int x, int y, RasterBlock& block, int p) {
    for (int a = 0; a < attributeCount; ++a) {
        block.value[p][a] = plane.at(a, x, y);
    }
    std::copy(std::begin(plane.dx), std::end(plane.dx), block.dx[p]);
    std::copy(std::begin(plane.dy), std::end(plane.dy), block.dy[p]);
}

// True when the plane's colours at the corners p lie in 0..255: then so do they at every pixel
// centre between those corners, since a plane changes linearly.
bool coloursStayInside(const Plane& plane, const Point* p, int count) {
    constexpr double low = 2, high = (256 << 16) - 3; // a margin for rounding in doubles
    for (int i = 0; i < count; ++i) {
        const double x = static_cast<double>(p[i].x) / subPixel - (plane.x0 + 0.5);
        const double y = static_cast<double>(p[i].y) / subPixel - (plane.y0 + 0.5);
        for (int a = 0; a < attributeU; ++a) {
            const double value = static_cast<double>(plane.origin[a]) +
                                 static_cast<double>(plane.dx[a]) * x +
                                 static_cast<double>(plane.dy[a]) * y;
            if (!(value >= low && value <= high)) {
                return false;
            }
        }
    }
    return true;
}

// A rectangle along the axes: its pixels are known at once, and its rows are shaded as a block,
// split where the diagonal from corner 0 to corner 2 crosses them exactly as the two triangles
// would share them. Corners whose texture coordinates do not spread evenly over the whole
// rectangle are drawn as the two triangles.
void drawRectangle(FrameBuffer& frame, RasterArea area, const Point (&p)[4],
                   const Attributes (&v)[4], const RasterShading& shading) {
    const PixelBox box = pixelBox(frame, p, 4, false), band = withinArea(box, area);
    if (band.x0 >= band.x1 || band.y0 >= band.y1) {
        return;
    }
    const Point upper[3] = {p[0], p[1], p[2]}, lower[3] = {p[0], p[2], p[3]};
    const Attributes* upperValues[3] = {&v[0], &v[1], &v[2]};
    const Attributes* lowerValues[3] = {&v[0], &v[2], &v[3]};
    const Plane first = makePlane(upper, upperValues, box.x0, box.y0, shading);
    const Plane second = makePlane(lower, lowerValues, box.x0, box.y0, shading);
    if (shading.texture != nullptr && !samePlane(first, second, attributeU, attributeCount)) {
        drawTriangle(frame, area, p[0], p[1], p[2], v[0], v[1], v[2], shading);
        drawTriangle(frame, area, p[0], p[2], p[3], v[0], v[2], v[3], shading);
        return;
    }
    RasterBlock block;
    block.pixel = &frame.pixels[static_cast<std::size_t>(band.y0) * frame.stride + band.x0];
    block.stride = frame.stride;
    block.width = band.x1 - band.x0;
    block.height = band.y1 - band.y0;
    const bool onePlane = samePlane(first, second, 0, attributeU);
    // The diagonal as an edge of triangle (0, 1, 2) turned so that its inside is positive.
    const bool turned = orientation(p[0], p[1], p[2]) < 0;
    const Edge diagonal = turned ? Edge(p[0], p[2]) : Edge(p[2], p[0]);
    block.split =
        onePlane ? wholeRows(band.x0, band.x1) : edgeRows(diagonal, band.x0, band.x1, band.y0);
    copyPlane(first, band.x0, band.y0, block, 0);
    copyPlane(onePlane ? first : second, band.x0, band.y0, block, 1);
    block.coloursInside =
        shading.tint == RasterTint::smooth &&
        (onePlane ? coloursStayInside(first, p, 4)
                  : coloursStayInside(first, upper, 3) && coloursStayInside(second, lower, 3));
    RasterBlockKind kind;
    if (blockKindOf(block, shading, kind)) {
        fastBlockKernel(kind)(block, shading);
    } else {
        shadeBlockReference(block, shading);
    }
}

RasterShading shadingOf(const RasterVertex (&corner)[4], const RasterTexture* texture,
                        RasterBlend blend) {
    RasterShading shading;
    const bool usable = texture != nullptr && texture->pixels != nullptr && texture->width > 0 &&
                        texture->height > 0 && texture->width < 32768 && texture->height < 32768;
    shading.texture = usable ? texture : nullptr;
    shading.additive = blend == RasterBlend::additive;
    shading.colour = corner[0].colour;
    const bool flat = std::all_of(std::begin(corner), std::end(corner), [&](const RasterVertex& c) {
        return c.colour == corner[0].colour;
    });
    // Untextured quads never skip the tint: their colour is the whole picture.
    shading.tint = !flat                                       ? RasterTint::smooth
                   : corner[0].colour == 0xFFFFFFFFu && usable ? RasterTint::white
                                                               : RasterTint::flat;
    return shading;
}

} // namespace

template <>
std::uint32_t* FrameAllocator<std::uint32_t>::allocate(std::size_t count) {
    constexpr std::size_t hugePage = std::size_t{2} << 20;
    const std::size_t bytes = (count * sizeof(std::uint32_t) + hugePage - 1) / hugePage * hugePage;
    void* memory = std::aligned_alloc(hugePage, bytes);
    if (memory == nullptr) {
        throw std::bad_alloc();
    }
    madvise(memory, bytes, MADV_HUGEPAGE); // only advice: small pages work too
    return static_cast<std::uint32_t*>(memory);
}

void resizeFrameBuffer(FrameBuffer& frame, int width, int height) {
    static_assert(frameRowSpare >= rasterSpareCount, "the kernels' spare pixels fit in a row's");
    frame.width = std::max(width, 0);
    frame.height = std::max(height, 0);
    frame.stride = frame.width + frameRowSpare;
    frame.pixels.assign(static_cast<std::size_t>(frame.stride) * frame.height, 0xFF000000u);
}

namespace {

// Four pixels a store: the compiler fills a plain loop one pixel at a time.
void fillPixels(std::uint32_t* pixel, std::size_t count, std::uint32_t colour) {
    using Four = std::uint32_t __attribute__((vector_size(16)));
    const Four four = Four{} + colour;
    std::size_t i = 0;
    for (; i + 4 <= count; i += 4) {
        std::memcpy(pixel + i, &four, sizeof four);
    }
    std::fill(pixel + i, pixel + count, colour);
}

} // namespace

void clearFrameBuffer(FrameBuffer& frame, std::uint32_t colour, RasterArea area) {
    const int first = std::max(area.first, 0), end = std::min(area.end, frame.height);
    const int left = std::max(area.left, 0), right = std::min(area.right, frame.width);
    if (first >= end || left >= right) {
        return;
    }
    std::uint32_t* pixel = frame.pixels.data() + static_cast<std::size_t>(first) * frame.stride;
    if (left == 0 && right == frame.width) { // whole rows: their spare pixels too, in one run
        fillPixels(pixel, static_cast<std::size_t>(end - first) * frame.stride, colour);
        return;
    }
    for (int y = first; y < end; ++y, pixel += frame.stride) {
        fillPixels(pixel + left, static_cast<std::size_t>(right - left), colour);
    }
}

void rasteriseQuad(FrameBuffer& frame, const RasterVertex (&corner)[4],
                   const RasterTexture* texture, RasterBlend blend, RasterArea area) {
    for (const RasterVertex& c : corner) {
        if (!std::isfinite(c.x) || !std::isfinite(c.y)) {
            return;
        }
    }
    const RasterShading shading = shadingOf(corner, texture, blend);
    const double textureWidth = shading.texture != nullptr ? shading.texture->width : 0;
    const double textureHeight = shading.texture != nullptr ? shading.texture->height : 0;
    Point p[4];
    Attributes v[4];
    for (int i = 0; i < 4; ++i) {
        const RasterVertex& c = corner[i];
        p[i] = Point{snap(c.x), snap(c.y)};
        const double u = std::isfinite(c.u) ? c.u : 0, w = std::isfinite(c.v) ? c.v : 0;
        v[i][0] = (c.colour >> 16) & 0xFF;
        v[i][1] = (c.colour >> 8) & 0xFF;
        v[i][2] = c.colour & 0xFF;
        v[i][3] = c.colour >> 24;
        v[i][attributeU] = u * textureWidth;
        v[i][attributeV] = w * textureHeight;
    }
    if (isAxisAligned(p)) {
        drawRectangle(frame, area, p, v, shading);
    } else {
        drawTriangle(frame, area, p[0], p[1], p[2], v[0], v[1], v[2], shading);
        drawTriangle(frame, area, p[0], p[2], p[3], v[0], v[2], v[3], shading);
    }
}

namespace {

// Cuts the segment to the box [0, width] x [0, height]; false when nothing of it is inside.
bool clipSegment(float width, float height, float& x1, float& y1, float& x2, float& y2) {
    const float dx = x2 - x1, dy = y2 - y1;
    const float p[4] = {-dx, dx, -dy, dy};
    const float q[4] = {x1, width - x1, y1, height - y1};
    float t0 = 0, t1 = 1;
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) {
                return false;
            }
        } else if (const float r = q[i] / p[i]; p[i] < 0) {
            t0 = std::max(t0, r);
        } else {
            t1 = std::min(t1, r);
        }
    }
    if (t0 > t1) {
        return false;
    }
    const float sx = x1, sy = y1;
    x1 = sx + t0 * dx, y1 = sy + t0 * dy;
    x2 = sx + t1 * dx, y2 = sy + t1 * dy;
    return true;
}

} // namespace

void rasteriseLine(FrameBuffer& frame, float x1, float y1, float x2, float y2, std::uint32_t colour,
                   RasterArea area) {
    if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2) ||
        !clipSegment(static_cast<float>(frame.width), static_cast<float>(frame.height), x1, y1, x2,
                     y2)) {
        return;
    }
    // Bresenham between the pixels that hold the ends.
    int x = static_cast<int>(std::floor(x1)), y = static_cast<int>(std::floor(y1));
    const int xEnd = static_cast<int>(std::floor(x2)), yEnd = static_cast<int>(std::floor(y2));
    const int dx = std::abs(xEnd - x), dy = -std::abs(yEnd - y);
    const int sx = x < xEnd ? 1 : -1, sy = y < yEnd ? 1 : -1;
    int error = dx + dy;
    for (;;) {
        if (x >= 0 && x < frame.width && y >= 0 && y < frame.height && y >= area.first &&
            y < area.end && x >= area.left && x < area.right) {
            blendPixel(&frame.pixels[static_cast<std::size_t>(y) * frame.stride + x], colour,
                       false);
        }
        if (x == xEnd && y == yEnd) {
            break;
        }
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x += sx;
        }
        if (twice <= dx) {
            error += dx;
            y += sy;
        }
    }
}
