// The packs the build wrote next to the executables, opened by the SDL engine as the game does at
// start-up: every picture decodes at least at its catalogue size and every sound decodes, the
// ".mp3"-named ones included (the mixer goes by content).

#include "platform/pack/pack_password.h"
#include "platform/sdl/sdl_engine.h"
#include "presentation/graphics_catalogue.h"
#include "presentation/sound_catalogue.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

TEST(SdlBuiltPacks, EveryPictureAndSoundDecodes) {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("SDL_RENDER_DRIVER", "software", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    setenv("SDL_FRAMEBUFFER_ACCELERATION", "0", 0);
    Engine* engine = createEngine(engineVersion);
    engine->setNumber(numberWidth, 64);
    engine->setNumber(numberHeight, 64);
    engine->setFlag(flagWindowed, true);
    engine->setFlag(flagUseSound, true);
    ASSERT_TRUE(engine->initialise()) << engine->lastError();
    const std::string bin = std::string(QUORVANE_BINARY_DIR) + "/bin/";
    const std::string password = packPassword();
    ASSERT_TRUE(engine->attachPack((bin + "Graphics.paq").c_str(), password.c_str()));
    {
        auto hallLayer = createLayer();
        auto overlayLayer = createLayer();
        std::unique_ptr<BitmapFont> largeFont, smallFont;
        EffectManager effects;
        EXPECT_TRUE(loadGraphics(*engine, *hallLayer, *overlayLayer, largeFont, smallFont, effects,
                                 "quorvane.example"));
        EXPECT_GT(largeFont->stringWidth("Level Complete"), 100.0f);
        EXPECT_GT(smallFont->height(), 0.0f);
        for (const char* name : {"hallbigamoeba", "hallitemamoebabox", "hallwallwindow"}) {
            SpriteDefinition* d = findDefinition(*hallLayer, name);
            ASSERT_NE(nullptr, d) << name;
            EXPECT_GE(engine->textureWidth(d->sprite->texture(), true), d->sheetWidth) << name;
            EXPECT_GE(engine->textureHeight(d->sprite->texture(), true), d->sheetHeight) << name;
        }
    }
    ASSERT_TRUE(engine->attachPack((bin + "Sound.paq").c_str(), password.c_str()));
    SoundCatalogue sounds;
    EXPECT_TRUE(loadSounds(*engine, sounds));
    EXPECT_NE(0u, sounds.soundLightHot);
    engine->shutdown();
    engine->release();
}
