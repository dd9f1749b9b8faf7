// A source manager over bytes already in memory, handed to the library in one block.
// When the bytes run out it fails with the library's "empty input" code if there were none at all;
// otherwise it inserts an end-of-image marker and goes on with a warning, so a cut-off file decodes
// as far as it goes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "imaging/codecs/jpeg_error.hpp"

namespace velmora {

struct JpegSource {
    jpeg_source_mgr pub;  // first member: the library sees only this part
    std::span<const std::uint8_t> data;
    std::size_t position;
};

// Fills `source` over `data` and attaches it; `data` must outlive the decompressor.
void attach_source(jpeg_decompress_struct& info, JpegSource& source, std::span<const std::uint8_t> data);

}  // namespace velmora
