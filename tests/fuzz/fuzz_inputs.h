#pragma once
// Entry points shared by the fuzz targets (fuzz/) and the test that replays their corpus: each
// feeds one file's bytes through the game's readers and then uses the result the way the game
// does, on the headless engine.

#include <cstddef>
#include <cstdint>

#include <string>

// Writes a small character sheet "graphics\font.png" into the folder and serves the program's
// files from there, so "Bitmap" lines can load a texture. Call once before feeding fonts.
void prepareFuzzFiles(const std::string& folder);

void feedFontBytes(const std::uint8_t* bytes, std::size_t size);
void feedPresetBytes(const std::uint8_t* bytes, std::size_t size);
