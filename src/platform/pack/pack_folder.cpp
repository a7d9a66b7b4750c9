#include "platform/pack/pack_writer.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

bool readFolderEntries(const std::string& folder, std::vector<PackEntry>* entries,
                       std::string* error) {
    std::string ignored;
    error = error != nullptr ? error : &ignored;
    entries->clear();
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) {
        *error = folder + " is not a folder";
        return false;
    }
    fs::recursive_directory_iterator it(folder, ec), end;
    for (; !ec && it != end; it.increment(ec)) {
        if (!it->is_regular_file(ec)) {
            continue;
        }
        std::ifstream in(it->path(), std::ios::binary);
        PackEntry entry;
        entry.name = it->path().lexically_relative(folder).generic_string();
        if (in) {
            entry.bytes.assign(std::istreambuf_iterator<char>(in), {});
        }
        if (!in.is_open() || in.bad()) {
            *error = "cannot read " + it->path().string();
            return false;
        }
        entries->push_back(std::move(entry));
    }
    if (ec) {
        *error = "cannot list " + folder + ": " + ec.message();
        return false;
    }
    std::sort(entries->begin(), entries->end(),
              [](const PackEntry& a, const PackEntry& b) { return a.name < b.name; });
    return true;
}
