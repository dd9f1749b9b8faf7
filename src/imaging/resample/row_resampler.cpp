#include "imaging/resample/row_resampler.hpp"

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <string>

#include "base/error.hpp"
#include "base/memory_limit.hpp"
#include "imaging/resample/reference_loop.hpp"

namespace velmora {

RowResampler::RowResampler(const PixelLoops& loops, int source_width, int source_height, Picture& destination,
                           TFilterProc filter, float width, TapListCache* cache)
    : loops_(loops),
      source_height_(source_height),
      destination_width_(destination.width()),
      destination_height_(destination.height()),
      horizontal_(loops, filter, width, source_width, destination_width_, cache),
      rows_(shared_tap_lists(cache, loops, filter, width, source_height, destination_height_)),
      row_bytes_(3 * static_cast<std::size_t>(destination_width_)) {
    // Rows are reached from row 0 by the distance to row 1, in the work picture (which has the
    // source's height) and in the destination: a picture of a single row fails here.
    if (source_height < 2) throw Error(std::string(kScanLineOutOfRange));
    destination_row0_ = destination.scanline(0);
    destination_step_ = destination.scanline(1) - destination_row0_;

    const auto count = static_cast<std::size_t>(destination_height_);
    last_read_ = bounded_vector<std::int32_t>(count);
    keep_from_ = bounded_vector<std::int32_t>(count + 1);
    keep_from_[count] = source_height;
    std::int32_t widest = 0;
    for (std::size_t i = count; i-- > 0;) {
        std::int32_t first = source_height, last = -1;
        for (std::int32_t t = 0; t < (*rows_)[i].Count; ++t) {
            first = std::min(first, (*rows_)[i].Taps[t].Index);
            last = std::max(last, (*rows_)[i].Taps[t].Index);
        }
        last_read_[i] = last;
        keep_from_[i] = std::min(first, keep_from_[i + 1]);
        widest = std::max(widest, (*rows_)[i].Count);
    }
    rebased_ = bounded_vector<SourceTap>(2 * static_cast<std::uint64_t>(widest));

    // Row i is written once the rows up to the last any list up to i reads are in; until then the
    // window holds the rows from keep_from_[i] on, plus at most one block short of a row more.
    // Twice that room means the rows kept are moved to the front only now and then.
    std::int64_t span = 0, ready = 0;
    for (std::size_t i = 0; i < count; ++i) {
        ready = std::max<std::int64_t>(ready, std::int64_t{last_read_[i]} + 1);
        span = std::max<std::int64_t>(span, ready - keep_from_[i]);
    }
    capacity_ = static_cast<int>(std::min<std::int64_t>(source_height, 2 * (span + kBlockRows)));
    window_ = bounded_vector<std::uint8_t>(static_cast<std::uint64_t>(capacity_) * row_bytes_);
}

void RowResampler::add_rows(const std::uint8_t* const* rows, int count) {
    if (count < 0 || count > source_height_ - rows_in_)
        throw std::logic_error("RowResampler: more rows than the source has");
    for (int done = 0; done < count; done += kBlockRows) {
        add_block(rows + done, std::min(kBlockRows, count - done));
    }
}

void RowResampler::add_block(const std::uint8_t* const* rows, int count) {
    if (next_row_ < destination_height_) {
        make_room(count);
        std::uint8_t* out[kBlockRows];
        for (int r = 0; r < count; ++r) {
            out[r] = window_.data() + static_cast<std::size_t>(rows_in_ - window_first_ + r) * row_bytes_;
        }
        horizontal_.filter_block(rows, out, count);
    }
    rows_in_ += count;
    write_ready_rows();
}

// Drops the rows no list from next_row_ on reads, moving the others to the front, when the block
// would not fit after them.
void RowResampler::make_room(int count) {
    if (rows_in_ + count - window_first_ <= capacity_) return;
    const int keep_from = std::min(keep_from_[static_cast<std::size_t>(next_row_)], rows_in_);
    if (rows_in_ + count - keep_from > capacity_) throw std::logic_error("RowResampler: window too small");
    std::memmove(window_.data(),
                 window_.data() + static_cast<std::size_t>(keep_from - window_first_) * row_bytes_,
                 static_cast<std::size_t>(rows_in_ - keep_from) * row_bytes_);
    window_first_ = keep_from;
}

bool RowResampler::ready(int i) const {
    return i < destination_height_ && last_read_[static_cast<std::size_t>(i)] < rows_in_;
}

// Rows that are ready together are written two at a time, which the fast loops do in one sweep.
void RowResampler::write_ready_rows() {
    while (ready(next_row_)) {
        if (ready(next_row_ + 1)) {
            write_pair(next_row_);
            next_row_ += 2;
        } else {
            write_row(next_row_++);
        }
    }
}

// Row i's list with its indices counted from window_first_, its taps in `storage`.
TapList RowResampler::rebased_list(int i, SourceTap* storage) const {
    TapList list = (*rows_)[static_cast<std::size_t>(i)];
    for (std::int32_t t = 0; t < list.Count; ++t)
        storage[t] = {list.Taps[t].Index - window_first_, list.Taps[t].Weight};
    list.Taps = storage;
    return list;
}

std::uint8_t* RowResampler::destination_row(int i) const {
    return destination_row0_ + static_cast<std::ptrdiff_t>(i) * destination_step_;
}

// Over the whole width at once: every byte of the row is its own sum with the row's taps, so the order
// of the taps within each sum is kept.
void RowResampler::write_row(int i) {
    const TapList list = rebased_list(i, rebased_.data());
    const auto work_step = static_cast<std::ptrdiff_t>(row_bytes_);
    if (list.kernel != TapKernel::kReference &&
        loops_.filter_row(list, window_.data(), work_step, row_bytes_, destination_row(i))) {
        return;
    }
    filter_row_exact(list, window_.data(), work_step, destination_width_, destination_row(i));
}

void RowResampler::write_pair(int i) {
    const TapList one = rebased_list(i, rebased_.data());
    const TapList two = rebased_list(i + 1, rebased_.data() + rebased_.size() / 2);
    if (one.kernel != TapKernel::kFused || two.kernel != TapKernel::kFused) {
        write_row(i);
        write_row(i + 1);
        return;
    }
    loops_.filter_row_pair(one, two, window_.data(), static_cast<std::ptrdiff_t>(row_bytes_), row_bytes_,
                           destination_row(i), destination_row(i + 1));
}

}  // namespace velmora
