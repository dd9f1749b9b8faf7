#include "imaging/resample/pixel_loops.hpp"

#include <cstdlib>
#include <string_view>

#include "base/numeric.hpp"

namespace velmora {

namespace {

std::uint8_t to_byte(float accumulator) {
    if (accumulator > 255.0f) return 255;
    if (accumulator < 0.0f) return 0;
    return static_cast<std::uint8_t>(round_half_even(accumulator));
}

bool simd_switched_off() {
    const char* value = std::getenv("VELMORA_NO_SIMD");
    return value != nullptr && std::string_view(value) == "1";
}

const PixelLoops kReferenceLoops{"reference", nullptr};
const PixelLoops kAvx2Loops{"avx2", &kAvx2PixelKernels};
const PixelLoops kAvx512Loops{"avx512", &kAvx512PixelKernels};

}  // namespace

void filter_pixel_exact(const SourceTap* taps, std::int32_t count, const std::uint8_t* base,
                        std::ptrdiff_t step, std::uint8_t* out) {
    float accumulators[3] = {0.0f, 0.0f, 0.0f};
    for (std::int32_t t = 0; t < count; ++t) {
        const std::uint8_t* pixel = base + taps[t].Index * step;
        const Extended weight = taps[t].Weight;
        for (int c = 0; c < 3; ++c) accumulators[c] = to_single(pixel[c] * weight + accumulators[c]);
    }
    for (int c = 0; c < 3; ++c) out[c] = to_byte(accumulators[c]);
}

// Over the whole width at once: every byte of the row is its own sum with the row's taps, so the order
// of the taps within each sum is kept.
void filter_work_row(const PixelLoops& loops, const TapList& list, const std::uint8_t* work,
                     std::ptrdiff_t work_step, int width, std::uint8_t* out) {
    const SourceTap* taps = list.Taps.data();
    if (loops.kernels != nullptr && fused_sum_is_exact(list)) {
        const ListView view{taps, list.Count, true, false};
        loops.kernels->filter_row(&view, work, work_step, 3 * static_cast<std::size_t>(width), out);
        return;
    }
    for (int x = 0; x < width; ++x)
        filter_pixel_exact(taps, list.Count, work + 3 * x, work_step, out + 3 * x);
}

const PixelLoops& reference_pixel_loops() {
    return kReferenceLoops;
}

const PixelLoops* avx2_pixel_loops() {
    static const bool supported = __builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma");
    return supported ? &kAvx2Loops : nullptr;
}

const PixelLoops* avx512_pixel_loops() {
    static const bool supported = __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw") &&
                                  __builtin_cpu_supports("avx512vl");
    return supported ? &kAvx512Loops : nullptr;
}

const PixelLoops& chosen_pixel_loops() {
    static const PixelLoops& fastest = [&]() -> const PixelLoops& {
        if (const PixelLoops* loops = avx512_pixel_loops()) return *loops;
        if (const PixelLoops* loops = avx2_pixel_loops()) return *loops;
        return kReferenceLoops;
    }();
    return simd_switched_off() ? kReferenceLoops : fastest;
}

}  // namespace velmora
