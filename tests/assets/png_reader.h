#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <png.h>

// A decoded PNG as 8-bit RGBA, for checking what the art builder wrote.
struct DecodedPng {
    bool valid = false;
    int width = 0, height = 0;
    std::vector<std::uint8_t> rgba;

    std::uint8_t alpha(int x, int y) const {
        return rgba[(static_cast<std::size_t>(y) * width + x) * 4 + 3];
    }
};

inline DecodedPng readPng(const std::string& fileName) {
    DecodedPng out;
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, fileName.c_str())) {
        return out;
    }
    image.format = PNG_FORMAT_RGBA;
    out.rgba.resize(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, out.rgba.data(), 0, nullptr)) {
        png_image_free(&image);
        return out;
    }
    out.valid = true;
    out.width = static_cast<int>(image.width);
    out.height = static_cast<int>(image.height);
    return out;
}
