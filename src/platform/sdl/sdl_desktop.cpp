// Desktop services and files: log, packs, desktop size, message box and the web browser.

#include "platform/sdl/sdl_engine.h"
#include "platform/sdl/video_start.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>

extern char** environ;

namespace {

// Where the log goes when the program's own folder cannot be written.
std::string stateDirectory() {
    const char* state = std::getenv("XDG_STATE_HOME");
    if (state != nullptr && state[0] == '/') {
        return std::string(state) + "/quorvane";
    }
    const char* home = std::getenv("HOME");
    return home != nullptr && home[0] == '/' ? std::string(home) + "/.local/state/quorvane"
                                             : std::string();
}

} // namespace

void SdlEngine::openLogFile() {
    // "e": the log's descriptor is not handed to programs we start.
    for (const std::string& directory : {files_.programDirectory(), stateDirectory()}) {
        if (directory.empty()) {
            continue;
        }
        std::error_code ec;
        std::filesystem::create_directories(directory, ec);
        logFile_ = std::fopen((directory + "/quorvane.log").c_str(), "we");
        if (logFile_ != nullptr) {
            logDirectory_ = directory;
            return;
        }
    }
    std::error_code ec;
    logDirectory_ = std::filesystem::current_path(ec).string(); // screenshots still need a home
}

void SdlEngine::logLine(const char* format, ...) {
    char line[2048];
    va_list args;
    va_start(args, format);
    std::vsnprintf(line, sizeof line, format, args);
    va_end(args);
    std::fprintf(stderr, "quorvane: %s\n", line);
    if (logFile_ != nullptr) {
        std::fprintf(logFile_, "%s\n", line);
        std::fflush(logFile_);
    }
}

std::uint8_t* SdlEngine::loadFile(const char* name, std::uint32_t* size) {
    std::size_t count = 0;
    std::string problem;
    std::uint8_t* bytes = files_.readAllocated(name != nullptr ? name : "", &count, &problem);
    if (bytes == nullptr) {
        logLine("Can't load resource %s: %s", name != nullptr ? name : "", problem.c_str());
        return nullptr;
    }
    if (size != nullptr) {
        *size = static_cast<std::uint32_t>(count); // files are far below 4 GB (largestResourceFile)
    }
    return bytes;
}

void SdlEngine::freeFile(std::uint8_t* bytes) {
    std::free(bytes);
}

bool SdlEngine::attachPack(const char* file, const char* password) {
    std::string error;
    if (!files_.attach(file != nullptr ? file : "", password != nullptr ? password : "", &error)) {
        logLine("Can't attach %s", error.c_str());
        return false;
    }
    return true;
}

void SdlEngine::desktopSize(int* width, int* height) {
    // The game asks before the window exists, so video may have to be started here.
    SDL_DisplayMode mode;
    std::string error;
    if (startVideo(&error) && SDL_GetDesktopDisplayMode(0, &mode) == 0) {
        *width = mode.w;
        *height = mode.h;
        return;
    }
    logLine("Can't read the desktop size (%s); taking 1024 x 768",
            error.empty() ? SDL_GetError() : error.c_str());
    *width = 1024;
    *height = 768;
}

void SdlEngine::showMessageBox(const char* text, const char* caption, int style) {
    const char* message = text != nullptr ? text : "";
    const char* title = caption != nullptr ? caption : "";
    logLine("%s: %s", title, message);
    const Uint32 kind =
        (style & messageError) != 0 ? SDL_MESSAGEBOX_ERROR : SDL_MESSAGEBOX_INFORMATION;
    if (SDL_ShowSimpleMessageBox(kind, title, message, nullptr) != 0) {
        // No display: standard error has already been told by the log line above.
        std::fprintf(stderr, "%s: %s\n", title, message);
    }
}

void SdlEngine::openWebAddress(const char* address) {
    reapChildren();
    // The address goes to xdg-open as one argument, never through a shell; one that starts
    // with '-' would be read as an option.
    if (address == nullptr || address[0] == 0 || address[0] == '-') {
        logLine("Refusing to open web address \"%s\"", address != nullptr ? address : "");
        return;
    }
    char program[] = "xdg-open";
    std::string argument = address;
    char* argv[] = {program, argument.data(), nullptr};
    pid_t child = 0;
    const int result = posix_spawnp(&child, program, nullptr, nullptr, argv, environ);
    if (result != 0) {
        logLine("Can't start xdg-open for %s: %s", address, std::strerror(result));
        return;
    }
    children_.push_back(child);
}

// Collects the exit status of browser starters that have finished, without waiting.
void SdlEngine::reapChildren() {
    for (auto it = children_.begin(); it != children_.end();) {
        int status = 0;
        const pid_t done = waitpid(*it, &status, WNOHANG);
        it = done == 0 ? it + 1 : children_.erase(it);
    }
}
