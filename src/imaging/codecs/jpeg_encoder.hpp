// Writing JPEG data through libjpeg: JFIF 1.01, YCbCr 4:2:0, Huffman coded, baseline or progressive.
#pragma once

#include <cstdint>
#include <vector>

#include "imaging/picture.hpp"

namespace velmora {

// Encodes `picture` (any form; its 24-bit colours are what is encoded) at `quality` (clamped to 1 to
// 100). Progressive output uses the library's ten-scan script with optimal Huffman tables. The picture
// must not be empty. Library errors raise "JPEG error #<code>".
std::vector<std::uint8_t> encode_jpeg(const Picture& picture, std::uint8_t quality, bool progressive);

}  // namespace velmora
