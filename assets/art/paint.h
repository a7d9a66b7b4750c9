#pragma once

#include <cmath>

#include "image.h"
#include "shapes.h"

// Drawing by signed-distance functions: dist(x, y) gives the distance in units (negative inside),
// paint(x, y, d) the colour of a covered sample. Positions are in the picture's units (pixels
// divided by Image::unit); pixel centres sit at (x + 0.5, y + 0.5) pixels.

// Pixels within this many pixels of an edge are supersampled; distance functions must not
// underestimate by more than this.
constexpr float edgeBand = 1.5f;

// Fills a shape with supersampled edges (samples × samples sub-samples at edge pixels).
template <class Dist, class Paint>
void fillShape(Image& image, Dist dist, Paint paint, int samples = 4) {
    const float step = 1.0f / static_cast<float>(samples);
    const float inv = 1.0f / image.unit;
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const float cx = (static_cast<float>(x) + 0.5f) * inv;
            const float cy = (static_cast<float>(y) + 0.5f) * inv;
            const float d = dist(cx, cy);
            if (d * image.unit > edgeBand) {
                continue;
            }
            if (d * image.unit < -edgeBand) {
                blendOver(image.at(x, y), paint(cx, cy, d));
                continue;
            }
            Rgba sum;
            for (int sy = 0; sy < samples; ++sy) {
                for (int sx = 0; sx < samples; ++sx) {
                    const float px =
                        (static_cast<float>(x) + (static_cast<float>(sx) + 0.5f) * step) * inv;
                    const float py =
                        (static_cast<float>(y) + (static_cast<float>(sy) + 0.5f) * step) * inv;
                    const float ds = dist(px, py);
                    if (ds < 0) {
                        const Rgba c = paint(px, py, ds);
                        sum.r += c.r * c.a;
                        sum.g += c.g * c.a;
                        sum.b += c.b * c.a;
                        sum.a += c.a;
                    }
                }
            }
            if (sum.a > 0) {
                const Rgba c{sum.r / sum.a, sum.g / sum.a, sum.b / sum.a, sum.a * step * step};
                blendOver(image.at(x, y), c);
            }
        }
    }
}

// Fills a shape with one flat colour.
template <class Dist>
void fillFlat(Image& image, Dist dist, Rgba colour, int samples = 4) {
    fillShape(
        image, dist, [colour](float, float, float) { return colour; }, samples);
}

// A soft shadow of the shape, offset by (dx, dy) and blurred over `blur` units.
template <class Dist>
void softShadow(Image& image, Dist dist, float dx, float dy, float blur, float opacity,
                Rgba colour = {0, 0, 0, 1}) {
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const float d =
                dist(static_cast<float>(x) + 0.5f - dx, static_cast<float>(y) + 0.5f - dy);
            const float a = opacity * (1.0f - smoothstep(-blur, blur, d));
            blendOver(image.at(x, y), colour, a);
        }
    }
}

// Paints every pixel from a colour field (gradients, textures, glows).
template <class Field>
void paintField(Image& image, Field field) {
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            blendOver(image.at(x, y),
                      field(static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f));
        }
    }
}

// The outward normal of a distance field at (x, y), by central differences.
template <class Dist>
Vec2 normalOf(Dist dist, float x, float y) {
    const float gx = dist(x + 0.5f, y) - dist(x - 0.5f, y);
    const float gy = dist(x, y + 0.5f) - dist(x, y - 0.5f);
    const float len = std::hypot(gx, gy);
    return len > 1e-6f ? Vec2{gx / len, gy / len} : Vec2{0, 0};
}

// Light on a bevelled edge from the top-left: +1 on edges facing the light, −1 on edges facing
// away, fading to 0 at `width` pixels inside the edge.
float bevelLight(float d, Vec2 normal, float width);
// Diffuse and specular light of a dome (a sphere cap) of radius r centred on (cx, cy).
float domeDiffuse(float x, float y, float cx, float cy, float r);
float domeSpecular(float x, float y, float cx, float cy, float r, float sharpness);
// Diffuse light 0..1 on a surface with the (unnormalised) normal (nx, ny, nz), z towards the
// viewer.
float diffuseLight(float nx, float ny, float nz);
