// The span and block kernels in portable vector code, four pixels at a time: SSE2 on x86-64,
// whatever vector unit the compiler targets elsewhere, plain scalar code where there is none.

#include "platform/sdl/soft_raster_block_kernels.h"

namespace {

struct Portable : LaneTypes<4> {
    static Pixels gather(const std::uint32_t* texels, Pixels index) {
        Pixels texel;
        for (int k = 0; k < lanes; ++k) {
            texel[k] = texels[index[k]];
        }
        return texel;
    }
    static bool noneSet(Pixels v, Pixels mask) {
        const Pixels masked = v & mask;
        std::uint64_t halves[2];
        std::memcpy(halves, &masked, sizeof halves);
        return (halves[0] | halves[1]) == 0;
    }
    static bool allSet(Pixels v, Pixels mask) { return noneSet(~v, mask); }
};

} // namespace

RasterSpanKernel portableSpanKernel(const RasterSpanKind& kind) {
    return kernelOf<Portable>(kind);
}

RasterBlockKernel portableBlockKernel(const RasterBlockKind& kind) {
    return blockKernelOf<Portable>(kind);
}
