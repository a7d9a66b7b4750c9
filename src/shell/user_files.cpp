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

std::string userFilePath(const std::string& fileName) {
    const std::filesystem::path base = dataHome();
    if (base.empty()) {
        return fileName;
    }
    const std::filesystem::path folder = base / "quorvane";
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (!std::filesystem::is_directory(folder, ec)) {
        return fileName;
    }
    return (folder / fileName).string();
}
