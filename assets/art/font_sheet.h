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
// line height, so the font's height is its line height. A halo > 0 rings every letter with a dark
// rim that many pixels wide, so the text reads on any ground; the rim is cut at the cell's top,
// which only the tallest accents reach.
FontSheet buildFontSheet(const TypeFace& face, const std::string& bitmapName, int sheetWidth,
                         int halo = 0);

// True for the codes the font sheets cover.
bool isPrintableLatin1(unsigned code);
