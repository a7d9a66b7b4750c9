// The SDL engine on SDL's offscreen video driver with the software renderer and the dummy audio
// driver: what it draws is read back pixel by pixel.

#include "platform/pack/pack_writer.h"
#include "platform/sdl/key_map.h"
#include "platform/sdl/resample.h"
#include "platform/sdl/sdl_engine.h"

#include <SDL_image.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr std::uint32_t opaque(std::uint32_t rgb) {
    return 0xFF000000u | rgb;
}

int channel(std::uint32_t argb, int shift) {
    return static_cast<int>((argb >> shift) & 0xFF);
}

std::vector<std::uint8_t> readBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

// PNG bytes of a w x 1 image with the given 0xAARRGGBB pixels.
std::vector<std::uint8_t> pngBytes(const std::vector<std::uint32_t>& pixels, const fs::path& at) {
    std::vector<std::uint32_t> copy = pixels;
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(
        copy.data(), static_cast<int>(copy.size()), 1, 32, static_cast<int>(copy.size()) * 4,
        SDL_PIXELFORMAT_ARGB8888);
    IMG_SavePNG(surface, at.c_str());
    SDL_FreeSurface(surface);
    return readBytes(at);
}

// A minimal PCM WAV: 16-bit stereo, 44100 Hz, a short ramp.
std::vector<std::uint8_t> wavBytes() {
    const std::uint32_t frames = 4410, dataSize = frames * 4;
    std::vector<std::uint8_t> out;
    auto put = [&](std::uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i) {
            out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
        }
    };
    out.insert(out.end(), {'R', 'I', 'F', 'F'});
    put(36 + dataSize, 4);
    out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    put(16, 4), put(1, 2), put(2, 2), put(44100, 4), put(44100 * 4, 4), put(4, 2), put(16, 2);
    out.insert(out.end(), {'d', 'a', 't', 'a'});
    put(dataSize, 4);
    for (std::uint32_t i = 0; i < frames; ++i) {
        put(i * 7, 2), put(i * 7, 2);
    }
    return out;
}

