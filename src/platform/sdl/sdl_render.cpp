// Drawing: quads through SDL_RenderGeometry, batched while texture and blend stay the same.

#include "platform/sdl/sdl_engine.h"

#include <SDL_image.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

SDL_Color sdlColour(std::uint32_t argb) {
    return SDL_Color{static_cast<Uint8>(argb >> 16), static_cast<Uint8>(argb >> 8),
                     static_cast<Uint8>(argb), static_cast<Uint8>(argb >> 24)};
}

// Blend value 2 (and any value with that bit) blends by alpha; the rest add the colour, scaled
// by its alpha, to what is already there.
SDL_BlendMode sdlBlend(int blend) {
    return (blend & blendAlpha) != 0 ? SDL_BLENDMODE_BLEND : SDL_BLENDMODE_ADD;
}

std::uint32_t argb(SDL_Color c) {
    return static_cast<std::uint32_t>(c.a) << 24 | static_cast<std::uint32_t>(c.r) << 16 |
           static_cast<std::uint32_t>(c.g) << 8 | c.b;
}

} // namespace

SDL_FPoint SdlEngine::transform(float x, float y) const {
    const float sx = (x - viewX_) * viewScaleX_;
    const float sy = (y - viewY_) * viewScaleY_;
    return SDL_FPoint{sx * viewCos_ - sy * viewSin_ + viewX_ + viewDx_,
                      sx * viewSin_ + sy * viewCos_ + viewY_ + viewDy_};
}

void SdlEngine::setViewTransform(float x, float y, float dx, float dy, float rotation, float hscale,
                                 float vscale) {
    flushBatch();
    viewX_ = x;
    viewY_ = y;
    viewDx_ = dx;
    viewDy_ = dy;
    viewCos_ = std::cos(rotation);
    viewSin_ = std::sin(rotation);
    // A factor of 0 means "unscaled", as when no transform was ever set.
    viewScaleX_ = hscale != 0.0f ? hscale : 1.0f;
    viewScaleY_ = vscale != 0.0f ? vscale : viewScaleX_;
}

bool SdlEngine::beginFrame(int target) {
    if (renderer_ == nullptr || target != 0) {
        return false;
    }
    batch_ = Batch{};
    drawCalls_ = 0;
    // Nobody sees a hidden or minimised window: its frames are neither drawn nor shown.
    unseen_ = (SDL_GetWindowFlags(window_) & (SDL_WINDOW_HIDDEN | SDL_WINDOW_MINIMIZED)) != 0;
    inFrame_ = !unseen_;
    return inFrame_;
}

void SdlEngine::endFrame() {
    if (renderer_ == nullptr || !inFrame_) {
        return;
    }
    flushBatch();
    if (softRenderer_ != nullptr) {
        showSoftFrame();
    }
    takeDueScreenshots();
    // Our own frames go to the screen only when something changed: the window keeps the last.
    if (softRenderer_ == nullptr || softFrameWaiting_) {
        SDL_RenderPresent(renderer_);
        softFrameWaiting_ = false;
    }
    inFrame_ = false;
}

void SdlEngine::clearFrame(std::uint32_t colour) {
    if (renderer_ == nullptr || unseen_) {
        return;
    }
    flushBatch();
    if (softRenderer_ != nullptr) {
        softRenderer_->clear(colour);
        clearColour_ = colour;
        return;
    }
    const SDL_Color c = sdlColour(colour);
    SDL_SetRenderDrawColor(renderer_, c.r, c.g, c.b, c.a);
    SDL_RenderClear(renderer_);
}

void SdlEngine::drawLine(float x1, float y1, float x2, float y2, std::uint32_t colour, float) {
    if (renderer_ == nullptr || unseen_) {
        return;
    }
    flushBatch();
    const SDL_Color c = sdlColour(colour);
    const SDL_FPoint a = transform(x1, y1);
    const SDL_FPoint b = transform(x2, y2);
    ++drawCalls_;
    if (softRenderer_ != nullptr) {
        softRenderer_->line(a.x, a.y, b.x, b.y, colour);
        return;
    }
    SDL_SetRenderDrawBlendMode(renderer_, SDL_BLENDMODE_BLEND);
    SDL_SetRenderDrawColor(renderer_, c.r, c.g, c.b, c.a);
    SDL_RenderDrawLineF(renderer_, a.x, a.y, b.x, b.y);
}

