#include "kinds.h"

#include "shapes.h"

Rgba kindColour(Kind kind) {
    switch (kind) {
    case Kind::ball:
        return rgb(0xF14250);
    case Kind::box:
        return rgb(0x2B9391);
    case Kind::spike:
        return rgb(0xE9D376);
    }
    return rgb(0xFFFFFF);
}

Rgba inkColour() {
    return rgb(0x120E0B);
}

float kindDistance(Kind kind, float x, float y, float cx, float cy, float size) {
    switch (kind) {
    case Kind::ball:
        return circleDistance(x, y, cx, cy, size);
    case Kind::box:
        return roundRectDistance(x, y, cx, cy, size * 0.86f, size * 0.86f, size * 0.22f);
    case Kind::spike: {
        static const std::vector<Vec2> star = starPoints(0, 0, 8, 1.0f, 0.52f, -pi / 2);
        return polygonDistance((x - cx) / size, (y - cy) / size, star) * size;
    }
    }
    return 1e9f;
}
