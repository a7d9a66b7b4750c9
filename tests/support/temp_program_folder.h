#pragma once
// A fresh folder that stands in for the program's directory: tests write the files the game would
// read from its packs there and point the headless engine at it.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

class TempProgramFolder {
  public:
    TempProgramFolder() {
        static int counter = 0;
        path_ = std::filesystem::temp_directory_path() /
                ("quorvane-test-" + std::to_string(::getpid()) + "-" + std::to_string(++counter));
        std::filesystem::create_directories(path_);
    }
    ~TempProgramFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempProgramFolder(const TempProgramFolder&) = delete;
    TempProgramFolder& operator=(const TempProgramFolder&) = delete;

    std::string path() const { return path_.string(); }

    // name as the game spells it, e.g. "graphics\font.fnt".
    void write(std::string name, const std::string& bytes) const {
        for (char& c : name) {
            c = c == '\\' ? '/' : c;
        }
        const std::filesystem::path file = path_ / name;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
    }

    // A PNG header of the given size: all the headless engine reads of a texture.
    void writePng(const std::string& name, std::uint32_t width, std::uint32_t height) const {
        std::string png("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR", 16);
        for (std::uint32_t v : {width, height}) {
            for (int shift = 24; shift >= 0; shift -= 8) {
                png.push_back(static_cast<char>((v >> shift) & 0xFF));
            }
        }
        png += std::string("\x08\x06\0\0\0", 5);
        write(name, png);
    }

  private:
    std::filesystem::path path_;
};
