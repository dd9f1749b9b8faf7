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

// The floor of a value already known to lie within 2^32 of 0, without the library's extended floor,
// which switches the processor's rounding mode and back: the double nearest the value is less than
// one away from it, so its truncation is at most one away from the floor.
std::int64_t floor_within_range(Extended value) {
    auto whole = static_cast<std::int64_t>(static_cast<double>(value));
    if (static_cast<Extended>(whole) > value) {
        --whole;
    } else if (static_cast<Extended>(whole + 1) <= value) {
        ++whole;
    }
    return whole;
}

constexpr Extended kTwoTo31 = 0x1p31L;

}  // namespace

std::int32_t round_half_even(Extended value) {
    // Round to nearest, an exact half to the even neighbour, independent of the rounding mode.
    if (!(value > -kTwoTo31 - 1 && value < kTwoTo31)) raise_invalid_operation();
    std::int64_t lower = floor_within_range(value);
    const Extended fraction = value - static_cast<Extended>(lower);  // exact: both lie within one binade step
    if (fraction > 0.5L || (fraction == 0.5L && lower % 2 != 0)) lower += 1;
    return to_int32(static_cast<Extended>(lower));
}

std::int32_t floor_to_int(Extended value) {
    if (!(value >= -kTwoTo31 && value < kTwoTo31)) raise_invalid_operation();
    return static_cast<std::int32_t>(floor_within_range(value));
}
std::int32_t ceil_to_int(Extended value) {
    if (!(value > -kTwoTo31 - 1 && value <= kTwoTo31 - 1)) raise_invalid_operation();
    return static_cast<std::int32_t>(-floor_within_range(-value));
}
std::int32_t trunc_to_int(Extended value) {
    return to_int32(std::trunc(value));
}

}  // namespace velmora
