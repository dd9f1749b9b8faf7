// A destination manager that appends the library's output to a byte vector, 4096 bytes at a time.
// The vector ends at the last byte written once the compressor has finished.
#pragma once

#include <cstdint>
#include <vector>

#include "imaging/codecs/jpeg_error.hpp"

namespace velmora {

struct JpegDestination {
    jpeg_destination_mgr pub;  // first member: the library sees only this part
    std::vector<std::uint8_t>* bytes;
};

// Fills `destination` over `bytes` (emptied) and attaches it; `bytes` must outlive the compressor.
void attach_destination(jpeg_compress_struct& info, JpegDestination& destination,
                        std::vector<std::uint8_t>& bytes);

}  // namespace velmora
