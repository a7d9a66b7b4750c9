#include "fuzz/fuzz_inputs.h"

#include "draw/bitmap_font.h"
#include "draw/particle_system.h"
#include "platform/headless/headless_engine.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>

void prepareFuzzFiles(const std::string& folder) {
    namespace fs = std::filesystem;
    fs::create_directories(fs::path(folder) / "graphics");
    // The headless engine needs only a PNG header: signature and an IHDR of 64 x 32.
    const unsigned char png[] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0,  13, 'I',
                                 'H',  'D', 'R', 0,   0,    0,    64,   0,    0, 0, 32, 8,  6};
    std::ofstream(fs::path(folder) / "graphics" / "font.png", std::ios::binary)
        .write(reinterpret_cast<const char*>(png), sizeof png);
    headlessEngine().setProgramDirectory(folder);
}

void feedFontBytes(const std::uint8_t* bytes, std::size_t size) {
    {
        BitmapFont font("graphics\\fuzz.fnt", bytes, size);
        // The file's own bytes serve as the text, so every letter it defines gets drawn.
        std::string text(reinterpret_cast<const char*>(bytes), std::min<std::size_t>(size, 300));
        text.erase(std::find(text.begin(), text.end(), '\0'), text.end());
        for (int align = 0; align < 4; ++align) {
            font.render(10, 20, align, text.c_str());
        }
        font.setScale(1.5f);
        font.setColour(0x80FF8040);
        font.printf(462, 100, alignCentre, "%s %d %s", text.c_str(), 42, text.c_str());
        font.stringWidth(text.c_str());
    }
    headlessEngine().clearRecordings();
}

void feedPresetBytes(const std::uint8_t* bytes, std::size_t size) {
    ParticlePreset preset;
    if (!readParticlePreset(bytes, size, &preset)) {
        return;
    }
    Sprite sprite(0, 0, 0, 16, 16);
    sprite.setHotSpot(8, 8);
    preset.sprite = &sprite;
    {
        ParticleSystem system(preset);
        system.fireAt(400, 300);
        for (int frame = 0; frame < 60; ++frame) {
            system.moveTo(400 + static_cast<float>(frame) * 3, 300, frame % 20 == 0);
            system.update(0.02f);
            if (frame % 10 == 0) {
                system.render();
            }
        }
        system.stop(false);
        system.update(0.02f);
        system.render();
    }
    headlessEngine().clearRecordings();
}
