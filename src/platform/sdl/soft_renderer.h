#pragma once
// Frames drawn by our own rasteriser on two cores: the drawing of a frame is recorded as it comes
// and done when the frame is finished, the upper rows on this thread and the lower rows on a
// helper thread. Within its rows each thread keeps the order of the drawing, and a quad gives
// the same pixels whichever rows are drawn, so the frame is exactly the one a single thread
// would draw.
//
// A frame that begins with a clear is drawn in tiles, and a tile whose drawing is the same as in
// the last frame keeps its pixels: an idle hall redraws only where something moves or flickers.
// The drawing such frames begin with, the same frame after frame (the clear and the grass under
// the hall), is kept as the base of each tile drawn anew: the tile starts from its pixels. A
// tile's base is kept once the tile is first drawn anew, and given back after a while unused, so
// only tiles that keep changing take memory.

#include "platform/sdl/soft_raster.h"

#include <condition_variable>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

class SoftRenderer {
  public:
    SoftRenderer();
    ~SoftRenderer();
    SoftRenderer(const SoftRenderer&) = delete;
    SoftRenderer& operator=(const SoftRenderer&) = delete;

    void resize(int width, int height);
    void clear(std::uint32_t colour);
    // The texture's pixels must stay until the frame is finished; null draws untextured.
    void quad(const RasterVertex (&corner)[4], const RasterTexture* texture, RasterBlend blend);
    void line(float x1, float y1, float x2, float y2, std::uint32_t colour);
    // Draws everything recorded since the last finish.
    void finish();
    // The areas whose pixels may have changed since the last call, from the top, apart from each
    // other; none when no pixel did.
    std::vector<RasterArea> takeChangedAreas();
    // Textures may have changed their pixels: the next frame is drawn whole.
    void forget();
    const FrameBuffer& frame() const { return frame_; }
    bool drawsOnTwoThreads() const { return helper_.joinable(); }

  private:
    enum class Kind { clear, quad, line };
    struct Command {
        Kind kind = Kind::quad;
        RasterVertex corner[4] = {}; // a line runs from corner 0 to corner 1
        RasterTexture texture;       // no pixels: untextured
        RasterBlend blend = RasterBlend::alpha;
        std::uint32_t colour = 0;            // of a clear or a line
        int firstColumn = 0, lastColumn = 0; // of the tiles it can reach, set by markTiles
    };

    // 32 x 32 pixels: small enough that a flickering torch or a moving piece redraws little more
    // than itself, large enough that few quads are set up in more than a couple of tiles.
    static constexpr int tileRows = 32, tileColumns = 32;

    void markTiles();
    void settleBase();
    void setBase(std::size_t commands);
    void keepBase(int row, int firstColumn, int endColumn, bool toFrame);
    void dropUnusedBases();
    void drawMarkedTiles(RasterArea rows);
    void draw(int row, int firstColumn, int endColumn, RasterArea area);
    void drawCommand(const Command& c, RasterArea area);
    void helperLoop();

    FrameBuffer frame_;
    std::vector<Command> commands_;
    int tilesAcross_ = 0, tilesDown_ = 0;
    std::vector<std::uint64_t> signatures_; // per tile, row by row, of the drawing its pixels show
    std::vector<std::uint64_t> nextSignatures_;
    std::vector<std::vector<int>> rowCommands_;    // per row of tiles, the commands reaching it
    std::vector<char> redraw_;                     // per tile, for the frame being finished
    bool tilesKnown_ = false;                      // the signatures match the pixels
    std::vector<char> changed_;                    // per tile, since takeChangedAreas
    std::vector<std::uint64_t> signs_, lastSigns_; // per command, of this frame and the last
    std::size_t baseCommands_ = 0; // the commands the base is the drawing of; 0: no base
    // Each tile's base, tile after tile, row by row; untouched memory until a tile keeps its own.
    struct FreeMemory {
        void operator()(std::uint32_t* pixels) const { std::free(pixels); }
    };
    std::unique_ptr<std::uint32_t[], FreeMemory> bases_;
    std::vector<char> baseKept_;  // per tile
    std::vector<long> baseUsed_;  // per tile, the last frame that used its base
    std::vector<int> basesInRow_; // per row of tiles, the bases it keeps
    long frames_ = 0;
    // Frames in a row whose shared beginning was longer than the base, and the shortest of them.
    int longerFrames_ = 0;
    std::size_t longerShared_ = 0;
    std::thread helper_; // not started when the machine has one core or no thread can be made
    std::mutex mutex_;
    std::condition_variable wake_, done_;
    RasterArea helperRows_;
    bool helperBusy_ = false; // rows handed to the helper and not yet drawn
    bool stopping_ = false;
};
