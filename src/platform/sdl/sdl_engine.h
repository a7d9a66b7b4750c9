#pragma once
// The engine on SDL2: a resizable window whose picture keeps its aspect (letterboxed) while the
// game keeps seeing its own window-pixel coordinates, drawing through SDL_RenderGeometry,
// textures decoded by SDL2_image, sounds mixed by SDL2_mixer and the resource packs.
//
// Frames run at the rate set with numberFramesPerSecond; between frames the loop sleeps until
// the next frame is due, so an idle game costs next to no processor time.
//
// Screenshots: F12 saves the current frame as a PNG beside the log file. The environment
// variable QUORVANE_SCREENSHOT="a.png:10,b.png:250" saves frame 10 to a.png and frame 250 to
// b.png (frames count from 0, the first frame of runLoop).
//
// Where OpenGL would draw on the processor, or there is none, the engine draws each frame itself,
// on two threads where it can, into a frame buffer of the game's window size (soft_renderer.h)
// and hands SDL's software renderer one finished picture per frame (raster_choice.h says when).
//
// While the window is hidden or minimised, frames keep running but nothing is drawn or shown.

#include "engine/engine.h"
#include "engine/engine_random.h"
#include "platform/pack/resource_files.h"
#include "platform/sdl/soft_renderer.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <sys/types.h>

#include <chrono>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

class SdlEngine final : public Engine {
  public:
    SdlEngine();
    ~SdlEngine() override;

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
    void setText(int state, const char* value) override;
    std::uint8_t* loadFile(const char* name, std::uint32_t* size) override;
    void freeFile(std::uint8_t* bytes) override;
    bool attachPack(const char* file, const char* password) override;
    float randomFloat(float min, float max) override { return random_.next(min, max); }
    void randomSeed(std::uint32_t seed) override { random_.seed(seed); }
    float frameDelta() override { return frameDelta_; }
    SoundHandle loadSound(const char* name, std::uint32_t size) override;
    void playSound(SoundHandle sound, int volume, int pan, float pitch, bool loop) override;
    void mousePosition(float* x, float* y) override;
    bool mouseInWindow() override { return pointerInWindow_; }
    bool keyHeld(int key) override;
    int lastKey() override { return lastKey_; }
    int lastChar() override { return lastChar_; }
    bool beginFrame(int target) override;
    void endFrame() override;
    void clearFrame(std::uint32_t colour) override;
    void drawLine(float x1, float y1, float x2, float y2, std::uint32_t colour, float z) override;
    void drawQuad(const SpriteQuad& quad) override;
    void setViewTransform(float x, float y, float dx, float dy, float rotation, float hscale,
                          float vscale) override;
    TextureHandle loadTexture(const char* name, std::uint32_t size, bool mipmap) override;
    void freeTexture(TextureHandle texture) override;
    int textureWidth(TextureHandle texture, bool original) override;
    int textureHeight(TextureHandle texture, bool original) override;
    void desktopSize(int* width, int* height) override;
    std::string programDirectory() override { return files_.programDirectory(); }
    bool windowPlacement(int* width, int* height, bool* fullScreen) override;
    void showMessageBox(const char* text, const char* caption, int style) override;
    void openWebAddress(const char* address) override;

    // For tests and tools: saves what has been drawn so far in this frame; false on failure.
    bool saveScreenshot(const std::string& file);
    // For tests: the frame's pixels as 0xAARRGGBB, row by row; empty when there is no window.
    std::vector<std::uint32_t> readPixels(int* width, int* height);
    // Draw calls handed to SDL since beginFrame (a batch of quads is one call).
    int drawCallsThisFrame() const { return drawCalls_; }
    SDL_Window* window() const { return window_; }

    int references = 0;

