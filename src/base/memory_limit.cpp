#include "base/memory_limit.hpp"

#include "base/error.hpp"

namespace velmora {

void raise_out_of_memory() {
    throw Error("Out of memory");
}

void check_allocation(std::uint64_t bytes) {
    if (bytes > kMaxPictureBytes) raise_out_of_memory();
}

}  // namespace velmora
