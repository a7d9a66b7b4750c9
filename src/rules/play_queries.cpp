#include "rules/play_queries.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <string_view>

// Geometry is worked in double from the float32 positions, exactly as the scene layer does it:
// differences and squares of float32 values are then exact, so the edge cases (circles exactly
// r1 + r2 apart, boxes sharing an edge) decide the same way wherever the objects stand.

namespace {

struct Circle {
    float x, y, radius;
};

struct Bounds {
    float x1, y1, x2, y2;
};

Bounds boundsOf(const PlayObject& object) {
    const PieceShape& shape = shapeOf(object.picture);
    const float x = object.x;
    const float y = object.y;
    const float shrink = 1 - object.scale; // rotation is ignored
    Bounds b;
    b.x1 = x - shape.hotX;
    b.y1 = y - shape.hotY;
    b.x2 = b.x1 + shape.frameWidth;
    b.y2 = b.y1 + shape.frameHeight;
    b.x1 += (x - b.x1) * shrink;
    b.y1 += (y - b.y1) * shrink;
    b.x2 -= (b.x2 - x) * shrink;
    b.y2 -= (b.y2 - y) * shrink;
    return b;
}

bool boundsOverlap(const Bounds& a, const Bounds& b) {
    const double ax = static_cast<double>(a.x1) + a.x2;
    const double bx = static_cast<double>(b.x1) + b.x2;
    const double ay = static_cast<double>(a.y1) + a.y2;
    const double by = static_cast<double>(b.y1) + b.y2;
    const double widths = (static_cast<double>(a.x2) - a.x1) + (static_cast<double>(b.x2) - b.x1);
    const double heights = (static_cast<double>(a.y2) - a.y1) + (static_cast<double>(b.y2) - b.y1);
    return std::abs(ax - bx) < widths && std::abs(ay - by) < heights;
}

// Where an object puts its picture's circles: the offset from the hot spot, turned by the
// rotation and scaled.
struct CirclePlacement {
    double x, y, hotX, hotY, scale;
    double c = 1, s = 0;

    explicit CirclePlacement(const PlayObject& object)
        : x(object.x), y(object.y), hotX(shapeOf(object.picture).hotX),
          hotY(shapeOf(object.picture).hotY), scale(object.scale) {
        if (object.rotation != 0) {
            c = std::cos(static_cast<double>(object.rotation));
            s = std::sin(static_cast<double>(object.rotation));
        }
    }

    Circle place(const ShapeCircle& circle) const {
        const double dx = circle.x - hotX;
        const double dy = circle.y - hotY;
        return Circle{static_cast<float>(x + scale * (dx * c - dy * s)),
                      static_cast<float>(y + scale * (dx * s + dy * c)),
                      static_cast<float>(scale * circle.radius)};
    }
};

bool circlesOverlap(const Circle& a, const Circle& b) {
    const double reach = static_cast<double>(a.radius) + b.radius;
    if (reach < 0) {
        return false;
    }
    const double dx = static_cast<double>(a.x) - b.x;
    const double dy = static_cast<double>(a.y) - b.y;
    return dx * dx + dy * dy <= reach * reach;
}

// The farthest any of the picture's circles reaches from its hot spot, unscaled.
double circleReach(Picture picture) {
    static const auto reaches = [] {
        std::array<double, static_cast<std::size_t>(Picture::Count)> r{};
        for (std::size_t p = 0; p < r.size(); ++p) {
            const PieceShape& shape = shapeOf(static_cast<Picture>(p));
            for (int i = 0; i < shape.circleCount; ++i) {
                const ShapeCircle& c = shape.circles[i];
                const double edge =
                    std::hypot(c.x - shape.hotX, c.y - shape.hotY) + std::abs(c.radius);
                r[p] = std::max(r[p], edge);
            }
        }
        return r;
    }();
    return reaches[static_cast<std::size_t>(picture)];
}

// The probe's placed circles with the box around them, so most of a family is turned away by
// its position alone.
class CircleSet {
  public:
    explicit CircleSet(const PlayObject& probe) {
        const PieceShape& shape = shapeOf(probe.picture);
        const CirclePlacement placement(probe);
        count_ = shape.circleCount;
        for (int i = 0; i < count_; ++i) {
            const Circle c = placement.place(shape.circles[i]);
            circles_[i] = c;
            const double r = std::abs(static_cast<double>(c.radius));
            x1_ = std::min(x1_, c.x - r);
            y1_ = std::min(y1_, c.y - r);
            x2_ = std::max(x2_, c.x + r);
            y2_ = std::max(y2_, c.y + r);
        }
    }

    bool empty() const { return count_ == 0; }

    // True when none of other's circles can come near the set. The margin covers the rounding
    // of placed circles to float32.
    bool outOfReach(const PlayObject& other) const {
        const double x = other.x;
        const double y = other.y;
        const double r = std::abs(static_cast<double>(other.scale)) * circleReach(other.picture);
        const double margin = 0.01 + 1e-6 * (std::abs(x) + std::abs(y) + r);
        return x + r + margin < x1_ || x2_ < x - r - margin || y + r + margin < y1_ ||
               y2_ < y - r - margin;
    }

    bool meets(const Circle& c) const {
        const double r = std::abs(static_cast<double>(c.radius));
        if (c.x + r < x1_ || x2_ < c.x - r || c.y + r < y1_ || y2_ < c.y - r) {
            return false;
        }
        for (int i = 0; i < count_; ++i) {
            if (circlesOverlap(c, circles_[i])) {
                return true;
            }
        }
        return false;
    }

