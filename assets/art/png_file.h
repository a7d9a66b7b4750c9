#pragma once

#include <string>

#include "image.h"

// Writes the picture as an 8-bit RGBA PNG with no time stamp, so equal pictures give equal files.
// Returns false when the file cannot be written.
// `level` is the zlib level: 6 for the packed pictures, lower for quick review sheets.
bool writePng(const std::string& fileName, const Image& image, int level = 6);
