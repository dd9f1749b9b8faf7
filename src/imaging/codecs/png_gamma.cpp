#include "imaging/codecs/png_gamma.hpp"

#include <cmath>

#include "base/numeric.hpp"

namespace velmora::png {

GammaTable identity_gamma() {
    GammaTable table{};
    for (int i = 0; i < 256; ++i) table[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i);
    return table;
}

GammaTable gamma_table(std::uint32_t gama_value) {
    const Extended display_gamma = 2.2L;
    const Extended exponent =
        divide(1.0L, divide(static_cast<Extended>(gama_value), 100000.0L) * display_gamma);
    GammaTable table{};
    for (int i = 1; i < 256; ++i) {
        const Extended level = std::pow(divide(static_cast<Extended>(i), 255.0L), exponent) * 255.0L;
        table[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(round_half_even(level));
    }
    return table;
}

}  // namespace velmora::png
