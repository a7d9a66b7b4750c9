#include "look_alike.h"

#include <algorithm>
#include <cstdio>

#include "amoeba.h"
#include "floors.h"
#include "pieces.h"
#include "specials.h"

namespace {

const Kind kinds[] = {Kind::ball, Kind::box, Kind::spike};

const char* kindName(Kind kind) {
    switch (kind) {
    case Kind::ball:
        return "ball";
    case Kind::box:
        return "box";
    case Kind::spike:
        return "spike";
    }
    return "?";
}

// The tints the hall gives each floor family (plain, then its two coloured variants).
struct Family {
    const char* name;
    const char* file; // the plain picture's file name, without ".png"
    Image (*draw)(int variant);
    int variants;
    std::uint32_t tints[3];
};

const Family families[] = {
    {"stone", "floor", drawStoneFloor, 4, {0xFFFFFF, 0xFFCDFF, 0xBFFFFF}},
    {"plank", "floora", drawPlankFloor, 5, {0xFFFFFF, 0x8BEEFE, 0xFFC698}},
    {"pattern", "floorb", drawPatternFloor, 5, {0xFFFFFF, 0xFFD3FF, 0xFFFF8F}},
};

std::string fileName(const Family& family, int variant) {
    // The stone family numbers its variants from 2: floor.png, floor2.png, ...
    const int number = std::string(family.name) == "stone" ? variant + 1 : variant;
    return std::string(family.file) + (variant == 0 ? "" : std::to_string(number)) + ".png";
}

Image tinted(const Image& image, Rgba tint) {
    Image out = image;
    for (Rgba& p : out.pixels) {
        p = {p.r * tint.r, p.g * tint.g, p.b * tint.b, p.a};
    }
    return out;
}

std::string hex(std::uint32_t value) {
    char text[8];
    std::snprintf(text, sizeof text, "%06X", value);
    return text;
}

// Frame `f` of an eight-frame sheet.
Image frameOf(const Image& sheet, int f) {
    Image frame(44, 44);
    for (int y = 0; y < 44; ++y) {
        for (int x = 0; x < 44; ++x) {
            frame.at(x, y) = sheet.at(f * 44 + x, y);
        }
    }
    return frame;
}

Image over(const Image& top, const Image& bottom) {
    Image out = bottom;
    drawImage(out, top, 0, 0);
    return out;
}

// What shows of the end when the piece lies on it: the end where the piece does not cover it.
Image around(const Image& end, const Image& piece) {
    Image out = end;
    for (std::size_t i = 0; i < out.pixels.size(); ++i) {
        if (piece.pixels[i].a >= 0.5f) {
            out.pixels[i].a = 0;
        }
    }
    return out;
}

} // namespace

std::vector<FloorTile> floorTiles() {
    std::vector<FloorTile> tiles;
    for (const Family& family : families) {
        for (int v = 0; v < family.variants; ++v) {
            const Image picture = family.draw(v);
            for (std::uint32_t tint : family.tints) {
                tiles.push_back({fileName(family, v) + " x " + hex(tint), family.name,
                                 tinted(picture, rgb(tint))});
            }
        }
    }
    return tiles;
}

std::vector<ContrastSample> contrastSamples() {
    std::vector<ContrastSample> samples;
    for (Kind kind : kinds) {
        samples.push_back({std::string(kindName(kind)) + " item", drawItem(kind), 3.0f});
        const Image sheet = drawAmoebaSheet(kind);
        for (int f = 0; f < 8; ++f) {
            samples.push_back({std::string(kindName(kind)) + " amoeba frame " + std::to_string(f),
                               frameOf(sheet, f), 3.0f});
        }
        samples.push_back({std::string(kindName(kind)) + " end", drawEnd(kind), 2.0f});
    }
    return samples;
}

std::vector<LookAlikePair> lookAlikePairs() {
    std::vector<LookAlikePair> pairs;
    for (Kind kind : kinds) {
        const std::string name = kindName(kind);
        const Image item = drawItem(kind), end = drawEnd(kind), mutation = drawMutation(kind);
        const Image amoebas = drawAmoebaSheet(kind);
        pairs.push_back({name + " item / end", item, end});
        pairs.push_back({name + " item / mutation cell", item, mutation});
        pairs.push_back({name + " end / mutation cell", end, mutation});
        for (int f = 0; f < 8; ++f) {
            const Image amoeba = frameOf(amoebas, f);
            const std::string frame = " (frame " + std::to_string(f) + ")";
            pairs.push_back({name + " item / amoeba" + frame, item, amoeba});
            pairs.push_back({name + " end / amoeba" + frame, end, amoeba});
            pairs.push_back({name + " mutation cell / amoeba" + frame, mutation, amoeba});
        }
    }
    // Under a piece, what shows of each end around it must still tell the ends apart.
    for (Kind cover : kinds) {
        const Image piece = drawItem(cover);
        for (int a = 0; a < 3; ++a) {
            for (int b = a + 1; b < 3; ++b) {
                pairs.push_back({std::string(kindName(kinds[a])) + " end / " + kindName(kinds[b]) +
                                     " end, under a " + kindName(cover),
                                 around(drawEnd(kinds[a]), piece),
                                 around(drawEnd(kinds[b]), piece)});
            }
        }
    }
    for (int a = 0; a < 3; ++a) {
        for (int b = a + 1; b < 3; ++b) {
            pairs.push_back({"teleport " + std::to_string(a) + " / " + std::to_string(b),
                             drawTeleport(a), drawTeleport(b)});
            pairs.push_back(
                {std::string(kindName(kinds[a])) + " gate / " + kindName(kinds[b]) + " gate",
                 drawGate(kinds[a]), drawGate(kinds[b])});
        }
    }
    const Image arrow = drawArrow();
    pairs.push_back({"arrow right / down", arrow, rotateQuarter(arrow, 1)});
    pairs.push_back({"arrow right / left", arrow, rotateQuarter(arrow, 2)});
    return pairs;
}

