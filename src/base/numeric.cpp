#include "base/numeric.hpp"

#include <cmath>

#include "base/error.hpp"

namespace velmora {

void raise_division_by_zero() {
    throw Error("Floating point division by zero");
}
void raise_invalid_operation() {
    throw Error("Invalid floating point operation");
}
void raise_overflow() {
    throw Error("Floating point overflow");
}

bool extended_precision_in_effect() {
    // 1 + 2^-63 needs all 64 bits of the significand; at 53 bits it rounds to 1. Volatile, so that the
    // compiler does not work the sum out itself.
    volatile Extended one = 1;
    volatile Extended smallest_step = std::ldexp(Extended{1}, -63);
    return one + smallest_step != one;
}

void use_extended_precision() {
#if defined(__x86_64__) || defined(__i386__)
    constexpr unsigned short kPrecisionControl = 0x300;  // bits 8 and 9; both set: 64-bit significand
    unsigned short control = 0;
    asm volatile("fnstcw %0" : "=m"(control));
    control |= kPrecisionControl;
    asm volatile("fldcw %0" : : "m"(control));
#endif
}

namespace {

// `integral` is already a whole number; it is checked against the range, then converted exactly.
std::int32_t to_int32(Extended integral) {
    if (!(integral >= std::numeric_limits<std::int32_t>::min() &&
          integral <= std::numeric_limits<std::int32_t>::max())) {
        raise_invalid_operation();
    }
    return static_cast<std::int32_t>(integral);
}

}  // namespace

std::int32_t round_half_even(Extended value) {
    // Round to nearest, an exact half to the even neighbour, independent of the rounding mode.
    Extended lower = std::floor(value);
    const Extended fraction = value - lower;  // exact: both lie within one binade step of each other
    if (fraction > 0.5L || (fraction == 0.5L && std::fmod(lower, 2.0L) != 0)) lower += 1;
    return to_int32(lower);
}

std::int32_t floor_to_int(Extended value) {
    return to_int32(std::floor(value));
}
std::int32_t ceil_to_int(Extended value) {
    return to_int32(std::ceil(value));
}
std::int32_t trunc_to_int(Extended value) {
    return to_int32(std::trunc(value));
}

}  // namespace velmora
