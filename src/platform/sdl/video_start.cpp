#include "platform/sdl/video_start.h"

#include <SDL.h>

#include <cstdlib>
#include <string_view>

namespace {

bool isSet(const char* variable) {
    const char* value = std::getenv(variable);
    return value != nullptr && value[0] != 0;
}

// SDL's drivers that show a window, in SDL's order of preference, separated by commas.
std::string displayDrivers() {
    std::string list;
    for (int i = 0; i < SDL_GetNumVideoDrivers(); ++i) {
        const std::string_view driver = SDL_GetVideoDriver(i);
        if (driver == "offscreen" || driver == "dummy") {
            continue;
        }
        list += list.empty() ? "" : ",";
        list += driver;
    }
    return list;
}

} // namespace

bool startVideo(std::string* error) {
    if (SDL_WasInit(SDL_INIT_VIDEO) != 0) {
        return true;
    }
    const bool named = isSet("SDL_VIDEODRIVER");
    const std::string drivers = named ? std::string() : displayDrivers();
    if (named || !drivers.empty()) {
        if (!named) {
            SDL_SetHint(SDL_HINT_VIDEODRIVER, drivers.c_str());
        }
        if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) == 0) {
            return true;
        }
    }
    if (!named && !isSet("DISPLAY") && !isSet("WAYLAND_DISPLAY")) {
        *error = "no graphical display found: set DISPLAY or WAYLAND_DISPLAY";
    } else {
        *error = std::string("Can't start the video system: ") + SDL_GetError();
    }
    return false;
}