class SdlEngineTest : public ::testing::Test {
  protected:
    void SetUp() override {
        setenv("SDL_VIDEODRIVER", "offscreen", 0);
        setenv("SDL_RENDER_DRIVER", "software", 0);
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        setenv("SDL_FRAMEBUFFER_ACCELERATION", "0", 0);
        directory = fs::temp_directory_path() /
                    ("quorvane-sdl-" + std::to_string(::getpid()) + "-" +
                     ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(directory);
    }
    void TearDown() override {
        if (engine != nullptr) {
            engine->release();
        }
        fs::remove_all(directory);
    }

    // An engine with a width x height window, unfiltered textures.
    SdlEngine& open(int width = 64, int height = 48) {
        engine = createEngine(engineVersion);
        engine->setNumber(numberWidth, width);
        engine->setNumber(numberHeight, height);
        engine->setFlag(flagWindowed, true);
        engine->setFlag(flagTextureFilter, false);
        engine->setText(textTitle, "Quorvane - test");
        EXPECT_TRUE(engine->initialise()) << engine->lastError();
        return *sdlEngine();
    }

    // Serves the given files from a freshly written pack.
    void attach(const std::vector<PackEntry>& entries) {
        std::string error;
        ASSERT_TRUE(writePack((directory / "test.paq").string(), entries, "pw", &error)) << error;
        ASSERT_TRUE(engine->attachPack((directory / "test.paq").c_str(), "pw"));
    }

    std::uint32_t pixel(int x, int y) {
        int w = 0, h = 0;
        const auto pixels = sdlEngine()->readPixels(&w, &h);
        return x < w && y < h ? pixels[static_cast<std::size_t>(y) * w + x] : 0;
    }

    static SpriteQuad quad(float x, float y, float w, float h, std::uint32_t colour,
                           TextureHandle texture = 0, int blend = blendAlpha) {
        SpriteQuad q{};
        const float xs[4] = {x, x + w, x + w, x}, ys[4] = {y, y, y + h, y + h};
        const float us[4] = {0, 1, 1, 0}, vs[4] = {0, 0, 1, 1};
        for (int i = 0; i < 4; ++i) {
            q.vertex[i] = Vertex{xs[i], ys[i], 0.5f, colour, us[i], vs[i]};
        }
        q.texture = texture;
        q.blend = blend;
        return q;
    }

    Engine* engine = nullptr;
    fs::path directory;
};

TEST_F(SdlEngineTest, ColouredQuadsFillTheirAreaWithPerCornerColours) {
    SdlEngine& sdl = open();
    ASSERT_TRUE(sdl.beginFrame(0));
    sdl.clearFrame(opaque(0x000000));
    sdl.drawQuad(quad(8, 8, 16, 16, opaque(0xFF0000)));
    SpriteQuad gradient = quad(32, 0, 32, 48, opaque(0x0000FF));
    gradient.vertex[0].colour = gradient.vertex[3].colour = opaque(0x00FF00); // left edge green
    sdl.drawQuad(gradient);
    EXPECT_EQ(pixel(16, 16), opaque(0xFF0000));
    EXPECT_EQ(pixel(4, 4), opaque(0x000000));
    EXPECT_EQ(pixel(26, 16), opaque(0x000000));
    const std::uint32_t left = pixel(33, 24), right = pixel(62, 24);
    EXPECT_GT(channel(left, 8), 200);
    EXPECT_LT(channel(left, 0), 50);
    EXPECT_GT(channel(right, 0), 200);
    EXPECT_LT(channel(right, 8), 50);
    sdl.endFrame();
}

TEST_F(SdlEngineTest, TexturedQuadsSampleTheirTextureCoordinatesTintedByVertexColour) {
    SdlEngine& sdl = open();
    attach({{"graphics/pair.png",
             pngBytes({opaque(0xFF0000), opaque(0x0000FF)}, directory / "p.png")}});
    const TextureHandle texture = sdl.loadTexture("GRAPHICS\\Pair.png", 0, false);
    ASSERT_NE(texture, 0u);
    EXPECT_EQ(sdl.textureWidth(texture, false), 2);
    EXPECT_EQ(sdl.textureHeight(texture, false), 1);
    sdl.beginFrame(0);
    sdl.clearFrame(opaque(0x000000));
    sdl.drawQuad(quad(0, 0, 20, 10, opaque(0xFFFFFF), texture));
    SpriteQuad rightHalf = quad(0, 20, 20, 10, opaque(0x808080), texture);
    for (Vertex& v : rightHalf.vertex) {
        v.tx = 0.5f + v.tx * 0.5f; // only the blue texel
    }
    sdl.drawQuad(rightHalf);
    EXPECT_EQ(pixel(3, 5), opaque(0xFF0000));
    EXPECT_EQ(pixel(16, 5), opaque(0x0000FF));
    const std::uint32_t tinted = pixel(3, 25);
    EXPECT_EQ(channel(tinted, 16), 0);
    EXPECT_NEAR(channel(tinted, 0), 128, 2);
    sdl.endFrame();
}

TEST_F(SdlEngineTest, AlphaBlendingMixesWhileAdditiveBlendingAdds) {
    SdlEngine& sdl = open();
    attach({{"white.png", pngBytes({opaque(0xFFFFFF)}, directory / "w.png")}});
    const TextureHandle white = sdl.loadTexture("white.png", 0, false);
    sdl.beginFrame(0);
    sdl.clearFrame(opaque(0x640000));          // red 100
    const std::uint32_t halfBlue = 0x800000C8; // blue 200 at alpha 128
    sdl.drawQuad(quad(0, 0, 32, 24, halfBlue, white, blendAlpha));
    sdl.drawQuad(quad(32, 0, 32, 24, halfBlue, white, blendAdditive));
    sdl.drawQuad(quad(0, 24, 32, 24, halfBlue, 0, blendAlpha));
    sdl.drawQuad(quad(32, 24, 32, 24, halfBlue, 0, blendAdditive));
    for (int y : {10, 34}) {
        const std::uint32_t mixed = pixel(10, y), added = pixel(50, y);
        SCOPED_TRACE(y);
        EXPECT_NEAR(channel(mixed, 16), 50, 2); // red fades under the quad
        EXPECT_NEAR(channel(mixed, 0), 100, 2);
        EXPECT_EQ(channel(added, 16), 100); // red stays, blue is added
        EXPECT_NEAR(channel(added, 0), 100, 2);
    }
    sdl.endFrame();
}

TEST_F(SdlEngineTest, QuadsShareOneDrawCallUntilTextureOrBlendChanges) {
    SdlEngine& sdl = open();
    sdl.beginFrame(0);
    for (int i = 0; i < 5; ++i) {
        sdl.drawQuad(quad(i * 4.0f, 0, 4, 4, opaque(0xFFFFFF)));
    }
    sdl.drawQuad(quad(0, 8, 4, 4, opaque(0xFFFFFF), 0, blendAdditive));
    sdl.drawQuad(quad(0, 16, 4, 4, opaque(0xFFFFFF)));
    sdl.drawLine(0, 30, 60, 30, opaque(0xFFFFFF), 0.5f);
    EXPECT_EQ(sdl.drawCallsThisFrame(), 4); // three batches of quads and the line
    sdl.endFrame();
}

TEST_F(SdlEngineTest, ViewTransformScalesQuadsAndLines) {
    SdlEngine& sdl = open();
    sdl.setViewTransform(0, 0, 0, 0, 0, 0.5f, 0.5f);
    sdl.beginFrame(0);
    sdl.clearFrame(opaque(0x000000));
    sdl.drawQuad(quad(0, 0, 40, 40, opaque(0xFFFFFF)));
    sdl.drawLine(100, 80, 120, 80, opaque(0x00FF00), 0.5f);
    EXPECT_EQ(pixel(18, 18), opaque(0xFFFFFF));
    EXPECT_EQ(pixel(22, 22), opaque(0x000000));
    EXPECT_EQ(pixel(55, 40), opaque(0x00FF00));
    sdl.endFrame();
}

TEST_F(SdlEngineTest, ResizedWindowScalesThePictureKeepingAspectAndGamePointerPixels) {
    SdlEngine& sdl = open(64, 48);
    SDL_SetWindowSize(sdl.window(), 256, 96); // twice as high, four times as wide
    SDL_PumpEvents();
    sdl.beginFrame(0);
    sdl.clearFrame(opaque(0x000000));
    sdl.drawQuad(quad(0, 0, 64, 48, opaque(0xFFFFFF)));
    int w = 0, h = 0;
    const auto pixels = sdl.readPixels(&w, &h);
    ASSERT_EQ(w, 256);
    ASSERT_EQ(h, 96);
    // The picture is 128 x 96, centred: black bars of 64 pixels left and right.
    EXPECT_EQ(pixels[48 * w + 10], opaque(0x000000));
    EXPECT_EQ(pixels[48 * w + 70], opaque(0xFFFFFF));
    EXPECT_EQ(pixels[48 * w + 186], opaque(0xFFFFFF));
    EXPECT_EQ(pixels[48 * w + 250], opaque(0x000000));
    sdl.endFrame();

    SDL_Event motion{};
    motion.type = SDL_MOUSEMOTION;
    motion.motion.windowID = SDL_GetWindowID(sdl.window());
    motion.motion.x = 64 + 40; // window pixels
    motion.motion.y = 30;
    SDL_PushEvent(&motion);
    SDL_Event event;
    bool seen = false;
    while (SDL_PollEvent(&event)) {
        if (event.type == SDL_MOUSEMOTION) {
            seen = true;
            EXPECT_EQ(event.motion.x, 20); // the game's own window pixels
            EXPECT_EQ(event.motion.y, 15);
        }
    }
    EXPECT_TRUE(seen);
}

int framesSeen = 0;
int rendersSeen = 0;
bool orderKept = true;
int firstKey = 0, firstChar = 0;
bool leftHeld = false;

bool countingFrame() {
    orderKept = orderKept && rendersSeen == framesSeen;
    if (framesSeen == 0) {
        Engine* e = sdlEngine();
        firstKey = e->lastKey();
        firstChar = e->lastChar();
        leftHeld = e->keyHeld(keyLeftButton);
    }
    return ++framesSeen > 3;
}

bool drawingRender() {
    Engine* e = sdlEngine();
    e->beginFrame(0);
    e->clearFrame(opaque(framesSeen == 2 ? 0x00FF00 : 0x0000FF));
    e->endFrame();
    ++rendersSeen;
    return false;
}

TEST_F(SdlEngineTest, LoopAlternatesHandlersHandsOverInputAndTakesRequestedScreenshot) {
    const fs::path shot = directory / "frame1.png";
    setenv("QUORVANE_SCREENSHOT", (shot.string() + ":1,bad-item").c_str(), 1);
    SdlEngine& sdl = open();
    unsetenv("QUORVANE_SCREENSHOT");
    sdl.setHandler(handlerFrame, countingFrame);
    sdl.setHandler(handlerRender, drawingRender);
    SDL_Event event{};
    event.type = SDL_MOUSEBUTTONDOWN;
    event.button.button = SDL_BUTTON_LEFT;
    event.button.x = 5;
    event.button.y = 6;
    SDL_PushEvent(&event);
    SDL_Event text{};
    text.type = SDL_TEXTINPUT;
    std::strcpy(text.text.text, "\xC3\xA9"); // é
    SDL_PushEvent(&text);
    framesSeen = rendersSeen = 0;
    EXPECT_TRUE(sdl.runLoop());
    EXPECT_EQ(framesSeen, 4);
    EXPECT_EQ(rendersSeen, 3);
    EXPECT_TRUE(orderKept);
    EXPECT_EQ(firstKey, keyLeftButton);
    EXPECT_EQ(firstChar, 0xE9);
    EXPECT_TRUE(leftHeld);
    SDL_Surface* saved = IMG_Load(shot.c_str());
    ASSERT_NE(saved, nullptr);
    EXPECT_EQ(saved->w, 64);
    EXPECT_EQ(saved->h, 48);
    SDL_Surface* argb = SDL_ConvertSurfaceFormat(saved, SDL_PIXELFORMAT_ARGB8888, 0);
    EXPECT_EQ(static_cast<const std::uint32_t*>(argb->pixels)[0], opaque(0x00FF00));
    SDL_FreeSurface(argb);
    SDL_FreeSurface(saved);
}

TEST_F(SdlEngineTest, HiddenWindowKeepsItsFramesRunningButDrawsAndShowsNothing) {
    SdlEngine& sdl = open();
    ASSERT_TRUE(sdl.beginFrame(0));
    sdl.clearFrame(opaque(0xFF0000));
    sdl.endFrame();
    SDL_HideWindow(sdl.window());
    EXPECT_FALSE(sdl.beginFrame(0));
    sdl.clearFrame(opaque(0x00FF00));
    sdl.drawQuad(quad(0, 0, 64, 48, opaque(0x0000FF)));
    sdl.drawLine(0, 30, 60, 30, opaque(0xFFFFFF), 0.5f);
    EXPECT_EQ(sdl.drawCallsThisFrame(), 0);
    sdl.endFrame();
    sdl.setHandler(handlerFrame, countingFrame);
    sdl.setHandler(handlerRender, drawingRender);
    framesSeen = rendersSeen = 0;
    EXPECT_TRUE(sdl.runLoop());
    EXPECT_EQ(framesSeen, 4);
    EXPECT_EQ(rendersSeen, 3);
    SDL_ShowWindow(sdl.window());
    EXPECT_EQ(pixel(32, 24), opaque(0xFF0000)); // still the last frame drawn while visible
    ASSERT_TRUE(sdl.beginFrame(0));
    sdl.clearFrame(opaque(0x00FF00));
    EXPECT_EQ(pixel(32, 24), opaque(0x00FF00));
    sdl.endFrame();
}

TEST_F(SdlEngineTest, SoundsPlayAtAnyPitchAndBadResourcesFailCleanly) {
    SdlEngine& sdl = open();
    attach({{"sound/ramp.wav", wavBytes()}, {"graphics/broken.png", {1, 2, 3}}});
    const SoundHandle sound = sdl.loadSound("sound\\ramp.wav", 0);
    ASSERT_NE(sound, 0u);
    for (float pitch : {0.6f, 1.0f, 1.4f, 1.4f}) {
        sdl.playSound(sound, 50, -95, pitch, false);
    }
    sdl.playSound(sound + 7, 50, 0, 1.0f, false); // unknown handle: nothing
    EXPECT_EQ(sdl.loadSound("sound\\missing.wav", 0), 0u);
    EXPECT_EQ(sdl.loadTexture("graphics\\broken.png", 0, false), 0u);
    EXPECT_EQ(sdl.loadTexture("graphics\\missing.png", 0, false), 0u);
    EXPECT_EQ(sdl.loadFile("graphics\\missing.png", nullptr), nullptr);
    EXPECT_FALSE(sdl.attachPack((directory / "none.paq").c_str(), "pw"));
}

TEST_F(SdlEngineTest, DesktopServicesWorkBeforeTheWindowAndNeverUseAShell) {
    engine = createEngine(engineVersion);
    int width = 0, height = 0;
    engine->desktopSize(&width, &height); // the game asks before initialise
    EXPECT_GT(width, 0);
    EXPECT_GT(height, 0);
    EXPECT_FALSE(engine->programDirectory().empty());

    // A stand-in browser starter that records its arguments, one per line.
    const fs::path bin = directory / "bin", record = directory / "args.txt";
    fs::create_directories(bin);
    std::ofstream(bin / "xdg-open")
        << "#!/bin/sh\nfor a in \"$@\"; do echo \"$a\"; done > " << record.string() << ".tmp\nmv "
        << record.string() << ".tmp " << record.string() << "\n";
    fs::permissions(bin / "xdg-open", fs::perms::owner_all);
    const std::string path = std::getenv("PATH") != nullptr ? std::getenv("PATH") : "";
    setenv("PATH", (bin.string() + ":" + path).c_str(), 1);
    const char* address = "https://quorvane.example/a b;touch pwned";
    engine->openWebAddress(address);
    setenv("PATH", path.c_str(), 1);
    for (int i = 0; i < 500 && !fs::exists(record); ++i) {
        SDL_Delay(10);
    }
    std::ifstream in(record);
    std::string line, all;
    while (std::getline(in, line)) {
        all += line + "|";
    }
    EXPECT_EQ(all, std::string(address) + "|");
    EXPECT_FALSE(fs::exists("pwned"));
    // Peeks without reaping: only the engine may collect the finished starter.
    auto noChildLeft = [] {
        siginfo_t info{};
        return waitid(P_ALL, 0, &info, WEXITED | WNOHANG | WNOWAIT) == -1 && errno == ECHILD;
    };
    for (int i = 0; i < 500 && !noChildLeft(); ++i) {
        SDL_Delay(10);
        engine->openWebAddress("-n"); // refused, but reaps a finished starter first
    }
    EXPECT_TRUE(noChildLeft()); // not even a zombie

    engine->logLine("log check %d", 42);
    std::ifstream log(engine->programDirectory() + "/quorvane.log");
    const std::string text(std::istreambuf_iterator<char>(log), {});
    EXPECT_NE(text.find("log check 42"), std::string::npos);
    EXPECT_NE(text.find("Refusing to open web address \"-n\""), std::string::npos);
}

TEST(SdlKeys, KeysMapToDesktopNumbersAndTextToLatin1) {
    EXPECT_EQ(virtualKey(SDLK_a), 0x41);
    EXPECT_EQ(virtualKey(SDLK_z), 0x5A);
    EXPECT_EQ(virtualKey(SDLK_0), 0x30);
    EXPECT_EQ(virtualKey(SDLK_9), 0x39);
    EXPECT_EQ(virtualKey(SDLK_F1), 0x70);
    EXPECT_EQ(virtualKey(SDLK_F12), 0x7B);
    EXPECT_EQ(virtualKey(SDLK_BACKSPACE), keyBackspace);
    EXPECT_EQ(virtualKey(SDLK_ESCAPE), keyEscape);
    EXPECT_EQ(virtualKey(SDLK_LEFT), 37);
    EXPECT_EQ(virtualKey(SDLK_DOWN), 40);
    EXPECT_EQ(virtualKey(SDLK_DELETE), 46);
    EXPECT_EQ(virtualKey(SDLK_CAPSLOCK), 0);
    EXPECT_EQ(latin1Character("a"), 'a');
    EXPECT_EQ(latin1Character("\xC3\xBF"), 0xFF);  // ÿ
    EXPECT_EQ(latin1Character("\xE2\x82\xAC"), 0); // € is not one byte
    EXPECT_EQ(latin1Character("ab"), 0);
    EXPECT_EQ(latin1Character(""), 0);
}

TEST(SdlResample, PitchShortensOrLengthensAndInterpolates) {
    const std::vector<std::int16_t> ramp = {0, 0, 100, -100, 200, -200, 300, -300};
    const auto faster = resampleFrames(ramp.data(), 4, 2, 2.0f);
    EXPECT_EQ(faster, (std::vector<std::int16_t>{0, 0, 200, -200}));
    const auto slower = resampleFrames(ramp.data(), 4, 2, 0.5f);
    ASSERT_EQ(slower.size(), 16u);
    EXPECT_EQ(slower[2], 50); // halfway between the first two frames
    EXPECT_EQ(slower[3], -50);
    EXPECT_EQ(slower[14], 300); // the last frame is held, never read past
    EXPECT_EQ(resampleFrames(ramp.data(), 4, 2, 0.0f), ramp);
}

} // namespace
