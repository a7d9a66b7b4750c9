// Recording a frame's drawing and drawing it in two bands of rows at once.

#include "platform/sdl/soft_renderer.h"

#include <algorithm>
#include <bit>
#include <cassert>
#include <cmath>
#include <sys/mman.h>
#include <system_error>
#include <utility>

namespace {

// Below this many rows a band is not worth waking the helper for.
constexpr int smallestBand = 32;

// A tile's base is one page of memory, which can be given back on its own.
constexpr std::size_t pageBytes = 4096;
// Frames after which a tile's unused base is given back: a fifth of a second at the game's rate.
// The tiles that flicker or move keep theirs.
constexpr long unusedBaseFrames = 10;
// Bases kept in a row of tiles at most: the memory of an idle hall's flicker, and no more.
constexpr int basesPerRow = 6;

std::uint64_t mix(std::uint64_t hash, std::uint64_t value) {
    std::uint64_t z = hash ^ (value + 0x9E3779B97F4A7C15u + (hash << 6) + (hash >> 2));
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
    return z ^ (z >> 31);
}

std::uint64_t floatBits(float value) {
    return std::bit_cast<std::uint32_t>(value);
}

// The range of tiles of tileSize pixels along one axis that positions from low to high can reach,
// first and last; all of them for a position that is not a finite number.
std::pair<int, int> reachedTiles(float low, float high, int size, int tileSize) {
    const int last = (size - 1) / tileSize;
    if (!std::isfinite(low) || !std::isfinite(high)) {
        return {0, last};
    }
    // A pixel's reach and rounding, with room to spare.
    const float top = static_cast<float>(size - 1);
    const float first = std::clamp(low - 2.0f, 0.0f, top);
    const float final = std::clamp(high + 2.0f, 0.0f, top);
    return {static_cast<int>(first) / tileSize, static_cast<int>(final) / tileSize};
}

// What a command draws, as one number: equal drawings sign equally.
std::uint64_t signature(const RasterVertex (&corner)[4], std::uint64_t kind, std::uint32_t colour,
                        const RasterTexture& texture, RasterBlend blend) {
    std::uint64_t h = mix(kind, colour);
    h = mix(h, reinterpret_cast<std::uintptr_t>(texture.pixels));
    h = mix(h, static_cast<std::uint64_t>(texture.width) << 32 |
                   static_cast<std::uint32_t>(texture.height));
    h = mix(h, static_cast<std::uint64_t>(blend));
    for (const RasterVertex& v : corner) {
        h = mix(h, floatBits(v.x) << 32 | floatBits(v.y));
        h = mix(h, static_cast<std::uint64_t>(v.colour) << 32 | floatBits(v.u));
        h = mix(h, floatBits(v.v));
    }
    return h;
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
    forget();
    baseKept_.clear(); // the bases were of the old number of tiles
    bases_.reset();
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

// Signs each tile with the drawing that reaches it and marks the tiles whose signature changed.
// A frame that does not begin with a clear draws over the last one: all of it is drawn.
void SoftRenderer::markTiles() {
    tilesAcross_ = (frame_.width + tileColumns - 1) / tileColumns;
    tilesDown_ = (frame_.height + tileRows - 1) / tileRows;
    const auto tiles = static_cast<std::size_t>(tilesAcross_) * tilesDown_;
    nextSignatures_.assign(tiles, 0);
    rowCommands_.resize(static_cast<std::size_t>(tilesDown_));
    for (std::vector<int>& row : rowCommands_) {
        row.clear();
    }
    signs_.clear();
    for (std::size_t i = 0; i < commands_.size(); ++i) {
        Command& c = commands_[i];
        const std::uint64_t h =
            signature(c.corner, static_cast<std::uint64_t>(c.kind), c.colour, c.texture, c.blend);
        signs_.push_back(h);
        std::pair<int, int> rows{0, tilesDown_ - 1}, columns{0, tilesAcross_ - 1};
        if (c.kind != Kind::clear) {
            const int count = c.kind == Kind::quad ? 4 : 2;
            const auto [top, bottom] = std::minmax_element(
                c.corner, c.corner + count, [](auto& a, auto& b) { return a.y < b.y; });
            const auto [left, right] = std::minmax_element(
                c.corner, c.corner + count, [](auto& a, auto& b) { return a.x < b.x; });
            rows = reachedTiles(top->y, bottom->y, frame_.height, tileRows);
            columns = reachedTiles(left->x, right->x, frame_.width, tileColumns);
        }
        c.firstColumn = columns.first;
        c.lastColumn = columns.second;
        for (int row = rows.first; row <= rows.second; ++row) {
            rowCommands_[row].push_back(static_cast<int>(i));
            std::uint64_t* signs = &nextSignatures_[static_cast<std::size_t>(row) * tilesAcross_];
            for (int column = columns.first; column <= columns.second; ++column) {
                signs[column] = mix(signs[column], h);
            }
        }
    }
    const bool known = tilesKnown_ && commands_.front().kind == Kind::clear &&
                       signatures_.size() == nextSignatures_.size();
    redraw_.assign(tiles, 1);
    for (std::size_t tile = 0; known && tile < tiles; ++tile) {
        redraw_[tile] = nextSignatures_[tile] != signatures_[tile];
    }
    signatures_.swap(nextSignatures_);
    tilesKnown_ = commands_.front().kind == Kind::clear;
    changed_.resize(tiles, 0);
    for (std::size_t tile = 0; tile < tiles; ++tile) {
        changed_[tile] = static_cast<char>(changed_[tile] | redraw_[tile]);
    }
}

// Keeps the base while frames begin with the drawing it is of. A frame that shares less with the
// last one than the base is of has the base become what they share; when frames have shared
// more for a second, the base becomes the least of that.
void SoftRenderer::settleBase() {
    std::size_t shared = 0;
    if (commands_.front().kind == Kind::clear) {
        const std::size_t both = std::min(signs_.size(), lastSigns_.size());
        while (shared < both && signs_[shared] == lastSigns_[shared]) {
            ++shared;
        }
    }
    lastSigns_.swap(signs_);
    if (shared < baseCommands_) {
        setBase(shared);
    } else if (shared > baseCommands_) {
        longerShared_ = longerFrames_ == 0 ? shared : std::min(longerShared_, shared);
        if (++longerFrames_ >= 50) {
            setBase(longerShared_);
        }
    } else {
        longerFrames_ = 0;
    }
}

// The base becomes the drawing of the first commands; none: no base. Tiles keep it anew.
void SoftRenderer::setBase(std::size_t commands) {
    baseCommands_ = commands;
    longerFrames_ = 0;
    const auto tiles = static_cast<std::size_t>(tilesAcross_) * tilesDown_;
    dropUnusedBases(); // before baseKept_ forgets which tiles hold memory
    baseKept_.assign(tiles, 0);
    basesInRow_.assign(static_cast<std::size_t>(tilesDown_), 0);
    baseUsed_.assign(tiles, 0);
    static_assert(tileRows * tileColumns * 4 == pageBytes, "a tile's base fills one page");
    if (commands > 0 && bases_ == nullptr) {
        bases_.reset(static_cast<std::uint32_t*>(std::aligned_alloc(pageBytes, tiles * pageBytes)));
        if (bases_ == nullptr) {
            baseCommands_ = 0; // no memory for it: tiles are drawn from the clear
            return;
        }
        madvise(bases_.get(), tiles * pageBytes, MADV_NOHUGEPAGE); // given back page by page
    }
}

// Gives back the memory of the bases that no frame used lately, and of all of them once there is
// no base.
void SoftRenderer::dropUnusedBases() {
    for (std::size_t tile = 0; tile < baseKept_.size(); ++tile) {
        if (baseKept_[tile] != 0 &&
            (baseCommands_ == 0 || baseUsed_[tile] + unusedBaseFrames < frames_)) {
            madvise(bases_.get() + tile * tileRows * tileColumns, pageBytes, MADV_DONTNEED);
            baseKept_[tile] = 0;
            --basesInRow_[tile / static_cast<std::size_t>(tilesAcross_)];
        }
    }
}

void SoftRenderer::forget() {
    tilesKnown_ = false;
    lastSigns_.clear(); // signatures know a texture by its address, not by its pixels
    baseCommands_ = 0;
    longerFrames_ = 0;
}

// Copies the tiles' bases between the frame and the tiles' own memory: to the frame or from it.
void SoftRenderer::keepBase(int row, int firstColumn, int endColumn, bool toFrame) {
    const int top = row * tileRows, rows = std::min(tileRows, frame_.height - top);
    for (int column = firstColumn; column < endColumn; ++column) {
        const std::size_t tile = static_cast<std::size_t>(row) * tilesAcross_ + column;
        std::uint32_t* kept = bases_.get() + tile * tileRows * tileColumns;
        const int left = column * tileColumns;
        const auto width = static_cast<std::size_t>(std::min(tileColumns, frame_.width - left));
        for (int y = 0; y < rows; ++y) {
            std::uint32_t* pixel =
                &frame_.pixels[static_cast<std::size_t>(top + y) * frame_.stride + left];
            if (toFrame) {
                std::copy_n(kept + y * tileColumns, width, pixel);
            } else {
                std::copy_n(pixel, width, kept + y * tileColumns);
            }
        }
        basesInRow_[row] += baseKept_[tile] == 0 ? 1 : 0;
        baseKept_[tile] = 1;
        baseUsed_[tile] = frames_;
    }
}

std::vector<RasterArea> SoftRenderer::takeChangedAreas() {
    std::vector<RasterArea> areas;
    const int across = changed_.empty() ? 0 : tilesAcross_;
    const int down = changed_.empty() ? 0 : tilesDown_;
    for (int row = 0; row < down; ++row) {
        const char* changed = &changed_[static_cast<std::size_t>(row) * across];
        for (int column = 0; column < across; ++column) {
            if (changed[column] == 0) {
                continue;
            }
            const int first = column;
            while (column + 1 < across && changed[column + 1] != 0) {
                ++column;
            }
            areas.push_back(RasterArea{
                row * tileRows, std::min((row + 1) * tileRows, frame_.height), first * tileColumns,
                std::min((column + 1) * tileColumns, frame_.width)});
        }
    }
    changed_.clear();
    return areas;
}

// Draws the runs of marked tiles within rows.
void SoftRenderer::drawMarkedTiles(RasterArea rows) {
    for (int row = rows.first / tileRows; row * tileRows < rows.end; ++row) {
        const RasterArea band{std::max(row * tileRows, rows.first),
                              std::min((row + 1) * tileRows, rows.end)};
        const char* redraw = &redraw_[static_cast<std::size_t>(row) * tilesAcross_];
        for (int column = 0; column < tilesAcross_;) {
            if (redraw[column] == 0) {
                ++column;
                continue;
            }
            const int first = column;
            while (column < tilesAcross_ && redraw[column] != 0) {
                ++column;
            }
            const RasterArea area{band.first, band.end, first * tileColumns,
                                  std::min(column * tileColumns, frame_.width)};
            draw(row, first, column, area);
        }
    }
}

// Draws the commands that reach the tile columns [firstColumn, endColumn) of a row of tiles,
// within the area: from the tiles' base on, where there is one.
void SoftRenderer::draw(int row, int firstColumn, int endColumn, RasterArea area) {
    const std::vector<int>& commands = rowCommands_[row];
    auto from = commands.begin();
    const auto drawUpTo = [&](auto end) {
        for (; from != end; ++from) {
            const Command& c = commands_[*from];
            if (c.lastColumn >= firstColumn && c.firstColumn < endColumn) {
                drawCommand(c, area);
            }
        }
    };
    if (baseCommands_ > 0) {
        assert(area.first == row * tileRows &&
               area.end == std::min((row + 1) * tileRows, frame_.height) &&
               "bases are kept for whole tiles");
        const char* kept = &baseKept_[static_cast<std::size_t>(row) * tilesAcross_];
        const auto end =
            std::lower_bound(commands.begin(), commands.end(), static_cast<int>(baseCommands_));
        if (std::all_of(kept + firstColumn, kept + endColumn, [](char k) { return k != 0; })) {
            keepBase(row, firstColumn, endColumn, true);
            from = end;
        } else {
            drawUpTo(end);
            if (basesInRow_[row] + (endColumn - firstColumn) <= basesPerRow) {
                keepBase(row, firstColumn, endColumn, false);
            }
        }
    }
    drawUpTo(commands.end());
}

void SoftRenderer::drawCommand(const Command& c, RasterArea area) {
    switch (c.kind) {
    case Kind::clear:
        clearFrameBuffer(frame_, c.colour, area);
        break;
    case Kind::quad:
        rasteriseQuad(frame_, c.corner, c.texture.pixels != nullptr ? &c.texture : nullptr, c.blend,
                      area);
        break;
    case Kind::line:
        rasteriseLine(frame_, c.corner[0].x, c.corner[0].y, c.corner[1].x, c.corner[1].y, c.colour,
                      area);
        break;
    }
}

void SoftRenderer::finish() {
    if (commands_.empty() || frame_.height <= 0) {
        commands_.clear();
        return;
    }
    markTiles();
    settleBase();
    if (++frames_ % unusedBaseFrames == 0) {
        dropUnusedBases();
    }
    // On a tile's edge: each tile is drawn by one thread, which keeps its base alone.
    const int split = frame_.height / 2 / tileRows * tileRows;
    if (!helper_.joinable() || split < smallestBand) {
        drawMarkedTiles(RasterArea{0, frame_.height});
        commands_.clear();
        return;
    }
    {
        const std::lock_guard lock(mutex_);
        helperRows_ = RasterArea{split, frame_.height};
        helperBusy_ = true;
    }
    wake_.notify_one();
    drawMarkedTiles(RasterArea{0, split});
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
        const RasterArea rows = helperRows_;
        lock.unlock();
        drawMarkedTiles(rows);
        lock.lock();
        helperBusy_ = false;
        done_.notify_one();
    }
}
