#include "solver/search_memory.h"

#include <cstdlib> // defines __GLIBC__ on the GNU C library

#if defined(__GLIBC__)
#include <malloc.h>
#endif

void keepSearchMemory() {
#if defined(__GLIBC__)
    // Blocks up to 32 MB (the most the C library allows) come from the heap rather than from
    // mappings of their own, and up to 256 MB freed at the heap's top stays in the process.
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
#endif
}
