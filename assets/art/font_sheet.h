#pragma once

#include <string>

#include "image.h"
#include "type_face.h"

// A bitmap font: the description text (the game's "[HGEFONT]" format) and its character sheet.
struct FontSheet {
    std::string description;
    Image sheet;
};

// Renders the printable Latin-1 characters (32..126 and 160..255) as white glyphs with a soft
// dark shadow into a sheet `sheetWidth` pixels wide; the description names the sheet as
// `bitmapName`, relative to the description file's folder. Every character cell has the full
// line height, so the font's height is its line height.
FontSheet buildFontSheet(const TypeFace& face, const std::string& bitmapName, int sheetWidth);

// True for the codes the font sheets cover.
bool isPrintableLatin1(unsigned code);
