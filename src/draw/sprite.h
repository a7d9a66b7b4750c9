#pragma once
// One rectangular region of a texture drawn as a single textured quad, turned about its hot spot,
// scaled, with a colour per corner and a blend mode. The sprite owns no texture.

#include "engine/engine.h"

#include <cstdint>

class Sprite {
  public:
    Sprite(TextureHandle texture, float x, float y, float width, float height);
    ~Sprite();
    Sprite(const Sprite&) = delete;
    Sprite& operator=(const Sprite&) = delete;

    // Draws at (x, y) in logical units; a vscale of 0 means the same as hscale.
    void render(float x, float y, float rotation, float hscale, float vscale);
    void setTextureRegion(float x, float y, float width, float height);
    void setColour(std::uint32_t colour, int corner = -1); // corner -1 sets all four
    void setBlendMode(int blend) { quad_.blend = blend; }
    void setHotSpot(float x, float y);

    float width() const { return width_; }
    float height() const { return height_; }
    float hotX() const { return hotX_; }
    float hotY() const { return hotY_; }
    TextureHandle texture() const { return quad_.texture; }
    int blendMode() const { return quad_.blend; }
    std::uint32_t colour(int corner) const { return quad_.vertex[corner & 3].colour; }
    const SpriteQuad& quad() const { return quad_; }

  private:
    void updateTextureCoordinates();

    SpriteQuad quad_{};
    float tx_ = 0, ty_ = 0;
    float width_ = 0, height_ = 0;
    float texWidth_ = 1, texHeight_ = 1;
    float hotX_ = 0, hotY_ = 0;
    Engine* engine_ = nullptr;
};
