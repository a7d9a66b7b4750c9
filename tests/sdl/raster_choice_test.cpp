// The choice between SDL's renderer and our own rasteriser, and the GPU device look-up it starts
// from.

#include "platform/sdl/raster_choice.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

TEST(RasterChoice, ForcingVariableWinsWhateverTheMachine) {
    for (bool gpu : {false, true}) {
        const auto own = chooseRasterBeforeOpenGl("1", gpu);
        ASSERT_TRUE(own.has_value());
        EXPECT_TRUE(own->ownRaster);
        EXPECT_NE(own->reason.find("QUORVANE_SOFTWARE_RASTER=1"), std::string::npos);
        const auto sdl = chooseRasterBeforeOpenGl("0", gpu);
        ASSERT_TRUE(sdl.has_value());
        EXPECT_FALSE(sdl->ownRaster);
        EXPECT_NE(sdl->reason.find("QUORVANE_SOFTWARE_RASTER=0"), std::string::npos);
    }
    // Anything but 0 or 1 counts as unset.
    for (const char* unset : {static_cast<const char*>(nullptr), "", "yes", "10", " 1"}) {
        EXPECT_FALSE(chooseRasterBeforeOpenGl(unset, true).has_value()) << (unset ? unset : "null");
        const auto noGpu = chooseRasterBeforeOpenGl(unset, false);
        ASSERT_TRUE(noGpu.has_value());
        EXPECT_TRUE(noGpu->ownRaster);
        EXPECT_NE(noGpu->reason.find("no GPU device"), std::string::npos);
    }
}

TEST(RasterChoice, SoftwareOpenGlRenderersChooseOurOwnAndGpusKeepSdls) {
    for (const char* software :
         {"llvmpipe (LLVM 15.0.6, 256 bits)", "softpipe", "Mesa swrast", "Software Rasterizer",
          "zink (llvmpipe (LLVM 15.0.6, 256 bits))", "LLVMPIPE"}) {
        EXPECT_TRUE(isSoftwareOpenGlRenderer(software)) << software;
        const RasterChoice choice = chooseRasterForRenderer("opengl", software);
        EXPECT_TRUE(choice.ownRaster) << software;
        EXPECT_NE(choice.reason.find(software), std::string::npos) << choice.reason;
        EXPECT_TRUE(chooseRasterForRenderer("opengles2", software).ownRaster) << software;
    }
    // A GPU driver built with LLVM names it, without being llvmpipe.
    for (const char* gpu :
         {"AMD Radeon RX 580 Series (polaris10, LLVM 15.0.6, DRM 3.49)",
          "NVIDIA GeForce GTX 1060 6GB/PCIe/SSE2", "Mesa Intel(R) UHD Graphics 620 (KBL GT2)",
          "virgl", "SVGA3D; build: RELEASE; LLVM;"}) {
        EXPECT_FALSE(isSoftwareOpenGlRenderer(gpu)) << gpu;
        const RasterChoice choice = chooseRasterForRenderer("opengl", gpu);
        EXPECT_FALSE(choice.ownRaster) << gpu;
        EXPECT_NE(choice.reason.find(gpu), std::string::npos) << choice.reason;
    }
    // An OpenGL renderer that gives no name is taken for a GPU: SDL made an accelerated one.
    EXPECT_FALSE(chooseRasterForRenderer("opengl", "").ownRaster);
    // Without OpenGL at all SDL falls back to its software renderer: we draw instead.
    EXPECT_TRUE(chooseRasterForRenderer("software", "").ownRaster);
    EXPECT_FALSE(chooseRasterForRenderer("vulkan", "").ownRaster);
}

TEST(RasterChoice, GpuDevicesAreDrmNodesOrNumberedNvidiaNodes) {
    const fs::path dev = fs::temp_directory_path() / ("quorvane-dev-" + std::to_string(::getpid()));
    fs::create_directories(dev / "dri");
    const auto touch = [](const fs::path& file) { std::ofstream{file}; };
    EXPECT_FALSE(hasGpuDevice(dev.string()));
    EXPECT_FALSE(hasGpuDevice((dev / "missing").string()));
    touch(dev / "nvidiactl");
    touch(dev / "nvidia-modeset");
    touch(dev / "dri" / "by-path");
    EXPECT_FALSE(hasGpuDevice(dev.string()));
    touch(dev / "nvidia0");
    EXPECT_TRUE(hasGpuDevice(dev.string()));
    fs::remove(dev / "nvidia0");
    touch(dev / "dri" / "renderD128");
    EXPECT_TRUE(hasGpuDevice(dev.string()));
    fs::remove(dev / "dri" / "renderD128");
    touch(dev / "dri" / "card0");
    EXPECT_TRUE(hasGpuDevice(dev.string()));
    if (::geteuid() != 0) { // the superuser may open anything
        fs::permissions(dev / "dri" / "card0", fs::perms::none);
        EXPECT_FALSE(hasGpuDevice(dev.string()));
    }
    fs::remove_all(dev);
}
