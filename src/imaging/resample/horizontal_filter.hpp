// The horizontal pass a block of rows at a time: every source row through the column lists into a
// row of the work picture, which has the destination's width.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "imaging/resample/pixel_kernels.hpp"
#include "imaging/resample/pixel_loops.hpp"
#include "imaging/resample/tap_list.hpp"

namespace velmora {

class HorizontalFilter {
  public:
    // Keeps a reference to `columns`, which must outlive the filter. Scratch memory above the bound
    // fails with "Out of memory".
    HorizontalFilter(const PixelLoops& loops, const TapLists& columns, int source_width);

    // out[r] becomes in[r] filtered with every column list, for r < count <= kBlockRows; both are rows
    // of 24-bit pixels.
    void filter_block(const std::uint8_t* const* in, std::uint8_t* const* out, int count);

    // Consecutive lists whose taps lie within 128 source pixels: their columns are gathered
    // together and stay in the cache while the lists are filtered.
    struct ListRun {
        std::size_t first_list;
        std::size_t end_list;
        std::int32_t first_column;
        std::int32_t end_column;
    };

  private:
    void filter_block_exactly(const std::uint8_t* const* in, std::uint8_t* const* out, int count) const;

    const TapLists& columns_;
    const PixelKernels* kernels_;  // null: the reference arithmetic for every pixel
    std::vector<ListView> lists_;
    std::vector<ListRun> runs_;
    std::vector<float> column_values_;
    std::vector<std::uint8_t> results_;
};

}  // namespace velmora
