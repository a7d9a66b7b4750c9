#include "type_face.h"

#include <ft2build.h>
#include FT_FREETYPE_H

namespace {

FT_Face asFace(void* face) {
    return static_cast<FT_Face>(face);
}

} // namespace

std::string fontFolder() {
    return "/usr/share/fonts/truetype/dejavu/";
}

TypeFace::TypeFace(const std::string& fileName, int pixelSize) {
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0) {
        return;
    }
    library_ = library;
    FT_Face face = nullptr;
    if (FT_New_Face(library, fileName.c_str(), 0, &face) != 0) {
        return;
    }
    if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelSize)) != 0) {
        FT_Done_Face(face);
        return;
    }
    face_ = face;
}

TypeFace::~TypeFace() {
    if (face_ != nullptr) {
        FT_Done_Face(asFace(face_));
    }
    if (library_ != nullptr) {
        FT_Done_FreeType(static_cast<FT_Library>(library_));
    }
}

Glyph TypeFace::glyph(unsigned code) const {
    Glyph g;
    if (face_ == nullptr) {
        return g;
    }
    FT_Face face = asFace(face_);
    const FT_UInt index = FT_Get_Char_Index(face, code);
    if (FT_Load_Glyph(face, index, FT_LOAD_RENDER | FT_LOAD_TARGET_LIGHT) != 0) {
        return g;
    }
    const FT_GlyphSlot slot = face->glyph;
    g.left = slot->bitmap_left;
    g.top = slot->bitmap_top;
    g.width = static_cast<int>(slot->bitmap.width);
    g.height = static_cast<int>(slot->bitmap.rows);
    g.advance = static_cast<int>((slot->advance.x + 32) >> 6);
    g.coverage.resize(static_cast<std::size_t>(g.width) * g.height);
    for (int y = 0; y < g.height; ++y) {
        const unsigned char* row = slot->bitmap.buffer + y * slot->bitmap.pitch;
        for (int x = 0; x < g.width; ++x) {
            g.coverage[static_cast<std::size_t>(y) * g.width + x] = row[x];
        }
    }
    return g;
}

int TypeFace::ascender() const {
    return face_ ? static_cast<int>((asFace(face_)->size->metrics.ascender + 63) >> 6) : 0;
}

int TypeFace::descender() const {
    return face_ ? static_cast<int>((-asFace(face_)->size->metrics.descender + 63) >> 6) : 0;
}

int TypeFace::textWidth(const std::string& latin1) const {
    int width = 0;
    for (unsigned char c : latin1) {
        width += glyph(c).advance;
    }
    return width;
}

void TypeFace::drawText(Image& image, float x, float y, const std::string& latin1,
                        Rgba colour) const {
    int pen = static_cast<int>(x);
    const int baseline = static_cast<int>(y);
    for (unsigned char c : latin1) {
        const Glyph g = glyph(c);
        for (int gy = 0; gy < g.height; ++gy) {
            for (int gx = 0; gx < g.width; ++gx) {
                const int px = pen + g.left + gx, py = baseline - g.top + gy;
                if (px < 0 || py < 0 || px >= image.width || py >= image.height) {
                    continue;
                }
                const float cover =
                    g.coverage[static_cast<std::size_t>(gy) * g.width + gx] / 255.0f;
                blendOver(image.at(px, py), colour, cover);
            }
        }
        pen += g.advance;
    }
}
