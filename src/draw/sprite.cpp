#include "draw/sprite.h"

#include <cmath>

Sprite::Sprite(TextureHandle texture, float x, float y, float width, float height)
    : tx_(x), ty_(y), width_(width), height_(height), engine_(createEngine(engineVersion)) {
    if (texture != 0 && engine_ != nullptr) {
        texWidth_ = static_cast<float>(engine_->textureWidth(texture, false));
        texHeight_ = static_cast<float>(engine_->textureHeight(texture, false));
    }
    // A texture the engine reports as empty would make every coordinate infinite.
    if (texWidth_ <= 0.0f || texHeight_ <= 0.0f) {
        texWidth_ = texHeight_ = 1.0f;
    }
    for (Vertex& v : quad_.vertex) {
        v.z = 0.5f;
        v.colour = 0xFFFFFFFF;
    }
    quad_.texture = texture;
    quad_.blend = blendAlpha;
    updateTextureCoordinates();
}

Sprite::~Sprite() {
    if (engine_ != nullptr) {
        engine_->release();
    }
}

void Sprite::render(float x, float y, float rotation, float hscale, float vscale) {
    if (vscale == 0.0f) {
        vscale = hscale;
    }
    const float x1 = -hotX_ * hscale;
    const float y1 = -hotY_ * vscale;
    const float x2 = (width_ - hotX_) * hscale;
    const float y2 = (height_ - hotY_) * vscale;
    Vertex* v = quad_.vertex;
    if (rotation != 0.0f) {
        const float c = std::cos(rotation);
        const float s = std::sin(rotation);
        v[0].x = x1 * c - y1 * s + x;
        v[0].y = x1 * s + y1 * c + y;
        v[1].x = x2 * c - y1 * s + x;
        v[1].y = x2 * s + y1 * c + y;
        v[2].x = x2 * c - y2 * s + x;
        v[2].y = x2 * s + y2 * c + y;
        v[3].x = x1 * c - y2 * s + x;
        v[3].y = x1 * s + y2 * c + y;
    } else {
        v[0].x = x1 + x;
        v[0].y = y1 + y;
        v[1].x = x2 + x;
        v[1].y = y1 + y;
        v[2].x = x2 + x;
        v[2].y = y2 + y;
        v[3].x = x1 + x;
        v[3].y = y2 + y;
    }
    if (engine_ != nullptr) {
        engine_->drawQuad(quad_);
    }
}

void Sprite::setTextureRegion(float x, float y, float width, float height) {
    tx_ = x;
    ty_ = y;
    width_ = width;
    height_ = height;
    updateTextureCoordinates();
}

void Sprite::setColour(std::uint32_t colour, int corner) {
    if (corner == -1) {
        for (Vertex& v : quad_.vertex) {
            v.colour = colour;
        }
    } else if (corner >= 0 && corner < 4) {
        quad_.vertex[corner].colour = colour;
    }
}

void Sprite::setHotSpot(float x, float y) {
    hotX_ = x;
    hotY_ = y;
}

void Sprite::updateTextureCoordinates() {
    const float left = tx_ / texWidth_;
    const float top = ty_ / texHeight_;
    const float right = (tx_ + width_) / texWidth_;
    const float bottom = (ty_ + height_) / texHeight_;
    Vertex* v = quad_.vertex;
    v[0].tx = left;
    v[0].ty = top;
    v[1].tx = right;
    v[1].ty = top;
    v[2].tx = right;
    v[2].ty = bottom;
    v[3].tx = left;
    v[3].ty = bottom;
}
