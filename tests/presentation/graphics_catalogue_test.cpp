#include "platform/pack/pack_password.h"
#include "platform/pack/pack_writer.h"
#include "presentation/graphics_catalogue.h"
#include "presentation/sound_catalogue.h"
#include "presets/effect_presets.h"
#include "support/headless_fixture.h"

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace {

struct ExpectedRow {
    bool overlay;
    const char* name;
    const char* file; // in the pack's graphics folder
    int frameWidth, frameHeight, sheetWidth, sheetHeight;
    float hotX, hotY;
    int blend;
    std::uint32_t colour;
};

ExpectedRow cell(const char* name, const char* file, int sheetWidth = 44) {
    return {false, name, file, 44, 44, sheetWidth, 44, 22, 22, 2, 0xFFFFFFFF};
}

ExpectedRow spark(const char* name, const char* file, int blend) {
    return {false, name, file, 32, 32, 32, 32, 16, 16, blend, 0xFFFFFFFF};
}

const char* const webDomain = "quorvane.example";

// The catalogue as the hall scene and the rules expect to find it.
const std::vector<ExpectedRow>& expectedRows() {
    static const std::vector<ExpectedRow> rows = {
        {false, webDomain, "lumbrake.png", 329, 258, 329, 258, 154, 129, 2, 0xFFFFFFFF},
        {false, "mouse cursor", "cursor.png", 4, 4, 4, 4, 2, 2, 2, 0xFFFFFFFF},
        {true, "game back", "back.png", 924, 924, 924, 924, 0, 0, 2, 0xFFFFFFFF},
        {false, "game back", "grass.png", 500, 500, 500, 500, 250, 250, 2, 0x60A0FFA0},
        spark("explosion1add", "explosion1.png", 0),
        spark("explosion10add", "explosion10.png", 0),
        spark("explosion11", "explosion11.png", 2),
        spark("explosion13", "explosion13.png", 2),
        spark("explosion15", "explosion15.png", 2),
        cell("hallwall", "wall.png"),
        cell("hallwallx1", "wall1.png"),
        cell("hallwallx2", "wall2.png"),
        cell("hallwallx3", "wall3.png"),
        cell("hallwallx4", "wall4.png"),
        {false, "hallwallwindow", "window.png", 44, 132, 44, 132, 22, 66, 2, 0xFFFFFFFF},
        cell("hallfloor", "floor.png"),
        cell("hallfloor2", "floor2.png"),
        cell("hallfloor3", "floor3.png"),
        cell("hallfloor4", "floor4.png"),
        cell("hallfloora", "floora.png"),
        cell("hallfloora1", "floora1.png"),
        cell("hallfloora2", "floora2.png"),
        cell("hallfloora3", "floora3.png"),
        cell("hallfloora4", "floora4.png"),
        cell("hallfloorb", "floorb.png"),
        cell("hallfloorb1", "floorb1.png"),
        cell("hallfloorb2", "floorb2.png"),
        cell("hallfloorb3", "floorb3.png"),
        cell("hallfloorb4", "floorb4.png"),
        cell("hallitemball", "ball.png"),
        cell("hallendball", "ballend.png"),
        cell("hallitembox", "box.png"),
        cell("hallendbox", "boxend.png"),
        cell("hallitemspike", "spike.png"),
        cell("hallendspike", "spikeend.png"),
        cell("hallmutaceball", "ballmutace.png"),
        cell("hallmutacebox", "boxmutace.png"),
        cell("hallmutacespike", "spikemutace.png"),
        cell("halllightlightfire", "lightfire.png"),
        cell("halllightlightday", "lightday.png"),
        cell("hallarrow", "arrow.png"),
        cell("hallitemamoebaball", "ballamoeba.png", 352),
        cell("hallitemamoebabox", "boxamoeba.png", 352),
        cell("hallitemamoebaspike", "spikeamoeba.png", 352),
        {false, "hallbigamoeba", "bigamoeba.png", 132, 132, 1056, 132, 66, 66, 2, 0xFFFFFFFF},
        cell("hallteleporta", "teleporta.png"),
        cell("hallteleportb", "teleportb.png"),
        cell("hallteleportc", "teleportc.png"),
        cell("hallgateball", "ballgate.png"),
        cell("hallgatebox", "boxgate.png"),
        cell("hallgatespike", "spikegate.png"),
    };
    return rows;
}

// The start of a PNG file: enough for the engine to learn the picture's size.
std::vector<std::uint8_t> pngHeader(int width, int height) {
    std::vector<std::uint8_t> b = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A,
                                   0,    0,   0,   13,  'I',  'H',  'D',  'R'};
    for (int v : {width, height}) {
        for (int shift = 24; shift >= 0; shift -= 8) {
            b.push_back(static_cast<std::uint8_t>(v >> shift));
        }
    }
    b.insert(b.end(), {8, 6, 0, 0, 0, 0, 0, 0, 0});
    return b;
}

