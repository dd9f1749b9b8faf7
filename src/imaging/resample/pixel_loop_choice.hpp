// Which pixel loops the resampler runs, chosen once for the process.
//
// The reference loops follow the arithmetic literally. Every fast loop gives their bytes exactly, for
// any picture, size and filter, so that the choice changes the speed and never a byte:
// - it sums each list tap by tap in the list's order, one single-precision fused multiply-add per tap
//   and channel, with no reordering and no partial sums joined at the end;
// - it sums the lists whose kernel is TapKernel::kFused, those for which fused_sum_is_exact proves
//   that each fused step rounds to the single that the extended step rounds to, and the watched ones,
//   where it checks every step for the one case in which the two could differ and hands back the
//   block or row where it meets it; those, and every other list, are summed by the reference
//   arithmetic;
// - it turns a sum into a byte as the reference loop does: clamped to 0..255, rounded half to even.
// The differential test holds every loop the processor has to the two passes written out literally.
#pragma once

#include <string>
#include <string_view>

#include "imaging/resample/pixel_loops.hpp"

namespace velmora {

// The instruction sets the fast loops need, as the processor reports them.
struct ProcessorFeatures {
    bool avx2 = false;    // AVX2 and FMA
    bool avx512 = false;  // AVX-512 F, BW and VL, with AVX2 and FMA
};

ProcessorFeatures processor_features();  // of this processor, asked once

const PixelLoops& reference_pixel_loops();

// The loops that VELMORA_SIMD calls `name` ("none", "avx2", "avx512"), when `features` include their
// instruction set; else null.
const PixelLoops* pixel_loops_named(std::string_view name, ProcessorFeatures features = processor_features());

struct PixelLoopChoice {
    const PixelLoops* loops;
    std::string warning;  // one line for standard error; empty when the loops are the ones asked for
};

// The loops for the texts of VELMORA_SIMD and VELMORA_NO_SIMD (null when unset). VELMORA_NO_SIMD=1
// means the reference loops, whatever VELMORA_SIMD says. Otherwise VELMORA_SIMD names the loops, and
// unset or empty it means the fastest that `features` allow. A name the processor lacks, or one that
// names no loops, gets the fastest loops and a warning that says so.
PixelLoopChoice choose_pixel_loops(const char* simd, const char* no_simd, ProcessorFeatures features);

// choose_pixel_loops over this process's environment and processor, the first time it is called; the
// warning, if any, goes to standard error then, once.
const PixelLoops& chosen_pixel_loops();

}  // namespace velmora
