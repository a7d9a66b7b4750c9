#include <algorithm>
#include <cmath>

#include "contact_sheet.h"
#include "noise.h"
#include "paint.h"

namespace {

// '#' wall, 'W' window (outside to the left) with its side cells 'u' and 'd', '.' floor, then
// pieces: b B s ball box spike, e E S their ends, c a ball on its end, a an amoeba, m a box
// mutation cell, '>' an arrow, G a spike gate, T t teleports, P a pillar.
const char* const hallMap[] = {
    "############", //
    "u..........#", //
    "W.b..>..B..#", //
    "d...##G##s.#", //
    "#.e.#...T..#", //
    "#...#.m..P.#", //
    "#.a.#..t...#", //
    "#..c....S.E#", //
    "############", //
};
constexpr int hallWidth = 12, hallHeight = 9, cell = 44;

struct Light {
    float x, y, radius;
    Rgba colour;
};

char at(int x, int y) {
    return x < 0 || y < 0 || x >= hallWidth || y >= hallHeight ? ' ' : hallMap[y][x];
}

bool solid(char c) {
    return c == '#' || c == 'W' || c == 'u' || c == 'd' || c == 'P';
}

bool isWall(char c) {
    return c == '#' || c == 'P';
}

// The wall piece the game picks for cell (x, y), from its solid and void neighbours.
std::string wallPiece(int x, int y) {
    const int s = (solid(at(x - 1, y)) ? 1 : 0) | (solid(at(x + 1, y)) ? 2 : 0) |
                  (solid(at(x, y - 1)) ? 4 : 0) | (solid(at(x, y + 1)) ? 8 : 0);
    const int v = (at(x - 1, y) == ' ' ? 1 : 0) | (at(x + 1, y) == ' ' ? 2 : 0) |
                  (at(x, y - 1) == ' ' ? 4 : 0) | (at(x, y + 1) == ' ' ? 8 : 0);
    if (s == 3) {
        return "wall.png";
    }
    if (s == 12) {
        return "wall1.png";
    }
    if (s == 0) {
        return "wall4.png";
    }
    if (v == 5 || v == 6 || v == 9 || v == 10) {
        return "wall3.png";
    }
    return "wall2.png";
}

// Floors: stone on the left, patterned tiles in the middle, parquet on the right.
std::string floorPiece(int x, int y, int* turns) {
    const float rare = hashNoise(x, y, 9);
    if (x < 4) {
        *turns = static_cast<int>(hashNoise(x, y, 10) * 4);
        return rare < 0.08f ? "floor2.png" : rare < 0.14f ? "floor4.png" : "floor.png";
    }
    if (x < 8) {
        const int table[2][2] = {{1, 0}, {2, 3}}; // by (y mod 2, x mod 2)
        *turns = table[y % 2][x % 2];
        return rare < 0.1f ? "floorb3.png" : "floorb.png";
    }
    *turns = (hashNoise(x, y, 11) < 0.5f ? 0 : 2) + (x + y) % 2;
    return rare < 0.1f ? "floora1.png" : "floora.png";
}

void place(Image& hall, const std::map<std::string, Image>& pictures, const std::string& name,
           int x, int y, int turns = 0, Rgba tint = {1, 1, 1, 1}) {
    const auto found = pictures.find(name);
    if (found == pictures.end()) {
        return;
    }
    Image picture = rotateQuarter(found->second, turns);
    // Sheets show their first frame only.
    if (picture.width > picture.height && picture.height <= 132) {
        Image frame(picture.height, picture.height);
        drawImage(frame, picture, 0, 0);
        picture = frame;
    }
    for (Rgba& p : picture.pixels) {
        p = {p.r * tint.r, p.g * tint.g, p.b * tint.b, p.a * tint.a};
    }
    drawImage(hall, picture, x - picture.width / 2, y - picture.height / 2);
}

const char* pieceFor(char c) {
    switch (c) {
    case 'b':
        return "ball.png";
    case 'B':
        return "box.png";
    case 's':
        return "spike.png";
    case 'a':
        return "ballamoeba.png";
    case 'c':
        return "ball.png";
    default:
        return nullptr;
    }
}

const char* specialFor(char c) {
    switch (c) {
    case 'e':
    case 'c':
        return "ballend.png";
    case 'E':
        return "boxend.png";
    case 'S':
        return "spikeend.png";
    case 'm':
        return "boxmutace.png";
    case 'G':
        return "spikegate.png";
    case 'T':
        return "teleporta.png";
    case 't':
        return "teleportb.png";
    default:
        return nullptr;
    }
}

void lightHall(Image& hall, const std::vector<Light>& lights) {
    for (int y = 0; y < hall.height; ++y) {
        for (int x = 0; x < hall.width; ++x) {
            Rgba sum;
            for (const Light& l : lights) {
                const float e =
                    std::hypot(static_cast<float>(x) - l.x, static_cast<float>(y) - l.y);
                const float k = std::max(0.0f, (l.radius - e) / l.radius);
                sum.r += k * l.colour.r;
                sum.g += k * l.colour.g;
                sum.b += k * l.colour.b;
            }
            Rgba& p = hall.at(x, y);
            p.r *= std::min(sum.r, 1.0f);
            p.g *= std::min(sum.g, 1.0f);
            p.b *= std::min(sum.b, 1.0f);
        }
    }
}

Image composeHall(const std::map<std::string, Image>& pictures, std::vector<Light>* lights) {
    Image hall(hallWidth * cell, hallHeight * cell, {0, 0, 0, 1});
    place(hall, pictures, "grass.png", hall.width / 2, hall.height / 2, 0,
          rgb(0xA0FFA0, 0x60 / 255.0f));
    const Rgba wallTint = rgb(0xE7B774);
    const auto centreOf = [](int i) { return i * cell + cell / 2; };
    // Depth order: floors, arrows, walls, items, ends, special cells, lights.
    for (int y = 0; y < hallHeight; ++y) {
        for (int x = 0; x < hallWidth; ++x) {
            if (!isWall(at(x, y)) || at(x, y) == 'P') {
                int turns = 0;
                const std::string floor = floorPiece(x, y, &turns);
                place(hall, pictures, floor, centreOf(x), centreOf(y), turns);
            }
            if (at(x, y) == '>') {
                place(hall, pictures, "arrow.png", centreOf(x), centreOf(y));
            }
        }
    }
    for (int y = 0; y < hallHeight; ++y) {
        for (int x = 0; x < hallWidth; ++x) {
            const char c = at(x, y);
            if (isWall(c)) {
                const int turns = static_cast<int>(hashNoise(x, y, 12) * 4);
                place(hall, pictures, wallPiece(x, y), centreOf(x), centreOf(y), turns, wallTint);
            } else if (c == 'W') {
                place(hall, pictures, "window.png", centreOf(x), centreOf(y), 0, wallTint);
            }
            if (c == 'W' || c == 'u' || c == 'd' || c == 'T' || c == 't') {
                lights->push_back({static_cast<float>(centreOf(x)), static_cast<float>(centreOf(y)),
                                   200, rgb(0xF0F0F0)});
            }
        }
    }
    for (int y = 0; y < hallHeight; ++y) {
        for (int x = 0; x < hallWidth; ++x) {
            if (const char* piece = pieceFor(at(x, y))) {
                place(hall, pictures, piece, centreOf(x), centreOf(y));
            }
        }
    }
    for (int y = 0; y < hallHeight; ++y) {
        for (int x = 0; x < hallWidth; ++x) {
            if (const char* special = specialFor(at(x, y))) {
                place(hall, pictures, special, centreOf(x), centreOf(y));
            }
        }
    }
    const int torches[][2] = {{5, 0}, {11, 5}, {4, 8}, {0, 7}};
    for (const auto& t : torches) {
        place(hall, pictures, "lightfire.png", centreOf(t[0]), centreOf(t[1]), t[0] % 4);
        lights->push_back({static_cast<float>(centreOf(t[0])), static_cast<float>(centreOf(t[1])),
                           400, rgb(0xF0F0A0)});
    }
    for (const Light& l : *lights) {
        if (l.radius == 200) {
            place(hall, pictures, "lightday.png", static_cast<int>(l.x), static_cast<int>(l.y));
        }
    }
    return hall;
}

} // namespace

