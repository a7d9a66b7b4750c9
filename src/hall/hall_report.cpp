#include "hall/hall_report.h"

#include "hall/tool_text.h"

#include <cstring>

namespace {

// Records the hall as it stands when the cells are placed: after every placement, before the
// scramble. The style draws in between touch neither grid nor table.
class StartRecorder : public HallSceneBuilder {
  public:
    explicit StartRecorder(HallSnapshot* start) : start(start) {}
    void placeBackground(HallGrid&) override {}
    void placeCells(HallGrid& hall, const HallStyle&) override { *start = takeSnapshot(hall); }
    void placeSpecialObjects(HallGrid&) override {}
    void placeEnds(HallGrid&) override {}
    void placeLightsAndSound(HallGrid&) override {}

  private:
    HallSnapshot* start;
};

void appendGrid(std::string& out, const HallSnapshot& snapshot) {
    for (int y = 0; y < hallSize; ++y) {
        for (int x = 0; x < hallSize; ++x) {
            if (x > 0) {
                out += ' ';
            }
            out += std::to_string(snapshot.grid[x][y]);
        }
        out += '\n';
    }
}

void appendSpecials(std::string& out, const HallSnapshot& snapshot) {
    for (int k = 0; k < specialCapacity; ++k) {
        if (snapshot.specialCode[k] > 0) {
            out += std::to_string(k) + ' ' + std::to_string(snapshot.specialX[k]) + ' ' +
                   std::to_string(snapshot.specialY[k]) + ' ' +
                   std::to_string(snapshot.specialCode[k]) + '\n';
        }
    }
}

char specialChar(CellCode code) {
    if (isArrow(code)) {
        return ">v<^"[code - ArrowRight];
    }
    if (isTeleport(code)) {
        return "123"[code - TeleportA];
    }
    if (isMutation(code)) {
        return "mnp"[code - MutationBall];
    }
    if (isGate(code)) {
        return "ghk"[code - GateBall];
    }
    return '?';
}

char cellChar(CellCode code) {
    if (isItem(code)) {
        return "bxs"[code - CellBall];
    }
    if (isAmoeba(code)) {
        return "BXS"[code - CellAmoebaBall];
    }
    switch (code) {
    case CellVoid:
        return ' ';
    case CellWall:
        return '#';
    case CellFloor:
        return '.';
    case CellWindowSide:
        return '+';
    case CellWindowLeft:
    case CellWindowRight:
        return '|';
    case CellWindowTop:
    case CellWindowBottom:
        return '-';
    default:
        return '?';
    }
}

// Rows of characters; a special object shows on its floor cell, a piece on top of it.
void drawMap(const HallSnapshot& snapshot, char rows[hallSize][hallSize]) {
    for (int y = 0; y < hallSize; ++y) {
        for (int x = 0; x < hallSize; ++x) {
            rows[y][x] = cellChar(snapshot.grid[x][y]);
        }
    }
    for (int k = specialCapacity - 1; k >= 0; --k) { // downwards, so the first entry wins
        const int x = snapshot.specialX[k];
        const int y = snapshot.specialY[k];
        if (snapshot.specialCode[k] > 0 && insideHall(x, y) && snapshot.grid[x][y] == CellFloor) {
            rows[y][x] = specialChar(snapshot.specialCode[k]);
        }
    }
}

void trimTrailingBlanks(std::string& line) {
    while (!line.empty() && line.back() == ' ') {
        line.pop_back();
    }
}

} // namespace

HallSnapshot takeSnapshot(const HallGrid& hall) {
    HallSnapshot snapshot;
    std::memcpy(snapshot.grid, hall.grid, sizeof hall.grid);
    std::memcpy(snapshot.specialX, hall.specialX, sizeof hall.specialX);
    std::memcpy(snapshot.specialY, hall.specialY, sizeof hall.specialY);
    std::memcpy(snapshot.specialCode, hall.specialCode, sizeof hall.specialCode);
    return snapshot;
}

HallRun runHall(std::string_view name, int level, PushObserver* observer) {
    HallRun run;
    GameRandom random;
    random.seedFromText(levelSeedText(level, name));
    run.seed = random.state;
    HallGrid hall;
    StartRecorder recorder(&run.start);
    run.generation = generateHall(hall, random, level, &recorder, observer);
    run.after = takeSnapshot(hall);
    run.finalState = random.state;
    return run;
}

std::string formatHallReport(const HallRun& run) {
    const HallStyle& style = run.generation.style;
    std::string out;
    out += "seed " + std::to_string(run.seed) + '\n';
    out += "layout " + std::to_string(run.generation.layout) + '\n';
    out += "start\n";
    appendGrid(out, run.start);
    out += "specials\n";
    appendSpecials(out, run.start);
    out += "style " + std::to_string(style.floorStyle) + ' ' + std::to_string(style.wallTint) +
           ' ' + std::to_string(style.floorVariant) + '\n';
    out += "passes " + std::to_string(run.generation.passes) + '\n';
    out += "after\n";
    appendGrid(out, run.after);
    out += "specials-after\n";
    appendSpecials(out, run.after);
    out += "state " + std::to_string(run.finalState) + '\n';
    return out;
}

std::string formatHallMap(std::string_view name, int level, const HallRun& run) {
    const HallStyle& style = run.generation.style;
    std::string out;
    out += '"';
    out += printableName(name);
    out += "\" level " + std::to_string(level) + ": seed " + std::to_string(run.seed) +
           ", layout " + std::to_string(run.generation.layout) + ", style " +
           std::to_string(style.floorStyle) + ' ' + std::to_string(style.wallTint) + ' ' +
           std::to_string(style.floorVariant) + ", passes " +
           std::to_string(run.generation.passes) + '\n';
    out += "generated                scrambled (items on their ends)\n";
    char start[hallSize][hallSize];
    char after[hallSize][hallSize];
    drawMap(run.start, start);
    drawMap(run.after, after);
    for (int y = 0; y < hallSize; ++y) {
        std::string line(start[y], hallSize);
        line += "    ";
        line.append(after[y], hallSize);
        trimTrailingBlanks(line);
        out += line + '\n';
    }
    out += "# wall  + window side  | - window  . floor  b x s ball, box, spike  B X S amoeba\n";
    out += "> v < ^ arrow  1 2 3 teleport a, b, c  m n p mutation cell  g h k gate"
           " (ball, box, spike)\n";
    return out;
}
