// The span and block kernels for processors with AVX2, eight pixels at a time with texels
// gathered in one instruction. Only the kernels are compiled for AVX2, and only chosen when the
// processor has it: the standard headers come before the target switch, so nothing shared with
// other files is built for AVX2.

#include "platform/sdl/soft_raster_block.h"
#include "platform/sdl/soft_raster_span.h"

#if defined(__x86_64__)

#include <cstring>
#include <immintrin.h>

#if defined(__clang__)
#pragma clang attribute push(__attribute__((target("avx2"))), apply_to = function)
#else
#pragma GCC push_options
#pragma GCC target("avx2")
#endif

#include "platform/sdl/soft_raster_block_kernels.h"

namespace {

struct Avx2 : LaneTypes<8> {
    static Pixels gather(const std::uint32_t* texels, Pixels index) {
        return reinterpret_cast<Pixels>(_mm256_i32gather_epi32(
            reinterpret_cast<const int*>(texels), reinterpret_cast<__m256i>(index), 4));
    }
    static Pixels multiplyHigh(Pixels a, Pixels b) {
        return reinterpret_cast<Pixels>(
            _mm256_mulhi_epu16(reinterpret_cast<__m256i>(a), reinterpret_cast<__m256i>(b)));
    }
    static Pixels addSaturated(Pixels a, Pixels b) {
        return reinterpret_cast<Pixels>(
            _mm256_adds_epu8(reinterpret_cast<__m256i>(a), reinterpret_cast<__m256i>(b)));
    }
    // Byte moves within each pixel, with pshufb's "zero" marked 0x80.
    static Pixels shuffleBytes(Pixels v, std::uint32_t perPixel) {
        const __m256i pattern =
            _mm256_add_epi8(_mm256_set1_epi32(static_cast<int>(perPixel)),
                            _mm256_setr_epi32(0, 0x04040404, 0x08080808, 0x0C0C0C0C, 0, 0x04040404,
                                              0x08080808, 0x0C0C0C0C));
        // The zero marks stay negative bytes: 0x80 plus at most 0x0C.
        return reinterpret_cast<Pixels>(_mm256_shuffle_epi8(reinterpret_cast<__m256i>(v), pattern));
    }
    static Pixels alphaGreen(Pixels pixels) { return shuffleBytes(pixels, 0x80038001u); }
    static Pixels spreadAlpha(Pixels ag) { return shuffleBytes(ag, 0x80028002u); }
    static Pixels opaqueAlpha(Pixels ag) {
        return reinterpret_cast<Pixels>(
            _mm256_blend_epi16(reinterpret_cast<__m256i>(ag), _mm256_set1_epi32(0x00FF0000), 0xAA));
    }
    static Pixels joinHalves(Pixels high, Pixels low) {
        return reinterpret_cast<Pixels>(_mm256_blend_epi16(reinterpret_cast<__m256i>(low >> 16),
                                                           reinterpret_cast<__m256i>(high), 0xAA));
    }
    static bool noneSet(Pixels v, Pixels mask) {
        return _mm256_testz_si256(reinterpret_cast<__m256i>(v), reinterpret_cast<__m256i>(mask));
    }
    static bool allSet(Pixels v, Pixels mask) {
        return _mm256_testc_si256(reinterpret_cast<__m256i>(v), reinterpret_cast<__m256i>(mask));
    }
};

RasterSpanKernel avx2KernelOf(const RasterSpanKind& kind) {
    return kernelOf<Avx2>(kind);
}

RasterBlockKernel avx2BlockKernelOf(const RasterBlockKind& kind) {
    return blockKernelOf<Avx2>(kind);
}

} // namespace

#if defined(__clang__)
#pragma clang attribute pop
#else
#pragma GCC pop_options
#endif

RasterSpanKernel avx2SpanKernel(const RasterSpanKind& kind) {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") ? avx2KernelOf(kind) : nullptr;
}

RasterBlockKernel avx2BlockKernel(const RasterBlockKind& kind) {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") ? avx2BlockKernelOf(kind) : nullptr;
}

#else

RasterSpanKernel avx2SpanKernel(const RasterSpanKind&) {
    return nullptr;
}

RasterBlockKernel avx2BlockKernel(const RasterBlockKind&) {
    return nullptr;
}

#endif

RasterSpanKernel fastSpanKernel(const RasterSpanKind& kind) {
    const RasterSpanKernel avx2 = avx2SpanKernel(kind);
    return avx2 != nullptr ? avx2 : portableSpanKernel(kind);
}

RasterBlockKernel fastBlockKernel(const RasterBlockKind& kind) {
    const RasterBlockKernel avx2 = avx2BlockKernel(kind);
    return avx2 != nullptr ? avx2 : portableBlockKernel(kind);
}
