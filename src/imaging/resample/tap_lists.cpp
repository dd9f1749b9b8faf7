#include "imaging/resample/tap_lists.hpp"

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>
#include <new>

#include "base/memory_limit.hpp"
#include "base/numeric.hpp"
#include "imaging/resample/quick_rounding.hpp"

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
    Extended support;   // W / scale rounded to single when shrinking, else W
    Extended divisor;   // 1 / scale rounded to single; used only when shrinking
    double reciprocal;  // 1 / divisor in double, within 2^-53
    std::int64_t length;
};

Geometry geometry_for(TFilterProc filter, float width, int source_length, float scale) {
    Geometry g{filter, width, scale, scale < 1.0f, width, 1, 1, source_length};
    if (g.shrinking) {
        g.support = to_single(divide(width, scale));
        g.divisor = to_single(divide(1, scale));
        g.reciprocal = 1.0 / static_cast<double>(g.divisor);
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

// Where centre and candidate are below 2^24, c - j is exact in double, and the two quotients by the
// divisor are first tried in double precision, as products with its reciprocal: within 2^-52 of the
// quotient, as single_if_clear needs, without a division.
float weight_for(const Geometry& g, float centre, std::int32_t j) {
    const bool small = std::fabs(centre) < 0x1p24f && j > -(1 << 24) && j < (1 << 24);
    const double distance = static_cast<double>(centre) - j;
    float weight;
    if (g.shrinking) {
        float argument;
        if (!small || !single_if_clear(distance * g.reciprocal, argument)) {
            argument = to_single(divide(centre - static_cast<Extended>(j), g.divisor));
        }
        const float value = g.filter(argument);
        if (!single_if_clear(value * g.reciprocal, weight)) weight = to_single(divide(value, g.divisor));
    } else {
        weight =
            g.filter(small ? static_cast<float>(distance) : to_single(centre - static_cast<Extended>(j)));
    }
    // A filter of the caller's that returns no number must not slip into the sums as one.
    if (std::isnan(weight)) raise_invalid_operation();
    if (std::isinf(weight)) raise_overflow();
    return weight;
}

// Fills the list's taps from `storage` on, where its room has been set aside.
void fill_list(const Geometry& g, const Candidates& candidates, SourceTap* storage, TapList& list) {
    list.Taps = storage;
    list.room = static_cast<std::int32_t>(candidates.room());
    for (std::int64_t j = candidates.first; j <= candidates.last; ++j) {
        const float weight = weight_for(g, candidates.centre, static_cast<std::int32_t>(j));
        if (weight == 0.0f) continue;
        storage[list.Count++] = {reflect(j, g.length), weight};
    }
}

bool taps_contiguous(const TapList& list) {
    for (std::int32_t t = 1; t < list.Count; ++t) {
        if (list.Taps[t].Index != list.Taps[0].Index + t) return false;
    }
    return true;
}

// What the pixel loops need to know of a filled list. This is the one place that decides which
// arithmetic sums a list: the fused kernel of `loops`, when they have one and it is exact for the
// list, else the reference arithmetic.
void describe_for(const PixelLoops& loops, TapList& list) {
    list.exact = fused_sum_is_exact(list);
    list.contiguous = taps_contiguous(list);
    if (loops.filter_row == nullptr) {
        list.kernel = TapKernel::kReference;
    } else if (list.exact) {
        list.kernel = TapKernel::kFused;
    } else {
        list.kernel = fused_sum_can_be_watched(list) ? TapKernel::kWatched : TapKernel::kReference;
    }
}

}  // namespace

TapLists build_tap_lists(const PixelLoops& loops, TFilterProc filter, float width, int source_length,
                         int destination_length, float scale) {
    const Geometry g = geometry_for(filter, width, source_length, scale);
    const auto count = static_cast<std::size_t>(std::max(destination_length, 0));

    // Every room is known before anything is filled, so the storage is checked and allocated once.
    std::vector<Candidates> candidates;
    std::uint64_t total_room = 0;
    try {
        candidates.reserve(count);
    } catch (const std::bad_alloc&) {
        raise_out_of_memory();
    }
    for (int i = 0; i < destination_length; ++i) {
        candidates.push_back(candidates_for(g, i));
        total_room += static_cast<std::uint64_t>(candidates.back().room());
        if (total_room > kMaxPictureBytes) raise_out_of_memory();
    }
    check_allocation(total_room * sizeof(SourceTap) + count * (sizeof(TapList) + sizeof(Candidates)));

    TapLists result;
    try {
        result.storage_.resize(static_cast<std::size_t>(total_room));
        result.lists_.resize(count);
    } catch (const std::bad_alloc&) {
        raise_out_of_memory();
    }
    SourceTap* storage = result.storage_.data();
    for (std::size_t i = 0; i < count; ++i) {
        TapList& list = result.lists_[i];
        fill_list(g, candidates[i], storage, list);
        storage += list.room;
        describe_for(loops, list);
    }
    return result;
}

namespace {

// The lowest set bit of a float of 2^-100 or more, as a power of two: every multiple of the float is a
// multiple of it.
float lowest_bit(float value) {
    const auto bits = std::bit_cast<std::uint32_t>(std::fabs(value));
    const auto exponent = static_cast<int>(bits >> 23);  // biased
    const std::uint32_t digits = (bits & 0x7FFFFFu) | 0x800000u;
    // The biased exponent of the lowest set bit: at least 4 for the values of 2^-100 and above that
    // the caller passes, so it is a normal float itself.
    const int lowest = exponent - 23 + std::countr_zero(digits);
    return std::bit_cast<float>(static_cast<std::uint32_t>(lowest) << 23);
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
    if (!fused_sum_can_be_watched(list)) return false;
    float granule = std::numeric_limits<float>::infinity();
    for (std::int32_t t = 0; t < list.Count; ++t) {
        const float weight = list.Taps[t].Weight;
        if (static_cast<double>(granule) < 0x1p-56 * std::fabs(static_cast<double>(weight))) return false;
        granule = std::min(granule, lowest_bit(weight));
    }
    return true;
}

bool fused_sum_can_be_watched(const TapList& list) {
    constexpr double kSmallest = 0x1p-100;
    constexpr double kLargestSum = 0x1p119;  // 256 * sum of |w| stays below 2^127
    double sum = 0;                          // rounded at each step: the bound leaves ample room for that
    for (std::int32_t t = 0; t < list.Count; ++t) {
        const double magnitude = std::fabs(static_cast<double>(list.Taps[t].Weight));
        if (magnitude < kSmallest) return false;
        sum += magnitude;
    }
    return sum < kLargestSum;
}

}  // namespace velmora
