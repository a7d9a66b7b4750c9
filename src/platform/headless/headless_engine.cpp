#include "platform/headless/headless_engine.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace {

// Width and height from a PNG header; false when the bytes are no PNG.
bool pngSize(const std::vector<std::uint8_t>& bytes, int* width, int* height) {
    static const std::uint8_t signature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    if (bytes.size() < 24 || std::memcmp(bytes.data(), signature, 8) != 0 ||
        std::memcmp(bytes.data() + 12, "IHDR", 4) != 0) {
        return false;
    }
    auto big = [&](std::size_t at) {
        return static_cast<std::uint32_t>(bytes[at]) << 24 | bytes[at + 1] << 16 |
               bytes[at + 2] << 8 | bytes[at + 3];
    };
    const std::uint32_t w = big(16), h = big(20);
    if (w == 0 || h == 0 || w > 65535 || h > 65535) {
        return false;
    }
    *width = static_cast<int>(w);
    *height = static_cast<int>(h);
    return true;
}

std::string executableDirectory() {
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : exe.parent_path().string();
}

} // namespace

HeadlessEngine::HeadlessEngine() : files_(executableDirectory()) {}

HeadlessEngine& headlessEngine() {
    static HeadlessEngine engine;
    return engine;
}

Engine* createEngine(int version) {
    if (version != engineVersion) {
        return nullptr;
    }
    HeadlessEngine& engine = headlessEngine();
    ++engine.references;
    return &engine;
}

void HeadlessEngine::release() {
    if (references > 0) {
        --references;
    }
}

bool HeadlessEngine::initialise() {
    if (frameHandler_ == nullptr) {
        lastError_ = "No frame handler is set";
        return false;
    }
    windowOpen_ = true;
    return true;
}

void HeadlessEngine::shutdown() {
    windowOpen_ = false;
}

bool HeadlessEngine::runLoop() {
    if (frameHandler_ == nullptr) {
        return false;
    }
    runFrames(frameLimit_);
    return true;
}

int HeadlessEngine::runFrames(int n) {
    for (int i = 0; i < n; ++i) {
        beginInputFrame();
        const bool done = frameHandler_ != nullptr && frameHandler_();
        if (!done && renderHandler_ != nullptr) {
            renderHandler_();
        }
        ++frame_;
        if (done) {
            return i + 1;
        }
    }
    return n;
}

void HeadlessEngine::beginInputFrame() {
    lastKey_ = 0;
    lastChar_ = 0;
    auto due = [this](const InputEvent& e) { return e.frame <= frame_; };
    for (const InputEvent& e : events_) {
        if (!due(e)) {
            continue;
        }
        switch (e.kind) {
        case InputEvent::Kind::PointerMove:
            pointerX_ = e.x;
            pointerY_ = e.y;
            pointerInWindow_ = true;
            break;
        case InputEvent::Kind::PointerLeave:
            pointerInWindow_ = false;
            break;
        case InputEvent::Kind::KeyDown:
            if (!keyHeld(e.key)) {
                held_.push_back(e.key);
            }
            if (lastKey_ == 0 && e.key != keyShift && e.key != keyControl) {
                lastKey_ = e.key;
            }
            break;
        case InputEvent::Kind::KeyUp:
            held_.erase(std::remove(held_.begin(), held_.end(), e.key), held_.end());
            break;
        case InputEvent::Kind::Char:
            if (lastChar_ == 0) {
                lastChar_ = e.key;
            }
            break;
        }
    }
    events_.erase(std::remove_if(events_.begin(), events_.end(), due), events_.end());
}

void HeadlessEngine::addEvent(const InputEvent& event) {
    InputEvent e = event;
    e.frame += frame_;
    events_.push_back(e);
}