  private:
    struct Texture {
        SDL_Texture* texture = nullptr; // only when SDL draws
        int width = 0, height = 0;
        std::vector<std::uint32_t> pixels; // 0xAARRGGBB, only when our own rasteriser draws
    };
    struct Sound {
        Mix_Chunk* chunk = nullptr;        // null when the game runs without an audio device
        std::map<int, Mix_Chunk*> pitched; // by pitch in hundredths
        std::vector<std::vector<std::int16_t>> buffers; // samples of the pitched chunks
    };
    struct Screenshot {
        std::string file;
        long frame = 0;
    };
    struct Batch {
        TextureHandle texture = 0;
        int blend = -1;
        std::vector<SDL_Vertex> vertices;
        std::vector<int> indices;
    };

    // sdl_engine.cpp
    void handleEvent(const SDL_Event& event);
    void pressKey(int key);
    void toggleFullScreen();
    bool isFullScreen() const;
    void takeDueScreenshots();
    std::string screenshotFile() const;
    int number(int state, int fallback) const;
    bool flag(int state, bool fallback) const;
    // sdl_window_open.cpp
    bool openWindow();
    SDL_Window* createHiddenWindow();
    void openSdlRenderer();
    void openOwnRaster();
    // sdl_render.cpp
    void flushBatch();
    SDL_FPoint transform(float x, float y) const;
    void closeRenderer();
    bool createWhiteTexture();
    void openSoftRaster();
    bool copyPixels(SDL_Surface* surface, Texture* texture);
    bool createSdlTexture(SDL_Surface* surface, Texture* texture);
    void rasteriseBatch();
    void showSoftFrame();
    // sdl_audio.cpp
    void openAudio();
    void closeAudio();
    Mix_Chunk* pitchedChunk(Sound& sound, float pitch);
    // sdl_desktop.cpp
    void openLogFile();
    void reapChildren();

    ResourceFiles files_;
    EngineRandom random_;
    std::map<int, bool> flags_;
    std::map<int, int> numbers_;
    std::string title_;
    FrameFunction frameHandler_ = nullptr;
    FrameFunction renderHandler_ = nullptr;
    std::string lastError_;
    std::FILE* logFile_ = nullptr;
    std::string logDirectory_;
    std::vector<pid_t> children_; // started browser programs not yet reaped

    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* white_ = nullptr;   // 1 x 1, drawn for quads without a texture
    int width_ = 800, height_ = 600; // the game's window pixels
    // The window's last size on the desktop while it did not fill the screen.
    int windowedWidth_ = 800, windowedHeight_ = 600;
    std::map<TextureHandle, Texture> textures_;
    TextureHandle nextTexture_ = 1;
    Batch batch_;
    int drawCalls_ = 0;
    bool inFrame_ = false;
    bool unseen_ = false;    // the window was hidden or minimised when the frame began
    bool ownRaster_ = false; // chosen at start-up
    // Frames drawn by our own rasteriser, when set.
    std::unique_ptr<SoftRenderer> softRenderer_;
    SDL_Texture* frameTexture_ = nullptr;     // its frame on the way to the screen
    bool softFrameWaiting_ = false;           // a new frame is on the renderer, not yet presented
    bool repaintWindow_ = true;               // the window lost its picture: show the frame whole
    std::uint32_t clearColour_ = 0xFF000000u; // also the colour of the letterbox bars
    float viewX_ = 0, viewY_ = 0, viewDx_ = 0, viewDy_ = 0;
    float viewCos_ = 1, viewSin_ = 0, viewScaleX_ = 1, viewScaleY_ = 1;

    bool audioOpen_ = false;
    int audioChannels_ = 2;
    std::vector<Sound> sounds_; // index = handle - 1

    float pointerX_ = 0, pointerY_ = 0;
    bool pointerInWindow_ = false;
    std::vector<int> held_;
    int lastKey_ = 0;
    int lastChar_ = 0;
    bool quitRequested_ = false;

    float frameDelta_ = 0.02f;
    long frame_ = 0;
    std::vector<Screenshot> screenshots_;
    bool screenshotKey_ = false;
};

// The process's SDL engine (created by the first createEngine, destroyed at the last release).
SdlEngine* sdlEngine();
