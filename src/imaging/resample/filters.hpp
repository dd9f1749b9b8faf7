// The resampling kernels and their table. A kernel maps a signed distance (in source pixels when
// enlarging, in destination pixels when shrinking) to a weight; it is 0 outside its half-width.
// Arguments and results are single precision; everything in between is formed at extended precision.
#pragma once

#include <array>
#include <string_view>

namespace velmora {

using TFilterProc = float (*)(float Value);

float BoxKernel(float Value);       // 1 on (-0.5, 0.5]
float TriangleKernel(float Value);  // half-width 1
float HermiteKernel(float Value);   // half-width 1
float BellKernel(float Value);      // half-width 1.5
float BSplineKernel(float Value);   // the cubic B-spline, half-width 2
float Lanczos3Kernel(float Value);  // half-width 3
float MitchellKernel(float Value);  // the cubic with B = C = 1/3, half-width 2

// sin(p) / p with p = pi * Value rounded to single; 1 at exactly 0. Because p is rounded first,
// the value at a non-zero integer is tiny, not 0.
float SincPi(float Value);

struct FilterRecord {
    std::string_view Name;
    TFilterProc Filter;
    float Width;  // half-width of the interval outside which the kernel is 0
};

inline constexpr std::array<FilterRecord, 7> FilterTable = {{
    {"Box", BoxKernel, 0.5f},
    {"Triangle", TriangleKernel, 1.0f},
    {"Hermite", HermiteKernel, 1.0f},
    {"Bell", BellKernel, 1.5f},
    {"B-Spline", BSplineKernel, 2.0f},
    {"Lanczos3", Lanczos3Kernel, 3.0f},
    {"Mitchell", MitchellKernel, 2.0f},
}};

// The record of FilterTable with the given name, looked up while compiling: a name the table lacks
// does not compile.
consteval const FilterRecord& filter_named(std::string_view name) {
    for (const FilterRecord& record : FilterTable) {
        if (record.Name == name) return record;
    }
    throw "no filter of that name in FilterTable";
}

}  // namespace velmora
