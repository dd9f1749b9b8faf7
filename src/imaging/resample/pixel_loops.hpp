// The pixel loops behind ResamplePicture: the reference loop, which forms every step at extended
// precision and rounds it to single, and the fast loop over the kernels of one instruction set, which
// gives the same bytes. Tests and benchmarks reach both through resample_picture_with.
#pragma once

#include <cstddef>
#include <cstdint>

#include "imaging/picture.hpp"
#include "imaging/resample/filters.hpp"
#include "imaging/resample/pixel_kernels.hpp"
#include "imaging/resample/tap_list.hpp"

namespace velmora {

struct PixelLoops {
    const char* name;
    const PixelKernels* kernels;  // null for the reference loop
};

const PixelLoops& reference_pixel_loops();
const PixelLoops* avx2_pixel_loops();    // null when the processor lacks AVX2 or FMA
const PixelLoops* avx512_pixel_loops();  // null when the processor lacks AVX-512 F, BW or VL

// The fastest loops the processor has, chosen once; the reference loop when the environment sets
// VELMORA_NO_SIMD=1.
const PixelLoops& chosen_pixel_loops();

// ResamplePicture with the given loops.
void resample_picture_with(const PixelLoops& loops, Picture& source, Picture& destination, TFilterProc filter,
                           float width);

// Filters one pixel as the definition says: the three bytes of a tap lie at base + Index * step; each
// accumulator becomes b * Weight + accumulator at extended precision, rounded to single, after every
// tap; the results are clamped to 0..255 and rounded half to even into out[0..2].
void filter_pixel_exact(const SourceTap* taps, std::int32_t count, const std::uint8_t* base,
                        std::ptrdiff_t step, std::uint8_t* out);

// One destination row of the vertical pass: each of the `width` pixels of `out` filtered with `list`
// from the work rows at work + Index * work_step.
void filter_work_row(const PixelLoops& loops, const TapList& list, const std::uint8_t* work,
                     std::ptrdiff_t work_step, int width, std::uint8_t* out);

}  // namespace velmora
