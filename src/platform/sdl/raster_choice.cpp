#include "platform/sdl/raster_choice.h"

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <filesystem>

namespace {

bool containsIgnoringCase(std::string_view text, std::string_view part) {
    const auto at =
        std::search(text.begin(), text.end(), part.begin(), part.end(), [](char a, char b) {
            return std::tolower(static_cast<unsigned char>(a)) ==
                   std::tolower(static_cast<unsigned char>(b));
        });
    return at != text.end();
}

bool startsWith(std::string_view text, std::string_view start) {
    return text.substr(0, start.size()) == start;
}

bool usableDevice(const std::filesystem::path& node) {
    return ::access(node.c_str(), R_OK | W_OK) == 0;
}

} // namespace

std::optional<RasterChoice> chooseRasterBeforeOpenGl(const char* forced, bool gpuDevice) {
    if (forced != nullptr && std::strcmp(forced, "1") == 0) {
        return RasterChoice{true, "QUORVANE_SOFTWARE_RASTER=1 asks for it"};
    }
    if (forced != nullptr && std::strcmp(forced, "0") == 0) {
        return RasterChoice{false, "QUORVANE_SOFTWARE_RASTER=0 asks for it"};
    }
    if (!gpuDevice) {
        return RasterChoice{true, "no GPU device (/dev/dri, /dev/nvidia*), so OpenGL could only "
                                  "draw on the processor"};
    }
    return std::nullopt;
}

RasterChoice chooseRasterForRenderer(std::string_view sdlRenderer, std::string_view glRenderer) {
    const std::string gl(glRenderer);
    if (!startsWith(sdlRenderer, "opengl")) {
        return sdlRenderer == "software"
                   ? RasterChoice{true, "SDL has no accelerated renderer here"}
                   : RasterChoice{false, "SDL's renderer " + std::string(sdlRenderer) +
                                             " is an accelerated one"};
    }
    if (isSoftwareOpenGlRenderer(glRenderer)) {
        return RasterChoice{true, "the OpenGL renderer \"" + gl + "\" draws on the processor"};
    }
    return RasterChoice{false, gl.empty() ? "the OpenGL renderer did not give its name"
                                          : "the OpenGL renderer \"" + gl + "\" is a GPU"};
}

bool isSoftwareOpenGlRenderer(std::string_view glRenderer) {
    for (std::string_view name : {"llvmpipe", "softpipe", "swrast", "software rasterizer"}) {
        if (containsIgnoringCase(glRenderer, name)) {
            return true;
        }
    }
    return false;
}

bool hasGpuDevice(const std::string& devDirectory) {
    const auto holdsDevice = [](const std::string& directory, std::string_view prefix,
                                bool numbered) {
        std::error_code ec;
        for (std::filesystem::directory_iterator it(directory, ec), end; !ec && it != end;
             it.increment(ec)) {
            const std::string name = it->path().filename().string();
            const bool named =
                startsWith(name, prefix) && (!numbered || (name.size() > prefix.size() &&
                                                           std::isdigit(name[prefix.size()]) != 0));
            if (named && usableDevice(it->path())) {
                return true;
            }
        }
        return false;
    };
    return holdsDevice(devDirectory + "/dri", "renderD", false) ||
           holdsDevice(devDirectory + "/dri", "card", false) ||
           holdsDevice(devDirectory, "nvidia", true);
}