void addMockHall(ContactSheet& sheet, const std::map<std::string, Image>& pictures) {
    std::vector<Light> lights;
    const Image unlit = composeHall(pictures, &lights);
    Image hall = unlit;
    lightHall(hall, lights);
    // At a level start the torches are dark and glow faintly; only the windows light the hall.
    Image start = unlit;
    for (Light& light : lights) {
        if (light.radius > 200) {
            light = {light.x, light.y, 379, rgb(0x101010)};
        }
    }
    lightHall(start, lights);
    Image large(hall.width * 2, hall.height * 2);
    drawImageScaled(large, hall, 0, 0, 2);

    // The same hall behind an open dialog: veil and logo.
    Image dialog = hall;
    const auto back = pictures.find("back.png");
    const auto logo = pictures.find("lumbrake.png");
    if (back != pictures.end() && logo != pictures.end()) {
        drawImage(dialog, back->second, (hall.width - back->second.width) / 2,
                  (hall.height - back->second.height) / 2);
        drawImage(dialog, logo->second, (hall.width - logo->second.width) / 2, 10);
    }
    sheet.entries.insert(
        sheet.entries.begin(),
        {"mock hall lit by torches and windows (2x); right: behind a dialog, and at a level "
         "start with the torches dark",
         {large, dialog, start}});
}
