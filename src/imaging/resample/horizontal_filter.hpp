// The horizontal pass a block of rows at a time: every source row through the column lists into a
// row of the work picture, which has the destination's width.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "imaging/resample/filters.hpp"
#include "imaging/resample/pixel_loops.hpp"
#include "imaging/resample/tap_list_cache.hpp"
#include "imaging/resample/tap_lists.hpp"

namespace velmora {

class HorizontalFilter {
  public:
    // Builds the column lists from source_width to destination_width, failing as build_tap_lists
    // fails, for `loops`, or for the reference loops when a block of such rows would not fit the
    // scratch memory of the fast ones. Scratch memory above the bound fails with "Out of memory".
    // The lists come from `cache` when one is given.
    HorizontalFilter(const PixelLoops& loops, TFilterProc filter, float width, int source_width,
                     int destination_width, TapListCache* cache = nullptr);

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
    void filter_rows_exactly(const std::uint8_t* const* in, std::uint8_t* const* out, int count) const;
    void filter_reference_list(std::size_t i, const std::uint8_t* const* in, int count);
    // Some list is fused or watched: blocks go through the loops, else row by row.
    bool through_loops() const { return reference_lists_.size() < columns_->size(); }

    const PixelLoops& loops_;
    std::size_t row_bytes_;  // of a source row
    std::shared_ptr<const TapLists> columns_;
    std::vector<std::size_t> reference_lists_;
    std::vector<ListRun> runs_;
    std::vector<float> column_values_;
    std::vector<std::uint8_t> results_;
    std::vector<std::uint8_t> handed_back_;  // 1 for a watched list the loops left to the reference sum
};

}  // namespace velmora
