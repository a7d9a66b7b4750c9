#include "pieces.h"

#include <cmath>

#include "paint.h"

namespace {

constexpr float centre = 22.0f;
const Rgba white{1, 1, 1, 1};

Image ballItem(float unit) {
    Image image = designImage(44, 44, unit);
    const float r = 17.5f;
    auto disc = [r](float x, float y) { return circleDistance(x, y, centre, centre, r); };
    softShadow(image, disc, 1.5f, 2.5f, 3.0f, 0.55f);
    const Rgba base = kindColour(Kind::ball);
    fillShape(image, disc, [&](float x, float y, float d) {
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
    fillShape(image, body, [&](float x, float y, float d) {
        const float lit = bevelLight(d, normalOf(body, x, y), 3.5f);
        const float gradient = 1.12f - 0.22f * (y - 6.0f) / 32.0f;
        return shade(base, gradient + 0.55f * lit);
    });
    fillShape(image, panel, [&](float x, float y, float d) {
        // The panel is sunk in: its edges take the light the other way round.
        const float lit = bevelLight(d, normalOf(panel, x, y), 2.5f);
        return shade(base, 0.82f - 0.4f * lit);
    });
    for (float sx : {-12.5f, 12.5f}) {
        for (float sy : {-12.5f, 12.5f}) {
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
    fillShape(image, star, [&](float x, float y, float d) {
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

float endSize(Kind kind) {
    switch (kind) {
    case Kind::ball:
        return 19.6f;
    case Kind::box:
        return 23.0f;
    case Kind::spike:
        return 22.0f;
    }
    return 20.0f;
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
    const float size = endSize(kind);
    const Rgba colour = kindColour(kind);
    auto inside = [&](float x, float y) { return kindDistance(kind, x, y, centre, centre, size); };
    fillFlat(image, inside, withAlpha(colour, 0.13f));
    auto line = [&](float x, float y) { return kindOutline(kind, x, y, size, 1.8f); };
    softShadow(image, line, 0.5f, 1.0f, 1.8f, 0.75f);
    fillShape(image, line, [&](float x, float y, float d) {
        const float lit = bevelLight(d, normalOf(line, x, y), 1.6f);
        return shade(mix(colour, white, 0.12f), 1.05f + 0.35f * lit);
    });
    // Four notches outside the outline point at the spot, so it reads even under a piece.
    if (kind != Kind::box) {
        for (int i = 0; i < 4; ++i) {
            const float a = pi / 4 + static_cast<float>(i) * pi / 2;
            const float ca = std::cos(a), sa = std::sin(a);
            const float tipR = size + 2.2f, baseR = tipR + 5.5f;
            const std::vector<Vec2> notch{
                {centre + ca * tipR, centre + sa * tipR},
                {centre + ca * baseR - sa * 2.8f, centre + sa * baseR + ca * 2.8f},
                {centre + ca * baseR + sa * 2.8f, centre + sa * baseR - ca * 2.8f}};
            auto tri = [&](float x, float y) { return polygonDistance(x, y, notch); };
            softShadow(image, tri, 0.5f, 1.0f, 1.2f, 0.5f);
            fillFlat(image, tri, shade(colour, 1.1f));
        }
    }
    return image;
}

Image drawMutation(Kind kind) {
    Image image(44, 44);
    const Rgba colour = kindColour(kind);
    auto disc = [](float x, float y) { return circleDistance(x, y, centre, centre, 14.0f); };
    softShadow(image, disc, 1.0f, 2.0f, 2.5f, 0.5f);
    fillShape(image, disc, [&](float x, float y, float d) {
        const float lit = bevelLight(d, normalOf(disc, x, y), 2.5f);
        return withAlpha(shade(rgb(0x3A3E4A), 0.8f + 0.7f * lit), 0.92f);
    });
    auto ring = [](float x, float y) { return ringDistance(x, y, centre, centre, 11.2f, 1.3f); };
    fillShape(image, ring, [&](float x, float y, float d) {
        return shade(colour, 1.0f + 0.4f * bevelLight(d, normalOf(ring, x, y), 1.2f));
    });
    // Two curved arrows chasing each other: this cell changes what passes over it.
    for (int i = 0; i < 2; ++i) {
        const float start = static_cast<float>(i) * pi + 0.35f, end = start + pi - 0.95f;
        auto arc = [&](float x, float y) {
            float a = std::atan2(y - centre, x - centre);
            while (a < start) {
                a += 2 * pi;
            }
            const float band = std::abs(std::hypot(x - centre, y - centre) - 8.0f) - 0.8f;
            return a <= end ? band : 99.0f;
        };
        fillFlat(image, arc, rgb(0xFFFFFF, 0.85f));
        const float ca = std::cos(end), sa = std::sin(end);
        const std::vector<Vec2> head{
            {centre + ca * 5.6f, centre + sa * 5.6f},
            {centre + ca * 10.4f, centre + sa * 10.4f},
            {centre + (ca * 8.0f - sa * 3.4f), centre + (sa * 8.0f + ca * 3.4f)}};
        fillFlat(
            image, [&](float x, float y) { return polygonDistance(x, y, head); },
            rgb(0xFFFFFF, 0.85f));
    }
    auto symbol = [&](float x, float y) { return kindDistance(kind, x, y, centre, centre, 5.0f); };
    softShadow(image, symbol, 0, 0, 3.0f, 0.7f, colour);
    fillShape(image, symbol, [&](float x, float y, float d) {
        return shade(mix(colour, white, 0.25f),
                     1.0f + 0.4f * bevelLight(d, normalOf(symbol, x, y), 1.5f));
    });
    return image;
}

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
        return withAlpha(mix(colour, white, mesh * 0.4f), 0.16f + 0.4f * mesh);
    });
    auto rail = [](float x, float y) {
        return std::abs(roundRectDistance(x, y, centre, centre, 16.5f, 16.5f, 2)) - 1.2f;
    };
    fillShape(image, rail, [&](float x, float y, float d) {
        return shade(rgb(0xB8BCC8), 0.85f + 0.4f * bevelLight(d, normalOf(rail, x, y), 1.0f));
    });
    for (float px : {6.0f, 38.0f}) {
        for (float py : {6.0f, 38.0f}) {
            auto post = [px, py](float x, float y) {
                return roundRectDistance(x, y, px, py, 5.5f, 5.5f, 1.5f);
            };
            softShadow(image, post, 1.0f, 1.5f, 1.5f, 0.5f);
            fillShape(image, post, [&](float x, float y, float d) {
                return shade(rgb(0x8C8478),
                             0.95f + 0.55f * bevelLight(d, normalOf(post, x, y), 2.2f));
            });
            auto stud = [px, py](float x, float y) { return circleDistance(x, y, px, py, 2.0f); };
            fillShape(image, stud, [&](float x, float y, float) {
                return shade(colour, 0.6f + 0.8f * domeDiffuse(x, y, px, py, 2.0f));
            });
        }
    }
    auto emblem = [&](float x, float y) { return kindDistance(kind, x, y, centre, centre, 8.5f); };
    softShadow(image, emblem, 0, 0, 4.0f, 0.6f, colour);
    fillFlat(image, emblem, withAlpha(colour, 0.55f));
    auto outline = [&](float x, float y) { return kindOutline(kind, x, y, 8.5f, 1.2f); };
    fillFlat(image, outline, mix(colour, white, 0.45f));
    return image;
}