void SdlEngine::drawQuad(const SpriteQuad& quad) {
    if (renderer_ == nullptr || unseen_) {
        return;
    }
    // A texture that is unknown (freed, never loaded) draws as an untextured quad.
    const TextureHandle texture = textures_.count(quad.texture) != 0 ? quad.texture : 0;
    if (texture != batch_.texture || quad.blend != batch_.blend) {
        flushBatch();
        batch_.texture = texture;
        batch_.blend = quad.blend;
    }
    const int first = static_cast<int>(batch_.vertices.size());
    for (const Vertex& v : quad.vertex) {
        batch_.vertices.push_back(
            SDL_Vertex{transform(v.x, v.y), sdlColour(v.colour), SDL_FPoint{v.tx, v.ty}});
    }
    for (int i : {0, 1, 2, 0, 2, 3}) {
        batch_.indices.push_back(first + i);
    }
}

void SdlEngine::flushBatch() {
    if (renderer_ == nullptr || batch_.vertices.empty()) {
        return;
    }
    ++drawCalls_;
    if (softRenderer_ != nullptr) {
        rasteriseBatch();
        batch_.vertices.clear();
        batch_.indices.clear();
        return;
    }
    // Untextured quads sample a white texel: SDL's software renderer blends untextured
    // geometry by alpha whatever the blend mode asked for.
    SDL_Texture* texture = batch_.texture != 0 ? textures_[batch_.texture].texture : white_;
    SDL_SetTextureBlendMode(texture, sdlBlend(batch_.blend));
    SDL_RenderGeometry(renderer_, texture, batch_.vertices.data(),
                       static_cast<int>(batch_.vertices.size()), batch_.indices.data(),
                       static_cast<int>(batch_.indices.size()));
    batch_.vertices.clear();
    batch_.indices.clear();
}

TextureHandle SdlEngine::loadTexture(const char* name, std::uint32_t, bool) {
    const std::string entry = name != nullptr ? name : "";
    if (renderer_ == nullptr) {
        logLine("Can't load texture %s: the engine is not initialised", entry.c_str());
        return 0;
    }
    const auto bytes = files_.read(entry);
    if (!bytes || bytes->empty()) {
        logLine("Can't load texture %s: not found", entry.c_str());
        return 0;
    }
    SDL_Surface* surface =
        IMG_Load_RW(SDL_RWFromConstMem(bytes->data(), static_cast<int>(bytes->size())), 1);
    if (surface == nullptr) {
        logLine("Can't load texture %s: %s", entry.c_str(), IMG_GetError());
        return 0;
    }
    // Our own rasteriser reads the pixels; SDL draws from its own copy. Each path keeps only its
    // own: an unused copy of every texture would cost as much memory again.
    Texture texture;
    texture.width = surface->w;
    texture.height = surface->h;
    const bool made = softRenderer_ != nullptr ? copyPixels(surface, &texture)
                                               : createSdlTexture(surface, &texture);
    SDL_FreeSurface(surface);
    if (!made) {
        logLine("Can't load texture %s: %s", entry.c_str(), SDL_GetError());
        return 0;
    }
    const TextureHandle handle = nextTexture_++;
    textures_[handle] = texture;
    return handle;
}

bool SdlEngine::copyPixels(SDL_Surface* surface, Texture* texture) {
    SDL_Surface* argb = SDL_ConvertSurfaceFormat(surface, SDL_PIXELFORMAT_ARGB8888, 0);
    if (argb == nullptr) {
        return false;
    }
    texture->pixels.resize(static_cast<std::size_t>(argb->w) * argb->h);
    for (int y = 0; y < argb->h; ++y) {
        std::memcpy(&texture->pixels[static_cast<std::size_t>(y) * argb->w],
                    static_cast<const std::uint8_t*>(argb->pixels) + y * argb->pitch,
                    static_cast<std::size_t>(argb->w) * 4);
    }
    SDL_FreeSurface(argb);
    return true;
}

