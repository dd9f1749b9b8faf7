#include "base/page_advice.hpp"

#include <cstdint>

#if defined(__linux__)
#include <sys/mman.h>
#endif
#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace velmora {

namespace {

constexpr std::uintptr_t kPage = 4096;

#if defined(__linux__)
// The whole pages inside [block, block + bytes), advised with `advice`; failing is harmless.
void advise_inner_pages(void* block, std::size_t bytes, int advice) {
    const auto start = (reinterpret_cast<std::uintptr_t>(block) + kPage - 1) & ~(kPage - 1);
    const auto end = (reinterpret_cast<std::uintptr_t>(block) + bytes) & ~(kPage - 1);
    if (end > start) ::madvise(reinterpret_cast<void*>(start), end - start, advice);
}
#endif

}  // namespace

void populate_for_writing([[maybe_unused]] void* block, [[maybe_unused]] std::size_t bytes) {
#if defined(__linux__) && defined(MADV_POPULATE_WRITE)
    constexpr std::size_t kSmallBlock = 16 * kPage;
    if (bytes >= kSmallBlock) advise_inner_pages(block, bytes, MADV_POPULATE_WRITE);
#endif
}

void advise_huge_pages([[maybe_unused]] void* block, [[maybe_unused]] std::size_t bytes) {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    constexpr std::size_t kLargeBlock = std::size_t{4} << 20;
    if (bytes >= kLargeBlock) advise_inner_pages(block, bytes, MADV_HUGEPAGE);
#endif
}

void keep_freed_blocks() {
#if defined(__GLIBC__)
    // Blocks up to the largest threshold glibc takes come from the heap instead of mappings of their
    // own, and the heap's free top is given back only when it exceeds twice that.
    constexpr int kLargestHeapBlock = 32 << 20;
    mallopt(M_MMAP_THRESHOLD, kLargestHeapBlock);
    mallopt(M_TRIM_THRESHOLD, 2 * kLargestHeapBlock);
#endif
}

}  // namespace velmora
