#include "pieces.h"

#include <cmath>

#include "paint.h"

namespace {

constexpr float centre = 22.0f;
const Rgba white{1, 1, 1, 1};

// Fills the shape with the ink line and paints the body inside it.
template <class Dist, class Paint>
void inkedShape(Image& image, Dist dist, Paint paint, float width = inkWidth) {
    fillFlat(image, dist, inkColour());
    fillShape(
        image, [&](float x, float y) { return dist(x, y) + width; }, paint);
}

Image ballItem(float unit) {
    Image image = designImage(44, 44, unit);
    const float r = 17.5f;
    auto disc = [r](float x, float y) { return circleDistance(x, y, centre, centre, r); };
    softShadow(image, disc, 1.5f, 2.5f, 3.0f, 0.55f);
    const Rgba base = kindColour(Kind::ball);
    inkedShape(image, disc, [&](float x, float y, float d) {
        const float diffuse = domeDiffuse(x, y, centre, centre, r);
        Rgba c = shade(base, 0.3f + 0.9f * diffuse);
        // Light bounced from the floor brightens the lower rim.
        const float rim = smoothstep(-5.0f, 0.0f, d) * std::max(0.0f, (y - centre) / r);
        c = mix(c, shade(base, 1.1f), rim * 0.45f);
        return mix(c, white, domeSpecular(x, y, centre, centre, r, 36.0f) * 0.9f);
    });
    return image;
}

Image boxItem(float unit) {
    Image image = designImage(44, 44, unit);
    auto body = [](float x, float y) {
        return roundRectDistance(x, y, centre, centre, 16, 16, 4.5f);
    };
    auto panel = [](float x, float y) {
        return roundRectDistance(x, y, centre, centre, 9.5f, 9.5f, 2.5f);
    };
    softShadow(image, body, 1.5f, 2.5f, 3.0f, 0.55f);
    const Rgba base = kindColour(Kind::box);
    inkedShape(image, body, [&](float x, float y, float d) {
        const float lit = bevelLight(d, normalOf(body, x, y), 3.5f);
        const float gradient = 1.12f - 0.22f * (y - 6.0f) / 32.0f;
        return shade(base, gradient + 0.55f * lit);
    });
    fillShape(image, panel, [&](float x, float y, float d) {
        // The panel is sunk in: its edges take the light the other way round.
        const float lit = bevelLight(d, normalOf(panel, x, y), 2.5f);
        return shade(base, 0.82f - 0.4f * lit);
    });
    for (float sx : {-11.5f, 11.5f}) {
        for (float sy : {-11.5f, 11.5f}) {
            const float rx = centre + sx, ry = centre + sy;
            auto rivet = [rx, ry](float x, float y) { return circleDistance(x, y, rx, ry, 1.8f); };
            fillShape(image, rivet, [&](float x, float y, float) {
                return mix(shade(base, 0.6f + 0.9f * domeDiffuse(x, y, rx, ry, 1.8f)), white, 0.2f);
            });
        }
    }
    return image;
}

// Each point of the star has two facets that meet on a ridge from the centre to the tip.
float starFacetLight(float x, float y, int points) {
    const float angle = std::atan2(y - centre, x - centre);
    const float step = 2 * pi / static_cast<float>(points);
    const float tip = -pi / 2 + std::round((angle + pi / 2) / step) * step;
    const float side = std::sin(angle - tip) >= 0 ? 1.0f : -1.0f;
    const float px = std::cos(tip + side * pi / 2), py = std::sin(tip + side * pi / 2);
    return diffuseLight(px * 0.75f + std::cos(tip) * 0.25f, py * 0.75f + std::sin(tip) * 0.25f,
                        0.8f);
}

Image spikeItem(float unit) {
    Image image = designImage(44, 44, unit);
    auto star = [](float x, float y) {
        return kindDistance(Kind::spike, x, y, centre, centre, 20.5f);
    };
    softShadow(image, star, 1.5f, 2.5f, 2.5f, 0.55f);
    const Rgba base = kindColour(Kind::spike);
    inkedShape(image, star, [&](float x, float y, float d) {
        const float edge = smoothstep(-1.5f, 0.0f, d);
        return shade(base, (0.35f + 0.95f * starFacetLight(x, y, 8)) * (1.0f - 0.25f * edge));
    });
    auto hub = [](float x, float y) { return circleDistance(x, y, centre, centre, 4.5f); };
    fillShape(image, hub, [&](float x, float y, float) {
        const Rgba c = shade(base, 0.55f + 0.8f * domeDiffuse(x, y, centre, centre, 4.5f));
        return mix(c, white, domeSpecular(x, y, centre, centre, 4.5f, 20.0f) * 0.8f);
    });
    return image;
}

// The outline of the kind's shape at `size`, `half` pixels either side of the line.
float kindOutline(Kind kind, float x, float y, float size, float half) {
    return std::abs(kindDistance(kind, x, y, centre, centre, size)) - half;
}

// The end's frame runs round the edge of the cell, outside every piece, so a piece lying on an
// end keeps its own shape and the end's kind shows around it: a ring, a square, or a crown of
// thorns pointing in between the points of a spike.
// The ring is broken on the diagonals, where a box's corners reach.
float endFrame(Kind kind, float x, float y) {
    switch (kind) {
    case Kind::ball: {
        const float r = std::hypot(x - centre, y - centre);
        const float diagonal =
            std::abs(std::remainder(std::atan2(y - centre, x - centre) - pi / 4, pi / 2));
        return std::max(std::abs(r - 19.5f) - 2.5f, r * (0.3f - diagonal));
    }
    case Kind::box:
        return std::abs(roundRectDistance(x, y, centre, centre, 19.5f, 19.5f, 3.5f)) - 2.5f;
    case Kind::spike: {
        float best = 99.0f;
        for (int i = 0; i < 8; ++i) {
            const float a = pi / 8 + static_cast<float>(i) * pi / 4;
            const float ca = std::cos(a), sa = std::sin(a);
            const std::vector<Vec2> thorn{
                {centre + ca * 16.0f, centre + sa * 16.0f},
                {centre + ca * 27.0f - sa * 9.0f, centre + sa * 27.0f + ca * 9.0f},
                {centre + ca * 27.0f + sa * 9.0f, centre + sa * 27.0f - ca * 9.0f}};
            best = std::min(best, polygonDistance(x, y, thorn));
        }
        // Cut at the cell's edge, so neighbouring ends never touch.
        return std::max(best, roundRectDistance(x, y, centre, centre, 21.8f, 21.8f, 2.0f));
    }
    }
    return 99.0f;
}

} // namespace

