#pragma once

#include <string>

// Draws every picture and both fonts into outputDir (graphics/...) and the review sheet into
// contactSheet. Returns false, with a message in *error, when a file cannot be written.
bool buildArt(const std::string& outputDir, const std::string& contactSheet, std::string* error);
