#include "solver/lost_hall.h"

#include "rules/hall_pieces.h"
#include "rules/piece_shapes.h"

#include <array>
#include <cmath>
#include <vector>

namespace {

constexpr int kindCount = 3;
// Rounding of positions never decides a proof: distances are judged with this much to spare.
constexpr double slack = 0.5;

int index(PieceKind kind) {
    return static_cast<int>(kind) - 1;
}

PieceKind kindAt(int i) {
    return static_cast<PieceKind>(i + 1);
}

double offsetOf(const PieceShape& shape, const ShapeCircle& circle) {
    return std::hypot(circle.x - shape.hotX, circle.y - shape.hotY);
}

// How far from its position a picture's circles reach.
double reach(Picture picture) {
    const PieceShape& shape = shapeOf(picture);
    double farthest = 0;
    for (int i = 0; i < shape.circleCount; ++i) {
        farthest = std::fmax(farthest, offsetOf(shape, shape.circles[i]) + shape.circles[i].radius);
    }
    return farthest;
}

// The radius of the circle centred on the picture's position; 0 when it has none.
double centreRadius(Picture picture) {
    const PieceShape& shape = shapeOf(picture);
    for (int i = 0; i < shape.circleCount; ++i) {
        if (offsetOf(shape, shape.circles[i]) == 0) {
            return shape.circles[i].radius;
        }
    }
    return 0;
}

Picture itemPicture(PieceKind kind) {
    switch (kind) {
    case PieceKind::Ball:
        return Picture::ItemBall;
    case PieceKind::Box:
        return Picture::ItemBox;
    default:
        return Picture::ItemSpike;
    }
}

struct Place {
    float x = 0, y = 0;
    Picture picture = Picture::EndBall;
    float scale = 1;
};

double distance(const Place& a, const Place& b) {
    return std::hypot(static_cast<double>(a.x) - b.x, static_cast<double>(a.y) - b.y);
}

// What the hall holds, by kind.
struct Census {
    std::array<int, kindCount> items{}, amoebas{}, cells{};
    std::array<std::vector<Place>, kindCount> ends;
    std::vector<Place> bigAmoebas;
    int allItems = 0;
};

void countObject(const PlayObject& object, Census& census) {
    const PieceName name = object.name;
    const Place place{object.x, object.y, object.picture, object.scale};
    if (name == PieceName::BigAmoeba) {
        census.bigAmoebas.push_back(place);
        return;
    }
    const PieceKind kind = kindOfName(name);
    if (kind == PieceKind::None) {
        return;
    }
    const int k = index(kind);
    if (family::ends.contains(name)) {
        census.ends[k].push_back(place);
    } else if (family::amoebas.contains(name)) {
        ++census.amoebas[k];
    } else if (family::pieces.contains(name)) {
        ++census.items[k];
        ++census.allItems;
    } else if (family::mutationCells.contains(name)) {
        ++census.cells[k];
    }
}

Census takeCensus(const PlayState& state) {
    Census census;
    for (const PlayObject& object : state.objects) {
        if (object.alive && object.searchable) {
            countObject(object, census);
        }
    }
    return census;
}

bool any(const std::array<int, kindCount>& counts) {
    return counts[0] + counts[1] + counts[2] > 0;
}

// The kinds a mutation cell could ever take. An item changes kind only on a mutation cell; a
// cell takes the kind of an amoeba that crosses it; an amoeba takes the kind of an item it
// meets. Each step is assumed to be possible whenever its pieces exist.
std::array<bool, kindCount> possibleCellKinds(const Census& census) {
    std::array<bool, kindCount> item{}, cell{}, amoeba{};
    for (int k = 0; k < kindCount; ++k) {
        item[k] = census.items[k] > 0;
        cell[k] = census.cells[k] > 0;
        amoeba[k] = census.amoebas[k] > 0;
    }
    for (bool changed = true; changed;) {
        changed = false;
        for (int k = 0; k < kindCount; ++k) {
            const std::array<bool, 3> next{item[k] || (census.allItems > 0 && cell[k]),
                                           cell[k] || (any(census.cells) && amoeba[k]),
                                           amoeba[k] || (any(census.amoebas) && item[k])};
            changed = changed || next[0] != item[k] || next[1] != cell[k] || next[2] != amoeba[k];
            item[k] = next[0];
            cell[k] = next[1];
            amoeba[k] = next[2];
        }
    }
    return cell;
}

// How many items of the kind the ends need at least. One item might overlap two ends that lie
// close together, so only ends too far apart to share an item are counted, picked greedily.
int endsNeeded(const std::vector<Place>& ends, PieceKind kind) {
    const double itemReach = reach(itemPicture(kind));
    std::vector<const Place*> apart;
    for (const Place& end : ends) {
        bool shares = false;
        for (const Place* other : apart) {
            const double limit = 2 * itemReach + reach(end.picture) + reach(other->picture);
            shares = shares || distance(end, *other) <= limit + slack;
        }
        if (!shares) {
            apart.push_back(&end);
        }
    }
    return static_cast<int>(apart.size());
}

// An end so close to a big amoeba that every item overlapping it would touch the big amoeba,
// which breaks the item before it could come to rest there. A big amoeba only grows.
bool endSwallowed(const Census& census, const Place& end, PieceKind kind) {
    const Picture item = itemPicture(kind);
    for (const Place& big : census.bigAmoebas) {
        const double bigRadius = centreRadius(big.picture) * big.scale;
        const double reachable = centreRadius(item) + bigRadius - reach(item) - reach(end.picture);
        if (distance(end, big) <= reachable - slack) {
            return true;
        }
    }
    return false;
}

} // namespace

LostHall findLostHall(const PlayState& state) {
    const Census census = takeCensus(state);
    const std::array<bool, kindCount> cellKinds = possibleCellKinds(census);
    LostHall lost;
    int allNeeded = 0;
    for (int k = 0; k < kindCount; ++k) {
        for (const Place& end : census.ends[k]) {
            if (endSwallowed(census, end, kindAt(k))) {
                return {true, kindAt(k), 1, 0, true};
            }
        }
        const int needed = endsNeeded(census.ends[k], kindAt(k));
        const int available = cellKinds[k] ? census.allItems : census.items[k];
        allNeeded += needed;
        if (available < needed && !lost.lost) {
            lost = {true, kindAt(k), needed, available, false};
        }
    }
    if (!lost.lost && census.allItems < allNeeded) {
        lost = {true, PieceKind::None, allNeeded, census.allItems, false};
    }
    return lost;
}

std::string describeLostHall(const LostHall& lost) {
    if (!lost.lost) {
        return "can still be solved";
    }
    const std::string kind(kindWord(lost.kind));
    if (lost.endSwallowed) {
        return "an end of kind " + kind + " lies under a big amoeba";
    }
    const std::string what = lost.kind == PieceKind::None ? "ends" : "ends of kind " + kind;
    return std::to_string(lost.endsNeeded) + " " + what + " need an item each, " +
           std::to_string(lost.itemsAvailable) + " could still cover them";
}