std::vector<std::uint8_t> bytesOf(const std::string& text) {
    return {text.begin(), text.end()};
}

const char* const goodFont = "[HGEFONT]\nBitmap=fontsheet.png\nChar=\"A\",0,0,10,12,1,1\n";

class GraphicsCatalogueTest : public HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        folder = std::filesystem::temp_directory_path() /
                 ("quorvane-graphics-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
        headless().setProgramDirectory(folder.string());
        hallLayer = createLayer();
        overlayLayer = createLayer();
        for (const ExpectedRow& row : expectedRows()) {
            entries.push_back(
                {std::string("graphics/") + row.file, pngHeader(row.sheetWidth, row.sheetHeight)});
        }
        entries.push_back({"graphics/fontsheet.png", pngHeader(64, 64)});
        entries.push_back({"graphics/font.fnt", bytesOf(goodFont)});
        entries.push_back({"graphics/fontsmall.fnt", bytesOf(goodFont)});
        for (const PresetFile& preset : effectPresets()) {
            const auto record = encodePreset(preset.values);
            entries.push_back(
                {std::string("graphics/") + preset.file, {record.begin(), record.end()}});
        }
    }
    void TearDown() override {
        std::filesystem::remove_all(folder);
        HeadlessTest::TearDown();
    }

    void remove(const std::string& name) {
        std::erase_if(entries, [&](const PackEntry& e) { return e.name == name; });
    }
    void replace(const std::string& name, const std::string& text) {
        remove(name);
        entries.push_back({name, bytesOf(text)});
    }

    bool load() {
        std::string error;
        EXPECT_TRUE(writePack((folder / "Graphics.paq").string(), entries, packPassword(), &error))
            << error;
        EXPECT_TRUE(engine->attachPack("Graphics.paq", packPassword().c_str()));
        return loadGraphics(*engine, *hallLayer, *overlayLayer, largeFont, smallFont, effects,
                            webDomain);
    }

    std::filesystem::path folder;
    std::vector<PackEntry> entries;
    std::unique_ptr<SceneLayer> hallLayer, overlayLayer;
    std::unique_ptr<BitmapFont> largeFont, smallFont;
    EffectManager effects;
};

} // namespace

TEST_F(GraphicsCatalogueTest, DefinesEveryRowAsTheHallAndRulesExpect) {
    ASSERT_TRUE(load());
    ASSERT_TRUE(largeFont && smallFont);
    EXPECT_GT(largeFont->stringWidth("A"), 0.0f);
    EXPECT_GT(effects.presets[presetCrash].emission, 0);
    for (const ExpectedRow& row : expectedRows()) {
        SCOPED_TRACE(row.name);
        SpriteDefinition* d = findDefinition(row.overlay ? *overlayLayer : *hallLayer, row.name);
        ASSERT_NE(nullptr, d);
        const Sprite& s = *d->sprite;
        EXPECT_EQ("graphics\\" + std::string(row.file), headless().textureName(s.texture()));
        EXPECT_EQ(row.frameWidth, s.width());
        EXPECT_EQ(row.frameHeight, s.height());
        EXPECT_EQ(row.sheetWidth, d->sheetWidth);
        EXPECT_EQ(row.sheetHeight, d->sheetHeight);
        EXPECT_EQ(row.hotX, s.hotX());
        EXPECT_EQ(row.hotY, s.hotY());
        EXPECT_EQ(row.blend, s.blendMode());
        for (int corner = 0; corner < 4; ++corner) {
            EXPECT_EQ(row.colour, s.colour(corner));
        }
        // The frame region starts at the sheet's top-left corner.
        EXPECT_EQ(0.0f, s.quad().vertex[0].tx);
        EXPECT_EQ(0.0f, s.quad().vertex[0].ty);
    }
}

