#include "imaging/resample/filters.hpp"

#include <cmath>

#include "base/numeric.hpp"
#include "imaging/resample/quick_rounding.hpp"
#include "imaging/resample/quick_sine.hpp"

namespace velmora {

namespace {

constexpr Extended kPi = 3.14159265358979323846264338327950288L;
constexpr double kPiDouble = 3.14159265358979323846264338327950288;
constexpr Extended kOneSixth = 1.0L / 6.0L;
constexpr Extended kTwoThirds = 2.0L / 3.0L;
constexpr Extended kSixteenThirds = 16.0L / 3.0L;
constexpr Extended kMinusSevenThirds = -7.0L / 3.0L;
constexpr Extended kThirtyTwoThirds = 32.0L / 3.0L;

}  // namespace

// The box includes +0.5 and excludes -0.5, so a centre half-way between two pixels takes the lower.
float BoxKernel(float Value) {
    return (Value > -0.5f && Value <= 0.5f) ? 1.0f : 0.0f;
}

float TriangleKernel(float Value) {
    const Extended a = std::fabs(Value);
    if (a < 1) return to_single(1 - a);
    return 0.0f;
}

float HermiteKernel(float Value) {
    const Extended a = std::fabs(Value);
    if (a < 1) return to_single(a * a * (2 * a - 3) + 1);
    return 0.0f;
}

float BellKernel(float Value) {
    const Extended a = std::fabs(Value);
    if (a < 0.5L) return to_single(0.75L - a * a);
    if (a < 1.5L) {
        const Extended t = to_single(a - 1.5L);
        return to_single(0.5L * t * t);
    }
    return 0.0f;
}

float BSplineKernel(float Value) {
    const Extended a = std::fabs(Value);
    if (a < 1) {
        const Extended t = to_single(a * a);
        return to_single(0.5L * t * a - t + kTwoThirds);
    }
    if (a < 2) {
        const Extended u = to_single(2 - a);
        return to_single(u * u * kOneSixth * u);
    }
    return 0.0f;
}

float SincPi(float Value) {
    if (Value == 0.0f) return 1.0f;
    // Both steps are first tried in double precision (pi correct to 2^-53, the quick sine to 2^-51,
    // each operation to 2^-53), which gives the single of the extended form whenever the double value
    // is not too close to a rounding boundary to tell; only then is the extended form, with its slow
    // sine, computed.
    float p;
    if (!single_if_clear(kPiDouble * static_cast<double>(Value), p)) p = to_single(kPi * Value);
    float quotient;
    if (single_if_clear(quick_sine(p) / static_cast<double>(p), quotient)) return quotient;
    return to_single(divide(std::sin(static_cast<Extended>(p)), p));
}

float Lanczos3Kernel(float Value) {
    const float a = std::fabs(Value);
    if (a < 3) {
        // The argument of the second factor is rounded to single before the call, like every argument.
        // a / 3 is never near a half-way point between singles (its binary digits repeat 01 or it is
        // exact), so the double quotient rounds to the same single as the extended one; the product
        // of two singles is exact in double as in extended.
        const double first = SincPi(a);
        const double second = SincPi(static_cast<float>(static_cast<double>(a) / 3.0));
        return static_cast<float>(first * second);
    }
    return 0.0f;
}

float MitchellKernel(float Value) {
    const Extended a = std::fabs(Value);
    const Extended t = to_single(a * a);  // formed before the range tests
    if (a < 1) {
        const Extended v = to_single(7 * a * t - 12 * t + kSixteenThirds);
        return to_single(v / 6);
    }
    if (a < 2) {
        const Extended v = to_single(kMinusSevenThirds * a * t + 12 * t - 20 * a + kThirtyTwoThirds);
        return to_single(v / 6);
    }
    return 0.0f;
}

}  // namespace velmora
