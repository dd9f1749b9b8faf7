// Arbitrary bytes through the JPEG codec: load, decode and, for small pictures, encode again.
// Every failure must be an Error; anything else (a crash, a leak, a hang) is a finding.
#include <cstdint>
#include <vector>

#include "base/error.hpp"
#include "imaging/codecs/jpeg_image.hpp"

namespace {

// Larger frames are measured but not decoded, so that each input stays quick; the memory bound for
// large pictures has tests of its own.
constexpr std::uint64_t kMaxDecodedPixels = 4096 * 4096;
constexpr std::uint64_t kMaxEncodedPixels = 512 * 512;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    velmora::JpegImage image;
    try {
        image.load_from_memory(std::vector<std::uint8_t>(data, data + size));
        const std::uint64_t pixels = static_cast<std::uint64_t>(image.width()) * image.height();
        if (pixels > kMaxDecodedPixels) return 0;
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
