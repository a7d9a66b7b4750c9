#pragma once

#include <string>

#include "image.h"

// Writes the picture as an 8-bit RGBA PNG with no time stamp, so equal pictures give equal files.
// Returns false when the file cannot be written.
bool writePng(const std::string& fileName, const Image& image);
