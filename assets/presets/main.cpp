// quorvane-presets OUTPUT_DIR: writes the effects' particle presets into OUTPUT_DIR/graphics/.

#include "presets/effect_presets.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: quorvane-presets OUTPUT_DIR\n");
        return 2;
    }
    const std::filesystem::path folder = std::filesystem::path(argv[1]) / "graphics";
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec) {
        std::fprintf(stderr, "quorvane-presets: cannot create %s\n", folder.c_str());
        return 1;
    }
    for (const PresetFile& preset : effectPresets()) {
        const auto record = encodePreset(preset.values);
        std::ofstream out(folder / preset.file, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(record.data()), record.size());
        out.close();
        if (!out) {
            std::fprintf(stderr, "quorvane-presets: cannot write %s\n", preset.file);
            return 1;
        }
    }
    return 0;
}
