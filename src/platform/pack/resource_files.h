#pragma once
// The files a provider serves to the game: entries of the attached resource packs (encrypted ZIP
// archives), newest pack first, then plain files in the program's directory. Game names use
// backslashes ("graphics\font.fnt"); packs store forward slashes; lookups ignore letter case.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The largest file the game reads. Its biggest is about 70 KB; an entry that declares more than
// this is damage or a trap (a few KB that inflate to gigabytes) and is refused before it is
// inflated.
constexpr std::size_t largestResourceFile = 8u << 20;

class ResourceFiles {
  public:
    explicit ResourceFiles(std::string programDirectory = {});
    ~ResourceFiles();
    ResourceFiles(const ResourceFiles&) = delete;
    ResourceFiles& operator=(const ResourceFiles&) = delete;

    void setProgramDirectory(std::string directory) { programDirectory_ = std::move(directory); }
    const std::string& programDirectory() const { return programDirectory_; }

    // Opens a pack; a relative file name is taken from the program's directory. On failure
    // returns false and sets error to one line naming the file and the reason.
    bool attach(const std::string& file, const std::string& password, std::string* error);
    void detachAll();

    // The entry's bytes, or nothing when no pack and no file in the program directory has it, or
    // it is larger than largestResourceFile, or damaged; problem (when given) then says why.
    std::optional<std::vector<std::uint8_t>> read(std::string_view name,
                                                  std::string* problem = nullptr) const;

    // As read, into memory from std::malloc with one 0 byte after the entry (so text can be read
    // as a C string), for the caller to std::free; no second copy of the bytes is ever made.
    // Null on failure.
    std::uint8_t* readAllocated(std::string_view name, std::size_t* size,
                                std::string* problem = nullptr) const;

    // The entry names of every attached pack, oldest pack first, each pack in archive order.
    std::vector<std::string> entryNames() const;

  private:
    struct Pack;
    // Finds the entry, asks allocate for room for its size and fills it; false on failure.
    using Allocate = std::function<std::uint8_t*(std::size_t size)>;
    bool readInto(std::string_view name, const Allocate& allocate, std::string* problem) const;

    std::vector<std::unique_ptr<Pack>> packs_; // oldest first
    std::string programDirectory_;
};

// "graphics\font.fnt" -> "graphics/font.fnt".
std::string packEntryName(std::string_view name);
