#pragma once

#include <string>
#include <vector>

#include "image.h"

// One picture of the game's sprite catalogue and how to draw it.
struct ArtPicture {
    const char* fileName; // inside the output folder, forward slashes
    int width, height;    // the least size the game reads: the row's sheet size
    Image (*draw)();
};

// Every picture the game loads from the graphics pack, in the catalogue's order.
const std::vector<ArtPicture>& artPictures();

// The two font descriptions with their sheets, inside the output folder.
constexpr const char* largeFontFile = "graphics/font.fnt";
constexpr const char* smallFontFile = "graphics/fontsmall.fnt";
