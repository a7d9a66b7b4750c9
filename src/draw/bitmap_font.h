#pragma once
// Text drawn with one sprite per character, cut from one character sheet that a small text file
// describes:
//
//   [HGEFONT]
//   Bitmap = font.png          (relative to the font file's folder)
//   Char = "A", x, y, width, height, pre, post
//   Char = 42, x, y, width, height, pre, post   (code in hexadecimal)
//
// A font that cannot be read stays empty and draws nothing.

#include "draw/sprite.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

constexpr int alignLeft = 0, alignRight = 1, alignCentre = 2;

class BitmapFont {
  public:
    // Reads the font file through the engine's loadFile.
    explicit BitmapFont(const char* fileName);
    // Reads the font from file bytes already in memory; fileName only names the folder of the
    // character sheet and the font in the log.
    BitmapFont(const char* fileName, const std::uint8_t* bytes, std::size_t size);
    ~BitmapFont();
    BitmapFont(const BitmapFont&) = delete;
    BitmapFont& operator=(const BitmapFont&) = delete;

    // Byte 10 starts a new line; only the low two bits of align count.
    void render(float x, float y, int align, const char* text);
    // Formats into a 1024-byte buffer; a longer text is cut to 1023 characters.
    void printf(float x, float y, int align, const char* format, ...)
        __attribute__((format(printf, 5, 6)));
    // Width of the text up to its end or its first byte 10, scaled.
    float stringWidth(const char* text) const;
    void setColour(std::uint32_t colour); // 0xAARRGGBB, on every letter
    std::uint32_t colour() const { return colour_; }
    void setScale(float scale) { scale_ = scale; }
    float scale() const { return scale_; }
    float height() const { return height_; } // tallest letter, unscaled pixels

  private:
    void parse(const char* fileName, const char* text, std::size_t size);
    bool readBitmapLine(const char* fileName, const char* line);
    void readCharLine(const char* line);
    float lineStart(float x, int align, const char* text) const;
    // The code whose letter a byte draws: its own, else '?', else -1 (nothing, no space).
    int chosenCode(char c) const;

    static constexpr std::size_t bufferSize = 1024;
    char buffer_[bufferSize] = {};
    TextureHandle texture_ = 0;            // the sheet of the letters being read
    std::vector<TextureHandle> textures_;  // every sheet loaded, freed with the font
    std::unique_ptr<Sprite> letters_[256]; // none where the font has no letter
    float pre_[256] = {};
    float post_[256] = {};
    float height_ = 0;
    float scale_ = 1;
    float rotation_ = 0;
    float tracking_ = 0;
    float lineSpacing_ = 1;
    std::uint32_t colour_ = 0xFFFFFFFF;
    Engine* engine_ = nullptr;
};
