#include "shell/user_files.h"

#include <cstdlib>
#include <filesystem>

namespace {

// The base data folder; empty when the environment names none. Relative values are ignored, as
// the desktop's base-directory rules ask.
std::filesystem::path dataHome() {
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg != nullptr && xdg[0] == '/') {
        return xdg;
    }
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] == '/') {
        return std::filesystem::path(home) / ".local" / "share";
    }
    return {};
}

} // namespace

std::string userFilePath(const std::string& fileName, std::string* problem) {
    const std::filesystem::path base = dataHome();
    if (base.empty()) {
        if (problem != nullptr) {
            *problem = "no data folder: neither XDG_DATA_HOME nor HOME names one";
        }
        return {};
    }
    const std::filesystem::path folder = base / "quorvane";
    std::error_code ec, ignored;
    std::filesystem::create_directories(folder, ec);
    if (!std::filesystem::is_directory(folder, ignored)) {
        if (problem != nullptr) {
            *problem = "can't make the data folder " + folder.string() + ": " +
                       (ec ? ec.message() : "something else is in its place");
        }
        return {};
    }
    return (folder / fileName).string();
}
