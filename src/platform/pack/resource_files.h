#pragma once
// The files a provider serves to the game: entries of the attached resource packs (encrypted ZIP
// archives), newest pack first, then plain files in the program's directory. Game names use
// backslashes ("graphics\font.fnt"); packs store forward slashes; lookups ignore letter case.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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

    // The entry's bytes, or nothing when no pack and no file in the program directory has it.
    std::optional<std::vector<std::uint8_t>> read(std::string_view name) const;

    // The entry names of every attached pack, oldest pack first, each pack in archive order.
    std::vector<std::string> entryNames() const;

  private:
    struct Pack;
    std::vector<std::unique_ptr<Pack>> packs_; // oldest first
    std::string programDirectory_;
};

// "graphics\font.fnt" -> "graphics/font.fnt".
std::string packEntryName(std::string_view name);
