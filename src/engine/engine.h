#pragma once
// The engine interface: window, frame loop, drawing, textures, sound, input, timing and the
// resource packs. The game reaches the platform only through this class; the providers live in
// src/platform (an SDL2 one for the game, a deterministic headless one for tests and tools).
//
// An engine is obtained with createEngine(engineVersion) and handed out as a counted reference:
// every call of createEngine that succeeds must be balanced by one release(). The provider that
// is linked into the program decides which engine createEngine returns; there is one per process.

#include <cstdint>
#include <string>

using TextureHandle = std::uint32_t; // 0 = none
using SoundHandle = std::uint32_t;   // 0 = none
using FrameFunction = bool (*)();    // returns true to end the frame loop

constexpr int engineVersion = 0x160;

// Blend modes of a quad.
constexpr int blendAdditive = 0;
constexpr int blendAlpha = 2;

// Key numbers: the virtual-key numbers of the desktop the game was first written for.
constexpr int keyLeftButton = 1;
constexpr int keyRightButton = 2;
constexpr int keyBackspace = 8;
constexpr int keyTab = 9;
constexpr int keyEnter = 13;
constexpr int keyShift = 16;   // held only: never this frame's key
constexpr int keyControl = 17; // held only: never this frame's key
constexpr int keyEscape = 27;
constexpr int keySpace = 32;
constexpr int keyLeft = 37;
constexpr int keyUp = 38;
constexpr int keyRight = 39;
constexpr int keyDown = 40;
constexpr int keyF1 = 0x70;
constexpr int keyF11 = 0x7A;
constexpr int keyF12 = 0x7B;

// Engine states set by the game at start-up.
constexpr int handlerFrame = 1;
constexpr int handlerRender = 2;
constexpr int textIcon = 6;
constexpr int textTitle = 7;
constexpr int numberWidth = 8;  // window client width, pixels
constexpr int numberHeight = 9; // window client height, pixels
constexpr int numberColourDepth = 10;
constexpr int numberFramesPerSecond = 23;
constexpr int numberEffectsVolume = 16; // 0..100, scales every sound played from then on [100]
// The window's size on the desktop, when it differs from the drawing size above: the picture is
// then scaled to fit it, keeping its aspect. Not set: the drawing size.
constexpr int numberWindowWidth = 40;
constexpr int numberWindowHeight = 41;
constexpr int flagWindowed = 11; // false: the window fills the screen
constexpr int flagDepthBuffer = 12;
constexpr int flagTextureFilter = 13;
constexpr int flagUseSound = 18;
constexpr int flagRunUnfocused = 24;
constexpr int flagHideSystemPointer = 25;

// Message box styles.
constexpr int messageError = 0x10;
constexpr int messageSystemModal = 0x1000;

// One corner of a quad: position in window pixels after the view transform is applied by the
// engine, depth, colour 0xAARRGGBB and texture coordinates 0..1. The layout is fixed: 24 bytes.
struct Vertex {
    float x;
    float y;
    float z;
    std::uint32_t colour;
    float tx;
    float ty;
};
static_assert(sizeof(Vertex) == 24, "a vertex is 24 bytes");

// Corners in the order top-left, top-right, bottom-right, bottom-left of the unrotated region.
struct SpriteQuad {
    Vertex vertex[4];
    TextureHandle texture;
    std::int32_t blend;
};

class Engine {
  public:
    // Drops one reference; the last one destroys the engine.
    virtual void release() = 0;
    // Opens the window (or its headless stand-in). False on failure; lastError says why.
    virtual bool initialise() = 0;
    virtual void shutdown() = 0;
    // Calls the frame handler, then the render handler, once per frame until the frame handler
    // returns true or the window is closed.
    virtual bool runLoop() = 0;
    virtual const char* lastError() = 0;
    virtual void logLine(const char* format, ...) __attribute__((format(printf, 2, 3))) = 0;

    virtual void setFlag(int state, bool value) = 0;
    virtual void setHandler(int state, FrameFunction handler) = 0;
    virtual void setNumber(int state, int value) = 0;
    virtual void setText(int state, const char* value) = 0;

    // Reads a file from the attached packs (newest first), then from the program's directory.
    // Names may use backslashes and any letter case. Null on failure; the bytes stay valid until
    // freeFile. size, when given, receives the byte count.
    virtual std::uint8_t* loadFile(const char* name, std::uint32_t* size) = 0;
    virtual void freeFile(std::uint8_t* bytes) = 0;
    virtual bool attachPack(const char* file, const char* password) = 0;

    virtual float randomFloat(float min, float max) = 0;
    virtual void randomSeed(std::uint32_t seed) = 0;
    virtual float frameDelta() = 0; // seconds the last frame took

    virtual SoundHandle loadSound(const char* name, std::uint32_t size) = 0;
    // volume 0..100, pan -100..100, pitch factor (1 = as recorded).
    virtual void playSound(SoundHandle sound, int volume, int pan, float pitch, bool loop) = 0;

    virtual void mousePosition(float* x, float* y) = 0; // window pixels
    virtual bool mouseInWindow() = 0;
    virtual bool keyHeld(int key) = 0;
    virtual int lastKey() = 0;  // key pressed this frame, 0 = none
    virtual int lastChar() = 0; // 8-bit character typed this frame, 0 = none

    virtual bool beginFrame(int target) = 0; // target 0 = the screen
    virtual void endFrame() = 0;
    virtual void clearFrame(std::uint32_t colour) = 0;
    virtual void drawLine(float x1, float y1, float x2, float y2, std::uint32_t colour,
                          float z) = 0;
    virtual void drawQuad(const SpriteQuad& quad) = 0;
    // Every later drawing is scaled by (hscale, vscale) about (x, y), then moved by (dx, dy).
    virtual void setViewTransform(float x, float y, float dx, float dy, float rotation,
                                  float hscale, float vscale) = 0;

    virtual TextureHandle loadTexture(const char* name, std::uint32_t size, bool mipmap) = 0;
    virtual void freeTexture(TextureHandle texture) = 0;
    virtual int textureWidth(TextureHandle texture, bool original) = 0;
    virtual int textureHeight(TextureHandle texture, bool original) = 0;

    // Desktop services.
    virtual void desktopSize(int* width, int* height) = 0;
    virtual std::string programDirectory() = 0; // without a trailing separator
    // The open window's size on the desktop (while it fills the screen, the size it goes back
    // to) and whether it fills the screen. False when no window is open.
    virtual bool windowPlacement(int* width, int* height, bool* fullScreen) = 0;
    virtual void showMessageBox(const char* text, const char* caption, int style) = 0;
    // Opens the address in the user's browser without waiting and without a shell.
    virtual void openWebAddress(const char* address) = 0;

  protected:
    virtual ~Engine() = default;
};

// The engine of the linked provider with one more reference, or null for any other version.
Engine* createEngine(int version);
