// quorvane-art: draws the game's pictures and font sheets into a folder, ready to be packed,
// and a contact sheet for reviewing them.

#include <cstdio>
#include <string>

#include "art_builder.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: quorvane-art OUTPUT_DIR CONTACT_SHEET.png\n");
        return 2;
    }
    std::string error;
    if (!buildArt(argv[1], argv[2], &error)) {
        std::fprintf(stderr, "quorvane-art: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
