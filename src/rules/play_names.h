#pragma once
// The names of the hall's objects. Play keeps them as a small number whose order is the byte-wise
// order of the name texts, so "every object whose name begins with a prefix" is a range of
// numbers, and the objects sorted by number are sorted as the scene layer sorts names.

#include <cstdint>
#include <string_view>

enum class PieceName : std::uint8_t {
    ArrowDown,
    ArrowLeft,
    ArrowRight,
    ArrowUp,
    BigAmoeba,
    EndBall,
    EndBox,
    EndSpike,
    Floor,
    GateBall,
    GateBox,
    GateSpike,
    AmoebaBall,
    AmoebaBox,
    AmoebaSpike,
    ItemBall,
    ItemBox,
    ItemSpike,
    LightDay,
    LightFire,
    MutationBall,
    MutationBox,
    MutationSpike,
    TeleportA,
    TeleportB,
    TeleportC,
    WallWindow, // windows, and the grass behind the hall
    WallPiece,  // every wall block, whatever its picture
    Count
};

constexpr std::string_view pieceNameTexts[] = {
    "hallarrowdown",      "hallarrowleft",     "hallarrowright",      "hallarrowup",
    "hallbigamoeba",      "hallendball",       "hallendbox",          "hallendspike",
    "hallfloor",          "hallgateball",      "hallgatebox",         "hallgatespike",
    "hallitemamoebaball", "hallitemamoebabox", "hallitemamoebaspike", "hallitemball",
    "hallitembox",        "hallitemspike",     "halllightlightday",   "halllightlightfire",
    "hallmutaceball",     "hallmutacebox",     "hallmutacespike",     "hallteleporta",
    "hallteleportb",      "hallteleportc",     "hallwallwindow",      "hallwallx"};
static_assert(std::size(pieceNameTexts) == static_cast<std::size_t>(PieceName::Count));

constexpr std::string_view nameText(PieceName name) {
    return pieceNameTexts[static_cast<std::size_t>(name)];
}

// The names that begin with a prefix: [first, end).
struct NameRange {
    int first = 0, end = 0;
    constexpr bool contains(PieceName name) const {
        const int n = static_cast<int>(name);
        return n >= first && n < end;
    }
};

constexpr NameRange namesWithPrefix(std::string_view prefix) {
    NameRange range{static_cast<int>(PieceName::Count), static_cast<int>(PieceName::Count)};
    bool found = false;
    for (int i = 0; i < static_cast<int>(PieceName::Count); ++i) {
        const bool match = pieceNameTexts[i].substr(0, prefix.size()) == prefix;
        if (match && !found) {
            range.first = i;
            found = true;
        }
        if (match) {
            range.end = i + 1;
        }
    }
    return found ? range : NameRange{0, 0};
}

constexpr NameRange onlyName(PieceName name) {
    return {static_cast<int>(name), static_cast<int>(name) + 1};
}

// The families the rules ask about.
namespace family {
constexpr NameRange pieces = namesWithPrefix("hallitem");
constexpr NameRange amoebas = namesWithPrefix("hallitemamoeba");
constexpr NameRange walls = namesWithPrefix("hallwall");
constexpr NameRange wallPieces = namesWithPrefix("hallwallx");
constexpr NameRange ends = namesWithPrefix("hallend");
constexpr NameRange lights = namesWithPrefix("halllight");
constexpr NameRange torches = namesWithPrefix("halllightlightfire");
constexpr NameRange mutationCells = namesWithPrefix("hallmutace");
constexpr NameRange arrows = namesWithPrefix("hallarrow");
constexpr NameRange teleports = namesWithPrefix("hallteleport");
constexpr NameRange gates = namesWithPrefix("hallgate");
constexpr NameRange bigAmoebas = namesWithPrefix("hallbigamoeba");
} // namespace family
