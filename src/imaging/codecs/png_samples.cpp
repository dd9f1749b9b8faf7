#include "imaging/codecs/png_samples.hpp"

namespace velmora::png {

int sample_channels(ColorType type) {
    return type == ColorType::kTruecolor || type == ColorType::kTruecolorAlpha ? 3 : 1;
}

bool has_alpha_plane(ColorType type) {
    return type == ColorType::kGrayAlpha || type == ColorType::kTruecolorAlpha;
}

namespace {

// Sample i of a row packed at 1, 2 or 4 bits, leftmost sample in the high bits.
inline unsigned packed_sample(const std::uint8_t* row, std::uint32_t i, int depth) {
    const std::size_t bit = static_cast<std::size_t>(i) * static_cast<std::size_t>(depth);
    const int shift = 8 - depth - static_cast<int>(bit & 7);
    return (row[bit >> 3] >> shift) & ((1u << depth) - 1);
}

void expand_gray(const Ihdr& ihdr, const GammaTable& gamma, const std::uint8_t* row, std::uint32_t count,
                 const RowTarget& target) {
    const int depth = ihdr.bit_depth;
    std::uint8_t* out = target.samples;
    if (depth == 8 || depth == 16) {
        const std::size_t bytes = static_cast<std::size_t>(depth / 8);
        for (std::uint32_t i = 0; i < count; ++i, out += target.step) *out = gamma[row[i * bytes]];
        return;
    }
    // All three sub-byte depths widen exactly: 255 / (2^d - 1) is 255, 85 or 17.
    const unsigned scale = 255u / ((1u << depth) - 1);
    for (std::uint32_t i = 0; i < count; ++i, out += target.step)
        *out = gamma[packed_sample(row, i, depth) * scale];
}

void expand_palette(const Ihdr& ihdr, const std::uint8_t* row, std::uint32_t count, const RowTarget& target) {
    std::uint8_t* out = target.samples;
    if (ihdr.bit_depth == 8) {
        for (std::uint32_t i = 0; i < count; ++i, out += target.step) *out = row[i];
        return;
    }
    for (std::uint32_t i = 0; i < count; ++i, out += target.step) {
        *out = static_cast<std::uint8_t>(packed_sample(row, i, ihdr.bit_depth));
    }
}

void expand_gray_alpha(const Ihdr& ihdr, const std::uint8_t* row, std::uint32_t count,
                       const RowTarget& target) {
    const std::size_t bytes = ihdr.bit_depth / 8u;
    for (std::uint32_t i = 0; i < count; ++i) {
        target.samples[i * target.step] = row[2 * bytes * i];
        target.alpha[i * target.step] = row[2 * bytes * i + bytes];
    }
}

template <std::size_t kSampleBytes, bool kAlpha>
void expand_truecolor(const GammaTable& gamma, const std::uint8_t* row, std::uint32_t count,
                      const RowTarget& target) {
    constexpr std::size_t kPixelBytes = kSampleBytes * (kAlpha ? 4 : 3);
    std::uint8_t* out = target.samples;
    const std::size_t out_step = 3 * target.step;
    for (std::uint32_t i = 0; i < count; ++i, row += kPixelBytes, out += out_step) {
        out[0] = gamma[row[0]];
        out[1] = gamma[row[kSampleBytes]];
        out[2] = gamma[row[2 * kSampleBytes]];
        if constexpr (kAlpha) target.alpha[i * target.step] = row[3 * kSampleBytes];
    }
}

}  // namespace

void expand_row(const Ihdr& ihdr, const GammaTable& gamma, const std::uint8_t* row, std::uint32_t count,
                const RowTarget& target) {
    const bool wide = ihdr.bit_depth == 16;
    switch (color_type(ihdr)) {
        case ColorType::kGray:
            expand_gray(ihdr, gamma, row, count, target);
            break;
        case ColorType::kPalette:
            expand_palette(ihdr, row, count, target);
            break;
        case ColorType::kGrayAlpha:
            expand_gray_alpha(ihdr, row, count, target);
            break;
        case ColorType::kTruecolor:
            wide ? expand_truecolor<2, false>(gamma, row, count, target)
                 : expand_truecolor<1, false>(gamma, row, count, target);
            break;
        case ColorType::kTruecolorAlpha:
            wide ? expand_truecolor<2, true>(gamma, row, count, target)
                 : expand_truecolor<1, true>(gamma, row, count, target);
            break;
    }
}

}  // namespace velmora::png
