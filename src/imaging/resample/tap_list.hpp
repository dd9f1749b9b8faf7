// Tap lists: for each destination index of one direction, the source positions that contribute to it
// and their weights, in ascending order of the unreflected source position (the order of the sums).
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "imaging/resample/filters.hpp"

namespace velmora {

struct SourceTap {
    std::int32_t Index;  // source column or work-picture row, after reflection, inside 0 to L - 1
    float Weight;        // never 0
};

struct TapList {
    std::int32_t Count = 0;     // taps in use, at the front of Taps
    std::span<SourceTap> Taps;  // the room of the list, fixed when it is built
};

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
    friend TapLists build_tap_lists(TFilterProc, float, int, int, float);
    std::vector<SourceTap> storage_;
    std::vector<TapList> lists_;
};

// Scale of a direction, rounded to single: D for a source of one pixel, else (D - 1) / (L - 1), so
// the first and last pixels of source and destination line up.
float resample_scale(int source_length, int destination_length);

// Builds one list for each destination index 0 to destination_length - 1. Shrinking (scale below 1)
// stretches the filter over 1 / scale source pixels and divides its weights by the same; a scale of
// 0 fails with "Floating point division by zero" there. Zero weights are dropped, candidates outside
// the source are reflected (and clamped where one reflection is not enough). Weights are not
// normalised. Storage above the memory bound fails with "Out of memory".
TapLists build_tap_lists(TFilterProc filter, float width, int source_length, int destination_length,
                         float scale);

// True when summing the list in single precision with fused multiply-add gives, for any bytes, the
// same accumulator as forming every step at extended precision and rounding it to single. Proven
// from the weights alone: see the comment in the definition.
bool fused_sum_is_exact(const TapList& list);

}  // namespace velmora
