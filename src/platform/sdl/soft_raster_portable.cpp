// The span and block kernels in portable vector code, four pixels at a time: SSE2 on x86-64,
// whatever vector unit the compiler targets elsewhere, plain scalar code where there is none.

#include "platform/sdl/soft_raster_block_kernels.h"

#include <algorithm>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

struct Portable : LaneTypes<4> {
    using Bytes = std::uint8_t __attribute__((vector_size(16)));
    static Pixels gather(const std::uint32_t* texels, Pixels index) {
        Pixels texel;
        for (int k = 0; k < lanes; ++k) {
            texel[k] = texels[index[k]];
        }
        return texel;
    }
#if defined(__SSE2__)
    static Pixels multiplyHigh(Pixels a, Pixels b) {
        return reinterpret_cast<Pixels>(
            _mm_mulhi_epu16(reinterpret_cast<__m128i>(a), reinterpret_cast<__m128i>(b)));
    }
    static Pixels addSaturated(Pixels a, Pixels b) {
        return reinterpret_cast<Pixels>(
            _mm_adds_epu8(reinterpret_cast<__m128i>(a), reinterpret_cast<__m128i>(b)));
    }
#else
    static Pixels multiplyHigh(Pixels a, Pixels b) {
        Halves x = reinterpret_cast<Halves>(a);
        const Halves y = reinterpret_cast<Halves>(b);
        for (int k = 0; k < lanes * 2; ++k) {
            x[k] = static_cast<std::uint16_t>((std::uint32_t{x[k]} * y[k]) >> 16);
        }
        return reinterpret_cast<Pixels>(x);
    }
    static Pixels addSaturated(Pixels a, Pixels b) {
        Bytes x = reinterpret_cast<Bytes>(a);
        const Bytes y = reinterpret_cast<Bytes>(b);
        for (int k = 0; k < lanes * 4; ++k) {
            x[k] = static_cast<std::uint8_t>(std::min(255, x[k] + y[k]));
        }
        return reinterpret_cast<Pixels>(x);
    }
#endif
    static bool noneSet(Pixels v, Pixels mask) {
        const Pixels masked = v & mask;
        std::uint64_t halves[2];
        std::memcpy(halves, &masked, sizeof halves);
        return (halves[0] | halves[1]) == 0;
    }
    static bool allSet(Pixels v, Pixels mask) {
        return noneSet(~v, mask);
    }
};

} // namespace

RasterSpanKernel portableSpanKernel(const RasterSpanKind& kind) {
    return kernelOf<Portable>(kind);
}

RasterBlockKernel portableBlockKernel(const RasterBlockKind& kind) {
    return blockKernelOf<Portable>(kind);
}
