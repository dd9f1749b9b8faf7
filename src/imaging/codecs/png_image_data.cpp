#include "imaging/codecs/png_image_data.hpp"

#include <algorithm>
#include <array>

#include "base/error.hpp"
#include "imaging/codecs/png_samples.hpp"
#include "imaging/codecs/png_unfilter.hpp"

namespace velmora::png {

namespace {

struct Pass {
    std::uint32_t x0, y0, dx, dy;
};

// Adam7's seven passes; a non-interlaced image is the one pass that covers every pixel.
constexpr std::array<Pass, 7> kAdam7{
    {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4}, {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}}};
constexpr Pass kWholeImage{0, 0, 1, 1};

std::uint32_t pass_extent(std::uint32_t size, std::uint32_t start, std::uint32_t step) {
    return size > start ? (size - start + step - 1) / step : 0;
}

}  // namespace

ImageDataDecoder::ImageDataDecoder(const Ihdr& ihdr, const GammaTable& gamma, std::uint8_t* samples,
                                   std::uint8_t* alpha)
    : ihdr_(ihdr),
      gamma_(gamma),
      samples_(samples),
      alpha_(alpha),
      channels_(sample_channels(color_type(ihdr))),
      pixel_bytes_(std::max(1, bits_per_pixel(ihdr) / 8)) {
    start_pass(0);
}

void ImageDataDecoder::start_pass(int pass) {
    const int passes = ihdr_.interlace == 1 ? 7 : 1;
    for (pass_ = pass; pass_ < passes; ++pass_) {
        const Pass& p = ihdr_.interlace == 1 ? kAdam7[static_cast<std::size_t>(pass_)] : kWholeImage;
        pass_width_ = pass_extent(ihdr_.width, p.x0, p.dx);
        pass_height_ = pass_extent(ihdr_.height, p.y0, p.dy);
        if (pass_width_ == 0 || pass_height_ == 0) continue;  // an empty pass has no rows at all
        const std::size_t size = 1 + row_bytes(ihdr_, pass_width_);
        row_.assign(size, 0);
        prior_.assign(size, 0);
        filled_ = 0;
        pass_row_ = 0;
        return;
    }
    complete_ = true;
}

void ImageDataDecoder::consume(std::span<const std::uint8_t> compressed) {
    inflater_.set_input(compressed);
    while (!complete_ && !inflater_.stream_ended()) {
        const std::size_t written = inflater_.inflate_into(std::span(row_).subspan(filled_));
        filled_ += written;
        if (filled_ == row_.size()) {
            finish_row();
        } else if (written == 0 && inflater_.input_used_up()) {
            return;  // wait for the next piece
        }
    }
    if (!complete_) throw Error(message::kMissingParts);
}

void ImageDataDecoder::finish_row() {
    const std::span<std::uint8_t> row = std::span(row_).subspan(1);
    unfilter_row(row_[0], row, std::span<const std::uint8_t>(prior_).subspan(1), pixel_bytes_);

    const Pass& p = ihdr_.interlace == 1 ? kAdam7[static_cast<std::size_t>(pass_)] : kWholeImage;
    const std::size_t y = p.y0 + static_cast<std::size_t>(pass_row_) * p.dy;
    const std::size_t first = y * ihdr_.width + p.x0;
    RowTarget target;
    target.samples = samples_ + first * static_cast<std::size_t>(channels_);
    target.alpha = alpha_ != nullptr ? alpha_ + first : nullptr;
    target.step = p.dx;
    expand_row(ihdr_, gamma_, row.data(), pass_width_, target);

    std::swap(row_, prior_);
    filled_ = 0;
    if (++pass_row_ == pass_height_) start_pass(pass_ + 1);
}

}  // namespace velmora::png
