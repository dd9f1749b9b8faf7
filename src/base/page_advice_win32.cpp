// Page advice on Windows: the pages of a block about to be written whole are brought in with one call.
// Large pages are left alone: they need a privilege that ordinary users do not hold, and can only be
// asked for when memory is reserved, not for a block the heap has already handed out.
#include <windows.h>

#include "base/page_advice.hpp"

namespace velmora {

void populate_for_writing(void* block, std::size_t bytes) {
    constexpr std::size_t kSmallBlock = 16 * 4096;
    if (bytes < kSmallBlock) return;
    WIN32_MEMORY_RANGE_ENTRY range{block, bytes};
    PrefetchVirtualMemory(GetCurrentProcess(), 1, &range, 0);  // advice: failing is harmless
}

void advise_huge_pages(void*, std::size_t) {}

// The Windows heap has no such setting: large blocks keep pages of their own there.
void keep_freed_blocks() {}

}  // namespace velmora
