// The one bound on memory for a single picture, decoded logo or file read into memory. A request above
// it, or an allocation the system refuses, becomes Error("Out of memory") instead of a killed process.
#pragma once

#include <cstdint>

namespace velmora {

inline constexpr std::uint64_t kMaxPictureBytes = std::uint64_t{2} << 30;  // 2 GiB

[[noreturn]] void raise_out_of_memory();

// Raises "Out of memory" when `bytes` exceeds kMaxPictureBytes. Call it next to the allocation it guards.
void check_allocation(std::uint64_t bytes);

}  // namespace velmora