  private:
    Circle circles_[5] = {};
    int count_ = 0;
    double x1_ = 1e300, y1_ = 1e300, x2_ = -1e300, y2_ = -1e300;
};

bool circlesHit(const PlayObject& other, const CircleSet& set) {
    if (set.outOfReach(other)) {
        return false;
    }
    const PieceShape& shape = shapeOf(other.picture);
    const CirclePlacement placement(other);
    for (int i = 0; i < shape.circleCount; ++i) {
        if (set.meets(placement.place(shape.circles[i]))) {
            return true;
        }
    }
    return false;
}

// The first position in byName whose name is not below the family's first name.
std::size_t familyStart(const PlayState& state, NameRange family) {
    const auto at = std::lower_bound(state.byName.begin(), state.byName.end(), family.first,
                                     [&](std::uint16_t s, int first) {
                                         return static_cast<int>(objectAt(state, s).name) < first;
                                     });
    return static_cast<std::size_t>(at - state.byName.begin());
}

// The scene layer's order of equal whole distances: the ids' decimal texts, compared as text.
bool idTextBefore(std::int32_t a, std::int32_t b) {
    char ta[16], tb[16];
    const char* ea = std::to_chars(ta, ta + sizeof ta, a).ptr;
    const char* eb = std::to_chars(tb, tb + sizeof tb, b).ptr;
    return std::string_view(ta, static_cast<std::size_t>(ea - ta)) <
           std::string_view(tb, static_cast<std::size_t>(eb - tb));
}

// trunc of the distance as the scene layer files it: through float32.
long long wholeDistance(double d) {
    const double clamped = std::clamp<double>(static_cast<float>(d), -1e15, 1e15);
    return static_cast<long long>(std::trunc(clamped));
}

template <typename Visit>
void scanFamily(const PlayState& state, NameRange family, Visit visit) {
    for (std::size_t i = familyStart(state, family); i < state.byName.size(); ++i) {
        const int slot = state.byName[i];
        if (!family.contains(objectAt(state, slot).name)) {
            break;
        }
        if (!visit(slot)) {
            break;
        }
    }
}

// Distance from (cx, cy) when within radius on both axes and inclusive of it; negative when out.
double distanceWithin(const PlayObject& object, float cx, float cy, float radius) {
    const double r = radius;
    const double dx = static_cast<double>(object.x) - cx;
    const double dy = static_cast<double>(object.y) - cy;
    if (!(std::abs(dx) <= r && std::abs(dy) <= r)) {
        return -1;
    }
    const double d = std::sqrt(dx * dx + dy * dy);
    return d <= r ? d : -1;
}

} // namespace

int findOverlapping(const PlayState& state, const PlayObject& probe, NameRange family,
                    int excludeSlot) {
    const CircleSet set(probe);
    const Bounds box = boundsOf(probe);
    int found = noSlot;
    scanFamily(state, family, [&](int slot) {
        const PlayObject& other = objectAt(state, slot);
        if (slot == excludeSlot || !other.searchable) {
            return true;
        }
        const bool hit = !set.empty() && shapeOf(other.picture).circleCount > 0
                             ? circlesHit(other, set)
                             : boundsOverlap(box, boundsOf(other));
        if (hit) {
            found = slot;
            return false;
        }
        return true;
    });
    return found;
}

std::vector<int> collectByName(const PlayState& state, NameRange family) {
    std::vector<int> slots;
    scanFamily(state, family, [&](int slot) {
        if (objectAt(state, slot).searchable) {
            slots.push_back(slot);
        }
        return true;
    });
    return slots;
}

int findNear(const PlayState& state, NameRange family, bool nearest, float cx, float cy,
             float radius, int excludeSlot) {
    double best = std::bit_cast<float>(0x7F7FC99Eu); // about 3.4e38
    int found = noSlot;
    scanFamily(state, family, [&](int slot) {
        if (slot == excludeSlot) {
            return true;
        }
        const double d = distanceWithin(objectAt(state, slot), cx, cy, radius);
        if (d < 0) {
            return true;
        }
        if (!nearest) {
            found = slot;
            return false;
        }
        if (d < best) {
            best = d;
            found = slot;
        }
        return true;
    });
    return found;
}

std::vector<int> collectNear(const PlayState& state, NameRange family, float cx, float cy,
                             float radius, int excludeSlot) {
    struct Match {
        long long distance;
        std::int32_t id;
        int slot;
    };
    std::vector<Match> matches;
    scanFamily(state, family, [&](int slot) {
        if (slot == excludeSlot) {
            return true;
        }
        const PlayObject& object = objectAt(state, slot);
        const double d = distanceWithin(object, cx, cy, radius);
        if (d >= 0) {
            matches.push_back({wholeDistance(d), object.id, slot});
        }
        return true;
    });
    std::stable_sort(matches.begin(), matches.end(), [](const Match& a, const Match& b) {
        if (a.distance != b.distance) {
            return a.distance < b.distance;
        }
        return idTextBefore(a.id, b.id);
    });
    std::vector<int> slots;
    slots.reserve(matches.size());
    for (const Match& m : matches) {
        slots.push_back(m.slot);
    }
    return slots;
}

PlayObject pointerProbe(float x, float y) {
    PlayObject probe;
    probe.picture = Picture::Cursor;
    probe.linked = false;
    probe.x = probe.previousX = x;
    probe.y = probe.previousY = y;
    return probe;
}
