// The two-pass resampler for a source that arrives a block of rows at a time, top to bottom. Each row
// is filtered horizontally as it comes, and each destination row is filtered as soon as the work rows
// its list reads are there, so only a window of work rows is held, never the whole source or the
// whole work picture. Every sum takes the same taps in the same order as the two passes over whole
// pictures, so the bytes are those of ResamplePicture.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "imaging/picture.hpp"
#include "imaging/resample/filters.hpp"
#include "imaging/resample/horizontal_filter.hpp"
#include "imaging/resample/pixel_loops.hpp"
#include "imaging/resample/tap_list.hpp"
#include "imaging/resample/tap_list_cache.hpp"
#include "imaging/resample/tap_lists.hpp"

namespace velmora {

// Rows handed over in blocks of this many are filtered without waste.
inline constexpr int kResampleRowBlock = kBlockRows;

class RowResampler {
  public:
    // Prepares to scale a source of the given size into `destination`, which keeps its size, must be
    // in the 24-bit form and must not be touched until the last row is in. Raises what ResamplePicture
    // raises for these sizes, in its order, before any pixel is written: "Floating point division by
    // zero" for a direction scaled to a single pixel (horizontal first), then "Scan line index out of
    // range" for a single source row or fewer than two destination rows; "Out of memory" for lists or
    // work rows above the bound.
    // The tap lists come from `cache` when one is given.
    RowResampler(const PixelLoops& loops, int source_width, int source_height, Picture& destination,
                 TFilterProc filter, float width, TapListCache* cache = nullptr);
    RowResampler(const RowResampler&) = delete;
    RowResampler& operator=(const RowResampler&) = delete;

    // The next `count` rows of the source, 24-bit blue, green, red, each 3 * source_width bytes.
    // Destination rows are written as they become ready; after the last source row all of them are.
    void add_rows(const std::uint8_t* const* rows, int count);

  private:
    void add_block(const std::uint8_t* const* rows, int count);
    void make_room(int count);
    bool ready(int i) const;
    void write_ready_rows();
    TapList rebased_list(int i, SourceTap* storage) const;
    std::uint8_t* destination_row(int i) const;
    void write_row(int i);
    void write_pair(int i);

    const PixelLoops& loops_;
    int source_height_;
    int destination_width_;
    int destination_height_;
    HorizontalFilter horizontal_;  // built before rows_: a scale of 0 fails horizontally first
    std::shared_ptr<const TapLists> rows_;
    std::uint8_t* destination_row0_ = nullptr;
    std::ptrdiff_t destination_step_ = 0;

    // Per destination row: the last work row its list reads, and the first work row that it or any
    // later row reads (the source height past the last row), so rows below that can be dropped.
    std::vector<std::int32_t> last_read_;
    std::vector<std::int32_t> keep_from_;

    // The work rows window_first_ to rows_in_ - 1, one after the other.
    std::vector<std::uint8_t> window_;
    std::size_t row_bytes_;
    int capacity_ = 0;  // rows the window has room for
    int window_first_ = 0;
    int rows_in_ = 0;                 // source rows received
    int next_row_ = 0;                // first destination row not written yet
    std::vector<SourceTap> rebased_;  // two lists' taps with indices counted from window_first_, one per half
};

}  // namespace velmora
