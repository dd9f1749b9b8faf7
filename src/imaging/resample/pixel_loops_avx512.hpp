// The pixel loops for AVX-512 F, BW and VL; usable only when the processor has them (see
// pixel_loop_choice.hpp).
#pragma once

#include "imaging/resample/pixel_loops.hpp"

namespace velmora {

extern const PixelLoops kAvx512PixelLoops;

}  // namespace velmora
