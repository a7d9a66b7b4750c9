#include "font_sheet.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

// Blank pixels around every cell, so filtering never bleeds a neighbour in.
constexpr int padding = 2;
// The shadow falls one pixel right and down.
constexpr int shadowOffset = 1;
constexpr float shadowOpacity = 0.55f;
// The dark rim around each letter keeps white text readable on pale stone.
constexpr float haloOpacity = 0.8f;

struct Cell {
    unsigned code = 0;
    Glyph glyph;
    int minX = 0, maxX = 0; // cell span relative to the pen, pixels
    int x = 0, y = 0;       // cell position in the sheet
};

Cell measure(const TypeFace& face, unsigned code, int halo) {
    Cell cell;
    cell.code = code;
    cell.glyph = face.glyph(code);
    const Glyph& g = cell.glyph;
    const bool inked = g.width > 0;
    cell.minX = std::min(0, inked ? g.left - halo : 0);
    cell.maxX = std::max(g.advance, inked ? g.left + g.width + std::max(halo, shadowOffset) : 0);
    return cell;
}

int nextPowerOfTwo(int v) {
    int p = 1;
    while (p < v) {
        p *= 2;
    }
    return p;
}

void drawCoverage(Image& sheet, const Cell& cell, int dx, int dy, int ascender, Rgba colour) {
    const Glyph& g = cell.glyph;
    for (int gy = 0; gy < g.height; ++gy) {
        for (int gx = 0; gx < g.width; ++gx) {
            const int px = cell.x + (g.left - cell.minX) + gx + dx;
            const int py = cell.y + (ascender - g.top) + gy + dy;
            if (px >= 0 && py >= 0 && px < sheet.width && py < sheet.height) {
                const float cover =
                    g.coverage[static_cast<std::size_t>(gy) * g.width + gx] / 255.0f;
                blendOver(sheet.at(px, py), colour, cover);
            }
        }
    }
}

// The letter's coverage grown by `halo` pixels (a round dilation with a soft edge), drawn dark.
void drawHalo(Image& sheet, const Cell& cell, int halo, int ascender) {
    const Glyph& g = cell.glyph;
    auto coverage = [&](int gx, int gy) {
        const bool inside = gx >= 0 && gy >= 0 && gx < g.width && gy < g.height;
        return inside ? g.coverage[static_cast<std::size_t>(gy) * g.width + gx] / 255.0f : 0.0f;
    };
    for (int gy = -halo; gy < g.height + halo; ++gy) {
        for (int gx = -halo; gx < g.width + halo; ++gx) {
            float best = 0;
            for (int dy = -halo; dy <= halo; ++dy) {
                for (int dx = -halo; dx <= halo; ++dx) {
                    const float fall =
                        std::clamp(static_cast<float>(halo) + 0.5f -
                                       std::hypot(static_cast<float>(dx), static_cast<float>(dy)),
                                   0.0f, 1.0f);
                    best = std::max(best, coverage(gx + dx, gy + dy) * fall);
                }
            }
            const int px = cell.x + (g.left - cell.minX) + gx;
            const int py = cell.y + (ascender - g.top) + gy;
            if (best > 0 && px >= cell.x && py >= cell.y && px < sheet.width && py < sheet.height) {
                blendOver(sheet.at(px, py), {0, 0, 0, haloOpacity}, best);
            }
        }
    }
}

} // namespace

bool isPrintableLatin1(unsigned code) {
    return (code >= 32 && code <= 126) || (code >= 160 && code <= 255);
}

FontSheet buildFontSheet(const TypeFace& face, const std::string& bitmapName, int sheetWidth,
                         int halo) {
    const int ascender = face.ascender();
    const int cellHeight = ascender + face.descender() + std::max(halo, shadowOffset);
    std::vector<Cell> cells;
    int x = padding, y = padding;
    for (unsigned code = 0; code < 256; ++code) {
        if (!isPrintableLatin1(code)) {
            continue;
        }
        Cell cell = measure(face, code, halo);
        const int width = cell.maxX - cell.minX;
        if (x + width + padding > sheetWidth) {
            x = padding;
            y += cellHeight + padding;
        }
        cell.x = x;
        cell.y = y;
        x += width + padding;
        cells.push_back(std::move(cell));
    }
    FontSheet font;
    font.sheet = Image(sheetWidth, nextPowerOfTwo(y + cellHeight + padding));
    font.description = "[HGEFONT]\nBitmap = " + bitmapName + "\n\n";
    for (const Cell& cell : cells) {
        drawHalo(font.sheet, cell, halo, ascender);
        drawCoverage(font.sheet, cell, shadowOffset, shadowOffset, ascender,
                     {0, 0, 0, shadowOpacity});
        drawCoverage(font.sheet, cell, 0, 0, ascender, {1, 1, 1, 1});
        char line[96];
        const int width = cell.maxX - cell.minX;
        // pre moves the pen to the cell's left edge; post brings it to the next pen position.
        std::snprintf(line, sizeof line, "Char = %02X, %d, %d, %d, %d, %d, %d\n", cell.code, cell.x,
                      cell.y, width, cellHeight, cell.minX, cell.glyph.advance - cell.maxX);
        font.description += line;
    }
    return font;
}
