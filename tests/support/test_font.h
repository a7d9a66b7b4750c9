#pragma once
// A font for tests, read from memory without a character sheet: every letter of "A".."Z",
// "a".."z", "0".."9", blank, "." and "-" is 10 units wide and 20 high, with no spacing, so a
// text of n letters is 10·n units wide and one line is 20 high.

#include "draw/bitmap_font.h"

#include <memory>
#include <string>

inline std::unique_ptr<BitmapFont> makeTestFont() {
    std::string file = "[HGEFONT]\n";
    const std::string letters =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789 .-?";
    for (char c : letters) {
        file += std::string("Char = \"") + c + "\", 0, 0, 10, 20, 0, 0\n";
    }
    return std::make_unique<BitmapFont>(
        "test.fnt", reinterpret_cast<const std::uint8_t*>(file.data()), file.size());
}
