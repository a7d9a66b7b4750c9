#include "platform/sdl/sdl_engine.h"

#include "platform/sdl/key_map.h"
#include "platform/sdl/video_start.h"

#include <SDL_image.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <thread>

namespace {

SdlEngine* instance = nullptr;

// Keys the engine keeps for itself: F11 and Alt+Enter toggle full screen, F12 takes a screenshot.
bool isFullScreenToggle(const SDL_KeyboardEvent& key) {
    return key.keysym.sym == SDLK_F11 ||
           ((key.keysym.sym == SDLK_RETURN || key.keysym.sym == SDLK_KP_ENTER) &&
            (key.keysym.mod & KMOD_ALT) != 0);
}

int mouseKey(Uint8 button) {
    switch (button) {
    case SDL_BUTTON_LEFT:
        return keyLeftButton;
    case SDL_BUTTON_RIGHT:
        return keyRightButton;
    case SDL_BUTTON_MIDDLE:
        return 4;
    default:
        return 0;
    }
}

// "a.png:10,b.png:250" -> {a.png, 10}, {b.png, 250}; malformed items are skipped.
void parseScreenshotRequests(const char* text, std::vector<std::string>* files,
                             std::vector<long>* frames) {
    std::string all = text != nullptr ? text : "";
    std::size_t start = 0;
    while (start < all.size()) {
        std::size_t end = all.find(',', start);
        end = end == std::string::npos ? all.size() : end;
        const std::string item = all.substr(start, end - start);
        const std::size_t colon = item.rfind(':');
        if (colon != std::string::npos && colon > 0 && colon + 1 < item.size()) {
            char* rest = nullptr;
            const long frame = std::strtol(item.c_str() + colon + 1, &rest, 10);
            if (*rest == 0 && frame >= 0) {
                files->push_back(item.substr(0, colon));
                frames->push_back(frame);
            }
        }
        start = end + 1;
    }
}

} // namespace

SdlEngine* sdlEngine() {
    return instance;
}

Engine* createEngine(int version) {
    if (version != engineVersion) {
        return nullptr;
    }
    if (instance == nullptr) {
        instance = new SdlEngine();
    }
    ++instance->references;
    return instance;
}

void SdlEngine::release() {
    if (--references <= 0) {
        instance = nullptr;
        delete this;
    }
}

SdlEngine::SdlEngine() {
    std::vector<std::string> files;
    std::vector<long> frames;
    parseScreenshotRequests(std::getenv("QUORVANE_SCREENSHOT"), &files, &frames);
    for (std::size_t i = 0; i < files.size(); ++i) {
        screenshots_.push_back({files[i], frames[i]});
    }
    std::error_code ec;
    const auto program = std::filesystem::read_symlink("/proc/self/exe", ec);
    files_.setProgramDirectory(ec ? std::string(".") : program.parent_path().string());
    openLogFile();
    random_.seed(static_cast<std::uint32_t>(std::time(nullptr)));
}

SdlEngine::~SdlEngine() {
    shutdown();
    reapChildren();
    SDL_Quit();
    if (logFile_ != nullptr) {
        std::fclose(logFile_);
    }
}

int SdlEngine::number(int state, int fallback) const {
    auto it = numbers_.find(state);
    return it == numbers_.end() ? fallback : it->second;
}

bool SdlEngine::flag(int state, bool fallback) const {
    auto it = flags_.find(state);
    return it == flags_.end() ? fallback : it->second;
}

void SdlEngine::setHandler(int state, FrameFunction handler) {
    if (state == handlerFrame) {
        frameHandler_ = handler;
    } else if (state == handlerRender) {
        renderHandler_ = handler;
    }
}

void SdlEngine::setText(int state, const char* value) {
    // Only the title is a text; the icon state is given a resource number in place of a pointer,
    // so nothing but the title is ever read.
    if (state != textTitle || value == nullptr) {
        return;
    }
    title_ = value;
    if (window_ != nullptr) {
        SDL_SetWindowTitle(window_, title_.c_str());
    }
}

bool SdlEngine::initialise() {
    if (window_ != nullptr) {
        return true;
    }
    if (!startVideo(&lastError_)) {
        logLine("%s", lastError_.c_str());
        return false;
    }
    width_ = std::clamp(number(numberWidth, 800), 1, 16384);
    height_ = std::clamp(number(numberHeight, 600), 1, 16384);
    windowedWidth_ = std::clamp(number(numberWindowWidth, width_), 1, 16384);
    windowedHeight_ = std::clamp(number(numberWindowHeight, height_), 1, 16384);
    if (!openWindow() || !createWhiteTexture()) {
        lastError_ = std::string("Can't open the game window: ") + SDL_GetError();
        logLine("%s", lastError_.c_str());
        shutdown();
        return false;
    }
    // The picture keeps the game's window size and aspect whatever the real window's size; SDL
    // letterboxes it and hands pointer positions back in the game's window pixels.
    SDL_RenderSetLogicalSize(renderer_, width_, height_);
    openSoftRaster();
    SDL_ShowCursor(flag(flagHideSystemPointer, false) ? SDL_DISABLE : SDL_ENABLE);
    SDL_StartTextInput();
    IMG_Init(IMG_INIT_PNG);
    SDL_RendererInfo info;
    SDL_GetRendererInfo(renderer_, &info);
    logLine("Window %d x %d, renderer %s%s", width_, height_, info.name,
            softRenderer_ == nullptr ? ""
            : softRenderer_->drawsOnTwoThreads()
                ? ", frames drawn by our own rasteriser on two threads"
                : ", frames drawn by our own rasteriser");
    SDL_ShowWindow(window_);
    if (flag(flagUseSound, true)) {
        openAudio();
    }
    return true;
}

