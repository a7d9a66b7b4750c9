#include "presentation/graphics_catalogue.h"

#include "rules/piece_shapes.h"

#include <iterator>

namespace {

// A picture's frame and hot spot, in sprite pixels.
struct Frame {
    float frameWidth, frameHeight;
    float sheetWidth, sheetHeight; // equal to the frame unless the picture holds several frames
    float hotX, hotY;
};

// One row of the catalogue: where a definition lives and how its sprite is set up. A picture of
// the hall takes its name, frame and hot spot from its shape, the one play runs on.
struct CatalogueRow {
    bool overlay;     // false: hall layer
    Picture picture;  // Picture::Count: not one of the hall's pictures; name and frame below
    const char* name; // null: the web domain's text (the logo)
    const char* file; // picture inside the graphics pack
    Frame frame;
    int blend;            // blendAlpha, or blendAdditive for the glowing sparks
    std::uint32_t colour; // 0xAARRGGBB on all four corners
};

constexpr std::uint32_t white = 0xFFFFFFFF;

constexpr CatalogueRow pictureRow(Picture picture, const char* file, std::uint32_t colour = white) {
    return {false, picture, nullptr, file, {}, blendAlpha, colour};
}

constexpr CatalogueRow explosionRow(const char* name, const char* file, int blend) {
    return {false, Picture::Count, name, file, {32, 32, 32, 32, 16, 16}, blend, white};
}

constexpr CatalogueRow rows[] = {
    {false,
     Picture::Count,
     nullptr,
     "graphics\\lumbrake.png",
     {329, 258, 329, 258, 154, 129},
     blendAlpha,
     white},
    pictureRow(Picture::Cursor, "graphics\\cursor.png"),
    {true,
     Picture::Count,
     "game back",
     "graphics\\back.png",
     {924, 924, 924, 924, 0, 0},
     blendAlpha,
     white},
    // The grass under the hall, tinted and mostly transparent.
    pictureRow(Picture::Grass, "graphics\\grass.png", 0x60A0FFA0),
    explosionRow("explosion1add", "graphics\\explosion1.png", blendAdditive),
    explosionRow("explosion10add", "graphics\\explosion10.png", blendAdditive),
    explosionRow("explosion11", "graphics\\explosion11.png", blendAlpha),
    explosionRow("explosion13", "graphics\\explosion13.png", blendAlpha),
    explosionRow("explosion15", "graphics\\explosion15.png", blendAlpha),
    pictureRow(Picture::Wall, "graphics\\wall.png"),
    pictureRow(Picture::WallX1, "graphics\\wall1.png"),
    pictureRow(Picture::WallX2, "graphics\\wall2.png"),
    pictureRow(Picture::WallX3, "graphics\\wall3.png"),
    pictureRow(Picture::WallX4, "graphics\\wall4.png"),
    pictureRow(Picture::Window, "graphics\\window.png"),
    pictureRow(Picture::Floor, "graphics\\floor.png"),
    pictureRow(Picture::Floor2, "graphics\\floor2.png"),
    pictureRow(Picture::Floor3, "graphics\\floor3.png"),
    pictureRow(Picture::Floor4, "graphics\\floor4.png"),
    pictureRow(Picture::FloorA, "graphics\\floora.png"),
    pictureRow(Picture::FloorA1, "graphics\\floora1.png"),
    pictureRow(Picture::FloorA2, "graphics\\floora2.png"),
    pictureRow(Picture::FloorA3, "graphics\\floora3.png"),
    pictureRow(Picture::FloorA4, "graphics\\floora4.png"),
    pictureRow(Picture::FloorB, "graphics\\floorb.png"),
    pictureRow(Picture::FloorB1, "graphics\\floorb1.png"),
    pictureRow(Picture::FloorB2, "graphics\\floorb2.png"),
    pictureRow(Picture::FloorB3, "graphics\\floorb3.png"),
    pictureRow(Picture::FloorB4, "graphics\\floorb4.png"),
    pictureRow(Picture::ItemBall, "graphics\\ball.png"),
    pictureRow(Picture::EndBall, "graphics\\ballend.png"),
    pictureRow(Picture::ItemBox, "graphics\\box.png"),
    pictureRow(Picture::EndBox, "graphics\\boxend.png"),
    pictureRow(Picture::ItemSpike, "graphics\\spike.png"),
    pictureRow(Picture::EndSpike, "graphics\\spikeend.png"),
    pictureRow(Picture::MutationBall, "graphics\\ballmutace.png"),
    pictureRow(Picture::MutationBox, "graphics\\boxmutace.png"),
    pictureRow(Picture::MutationSpike, "graphics\\spikemutace.png"),
    pictureRow(Picture::LightFire, "graphics\\lightfire.png"),
    pictureRow(Picture::LightDay, "graphics\\lightday.png"),
    pictureRow(Picture::Arrow, "graphics\\arrow.png"),
    pictureRow(Picture::AmoebaBall, "graphics\\ballamoeba.png"),
    pictureRow(Picture::AmoebaBox, "graphics\\boxamoeba.png"),
    pictureRow(Picture::AmoebaSpike, "graphics\\spikeamoeba.png"),
    pictureRow(Picture::BigAmoeba, "graphics\\bigamoeba.png"),
    pictureRow(Picture::TeleportA, "graphics\\teleporta.png"),
    pictureRow(Picture::TeleportB, "graphics\\teleportb.png"),
    pictureRow(Picture::TeleportC, "graphics\\teleportc.png"),
    pictureRow(Picture::GateBall, "graphics\\ballgate.png"),
    pictureRow(Picture::GateBox, "graphics\\boxgate.png"),
    pictureRow(Picture::GateSpike, "graphics\\spikegate.png"),
};
static_assert(std::size(rows) == 51, "the catalogue has 51 definitions");

Frame shapeFrame(const PieceShape& shape) {
    return {shape.frameWidth,  shape.frameHeight, shape.sheetWidth,
            shape.sheetHeight, shape.hotX,        shape.hotY};
}

bool loadRow(Engine& engine, const CatalogueRow& row, SceneLayer& layer, const std::string& name,
             const Frame& frame) {
    const TextureHandle texture = engine.loadTexture(row.file, 0, false);
    SpriteDefinition* definition =
        defineSprite(layer, name, texture, 0, 0, frame.frameWidth, frame.frameHeight,
                     frame.sheetWidth, frame.sheetHeight, 0);
    if (definition == nullptr || definition->sprite->texture() == 0) {
        return false;
    }
    Sprite& sprite = *definition->sprite;
    sprite.setColour(row.colour);
    sprite.setBlendMode(row.blend);
    sprite.setHotSpot(frame.hotX, frame.hotY);
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
        bool loaded = false;
        if (row.picture != Picture::Count) {
            const PieceShape& shape = shapeOf(row.picture);
            loaded = loadRow(engine, row, layer, shape.definition, shapeFrame(shape));
        } else {
            loaded =
                loadRow(engine, row, layer, row.name != nullptr ? row.name : webDomain, row.frame);
        }
        if (!loaded) {
            return false;
        }
    }
    return true;
}
