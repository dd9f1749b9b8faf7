// The sine of the small arguments the Lanczos kernel meets, without a call into the mathematics
// library: the tap lists take two sines for every weight, and the library's general sine took about
// a tenth of their time.
#pragma once

#include <cmath>

namespace velmora {

// Arguments up to this magnitude take the quick path: pi times the Lanczos half-width 3 is below it.
inline constexpr double kQuickSineLimit = 10.0;

// sin(x) of a single x within 2^-51 of the true sine, relative, for |x| <= kQuickSineLimit; std::sin
// beyond. The argument is a single because the bound rests on how far singles keep from the multiples
// of pi, as below.
//
// x is reduced to r = x - n pi/2 with n the whole number nearest to x 2/pi, at most 6 here. pi/2 is
// split into a head of 33 bits and a tail: n times the head is exact, and so is x minus it (the two lie
// within a factor of 2 of each other), so r is off only by the tail's rounding, below 2^-83 apart from
// a relative 2^-53. No single of magnitude up to 10 lies closer than 2^-26 to a multiple of pi, so
// that is below 2^-53 of r even where r is small.
// sin and cos on [-pi/4, pi/4] are the minimax polynomials of degree 13 and 14 that keep within 2^-58
// of them; evaluated in double, each adds under 2.3 x 2^-53 of rounding, relative, which with the
// reduction's 2^-53 keeps the whole within 2^-51.
inline double quick_sine(float single) {
    const double x = single;
    if (!(std::fabs(x) <= kQuickSineLimit)) return std::sin(x);
    constexpr double kTwoOverPi = 6.36619772367581382433e-01;
    constexpr double kHalfPiHead = 1.57079632673412561417e+00;  // 33 significant bits
    constexpr double kHalfPiTail = 6.07710050650619224932e-11;  // pi/2 - head, rounded
    const double magnitude = std::fabs(x);
    const int n = static_cast<int>(magnitude * kTwoOverPi + 0.5);
    const double r = (magnitude - n * kHalfPiHead) - n * kHalfPiTail;
    const double z = r * r;
    double value;
    if (n % 2 == 0) {
        constexpr double kS1 = -1.66666666666666324348e-01, kS2 = 8.33333333332248946124e-03,
                         kS3 = -1.98412698298579493134e-04, kS4 = 2.75573137070700676789e-06,
                         kS5 = -2.50507602534068634195e-08, kS6 = 1.58969099521155010221e-10;
        value = r + z * r * (kS1 + z * (kS2 + z * (kS3 + z * (kS4 + z * (kS5 + z * kS6)))));
    } else {
        constexpr double kC1 = 4.16666666666666019037e-02, kC2 = -1.38888888888741095749e-03,
                         kC3 = 2.48015872894767294178e-05, kC4 = -2.75573143513906633035e-07,
                         kC5 = 2.08757232129817482790e-09, kC6 = -1.13596475577881948265e-11;
        value = 1.0 - (0.5 * z - z * z * (kC1 + z * (kC2 + z * (kC3 + z * (kC4 + z * (kC5 + z * kC6))))));
    }
    // sin(x) is sin(r), cos(r), -sin(r), -cos(r) for n = 0, 1, 2, 3 modulo 4, and odd in x.
    if (n % 4 >= 2) value = -value;
    return x < 0 ? -value : value;
}

}  // namespace velmora