bool SdlEngine::createSdlTexture(SDL_Surface* surface, Texture* texture) {
    texture->texture = SDL_CreateTextureFromSurface(renderer_, surface);
    if (texture->texture == nullptr) {
        return false;
    }
    SDL_SetTextureScaleMode(texture->texture, flag(flagTextureFilter, true) ? SDL_ScaleModeLinear
                                                                            : SDL_ScaleModeNearest);
    return true;
}

void SdlEngine::freeTexture(TextureHandle texture) {
    auto it = textures_.find(texture);
    if (it == textures_.end()) {
        return;
    }
    if (batch_.texture == texture) {
        flushBatch();
    }
    if (softRenderer_ != nullptr) { // the frame's drawing may still read its pixels
        softRenderer_->finish();
        softRenderer_->forget(); // another texture may come to the same address
    }
    if (it->second.texture != nullptr) {
        SDL_DestroyTexture(it->second.texture);
    }
    textures_.erase(it);
}

int SdlEngine::textureWidth(TextureHandle texture, bool) {
    auto it = textures_.find(texture);
    return it == textures_.end() ? 0 : it->second.width;
}

int SdlEngine::textureHeight(TextureHandle texture, bool) {
    auto it = textures_.find(texture);
    return it == textures_.end() ? 0 : it->second.height;
}

bool SdlEngine::createWhiteTexture() {
    white_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC, 1, 1);
    const std::uint32_t pixel = 0xFFFFFFFFu;
    return white_ != nullptr && SDL_UpdateTexture(white_, nullptr, &pixel, 4) == 0;
}

void SdlEngine::openSoftRaster() {
    if (!ownRaster_) {
        return;
    }
    // Where the window keeps 0x00RRGGBB (X11 at 24 bits) the frame, whose alpha the window does
    // not show, goes to it in the window's own format: copied as it is, not pixel by pixel.
    const Uint32 format = SDL_GetWindowPixelFormat(window_) == SDL_PIXELFORMAT_RGB888
                              ? SDL_PIXELFORMAT_RGB888
                              : SDL_PIXELFORMAT_ARGB8888;
    frameTexture_ =
        SDL_CreateTexture(renderer_, format, SDL_TEXTUREACCESS_STREAMING, width_, height_);
    if (frameTexture_ == nullptr) {
        logLine("Can't draw frames ourselves, SDL draws them: %s", SDL_GetError());
        return;
    }
    // The finished frame replaces what is there; a resized window scales it.
    SDL_SetTextureBlendMode(frameTexture_, SDL_BLENDMODE_NONE);
    SDL_SetTextureScaleMode(frameTexture_, flag(flagTextureFilter, true) ? SDL_ScaleModeLinear
                                                                         : SDL_ScaleModeNearest);
    softRenderer_ = std::make_unique<SoftRenderer>();
    softRenderer_->resize(width_, height_);
}

void SdlEngine::rasteriseBatch() {
    const Texture* texture = batch_.texture != 0 ? &textures_[batch_.texture] : nullptr;
    const RasterTexture source{texture != nullptr ? texture->pixels.data() : nullptr,
                               texture != nullptr ? texture->width : 0,
                               texture != nullptr ? texture->height : 0};
    const RasterBlend blend =
        (batch_.blend & blendAlpha) != 0 ? RasterBlend::alpha : RasterBlend::additive;
    for (std::size_t first = 0; first + 4 <= batch_.vertices.size(); first += 4) {
        RasterVertex corner[4];
        for (int i = 0; i < 4; ++i) {
            const SDL_Vertex& v = batch_.vertices[first + i];
            corner[i] = RasterVertex{v.position.x, v.position.y, argb(v.color), v.tex_coord.x,
                                     v.tex_coord.y};
        }
        softRenderer_->quad(corner, texture != nullptr ? &source : nullptr, blend);
    }
}

