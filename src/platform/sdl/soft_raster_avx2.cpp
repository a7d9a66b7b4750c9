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
