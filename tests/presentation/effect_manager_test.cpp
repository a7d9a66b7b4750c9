#include "presentation/effect_manager.h"

#include "support/headless_fixture.h"
#include "support/temp_program_folder.h"

#include <bit>
#include <string>

namespace {

// A preset record: emission per second, emission lifetime and particle life in seconds, white.
std::string presetRecord(int emission, float lifetime, float particleLife) {
    std::string bytes(128, '\0');
    auto put = [&](std::size_t offset, std::uint32_t bits) {
        for (int i = 0; i < 4; ++i) {
            bytes[offset + i] = static_cast<char>(bits >> (8 * i));
        }
    };
    auto putFloat = [&](std::size_t offset, float value) {
        put(offset, std::bit_cast<std::uint32_t>(value));
    };
    put(4, static_cast<std::uint32_t>(emission));
    putFloat(8, lifetime);
    putFloat(12, particleLife);
    putFloat(16, particleLife);
    putFloat(64, 1); // size start and end
    putFloat(68, 1);
    for (std::size_t offset = 88; offset < 120; offset += 4) {
        putFloat(offset, 1); // colours start and end white
    }
    return bytes;
}

const char* const presetNames[] = {"crash",      "mutace",    "teleport", "teleport2",
                                   "amoebamorf", "amoebaeat", "lightfire"};

class EffectManagerTest : public HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        engine->randomSeed(7);
        headless().setProgramDirectory(folder.path());
        for (const char* name : presetNames) {
            writePreset(name, presetRecord(500, 0.1f, 0.2f));
        }
        for (const char* name :
             {"explosion15", "explosion11", "explosion1add", "explosion10add", "explosion13"}) {
            defineSprite(*layer, name, 0, 0, 0, 16, 16, 16, 16, 0);
        }
    }

    void writePreset(const std::string& name, const std::string& bytes) {
        folder.write("graphics\\" + name + ".psi", bytes);
    }

    Sprite& sprite(const char* definition) { return *findDefinition(*layer, definition)->sprite; }

    TempProgramFolder folder;
    std::unique_ptr<SceneLayer> layer = createLayer();
    EffectManager effects;
};

TEST_F(EffectManagerTest, PresetsLoadOnlyWhenAllSevenAreWhole) {
    ASSERT_TRUE(loadEffectPresets(effects));
    EXPECT_EQ(effects.presets[presetLightFire].emission, 500);

    writePreset("amoebaeat", presetRecord(500, 0.1f, 0.2f).substr(0, 127));
    EffectManager shortFile;
    EXPECT_FALSE(loadEffectPresets(shortFile));

    folder.write("graphics\\amoebaeat.psi",
                 presetRecord(9, 1, 1) + "trailing bytes count for nothing");
    EffectManager longer;
    EXPECT_TRUE(loadEffectPresets(longer));
    EXPECT_EQ(longer.presets[presetAmoebaEat].emission, 9);

    headless().setProgramDirectory(folder.path() + "/none");
    EffectManager missing;
    EXPECT_FALSE(loadEffectPresets(missing));
}

TEST_F(EffectManagerTest, TintedEffectsKeepTheColourTheyWereBuiltWith) {
    ASSERT_TRUE(loadEffectPresets(effects));
    spawnEffect(effects, *layer, "explosionitem", 100, 100, 0xFFFF0000);
    spawnEffect(effects, *layer, "explosionitem", 200, 200, 0x800000FF);
    ASSERT_EQ(effectCount(effects), 2);
    updateEffects(effects, 0.02f);
    renderEffects(effects);
    // Newest first among equal names: the blue one draws first.
    const auto& quads = headless().quads();
    ASSERT_EQ(quads.size(), 20u);
    EXPECT_EQ(quads.front().vertex[0].colour, 0x800000FFu);
    EXPECT_EQ(quads.back().vertex[0].colour, 0xFFFF0000u);
    // The tint stays in the shared preset; an untinted effect ignores its colour.
    EXPECT_FLOAT_EQ(effects.presets[presetCrash].colourStart.blue, 1);
    EXPECT_FLOAT_EQ(effects.presets[presetCrash].colourStart.red, 0);
    spawnEffect(effects, *layer, "explosionmutace", 0, 0, 0xFF00FF00);
    EXPECT_FLOAT_EQ(effects.presets[presetMutation].colourStart.red, 1);
    EXPECT_EQ(effects.presets[presetMutation].sprite, &sprite("explosion11"));
    EXPECT_EQ(effects.presets[presetCrash].sprite, &sprite("explosion15"));
}

TEST_F(EffectManagerTest, OnlyExactNamesWithTheirSpriteSpawn) {
    ASSERT_TRUE(loadEffectPresets(effects));
    spawnEffect(effects, *layer, "ExplosionItem", 0, 0, 0xFFFFFFFF);
    spawnEffect(effects, *layer, "explosionitem ", 0, 0, 0xFFFFFFFF);
    spawnEffect(effects, *layer, "explosion", 0, 0, 0xFFFFFFFF);
    EXPECT_EQ(effectCount(effects), 0);
    auto bare = createLayer();
    spawnEffect(effects, *bare, "explosionitem", 0, 0, 0xFFFFFFFF);
    EXPECT_EQ(effectCount(effects), 0);
    spawnEffect(effects, *layer, "explosionteleport2", 0, 0, 0xFFFFFFFF);
    EXPECT_EQ(effectCount(effects), 1);
}

TEST_F(EffectManagerTest, RunningListIsInNameOrderNewestFirst) {
    ASSERT_TRUE(loadEffectPresets(effects));
    for (const char* name : {"explosionteleport", "explosionitem", "explosionlightfire",
                             "explosionitem", "explosionamoebaeat"}) {
        spawnEffect(effects, *layer, name, 0, 0, 0xFFFFFFFF);
    }
    ASSERT_EQ(effectCount(effects), 5);
    const char* expected[] = {"explosionamoebaeat", "explosionitem", "explosionitem",
                              "explosionlightfire", "explosionteleport"};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(effects.running[i].name, expected[i]);
    }
    ParticleSystem* newestItem = effects.running[1].system.get();
    spawnEffect(effects, *layer, "explosionitem", 0, 0, 0xFFFFFFFF);
    EXPECT_EQ(effects.running[2].system.get(), newestItem);
}

TEST_F(EffectManagerTest, FinishedEffectsAreRemovedEndlessOnesOnlyByKilling) {
    writePreset("lightfire", presetRecord(50, -1, 0.2f));
    ASSERT_TRUE(loadEffectPresets(effects));
    spawnEffect(effects, *layer, "explosionlightfire", 0, 0, 0xFFFFFFFF);
    spawnEffect(effects, *layer, "explosionteleport", 0, 0, 0xFFFFFFFF);
    for (int i = 0; i < 100; ++i) {
        updateEffects(effects, 0.02f);
    }
    ASSERT_EQ(effectCount(effects), 1);
    EXPECT_EQ(effects.running[0].name, "explosionlightfire");
    killEffect(effects, 5);
    killEffect(effects, -1);
    EXPECT_EQ(effectCount(effects), 1);
    killEffect(effects, 0);
    EXPECT_EQ(effectCount(effects), 0);

    spawnEffect(effects, *layer, "explosionitem", 0, 0, 0xFFFFFFFF);
    spawnEffect(effects, *layer, "explosionlightfire", 0, 0, 0xFFFFFFFF);
    killAllEffects(effects);
    EXPECT_EQ(effectCount(effects), 0);
}

} // namespace
