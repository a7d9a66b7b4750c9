// Scene layer queries on a layer shaped like a busy hall: a floor under every one of the 21 x 21
// cells, walls and windows, items and their ends, elements and 40 lights; about 900 objects.

#include "presentation/scene_layer.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

namespace {

constexpr int hallCells = 21;
constexpr float cellSize = 44;

float cellCentre(int i) {
    return cellSize * static_cast<float>(i) + cellSize / 2;
}

// One definition per name, shared by every object of that name as in the game's catalogue.
SpriteDefinition* hallDefinition(SceneLayer& layer, const char* name) {
    if (SpriteDefinition* known = findDefinition(layer, name)) {
        return known;
    }
    SpriteDefinition* d = defineSprite(layer, name, 0, 0, 0, 44, 44, 0, 0, 0);
    d->sprite->setHotSpot(22, 22);
    return d;
}

struct BusyHall {
    std::unique_ptr<SceneLayer> layer = createLayer();
    SceneObject* piece = nullptr;
    int objects = 0;
};

BusyHall buildBusyHall() {
    BusyHall hall;
    SceneLayer& layer = *hall.layer;
    const char* wallNames[] = {"hallwallx1", "hallwallx2", "hallwallx3", "hallwallx4"};
    const char* floorNames[] = {"hallfloor", "hallfloora2", "hallfloorb3"};
    const char* itemNames[] = {"hallitemball", "hallitembox", "hallitemspike"};
    const char* endNames[] = {"hallendball", "hallendbox", "hallendspike"};
    std::uint32_t seed = 12345;
    auto draw = [&seed](std::uint32_t n) {
        seed = seed * 1664525u + 1013904223u;
        return (seed >> 8) % n;
    };
    for (int x = 0; x < hallCells; ++x) {
        for (int y = 0; y < hallCells; ++y) {
            const float cx = cellCentre(x);
            const float cy = cellCentre(y);
            const char* floor = floorNames[draw(3)];
            addObject(layer, floor, hallDefinition(layer, floor), cx, cy, 0);
            const bool border = x == 0 || y == 0 || x == hallCells - 1 || y == hallCells - 1;
            const bool pieceRoom = x >= 9 && x <= 11 && y >= 9 && y <= 11;
            const std::uint32_t roll = pieceRoom ? 99 : draw(100);
            const char* name = nullptr;
            SpriteDefinition* d = nullptr;
            if (border || roll < 47) {
                name = roll % 13 == 0 ? "hallwallwindow" : wallNames[draw(4)];
                d = hallDefinition(layer, name);
            } else if (roll < 61) {
                name = itemNames[draw(3)];
                d = hallDefinition(layer, name);
            } else if (roll < 77) {
                name = endNames[draw(3)];
                d = hallDefinition(layer, name);
            } else if (roll < 92) {
                name = roll % 2 ? "hallarrow" : "hallteleporta";
                d = hallDefinition(layer, name);
            }
            if (d != nullptr) {
                addObject(layer, name, d, cx, cy, 0);
            }
        }
    }
    for (int i = 0; i < 40; ++i) {
        const char* name = i % 2 ? "halllightlightfire" : "halllightlightday";
        SceneObject* light = addObject(layer, name, hallDefinition(layer, name),
                                       cellCentre(static_cast<int>(draw(21))),
                                       cellCentre(static_cast<int>(draw(21))), 0);
        light->lightRadius = 150 + static_cast<float>(draw(100));
        light->lightColour = 0xFFFFC080;
    }
    // A moving piece between cells.
    hall.piece = addObject(layer, "hallitemball", hallDefinition(layer, "hallitemball"),
                           cellCentre(10) + 2, cellCentre(10), 0);
    hall.objects = collectObjectsByName(layer, "", false);
    return hall;
}

BusyHall& busyHall() {
    static BusyHall hall = buildBusyHall();
    return hall;
}

void applyLightsOverTheHall(benchmark::State& state) {
    BusyHall& hall = busyHall();
    for (auto _ : state) {
        applyLights(*hall.layer, "hall", "halllight", 380, 462, 462, 0xFFFFFFFF);
        benchmark::DoNotOptimize(hall.piece->cornerColours[0]);
    }
    state.counters["objects"] = hall.objects;
    state.counters["lights"] = collectObjectsByName(*hall.layer, "halllight", false);
}
BENCHMARK(applyLightsOverTheHall)->Unit(benchmark::kMicrosecond);

void collectItemsByName(benchmark::State& state) {
    BusyHall& hall = busyHall();
    int count = 0;
    for (auto _ : state) {
        count = collectObjectsByName(*hall.layer, "hallitem", false);
        benchmark::DoNotOptimize(count);
    }
    state.counters["items"] = count;
}
BENCHMARK(collectItemsByName);

} // namespace