// Puts the frame drawn so far on the renderer, letterboxed like any drawing: the areas that
// changed, or all of it when the window lost its picture.
void SdlEngine::showSoftFrame() {
    softRenderer_->finish();
    const std::vector<RasterArea> areas = softRenderer_->takeChangedAreas();
    if (areas.empty() && !repaintWindow_) {
        return;
    }
    const FrameBuffer& frame = softRenderer_->frame();
    for (const RasterArea& area : areas) {
        const SDL_Rect rect{area.left, area.first, area.right - area.left, area.end - area.first};
        SDL_UpdateTexture(frameTexture_, &rect,
                          frame.pixels.data() +
                              static_cast<std::size_t>(area.first) * frame.stride + area.left,
                          frame.stride * 4);
    }
    int w = 0, h = 0;
    SDL_GetRendererOutputSize(renderer_, &w, &h);
    if (w == frame.width && h == frame.height && !repaintWindow_) {
        for (const RasterArea& area : areas) {
            const SDL_Rect rect{area.left, area.first, area.right - area.left,
                                area.end - area.first};
            SDL_RenderCopy(renderer_, frameTexture_, &rect, &rect);
        }
    } else {
        // A letterboxed frame leaves bars to clear; at the game's own size the frame covers all.
        if (w != frame.width || h != frame.height) {
            const SDL_Color c = sdlColour(clearColour_);
            SDL_SetRenderDrawColor(renderer_, c.r, c.g, c.b, c.a);
            SDL_RenderClear(renderer_);
        }
        SDL_RenderCopy(renderer_, frameTexture_, nullptr, nullptr);
    }
    repaintWindow_ = false;
    softFrameWaiting_ = true;
}

void SdlEngine::closeRenderer() {
    batch_ = Batch{};
    if (frameTexture_ != nullptr) {
        SDL_DestroyTexture(frameTexture_);
        frameTexture_ = nullptr;
    }
    softRenderer_.reset();
    if (white_ != nullptr) {
        SDL_DestroyTexture(white_);
        white_ = nullptr;
    }
    for (auto& [handle, texture] : textures_) {
        if (texture.texture != nullptr) {
            SDL_DestroyTexture(texture.texture);
        }
    }
    textures_.clear();
    if (renderer_ != nullptr) {
        SDL_DestroyRenderer(renderer_);
        renderer_ = nullptr;
    }
    inFrame_ = unseen_ = softFrameWaiting_ = false;
    repaintWindow_ = true;
}

std::vector<std::uint32_t> SdlEngine::readPixels(int* width, int* height) {
    *width = *height = 0;
    if (renderer_ == nullptr) {
        return {};
    }
    flushBatch();
    if (softRenderer_ != nullptr) {
        showSoftFrame();
    }
    // Without the logical size the whole output is read, letterbox bars included, at the
    // window's real size.
    SDL_RenderSetLogicalSize(renderer_, 0, 0);
    int w = 0, h = 0;
    SDL_GetRendererOutputSize(renderer_, &w, &h);
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(std::max(w, 0)) * std::max(h, 0));
    const bool read =
        !pixels.empty() && SDL_RenderReadPixels(renderer_, nullptr, SDL_PIXELFORMAT_ARGB8888,
                                                pixels.data(), w * 4) == 0;
    SDL_RenderSetLogicalSize(renderer_, width_, height_);
    if (!read) {
        return {};
    }
    *width = w;
    *height = h;
    return pixels;
}

bool SdlEngine::saveScreenshot(const std::string& file) {
    int w = 0, h = 0;
    std::vector<std::uint32_t> pixels = readPixels(&w, &h);
    SDL_Surface* surface = pixels.empty()
                               ? nullptr
                               : SDL_CreateRGBSurfaceWithFormatFrom(pixels.data(), w, h, 32, w * 4,
                                                                    SDL_PIXELFORMAT_ARGB8888);
    // The screen is opaque: a frame cleared to a transparent colour must not save as one.
    for (std::uint32_t& p : pixels) {
        p |= 0xFF000000u;
    }
    const bool saved = surface != nullptr && IMG_SavePNG(surface, file.c_str()) == 0;
    if (saved) {
        logLine("Screenshot saved to %s", file.c_str());
    } else {
        logLine("Can't save screenshot %s: %s", file.c_str(), SDL_GetError());
    }
    SDL_FreeSurface(surface);
    return saved;
}