void SdlEngine::shutdown() {
    closeAudio();
    closeRenderer();
    if (window_ != nullptr) {
        SDL_StopTextInput();
        SDL_DestroyWindow(window_);
        window_ = nullptr;
        IMG_Quit();
    }
    held_.clear();
    pointerInWindow_ = false;
}

bool SdlEngine::runLoop() {
    if (renderer_ == nullptr || frameHandler_ == nullptr) {
        lastError_ = "The engine is not initialised or has no frame handler";
        logLine("%s", lastError_.c_str());
        return false;
    }
    using Clock = std::chrono::steady_clock;
    const int rate = std::clamp(number(numberFramesPerSecond, 50), 1, 1000);
    const auto period =
        std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(1.0 / rate));
    auto due = Clock::now();
    auto previous = due - period;
    frame_ = 0;
    quitRequested_ = false;
    for (;;) {
        lastKey_ = lastChar_ = 0;
        SDL_Event event;
        while (SDL_PollEvent(&event)) {
            handleEvent(event);
        }
        if (quitRequested_) {
            break;
        }
        const auto start = Clock::now();
        frameDelta_ = std::chrono::duration<float>(start - previous).count();
        previous = start;
        if (frameHandler_()) {
            break;
        }
        if (renderHandler_ != nullptr) {
            renderHandler_();
        }
        ++frame_;
        reapChildren();
        // Keep the average rate exact, but after a long stall start afresh instead of racing.
        due += period;
        const auto now = Clock::now();
        if (now > due + 5 * period) {
            due = now;
        }
        std::this_thread::sleep_until(due);
    }
    return true;
}

void SdlEngine::pressKey(int key) {
    if (std::find(held_.begin(), held_.end(), key) == held_.end()) {
        held_.push_back(key);
    }
    // Shift and Control are only held: a Ctrl+Z pressed within one frame must still be a Z.
    if (lastKey_ == 0 && key != keyShift && key != keyControl) {
        lastKey_ = key;
    }
}

void SdlEngine::handleEvent(const SDL_Event& event) {
    switch (event.type) {
    case SDL_QUIT:
        quitRequested_ = true;
        break;
    case SDL_KEYDOWN:
        if (isFullScreenToggle(event.key)) {
            if (event.key.repeat == 0) {
                toggleFullScreen();
            }
        } else if (event.key.keysym.sym == SDLK_F12) {
            screenshotKey_ = screenshotKey_ || event.key.repeat == 0;
        } else if (const int key = virtualKey(event.key.keysym.sym); key != 0) {
            pressKey(key); // repeats count too, so a held Backspace keeps deleting
        }
        break;
    case SDL_KEYUP: {
        const int key = virtualKey(event.key.keysym.sym);
        held_.erase(std::remove(held_.begin(), held_.end(), key), held_.end());
        break;
    }
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
        pointerX_ = static_cast<float>(event.button.x);
        pointerY_ = static_cast<float>(event.button.y);
        const int key = mouseKey(event.button.button);
        if (key != 0 && event.type == SDL_MOUSEBUTTONDOWN) {
            pressKey(key);
        } else if (key != 0) {
            held_.erase(std::remove(held_.begin(), held_.end(), key), held_.end());
        }
        break;
    }
    case SDL_MOUSEMOTION:
        pointerX_ = static_cast<float>(event.motion.x);
        pointerY_ = static_cast<float>(event.motion.y);
        pointerInWindow_ = true;
        break;
    case SDL_TEXTINPUT:
        if (lastChar_ == 0) {
            lastChar_ = latin1Character(event.text.text);
        }
        break;
    case SDL_WINDOWEVENT:
        if (event.window.event == SDL_WINDOWEVENT_ENTER) {
            pointerInWindow_ = true;
        } else if (event.window.event == SDL_WINDOWEVENT_LEAVE) {
            pointerInWindow_ = false;
        } else if (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST) {
            held_.clear(); // key releases outside the window never arrive
        } else if (event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED && !isFullScreen()) {
            windowedWidth_ = event.window.data1;
            windowedHeight_ = event.window.data2;
        }
        if (event.window.event == SDL_WINDOWEVENT_EXPOSED ||
            event.window.event == SDL_WINDOWEVENT_SHOWN ||
            event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) {
            repaintWindow_ = true; // the window lost its picture
        }
        break;
    default:
        break;
    }
}

bool SdlEngine::isFullScreen() const {
    return window_ != nullptr && (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN) != 0;
}

void SdlEngine::toggleFullScreen() {
    SDL_SetWindowFullscreen(window_, isFullScreen() ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
}

bool SdlEngine::windowPlacement(int* width, int* height, bool* fullScreen) {
    if (window_ == nullptr) {
        return false;
    }
    *fullScreen = isFullScreen();
    if (!*fullScreen) {
        SDL_GetWindowSize(window_, &windowedWidth_, &windowedHeight_);
    }
    *width = windowedWidth_;
    *height = windowedHeight_;
    return true;
}

void SdlEngine::mousePosition(float* x, float* y) {
    *x = pointerX_;
    *y = pointerY_;
}

bool SdlEngine::keyHeld(int key) {
    return std::find(held_.begin(), held_.end(), key) != held_.end();
}

void SdlEngine::takeDueScreenshots() {
    for (const Screenshot& shot : screenshots_) {
        if (shot.frame == frame_) {
            saveScreenshot(shot.file);
        }
    }
    if (screenshotKey_) {
        screenshotKey_ = false;
        saveScreenshot(screenshotFile());
    }
}

std::string SdlEngine::screenshotFile() const {
    char stamp[32];
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    return logDirectory_ + "/quorvane-" + stamp + ".png";
}
