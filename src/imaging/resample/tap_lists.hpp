// The tap lists of one direction, built once and reused for every row or column of its pass.
#pragma once

#include <cstddef>
#include <span>
#include <vector>

#include "imaging/resample/filters.hpp"
#include "imaging/resample/pixel_loops.hpp"
#include "imaging/resample/tap_list.hpp"

namespace velmora {

// The lists of one direction over one block of storage, allocated once with every list's room.
class TapLists {
  public:
    TapLists() = default;
    TapLists(const TapLists&) = delete;
    TapLists& operator=(const TapLists&) = delete;
    TapLists(TapLists&&) = default;
    TapLists& operator=(TapLists&&) = default;

    std::size_t size() const { return lists_.size(); }
    const TapList& operator[](std::size_t i) const { return lists_[i]; }
    std::span<const TapList> lists() const { return lists_; }

  private:
    friend TapLists build_tap_lists(const PixelLoops&, TFilterProc, float, int, int, float);
    std::vector<SourceTap> storage_;
    std::vector<TapList> lists_;
};

// Scale of a direction, rounded to single: D for a source of one pixel, else (D - 1) / (L - 1), so
// the first and last pixels of source and destination line up.
float resample_scale(int source_length, int destination_length);

// Builds one list for each destination index 0 to destination_length - 1, to be summed by `loops`.
// Shrinking (scale below 1) stretches the filter over 1 / scale source pixels and divides its weights
// by the same; a scale of 0 fails with "Floating point division by zero" there. Zero weights are
// dropped, candidates outside the source are reflected (and clamped where one reflection is not
// enough). Weights are not normalised. Each list gets the kernel that sums it: the fused one of
// `loops` where the list is exact and `loops` has one, the watched fused one where only the bytes can
// tell, else the reference one. Storage above the memory bound fails with "Out of memory".
TapLists build_tap_lists(const PixelLoops& loops, TFilterProc filter, float width, int source_length,
                         int destination_length, float scale);

// True when summing the list in single precision with fused multiply-add gives, for any bytes, the
// same accumulator as forming every step at extended precision and rounding it to single. Proven
// from the weights alone: see the comment above its body.
bool fused_sum_is_exact(const TapList& list);

// True when the weights keep every value of the sum normal and finite, so that a fused sum differs
// from the extended one only where some step finds 0 < |acc| < 2^-56 |w| (see fused_sum_is_exact),
// which the fast loops watch for.
bool fused_sum_can_be_watched(const TapList& list);

}  // namespace velmora
