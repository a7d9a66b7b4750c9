#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "image.h"

// One rendered character: an 8-bit coverage bitmap placed relative to the pen on the baseline.
struct Glyph {
    int left = 0; // pixels from the pen to the bitmap's left edge
    int top = 0;  // pixels from the baseline up to the bitmap's top edge
    int width = 0, height = 0;
    int advance = 0; // whole pixels the pen moves after the character
    std::vector<std::uint8_t> coverage;
};

// A TrueType face at one pixel size, rendered through FreeType with light hinting.
class TypeFace {
  public:
    TypeFace(const std::string& fileName, int pixelSize);
    ~TypeFace();
    TypeFace(const TypeFace&) = delete;
    TypeFace& operator=(const TypeFace&) = delete;

    bool loaded() const { return face_ != nullptr; }
    // Latin-1 code (0..255) → glyph; an empty glyph when the face lacks it.
    Glyph glyph(unsigned code) const;
    int ascender() const;  // pixels above the baseline
    int descender() const; // pixels below the baseline (positive)
    int textWidth(const std::string& latin1) const;
    // Draws the text in `colour` with its baseline at y, starting at pen x.
    void drawText(Image& image, float x, float y, const std::string& latin1, Rgba colour) const;

  private:
    void* library_ = nullptr;
    void* face_ = nullptr;
};

// The folder of the DejaVu fonts the builder renders text from.
std::string fontFolder();
