// A tap list: the source positions that contribute to one destination index of one direction, with
// their weights, in ascending order of the unreflected source position (the order of the sums), and
// what the pixel loops need to know of it, all settled when the list is built.
// The files built for an instruction set include this header, so it holds plain data and nothing that
// the compiler could emit there as code.
#pragma once

#include <cstdint>

namespace velmora {

struct SourceTap {
    std::int32_t Index;  // source column or work-picture row, after reflection, inside 0 to L - 1
    float Weight;        // never 0
};

// The arithmetic that sums a list.
enum class TapKernel : std::uint8_t {
    kReference = 0,  // every step formed at extended precision and rounded to single
    kFused,          // the fast loop's single-precision fused multiply-add, which is exact for this list
    kWatched,        // the fused multiply-add, watched for the one case where it could round otherwise;
                     // a block or row where that case may arise is summed again the reference way
};

// A plain aggregate, without default member initialisers, so that it has no constructor of its own;
// value-initialised it is an empty list summed by the reference arithmetic.
struct TapList {
    std::int32_t Count;     // taps in use, at the front of Taps
    std::int32_t room;      // taps Taps has room for, fixed when the list is built
    const SourceTap* Taps;  // owned by the TapLists the list belongs to
    bool exact;             // the fused sum gives the reference accumulators for any bytes
    bool contiguous;        // Taps[t].Index is Taps[0].Index + t for every tap
    TapKernel kernel;
};

}  // namespace velmora
