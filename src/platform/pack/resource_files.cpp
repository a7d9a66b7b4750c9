#include "platform/pack/resource_files.h"

#include <zip.h>

#include <filesystem>
#include <fstream>
#include <iterator>

struct ResourceFiles::Pack {
    zip_t* archive = nullptr;
    std::string password;
    ~Pack() {
        if (archive != nullptr) {
            zip_discard(archive);
        }
    }
};

namespace {

std::string resolve(const std::string& directory, const std::string& file) {
    if (file.empty() || file.front() == '/' || directory.empty()) {
        return file;
    }
    return directory + "/" + file;
}

std::optional<std::vector<std::uint8_t>> readEntry(zip_t* archive, zip_int64_t index,
                                                   const std::string& password) {
    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_stat_index(archive, static_cast<zip_uint64_t>(index), 0, &st) != 0 ||
        (st.valid & ZIP_STAT_SIZE) == 0 || st.size > (1u << 30)) {
        return std::nullopt;
    }
    zip_file_t* file =
        zip_fopen_index_encrypted(archive, static_cast<zip_uint64_t>(index), 0, password.c_str());
    if (file == nullptr) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes(st.size);
    const zip_int64_t got = bytes.empty() ? 0 : zip_fread(file, bytes.data(), bytes.size());
    // Reading on to the end makes libzip check the entry's authentication code (encrypted
    // entries carry no CRC); a damaged entry fails here instead of yielding wrong bytes.
    std::uint8_t extra = 0;
    const zip_int64_t tail = zip_fread(file, &extra, 1);
    const bool closedCleanly = zip_fclose(file) == 0;
    if (got != static_cast<zip_int64_t>(bytes.size()) || tail != 0 || !closedCleanly) {
        return std::nullopt;
    }
    return bytes;
}

} // namespace

std::string packEntryName(std::string_view name) {
    std::string result(name);
    for (char& c : result) {
        if (c == '\\') {
            c = '/';
        }
    }
    return result;
}

ResourceFiles::ResourceFiles(std::string programDirectory)
    : programDirectory_(std::move(programDirectory)) {}

ResourceFiles::~ResourceFiles() = default;

bool ResourceFiles::attach(const std::string& file, const std::string& password,
                           std::string* error) {
    const std::string path = resolve(programDirectory_, file);
    int code = 0;
    zip_t* archive = zip_open(path.c_str(), ZIP_RDONLY | ZIP_CHECKCONS, &code);
    if (archive == nullptr) {
        if (error != nullptr) {
            zip_error_t ze;
            zip_error_init_with_code(&ze, code);
            *error = "pack " + path + ": " + zip_error_strerror(&ze);
            zip_error_fini(&ze);
        }
        return false;
    }
    auto pack = std::make_unique<Pack>();
    pack->archive = archive;
    pack->password = password;
    // The password is checked once here on the first entry, so that a wrong one fails the attach.
    if (zip_get_num_entries(archive, 0) > 0 && !readEntry(archive, 0, password)) {
        if (error != nullptr) {
            *error = "pack " + path + ": wrong password or damaged entry";
        }
        return false;
    }
    packs_.push_back(std::move(pack));
    return true;
}

void ResourceFiles::detachAll() {
    packs_.clear();
}

std::optional<std::vector<std::uint8_t>> ResourceFiles::read(std::string_view name) const {
    const std::string entry = packEntryName(name);
    for (auto it = packs_.rbegin(); it != packs_.rend(); ++it) {
        const zip_int64_t index = zip_name_locate((*it)->archive, entry.c_str(), ZIP_FL_NOCASE);
        if (index >= 0) {
            return readEntry((*it)->archive, index, (*it)->password);
        }
    }
    // A name from a replaced pack may point at a folder, which the stream cannot read.
    const std::string path = resolve(programDirectory_, entry);
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

std::vector<std::string> ResourceFiles::entryNames() const {
    std::vector<std::string> names;
    for (const auto& pack : packs_) {
        const zip_int64_t count = zip_get_num_entries(pack->archive, 0);
        for (zip_int64_t i = 0; i < count; ++i) {
            const char* name = zip_get_name(pack->archive, static_cast<zip_uint64_t>(i), 0);
            if (name != nullptr) {
                names.emplace_back(name);
            }
        }
    }
    return names;
}
