// The reference arithmetic of the sums, which defines the resampler's bytes: every step is formed at
// extended precision and rounded to single.
#pragma once

#include <cstddef>
#include <cstdint>

#include "imaging/resample/tap_list.hpp"

namespace velmora {

// Filters one pixel with `list`: the three bytes of a tap lie at base + Index * step; each
// accumulator becomes b * Weight + accumulator at extended precision, rounded to single, after every
// tap; the results are clamped to 0..255 and rounded half to even into out[0..2].
void filter_pixel_exact(const TapList& list, const std::uint8_t* base, std::ptrdiff_t step,
                        std::uint8_t* out);

// One destination row of the vertical pass: each of the `width` pixels of `out` filtered with `list`
// from the work rows at work + Index * work_step.
void filter_row_exact(const TapList& list, const std::uint8_t* work, std::ptrdiff_t work_step, int width,
                      std::uint8_t* out);

}  // namespace velmora
