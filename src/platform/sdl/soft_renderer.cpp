// Recording a frame's drawing and drawing it in two bands of rows at once.

#include "platform/sdl/soft_renderer.h"

#include <algorithm>
#include <system_error>

namespace {

// Below this many rows a band is not worth waking the helper for.
constexpr int smallestBand = 32;

// True when nothing between the corners' rows can reach the rows (a pixel's reach included).
bool outsideRows(const RasterVertex* corner, int count, RasterRows rows) {
    float top = corner[0].y, bottom = corner[0].y;
    for (int i = 1; i < count; ++i) {
        top = std::min(top, corner[i].y);
        bottom = std::max(bottom, corner[i].y);
    }
    return bottom < static_cast<float>(rows.first) - 1 || top > static_cast<float>(rows.end) + 1;
}

} // namespace

SoftRenderer::SoftRenderer() {
    if (std::thread::hardware_concurrency() < 2) {
        return;
    }
    try {
        helper_ = std::thread(&SoftRenderer::helperLoop, this);
    } catch (const std::system_error&) {
        // No helper: every frame is drawn on this thread.
    }
}

SoftRenderer::~SoftRenderer() {
    if (helper_.joinable()) {
        {
            const std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        wake_.notify_one();
        helper_.join();
    }
}

void SoftRenderer::resize(int width, int height) {
    commands_.clear();
    resizeFrameBuffer(frame_, width, height);
}

void SoftRenderer::clear(std::uint32_t colour) {
    commands_.clear(); // all covered by the clear
    Command c;
    c.kind = Kind::clear;
    c.colour = colour;
    commands_.push_back(c);
}

void SoftRenderer::quad(const RasterVertex (&corner)[4], const RasterTexture* texture,
                        RasterBlend blend) {
    Command c;
    std::copy(std::begin(corner), std::end(corner), c.corner);
    c.texture = texture != nullptr ? *texture : RasterTexture{};
    c.blend = blend;
    commands_.push_back(c);
}

void SoftRenderer::line(float x1, float y1, float x2, float y2, std::uint32_t colour) {
    Command c;
    c.kind = Kind::line;
    c.corner[0].x = x1;
    c.corner[0].y = y1;
    c.corner[1].x = x2;
    c.corner[1].y = y2;
    c.colour = colour;
    commands_.push_back(c);
}

void SoftRenderer::draw(RasterRows rows) {
    for (const Command& c : commands_) {
        switch (c.kind) {
        case Kind::clear:
            clearFrameBuffer(frame_, c.colour, rows);
            break;
        case Kind::quad:
            if (!outsideRows(c.corner, 4, rows)) {
                rasteriseQuad(frame_, c.corner, c.texture.pixels != nullptr ? &c.texture : nullptr,
                              c.blend, rows);
            }
            break;
        case Kind::line:
            if (!outsideRows(c.corner, 2, rows)) {
                rasteriseLine(frame_, c.corner[0].x, c.corner[0].y, c.corner[1].x, c.corner[1].y,
                              c.colour, rows);
            }
            break;
        }
    }
}

void SoftRenderer::finish() {
    if (commands_.empty()) {
        return;
    }
    const int split = frame_.height / 2;
    if (!helper_.joinable() || split < smallestBand) {
        draw(RasterRows{0, frame_.height});
        commands_.clear();
        return;
    }
    {
        const std::lock_guard lock(mutex_);
        helperRows_ = RasterRows{split, frame_.height};
        helperBusy_ = true;
    }
    wake_.notify_one();
    draw(RasterRows{0, split});
    std::unique_lock lock(mutex_);
    done_.wait(lock, [this] { return !helperBusy_; });
    commands_.clear();
}

void SoftRenderer::helperLoop() {
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return helperBusy_ || stopping_; });
        if (stopping_) {
            return;
        }
        const RasterRows rows = helperRows_;
        lock.unlock();
        draw(rows);
        lock.lock();
        helperBusy_ = false;
        done_.notify_one();
    }
}
