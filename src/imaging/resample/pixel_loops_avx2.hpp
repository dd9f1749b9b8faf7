// The pixel loops for AVX2 with FMA; usable only when the processor has both (see pixel_loop_choice.hpp).
#pragma once

#include "imaging/resample/pixel_loops.hpp"

namespace velmora {

extern const PixelLoops kAvx2PixelLoops;

}  // namespace velmora