Image drawItem(Kind kind, float unit) {
    switch (kind) {
    case Kind::ball:
        return ballItem(unit);
    case Kind::box:
        return boxItem(unit);
    case Kind::spike:
        return spikeItem(unit);
    }
    return {};
}

Image drawEnd(Kind kind) {
    Image image(44, 44);
    const Rgba colour = kindColour(kind);
    auto frame = [kind](float x, float y) { return endFrame(kind, x, y); };
    softShadow(image, frame, 0.5f, 1.0f, 1.5f, 0.5f);
    // A thinner line than a piece's: the frame is narrow, and its colour must show.
    const float line = 1.1f;
    inkedShape(
        image, frame,
        [&](float x, float y, float d) {
            auto band = [&](float px, float py) { return frame(px, py) + line; };
            const float lit = bevelLight(d, normalOf(band, x, y), 1.4f);
            return shade(mix(colour, white, 0.1f), 1.05f + 0.4f * lit);
        },
        line);
    return image;
}

// A diamond frame, which no piece or end has, around the kind the cell turns a piece into.
Image drawMutation(Kind kind) {
    Image image(44, 44);
    const Rgba colour = kindColour(kind);
    constexpr float middle = 18.3f; // |dx| + |dy| along the middle of the frame
    auto frame = [](float x, float y) {
        const float diamond =
            (std::abs(x - centre) + std::abs(y - centre) - middle) / std::sqrt(2.0f);
        return std::abs(diamond) - 2.1f;
    };
    softShadow(image, frame, 0.8f, 1.4f, 1.5f, 0.5f);
    const float line = 1.1f;
    inkedShape(
        image, frame,
        [&](float x, float y, float d) {
            auto band = [&](float px, float py) { return frame(px, py) + line; };
            const float lit = bevelLight(d, normalOf(band, x, y), 1.2f);
            // Steel, with the kind's colour along its inner half.
            const bool inner = std::abs(x - centre) + std::abs(y - centre) < middle;
            return shade(mix(rgb(0xC9D4DE), colour, inner ? 0.75f : 0.0f), 0.95f + 0.4f * lit);
        },
        line);
    auto symbol = [&](float x, float y) { return kindDistance(kind, x, y, centre, centre, 7.4f); };
    softShadow(image, symbol, 0.6f, 1.0f, 1.5f, 0.5f);
    inkedShape(image, symbol, [&](float x, float y, float d) {
        auto body = [&](float px, float py) { return symbol(px, py) + inkWidth; };
        return shade(colour, 1.0f + 0.45f * bevelLight(d, normalOf(body, x, y), 1.5f));
    });
    return image;
}

