// Advice to the system about large blocks of fresh memory, for speed only: where the system does not take
// it, nothing changes but the time.
#pragma once

#include <cstddef>

namespace velmora {

// Asks for the pages of a block that is about to be written whole to be backed now, in one call, rather
// than one page fault at a time as they are first touched: each fault costs microseconds, many times
// what filling its page costs. Blocks of a few pages are left alone.
void populate_for_writing(void* block, std::size_t bytes);

// Asks for huge pages under a large block that is still untouched: fewer, larger pages to fault in.
void advise_huge_pages(void* block, std::size_t bytes);

}  // namespace velmora
