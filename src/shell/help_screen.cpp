// How to play: the aim, every element of a hall with its own picture and one line on what it
// does, and the keys. F1 or Escape closes it, as does "Close".

#include "draw/bitmap_font.h"
#include "presentation/scene_layer.h"
#include "shell/dialog_screen.h"
#include "shell/game_state.h"
#include "shell/screens.h"

#include <initializer_list>

namespace {

struct Element {
    std::initializer_list<const char*> pictures; // sprite definitions of the hall layer
    const char* line;
};

const Element elements[] = {
    {{"hallitemball"}, "Ball: pushes a ball or spike it runs into; a spike breaks it."},
    {{"hallitembox"}, "Box: pushed one cell by whatever hits it."},
    {{"hallitemspike"}, "Spike: breaks the balls it hits."},
    {{"hallitemamoebaball", "hallitemamoebabox", "hallitemamoebaspike"},
     "Amoebas: eat items of their kind, take the kind of others."},
    {{"hallendball", "hallendbox", "hallendspike"}, "Ends: each wants an item of its kind."},
    {{"hallbigamoeba"}, "Big amoeba: grows from two amoebas meeting; eats all it touches."},
    {{"hallarrow"}, "Arrow: turns a piece that crosses its middle."},
    {{"hallteleporta", "hallteleportb"}, "Teleport pair: carries a piece to its partner."},
    {{"hallgateball"}, "Gate: lets only items of its kind through."},
    {{"hallmutaceball"}, "Mutation cell: turns an item into the cell's kind."},
    {{"halllightlightfire"}, "Torch: lights the hall; click it to switch it."},
};

const char* const aim =
    "Drag a piece (or pick it with Enter and send it with an arrow key):\n"
    "it slides until something stops it. Cover every end with an item of its kind.";

const char* const keys =
    "Arrows move the cursor, Enter or Space picks a piece   Ctrl+Z, U or Backspace undo\n"
    "Ctrl+Y or Ctrl+Shift+Z redo   R restart   H hint   L levels   M sound   F1 help   Esc menu";

constexpr float pictureSize = 36; // logical units
constexpr float rowHeight = 44;
constexpr float firstRow = 170;
constexpr float textLeft = 270;

void drawPicture(const char* name, float x, float y) {
    SpriteDefinition* definition = findDefinition(*game.hallLayer, name);
    if (definition == nullptr || !definition->sprite) {
        return;
    }
    Sprite& sprite = *definition->sprite;
    const float size = sprite.width() > sprite.height() ? sprite.width() : sprite.height();
    const float scale = size > 0 ? pictureSize / size : 1;
    const std::uint32_t colour = sprite.colour(0);
    sprite.setColour(0xFFFFFFFF); // as it shows in a lit hall, whatever the hall's light now
    sprite.render(x, y, 0, scale, scale);
    sprite.setColour(colour);
}

class HelpScreen final : public DialogScreen {
  public:
    HelpScreen() { buildButtonAt(game.baseHeight - 60, "Close"); }
    ScreenKind kind() const override { return ScreenKind::Help; }
    ScreenOutcome back() override {
        game.screens.pop();
        return ScreenOutcome::FrameDone;
    }
    void render() const override {
        BitmapFont& large = *game.largeFont;
        BitmapFont& small = *game.smallFont;
        large.setColour(highlightColour);
        large.printf(game.baseWidth * 0.5f, 30, alignCentre, "How to play");
        small.setColour(buttonColour);
        small.printf(game.baseWidth * 0.5f, 90, alignCentre, "%s", aim);
        float y = firstRow;
        for (const Element& element : elements) {
            float x = textLeft - 30;
            for (const char* picture : element.pictures) {
                drawPicture(picture, x, y);
                x -= pictureSize + 6;
            }
            small.printf(textLeft, y - 8, alignLeft, "%s", element.line);
            y += rowHeight;
        }
        small.printf(game.baseWidth * 0.5f, y + 10, alignCentre, "%s", keys);
        DialogScreen::render();
    }

  private:
    ScreenOutcome pressed(const std::string& row) override {
        return row == "Button1" ? back() : ScreenOutcome::Continue;
    }
};

} // namespace

std::unique_ptr<Screen> makeHelpScreen() {
    return std::make_unique<HelpScreen>();
}
