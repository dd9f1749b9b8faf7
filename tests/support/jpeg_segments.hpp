// A walk over the markers of a JPEG file.
#pragma once

#include <cstdint>
#include <vector>

namespace velmora::test {

// The segments of a JPEG file in order: their marker codes (0xD8 for SOI, 0xDA for each scan, ...)
// and, for segments with one, their contents.
struct Segment {
    int marker = 0;
    std::vector<std::uint8_t> contents;
};
std::vector<Segment> segments_of(const std::vector<std::uint8_t>& jpeg);

}  // namespace velmora::test
