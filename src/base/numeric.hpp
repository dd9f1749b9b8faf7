// Arithmetic as the program defines it: values formed at extended precision (a 64-bit significand,
// `long double` on x86), rounded to single where a value is stored as single, integers by rounding to
// nearest with ties to even. Division by zero, invalid operations and overflow are errors with their
// messages, never silent infinities or NaNs.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

namespace velmora {

using Extended = long double;

#if defined(__x86_64__) || defined(__i386__)
static_assert(std::numeric_limits<Extended>::digits == 64,
              "long double must be the 80-bit x87 extended format: a compiler whose long double is 64-bit "
              "is not supported");
#endif

// The x87 unit's precision is a setting of each thread, and the format of long double does not show
// it: a thread that Windows starts through CreateThread or _beginthreadex begins at 53 bits, where every
// extended value would be rounded to double without a word. The first answers whether long double
// arithmetic on the calling thread keeps its 64-bit significand; the second sets it to do so.
bool extended_precision_in_effect();
void use_extended_precision();

[[noreturn]] void raise_division_by_zero();   // "Floating point division by zero"
[[noreturn]] void raise_invalid_operation();  // "Invalid floating point operation"
[[noreturn]] void raise_overflow();           // "Floating point overflow"

// a / b at extended precision: b = 0 is a division by zero (0 / 0 an invalid operation).
// Inline, like to_single: the resampler's kernels call both for every tap they weigh.
inline Extended divide(Extended a, Extended b) {
    if (std::isnan(a) || std::isnan(b)) raise_invalid_operation();
    if (b == 0) {
        if (a == 0) raise_invalid_operation();
        raise_division_by_zero();
    }
    const Extended quotient = a / b;
    if (std::isinf(quotient) && !std::isinf(a)) raise_overflow();
    return quotient;
}

// Rounds to IEEE single precision, to nearest; a value beyond the single range is an overflow, a NaN
// an invalid operation.
inline float to_single(Extended value) {
    if (std::isnan(value)) raise_invalid_operation();
    const float single = static_cast<float>(value);
    if (std::isinf(single) && !std::isinf(value)) raise_overflow();
    return single;
}

// Conversions to a signed 32-bit integer; a value outside its range (or a NaN) is an invalid operation.
std::int32_t round_half_even(Extended value);  // 2.5 gives 2, 3.5 gives 4
std::int32_t floor_to_int(Extended value);
std::int32_t ceil_to_int(Extended value);
std::int32_t trunc_to_int(Extended value);

}  // namespace velmora
