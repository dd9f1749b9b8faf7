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

// Asks the heap to keep the blocks a program frees, however large (up to 32 MiB), for its next
// requests, rather than giving them back to the system: a batch frees a picture's blocks and asks for
// blocks of much the same sizes for the next picture, and fresh pages cost microseconds each to fault
// in. What the program holds at its peak does not change. Called once, at the start.
void keep_freed_blocks();

}  // namespace velmora
