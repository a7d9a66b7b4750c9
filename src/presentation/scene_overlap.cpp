#include "presentation/scene_layer.h"

#include "presentation/scene_layer_lists.h"

#include <algorithm>
#include <cmath>

// Geometry is worked in double from the float32 positions: differences and squares of float32
// values are then exact, so the edge cases (circles exactly r1 + r2 apart, boxes sharing an edge)
// decide the same way wherever the objects stand.

bool objectBounds(const SceneObject* object, Box* box) {
    if (object == nullptr || object->definition == nullptr ||
        object->definition->sprite == nullptr || box == nullptr) {
        return false;
    }
    const Sprite& sprite = *object->definition->sprite;
    const float x = object->x;
    const float y = object->y;
    const float shrink = 1 - object->scale; // rotation is ignored
    Box b;
    b.x1 = x - sprite.hotX();
    b.y1 = y - sprite.hotY();
    b.x2 = b.x1 + sprite.width();
    b.y2 = b.y1 + sprite.height();
    b.x1 += (x - b.x1) * shrink;
    b.y1 += (y - b.y1) * shrink;
    b.x2 -= (b.x2 - x) * shrink;
    b.y2 -= (b.y2 - y) * shrink;
    *box = b;
    return true;
}

namespace {

// Where an object puts its definition's circles. A circle's offset from the hot spot, turned by
// the rotation and scaled, is the same point that distance and angle from the hot spot would
// give, without the rounding of an arc tangent: unturned circles land exactly.
struct CirclePlacement {
    double x, y, hotX, hotY, scale;
    double c = 1, s = 0; // cosine and sine of the rotation

    explicit CirclePlacement(const SceneObject& object)
        : x(object.x), y(object.y), hotX(object.definition->sprite->hotX()),
          hotY(object.definition->sprite->hotY()), scale(object.scale) {
        if (object.rotation != 0) {
            c = std::cos(static_cast<double>(object.rotation));
            s = std::sin(static_cast<double>(object.rotation));
        }
    }

    CollisionCircle place(const CollisionCircle& circle) const {
        const double dx = circle.x - hotX;
        const double dy = circle.y - hotY;
        return CollisionCircle{static_cast<float>(x + scale * (dx * c - dy * s)),
                               static_cast<float>(y + scale * (dx * s + dy * c)),
                               static_cast<float>(scale * circle.radius)};
    }
};

bool hasCircles(const SceneObject* object) {
    return object != nullptr && object->definition != nullptr &&
           object->definition->sprite != nullptr && !object->definition->circles.empty();
}

} // namespace

bool transformedCircles(const SceneObject* object, std::vector<CollisionCircle>* circles) {
    if (circles == nullptr) {
        return false;
    }
    circles->clear();
    if (!hasCircles(object)) {
        return false;
    }
    const CirclePlacement placement(*object);
    for (const CollisionCircle& circle : object->definition->circles) {
        circles->push_back(placement.place(circle));
    }
    return true;
}

bool boxesOverlap(const Box& a, const Box& b) {
    const double ax = static_cast<double>(a.x1) + a.x2;
    const double bx = static_cast<double>(b.x1) + b.x2;
    const double ay = static_cast<double>(a.y1) + a.y2;
    const double by = static_cast<double>(b.y1) + b.y2;
    const double widths = (static_cast<double>(a.x2) - a.x1) + (static_cast<double>(b.x2) - b.x1);
    const double heights = (static_cast<double>(a.y2) - a.y1) + (static_cast<double>(b.y2) - b.y1);
    return std::abs(ax - bx) < widths && std::abs(ay - by) < heights;
}

static bool circlesOverlap(const CollisionCircle& a, const CollisionCircle& b) {
    const double reach = static_cast<double>(a.radius) + b.radius;
    if (reach < 0) {
        return false;
    }
    const double dx = static_cast<double>(a.x) - b.x;
    const double dy = static_cast<double>(a.y) - b.y;
    return dx * dx + dy * dy <= reach * reach;
}

bool circleSetsOverlap(const std::vector<CollisionCircle>& a,
                       const std::vector<CollisionCircle>& b) {
    for (const CollisionCircle& first : a) {
        for (const CollisionCircle& second : b) {
            if (circlesOverlap(first, second)) {
                return true;
            }
        }
    }
    return false;
}