std::vector<Decoration> floorDecorations() {
    std::vector<Decoration> decorations;
    for (const Family& family : families) {
        const Image plain = family.draw(0);
        for (int v = 1; v < family.variants; ++v) {
            decorations.push_back({fileName(family, v), family.draw(v), plain});
        }
    }
    return decorations;
}

namespace {

// The rows of the page: each is a run of cells, left to right; a cell is a picture on the floor,
// or a decorated floor in place of the floor (`floor` set).
struct PageCell {
    Image picture;
    bool floor = false;
};

std::vector<std::vector<PageCell>> pageRows(const Family& family) {
    std::vector<std::vector<PageCell>> rows;
    const Image gates[3] = {drawGate(Kind::ball), drawGate(Kind::box), drawGate(Kind::spike)};
    for (Kind kind : kinds) {
        const Image end = drawEnd(kind);
        std::vector<PageCell> row{{drawItem(kind)}, {end}};
        for (Kind cover : kinds) {
            row.push_back({over(end, drawItem(cover))});
        }
        const Image amoebas = drawAmoebaSheet(kind);
        row.push_back({frameOf(amoebas, 0)});
        row.push_back({frameOf(amoebas, 4)});
        row.push_back({drawMutation(kind)});
        row.push_back({gates[static_cast<int>(kind)]});
        rows.push_back(std::move(row));
    }
    std::vector<PageCell> cells;
    for (int pair = 0; pair < 3; ++pair) {
        cells.push_back({drawTeleport(pair)});
    }
    for (int turn = 0; turn < 4; ++turn) {
        cells.push_back({rotateQuarter(drawArrow(), turn)});
    }
    rows.push_back(std::move(cells));
    std::vector<PageCell> decorations;
    for (int v = 1; v < family.variants; ++v) {
        decorations.push_back({family.draw(v), true});
        decorations.push_back({drawEnd(kinds[(v - 1) % 3])});
    }
    rows.push_back(std::move(decorations));
    return rows;
}

Image pagePanel(const std::vector<std::vector<PageCell>>& rows, const Image& floor, Rgba tint,
                float light) {
    std::size_t columns = 0;
    for (const auto& row : rows) {
        columns = std::max(columns, row.size());
    }
    Image panel(static_cast<int>(columns) * 44, static_cast<int>(rows.size()) * 44);
    for (std::size_t r = 0; r < rows.size(); ++r) {
        for (std::size_t c = 0; c < columns; ++c) {
            const int x = static_cast<int>(c) * 44, y = static_cast<int>(r) * 44;
            const bool decorated = c < rows[r].size() && rows[r][c].floor;
            drawImage(panel, decorated ? rows[r][c].picture : floor, x, y);
            if (c < rows[r].size() && !decorated) {
                drawImage(panel, rows[r][c].picture, x, y);
            }
        }
    }
    // The hall's lighting multiplies every vertex colour: the floor tint and the light together.
    for (Rgba& p : panel.pixels) {
        p = {p.r * tint.r * light, p.g * tint.g * light, p.b * tint.b * light, p.a};
    }
    return panel;
}

} // namespace

void addLookAlikePage(ContactSheet& sheet) {
    std::vector<ContactSheet::Entry> page;
    for (const Family& family : families) {
        const auto rows = pageRows(family);
        const Image floor = family.draw(0);
        ContactSheet::Entry entry{std::string("look-alikes on ") + family.name +
                                      " floors, each tint lit and at the dim edge of a light "
                                      "(rows: ball, box, spike: item, end, end under each kind, "
                                      "amoeba, mutation cell, gate; teleports and arrows; "
                                      "decorated floors beside ends)",
                                  {}};
        for (std::uint32_t tint : family.tints) {
            for (float light : {1.0f, 0.35f}) {
                entry.panels.push_back(pagePanel(rows, floor, rgb(tint), light));
            }
        }
        page.push_back(std::move(entry));
    }
    // The page leads the sheet: it is what a review looks at first.
    sheet.entries.insert(sheet.entries.begin(), page.begin(), page.end());
}
