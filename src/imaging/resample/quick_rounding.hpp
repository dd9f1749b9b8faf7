// Rounding to single of a value the arithmetic forms at extended precision, from a double-precision
// approximation of it. Used where the extended form would be slow and is called for every tap.
#pragma once

#include <cmath>
#include <limits>

namespace velmora {

// `approximation` must lie within 2^-50 (relative) of the value at extended precision. When every
// value within 2^-46 of it rounds to the same single, the extended value does too: that single is
// stored in `single` and true returned. Otherwise (the value lies too close to the half-way point
// between two singles to tell, or beyond the single range, or is no number) false is returned and
// the caller forms the value at extended precision, with its errors.
inline bool single_if_clear(double approximation, float& single) {
    const double margin = std::fabs(approximation) * 0x1p-46;
    const auto low = static_cast<float>(approximation - margin);
    const auto high = static_cast<float>(approximation + margin);
    single = low;
    return low == high && std::fabs(low) <= std::numeric_limits<float>::max();
}

}  // namespace velmora
