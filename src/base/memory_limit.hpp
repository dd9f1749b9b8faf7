// The one bound on memory for a single picture, decoded logo or file read into memory. A request above
// it, or an allocation the system refuses, becomes Error("Out of memory") instead of a killed process.
#pragma once

#include <cstdint>
#include <new>
#include <vector>

#include "base/page_advice.hpp"

namespace velmora {

inline constexpr std::uint64_t kMaxPictureBytes = std::uint64_t{2} << 30;  // 2 GiB

[[noreturn]] void raise_out_of_memory();

// Raises "Out of memory" when `bytes` exceeds kMaxPictureBytes. Call it next to the allocation it guards.
void check_allocation(std::uint64_t bytes);

// A vector of `count` zero elements, checked against the bound first; an allocation the system refuses
// raises "Out of memory" too. Its pages are faulted in with one call, since zeroing writes them whole.
template <class T>
std::vector<T> bounded_vector(std::uint64_t count) {
    check_allocation(count * sizeof(T));
    try {
        std::vector<T> vector;
        vector.reserve(static_cast<std::size_t>(count));
        populate_for_writing(vector.data(), vector.capacity() * sizeof(T));
        vector.resize(static_cast<std::size_t>(count));
        return vector;
    } catch (const std::bad_alloc&) {
        raise_out_of_memory();
    }
}

}  // namespace velmora
