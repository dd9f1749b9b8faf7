// Any bytes as a PNG logo: load, then convert and draw onto a small photo. Refusals are fine; crashes,
// leaks, hangs and reads or writes outside any buffer are not. Each input is tried as it is and once
// more with every chunk's CRC made right, so that mutations reach past the CRC test.
#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "base/error.hpp"
#include "imaging/codecs/png_logo.hpp"
#include "imaging/drawing/draw_logo.hpp"

namespace {

void fix_crcs(std::vector<std::uint8_t>& file) {
    std::size_t at = 8;
    while (at + 12 <= file.size()) {
        const std::uint32_t length = std::uint32_t{file[at]} << 24 | std::uint32_t{file[at + 1]} << 16 |
                                     std::uint32_t{file[at + 2]} << 8 | file[at + 3];
        if (length > file.size() - at - 12) return;
        const std::uint32_t crc = static_cast<std::uint32_t>(crc32(0, file.data() + at + 4, length + 4));
        std::uint8_t* out = file.data() + at + 8 + length;
        for (int i = 0; i < 4; ++i) out[i] = static_cast<std::uint8_t>(crc >> (24 - 8 * i));
        at += 12 + length;
    }
}

void try_logo(std::span<const std::uint8_t> bytes) {
    velmora::PngLogo logo;
    try {
        logo.load_from_memory(bytes);
        velmora::Picture logo_picture;
        logo.convert_into(logo_picture);
        velmora::Picture photo;
        photo.set_size(16, 16);
        const int index = 1 + static_cast<int>(bytes.size() % 5);
        const auto origin = velmora::logo_origin(index, 16, 16, logo.width(), logo.height(), -3, -3);
        if (origin) velmora::draw_logo(logo_picture, photo, *origin);
    } catch (const velmora::Error&) {
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try_logo(std::span<const std::uint8_t>(data, size));
    std::vector<std::uint8_t> fixed(data, data + size);
    fix_crcs(fixed);
    try_logo(fixed);
    return 0;
}
