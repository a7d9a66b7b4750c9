// quorvane-pack: builds an encrypted resource pack from a folder, lists one, or extracts one.
//
//   quorvane-pack create FOLDER PACK [--password P]
//   quorvane-pack list PACK [--password P]
//   quorvane-pack extract PACK FOLDER [--password P]
//
// Without --password the game's own pack password is used. The same folder always gives a
// byte-identical pack.

#include "platform/pack/pack_password.h"
#include "platform/pack/pack_writer.h"
#include "platform/pack/resource_files.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

int usage() {
    std::fprintf(stderr, "usage: quorvane-pack create FOLDER PACK [--password P]\n"
                         "       quorvane-pack list PACK [--password P]\n"
                         "       quorvane-pack extract PACK FOLDER [--password P]\n");
    return 2;
}

int fail(const std::string& message) {
    std::fprintf(stderr, "quorvane-pack: %s\n", message.c_str());
    return 1;
}

// Entry names come from the archive: refuse any that would land outside the target folder.
bool safeRelativeName(const std::string& name) {
    const fs::path path(name);
    if (name.empty() || path.is_absolute() || name.find('\\') != std::string::npos) {
        return false;
    }
    for (const fs::path& part : path) {
        if (part == ".." || part == ".") {
            return false;
        }
    }
    return true;
}

int create(const std::string& folder, const std::string& pack, const std::string& password) {
    std::vector<PackEntry> entries;
    std::string error;
    if (!readFolderEntries(folder, &entries, &error) ||
        !writePack(pack, std::move(entries), password, &error)) {
        return fail(error);
    }
    return 0;
}

bool openPack(ResourceFiles& files, const std::string& pack, const std::string& password) {
    std::string error;
    if (!files.attach(fs::absolute(pack).string(), password, &error)) {
        fail(error);
        return false;
    }
    return true;
}

int list(const std::string& pack, const std::string& password) {
    ResourceFiles files;
    if (!openPack(files, pack, password)) {
        return 1;
    }
    for (const std::string& name : files.entryNames()) {
        std::printf("%s\n", name.c_str());
    }
    return 0;
}

int extract(const std::string& pack, const std::string& folder, const std::string& password) {
    ResourceFiles files;
    if (!openPack(files, pack, password)) {
        return 1;
    }
    for (const std::string& name : files.entryNames()) {
        if (name.back() == '/') {
            continue; // a folder entry
        }
        if (!safeRelativeName(name)) {
            return fail("refusing entry name \"" + name + "\"");
        }
        std::string problem;
        const auto bytes = files.read(name, &problem);
        if (!bytes) {
            return fail("cannot read entry \"" + name + "\": " + problem);
        }
        const fs::path target = fs::path(folder) / name;
        std::error_code ec;
        fs::create_directories(target.parent_path(), ec);
        std::ofstream out(target, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes->data()),
                  static_cast<std::streamsize>(bytes->size()));
        out.close();
        if (!out) {
            return fail("cannot write " + target.string());
        }
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args;
    std::string password = packPassword();
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--password") == 0) {
            if (i + 1 >= argc) {
                return usage();
            }
            password = argv[++i];
        } else {
            args.emplace_back(argv[i]);
        }
    }
    if (args.size() == 3 && args[0] == "create") {
        return create(args[1], args[2], password);
    }
    if (args.size() == 2 && args[0] == "list") {
        return list(args[1], password);
    }
    if (args.size() == 3 && args[0] == "extract") {
        return extract(args[1], args[2], password);
    }
    return usage();
}
