// Arbitrary bytes through the JPEG codec as the batch uses it: load, scale while decoding a block of rows
// at a time, decode whole and, for small pictures, encode again. Every failure must be an Error;
// anything else (a crash, a leak, a hang) is a finding.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "base/error.hpp"
#include "batch/fit_to_width.hpp"
#include "imaging/codecs/jpeg_image.hpp"
#include "imaging/resample/filters.hpp"
#include "imaging/resample/pixel_loop_choice.hpp"
#include "imaging/resample/row_resampler.hpp"

namespace {

// Larger frames are measured but not decoded, so that each input stays quick; the memory bound for
// large pictures has tests of its own.
constexpr std::uint64_t kMaxDecodedPixels = 4096 * 4096;
constexpr std::uint64_t kMaxEncodedPixels = 512 * 512;

// Down to a third of the width, rows streamed from the decoder into the resampler.
void scale_while_decoding(velmora::JpegImage& image) {
    const int target = std::max(2, image.width() / 3);
    if (image.width() <= target) return;
    const velmora::PictureSize size = velmora::scaled_size(image.width(), image.height(), target);
    if (size.height < 2) return;
    velmora::Picture scaled;
    scaled.set_size(size.width, size.height);
    constexpr const velmora::FilterRecord& lanczos = velmora::filter_named("Lanczos3");
    velmora::RowResampler resampler(velmora::chosen_pixel_loops(), image.width(), image.height(), scaled,
                                    lanczos.Filter, lanczos.Width);
    image.decode_rows(velmora::kResampleRowBlock,
                      [&](const std::uint8_t* const* rows, int count) { resampler.add_rows(rows, count); });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    velmora::JpegImage image;
    try {
        image.load_from_memory(std::vector<std::uint8_t>(data, data + size));
        const std::uint64_t pixels = static_cast<std::uint64_t>(image.width()) * image.height();
        if (pixels > kMaxDecodedPixels) return 0;
        try {
            scale_while_decoding(image);
        } catch (const velmora::Error&) {
        }
        velmora::Picture picture;
        image.decode_into(picture);
        if (pixels > kMaxEncodedPixels) return 0;
        image.take(picture);
        image.set_quality(static_cast<std::uint8_t>(size % 101));
        image.compress();
    } catch (const velmora::Error&) {
    }
    return 0;
}
