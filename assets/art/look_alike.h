#pragma once

#include <map>
#include <string>
#include <vector>

#include "contact_sheet.h"
#include "image.h"

// What a player must tell apart at a glance, and the floors it is seen on.

// A floor picture as the hall shows it at full light: multiplied by one of the tints the hall
// gives its family.
struct FloorTile {
    std::string name;   // "floorb2.png x FFD3FF"
    std::string family; // "stone", "plank", "pattern"
    Image image;
};
std::vector<FloorTile> floorTiles();

// A piece, an amoeba frame or an end, with the least luminance contrast its outline needs
// against any floor.
struct ContrastSample {
    std::string name;
    Image image;
    float leastContrast;
};
std::vector<ContrastSample> contrastSamples();

// Two pictures whose outlines must differ.
struct LookAlikePair {
    std::string name;
    Image a, b;
};
std::vector<LookAlikePair> lookAlikePairs();

// A floor picture with its decoration, and the plain picture of its family.
struct Decoration {
    std::string name;
    Image decorated, plain;
};
std::vector<Decoration> floorDecorations();

// The "look-alike" page: every pair side by side at 1× on each floor family, lit and at the dim
// edge of a light; it goes at the head of the sheet.
void addLookAlikePage(ContactSheet& sheet);
