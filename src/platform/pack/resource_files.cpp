#include "platform/pack/resource_files.h"

#include <zip.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>

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

void describe(std::string* problem, const std::string& text) {
    if (problem != nullptr) {
        *problem = text;
    }
}

std::string tooLarge(std::string_view name, std::uint64_t size) {
    return std::string(name) + " declares " + std::to_string(size) + " bytes, more than the " +
           std::to_string(largestResourceFile) + " a file may hold";
}

// The entry's size as its header declares it; false when that is unknown or over the limit.
bool declaredSize(zip_t* archive, zip_uint64_t index, std::uint64_t* size, std::string* problem) {
    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_stat_index(archive, index, 0, &st) != 0 || (st.valid & ZIP_STAT_SIZE) == 0) {
        describe(problem, "entry " + std::to_string(index) + " has no size");
        return false;
    }
    if (st.size > largestResourceFile) {
        describe(problem, tooLarge(st.name != nullptr ? st.name : "an entry", st.size));
        return false;
    }
    *size = st.size;
    return true;
}

// Inflates the entry into destination, which holds exactly its declared size. Reading on to the
// end makes libzip check the entry's authentication code (encrypted entries carry no CRC), so a
// damaged entry or a wrong password fails here instead of yielding wrong bytes.
bool inflateEntry(zip_t* archive, zip_uint64_t index, const std::string& password,
                  std::uint8_t* destination, std::uint64_t size) {
    zip_file_t* file = zip_fopen_index_encrypted(archive, index, 0, password.c_str());
    if (file == nullptr) {
        return false;
    }
    const zip_int64_t got = size == 0 ? 0 : zip_fread(file, destination, size);
    std::uint8_t extra = 0;
    const zip_int64_t tail = zip_fread(file, &extra, 1);
    const bool closedCleanly = zip_fclose(file) == 0;
    return got == static_cast<zip_int64_t>(size) && tail == 0 && closedCleanly;
}

// Checks the entry as inflateEntry does, through a small buffer: nothing of it is kept.
bool entryReadsCleanly(zip_t* archive, zip_uint64_t index, const std::string& password,
                       std::string* problem) {
    std::uint64_t size = 0;
    if (!declaredSize(archive, index, &size, problem)) {
        return false;
    }
    zip_file_t* file = zip_fopen_index_encrypted(archive, index, 0, password.c_str());
    if (file == nullptr) {
        describe(problem, "wrong password or damaged entry");
        return false;
    }
    std::array<std::uint8_t, 16384> buffer;
    std::uint64_t total = 0;
    zip_int64_t got = 0;
    while (total <= size && (got = zip_fread(file, buffer.data(), buffer.size())) > 0) {
        total += static_cast<std::uint64_t>(got);
    }
    const bool closedCleanly = zip_fclose(file) == 0;
    if (got != 0 || total != size || !closedCleanly) {
        describe(problem, "wrong password or damaged entry");
        return false;
    }
    return true;
}

// A plain file of the program's directory into room from allocate.
bool readPlainFile(const std::string& path, std::string_view name,
                   const std::function<std::uint8_t*(std::size_t)>& allocate,
                   std::string* problem) {
    // A name from a replaced pack may point at a folder, which the stream cannot read.
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        describe(problem, std::string(name) + " is in no pack and not beside the program");
        return false;
    }
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (ec || size > largestResourceFile) {
        describe(problem, ec ? path + ": " + ec.message() : tooLarge(path, size));
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    std::uint8_t* destination = allocate(size);
    if (!in || (destination == nullptr && size > 0) ||
        !in.read(reinterpret_cast<char*>(destination), static_cast<std::streamsize>(size))) {
        describe(problem, "can't read " + path);
        return false;
    }
    return true;
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
    std::string problem;
    if (zip_get_num_entries(archive, 0) > 0 && !entryReadsCleanly(archive, 0, password, &problem)) {
        describe(error, "pack " + path + ": " + problem);
        return false;
    }
    packs_.push_back(std::move(pack));
    return true;
}

void ResourceFiles::detachAll() {
    packs_.clear();
}

bool ResourceFiles::readInto(std::string_view name, const Allocate& allocate,
                             std::string* problem) const {
    const std::string entry = packEntryName(name);
    for (auto it = packs_.rbegin(); it != packs_.rend(); ++it) {
        const zip_int64_t found = zip_name_locate((*it)->archive, entry.c_str(), ZIP_FL_NOCASE);
        if (found < 0) {
            continue;
        }
        const auto index = static_cast<zip_uint64_t>(found);
        std::uint64_t size = 0;
        if (!declaredSize((*it)->archive, index, &size, problem)) {
            return false;
        }
        std::uint8_t* destination = allocate(size);
        if ((destination == nullptr && size > 0) ||
            !inflateEntry((*it)->archive, index, (*it)->password, destination, size)) {
            describe(problem, entry + ": wrong password or damaged entry");
            return false;
        }
        return true;
    }
    return readPlainFile(resolve(programDirectory_, entry), name, allocate, problem);
}

std::optional<std::vector<std::uint8_t>> ResourceFiles::read(std::string_view name,
                                                             std::string* problem) const {
    std::vector<std::uint8_t> bytes;
    const auto allocate = [&bytes](std::size_t size) {
        bytes.resize(size);
        return bytes.data();
    };
    if (!readInto(name, allocate, problem)) {
        return std::nullopt;
    }
    return bytes;
}

std::uint8_t* ResourceFiles::readAllocated(std::string_view name, std::size_t* size,
                                           std::string* problem) const {
    std::uint8_t* bytes = nullptr;
    const auto allocate = [&bytes, size](std::size_t count) {
        bytes = static_cast<std::uint8_t*>(std::malloc(count + 1));
        if (bytes != nullptr) {
            bytes[count] = 0;
            *size = count;
        }
        return bytes;
    };
    if (!readInto(name, allocate, problem)) {
        std::free(bytes);
        return nullptr;
    }
    return bytes;
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
