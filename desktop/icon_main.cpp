// quorvane-icon: draws the game's desktop icon, a dark tile holding a ball, a box and a spike as
// the game draws them, and writes it as a PNG of the size asked for.

#include "image.h"
#include "paint.h"
#include "pieces.h"
#include "png_file.h"
#include "shapes.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// The tile is drawn at 128 pixels; smaller sizes are taken from it by averaging.
constexpr int tileSize = 128;

Image drawTile() {
    Image tile(tileSize, tileSize);
    const float half = tileSize * 0.5f;
    fillFlat(
        tile,
        [half](float x, float y) {
            return roundRectDistance(x, y, half, half, half - 2, half - 2, 20);
        },
        rgb(0x20242C));
    // Two pieces above, one below, the game's 44-pixel pictures at their own size.
    drawImage(tile, drawItem(Kind::ball), 14, 14);
    drawImage(tile, drawItem(Kind::box), 70, 14);
    drawImage(tile, drawItem(Kind::spike), 42, 68);
    return tile;
}

Image shrink(const Image& source, int size) {
    const int factor = source.width / size;
    Image result(size, size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            Rgba sum;
            for (int sy = 0; sy < factor; ++sy) {
                for (int sx = 0; sx < factor; ++sx) {
                    const Rgba& c = source.at(x * factor + sx, y * factor + sy);
                    sum.r += c.r * c.a;
                    sum.g += c.g * c.a;
                    sum.b += c.b * c.a;
                    sum.a += c.a;
                }
            }
            if (sum.a > 0) {
                result.at(x, y) = {sum.r / sum.a, sum.g / sum.a, sum.b / sum.a,
                                   sum.a / static_cast<float>(factor * factor)};
            }
        }
    }
    return result;
}

} // namespace

int main(int argc, char** argv) {
    const int size = argc == 3 ? std::atoi(argv[2]) : 0;
    if (size <= 0 || size > tileSize || tileSize % size != 0) {
        std::fprintf(stderr, "usage: quorvane-icon OUTPUT.png SIZE (a divisor of %d)\n", tileSize);
        return 2;
    }
    const Image tile = drawTile();
    if (!writePng(argv[1], size == tileSize ? tile : shrink(tile, size))) {
        std::fprintf(stderr, "quorvane-icon: can't write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
