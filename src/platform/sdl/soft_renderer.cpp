// Recording a frame's drawing and drawing it in two bands of rows at once.

#include "platform/sdl/soft_renderer.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <system_error>
#include <utility>

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

std::uint64_t mix(std::uint64_t hash, std::uint64_t value) {
    std::uint64_t z = hash ^ (value + 0x9E3779B97F4A7C15u + (hash << 6) + (hash >> 2));
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
    return z ^ (z >> 31);
}

std::uint64_t floatBits(float value) {
    return std::bit_cast<std::uint32_t>(value);
}

// The strips a command can reach, first and last; all of them for a clear or a position that is
// not a finite number.
std::pair<int, int> reachedStrips(const RasterVertex* corner, int count, int height,
                                  int stripRows) {
    const int last = (height - 1) / stripRows;
    float top = corner[0].y, bottom = corner[0].y;
    for (int i = 1; i < count; ++i) {
        top = std::min(top, corner[i].y);
        bottom = std::max(bottom, corner[i].y);
    }
    if (!std::isfinite(top) || !std::isfinite(bottom)) {
        return {0, last};
    }
    // A pixel's reach and rounding, with room to spare.
    const float low = std::clamp(top - 2.0f, 0.0f, static_cast<float>(height - 1));
    const float high = std::clamp(bottom + 2.0f, 0.0f, static_cast<float>(height - 1));
    return {static_cast<int>(low) / stripRows, static_cast<int>(high) / stripRows};
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
    stripsKnown_ = false;
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

// Signs each strip with the drawing that reaches it and marks the strips whose signature
// changed. A frame that does not begin with a clear draws over the last one: all of it is drawn.
void SoftRenderer::markStrips() {
    const int strips = (frame_.height + stripRows - 1) / stripRows;
    nextSignatures_.assign(static_cast<std::size_t>(strips), 0);
    for (const Command& c : commands_) {
        std::uint64_t h = mix(static_cast<std::uint64_t>(c.kind), c.colour);
        h = mix(h, reinterpret_cast<std::uintptr_t>(c.texture.pixels));
        h = mix(h, static_cast<std::uint64_t>(c.texture.width) << 32 |
                       static_cast<std::uint32_t>(c.texture.height));
        h = mix(h, static_cast<std::uint64_t>(c.blend));
        for (const RasterVertex& v : c.corner) {
            h = mix(h, floatBits(v.x) << 32 | floatBits(v.y));
            h = mix(h, static_cast<std::uint64_t>(v.colour) << 32 | floatBits(v.u));
            h = mix(h, floatBits(v.v));
        }
        const auto [first, last] =
            c.kind == Kind::clear
                ? std::pair{0, strips - 1}
                : reachedStrips(c.corner, c.kind == Kind::quad ? 4 : 2, frame_.height, stripRows);
        for (int strip = first; strip <= last; ++strip) {
            nextSignatures_[strip] = mix(nextSignatures_[strip], h);
        }
    }
    const bool known = stripsKnown_ && commands_.front().kind == Kind::clear &&
                       signatures_.size() == nextSignatures_.size();
    redraw_.assign(static_cast<std::size_t>(strips), 1);
    for (int strip = 0; known && strip < strips; ++strip) {
        redraw_[strip] = nextSignatures_[strip] != signatures_[strip];
    }
    signatures_.swap(nextSignatures_);
    stripsKnown_ = commands_.front().kind == Kind::clear;
    changed_.resize(static_cast<std::size_t>(strips), 0);
    for (int strip = 0; strip < strips; ++strip) {
        changed_[strip] = static_cast<char>(changed_[strip] | redraw_[strip]);
    }
}

std::vector<RasterRows> SoftRenderer::takeChangedRows() {
    std::vector<RasterRows> runs;
    const int strips = static_cast<int>(changed_.size());
    for (int strip = 0; strip < strips; ++strip) {
        if (changed_[strip] == 0) {
            continue;
        }
        const int first = strip;
        while (strip + 1 < strips && changed_[strip + 1] != 0) {
            ++strip;
        }
        runs.push_back(
            RasterRows{first * stripRows, std::min((strip + 1) * stripRows, frame_.height)});
    }
    changed_.clear();
    return runs;
}

// Draws the runs of marked strips within rows.
void SoftRenderer::drawMarkedStrips(RasterRows rows) {
    for (int strip = rows.first / stripRows; strip * stripRows < rows.end;) {
        if (redraw_[strip] == 0) {
            ++strip;
            continue;
        }
        const int first = strip;
        while (strip * stripRows < rows.end && redraw_[strip] != 0) {
            ++strip;
        }
        draw(RasterRows{std::max(first * stripRows, rows.first),
                        std::min(strip * stripRows, rows.end)});
    }
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
    if (commands_.empty() || frame_.height <= 0) {
        commands_.clear();
        return;
    }
    markStrips();
    const int split = frame_.height / 2;
    if (!helper_.joinable() || split < smallestBand) {
        drawMarkedStrips(RasterRows{0, frame_.height});
        commands_.clear();
        return;
    }
    {
        const std::lock_guard lock(mutex_);
        helperRows_ = RasterRows{split, frame_.height};
        helperBusy_ = true;
    }
    wake_.notify_one();
    drawMarkedStrips(RasterRows{0, split});
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
        drawMarkedStrips(rows);
        lock.lock();
        helperBusy_ = false;
        done_.notify_one();
    }
}
