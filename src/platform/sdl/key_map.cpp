#include "platform/sdl/key_map.h"

int virtualKey(SDL_Keycode key) {
    if (key >= SDLK_a && key <= SDLK_z) {
        return 0x41 + (key - SDLK_a);
    }
    if (key >= SDLK_0 && key <= SDLK_9) {
        return 0x30 + (key - SDLK_0);
    }
    if (key >= SDLK_F1 && key <= SDLK_F12) {
        return 0x70 + (key - SDLK_F1);
    }
    switch (key) {
    case SDLK_BACKSPACE:
        return 8;
    case SDLK_TAB:
        return 9;
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
        return 13;
    case SDLK_ESCAPE:
        return 27;
    case SDLK_LSHIFT:
    case SDLK_RSHIFT:
        return 16;
    case SDLK_LCTRL:
    case SDLK_RCTRL:
        return 17;
    case SDLK_SPACE:
        return 32;
    case SDLK_LEFT:
        return 37;
    case SDLK_UP:
        return 38;
    case SDLK_RIGHT:
        return 39;
    case SDLK_DOWN:
        return 40;
    case SDLK_DELETE:
        return 46;
    default:
        return 0;
    }
}

int latin1Character(const char* utf8) {
    const auto* s = reinterpret_cast<const unsigned char*>(utf8);
    if (s == nullptr || s[0] == 0) {
        return 0;
    }
    if (s[0] < 0x80) {
        return s[1] == 0 ? s[0] : 0;
    }
    // Two-byte sequences C2 80 .. C3 BF cover U+0080 .. U+00FF.
    if ((s[0] == 0xC2 || s[0] == 0xC3) && (s[1] & 0xC0) == 0x80 && s[2] == 0) {
        return ((s[0] & 0x1F) << 6) | (s[1] & 0x3F);
    }
    return 0;
}
