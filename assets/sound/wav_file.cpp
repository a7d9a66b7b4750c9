#include "sound/wav_file.h"

#include <algorithm>
#include <cmath>
#include <fstream>

namespace {

void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    }
}

void put16(std::vector<std::uint8_t>& out, std::uint16_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void putTag(std::vector<std::uint8_t>& out, const char* tag) {
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<std::uint8_t>(tag[i]));
    }
}

} // namespace

std::vector<std::uint8_t> encodeWav(const Samples& samples) {
    const std::uint32_t dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    std::vector<std::uint8_t> out;
    out.reserve(44 + dataBytes);
    putTag(out, "RIFF");
    put32(out, 36 + dataBytes);
    putTag(out, "WAVE");
    putTag(out, "fmt ");
    put32(out, 16);             // size of the format chunk
    put16(out, 1);              // PCM
    put16(out, 1);              // mono
    put32(out, sampleRate);     // frames per second
    put32(out, sampleRate * 2); // bytes per second
    put16(out, 2);              // bytes per frame
    put16(out, 16);             // bits per sample
    putTag(out, "data");
    put32(out, dataBytes);
    for (float v : samples) {
        const long q = std::lround(std::clamp(v, -1.0f, 1.0f) * 32767.0f);
        put16(out, static_cast<std::uint16_t>(static_cast<std::int16_t>(q)));
    }
    return out;
}

bool writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    return static_cast<bool>(out);
}
