#pragma once
// Runs the generator for a name and a level the way the game does at a level start, and puts
// what it did into words: the hall tool's text form, and a map for people.

#include "hall/hall_generator.h"

#include <cstdint>
#include <string>
#include <string_view>

// The cells and special objects of a hall at one moment.
struct HallSnapshot {
    std::int32_t grid[hallSize][hallSize] = {};
    std::int32_t specialX[specialCapacity] = {};
    std::int32_t specialY[specialCapacity] = {};
    std::int32_t specialCode[specialCapacity] = {};
};

HallSnapshot takeSnapshot(const HallGrid& hall);

struct HallRun {
    std::int32_t seed = 0; // random state right after seeding from the level seed text
    HallGeneration generation;
    HallSnapshot start; // as placed, before the scramble
    HallSnapshot after; // after the scramble: the items stand on their ends
    std::int32_t finalState = 0;
};

// Seeds a fresh random source from the level seed text and generates the hall.
HallRun runHall(std::string_view name, int level, PushObserver* observer = nullptr);

// The text form: seed, layout, the grid and the special objects before and after the scramble,
// style, passes and the final random state; every line ends with a newline.
std::string formatHallReport(const HallRun& run);

// One character per cell, the generated hall and the scrambled one side by side, and a legend.
// The name is printed with its control bytes escaped.
std::string formatHallMap(std::string_view name, int level, const HallRun& run);
