#pragma once
// A deterministic engine for tests and tools: no window and no audio device. Every frame lasts
// exactly 1/50 s; input comes from a script of timed events; drawn quads, lines and played sounds
// are recorded so tests can assert on them. It reads the same packs as the real engine.

#include "engine/engine.h"
#include "engine/engine_random.h"
#include "platform/pack/resource_files.h"

#include <map>
#include <string>
#include <vector>

struct InputEvent {
    enum class Kind { PointerMove, PointerLeave, KeyDown, KeyUp, Char };
    int frame = 0; // applied at the start of this frame (frames count from 0)
    Kind kind = Kind::PointerMove;
    float x = 0, y = 0; // window pixels, for PointerMove
    int key = 0;        // key number for KeyDown/KeyUp, character for Char
};

struct RecordedLine {
    float x1, y1, x2, y2;
    std::uint32_t colour;
    float z;
};

struct RecordedSound {
    SoundHandle sound;
    int volume;
    int pan;
    float pitch;
    bool loop;
};

class HeadlessEngine final : public Engine {
  public:
    HeadlessEngine();

    // Engine
    void release() override;
    bool initialise() override;
    void shutdown() override;
    bool runLoop() override;
    const char* lastError() override { return lastError_.c_str(); }
    void logLine(const char* format, ...) override __attribute__((format(printf, 2, 3)));
    void setFlag(int state, bool value) override { flags_[state] = value; }
    void setHandler(int state, FrameFunction handler) override;
    void setNumber(int state, int value) override { numbers_[state] = value; }
    // Only the title is read: the icon state is given a resource number in place of a text.
    void setText(int state, const char* value) override;
    std::uint8_t* loadFile(const char* name, std::uint32_t* size) override;
    void freeFile(std::uint8_t* bytes) override;
    bool attachPack(const char* file, const char* password) override;
    float randomFloat(float min, float max) override { return random_.next(min, max); }
    void randomSeed(std::uint32_t seed) override { random_.seed(seed); }
    float frameDelta() override { return 0.02f; }
    SoundHandle loadSound(const char* name, std::uint32_t size) override;
    void playSound(SoundHandle sound, int volume, int pan, float pitch, bool loop) override;
    void mousePosition(float* x, float* y) override;
    bool mouseInWindow() override { return pointerInWindow_; }
    bool keyHeld(int key) override;
    int lastKey() override { return lastKey_; }
    int lastChar() override { return lastChar_; }
    bool beginFrame(int) override { return windowShown_; }
    void endFrame() override {}
    void clearFrame(std::uint32_t colour) override { clearColour_ = colour; }
    void drawLine(float x1, float y1, float x2, float y2, std::uint32_t colour, float z) override;
    void drawQuad(const SpriteQuad& quad) override { quads_.push_back(quad); }
    void setViewTransform(float x, float y, float dx, float dy, float rotation, float hscale,
                          float vscale) override;
    TextureHandle loadTexture(const char* name, std::uint32_t size, bool mipmap) override;
    void freeTexture(TextureHandle texture) override;
    int textureWidth(TextureHandle texture, bool original) override;
    int textureHeight(TextureHandle texture, bool original) override;
    void desktopSize(int* width, int* height) override;
    std::string programDirectory() override { return files_.programDirectory(); }
    // The window sizes and the windowed flag as set; a test sets them again to play a player
    // who resized the window or made it fill the screen.
    bool windowPlacement(int* width, int* height, bool* fullScreen) override;
    void showMessageBox(const char* text, const char* caption, int style) override;
    void openWebAddress(const char* address) override { webAddresses_.push_back(address); }

    // Test and tool controls.
    void setProgramDirectory(const std::string& directory);
    void setDesktopSize(int width, int height);
    // A hidden (minimised) window: beginFrame says no frame is to be drawn, as the SDL engine's.
    void setWindowShown(bool shown) { windowShown_ = shown; }
    void setFrameLimit(int frames) { frameLimit_ = frames; } // runLoop stops after this many
    void addEvent(const InputEvent& event);                  // frame counted from now
    // Runs up to n frames; returns how many ran (fewer when the frame handler ended the loop).
    int runFrames(int n);
    // Applies the events due this frame and clears the per-frame key and character; runFrames
    // does this itself, tests that call the handlers directly call it once per frame.
    void beginInputFrame();
    int frame() const { return frame_; }
    void clearRecordings();
    // Back to a fresh engine: no packs, textures, sounds, handlers, events or recordings.
    void reset();

    const std::vector<SpriteQuad>& quads() const { return quads_; }
    const std::vector<RecordedLine>& lines() const { return lines_; }
    const std::vector<RecordedSound>& sounds() const { return sounds_; }
    const std::vector<std::string>& logLines() const { return logLines_; }
    const std::vector<std::string>& messageBoxes() const { return messageBoxes_; }
    const std::vector<std::string>& webAddresses() const { return webAddresses_; }
    std::string soundName(SoundHandle sound) const;       // "" for an unknown handle
    std::string textureName(TextureHandle texture) const; // "" for an unknown handle
    int number(int state) const;
    bool flag(int state) const;
    std::string text(int state) const;
    std::uint32_t clearColour() const { return clearColour_; }
    float viewScale() const { return viewScaleX_; }

    int references = 0;

  private:
    struct Texture {
        std::string name;
        int width = 0, height = 0;
    };

    ResourceFiles files_;
    EngineRandom random_;
    std::map<int, bool> flags_;
    std::map<int, int> numbers_;
    std::map<int, std::string> texts_;
    FrameFunction frameHandler_ = nullptr;
    FrameFunction renderHandler_ = nullptr;
    std::string lastError_;
    std::vector<InputEvent> events_;
    std::map<TextureHandle, Texture> textures_;
    TextureHandle nextTexture_ = 1;
    std::vector<std::string> soundNames_; // index = handle - 1
    std::vector<SpriteQuad> quads_;
    std::vector<RecordedLine> lines_;
    std::vector<RecordedSound> sounds_;
    std::vector<std::string> logLines_;
    std::vector<std::string> messageBoxes_;
    std::vector<std::string> webAddresses_;
    std::vector<int> held_;
    float pointerX_ = 0, pointerY_ = 0;
    bool pointerInWindow_ = true;
    int lastKey_ = 0;
    int lastChar_ = 0;
    int frame_ = 0;
    int frameLimit_ = 1000000;
    bool windowOpen_ = false;
    bool windowShown_ = true;
    int desktopWidth_ = 1920, desktopHeight_ = 1080;
    float viewScaleX_ = 1, viewScaleY_ = 1;
    std::uint32_t clearColour_ = 0;
};

// The process's headless engine (created on first use, without taking a reference).
HeadlessEngine& headlessEngine();