void HeadlessEngine::logLine(const char* format, ...) {
    char line[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(line, sizeof line, format, args);
    va_end(args);
    logLines_.emplace_back(line);
    if (std::getenv("QUORVANE_HEADLESS_LOG") != nullptr) {
        std::fprintf(stderr, "%s\n", line);
    }
}

void HeadlessEngine::setText(int state, const char* value) {
    if (state == textTitle) {
        texts_[state] = value != nullptr ? value : "";
    }
}

void HeadlessEngine::setHandler(int state, FrameFunction handler) {
    if (state == handlerFrame) {
        frameHandler_ = handler;
    } else if (state == handlerRender) {
        renderHandler_ = handler;
    }
}

std::uint8_t* HeadlessEngine::loadFile(const char* name, std::uint32_t* size) {
    std::size_t count = 0;
    std::string problem;
    std::uint8_t* bytes = files_.readAllocated(name != nullptr ? name : "", &count, &problem);
    if (bytes == nullptr) {
        logLine("Can't load resource: %s (%s)", name != nullptr ? name : "", problem.c_str());
        return nullptr;
    }
    if (size != nullptr) {
        *size = static_cast<std::uint32_t>(count); // files are far below 4 GB (largestResourceFile)
    }
    return bytes;
}

void HeadlessEngine::freeFile(std::uint8_t* bytes) {
    std::free(bytes);
}

bool HeadlessEngine::attachPack(const char* file, const char* password) {
    std::string error;
    if (!files_.attach(file != nullptr ? file : "", password != nullptr ? password : "", &error)) {
        logLine("%s", error.c_str());
        return false;
    }
    return true;
}

SoundHandle HeadlessEngine::loadSound(const char* name, std::uint32_t) {
    auto bytes = files_.read(name != nullptr ? name : "");
    if (!bytes || bytes->empty()) {
        logLine("Can't load sound: %s", name != nullptr ? name : "");
        return 0;
    }
    soundNames_.emplace_back(name);
    return static_cast<SoundHandle>(soundNames_.size());
}

void HeadlessEngine::playSound(SoundHandle sound, int volume, int pan, float pitch, bool loop) {
    const auto master = numbers_.find(numberEffectsVolume);
    if (master != numbers_.end()) {
        volume = volume * master->second / 100;
    }
    if (sound != 0 && volume > 0) { // a silent sound is not heard, so not recorded
        sounds_.push_back({sound, volume, pan, pitch, loop});
    }
}

std::string HeadlessEngine::soundName(SoundHandle sound) const {
    return sound >= 1 && sound <= soundNames_.size() ? soundNames_[sound - 1] : std::string();
}

void HeadlessEngine::mousePosition(float* x, float* y) {
    *x = pointerX_;
    *y = pointerY_;
}

bool HeadlessEngine::keyHeld(int key) {
    return std::find(held_.begin(), held_.end(), key) != held_.end();
}

void HeadlessEngine::drawLine(float x1, float y1, float x2, float y2, std::uint32_t colour,
                              float z) {
    lines_.push_back({x1, y1, x2, y2, colour, z});
}

void HeadlessEngine::setViewTransform(float, float, float, float, float, float hscale,
                                      float vscale) {
    viewScaleX_ = hscale;
    viewScaleY_ = vscale;
}

TextureHandle HeadlessEngine::loadTexture(const char* name, std::uint32_t, bool) {
    auto bytes = files_.read(name != nullptr ? name : "");
    Texture texture;
    if (!bytes || !pngSize(*bytes, &texture.width, &texture.height)) {
        logLine("Can't load texture: %s", name != nullptr ? name : "");
        return 0;
    }
    texture.name = name;
    const TextureHandle handle = nextTexture_++;
    textures_[handle] = texture;
    return handle;
}

void HeadlessEngine::freeTexture(TextureHandle texture) {
    textures_.erase(texture);
}

int HeadlessEngine::textureWidth(TextureHandle texture, bool) {
    auto it = textures_.find(texture);
    return it == textures_.end() ? 0 : it->second.width;
}

int HeadlessEngine::textureHeight(TextureHandle texture, bool) {
    auto it = textures_.find(texture);
    return it == textures_.end() ? 0 : it->second.height;
}

std::string HeadlessEngine::textureName(TextureHandle texture) const {
    auto it = textures_.find(texture);
    return it == textures_.end() ? std::string() : it->second.name;
}

void HeadlessEngine::desktopSize(int* width, int* height) {
    *width = desktopWidth_;
    *height = desktopHeight_;
}

bool HeadlessEngine::windowPlacement(int* width, int* height, bool* fullScreen) {
    if (!windowOpen_) {
        return false;
    }
    const bool sized =
        numbers_.count(numberWindowWidth) != 0 && numbers_.count(numberWindowHeight) != 0;
    *width = number(sized ? numberWindowWidth : numberWidth);
    *height = number(sized ? numberWindowHeight : numberHeight);
    *fullScreen = flags_.count(flagWindowed) != 0 && !flags_.at(flagWindowed);
    return true;
}

void HeadlessEngine::showMessageBox(const char* text, const char* caption, int) {
    messageBoxes_.push_back(std::string(caption != nullptr ? caption : "") + ": " +
                            (text != nullptr ? text : ""));
}

void HeadlessEngine::setProgramDirectory(const std::string& directory) {
    files_.setProgramDirectory(directory);
}

void HeadlessEngine::setDesktopSize(int width, int height) {
    desktopWidth_ = width;
    desktopHeight_ = height;
}

void HeadlessEngine::clearRecordings() {
    quads_.clear();
    lines_.clear();
    sounds_.clear();
    logLines_.clear();
    messageBoxes_.clear();
    webAddresses_.clear();
}

void HeadlessEngine::reset() {
    clearRecordings();
    files_.detachAll();
    files_.setProgramDirectory(executableDirectory());
    flags_.clear();
    numbers_.clear();
    texts_.clear();
    frameHandler_ = renderHandler_ = nullptr;
    windowShown_ = true;
    lastError_.clear();
    events_.clear();
    textures_.clear();
    soundNames_.clear();
    held_.clear();
    pointerX_ = pointerY_ = 0;
    pointerInWindow_ = true;
    lastKey_ = lastChar_ = 0;
    frame_ = 0;
    frameLimit_ = 1000000;
    windowOpen_ = false;
    desktopWidth_ = 1920;
    desktopHeight_ = 1080;
    viewScaleX_ = viewScaleY_ = 1;
    random_.seed(0);
}

int HeadlessEngine::number(int state) const {
    auto it = numbers_.find(state);
    return it == numbers_.end() ? 0 : it->second;
}

bool HeadlessEngine::flag(int state) const {
    auto it = flags_.find(state);
    return it != flags_.end() && it->second;
}

std::string HeadlessEngine::text(int state) const {
    auto it = texts_.find(state);
    return it == texts_.end() ? std::string() : it->second;
}
