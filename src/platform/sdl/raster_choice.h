#pragma once
// Which way frames reach the screen: SDL's accelerated renderer where OpenGL runs on a GPU, or
// our own rasteriser, presented without OpenGL, where OpenGL would itself draw on the processor
// (Mesa's llvmpipe, softpipe or swrast). There, loading the OpenGL driver costs more start-up
// time and memory, and every frame more processor time, than drawing the game ourselves.
//
// Asking OpenGL for its renderer's name loads the driver, which is just that cost, so the name is
// only asked where a GPU could answer: a machine without any GPU device can only have a software
// OpenGL. QUORVANE_SOFTWARE_RASTER=1 forces our own path, =0 SDL's renderer.
//
// No SDL here: the choice is plain data in, plain data out.

#include <optional>
#include <string>
#include <string_view>

struct RasterChoice {
    bool ownRaster = false;
    std::string reason; // for the log
};

// From the forcing variable's value (null when unset; only "0" and "1" count) and whether the
// machine has a GPU device; nothing when the OpenGL renderer's name must decide.
std::optional<RasterChoice> chooseRasterBeforeOpenGl(const char* forced, bool gpuDevice);

// From the renderer SDL picked by itself ("opengl", "software", ...) and, when it draws through
// OpenGL, OpenGL's renderer string (empty when it could not be read).
RasterChoice chooseRasterForRenderer(std::string_view sdlRenderer, std::string_view glRenderer);

bool isSoftwareOpenGlRenderer(std::string_view glRenderer);

// Whether devDirectory holds a GPU device this process may open: a DRM node in dri/ or an NVIDIA
// node, each readable and writable.
bool hasGpuDevice(const std::string& devDirectory = "/dev");
