// The software rasteriser: exact coverage from edge functions on snapped positions, then spans
// of pixels shaded four at a time in 16-bit lanes (two channels of a pixel per 32 bits).

#include "platform/sdl/soft_raster.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

using Pixels4 = std::uint32_t __attribute__((vector_size(16))); // four 0xAARRGGBB pixels
using Lanes8 = std::uint16_t __attribute__((vector_size(16)));  // their channels in pairs
using Wide2 = std::uint64_t __attribute__((vector_size(16)));   // pixels two by two

constexpr std::int64_t subPixel = 256;     // positions snap to 1/256 pixel
constexpr float positionLimit = 1 << 21;   // keeps products of edge functions inside 64 bits
constexpr double attributeLimit = 1 << 24; // levels or texels (per pixel), ample and overflow-safe
constexpr std::int64_t one = 1 << 16;      // attributes are 16.16 fixed point
constexpr int attributeCount = 6;          // red, green, blue, alpha (levels), u, v (texels)
constexpr int attributeU = 4, attributeV = 5;
constexpr int spareCount = 3; // pixels past the frame's end: groups of four never leave it

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

enum class Tint { white, flat, smooth };

struct Shading {
    const RasterTexture* texture = nullptr; // null: untextured
    Tint tint = Tint::white;
    std::uint32_t colour = 0xFFFFFFFFu; // the colour of a white or flat tint
    bool additive = false;
};

using Attributes = double[attributeCount];

std::int64_t snap(float value) {
    return std::llround(std::clamp(value, -positionLimit, positionLimit) * subPixel);
}

