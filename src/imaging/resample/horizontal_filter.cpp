#include "imaging/resample/horizontal_filter.hpp"

#include <algorithm>
#include <limits>

#include "base/memory_limit.hpp"

namespace velmora {

namespace {

// The fast loop keeps one block of rows as columns, and its results, in scratch memory; pictures wider
// than this take the reference loop instead.
constexpr std::uint64_t kMaxBlockScratch = std::uint64_t{64} << 20;

std::vector<ListView> views_of(const TapLists& lists) {
    std::vector<ListView> views = bounded_vector<ListView>(lists.size());
    for (std::size_t i = 0; i < lists.size(); ++i) {
        const SourceTap* taps = lists[i].Taps.data();
        bool contiguous = true;
        for (std::int32_t t = 1; t < lists[i].Count; ++t)
            contiguous = contiguous && taps[t].Index == taps[0].Index + t;
        views[i] = {taps, lists[i].Count, fused_sum_is_exact(lists[i]), contiguous};
    }
    return views;
}

std::vector<HorizontalFilter::ListRun> runs_of(const std::vector<ListView>& lists) {
    constexpr std::int32_t kRunColumns = 128;
    std::vector<HorizontalFilter::ListRun> runs;
    for (std::size_t i = 0; i < lists.size(); ++i) {
        std::int32_t low = std::numeric_limits<std::int32_t>::max(), high = -1;
        for (std::int32_t t = 0; t < lists[i].count; ++t) {
            low = std::min(low, lists[i].taps[t].Index);
            high = std::max(high, lists[i].taps[t].Index + 1);
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

HorizontalFilter::HorizontalFilter(const PixelLoops& loops, const TapLists& columns, int source_width)
    : columns_(columns), kernels_(loops.kernels) {
    const std::uint64_t block_bytes =
        3 * std::max<std::uint64_t>(static_cast<std::uint64_t>(source_width), columns.size()) * kBlockRows;
    if (kernels_ == nullptr || block_bytes > kMaxBlockScratch) {
        kernels_ = nullptr;
        return;
    }
    lists_ = views_of(columns);
    runs_ = runs_of(lists_);
    std::size_t widest = 0;
    for (const ListRun& run : runs_) {
        widest = std::max(widest, static_cast<std::size_t>(run.end_column - run.first_column));
    }
    column_values_ = bounded_vector<float>(3 * widest * kBlockRows);
    results_ = bounded_vector<std::uint8_t>(3 * columns.size() * kBlockRows);
}

void HorizontalFilter::filter_block_exactly(const std::uint8_t* const* in, std::uint8_t* const* out,
                                            int count) const {
    for (int r = 0; r < count; ++r) {
        for (std::size_t i = 0; i < columns_.size(); ++i) {
            filter_pixel_exact(columns_[i].Taps.data(), columns_[i].Count, in[r], 3, out[r] + 3 * i);
        }
    }
}

// The block's rows are turned into columns (one row per vector lane; a short block repeats its last
// row in the lanes it does not fill), filtered list by list, and turned back into rows. Lists the
// fused sum cannot do exactly are filled in between by the reference arithmetic.
void HorizontalFilter::filter_block(const std::uint8_t* const* in, std::uint8_t* const* out, int count) {
    if (kernels_ == nullptr) {
        filter_block_exactly(in, out, count);
        return;
    }
    const std::uint8_t* lanes[kBlockRows];
    for (int r = 0; r < kBlockRows; ++r) lanes[r] = in[std::min(r, count - 1)];
    for (const ListRun& run : runs_) {
        const std::uint8_t* from[kBlockRows];
        for (int r = 0; r < kBlockRows; ++r)
            from[r] = lanes[r] + 3 * static_cast<std::ptrdiff_t>(run.first_column);
        kernels_->gather_columns(from, 3 * static_cast<std::size_t>(run.end_column - run.first_column),
                                 column_values_.data());
        kernels_->filter_columns(lists_.data() + run.first_list, run.end_list - run.first_list,
                                 column_values_.data(), run.first_column,
                                 results_.data() + 3 * kBlockRows * run.first_list);
    }
    for (std::size_t i = 0; i < lists_.size(); ++i) {
        if (lists_[i].exact) continue;
        for (int r = 0; r < count; ++r) {
            std::uint8_t pixel[3];
            filter_pixel_exact(lists_[i].taps, lists_[i].count, in[r], 3, pixel);
            for (std::size_t c = 0; c < 3; ++c) {
                results_[(3 * i + c) * kBlockRows + static_cast<std::size_t>(r)] = pixel[c];
            }
        }
    }
    kernels_->scatter_rows(results_.data(), 3 * lists_.size(), out, count);
}

}  // namespace velmora