TEST_F(GraphicsCatalogueTest, GameBackIsTheBackdropOverlayAndTheGrassInTheHall) {
    ASSERT_TRUE(load());
    SpriteDefinition* overlay = findDefinition(*overlayLayer, "game back");
    SpriteDefinition* hall = findDefinition(*hallLayer, "game back");
    ASSERT_TRUE(overlay && hall);
    EXPECT_NE(overlay, hall);
    EXPECT_EQ("graphics\\back.png", headless().textureName(overlay->sprite->texture()));
    EXPECT_EQ("graphics\\grass.png", headless().textureName(hall->sprite->texture()));
    EXPECT_EQ(nullptr, findDefinition(*overlayLayer, "hallwall")); // everything else is hall
}

TEST_F(GraphicsCatalogueTest, MissingWindowFailsAfterTheWalls) {
    remove("graphics/window.png");
    EXPECT_FALSE(load());
    for (const char* name : {"hallwall", "hallwallx1", "hallwallx4", "explosion15"}) {
        SpriteDefinition* d = findDefinition(*hallLayer, name);
        ASSERT_NE(nullptr, d) << name;
        EXPECT_NE(0u, d->sprite->texture()) << name;
    }
    SpriteDefinition* window = findDefinition(*hallLayer, "hallwallwindow");
    EXPECT_TRUE(window == nullptr || window->sprite->texture() == 0);
    EXPECT_EQ(nullptr, findDefinition(*hallLayer, "hallfloor"));
    EXPECT_EQ(nullptr, findDefinition(*hallLayer, "hallgatespike"));
}

TEST_F(GraphicsCatalogueTest, MalformedFontIsLoggedButDoesNotFailTheLoad) {
    replace("graphics/font.fnt", "[HGEFONT] \nBitmap=fontsheet.png\n");
    ASSERT_TRUE(load());
    ASSERT_TRUE(largeFont && smallFont);
    EXPECT_EQ(0.0f, largeFont->stringWidth("A")); // empty: draws nothing
    EXPECT_GT(smallFont->stringWidth("A"), 0.0f);
    const auto& log = headless().logLines();
    EXPECT_NE(log.end(),
              std::find(log.begin(), log.end(), "Font graphics\\font.fnt has incorrect format."));
}

TEST_F(GraphicsCatalogueTest, MissingFontFileStillLoads) {
    remove("graphics/fontsmall.fnt");
    EXPECT_TRUE(load());
    EXPECT_TRUE(smallFont != nullptr);
}

TEST_F(GraphicsCatalogueTest, MissingPresetFailsBeforeAnyPicture) {
    remove("graphics/teleport2.psi");
    EXPECT_FALSE(load());
    EXPECT_EQ(nullptr, findDefinition(*hallLayer, webDomain));
}

// The packs the build wrote next to the executables hold everything the game loads at start-up.
TEST(BuiltPacks, HoldEveryPictureFontPresetAndSound) {
    headlessEngine().reset();
    Engine* engine = createEngine(engineVersion);
    const std::string bin = std::string(QUORVANE_BINARY_DIR) + "/bin/";
    ASSERT_TRUE(engine->attachPack((bin + "Graphics.paq").c_str(), packPassword().c_str()));
    auto hallLayer = createLayer();
    auto overlayLayer = createLayer();
    std::unique_ptr<BitmapFont> largeFont, smallFont;
    EffectManager effects;
    EXPECT_TRUE(
        loadGraphics(*engine, *hallLayer, *overlayLayer, largeFont, smallFont, effects, webDomain));
    EXPECT_GT(largeFont->height(), 0.0f);
    EXPECT_GT(smallFont->height(), 0.0f);
    ASSERT_TRUE(engine->attachPack((bin + "Sound.paq").c_str(), packPassword().c_str()));
    SoundCatalogue sounds;
    EXPECT_TRUE(loadSounds(*engine, sounds));
    engine->release();
}
