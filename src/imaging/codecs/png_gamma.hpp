// The gamma table that colour samples and palette entries pass through after a gAMA chunk.
#pragma once

#include <array>
#include <cstdint>

namespace velmora::png {

using GammaTable = std::array<std::uint8_t, 256>;

GammaTable identity_gamma();

// For a gAMA value g (gamma times 100000), g != 0: entry i = 255 * (i / 255) ^ (1 / (g / 100000 * 2.2)),
// formed at extended precision and rounded half to even; entry 0 is 0.
GammaTable gamma_table(std::uint32_t gama_value);

}  // namespace velmora::png
