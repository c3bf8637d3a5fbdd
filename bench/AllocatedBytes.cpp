#include "bench/Benchmarks.h"

#include <malloc.h>

size_t allocatedBytes()
{
    // Allocations above the mmap threshold (a large row buffer) are counted
    // in hblkhd, not in uordblks.
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}
