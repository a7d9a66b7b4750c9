#include "presentation/graphics_catalogue.h"

#include <iterator>

namespace {

// One row of the catalogue: where a definition lives and how its sprite is set up.
struct CatalogueRow {
    bool overlay;     // false: hall layer
    const char* name; // null: the web domain's text (the logo)
    const char* file; // picture inside the graphics pack
    float frameWidth, frameHeight;
    float sheetWidth, sheetHeight; // equal to the frame unless the picture holds several frames
    float hotX, hotY;              // sprite pixels
    int blend;                     // blendAlpha, or blendAdditive for the glowing sparks
    std::uint32_t colour;          // 0xAARRGGBB on all four corners
    int circleCount;
    CollisionCircle circles[5]; // sprite pixels
};

constexpr std::uint32_t white = 0xFFFFFFFF;

// A wall block: one circle filling the cell and four small ones in its corners, so that pieces
// sliding past a corner touch it.
constexpr CatalogueRow wallRow(const char* name, const char* file) {
    return {false,
            name,
            file,
            44,
            44,
            44,
            44,
            22,
            22,
            blendAlpha,
            white,
            5,
            {{22, 22, 22}, {6, 6, 6}, {38, 6, 6}, {6, 38, 6}, {38, 38, 6}}};
}

// A 44-pixel cell with the hot spot in its centre and one centred circle.
constexpr CatalogueRow cellRow(const char* name, const char* file, float radius,
                               float sheetWidth = 44) {
    return {false, name, file,       44,    44, sheetWidth,        44,
            22,    22,   blendAlpha, white, 1,  {{22, 22, radius}}};
}

constexpr CatalogueRow explosionRow(const char* name, const char* file, int blend) {
    return {false, name, file, 32, 32, 32, 32, 16, 16, blend, white, 0, {}};
}

constexpr CatalogueRow rows[] = {
    {false,
     nullptr,
     "graphics\\lumbrake.png",
     329,
     258,
     329,
     258,
     154,
     129,
     blendAlpha,
     white,
     0,
     {}},
    {false,
     "mouse cursor",
     "graphics\\cursor.png",
     4,
     4,
     4,
     4,
     2,
     2,
     blendAlpha,
     white,
     1,
     {{2, 2, 2}}},
    {true, "game back", "graphics\\back.png", 924, 924, 924, 924, 0, 0, blendAlpha, white, 0, {}},
    // The grass under the hall, tinted and mostly transparent.
    {false,
     "game back",
     "graphics\\grass.png",
     500,
     500,
     500,
     500,
     250,
     250,
     blendAlpha,
     0x60A0FFA0,
     0,
     {}},
    explosionRow("explosion1add", "graphics\\explosion1.png", blendAdditive),
    explosionRow("explosion10add", "graphics\\explosion10.png", blendAdditive),
    explosionRow("explosion11", "graphics\\explosion11.png", blendAlpha),
    explosionRow("explosion13", "graphics\\explosion13.png", blendAlpha),
    explosionRow("explosion15", "graphics\\explosion15.png", blendAlpha),
    wallRow("hallwall", "graphics\\wall.png"),
    wallRow("hallwallx1", "graphics\\wall1.png"),
    wallRow("hallwallx2", "graphics\\wall2.png"),
    wallRow("hallwallx3", "graphics\\wall3.png"),
    wallRow("hallwallx4", "graphics\\wall4.png"),
    // Three cells high; the hot spot is the middle cell's centre and the circles cover it.
    {false,
     "hallwallwindow",
     "graphics\\window.png",
     44,
     132,
     44,
     132,
     22,
     66,
     blendAlpha,
     white,
     5,
     {{22, 66, 22}, {6, 50, 6}, {38, 50, 6}, {6, 82, 6}, {38, 82, 6}}},
    cellRow("hallfloor", "graphics\\floor.png", 22),
    cellRow("hallfloor2", "graphics\\floor2.png", 22),
    cellRow("hallfloor3", "graphics\\floor3.png", 22),
    cellRow("hallfloor4", "graphics\\floor4.png", 22),
    cellRow("hallfloora", "graphics\\floora.png", 22),
    cellRow("hallfloora1", "graphics\\floora1.png", 22),
    cellRow("hallfloora2", "graphics\\floora2.png", 22),
    cellRow("hallfloora3", "graphics\\floora3.png", 22),
    cellRow("hallfloora4", "graphics\\floora4.png", 22),
    cellRow("hallfloorb", "graphics\\floorb.png", 22),
    cellRow("hallfloorb1", "graphics\\floorb1.png", 22),
    cellRow("hallfloorb2", "graphics\\floorb2.png", 22),
    cellRow("hallfloorb3", "graphics\\floorb3.png", 22),
    cellRow("hallfloorb4", "graphics\\floorb4.png", 22),
    cellRow("hallitemball", "graphics\\ball.png", 21),
    cellRow("hallendball", "graphics\\ballend.png", 14),
    {false,
     "hallitembox",
     "graphics\\box.png",
     44,
     44,
     44,
     44,
     22,
     22,
     blendAlpha,
     white,
     5,
     {{22, 22, 21}, {6, 6, 5}, {38, 6, 5}, {6, 38, 5}, {38, 38, 5}}},
    cellRow("hallendbox", "graphics\\boxend.png", 14),
    cellRow("hallitemspike", "graphics\\spike.png", 21),
    cellRow("hallendspike", "graphics\\spikeend.png", 14),
    cellRow("hallmutaceball", "graphics\\ballmutace.png", 6),
    cellRow("hallmutacebox", "graphics\\boxmutace.png", 6),
    cellRow("hallmutacespike", "graphics\\spikemutace.png", 6),
    cellRow("halllightlightfire", "graphics\\lightfire.png", 10),
    cellRow("halllightlightday", "graphics\\lightday.png", 10),
    cellRow("hallarrow", "graphics\\arrow.png", 2),
    // Amoebas: eight frames of a loop side by side.
    cellRow("hallitemamoebaball", "graphics\\ballamoeba.png", 21, 352),
    cellRow("hallitemamoebabox", "graphics\\boxamoeba.png", 21, 352),
    cellRow("hallitemamoebaspike", "graphics\\spikeamoeba.png", 21, 352),
    {false,
     "hallbigamoeba",
     "graphics\\bigamoeba.png",
     132,
     132,
     1056,
     132,
     66,
     66,
     blendAlpha,
     white,
     1,
     {{66, 66, 40}}},
    cellRow("hallteleporta", "graphics\\teleporta.png", 6),
    cellRow("hallteleportb", "graphics\\teleportb.png", 6),
    cellRow("hallteleportc", "graphics\\teleportc.png", 6),
    cellRow("hallgateball", "graphics\\ballgate.png", 6),
    cellRow("hallgatebox", "graphics\\boxgate.png", 6),
    cellRow("hallgatespike", "graphics\\spikegate.png", 6),
};
static_assert(std::size(rows) == 51, "the catalogue has 51 definitions");

bool loadRow(Engine& engine, const CatalogueRow& row, SceneLayer& layer, const std::string& name) {
    const TextureHandle texture = engine.loadTexture(row.file, 0, false);
    SpriteDefinition* definition =
        defineSprite(layer, name, texture, 0, 0, row.frameWidth, row.frameHeight, row.sheetWidth,
                     row.sheetHeight, 0);
    if (definition == nullptr || definition->sprite->texture() == 0) {
        return false;
    }
    Sprite& sprite = *definition->sprite;
    sprite.setColour(row.colour);
    sprite.setBlendMode(row.blend);
    sprite.setHotSpot(row.hotX, row.hotY);
    for (int i = 0; i < row.circleCount; ++i) {
        addCollisionCircle(*definition, row.circles[i].x, row.circles[i].y, row.circles[i].radius);
    }
    return true;
}

} // namespace

bool loadGraphics(Engine& engine, SceneLayer& hallLayer, SceneLayer& overlayLayer,
                  std::unique_ptr<BitmapFont>& largeFont, std::unique_ptr<BitmapFont>& smallFont,
                  EffectManager& effects, const std::string& webDomain) {
    // A bad font file leaves an empty font that draws nothing; that does not stop the game.
    largeFont = std::make_unique<BitmapFont>("graphics\\font.fnt");
    smallFont = std::make_unique<BitmapFont>("graphics\\fontsmall.fnt");
    if (!loadEffectPresets(effects)) {
        return false;
    }
    for (const CatalogueRow& row : rows) {
        SceneLayer& layer = row.overlay ? overlayLayer : hallLayer;
        if (!loadRow(engine, row, layer, row.name != nullptr ? row.name : webDomain)) {
            return false;
        }
    }
    return true;
}