std::int64_t toFixed(double value) {
    return std::llround(std::clamp(value, -attributeLimit, attributeLimit) * one);
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

Plane makePlane(const Point (&p)[3], const Attributes* (&values)[3], int x0, int y0) {
    const double e1x = static_cast<double>(p[1].x - p[0].x) / subPixel;
    const double e1y = static_cast<double>(p[1].y - p[0].y) / subPixel;
    const double e2x = static_cast<double>(p[2].x - p[0].x) / subPixel;
    const double e2y = static_cast<double>(p[2].y - p[0].y) / subPixel;
    const double area = e1x * e2y - e2x * e1y;
    const double cx = x0 + 0.5 - static_cast<double>(p[0].x) / subPixel;
    const double cy = y0 + 0.5 - static_cast<double>(p[0].y) / subPixel;
    Plane plane;
    plane.x0 = x0;
    plane.y0 = y0;
    for (int a = 0; a < attributeCount; ++a) {
        const double v0 = (*values[0])[a];
        const double d1 = (*values[1])[a] - v0, d2 = (*values[2])[a] - v0;
        const double gx = area != 0 ? (d1 * e2y - d2 * e1y) / area : 0;
        const double gy = area != 0 ? (d2 * e1x - d1 * e2x) / area : 0;
        // Colours carry half a level so that taking the whole part rounds them.
        const double bias = a < attributeU ? 0.5 : 0.0;
        plane.origin[a] = toFixed(v0 + gx * cx + gy * cy + bias);
        plane.dx[a] = toFixed(gx);
        plane.dy[a] = toFixed(gy);
    }
    return plane;
}

// --- Shading four pixels at a time -----------------------------------------------------------

constexpr std::uint32_t lowChannels = 0x00FF00FFu;

Lanes8 divideBy255(Lanes8 x) { // rounded; exact for x <= 255 * 255
    x += 128;
    return (x + (x >> 8)) >> 8;
}

Lanes8 saturate(Lanes8 x) { // x <= 510
    return (x | ((x >> 8) * 255)) & 255;
}

Pixels4 modulate(Pixels4 texel, Pixels4 colour) {
    const Lanes8 rb = divideBy255(reinterpret_cast<Lanes8>(texel & lowChannels) *
                                  reinterpret_cast<Lanes8>(colour & lowChannels));
    const Lanes8 ag = divideBy255(reinterpret_cast<Lanes8>((texel >> 8) & lowChannels) *
                                  reinterpret_cast<Lanes8>((colour >> 8) & lowChannels));
    return reinterpret_cast<Pixels4>(rb) | (reinterpret_cast<Pixels4>(ag) << 8);
}

// Blends up to four source pixels (straight alpha) onto the frame.
// Blends the first count (1..4) of four source pixels (straight alpha) onto the frame. Four
// pixels are always read and written, the ones past count unchanged: the frame buffer has
// spare pixels at its end for that.
template <bool additive>
[[gnu::always_inline]] inline void blendPixels(std::uint32_t* at, int count, Pixels4 source) {
    Pixels4 frame;
    std::memcpy(&frame, at, sizeof frame);
    // Most texels of hall pictures are opaque or clear: those groups need no arithmetic.
    const std::uint64_t alphas[2] = {reinterpret_cast<Wide2>(source)[0],
                                     reinterpret_cast<Wide2>(source)[1]};
    const std::uint64_t bothAlphas = 0xFF000000FF000000u;
    if (count == 4 && ((alphas[0] | alphas[1]) & bothAlphas) == 0) {
        return;
    }
    if (!additive && count == 4 && (alphas[0] & alphas[1] & bothAlphas) == bothAlphas) {
        std::memcpy(at, &source, sizeof source);
        return;
    }
    const Lanes8 srcRb = reinterpret_cast<Lanes8>(source & lowChannels);
    Lanes8 srcAg = reinterpret_cast<Lanes8>((source >> 8) & lowChannels);
    const Lanes8 dstRb = reinterpret_cast<Lanes8>(frame & lowChannels);
    const Lanes8 dstAg = reinterpret_cast<Lanes8>((frame >> 8) & lowChannels);
    const Pixels4 sourceAlpha = source >> 24;
    const Lanes8 alpha = reinterpret_cast<Lanes8>(sourceAlpha | (sourceAlpha << 16));
    Lanes8 rb, ag;
    if constexpr (additive) {
        // Only green is added in the alpha-green pair: the frame keeps its alpha.
        const Pixels4 green = reinterpret_cast<Pixels4>(divideBy255(srcAg * alpha)) & 0xFFFFu;
        rb = saturate(divideBy255(srcRb * alpha) + dstRb);
        ag = saturate(reinterpret_cast<Lanes8>(green) + dstAg);
    } else {
        // In the alpha lane the source counts as 255: alpha becomes a + d * (1 - a).
        srcAg =
            reinterpret_cast<Lanes8>((reinterpret_cast<Pixels4>(srcAg) & 0xFFFFu) | 0x00FF0000u);
        const Lanes8 rest = 255 - alpha;
        rb = divideBy255(srcRb * alpha + dstRb * rest);
        ag = divideBy255(srcAg * alpha + dstAg * rest);
    }
    Pixels4 result = reinterpret_cast<Pixels4>(rb) | (reinterpret_cast<Pixels4>(ag) << 8);
    if (count < 4) {
        const Pixels4 lane = {0, 1, 2, 3};
        const Pixels4 kept = reinterpret_cast<Pixels4>(lane >= static_cast<std::uint32_t>(count));
        result = (result & ~kept) | (frame & kept);
    }
    std::memcpy(at, &result, sizeof result);
}

// A run of pixels along one row, with its attributes at the first pixel and their change per
// pixel, 16.16.
struct Span {
    std::uint32_t* pixel = nullptr;
    int count = 0;
    std::int64_t value[attributeCount] = {};
    const std::int64_t* step = nullptr;
};

// The attributes of every pixel of the span, interpolated between its ends, stay inside the
// colour range and the texture: no pixel needs clamping.
bool staysInside(const Span& span, const Shading& shading) {
    auto inside = [&](int a, std::int64_t limit) {
        const std::int64_t last = span.value[a] + span.step[a] * (span.count - 1);
        return span.value[a] >= 0 && span.value[a] < limit && last >= 0 && last < limit;
    };
    if (shading.tint == Tint::smooth) {
        for (int a = 0; a < attributeU; ++a) {
            if (!inside(a, 256 * one)) {
                return false;
            }
        }
    }
    const RasterTexture* t = shading.texture;
    return t == nullptr ||
           (inside(attributeU, t->width * one) && inside(attributeV, t->height * one));
}

Pixels4 splat(std::uint32_t colour) {
    return Pixels4{colour, colour, colour, colour};
}

template <bool textured, Tint tint, bool additive>
void shadeSpan(const Span& span, const Shading& shading) {
    const std::int64_t* step = span.step;
    // Red, green, blue and alpha of four pixels, 16.16, and their change per four pixels.
    auto lanes = [&](int a) {
        auto at = [&](int k) { return static_cast<std::uint32_t>(span.value[a] + step[a] * k); };
        return Pixels4{at(0), at(1), at(2), at(3)};
    };
    auto lanesStep = [&](int a) { return splat(static_cast<std::uint32_t>(step[a] * 4)); };
    Pixels4 red = lanes(0), green = lanes(1), blue = lanes(2), alpha = lanes(3);
    const Pixels4 redStep = lanesStep(0), greenStep = lanesStep(1), blueStep = lanesStep(2),
                  alphaStep = lanesStep(3);
    std::int64_t u = span.value[attributeU], v = span.value[attributeV];
    const std::uint32_t* texels = textured ? shading.texture->pixels : nullptr;
    const int width = textured ? shading.texture->width : 0;
    const std::int64_t du = step[attributeU], du2 = du * 2, du3 = du * 3, dv = step[attributeV];
    // Along a row of the frame the texture is often read along one of its own rows.
    const bool level = dv == 0;
    const std::uint32_t* row = textured ? texels + (v >> 16) * width : nullptr;
    for (int i = 0; i < span.count; i += 4) {
        const int count = std::min(4, span.count - i);
        Pixels4 colour = splat(shading.colour);
        if constexpr (tint == Tint::smooth) {
            // Wrapping lanes past the span's end are computed but never stored.
            const Pixels4 rb = (red & 0xFFFF0000u) | (blue >> 16);
            const Pixels4 ag = (alpha & 0xFFFF0000u) | (green >> 16);
            colour = rb | (ag << 8);
            red += redStep;
            green += greenStep;
            blue += blueStep;
            alpha += alphaStep;
        }
        Pixels4 source = colour;
        if constexpr (textured) {
            Pixels4 texel;
            if (level && count == 4) {
                texel = Pixels4{row[u >> 16], row[(u + du) >> 16], row[(u + du2) >> 16],
                                row[(u + du3) >> 16]};
            } else {
                // Lanes past the span's end repeat its last texel, which is inside the texture.
                auto texelAt = [&](int k) {
                    k = std::min(k, count - 1);
                    return texels[((v + dv * k) >> 16) * width + ((u + du * k) >> 16)];
                };
                texel = Pixels4{texelAt(0), texelAt(1), texelAt(2), texelAt(3)};
            }
            u += du * 4;
            v += dv * 4;
            source = tint == Tint::white ? texel : modulate(texel, colour);
        }
        blendPixels<additive>(span.pixel + i, count, source);
    }
}

// The rare span whose interpolated values leave the range (sliver triangles, texture
// coordinates outside 0..1): every pixel clamps, the texture to its edge.
void shadeClampedSpan(const Span& span, const Shading& shading) {
    const RasterTexture* t = shading.texture;
    for (int i = 0; i < span.count; i += 4) {
        const int count = std::min(4, span.count - i);
        Pixels4 tint = splat(shading.colour), texel = splat(0xFFFFFFFFu);
        for (int k = 0; k < count; ++k) {
            auto value = [&](int a, std::int64_t last) {
                return std::clamp<std::int64_t>((span.value[a] + span.step[a] * (i + k)) >> 16, 0,
                                                last);
            };
            if (shading.tint == Tint::smooth) {
                tint[k] = static_cast<std::uint32_t>(value(3, 255) << 24 | value(0, 255) << 16 |
                                                     value(1, 255) << 8 | value(2, 255));
            }
            if (t != nullptr) {
                texel[k] = t->pixels[value(attributeV, t->height - 1) * t->width +
                                     value(attributeU, t->width - 1)];
            }
        }
        const Pixels4 source = t == nullptr                  ? tint
                               : shading.tint == Tint::white ? texel
                                                             : modulate(texel, tint);
        if (shading.additive) {
            blendPixels<true>(span.pixel + i, count, source);
        } else {
            blendPixels<false>(span.pixel + i, count, source);
        }
    }
}

template <bool textured, Tint tint>
void shadeSpanBlended(const Span& span, const Shading& shading) {
    if (shading.additive) {
        shadeSpan<textured, tint, true>(span, shading);
    } else {
        shadeSpan<textured, tint, false>(span, shading);
    }
}

template <bool textured>
void shadeSpanTinted(const Span& span, const Shading& shading) {
    switch (shading.tint) {
    case Tint::white:
        shadeSpanBlended<textured, Tint::white>(span, shading);
        break;
    case Tint::flat:
        shadeSpanBlended<textured, Tint::flat>(span, shading);
        break;
    case Tint::smooth:
        shadeSpanBlended<textured, Tint::smooth>(span, shading);
        break;
    }
}

void drawSpan(FrameBuffer& frame, const Plane& plane, int x, int y, int count,
              const Shading& shading) {
    if (count <= 0) {
        return;
    }
    Span span;
    span.pixel = &frame.pixels[static_cast<std::size_t>(y) * frame.width + x];
    span.count = count;
    span.step = plane.dx;
    for (int a = 0; a < attributeCount; ++a) {
        span.value[a] = plane.at(a, x, y);
    }
    if (!staysInside(span, shading)) {
        shadeClampedSpan(span, shading);
    } else if (shading.texture != nullptr) {
        shadeSpanTinted<true>(span, shading);
    } else {
        shadeSpanTinted<false>(span, shading);
    }
}

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

void drawTriangle(FrameBuffer& frame, Point a, Point b, Point c, const Attributes& va,
                  const Attributes& vb, const Attributes& vc, const Shading& shading) {
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
    const PixelBox box = pixelBox(frame, p, 3, true);
    if (box.x0 >= box.x1 || box.y0 >= box.y1) {
        return;
    }
    const Plane plane = makePlane(p, values, box.x0, box.y0);
    const Edge edges[3] = {Edge(p[0], p[1]), Edge(p[1], p[2]), Edge(p[2], p[0])};
    for (int y = box.y0; y < box.y1; ++y) {
        int first = box.x0, end = box.x1;
        for (const Edge& edge : edges) {
            edge.narrow(y, first, end);
        }
        drawSpan(frame, plane, first, y, end - first, shading);
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

bool samePlane(const Plane& a, const Plane& b) {
    constexpr std::int64_t tolerance = 4; // rounding of the two setups, invisible
    for (int i = 0; i < attributeCount; ++i) {
        if (std::abs(a.origin[i] - b.origin[i]) > tolerance ||
            std::abs(a.dx[i] - b.dx[i]) > tolerance || std::abs(a.dy[i] - b.dy[i]) > tolerance) {
            return false;
        }
    }
    return true;
}

// Rows of a small rectangle are too short for the processor to see the pattern and fetch the
// frame ahead: asking for a row a little before it is drawn saves most of the waiting.
constexpr int prefetchDistance = 4; // rows

void prefetchRow(const FrameBuffer& frame, const PixelBox& box, int y) {
    if (y < box.y1) {
        const std::uint32_t* row = &frame.pixels[static_cast<std::size_t>(y) * frame.width];
        for (int x = box.x0; x < box.x1; x += 16) {
            __builtin_prefetch(row + x, 1);
        }
        __builtin_prefetch(row + box.x1 - 1, 1);
    }
}

// A rectangle along the axes: its pixels are known at once. When its attributes are not one
// plane over the whole quad, each row is split where the diagonal from corner 0 to corner 2
// crosses it, exactly as the two triangles would share it.
void drawRectangle(FrameBuffer& frame, const Point (&p)[4], const Attributes (&v)[4],
                   const Shading& shading) {
    const PixelBox box = pixelBox(frame, p, 4, false);
    if (box.x0 >= box.x1 || box.y0 >= box.y1) {
        return;
    }
    const Point upper[3] = {p[0], p[1], p[2]}, lower[3] = {p[0], p[2], p[3]};
    const Attributes* upperValues[3] = {&v[0], &v[1], &v[2]};
    const Attributes* lowerValues[3] = {&v[0], &v[2], &v[3]};
    const Plane first = makePlane(upper, upperValues, box.x0, box.y0);
    const Plane second = makePlane(lower, lowerValues, box.x0, box.y0);
    const int width = box.x1 - box.x0;
    for (int y = box.y0; y < box.y0 + prefetchDistance; ++y) {
        prefetchRow(frame, box, y);
    }
    if (samePlane(first, second)) {
        for (int y = box.y0; y < box.y1; ++y) {
            prefetchRow(frame, box, y + prefetchDistance);
            drawSpan(frame, first, box.x0, y, width, shading);
        }
        return;
    }
    // The diagonal as an edge of triangle (0, 1, 2) turned so that its inside is positive.
    const bool turned = orientation(p[0], p[1], p[2]) < 0;
    const Edge diagonal = turned ? Edge(p[0], p[2]) : Edge(p[2], p[0]);
    for (int y = box.y0; y < box.y1; ++y) {
        prefetchRow(frame, box, y + prefetchDistance);
        int begin = box.x0, end = box.x1;
        diagonal.narrow(y, begin, end); // [begin, end) belongs to triangle (0, 1, 2)
        drawSpan(frame, second, box.x0, y, begin - box.x0, shading);
        drawSpan(frame, first, begin, y, end - begin, shading);
        drawSpan(frame, second, end, y, box.x1 - end, shading);
    }
}

Shading shadingOf(const RasterVertex (&corner)[4], const RasterTexture* texture,
                  RasterBlend blend) {
    Shading shading;
    const bool usable = texture != nullptr && texture->pixels != nullptr && texture->width > 0 &&
                        texture->height > 0 && texture->width < 32768 && texture->height < 32768;
    shading.texture = usable ? texture : nullptr;
    shading.additive = blend == RasterBlend::additive;
    shading.colour = corner[0].colour;
    const bool flat = std::all_of(std::begin(corner), std::end(corner), [&](const RasterVertex& c) {
        return c.colour == corner[0].colour;
    });
    // Untextured quads never skip the tint: their colour is the whole picture.
    shading.tint = !flat                                       ? Tint::smooth
                   : corner[0].colour == 0xFFFFFFFFu && usable ? Tint::white
                                                               : Tint::flat;
    return shading;
}

} // namespace

void resizeFrameBuffer(FrameBuffer& frame, int width, int height) {
    frame.width = std::max(width, 0);
    frame.height = std::max(height, 0);
    frame.pixels.assign(static_cast<std::size_t>(frame.width) * frame.height + spareCount,
                        0xFF000000u);
}

void clearFrameBuffer(FrameBuffer& frame, std::uint32_t colour) {
    std::fill(frame.pixels.begin(), frame.pixels.end(), colour);
}

void rasteriseQuad(FrameBuffer& frame, const RasterVertex (&corner)[4],
                   const RasterTexture* texture, RasterBlend blend) {
    for (const RasterVertex& c : corner) {
        if (!std::isfinite(c.x) || !std::isfinite(c.y)) {
            return;
        }
    }
    const Shading shading = shadingOf(corner, texture, blend);
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
        drawRectangle(frame, p, v, shading);
    } else {
        drawTriangle(frame, p[0], p[1], p[2], v[0], v[1], v[2], shading);
        drawTriangle(frame, p[0], p[2], p[3], v[0], v[2], v[3], shading);
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

void rasteriseLine(FrameBuffer& frame, float x1, float y1, float x2, float y2,
                   std::uint32_t colour) {
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
        if (x >= 0 && x < frame.width && y >= 0 && y < frame.height) {
            blendPixels<false>(&frame.pixels[static_cast<std::size_t>(y) * frame.width + x], 1,
                               splat(colour));
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
