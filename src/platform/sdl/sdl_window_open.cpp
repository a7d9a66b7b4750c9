// The window and the renderer that draws it, chosen as raster_choice.h explains. The window stays
// hidden until its renderer is settled, so the player sees it open once.

#include "platform/sdl/raster_choice.h"
#include "platform/sdl/sdl_engine.h"

#include <cstdlib>
#include <string>

namespace {

constexpr unsigned glRendererName = 0x1F01; // GL_RENDERER

// The renderer string of the OpenGL context SDL's renderer made current; empty without one.
std::string openGlRenderer(const SDL_RendererInfo& info) {
    if (std::string(info.name).rfind("opengl", 0) != 0 || SDL_GL_GetCurrentContext() == nullptr) {
        return {};
    }
    using GetString = const unsigned char* (*)(unsigned);
    const auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
    const unsigned char* name = getString != nullptr ? getString(glRendererName) : nullptr;
    return name != nullptr ? reinterpret_cast<const char*>(name) : "";
}

} // namespace

SDL_Window* SdlEngine::createHiddenWindow() {
    Uint32 windowFlags = SDL_WINDOW_RESIZABLE | SDL_WINDOW_HIDDEN;
    if (!flag(flagWindowed, true)) {
        windowFlags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
    }
    return SDL_CreateWindow(title_.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                            windowedWidth_, windowedHeight_, windowFlags);
}

// SDL's own pick: a GPU renderer where there is one, else its software renderer.
void SdlEngine::openSdlRenderer() {
    window_ = createHiddenWindow();
    if (window_ != nullptr) {
        renderer_ = SDL_CreateRenderer(window_, -1, 0);
        if (renderer_ == nullptr) {
            renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
        }
    }
}

// SDL's software renderer, whose window surface goes to the screen without OpenGL (on X11 by
// shared memory); our own rasteriser draws the frames it shows.
void SdlEngine::openOwnRaster() {
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    window_ = createHiddenWindow();
    if (window_ != nullptr) {
        renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
    }
}

bool SdlEngine::openWindow() {
    std::optional<RasterChoice> choice =
        chooseRasterBeforeOpenGl(std::getenv("QUORVANE_SOFTWARE_RASTER"), hasGpuDevice());
    if (!choice || !choice->ownRaster) {
        openSdlRenderer();
    }
    SDL_RendererInfo info{};
    if (!choice && renderer_ != nullptr && SDL_GetRendererInfo(renderer_, &info) == 0) {
        choice = chooseRasterForRenderer(info.name, openGlRenderer(info));
        if (choice->ownRaster) { // the window was never shown: open it afresh without OpenGL
            SDL_DestroyRenderer(renderer_);
            SDL_DestroyWindow(window_);
            renderer_ = nullptr;
            window_ = nullptr;
        }
    }
    if (choice && choice->ownRaster) {
        openOwnRaster();
    }
    if (renderer_ == nullptr || SDL_GetRendererInfo(renderer_, &info) != 0) {
        return false;
    }
    ownRaster_ = choice && choice->ownRaster;
    logLine("Drawing with %s: %s",
            ownRaster_ ? "our own rasteriser, shown without OpenGL"
                       : (std::string("SDL's renderer ") + info.name).c_str(),
            choice ? choice->reason.c_str() : "SDL's pick");
    return true;
}