namespace {

// The farthest any of the definition's circles reaches from its hot spot, unscaled.
double circleReach(const SpriteDefinition& definition) {
    const double hotX = definition.sprite->hotX();
    const double hotY = definition.sprite->hotY();
    double reach = 0;
    for (const CollisionCircle& c : definition.circles) {
        const double edge = std::hypot(c.x - hotX, c.y - hotY) + std::abs(c.radius);
        reach = std::max(reach, edge);
    }
    return reach;
}

// The circle set of the object looked for, with the box around it, so most of the family can be
// turned away by its position alone.
class CircleSet {
  public:
    explicit CircleSet(const std::vector<CollisionCircle>& set) : circles_(&set) {
        for (const CollisionCircle& c : set) {
            const double r = std::abs(static_cast<double>(c.radius));
            x1_ = std::min(x1_, c.x - r);
            y1_ = std::min(y1_, c.y - r);
            x2_ = std::max(x2_, c.x + r);
            y2_ = std::max(y2_, c.y + r);
        }
    }

    // True when none of other's circles can come near the set: they all lie within scale x reach
    // of its position, turned or not. A family's objects mostly stand in runs of one definition,
    // so the reach of the last definition is kept. The margin covers the rounding of placed
    // circles to float32.
    bool outOfReach(const SceneObject& other) {
        if (other.definition != reachOf_) {
            reachOf_ = other.definition;
            reach_ = circleReach(*reachOf_);
        }
        const double x = other.x;
        const double y = other.y;
        const double r = std::abs(static_cast<double>(other.scale)) * reach_;
        const double margin = 0.01 + 1e-6 * (std::abs(x) + std::abs(y) + r);
        return x + r + margin < x1_ || x2_ < x - r - margin || y + r + margin < y1_ ||
               y2_ < y - r - margin;
    }

    // A circle whose box is apart from the set's box cannot meet it; touching boxes still might.
    bool meets(const CollisionCircle& c) const {
        const double r = std::abs(static_cast<double>(c.radius));
        if (c.x + r < x1_ || x2_ < c.x - r || c.y + r < y1_ || y2_ < c.y - r) {
            return false;
        }
        for (const CollisionCircle& other : *circles_) {
            if (circlesOverlap(c, other)) {
                return true;
            }
        }
        return false;
    }

  private:
    const std::vector<CollisionCircle>* circles_;
    double x1_ = 1e300, y1_ = 1e300, x2_ = -1e300, y2_ = -1e300;
    const SpriteDefinition* reachOf_ = nullptr;
    double reach_ = 0;
};

// The circles of other, placed one at a time, against the set: the same answer as
// circleSetsOverlap on its transformed circles, without building them.
bool circlesHit(const SceneObject& other, CircleSet& set) {
    if (set.outOfReach(other)) {
        return false;
    }
    const CirclePlacement placement(other);
    for (const CollisionCircle& circle : other.definition->circles) {
        if (set.meets(placement.place(circle))) {
            return true;
        }
    }
    return false;
}

// Two circle sets decide alone; when either side has none, the boxes do.
bool shapesHit(const SceneObject& other, const Box& boxA, CircleSet* circlesA) {
    if (circlesA != nullptr && hasCircles(&other)) {
        return circlesHit(other, *circlesA);
    }
    Box boxB;
    return objectBounds(&other, &boxB) && boxesOverlap(boxA, boxB);
}

} // namespace

SceneObject* findOverlappingObject(SceneLayer& layer, const SceneObject* object,
                                   std::string_view prefix, int* position) {
    SceneLayerLists& lists = *layer.lists;
    Box boxA;
    if (!objectBounds(object, &boxA)) {
        return nullptr; // no shape to test: the cursor is left as it was
    }
    const bool hasCirclesA = transformedCircles(object, &lists.circlesA);
    CircleSet circlesA(lists.circlesA);
    const auto& list = lists.objectsByName;
    const int size = static_cast<int>(list.size());
    SceneObject* found = nullptr;
    int at = -1;
    for (int i = scanStart(layer, prefix, position); i < size; ++i) {
        if (!startsWith(list[i].key, prefix)) {
            break;
        }
        SceneObject* other = list[i].object;
        if (other == nullptr || other == object || !other->searchable ||
            other->definition == nullptr || other->definition->sprite == nullptr) {
            continue;
        }
        if (shapesHit(*other, boxA, hasCirclesA ? &circlesA : nullptr)) {
            found = other;
            at = i;
            break;
        }
    }
    if (position != nullptr) {
        *position = at;
    }
    return found;
}
