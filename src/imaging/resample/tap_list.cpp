#include "imaging/resample/tap_list.hpp"

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>
#include <new>

#include "base/memory_limit.hpp"
#include "base/numeric.hpp"

namespace velmora {

float resample_scale(int source_length, int destination_length) {
    if (source_length == 1) return to_single(destination_length);
    return to_single(
        divide(static_cast<Extended>(destination_length) - 1, static_cast<Extended>(source_length) - 1));
}

namespace {

// How one direction places its filter: computed once, shared by every list.
struct Geometry {
    TFilterProc filter;
    float width;
    float scale;
    bool shrinking;
    Extended support;  // W / scale rounded to single when shrinking, else W
    Extended divisor;  // 1 / scale rounded to single; used only when shrinking
    std::int64_t length;
};

Geometry geometry_for(TFilterProc filter, float width, int source_length, float scale) {
    Geometry g{filter, width, scale, scale < 1.0f, width, 1, source_length};
    if (g.shrinking) {
        g.support = to_single(divide(width, scale));
        g.divisor = to_single(divide(1, scale));
    }
    return g;
}

struct Candidates {
    float centre;
    std::int32_t first;
    std::int32_t last;
    std::int64_t room() const { return last >= first ? std::int64_t{last} - first + 1 : 0; }
};

Candidates candidates_for(const Geometry& g, int i) {
    const float centre = to_single(divide(i, g.scale));
    return {centre, floor_to_int(centre - g.support), ceil_to_int(centre + g.support)};
}

// One reflection: about pixel 0 on the left, about the outer border on the right. A support wider than
// the source would still leave it outside; such an index is clamped, so no pixel outside is read.
std::int32_t reflect(std::int64_t j, std::int64_t length) {
    if (j < 0) {
        j = -j;
    } else if (j >= length) {
        j = 2 * length - 1 - j;
    }
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(j, 0, length - 1));
}

float weight_for(const Geometry& g, float centre, std::int32_t j) {
    float weight;
    if (g.shrinking) {
        const float argument = to_single(divide(centre - static_cast<Extended>(j), g.divisor));
        weight = to_single(divide(g.filter(argument), g.divisor));
    } else {
        weight = g.filter(to_single(centre - static_cast<Extended>(j)));
    }
    // A filter of the caller's that returns no number must not slip into the sums as one.
    if (std::isnan(weight)) raise_invalid_operation();
    if (std::isinf(weight)) raise_overflow();
    return weight;
}

void fill_list(const Geometry& g, const Candidates& candidates, TapList& list) {
    for (std::int64_t j = candidates.first; j <= candidates.last; ++j) {
        const float weight = weight_for(g, candidates.centre, static_cast<std::int32_t>(j));
        if (weight == 0.0f) continue;
        list.Taps[static_cast<std::size_t>(list.Count++)] = {reflect(j, g.length), weight};
    }
}

}  // namespace

TapLists build_tap_lists(TFilterProc filter, float width, int source_length, int destination_length,
                         float scale) {
    const Geometry g = geometry_for(filter, width, source_length, scale);
    const auto count = static_cast<std::size_t>(std::max(destination_length, 0));

    // Every room is known before anything is filled, so the storage is checked and allocated once.
    std::uint64_t total_room = 0;
    for (int i = 0; i < destination_length; ++i) {
        total_room += static_cast<std::uint64_t>(candidates_for(g, i).room());
        if (total_room > kMaxPictureBytes) raise_out_of_memory();
    }
    check_allocation(total_room * sizeof(SourceTap) + count * sizeof(TapList));

    TapLists result;
    try {
        result.storage_.resize(static_cast<std::size_t>(total_room));
        result.lists_.resize(count);
    } catch (const std::bad_alloc&) {
        raise_out_of_memory();
    }
    std::size_t offset = 0;
    for (int i = 0; i < destination_length; ++i) {
        const Candidates candidates = candidates_for(g, i);
        const auto room = static_cast<std::size_t>(candidates.room());
        TapList& list = result.lists_[static_cast<std::size_t>(i)];
        list.Taps = std::span<SourceTap>(result.storage_).subspan(offset, room);
        offset += room;
        fill_list(g, candidates, list);
    }
    return result;
}

namespace {

// The lowest set bit of a non-zero float, as a power of two: every multiple of the float is a
// multiple of it.
Extended lowest_bit(float value) {
    int exponent = 0;
    const float mantissa = std::frexp(std::fabs(value), &exponent);  // in [0.5, 1)
    const auto digits = static_cast<std::uint32_t>(std::ldexp(mantissa, 24));
    return std::ldexp(Extended{1}, exponent - 24 + std::countr_zero(digits));
}

}  // namespace

// Each step forms s = b * w + acc with b a byte: b * w is exact in both forms, so the two differ only
// when the extended sum is rounded twice. That gives another single than one rounding only when
// b * w lies exactly half-way between two singles and 0 < |acc| <= 2^(e - 64), where 2^e <= |b * w|
// < 2^(e + 1) <= 2^8 |w|: the extended rounding lands on the half-way point and the second rounding
// goes to even. Any other sum either fits the 64-bit significand or is rounded to a point that is not
// half-way. Every accumulator is a multiple of the lowest bit of the weights before it, so a non-zero
// one is at least that large; when that is at least 2^-56 |w| for every tap, the case cannot arise.
// Weights far from the ends of the single range keep every value normal and every sum finite (an
// overflow must be raised as the extended form raises it).
bool fused_sum_is_exact(const TapList& list) {
    constexpr Extended kSmallest = 0x1p-100L;
    constexpr Extended kLargestSum = 0x1p119L;  // 256 * sum of |w| stays below 2^127
    Extended granule = std::numeric_limits<Extended>::infinity();
    Extended sum = 0;
    for (const SourceTap& tap : list.Taps.first(static_cast<std::size_t>(list.Count))) {
        const Extended magnitude = std::fabs(tap.Weight);
        if (magnitude < kSmallest) return false;
        if (granule < 0x1p-56L * magnitude) return false;
        granule = std::min(granule, lowest_bit(tap.Weight));
        sum += magnitude;
    }
    return sum < kLargestSum;
}

}  // namespace velmora
