#include "imaging/resample/horizontal_filter.hpp"

#include <algorithm>
#include <limits>

#include "base/memory_limit.hpp"
#include "imaging/resample/pixel_loop_choice.hpp"
#include "imaging/resample/reference_loop.hpp"

namespace velmora {

namespace {

// Bytes rounded up to whole blocks of kBlockRows, which the loops gather without a byte-by-byte end.
std::size_t whole_blocks(std::size_t bytes) {
    return (bytes + kBlockRows - 1) / kBlockRows * kBlockRows;
}

// The fast loops keep one block of rows as columns, and its results, in scratch memory of at most this.
constexpr std::uint64_t kMaxBlockScratch = std::uint64_t{64} << 20;

// The loops for rows of this width: pictures so wide that a block would not fit the scratch memory are
// summed by the reference arithmetic alone.
const PixelLoops& loops_for(const PixelLoops& loops, int source_width, int destination_width) {
    const std::uint64_t block_bytes =
        3 * static_cast<std::uint64_t>(std::max(source_width, destination_width)) * kBlockRows;
    return block_bytes <= kMaxBlockScratch ? loops : reference_pixel_loops();
}

std::vector<HorizontalFilter::ListRun> runs_of(const TapLists& lists) {
    constexpr std::int32_t kRunColumns = 128;
    std::vector<HorizontalFilter::ListRun> runs;
    for (std::size_t i = 0; i < lists.size(); ++i) {
        std::int32_t low = std::numeric_limits<std::int32_t>::max(), high = -1;
        for (std::int32_t t = 0; t < lists[i].Count; ++t) {
            low = std::min(low, lists[i].Taps[t].Index);
            high = std::max(high, lists[i].Taps[t].Index + 1);
        }
        if (high < 0) low = high = 0;  // an empty list reads nothing
        HorizontalFilter::ListRun* run = runs.empty() ? nullptr : &runs.back();
        if (run != nullptr &&
            std::max(run->end_column, high) - std::min(run->first_column, low) <= kRunColumns) {
            run->end_list = i + 1;
            run->first_column = std::min(run->first_column, low);
            run->end_column = std::max(run->end_column, high);
        } else {
            runs.push_back({i, i + 1, low, high});
        }
    }
    return runs;
}

}  // namespace

HorizontalFilter::HorizontalFilter(const PixelLoops& loops, TFilterProc filter, float width, int source_width,
                                   int destination_width, TapListCache* cache)
    : loops_(loops_for(loops, source_width, destination_width)),
      row_bytes_(3 * static_cast<std::size_t>(source_width)),
      columns_(shared_tap_lists(cache, loops_, filter, width, source_width, destination_width)) {
    for (std::size_t i = 0; i < columns_->size(); ++i) {
        if ((*columns_)[i].kernel == TapKernel::kReference) reference_lists_.push_back(i);
    }
    if (!through_loops()) return;
    runs_ = runs_of(*columns_);
    std::size_t widest = 0;
    for (const ListRun& run : runs_) {
        widest = std::max(widest, static_cast<std::size_t>(run.end_column - run.first_column));
    }
    column_values_ = bounded_vector<float>(whole_blocks(3 * widest) * kBlockRows);
    results_ = bounded_vector<std::uint8_t>(columns_->size() * kBlockPixelValues);
    handed_back_ = bounded_vector<std::uint8_t>(columns_->size());
}

void HorizontalFilter::filter_rows_exactly(const std::uint8_t* const* in, std::uint8_t* const* out,
                                           int count) const {
    for (int r = 0; r < count; ++r) {
        for (std::size_t i = 0; i < columns_->size(); ++i)
            filter_pixel_exact((*columns_)[i], in[r], 3, out[r] + 3 * i);
    }
}

// One list's results for the block, the reference way.
void HorizontalFilter::filter_reference_list(std::size_t i, const std::uint8_t* const* in, int count) {
    for (int r = 0; r < count; ++r) {
        std::uint8_t pixel[3];
        filter_pixel_exact((*columns_)[i], in[r], 3, pixel);
        for (std::size_t c = 0; c < 3; ++c) {
            results_[i * kBlockPixelValues + c * kBlockRows + static_cast<std::size_t>(r)] = pixel[c];
        }
    }
}

// The block's rows are turned into columns (one row per vector lane; a short block repeats its last
// row in the lanes it does not fill), filtered list by list, and turned back into rows.
void HorizontalFilter::filter_block(const std::uint8_t* const* in, std::uint8_t* const* out, int count) {
    if (!through_loops()) {
        filter_rows_exactly(in, out, count);
        return;
    }
    const std::uint8_t* lanes[kBlockRows];
    for (int r = 0; r < kBlockRows; ++r) lanes[r] = in[std::min(r, count - 1)];
    bool any_handed_back = false;
    for (const ListRun& run : runs_) {
        const std::uint8_t* from[kBlockRows];
        for (int r = 0; r < kBlockRows; ++r)
            from[r] = lanes[r] + 3 * static_cast<std::ptrdiff_t>(run.first_column);
        // The columns up to the next whole block, as far as the rows go: the ones past the run's
        // are never read.
        const std::size_t row_left = row_bytes_ - 3 * static_cast<std::size_t>(run.first_column);
        const std::size_t bytes = 3 * static_cast<std::size_t>(run.end_column - run.first_column);
        loops_.gather_columns(from, std::min(whole_blocks(bytes), row_left), column_values_.data());
        any_handed_back |= loops_.filter_columns(
            columns_->lists().data() + run.first_list, run.end_list - run.first_list, column_values_.data(),
            run.first_column, results_.data() + kBlockPixelValues * run.first_list,
            handed_back_.data() + run.first_list);
    }
    // The lists the fused sum cannot do exactly, and the watched ones handed back for this block.
    for (const std::size_t i : reference_lists_) filter_reference_list(i, in, count);
    if (any_handed_back) {
        for (std::size_t i = 0; i < columns_->size(); ++i) {
            if (handed_back_[i] == 0) continue;
            handed_back_[i] = 0;
            filter_reference_list(i, in, count);
        }
    }
    loops_.scatter_rows(results_.data(), 3 * columns_->size(), out, count);
}

}  // namespace velmora
