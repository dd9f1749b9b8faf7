#include "imaging/resample/reference_loop.hpp"

#include "base/numeric.hpp"

namespace velmora {

namespace {

std::uint8_t to_byte(float accumulator) {
    if (accumulator > 255.0f) return 255;
    if (accumulator < 0.0f) return 0;
    return static_cast<std::uint8_t>(round_half_even(accumulator));
}

}  // namespace

void filter_pixel_exact(const TapList& list, const std::uint8_t* base, std::ptrdiff_t step,
                        std::uint8_t* out) {
    float accumulators[3] = {0.0f, 0.0f, 0.0f};
    for (std::int32_t t = 0; t < list.Count; ++t) {
        const std::uint8_t* pixel = base + list.Taps[t].Index * step;
        const Extended weight = list.Taps[t].Weight;
        for (int c = 0; c < 3; ++c) accumulators[c] = to_single(pixel[c] * weight + accumulators[c]);
    }
    for (int c = 0; c < 3; ++c) out[c] = to_byte(accumulators[c]);
}

void filter_row_exact(const TapList& list, const std::uint8_t* work, std::ptrdiff_t work_step, int width,
                      std::uint8_t* out) {
    for (int x = 0; x < width; ++x) filter_pixel_exact(list, work + 3 * x, work_step, out + 3 * x);
}

}  // namespace velmora
