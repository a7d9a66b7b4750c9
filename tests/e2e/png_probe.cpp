// Reports how a rectangle of a screenshot looks, for the end-to-end test:
//   quorvane_png_probe FILE X Y WIDTH HEIGHT
// prints "bright N red N reddish N size W H": the pixels of the rectangle whose brightest channel
// is at least 200, those of them that are red (the game's highlight colour), the pixels of a red
// hue however dim (a ball, whatever the lighting), and the picture's size.

#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 6) {
        std::fprintf(stderr, "usage: quorvane_png_probe FILE X Y WIDTH HEIGHT\n");
        return 2;
    }
    SDL_Surface* loaded = IMG_Load(argv[1]);
    if (loaded == nullptr) {
        std::fprintf(stderr, "can't read %s: %s\n", argv[1], IMG_GetError());
        return 1;
    }
    SDL_Surface* image = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(loaded);
    if (image == nullptr) {
        return 1;
    }
    const int x0 = std::max(0, std::atoi(argv[2])), y0 = std::max(0, std::atoi(argv[3]));
    const int x1 = std::min(image->w, x0 + std::atoi(argv[4]));
    const int y1 = std::min(image->h, y0 + std::atoi(argv[5]));
    int bright = 0, red = 0, reddish = 0;
    for (int y = y0; y < y1; ++y) {
        const auto* row = reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(image->pixels) +
                                                          y * image->pitch);
        for (int x = x0; x < x1; ++x) {
            const int r = (row[x] >> 16) & 0xFF, g = (row[x] >> 8) & 0xFF, b = row[x] & 0xFF;
            reddish += r >= 40 && r > 2 * g && r > 2 * b;
            if (std::max({r, g, b}) >= 200) {
                ++bright;
                red += r >= 200 && g < 120 && b < 120;
            }
        }
    }
    std::printf("bright %d red %d reddish %d size %d %d\n", bright, red, reddish, image->w,
                image->h);
    SDL_FreeSurface(image);
    return 0;
}
