// Reverses the per-row filters (types 0 to 4: None, Sub, Up, Average, Paeth) of PNG image data.
#pragma once

#include <cstdint>
#include <span>

namespace velmora::png {

// Unfilters `row` in place against the already unfiltered `prior` row (all zero for the first row of an
// image or pass). `pixel_bytes` is the bytes of one pixel, at least 1. An unknown filter type raises the
// not-supported message.
void unfilter_row(std::uint8_t filter_type, std::span<std::uint8_t> row, std::span<const std::uint8_t> prior,
                  int pixel_bytes);

}  // namespace velmora::png
