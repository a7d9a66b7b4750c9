#pragma once
// Frames drawn by our own rasteriser on two cores: the drawing of a frame is recorded as it comes
// and done when the frame is finished, the upper rows on this thread and the lower rows on a
// helper thread. Within its rows each thread keeps the order of the drawing, and a quad gives
// the same pixels whichever rows are drawn, so the frame is exactly the one a single thread
// would draw.
//
// A frame that begins with a clear is drawn in strips of rows, and a strip whose drawing is the
// same as in the last frame keeps its pixels: an idle hall redraws only where something moves or
// flickers.

#include "platform/sdl/soft_raster.h"

#include <condition_variable>
#include <cstdint>
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
    // The rows whose pixels may have changed since the last call, in runs from the top; none when
    // no pixel did.
    std::vector<RasterRows> takeChangedRows();
    // Textures may have changed their pixels: the next frame is drawn whole.
    void forget() { stripsKnown_ = false; }
    const FrameBuffer& frame() const { return frame_; }
    bool drawsOnTwoThreads() const { return helper_.joinable(); }

  private:
    enum class Kind { clear, quad, line };
    struct Command {
        Kind kind = Kind::quad;
        RasterVertex corner[4] = {}; // a line runs from corner 0 to corner 1
        RasterTexture texture;       // no pixels: untextured
        RasterBlend blend = RasterBlend::alpha;
        std::uint32_t colour = 0; // of a clear or a line
    };

    static constexpr int stripRows = 32;

    void markStrips();
    void drawMarkedStrips(RasterRows rows);
    void draw(RasterRows rows);
    void helperLoop();

    FrameBuffer frame_;
    std::vector<Command> commands_;
    std::vector<std::uint64_t> signatures_; // per strip, of the drawing its pixels show
    std::vector<std::uint64_t> nextSignatures_;
    std::vector<char> redraw_;  // per strip, for the frame being finished
    bool stripsKnown_ = false;  // the signatures match the pixels
    std::vector<char> changed_; // per strip, since takeChangedRows
    std::thread helper_; // not started when the machine has one core or no thread can be made
    std::mutex mutex_;
    std::condition_variable wake_, done_;
    RasterRows helperRows_;
    bool helperBusy_ = false; // rows handed to the helper and not yet drawn
    bool stopping_ = false;
};
