// quorvane-sounds OUTPUT_DIR: renders every sound effect into OUTPUT_DIR/sound/.

#include "sound/sound_effects.h"
#include "sound/wav_file.h"

#include <cstdio>
#include <filesystem>
#include <string>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: quorvane-sounds OUTPUT_DIR\n");
        return 2;
    }
    const std::filesystem::path folder = std::filesystem::path(argv[1]) / "sound";
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec) {
        std::fprintf(stderr, "quorvane-sounds: cannot create %s: %s\n", folder.c_str(),
                     ec.message().c_str());
        return 1;
    }
    for (const SoundEffect& effect : soundEffects()) {
        const std::string path = (folder / effect.file).string();
        if (!writeFile(path, encodeWav(effect.render()))) {
            std::fprintf(stderr, "quorvane-sounds: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
