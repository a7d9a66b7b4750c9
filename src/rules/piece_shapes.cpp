#include "rules/piece_shapes.h"

#include <iterator>

namespace {

// A wall block: one circle filling the cell and four small ones in its corners, so that pieces
// sliding past a corner touch it.
constexpr PieceShape wall(const char* name) {
    return {name, 44, 44,
            44,   44, 22,
            22,   5,  {{22, 22, 22}, {6, 6, 6}, {38, 6, 6}, {6, 38, 6}, {38, 38, 6}}};
}

// A 44-pixel cell with the hot spot in its centre and one centred circle.
constexpr PieceShape cell(const char* name, float radius, float sheetWidth = 44) {
    return {name, 44, 44, sheetWidth, 44, 22, 22, 1, {{22, 22, radius}}};
}

// In the order of Picture.
constexpr PieceShape shapes[] = {
    {"game back", 500, 500, 500, 500, 250, 250, 0, {}},
    {"mouse cursor", 4, 4, 4, 4, 2, 2, 1, {{2, 2, 2}}},
    wall("hallwall"),
    wall("hallwallx1"),
    wall("hallwallx2"),
    wall("hallwallx3"),
    wall("hallwallx4"),
    // Three cells high; the hot spot is the middle cell's centre and the circles cover it.
    {"hallwallwindow",
     44,
     132,
     44,
     132,
     22,
     66,
     5,
     {{22, 66, 22}, {6, 50, 6}, {38, 50, 6}, {6, 82, 6}, {38, 82, 6}}},
    cell("hallfloor", 22),
    cell("hallfloor2", 22),
    cell("hallfloor3", 22),
    cell("hallfloor4", 22),
    cell("hallfloora", 22),
    cell("hallfloora1", 22),
    cell("hallfloora2", 22),
    cell("hallfloora3", 22),
    cell("hallfloora4", 22),
    cell("hallfloorb", 22),
    cell("hallfloorb1", 22),
    cell("hallfloorb2", 22),
    cell("hallfloorb3", 22),
    cell("hallfloorb4", 22),
    cell("hallitemball", 21),
    cell("hallendball", 14),
    {"hallitembox",
     44,
     44,
     44,
     44,
     22,
     22,
     5,
     {{22, 22, 21}, {6, 6, 5}, {38, 6, 5}, {6, 38, 5}, {38, 38, 5}}},
    cell("hallendbox", 14),
    cell("hallitemspike", 21),
    cell("hallendspike", 14),
    cell("hallmutaceball", 6),
    cell("hallmutacebox", 6),
    cell("hallmutacespike", 6),
    cell("halllightlightfire", 10),
    cell("halllightlightday", 10),
    cell("hallarrow", 2),
    // Amoebas: eight frames of a loop side by side.
    cell("hallitemamoebaball", 21, 352),
    cell("hallitemamoebabox", 21, 352),
    cell("hallitemamoebaspike", 21, 352),
    {"hallbigamoeba", 132, 132, 1056, 132, 66, 66, 1, {{66, 66, 40}}},
    cell("hallteleporta", 6),
    cell("hallteleportb", 6),
    cell("hallteleportc", 6),
    cell("hallgateball", 6),
    cell("hallgatebox", 6),
    cell("hallgatespike", 6),
};
static_assert(std::size(shapes) == static_cast<std::size_t>(Picture::Count),
              "one shape per picture");

} // namespace

const PieceShape& shapeOf(Picture picture) {
    const auto index = static_cast<std::size_t>(picture);
    return shapes[index < std::size(shapes) ? index : 0];
}

Picture pictureNamed(std::string_view definition) {
    for (std::size_t i = 0; i < std::size(shapes); ++i) {
        if (definition == shapes[i].definition) {
            return static_cast<Picture>(i);
        }
    }
    return Picture::Count;
}