// A field of light held by four posts; its bars take the kind's own outline twice over, so each
// gate has an outline of its own.
Image drawGate(Kind kind) {
    Image image(44, 44);
    const Rgba colour = kindColour(kind);
    auto field = [](float x, float y) {
        return roundRectDistance(x, y, centre, centre, 18, 18, 3);
    };
    fillShape(image, field, [&](float x, float y, float) {
        // A diamond lattice of light: the gate's force field.
        // Centred on the cell, so the lattice is the same turned a quarter.
        const float dx = x - centre, dy = y - centre;
        const float u = std::abs(std::sin((dx + dy) * pi / 7.0f));
        const float v = std::abs(std::sin((dx - dy) * pi / 7.0f));
        const float mesh =
            std::max(smoothstep(0.8f, 1.0f, 1.0f - u), smoothstep(0.8f, 1.0f, 1.0f - v));
        return withAlpha(mix(colour, white, mesh * 0.4f), 0.12f + 0.25f * mesh);
    });
    // Sizes chosen so that no two gates' bars lie on the same line.
    const float sizes[2] = {kind == Kind::ball ? 15.0f : 19.5f, kind == Kind::ball ? 7.0f : 10.5f};
    for (float size : sizes) {
        auto bar = [&](float x, float y) { return kindOutline(kind, x, y, size, 1.3f); };
        fillFlat(
            image, [&](float x, float y) { return bar(x, y) - 0.7f; },
            withAlpha(inkColour(), 0.7f));
        fillShape(image, bar, [&](float x, float y, float d) {
            return shade(mix(colour, white, 0.2f),
                         1.0f + 0.4f * bevelLight(d, normalOf(bar, x, y), 1.0f));
        });
    }
    for (float px : {5.0f, 39.0f}) {
        for (float py : {5.0f, 39.0f}) {
            auto post = [px, py](float x, float y) {
                return roundRectDistance(x, y, px, py, 4.0f, 4.0f, 1.2f);
            };
            softShadow(image, post, 1.0f, 1.5f, 1.5f, 0.5f);
            fillShape(image, post, [&](float x, float y, float d) {
                return shade(rgb(0x8C8478),
                             0.95f + 0.55f * bevelLight(d, normalOf(post, x, y), 2.0f));
            });
            auto stud = [px, py](float x, float y) { return circleDistance(x, y, px, py, 1.6f); };
            fillShape(image, stud, [&](float x, float y, float) {
                return shade(colour, 0.6f + 0.8f * domeDiffuse(x, y, px, py, 1.6f));
            });
        }
    }
    return image;
}
